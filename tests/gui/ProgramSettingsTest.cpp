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

// The program's settings go through the store put in place, and point the run log at their
// database folder.
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
    setProgramSettingsStore(store());
    StandardErrorReporter reporter;
    LoadProgramSettings(reporter);
    EXPECT_EQ(programOptions().OutputTemplate, QStringLiteral("Modern"));
    // A run of the settings keeps its log in their database folder.
    EXPECT_EQ(ExtractRun(programOptions(), reporter).log().path(),
              dir.filePath(QStringLiteral("db/tvLog.txt")));
    programOptions().OutputTemplate = QStringLiteral("Plain");
    EXPECT_TRUE(SaveProgramSettings());
    ExtractOptions again;
    store()->load(again, reporter);
    EXPECT_EQ(again.OutputTemplate, QStringLiteral("Plain"));
    setProgramSettingsStore(nullptr);
    programOptions() = ExtractOptions();
}

}  // namespace
