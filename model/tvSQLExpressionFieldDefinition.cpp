#include "tvSQLExpressionFieldDefinition.h"

#include "tvTypes.h"

void tvSQLExpressionFieldDefinition::init(const rt::Object& cr, tvReport& objectParent) {
    name = cr.text("name");
    numberOfBytes = tvInteger(cr.integer("numberOfBytes"));
    sqlExpressionFieldName = cr.text("sqlExpressionFieldName");
    text = cr.text("text");
    valueType = tvInteger(cr.integer("valueType"));
    parent = &objectParent;
}
