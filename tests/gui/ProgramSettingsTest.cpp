#include <gtest/gtest.h>

#include <QSettings>
#include <QTemporaryDir>

#include "ProgramSettings.h"
#include "RunLog.h"

using namespace tav::core;
using namespace tav::gui;

namespace {

// The program's settings go through the store put in place, and point the run log at their
// database folder; the scope puts the program's own store and options back.
TEST(ProgramSettings, LoadAndSaveGoThroughTheStoreInPlace) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Tavrin.conf"));
    QSettings(file, QSettings::IniFormat)
        .setValue(QStringLiteral("Extract/OutputTemplate"), QStringLiteral("Modern"));
    QSettings(file, QSettings::IniFormat)
        .setValue(QStringLiteral("Extract/DBPath"), dir.filePath(QStringLiteral("db/")));
    const auto store = [&] {
        return std::make_unique<SettingsStore>(
            std::make_unique<QSettings>(file, QSettings::IniFormat),
            dir.filePath(QStringLiteral("program")));
    };
    const ExtractOptions before = programOptions();
    SettingsStore* const programStore = &programSettings().store();
    {
        const ProgramSettings::Scope scope(store());
        programSettings().load();
        EXPECT_EQ(programOptions().OutputTemplate, QStringLiteral("Modern"));
        EXPECT_EQ(runLogPath(), dir.filePath(QStringLiteral("db/tvLog.txt")));
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
