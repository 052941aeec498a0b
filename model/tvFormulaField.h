#pragma once

#include "RtObject.h"
#include "tvCollections.h"
#include "tvIFieldDefinition.h"

// One formula field of the report.
class tvFormulaField : public tvIFieldDefinition {
public:
    tvFormulaField();
    ~tvFormulaField() override;

    void init(const rt::Object& crFormulaField, tvReport& objectParent);

    QString key;                                // never set by a load
    tvConditionalFormulas ConditionalFormulas;  // stays empty: a formula has no formatting
    QString fieldName;
    QString tvIReportObject_objectName;
    qint16 numberOfBytes = 0;
    QString text;
};
