#include "tvDatabase.h"

#include "tvFieldDefinitions.h"

// Stand-ins until tables and links are read.
class tvDatabaseTable {};
class tvTableLink {};

tvDatabase::tvDatabase() = default;
tvDatabase::~tvDatabase() = default;

void tvDatabase::init(const rt::Object&, tvReport& objectParent) { parent = &objectParent; }
