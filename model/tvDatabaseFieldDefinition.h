#pragma once

#include <QVariant>

#include "RtObject.h"
#include "tvIFieldDefinition.h"

// One column of a database table that the report uses. Its table owns it; the database's list
// of all fields, the links and every other user refer to it.
class tvDatabaseFieldDefinition : public tvIFieldDefinition {
public:
    tvDatabaseFieldDefinition() : tvIFieldDefinition(tvDatabaseFieldKind) {}

    void init(const rt::Object& crDatabaseField, tvReport& objectParent);

    QVariant value;
    QString tableAliasName;
    qint16 numberOfBytes = 0;
    QString databaseFieldName;
    QString databaseFieldDisplayName;
};
