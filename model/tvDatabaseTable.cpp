#include "tvDatabaseTable.h"

#include "tvDatabase.h"
#include "tvDatabaseFieldDefinition.h"
#include "tvRuntime.h"
#include "tvTypes.h"

tvDatabaseTable::tvDatabaseTable() = default;
tvDatabaseTable::~tvDatabaseTable() = default;

void tvDatabaseTable::init(const rt::Object& cr, tvDatabase& objectParent) {
    connectBufferString = cr.text("connectBufferString");
    databaseType = tvInteger(cr.integer("databaseType"));
    dllName = cr.text("dllName");
    location = cr.text("location");
    name = cr.text("name");
    parent = &objectParent;
    // A table's fields belong to the report like every other field definition.
    tvReport& report = *objectParent.parent;
    tvForEachItem(cr, "Fields", [this, &report](const rt::Object& crField) {
        fields.Add(std::make_unique<tvDatabaseFieldDefinition>())->init(crField, report);
    });
}
