#pragma once

#include <QString>

// One formatting property that carries a formula of its own: the caption that names the
// property, and the formula text as the runtime gives it.
class tvConditionalFormula {
public:
    QString conditionalFieldName;
    QString conditionalFormulaText;
};
