#pragma once

#include <QVariant>

#include "RtObject.h"
#include "tvIFieldDefinition.h"

class tvArea;

// One summary (a sum, a count, an average ...) over a field. The report holds one per distinct
// name; a cross-tab or chart holds its own, named after the object.
class tvSummaryFieldDefinition : public tvIFieldDefinition {
public:
    tvSummaryFieldDefinition() : tvIFieldDefinition(tvSummaryFieldKind) {}

    // With a parent object name, the definition is named "<parent>: <operation> <field>".
    void init(const rt::Object& crSummaryField, tvReport& objectParent,
              const QString& parentObjectName = QString());

    // The operation text of a summary operation code; empty for an unknown code.
    static QString getSummaryType(qint16 summaryType);

    QVariant value;
    qint16 summaryType = 0;
    qint32 summaryOperationParameter = 0;
    tvIFieldDefinition* summarizedField = nullptr;
    tvIFieldDefinition* secondarySummarizedField = nullptr;
    qint16 numberOfBytes = 0;
    qint16 heirarchicalSummaryType = 0;
    tvArea* headerArea = nullptr;  // never set by a load
    bool forCrossTab = false;
    tvArea* footerArea = nullptr;  // never set by a load
};
