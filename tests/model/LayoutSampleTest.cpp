#include <gtest/gtest.h>

#include <QFile>

#include "ObjectFixtures.h"
#include "TestSupport.h"
#include "tvArea.h"
#include "tvMapObject.h"
#include "tvSection.h"

namespace {

QByteArray sampleText() {
    QFile file(sampleReport(QStringLiteral("layout.xml")));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

}  // namespace

TEST(LayoutSample, LoadsEveryAreaKindAndKeepsNoRuntimeObject) {
    tvReport report;
    loadReportFile(report, sampleReport(QStringLiteral("layout.xml")));
    EXPECT_EQ(liveRuntimeObjects(), 0);

    QList<int> kinds;
    QList<int> sectionCounts;
    for (const tvArea& area : report.tvAreas) {
        kinds << area.kind;
        sectionCounts << static_cast<int>(area.tvSections.Count());
    }
    EXPECT_EQ(kinds, QList<int>({1, 2, 3, 3, 4, 5, 5, 7, 8}));
    EXPECT_EQ(sectionCounts, QList<int>({2, 1, 1, 1, 2, 1, 2, 1, 1}));
    EXPECT_EQ(&report.tvAreas.Item(QStringLiteral("DetailArea1")), &report.tvAreas.Item(5));
    EXPECT_EQ(report.tvAreas.Item(5).detailWidth, 5040);

    const tvSection& header = report.tvAreas.Item(1).tvSections.Item(2);
    EXPECT_EQ(formulaList(header.ConditionalFormulas),
              FormulaList({{"Enable Underlay Section: ", " "}}));
    const auto& map = dynamic_cast<const tvMapObject&>(header.reportObjects.Item(1));
    EXPECT_EQ(map.objectName, QStringLiteral("Sales by region"));
    EXPECT_EQ(captions(map.ConditionalFormulas),
              std::vector<std::string>({"Enable Suppress: ", "Border Color: "}));

    EXPECT_EQ(captions(report.tvAreas.Item(3).tvSections.Item(1).ConditionalFormulas),
              std::vector<std::string>({"Css Class: ", "Enable New Page Before: "}));
    EXPECT_EQ(captions(report.tvAreas.Item(7).tvSections.Item(2).ConditionalFormulas),
              std::vector<std::string>({"Enable Hide for Drill Down: "}));
}

// A read that fails anywhere in areas, sections or objects ends the load, and the runtime
// objects of the load are gone all the same.
TEST(LayoutSample, FailingLoadKeepsNoRuntimeObject) {
    const QByteArray xml = sampleText();
    ASSERT_FALSE(xml.isEmpty());
    expectFailingReadsEndTheLoad(
        xml, {"Area.suppress", "Area.Sections", "Section.ReportObjects", "Section.width",
              "OleObject.yScaling", "MapObject.hyperlinkType", "OlapGridObject.width"});
}
