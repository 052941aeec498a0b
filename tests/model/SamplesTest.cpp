#include <gtest/gtest.h>

#include <QDir>
#include <set>

#include "TestSupport.h"
#include "tvArea.h"
#include "tvIReportObject.h"
#include "tvSection.h"
#include "tvSubReportObject.h"

namespace {

struct Kinds {
    std::set<int> objects;
    std::set<int> areas;
};

void collect(const tvReport& report, Kinds& kinds) {
    for (const tvArea& area : report.tvAreas) {
        kinds.areas.insert(area.kind);
        for (const tvSection& section : area.tvSections) {
            for (const tvIReportObject& object : section.reportObjects) {
                kinds.objects.insert(object.kind);
            }
        }
    }
    for (const tvSubReportObject& sub : report.subReports) collect(*sub.report, kinds);
}

// The main job runs on the samples: together they show every kind of object and area.
TEST(Samples, TogetherHoldEveryObjectAndAreaKind) {
    const QDir dir(sampleReport(QString()));
    const QStringList files = dir.entryList({QStringLiteral("*.rpt")}, QDir::Files, QDir::Name);
    ASSERT_GE(files.size(), 2);
    Kinds kinds;
    for (const QString& file : files) {
        tvReport report;
        ASSERT_NO_THROW(loadReportFile(report, dir.filePath(file))) << qPrintable(file);
        collect(report, kinds);
    }
    EXPECT_EQ(kinds.objects, (std::set<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
    EXPECT_EQ(kinds.areas, (std::set<int>{1, 2, 3, 4, 5, 7, 8}));
    EXPECT_EQ(liveRuntimeObjects(), 0);
}

}  // namespace
