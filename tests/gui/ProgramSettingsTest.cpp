#include <gtest/gtest.h>

#include <QSettings>
#include <QTemporaryDir>

#include "ExtractRun.h"
#include "ProgramSettings.h"
#include "RunLog.h"

using namespace tav::core;
using namespace tav::gui;
using namespace tav::extract;

namespace {

// The program's settings go through the store put in place, and a run of them keeps its log in
// their database folder; the scope puts the program's own store and options back.
TEST(ProgramSettings, LoadAndSaveGoThroughTheStoreInPlace) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Tavrin.conf"));
    QSettings(file, QSettings::IniFormat)
        .setValue(QStringLiteral("Extract/OutputTemplate"), QStringLiteral("Modern"));
    QSettings(file, QSettings::IniFormat)
        .setValue(QStringLiteral("Extract/DBPath"), dir.filePath(QStringLiteral("db/")));
    const auto store = [&] {
        return std::make_unique<SettingsStore>(file, dir.filePath(QStringLiteral("program")));
    };
    const ExtractOptions before = programOptions();
    SettingsStore* const programStore = &programSettings().store();
    {
        const ProgramSettings::Scope scope(store());
        StandardErrorReporter reporter;
        programSettings().load(reporter);
        EXPECT_EQ(programOptions().OutputTemplate, QStringLiteral("Modern"));
        // A run of the settings keeps its log in their database folder.
        EXPECT_EQ(ExtractRun(programOptions(), reporter).log().path(),
                  dir.filePath(QStringLiteral("db/tvLog.txt")));
        programOptions().OutputTemplate = QStringLiteral("Plain");
        EXPECT_TRUE(programSettings().save());
        ExtractOptions again;
        store()->load(again);
        EXPECT_EQ(again.OutputTemplate, QStringLiteral("Plain"));
    }
    EXPECT_EQ(&programSettings().store(), programStore);
    EXPECT_EQ(programOptions().OutputTemplate, before.OutputTemplate);
    EXPECT_EQ(programOptions().DBPath, before.DBPath);
}

}  // namespace
