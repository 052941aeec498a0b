#pragma once

#include "RtObject.h"
#include "tvIFieldDefinition.h"

// The eight kinds of field definition. Each is held once by its report.

class tvDatabaseFieldDefinition : public tvIFieldDefinition {
public:
    tvDatabaseFieldDefinition() : tvIFieldDefinition(tvDatabaseFieldKind) {}
    void init(const rt::Object& crField, tvReport& report);
};

class tvFormulaField : public tvIFieldDefinition {
public:
    tvFormulaField() : tvIFieldDefinition(tvFormulaFieldKind) {}
    void init(const rt::Object& crField, tvReport& report);
};

class tvSummaryFieldDefinition : public tvIFieldDefinition {
public:
    tvSummaryFieldDefinition() : tvIFieldDefinition(tvSummaryFieldKind) {}
    void init(const rt::Object& crField, tvReport& report, const QString& parentObjectName);
};

class tvSpecialVarFieldDefinition : public tvIFieldDefinition {
public:
    tvSpecialVarFieldDefinition() : tvIFieldDefinition(tvSpecialVarFieldKind) {}
    void init(const rt::Object& crField, tvReport& report);
};

class tvGroupNameField : public tvIFieldDefinition {
public:
    tvGroupNameField() : tvIFieldDefinition(tvGroupNameFieldKind) {}
    void init(const rt::Object& crField, tvReport& report);
};

class tvParameterFieldDefinition : public tvIFieldDefinition {
public:
    tvParameterFieldDefinition() : tvIFieldDefinition(tvParameterFieldKind) {}
    void init(const rt::Object& crField, tvReport& report);
};

class tvRunningTotalFieldDefinition : public tvIFieldDefinition {
public:
    tvRunningTotalFieldDefinition() : tvIFieldDefinition(tvRunningTotalFieldKind) {}
    void init(const rt::Object& crField, tvReport& report);
};

class tvSQLExpressionFieldDefinition : public tvIFieldDefinition {
public:
    tvSQLExpressionFieldDefinition() : tvIFieldDefinition(tvSQLExpressionFieldKind) {}
    void init(const rt::Object& crField, tvReport& report);
};
