#pragma once

#include <memory>

#include "tvCollections.h"
#include "tvConditionalFormula.h"
#include "tvFormattings.h"
#include "tvIReportObject.h"
#include "tvValueFormattings.h"

class tvIFieldDefinition;

// A field placed in a section. It refers to the report's own definition of the field, and holds
// only the value formattings that the field's value type calls for: the others stay null.
class tvFieldObject final : public tvIReportObject {
public:
    tvFieldObject() : tvIReportObject(tvFieldObjectKind) {}

    void init(const rt::Object& crFieldObject, tvSection& objectParent) override;

    QString key;  // nothing sets it
    // Common, border and font formulas, then those of the value formattings present.
    tvConditionalFormulas ConditionalFormulas;
    bool suppressIfZero = false;
    tvFontFormatting fontFormatting;
    std::unique_ptr<tvBooleanFormatting> booleanFormatting;  // value type 9
    tvBorderFormatting borderFormatting;
    tvCommonFormatting commonFormatting;
    QString conditionFormula;                                  // nothing sets it
    std::unique_ptr<tvCurrencyFormatting> currencyFormatting;  // 8
    std::unique_ptr<tvDateFormatting> dateFormatting;          // 10, 16
    std::unique_ptr<tvDateTimeFormatting> dateTimeFormatting;  // 16
    // The report's definition, shared; nullptr where the resolver has none for the field's kind.
    tvIFieldDefinition* field = nullptr;
    std::unique_ptr<tvNumberFormatting> numberFormatting;        // 1 to 7
    std::unique_ptr<tvParagraphFormatting> paragraphFormatting;  // 12, 13
    std::unique_ptr<tvTimeFormatting> timeFormatting;            // 11, 16
    tvHyperlinkFormatting hyperlinkFormatting;
};
