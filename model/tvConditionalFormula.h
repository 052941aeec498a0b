#pragma once

#include <QString>

// One formula that drives a formatting property, under the caption of that property.
class tvConditionalFormula {
public:
    QString conditionalFieldName;
    QString conditionalFormulaText;
};
