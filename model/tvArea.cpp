#include "tvArea.h"

#include "tvTypes.h"

class tvSection {};

tvArea::tvArea() = default;
tvArea::~tvArea() = default;

void tvArea::init(const rt::Object& crArea, tvReport& objectParent) {
    parent = &objectParent;
    name = crArea.text("name");
    kind = tvInteger(crArea.integer("kind"));
}
