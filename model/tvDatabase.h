#pragma once

#include "RtObject.h"
#include "tvCollections.h"

class tvReport;

// The report's database: its tables, links and every table's fields.
class tvDatabase {
public:
    tvDatabase();
    ~tvDatabase();

    void init(const rt::Object& crDatabase, tvReport& objectParent);

    tvReport* parent = nullptr;
    tvDatabaseTables tables;
    tvTableLinks links;
    tvDatabaseFieldDefinitionRefs allFields;
};
