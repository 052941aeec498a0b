#include "tvConditionalFormulaHelper.h"

#include <memory>
#include <span>

namespace {

// One formatting property that may carry a formula: the runtime's formula number and the caption
// readers show. Captions are the system's own texts, spelling included.
struct FormulaRow {
    qint16 index;
    const char* caption;
};

// Rows stand in the order of the list, which is not the order of the numbers.
constexpr FormulaRow kBorder[] = {
    {45, "Background Color: "}, {46, "Border Color: "},    {43, "Bottom Line Style: "},
    {44, "Has Drop Shadow: "},  {40, "Left Line Style: "}, {41, "Right Line Style: "},
    {47, "Tight Horizontal: "}, {48, "Tight Vertical: "},  {42, "Top Line Style: "},
};

constexpr FormulaRow kBoolean[] = {{20, "Boolean Output Format: "}};

constexpr FormulaRow kCommon[] = {
    {80, "Suppress if Duplicated: "},
    {81, "Use System Default: "},
    {68, "Css Class: "},
    {70, "Delta Width: "},
    {69, "Delta X : "},
    {64, "Enable Can Grow: "},
    {62, "Enable Close At Page Break: "},
    {61, "Enable Keep Together: "},
    {60, "Enable Suppress: "},
    {63, "Horizontal Alignment: "},
    {67, "Hyperlink: "},
    {66, "Rotation: "},
    {65, "Tool Tip Text: "},
};

constexpr FormulaRow kSection[] = {
    {8, "Section Background Color: "},
    {tvSectionCssClassFormulaNumber, "Css Class: "},
    {10, "Enable Hide for Drill Down: "},
    {4, "Enable Keep Together: "},
    {2, "Enable New Page After: "},
    {3, "Enable New Page Before: "},
    {1, "Enable Print At Bottom Of Page: "},
    {6, "Enable Reset Page Number After: "},
    {0, "Enable Suppress : "},
    {5, "Enable Suppress if Blank: "},
    {7, "Enable Underlay Section: "},
    {9, "Show Area: "},
};

constexpr FormulaRow kSubreport[] = {{220, "Supreport Caption: "}, {221, "Drill Down Tab Text: "}};

constexpr FormulaRow kTime[] = {
    {161, "AMPM Format: "},   {166, "AM String: "},
    {162, "Hour Format: "},   {168, "Hour Minute Separator: "},
    {163, "Minute Format: "}, {167, "Minute Second Separator: "},
    {165, "PM String: "},     {164, "Second Format: "},
    {160, "Time Base: "},
};

constexpr FormulaRow kParagraph[] = {{200, "Text Interpretation: "}};

constexpr FormulaRow kDate[] = {
    {131, "Calendar Type: "},
    {128, "Date First Separator: "},
    {124, "Date Order: "},
    {132, "Date Prefix Separator: "},
    {129, "Date Second Spearator: "},
    {133, "Date Suffix Separator: "},
    {122, "Day Format: "},
    {134, "Day of Week Enclosure: "},
    {127, "Day of Week Position: "},
    {126, "Day of Week Separator: "},
    {125, "Day of Week Type: "},
    {130, "Era Type: "},
    {121, "Month Format: "},
    {123, "Windows Default: "},
    {120, "Year Format: "},
};

constexpr FormulaRow kDateTime[] = {{140, "Date Time Order: "}, {141, "Date Time Separator: "}};

constexpr FormulaRow kFont[] = {
    {180, "Font Color: "},     {181, "Font: "},       {183, "Font Size: "},
    {184, "Font Strikeout: "}, {182, "Font Style: "}, {185, "Font Underline: "},
};

constexpr FormulaRow kNumber[] = {
    {114, "Allow Field Clipping: "},    {111, "Currency Position: "},
    {109, "Currency Symbol: "},         {104, "Currency Symbol Format: "},
    {108, "Decimal Symbol: "},          {112, "Display Reverse Sign: "},
    {105, "Enable Suppress If Zero: "}, {102, "Enable Use Lead Zero: "},
    {110, "Has One Symbol Per Page: "}, {100, "NDecimal Places: "},
    {103, "Negative Format: "},         {101, "Rounding Format: "},
    {106, "Thousands Separator: "},     {107, "Thousand Symbol: "},
    {113, "Zero Value String: "},
};

// A formula of the runtime object under its caption; nothing when it has none or cannot give it.
// The caption is made only for a formula that is there.
template <class Caption>
void addFormula(const rt::Object& crObject, qint16 index, const Caption& caption,
                tvConditionalFormulas& formulas) noexcept {
    try {
        const QString text = crObject.conditionFormula(index);
        if (text.isEmpty()) return;
        auto formula = std::make_unique<tvConditionalFormula>();
        formula->conditionalFieldName = QString(caption);
        formula->conditionalFormulaText = text;
        formulas.Add(std::move(formula));
    } catch (...) {
        // A formula the runtime cannot give is left out; the owner goes on with the next one.
    }
}

// Every row costs one call on the runtime object, formula or not.
void addRows(const rt::Object& crObject, std::span<const FormulaRow> rows,
             tvConditionalFormulas& formulas) {
    for (const FormulaRow& row : rows)
        addFormula(crObject, row.index, QLatin1StringView(row.caption), formulas);
}

}  // namespace

void AddConditionalFormula(const rt::Object& crObject, qint16 index, const QString& caption,
                           tvConditionalFormulas& formulas) noexcept {
    addFormula(crObject, index, caption, formulas);
}

void AddBorderConditionalFormulas(const rt::Object& crObject, tvConditionalFormulas& formulas) {
    addRows(crObject, kBorder, formulas);
}

void AddBooleanConditionalFormulas(const rt::Object& crObject, tvConditionalFormulas& formulas) {
    addRows(crObject, kBoolean, formulas);
}

void AddCommonConditionalFormulas(const rt::Object& crObject, tvConditionalFormulas& formulas,
                                  bool firstOnly) {
    addRows(crObject,
            std::span<const FormulaRow>(kCommon).first(firstOnly ? 1 : std::size(kCommon)),
            formulas);
}

void AddSectionConditionalFormulas(const rt::Object& crObject, tvConditionalFormulas& formulas) {
    addRows(crObject, kSection, formulas);
}

void AddSubreportConditionalFormulas(const rt::Object& crObject, tvConditionalFormulas& formulas) {
    addRows(crObject, kSubreport, formulas);
}

void AddTimeConditionalFormulas(const rt::Object& crObject, tvConditionalFormulas& formulas) {
    addRows(crObject, kTime, formulas);
}

void AddParagraphConditionalFormulas(const rt::Object& crObject, tvConditionalFormulas& formulas) {
    addRows(crObject, kParagraph, formulas);
}

void AddDateConditionalFormulas(const rt::Object& crObject, tvConditionalFormulas& formulas) {
    addRows(crObject, kDate, formulas);
}

void AddDateTimeConditionalFormulas(const rt::Object& crObject, tvConditionalFormulas& formulas) {
    addRows(crObject, kDateTime, formulas);
}

void AddFontConditionalFormulas(const rt::Object& crObject, tvConditionalFormulas& formulas) {
    addRows(crObject, kFont, formulas);
}

void AddNumberConditionalFormulas(const rt::Object& crObject, tvConditionalFormulas& formulas) {
    addRows(crObject, kNumber, formulas);
}
