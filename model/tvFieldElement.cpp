#include "tvFieldElement.h"

#include "tvConditionalFormulaHelper.h"
#include "tvIReportObject.h"
#include "tvShownField.h"
#include "tvTypes.h"

namespace {

// Of the common group an element carries only the suppress-if-duplicated formula.
void addSuppressIfDuplicated(const rt::Object& cr, tvConditionalFormulas& formulas) {
    AddCommonConditionalFormulas(cr, formulas, true);
}

// The element's formula groups, in list order; no border group.
constexpr void (*kFormulaGroups[])(const rt::Object&, tvConditionalFormulas&) = {
    AddBooleanConditionalFormulas,   addSuppressIfDuplicated,    AddDateConditionalFormulas,
    AddDateTimeConditionalFormulas,  AddFontConditionalFormulas, AddNumberConditionalFormulas,
    AddParagraphConditionalFormulas, AddTimeConditionalFormulas,
};

}  // namespace

void tvFieldElement::init(const rt::Object& cr, tvIReportObject& objectParent) {
    tvReadBooleanFormatting(booleanFormatting, cr);
    tvReadCurrencyFormatting(currencyFormatting, cr);
    tvReadDateFormatting(dateFormatting, cr);
    tvReadDateTimeFormatting(dateTimeFormatting, cr);
    tvReadFontFormatting(fontFormatting, cr);
    tvReadNumberFormatting(numberFormatting, cr);
    tvReadParagraphFormatting(paragraphFormatting, cr);
    tvReadTimeFormatting(timeFormatting, cr);
    parent = &objectParent;
    for (const auto addGroup : kFormulaGroups) addGroup(cr, ConditionalFormulas);
    fieldDefinition = tvResolveShownField(cr, *objectParent.report());
    maxNumberOfLines = tvInteger(cr.integer("maxNumberOfLines"));
    suppressIfDuplicated = cr.flag("suppressIfDuplicated");
    suppressIfZero = cr.flag("suppressIfZero");
}
