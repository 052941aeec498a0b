#pragma once

#include "RtObject.h"
#include "tvCollections.h"
#include "tvConditionalFormula.h"
#include "tvFormattings.h"
#include "tvValueFormattings.h"

class tvIFieldDefinition;
class tvIReportObject;

// A field embedded in a text object. Unlike a field object it holds every value formatting,
// whatever its field's value type.
class tvFieldElement {
public:
    tvFieldElement() = default;
    tvFieldElement(const tvFieldElement&) = delete;
    tvFieldElement& operator=(const tvFieldElement&) = delete;

    // `objectParent` is the text object that holds the element; the field is resolved in the
    // report that holds that object.
    void init(const rt::Object& crFieldElement, tvIReportObject& objectParent);

    tvConditionalFormulas ConditionalFormulas;
    bool useOneSymbolPerPage = false;  // nothing fills it: see currencyFormatting
    qint16 textFormat = 0;             // nothing fills it: see paragraphFormatting
    bool suppressIfZero = false;
    bool suppressIfDuplicated = false;
    qint16 maxNumberOfLines = 0;
    tvIReportObject* parent = nullptr;
    tvParagraphFormatting paragraphFormatting;
    // The report's definition, shared with every other user; nullptr where the resolver has
    // none for the field's kind.
    tvIFieldDefinition* fieldDefinition = nullptr;
    tvNumberFormatting numberFormatting;
    tvDateTimeFormatting dateTimeFormatting;
    tvDateFormatting dateFormatting;
    tvCurrencyFormatting currencyFormatting;
    tvFontFormatting fontFormatting;
    tvBooleanFormatting booleanFormatting;
    tvTimeFormatting timeFormatting;
};
