#include <gtest/gtest.h>

#include "LayoutFixture.h"
#include "TestSupport.h"
#include "tvArea.h"
#include "tvFieldDefinitions.h"
#include "tvSection.h"

namespace {

const QByteArray kGroupValues =
    "discardOtherGroups='true' enableHierarchicalGroupSorting='true' groupCondition='3' "
    "groupIndent='120' groupNumber='2' keepGroupTogether='true' numberOfTopOrBottomNGroups='5' "
    "repeatGroupHeader='true' sortDirection='1' topOrBottomNGroupSortOrder='2' ";
const QByteArray kDetailValues =
    "copiesToPrint='2' detailHeight='1440' detailWidth='2880' horizontalGap='60' ";
const QByteArray kAreaValues =
    "hideForDrillDown='true' keepTogether='true' newPageAfter='true' newPageBefore='true' "
    "printAtBottomOfPage='true' resetPageNumberAfter='true' suppress='true' ";

QByteArray areaOfKind(int kind) {
    return "<Area kind='" + QByteArray::number(kind) + "' name='Area" + QByteArray::number(kind) +
           "' " + kGroupValues + kDetailValues + kAreaValues + "/>";
}

bool hasGroupValues(const tvArea& a) {
    return a.discardOtherGroups && a.enableHierarchicalGroupSorting && a.groupCondition == 3 &&
           a.groupIndent == 120 && a.groupNumber == 2 && a.keepGroupTogether &&
           a.numberOfTopOrBottomNGroups == 5 && a.repeatGroupHeader && a.sortDirection == 1 &&
           a.topOrBottomNGroupSortOrder == 2;
}
bool hasNoGroupValues(const tvArea& a) {
    return !a.discardOtherGroups && !a.enableHierarchicalGroupSorting && a.groupCondition == 0 &&
           a.groupIndent == 0 && a.groupNumber == 0 && !a.keepGroupTogether &&
           a.numberOfTopOrBottomNGroups == 0 && !a.repeatGroupHeader && a.sortDirection == 0 &&
           a.topOrBottomNGroupSortOrder == 0 && !a.groupConditionField && !a.topOrBottomNSortField;
}
bool hasDetailValues(const tvArea& a) {
    return a.copiesToPrint == 2 && a.detailHeight == 1440 && a.detailWidth == 2880 &&
           a.horizontalGap == 60;
}
bool hasNoDetailValues(const tvArea& a) {
    return a.copiesToPrint == 0 && a.detailHeight == 0 && a.detailWidth == 0 &&
           a.horizontalGap == 0;
}

}  // namespace

// Every area kind offers every value; only group areas take the group values and only the
// details take the detail values.
TEST(Area, GroupValuesOnlyForGroupAreasAndDetailValuesOnlyForDetails) {
    const int kinds[] = {1, 2, 3, 4, 5, 7, 8};
    QByteArray areas;
    for (int kind : kinds) areas += areaOfKind(kind);
    const auto report = loadReport(reportWithAreas(areas));
    ASSERT_EQ(report->tvAreas.Count(), 7);
    for (int i = 0; i < 7; ++i) {
        const tvArea& area = report->tvAreas.Item(i + 1);
        SCOPED_TRACE(kinds[i]);
        EXPECT_EQ(area.kind, kinds[i]);
        EXPECT_EQ(area.name, QStringLiteral("Area%1").arg(kinds[i]));
        EXPECT_EQ(area.parent, report.get());
        const bool group = kinds[i] == 3 || kinds[i] == 5;
        EXPECT_TRUE(group ? hasGroupValues(area) : hasNoGroupValues(area));
        EXPECT_TRUE(kinds[i] == 4 ? hasDetailValues(area) : hasNoDetailValues(area));
        EXPECT_TRUE(area.keepTogether && area.newPageAfter && area.newPageBefore &&
                    area.printAtBottomOfPage && area.resetPageNumberAfter && area.suppress);
        EXPECT_EQ(area.hideForDrillDown.typeId(), QMetaType::Bool);
        EXPECT_TRUE(area.hideForDrillDown.toBool());
        EXPECT_TRUE(area.key.isEmpty());
        EXPECT_EQ(area.tvSections.Count(), 0);
    }
}

TEST(Area, HideForDrillDownIsAlwaysABoolean) {
    const auto report = loadReport(reportWithAreas("<Area kind='1'/>"));
    const tvArea& area = report->tvAreas.Item(1);
    EXPECT_EQ(area.hideForDrillDown.typeId(), QMetaType::Bool);
    EXPECT_FALSE(area.hideForDrillDown.toBool());
}

// A value that does not fit its 16-bit member fails the load only where the area reads it.
TEST(Area, OverflowFailsOnlyWhereTheValueIsRead) {
    struct Case {
        const char* area;
        bool fails;
    };
    const Case cases[] = {
        {"<Area kind='3' groupCondition='40000'/>", true},
        {"<Area kind='5' sortDirection='-40000'/>", true},
        {"<Area kind='4' groupCondition='40000' sortDirection='-40000'/>", false},
        {"<Area kind='4' copiesToPrint='32768'/>", true},
        {"<Area kind='3' copiesToPrint='32768'/>", false},
        {"<Area kind='1' groupNumber='70000' copiesToPrint='70000'/>", false},
        {"<Area kind='70000'/>", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.area);
        const QByteArray xml = reportWithAreas(c.area);
        if (c.fails) {
            try {
                loadReport(xml);
                ADD_FAILURE() << "the load did not fail";
            } catch (const rt::Error& e) {
                EXPECT_EQ(e.number(), rt::kErrOverflow);
            }
        } else {
            EXPECT_NO_THROW(loadReport(xml));
        }
        EXPECT_EQ(liveRuntimeObjects(), 0);
    }
}

TEST(Area, SectionsInRuntimeOrderWithTheirOptions) {
    const auto report = loadReport(reportWithAreas(
        "<Area kind='4' name='DetailArea1'><Sections>"
        "<Section sectionName='DetailSection1' number='0'/>"
        "<Section sectionName='DetailSection2' number='1' backColor='0x80000005' cssClass='row' "
        "  height='288' keepTogether='true' minimumHeight='144' newPageAfter='true' "
        "  newPageBefore='true' printAtBottom='true' resetPageNumAfter='true' suppress='true' "
        "  suppressIfBlank='true' underlaySection='true' width='11520'/>"
        "<Section sectionName='DetailSection3' number='2' backColor='0xFFFFFF'/>"
        "</Sections></Area>"));
    const tvArea& area = report->tvAreas.Item(1);
    ASSERT_EQ(area.tvSections.Count(), 3);
    QStringList names;
    for (const tvSection& s : area.tvSections) {
        names << s.sectionName;
        EXPECT_EQ(s.parent, &area);
    }
    EXPECT_EQ(names, QStringList({"DetailSection1", "DetailSection2", "DetailSection3"}));

    const tvSection& s = area.tvSections.Item(2);
    EXPECT_EQ(s.number, 1);
    EXPECT_EQ(s.backColor, static_cast<qint32>(0x80000005u));  // a system colour, kept bit for bit
    EXPECT_EQ(s.cssClass, QStringLiteral("row"));
    EXPECT_EQ(s.height, 288);
    EXPECT_EQ(s.minimumHeight, 144);
    EXPECT_EQ(s.width, 11520);
    EXPECT_TRUE(s.keepTogether && s.newPageAfter && s.newPageBefore && s.printAtBottom &&
                s.resetPageNumAfter && s.suppress && s.suppressIfBlank && s.underlaySection);
    EXPECT_EQ(area.tvSections.Item(3).backColor, 0xFFFFFF);
    EXPECT_EQ(area.tvSections.Item(1).backColor, 0);
}

TEST(Area, GroupAreaWithoutFieldsKeepsNoReferences) {
    const auto report = loadReport(reportWithAreas("<Area kind='3' groupNumber='1'/>"));
    const tvArea& area = report->tvAreas.Item(1);
    EXPECT_EQ(area.groupConditionField, nullptr);
    EXPECT_EQ(area.topOrBottomNSortField, nullptr);
}

TEST(Area, FailingSectionFailsTheLoad) {
    const QByteArray xml = reportWithAreas(
        "<Area kind='1'><Sections><Section/><Section fail='height'/></Sections></Area>");
    EXPECT_THROW(loadReport(xml), rt::Error);
    EXPECT_EQ(liveRuntimeObjects(), 0);
}

namespace {

// Formula fields and a summary that group areas refer to.
const QByteArray kDefinitions =
    "<FormulaFields><FormulaField kind='2' name='Region' valueType='12'/>"
    "<FormulaField kind='2' name='Amount' valueType='7'/></FormulaFields>"
    "<SummaryFields><SummaryField kind='3' name='Sum of Amount' valueType='7' "
    "summarizedField='2:Amount'/></SummaryFields>";

QByteArray reportWithDefinitions(const QByteArray& areas) {
    return "<Report><Database/><ExportOptions/>" + kDefinitions + "<Areas>" + areas +
           "</Areas></Report>";
}

}  // namespace

TEST(Area, GroupAreasShareTheReportsDefinitions) {
    const auto report = loadReport(reportWithDefinitions(
        "<Area kind='3' groupConditionField='2:Region' topOrBottomNSortField='3:Sum of Amount'/>"
        "<Area kind='4' groupConditionField='2:Region' topOrBottomNSortField='3:Sum of Amount'/>"
        "<Area kind='5' groupConditionField='2:Region' topOrBottomNSortField='3:Sum of Amount'/>"));
    const tvIFieldDefinition* region = &report->tvFormulaFields.Item(QStringLiteral("Region"));
    const tvSummaryFieldDefinition* sum =
        &report->tvSummaryFieldDefinitions.Item(QStringLiteral("Sum of Amount"));
    for (int i : {1, 3}) {
        EXPECT_EQ(report->tvAreas.Item(i).groupConditionField, region);
        EXPECT_EQ(report->tvAreas.Item(i).topOrBottomNSortField, sum);
    }
    EXPECT_EQ(report->tvAreas.Item(2).groupConditionField, nullptr);
    EXPECT_EQ(report->tvAreas.Item(2).topOrBottomNSortField, nullptr);
}

TEST(Area, TopNFieldThatIsNoSummaryFailsTheLoad) {
    try {
        loadReport(reportWithDefinitions("<Area kind='5' topOrBottomNSortField='2:Region'/>"));
        ADD_FAILURE() << "the load did not fail";
    } catch (const rt::Error& e) {
        EXPECT_EQ(e.number(), rt::kErrTypeMismatch);
    }
    EXPECT_EQ(liveRuntimeObjects(), 0);
}
