#pragma once

#include "RtObject.h"
#include "tvIFieldDefinition.h"

// One running total field: the summary it accumulates and when it evaluates and resets. Its
// condition fields and formulas are not copied and stay empty.
class tvRunningTotalFieldDefinition : public tvIFieldDefinition {
public:
    tvRunningTotalFieldDefinition() : tvIFieldDefinition(tvRunningTotalFieldKind) {}

    void init(const rt::Object& crRunningTotal, tvReport& objectParent);

    qint16 summaryType = 0;
    qint32 summaryOperationParameter = 0;
    tvIFieldDefinition* summarizedField = nullptr;
    tvIFieldDefinition* secondarySummarizedField = nullptr;
    QString runningTotalFieldName;
    qint16 resetGroupNumber = 0;  // 0 when the runtime cannot give one
    QString resetConditionFormula;
    tvIFieldDefinition* resetConditionField = nullptr;
    qint16 resetCondition = 0;
    qint16 numberOfBytes = 0;
    qint16 hierarchicalSummaryType = 0;
    qint16 evaluateGroupNumber = 0;
    QString evaluateConditionFormula;
    tvIFieldDefinition* evaluateConditionField = nullptr;
    qint16 evaluateCondition = 0;
};
