#pragma once

#include "RtObject.h"
#include "tvCollections.h"

class tvReport;

// The report's database: its tables, the links between them, and every table's fields in one
// list keyed by field name, where field references find them.
class tvDatabase {
public:
    tvDatabase();
    ~tvDatabase();

    void init(const rt::Object& crDatabase, tvReport& objectParent);

    // The first table of exactly that name (letter case counts), or nullptr.
    tvDatabaseTable* FindTableByName(const QString& tableName) const;

    tvReport* parent = nullptr;
    tvDatabaseTables tables;
    tvTableLinks links;
    tvDatabaseFieldDefinitionRefs allFields;  // table order, then field order
};
