#include "tvSortField.h"

void tvSortField::init(const rt::Object&, tvReport& objectParent) { parent = &objectParent; }
