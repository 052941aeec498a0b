#include <gtest/gtest.h>

#include <functional>

#include "FaultyRuntime.h"
#include "LayoutFixture.h"
#include "TestSupport.h"
#include "tvConditionalFormulaHelper.h"

namespace {

// A runtime object with a formula "f<n>" for every formula number from 0 to 250.
std::unique_ptr<rt::Object> objectWithEveryFormula() {
    QByteArray xml = "<Report>";
    for (int n = 0; n <= 250; ++n) {
        xml += "<ConditionFormula number='" + QByteArray::number(n) + "'>f" +
               QByteArray::number(n) + "</ConditionFormula>";
    }
    return runtimeReport(xml + "</Report>");
}

using Group = std::function<void(const rt::Object&, tvConditionalFormulas&)>;

struct GroupCase {
    const char* group;
    Group add;
    std::vector<std::pair<int, std::string>> rows;  // formula number and caption, in list order
};

}  // namespace

// Each group lists its captions, exactly, in its own order, each with the formula of its number.
TEST(ConditionalFormulas, GroupsListTheirCaptionsInOrder) {
    const GroupCase cases[] = {
        {"border",
         AddBorderConditionalFormulas,
         {{45, "Background Color: "},
          {46, "Border Color: "},
          {43, "Bottom Line Style: "},
          {44, "Has Drop Shadow: "},
          {40, "Left Line Style: "},
          {41, "Right Line Style: "},
          {47, "Tight Horizontal: "},
          {48, "Tight Vertical: "},
          {42, "Top Line Style: "}}},
        {"boolean", AddBooleanConditionalFormulas, {{20, "Boolean Output Format: "}}},
        {"common",
         [](const rt::Object& o, tvConditionalFormulas& f) {
             AddCommonConditionalFormulas(o, f, false);
         },
         {{80, "Suppress if Duplicated: "},
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
          {65, "Tool Tip Text: "}}},
        {"common, first only",
         [](const rt::Object& o, tvConditionalFormulas& f) {
             AddCommonConditionalFormulas(o, f, true);
         },
         {{80, "Suppress if Duplicated: "}}},
        {"subreport",
         AddSubreportConditionalFormulas,
         {{220, "Supreport Caption: "}, {221, "Drill Down Tab Text: "}}},
        {"time",
         AddTimeConditionalFormulas,
         {{161, "AMPM Format: "},
          {166, "AM String: "},
          {162, "Hour Format: "},
          {168, "Hour Minute Separator: "},
          {163, "Minute Format: "},
          {167, "Minute Second Separator: "},
          {165, "PM String: "},
          {164, "Second Format: "},
          {160, "Time Base: "}}},
        {"paragraph", AddParagraphConditionalFormulas, {{200, "Text Interpretation: "}}},
        {"date",
         AddDateConditionalFormulas,
         {{131, "Calendar Type: "},
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
          {120, "Year Format: "}}},
        {"date-time",
         AddDateTimeConditionalFormulas,
         {{140, "Date Time Order: "}, {141, "Date Time Separator: "}}},
        {"font",
         AddFontConditionalFormulas,
         {{180, "Font Color: "},
          {181, "Font: "},
          {183, "Font Size: "},
          {184, "Font Strikeout: "},
          {182, "Font Style: "},
          {185, "Font Underline: "}}},
        {"number",
         AddNumberConditionalFormulas,
         {{114, "Allow Field Clipping: "},
          {111, "Currency Position: "},
          {109, "Currency Symbol: "},
          {104, "Currency Symbol Format: "},
          {108, "Decimal Symbol: "},
          {112, "Display Reverse Sign: "},
          {105, "Enable Suppress If Zero: "},
          {102, "Enable Use Lead Zero: "},
          {110, "Has One Symbol Per Page: "},
          {100, "NDecimal Places: "},
          {103, "Negative Format: "},
          {101, "Rounding Format: "},
          {106, "Thousands Separator: "},
          {107, "Thousand Symbol: "},
          {113, "Zero Value String: "}}},
    };
    const auto crObject = objectWithEveryFormula();
    for (const GroupCase& c : cases) {
        SCOPED_TRACE(c.group);
        tvConditionalFormulas formulas;
        c.add(*crObject, formulas);
        FormulaList expected;
        for (const auto& [number, caption] : c.rows) {
            expected.emplace_back(caption, "f" + std::to_string(number));
        }
        EXPECT_EQ(formulaList(formulas), expected);
    }
}

TEST(ConditionalFormulas, NoFormulasGiveAnEmptyList) {
    const auto crObject =
        runtimeReport("<Report><ConditionFormula number='999'>x</ConditionFormula></Report>");
    tvConditionalFormulas formulas;
    AddBorderConditionalFormulas(*crObject, formulas);
    AddCommonConditionalFormulas(*crObject, formulas, false);
    EXPECT_EQ(formulas.Count(), 0);
}

// A runtime object that refuses every formula adds nothing and raises nothing.
TEST(ConditionalFormulas, RefusedFormulasAreLeftOutQuietly) {
    const FaultyRuntime faults({QStringLiteral("conditionFormula")});
    const auto crObject = faults.wrap(objectWithEveryFormula());
    tvConditionalFormulas formulas;
    EXPECT_NO_THROW(AddNumberConditionalFormulas(*crObject, formulas));
    EXPECT_NO_THROW(AddConditionalFormula(*crObject, 100, QStringLiteral("x"), formulas));
    EXPECT_EQ(formulas.Count(), 0);
}
