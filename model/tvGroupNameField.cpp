#include "tvGroupNameField.h"

#include "tvTypes.h"

void tvGroupNameField::init(const rt::Object& cr, tvReport& objectParent) {
    groupNameConditionFormula = cr.text("groupNameConditionFormula");
    groupNameFieldName = cr.text("groupNameFieldName");
    groupNumber = tvInteger(cr.integer("groupNumber"));
    name = cr.text("name");
    numberOfBytes = tvInteger(cr.integer("numberOfBytes"));
    valueType = tvInteger(cr.integer("valueType"));
    parent = &objectParent;
}
