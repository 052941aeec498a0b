#include <gtest/gtest.h>

#include <QFile>

#include "ChartFixture.h"
#include "tvBlobObject.h"
#include "tvCrossTabObject.h"
#include "tvGraphObject.h"

namespace {

template <class T>
const T& sampleObject(const tvReport& report, const char* area) {
    return dynamic_cast<const T&>(
        report.tvAreas.Item(QString::fromLatin1(area)).tvSections.Item(1).reportObjects.Item(1));
}

}  // namespace

TEST(ChartsSample, LoadsChartCrossTabAndPicture) {
    tvReport report;
    loadReportFile(report, sampleReport(QStringLiteral("charts.xml")));
    EXPECT_EQ(liveRuntimeObjects(), 0);

    const auto& chart = sampleObject<tvGraphObject>(report, "ReportHeaderArea1");
    EXPECT_EQ(definitionNames(chart.summaryFields),
              QStringList({"Graph1-1: Sum of Amount", "Graph1-2: Sum of OrderLines.Quantity"}));
    ASSERT_EQ(chart.ConditionFields.Count(), 2);
    EXPECT_EQ(&chart.ConditionFields.Item(1), ordersColumn(report, "OrderLines.Region"));
    EXPECT_EQ(&chart.ConditionFields.Item(2), &report.tvFormulaFields.Item("Year"));
    for (const tvFont* font :
         {&chart.titleFont, &chart.subTitleFont, &chart.footNoteFont, &chart.seriesTitleFont,
          &chart.seriesLabelFont, &chart.groupTitleFont, &chart.groupLabelFont,
          &chart.dataTitleFont, &chart.dataLabelFont, &chart.Data2TitleFont,
          &chart.Data2LabelFont}) {
        EXPECT_EQ(font->name, u"Arial");
    }
    EXPECT_EQ(chart.legendFont.name, u"Arial Narrow");
    EXPECT_EQ(chart.maxDataAxisValue, 250000.5);

    const auto& crossTab = sampleObject<tvCrossTabObject>(report, "ReportFooterArea1");
    EXPECT_EQ(
        definitionNames(crossTab.summaryFields),
        QStringList({"CrossTab1-1: Sum of Amount", "CrossTab1-2: Count of OrderLines.ProductID"}));
    EXPECT_TRUE(crossTab.summaryFields.Item(1).forCrossTab);
    ASSERT_EQ(crossTab.rowGroups.Count(), 2);
    EXPECT_EQ(crossTab.rowGroups.Item(2).field, ordersColumn(report, "Products.Name"));
    EXPECT_EQ(crossTab.columnGroups.Item(1).field, &report.tvFormulaFields.Item("Year"));
    // The report lists its own summary once; the objects' summaries stay with the objects.
    EXPECT_EQ(report.tvSummaryFieldDefinitions.Count(), 1);

    const auto& picture = sampleObject<tvBlobObject>(report, "GroupHeaderArea1");
    EXPECT_EQ(picture.field, ordersColumn(report, "Products.Picture"));
    EXPECT_EQ(picture.xScaling, u"1");
    EXPECT_EQ(picture.yScaling, u"0.5");
    EXPECT_EQ(picture.bottomCropping, u"-30");
}

// A read that fails anywhere in the three objects ends the load and keeps no runtime object.
TEST(ChartsSample, FailingLoadKeepsNoRuntimeObject) {
    QFile file(sampleReport(QStringLiteral("charts.xml")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray xml = file.readAll();
    for (const char* member :
         {"ChartObject.titleFont", "ChartObject.SummaryFields", "ChartObject.ConditionFields",
          "CrossTabGroup.sortDirection", "CrossTabObject.RowGroups", "SummaryField.summaryType",
          "BlobFieldObject.xScaling", "BlobFieldObject.field"}) {
        SCOPED_TRACE(member);
        EXPECT_THROW(loadWithFaults(xml, {}, {QString::fromLatin1(member)}), rt::Error);
        EXPECT_EQ(liveRuntimeObjects(), 0);
    }
}
