#include "tvDatabaseFieldDefinition.h"

#include "tvRuntime.h"
#include "tvTypes.h"

void tvDatabaseFieldDefinition::init(const rt::Object& cr, tvReport& objectParent) {
    databaseFieldDisplayName = cr.text("databaseFieldDisplayName");
    databaseFieldName = cr.text("databaseFieldName");
    name = cr.text("name");
    numberOfBytes = tvInteger(cr.integer("numberOfBytes"));
    tableAliasName = cr.text("tableAliasName");
    value = tvFieldValue(cr, "value");
    valueType = tvInteger(cr.integer("valueType"));
    parent = &objectParent;
}
