#include "tvDatabase.h"

#include "tvDatabaseFieldDefinition.h"
#include "tvDatabaseTable.h"
#include "tvRuntime.h"
#include "tvTableLink.h"

tvDatabase::tvDatabase() = default;
tvDatabase::~tvDatabase() = default;

void tvDatabase::init(const rt::Object& crDatabase, tvReport& objectParent) {
    parent = &objectParent;
    tvForEachItem(crDatabase, "Tables", [this](const rt::Object& crTable) {
        tables.Add(std::make_unique<tvDatabaseTable>())->init(crTable, *this);
    });
    allFields = tvDatabaseFieldDefinitionRefs();
    for (tvDatabaseTable& table : tables) {
        for (tvDatabaseFieldDefinition& field : table.fields) allFields.Add(&field, field.name);
    }
    tvForEachItem(crDatabase, "Links", [this](const rt::Object& crLink) {
        links.Add(std::make_unique<tvTableLink>())->init(crLink, *this);
    });
}

tvDatabaseTable* tvDatabase::FindTableByName(const QString& tableName) const {
    for (tvDatabaseTable& table : tables) {
        if (table.name == tableName) return &table;
    }
    return nullptr;
}
