#include "tvIReportObject.h"

#include "tvArea.h"
#include "tvRuntime.h"
#include "tvSection.h"
#include "tvTypes.h"

void tvReadPosition(tvPosition& position, const rt::Object& crObject) {
    position.height = tvLong(crObject.integer("height"));
    position.left = tvLong(crObject.integer("left"));
    position.top = tvLong(crObject.integer("top"));
    position.width = tvLong(crObject.integer("width"));
}

tvReport* tvIReportObject::report() const {
    if (!parent || !parent->parent) return nullptr;
    return parent->parent->parent;
}

tvReport& tvIReportObject::requiredReport() const {
    tvReport* found = report();
    if (!found) tvObjectRequired();
    return *found;
}
