#include "tvFieldObject.h"

#include <type_traits>

#include "tvConditionalFormulaHelper.h"
#include "tvFieldResolver.h"
#include "tvIFieldDefinition.h"
#include "tvShownField.h"

namespace {

// Creates the value formatting held in `Member` and fills it from the runtime field object.
template <auto Member, auto Read>
void create(tvFieldObject& object, const rt::Object& cr) {
    auto& formatting = object.*Member;
    formatting =
        std::make_unique<typename std::remove_reference_t<decltype(formatting)>::element_type>();
    Read(*formatting, cr);
}

void readParagraph(tvParagraphFormatting& formatting, const rt::Object& cr) {
    tvReadParagraphFormatting(formatting, cr);
}

// One value formatting: the value types that call for it, how it is made, and the formulas that
// come with it (none for currency and paragraph). Every row is tested, in this order, so that a
// date-time field lists its time formulas before its date and date-time ones.
struct ValueFormattingRow {
    bool (*callsFor)(qint16 valueType);
    void (*create)(tvFieldObject& object, const rt::Object& cr);
    void (*addFormulas)(const rt::Object& cr, tvConditionalFormulas& formulas);
};

constexpr ValueFormattingRow kValueFormattings[] = {
    {IsTimeValueType, create<&tvFieldObject::timeFormatting, tvReadTimeFormatting>,
     AddTimeConditionalFormulas},
    {IsDateValueType, create<&tvFieldObject::dateFormatting, tvReadDateFormatting>,
     AddDateConditionalFormulas},
    {IsBooleanValueType, create<&tvFieldObject::booleanFormatting, tvReadBooleanFormatting>,
     AddBooleanConditionalFormulas},
    {IsCurrencyValueType, create<&tvFieldObject::currencyFormatting, tvReadCurrencyFormatting>,
     nullptr},
    {IsDateTimeValueType, create<&tvFieldObject::dateTimeFormatting, tvReadDateTimeFormatting>,
     AddDateTimeConditionalFormulas},
    {IsNumberValueType, create<&tvFieldObject::numberFormatting, tvReadNumberFormatting>,
     AddNumberConditionalFormulas},
    {IsStringValueType, create<&tvFieldObject::paragraphFormatting, readParagraph>, nullptr},
};

}  // namespace

void tvFieldObject::init(const rt::Object& cr, tvSection& objectParent) {
    parent = &objectParent;
    // Read once: the definition now, the runtime's name of the field after the formattings.
    const auto crField = cr.object("field");
    field = tvResolveShownField(crField.get(), *report());
    tvReadPosition(position, cr);

    tvReadCommonFormatting(commonFormatting, cr);
    AddCommonConditionalFormulas(cr, ConditionalFormulas, false);
    tvReadBorderFormatting(borderFormatting, cr, true);
    AddBorderConditionalFormulas(cr, ConditionalFormulas);
    tvReadHyperlinkFormatting(hyperlinkFormatting, cr);
    tvReadFontFormatting(fontFormatting, cr, true);
    AddFontConditionalFormulas(cr, ConditionalFormulas);

    // The runtime's name of the field, which may differ from the model definition's.
    objectName = tvShownFieldName(crField.get());

    // A field without a definition has no value type, so it gets no value formatting.
    if (field) {
        for (const ValueFormattingRow& row : kValueFormattings) {
            if (!row.callsFor(field->valueType)) continue;
            row.create(*this, cr);
            if (row.addFormulas) row.addFormulas(cr, ConditionalFormulas);
        }
    }
    suppressIfZero = cr.flag("suppressIfZero");
}
