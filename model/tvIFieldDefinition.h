#pragma once

#include <QString>

class tvReport;

// Field kind codes.
enum tvFieldKind : qint16 {
    tvDatabaseFieldKind = 1,
    tvFormulaFieldKind = 2,
    tvSummaryFieldKind = 3,
    tvSpecialVarFieldKind = 4,
    tvGroupNameFieldKind = 5,
    tvParameterFieldKind = 6,
    tvRunningTotalFieldKind = 7,
    tvSQLExpressionFieldKind = 8,
};

// What every field definition answers, whatever its kind. A definition is held once by its
// report and shared by every user.
class tvIFieldDefinition {
public:
    virtual ~tvIFieldDefinition() = default;

    tvReport* parent = nullptr;
    qint16 kind = 0;
    QString name;
    qint16 valueType = 0;

protected:
    tvIFieldDefinition() = default;
    explicit tvIFieldDefinition(qint16 k) : kind(k) {}
};
