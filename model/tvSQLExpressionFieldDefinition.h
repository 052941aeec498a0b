#pragma once

#include <QVariant>

#include "RtObject.h"
#include "tvIFieldDefinition.h"

// One SQL expression field.
class tvSQLExpressionFieldDefinition : public tvIFieldDefinition {
public:
    tvSQLExpressionFieldDefinition() : tvIFieldDefinition(tvSQLExpressionFieldKind) {}

    void init(const rt::Object& crSqlExpressionField, tvReport& objectParent);

    QVariant value;  // never read from the report
    QString text;
    QString sqlExpressionFieldName;
    qint16 numberOfBytes = 0;
};
