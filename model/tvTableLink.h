#pragma once

#include "RtObject.h"
#include "tvCollections.h"

class tvDatabase;

// A join between two tables of the database. Its tables are the database's own, found by name;
// its fields are the tables' field definitions.
class tvTableLink {
public:
    void init(const rt::Object& crTableLink, tvDatabase& objectParent);

    tvDatabaseTable* sourceTable = nullptr;  // nullptr when no table has its name
    tvDatabaseFieldDefinitionRefs sourceFields;
    tvDatabase* parent = nullptr;
    qint16 lookupType = 0;
    qint16 joinType = 0;
    tvDatabaseTable* destinationTable = nullptr;
    tvDatabaseFieldDefinitionRefs destinationFields;
};
