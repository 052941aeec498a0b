#pragma once

#include "RtObject.h"
#include "tvCollections.h"

class tvDatabase;

// One table of the report's database; it owns the definitions of its fields.
class tvDatabaseTable {
public:
    tvDatabaseTable();
    ~tvDatabaseTable();

    void init(const rt::Object& crDatabaseTable, tvDatabase& objectParent);

    QString location;
    tvDatabaseFieldDefinitions fields;
    QString dllName;
    QString descriptiveName;  // never read from the report
    qint16 databaseType = 0;
    QString connectBufferString;
    QString name;
    qint16 kind = 0;  // never read from the report
    tvDatabase* parent = nullptr;
};
