#pragma once

#include <QVariant>

#include "RtObject.h"
#include "tvIFieldDefinition.h"

// One use of a special field (print date, page number ...): every use gets its own definition.
class tvSpecialVarFieldDefinition : public tvIFieldDefinition {
public:
    tvSpecialVarFieldDefinition() : tvIFieldDefinition(tvSpecialVarFieldKind) {}

    void init(const rt::Object& crSpecialVarField, tvReport& objectParent);

    QVariant value;
    qint16 specialVarType = 0;
    qint16 numberOfBytes = 0;
};
