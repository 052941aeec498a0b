// The text documentation file, byte for byte, over the cases of tests/data/tvd: one folder per
// case with its design document (report.xml, or the one named by design=), its settings and
// report file (case.ini) and the file expected (expected.tvd). TAV_UPDATE_GOLDEN=1 writes the
// expected files anew from what the writer gives.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QSettings>
#include <QTemporaryDir>
#include <memory>
#include <string>
#include <vector>

#include "CompoundFile.h"
#include "ExtractDriver.h"
#include "ExtractOptions.h"
#include "RecordingReporter.h"
#include "ScopedTimeZone.h"
#include "SettingsStore.h"
#include "TestSupport.h"

using namespace tav::core;
using namespace tav::doctext;
using namespace tav::extract;

namespace {

QString caseFolder(const QString& name) { return testData(QStringLiteral("tvd/") + name); }

std::vector<std::string> caseNames() {
    std::vector<std::string> names;
    const QDir folder(testData(QStringLiteral("tvd")));
    for (const QString& name : folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        names.push_back(name.toStdString());
    }
    return names;
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The locale, time zone and settings of a run pinned, messages caught.
class TvdGolden : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }

    // The case's report file, packed with its summary information when the case says so, and
    // given the case's modification time.
    QString reportFile(const QString& name, const QSettings& caseSettings) const {
        const QString design =
            readAll(QDir(caseFolder(name))
                        .filePath(caseSettings.value("Report/design", "report.xml").toString()));
        const QString path = dir_.filePath(name + QStringLiteral(".rpt"));
        if (caseSettings.value("Report/packed").toBool()) {
            rt::SummaryInformation info;
            info.title = QStringLiteral("ignored: the design's own title counts");
            info.revisionNumber = caseSettings.value("Report/revision", "1").toString();
            info.editTimeMinutes = caseSettings.value("Report/editMinutes", 0).toLongLong();
            info.lastSavedBy = caseSettings.value("Report/lastSavedBy").toString();
            const auto date = [&](const char* key) {
                return QDateTime::fromString(caseSettings.value(key).toString(), Qt::ISODate);
            };
            info.created = date("Report/created");
            info.lastSaved = date("Report/lastSaved");
            info.lastPrinted = date("Report/lastPrinted");
            rt::writeReportFile(path, design.toUtf8(), info);
        } else {
            EXPECT_TRUE(writeAll(path, design.toUtf8()));
        }
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadWrite));
        EXPECT_TRUE(file.setFileTime(
            QDateTime::fromString(caseSettings.value("Report/modified").toString(), Qt::ISODate),
            QFileDevice::FileModificationTime));
        return path;
    }

    // The settings of the case, over the program's defaults, with the text file only.
    void loadSettings(const QString& name) {
        const QString copy = dir_.filePath(QStringLiteral("settings.ini"));
        QFile::remove(copy);
        ASSERT_TRUE(QFile::copy(QDir(caseFolder(name)).filePath("case.ini"), copy));
        SettingsStore store(copy, dir_.filePath(QStringLiteral("program")));
        ExtractOptions& settings = options_;
        store.load(settings);
        settings.TVDPath = dir_.filePath(QStringLiteral("out/"));
        settings.CreateTVDFile = 1;
        settings.CreateWordDocument = 0;
        settings.UpdateDB = 0;
        ASSERT_TRUE(QDir().mkpath(settings.TVDPath));
    }

    // A driver of a new run, with the options as they stand.
    ExtractDriver driver() {
        run_ = std::make_unique<ExtractRun>(options_, reporter_);
        return ExtractDriver(*run_);
    }

    QTemporaryDir dir_;
    RecordingReporter reporter_;
    QStringList& messages_ = reporter_.messages;
    ExtractOptions options_;
    std::unique_ptr<ExtractRun> run_;
};

TEST_P(TvdGolden, WritesTheExpectedFile) {
    ScopedTimeZone zone("<-05>5");
    const QString name = QString::fromStdString(GetParam());
    const QSettings caseSettings(QDir(caseFolder(name)).filePath("case.ini"), QSettings::IniFormat);
    loadSettings(name);
    const QString report = reportFile(name, caseSettings);

    ASSERT_TRUE(driver().ExtractReport(report, name + QStringLiteral(".rpt")))
        << messages_.join(u'\n').toStdString();
    EXPECT_TRUE(messages_.isEmpty()) << messages_.join(u'\n').toStdString();

    const QByteArray written = readAll(options_.TVDPath + name + QStringLiteral(".tvd"));
    ASSERT_FALSE(written.isEmpty());
    const QString expectedPath = QDir(caseFolder(name)).filePath("expected.tvd");
    if (qEnvironmentVariable("TAV_UPDATE_GOLDEN") == u"1") {
        ASSERT_TRUE(writeAll(expectedPath, written));
        GTEST_SKIP() << "golden file written: " << expectedPath.toStdString();
    }
    const QByteArray expected = readAll(expectedPath);
    // Line by line first, so that a difference shows where it is.
    const QList<QByteArray> writtenLines = written.split('\n');
    const QList<QByteArray> expectedLines = expected.split('\n');
    for (qsizetype i = 0; i < std::min(writtenLines.size(), expectedLines.size()); ++i) {
        ASSERT_EQ(writtenLines[i].toStdString(), expectedLines[i].toStdString())
            << "line " << i + 1;
    }
    EXPECT_EQ(written, expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, TvdGolden, ::testing::ValuesIn(caseNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             std::string name = info.param;
                             for (char& c : name) {
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             }
                             return name;
                         });

}  // namespace
