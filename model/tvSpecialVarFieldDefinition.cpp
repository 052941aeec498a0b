#include "tvSpecialVarFieldDefinition.h"

#include "tvRuntime.h"
#include "tvTypes.h"

void tvSpecialVarFieldDefinition::init(const rt::Object& cr, tvReport& objectParent) {
    name = cr.text("name");
    numberOfBytes = tvInteger(cr.integer("numberOfBytes"));
    specialVarType = tvInteger(cr.integer("specialVarType"));
    value = tvFieldValue(cr, "value");
    valueType = tvInteger(cr.integer("valueType"));
    parent = &objectParent;
}
