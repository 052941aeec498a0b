#include <gtest/gtest.h>

#include "LayoutFixture.h"
#include "TestSupport.h"
#include "tvArea.h"
#include "tvConditionalFormulaHelper.h"
#include "tvSection.h"

namespace {

const tvSection& firstSection(const tvReport& report) {
    return report.tvAreas.Item(1).tvSections.Item(1);
}

QByteArray formula(int number, const QByteArray& text, const QByteArray& extra = {}) {
    return "<ConditionFormula number='" + QByteArray::number(number) + "' " + extra + ">" + text +
           "</ConditionFormula>";
}

}  // namespace

// Every section formula, written in reverse number order, comes out in caption order.
TEST(Section, FormulasInCaptionOrder) {
    QByteArray formulas;
    for (int n : {tvSectionCssClassFormulaNumber, qint16(10), qint16(9), qint16(8), qint16(7),
                  qint16(6), qint16(5), qint16(4), qint16(3), qint16(2), qint16(1), qint16(0)}) {
        formulas += formula(n, "f" + QByteArray::number(n));
    }
    const auto report = loadReport(reportWithSection(formulas));
    const FormulaList expected = {
        {"Section Background Color: ", "f8"},
        {"Css Class: ", "f" + std::to_string(tvSectionCssClassFormulaNumber)},
        {"Enable Hide for Drill Down: ", "f10"},
        {"Enable Keep Together: ", "f4"},
        {"Enable New Page After: ", "f2"},
        {"Enable New Page Before: ", "f3"},
        {"Enable Print At Bottom Of Page: ", "f1"},
        {"Enable Reset Page Number After: ", "f6"},
        {"Enable Suppress : ", "f0"},
        {"Enable Suppress if Blank: ", "f5"},
        {"Enable Underlay Section: ", "f7"},
        {"Show Area: ", "f9"},
    };
    EXPECT_EQ(formulaList(firstSection(*report).ConditionalFormulas), expected);
}

// The CSS-class formula has a number of its own: a background colour formula is listed once,
// and never again under "Css Class: ".
TEST(Section, BackgroundColourFormulaIsNotTakenForTheCssClass) {
    const auto report = loadReport(reportWithSection(formula(8, "crRed")));
    EXPECT_EQ(formulaList(firstSection(*report).ConditionalFormulas),
              FormulaList({{"Section Background Color: ", "crRed"}}));
}

// An empty formula is no formula; blanks are a formula; a formula that cannot be read is left
// out and the others are still read.
TEST(Section, EmptyBlankAndUnreadableFormulas) {
    const auto report = loadReport(reportWithSection(
        formula(0, "") + formula(4, " ") + formula(2, "x", "fail='text'") + formula(3, "true")));
    EXPECT_EQ(formulaList(firstSection(*report).ConditionalFormulas),
              FormulaList({{"Enable Keep Together: ", " "}, {"Enable New Page Before: ", "true"}}));
}

TEST(Section, RuntimeRefusingEveryFormulaLeavesAnEmptyListAndTheLoadGoesOn) {
    const auto report = loadReport(reportWithSection(
        formula(8, "crRed") + "<ReportObjects><OleObject kind='6'/></ReportObjects>",
        "fail='conditionFormula' sectionName='S'"));
    const tvSection& section = firstSection(*report);
    EXPECT_EQ(section.ConditionalFormulas.Count(), 0);
    EXPECT_EQ(section.sectionName, QStringLiteral("S"));
    EXPECT_EQ(section.reportObjects.Count(), 1);
}

// Objects of a kind the model does not copy are skipped; those after them are still created,
// in runtime order, each with the section as parent.
TEST(Section, ObjectsCreatedByKindAndUnknownKindsSkipped) {
    const auto report = loadReport(reportWithObjects(
        "<OleObject kind='6'/><Unknown kind='0'/><MapObject kind='10' name='World'/>"
        "<Unknown kind='12'/><Unknown kind='65542'/><Unknown/><OlapGridObject kind='11'/>"));
    const tvSection& section = firstSection(*report);
    ASSERT_EQ(section.reportObjects.Count(), 3);
    const qint16 kinds[] = {tvOleObjectKind, tvMapObjectKind, tvOLAPGridObjectKind};
    const char* names[] = {"Ole", "World", "OLAP Grid"};
    for (int i = 0; i < 3; ++i) {
        const tvIReportObject& object = section.reportObjects.Item(i + 1);
        EXPECT_EQ(object.kind, kinds[i]);
        EXPECT_EQ(object.objectName, QString::fromLatin1(names[i]));
        EXPECT_EQ(object.parent, &section);
        EXPECT_EQ(object.report(), report.get());
    }
}

TEST(Section, EmptySectionStillCollectsItsFormulas) {
    const auto report = loadReport(reportWithSection(formula(7, "x") + "<ReportObjects/>"));
    EXPECT_EQ(firstSection(*report).reportObjects.Count(), 0);
    EXPECT_EQ(firstSection(*report).ConditionalFormulas.Count(), 1);
}

TEST(Section, ObjectWhoseKindCannotBeReadFailsTheLoad) {
    for (const char* object : {"<OleObject fail='kind'/>", "<OleObject kind='ole'/>"}) {
        SCOPED_TRACE(object);
        EXPECT_THROW(loadReport(reportWithObjects(object)), rt::Error);
        EXPECT_EQ(liveRuntimeObjects(), 0);
    }
}
