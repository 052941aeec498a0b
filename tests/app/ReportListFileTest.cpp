#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFile>
#include <QTemporaryDir>

#include "ReportListFile.h"

using namespace tav::core;

namespace {

class ReportListFileTest : public ::testing::Test {
protected:
    QString write(const char* name, const QByteArray& bytes) const {
        QFile file(dir_.filePath(QLatin1String(name)));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    QTemporaryDir dir_;
};

// The report lines in order, whatever their line ends; other lines are passed over. A line too
// long to be a path is kept, cut short but with its end, so that the run tells it cannot be used;
// the mark of a UTF-8 file is no part of the first path.
TEST_F(ReportListFileTest, ReadsTheReportLinesInOrder) {
    const QByteArray longLine = "/r/" + QByteArray(100000, 'x') + ".rpt\n";
    const ReportListFile list = ReportListFile::read(
        write("nightly.RML", "\xEF\xBB\xBF/r/a.rpt\r\n\n/r/folder/\n" + longLine +
                                 "/r/notes.txt\n" + QByteArray(50000, 'y') +
                                 ".txt\n/r/b.RPT \n/r/\xC3\xA9t\xC3\xA9.Rpt\n/r/c.rpt"));
    EXPECT_EQ(list.outcome, ReportListFile::Outcome::Read);
    ASSERT_EQ(list.reports.size(), 4);
    EXPECT_EQ(list.reports[0], QStringLiteral("/r/a.rpt"));
    EXPECT_TRUE(list.reports[1].startsWith(QStringLiteral("/r/xxx")));
    EXPECT_TRUE(list.reports[1].endsWith(QStringLiteral("xxx.rpt")));
    EXPECT_LE(list.reports[1].size(), 2 * 32768);
    EXPECT_EQ(list.reports.mid(2),
              (QStringList{QStringLiteral("/r/été.Rpt"), QStringLiteral("/r/c.rpt")}));
    EXPECT_TRUE(list.error.isEmpty());
}

// A pipe, a device or a folder is refused before it is opened; a missing file says why.
TEST_F(ReportListFileTest, RefusesWhatIsNoRegularFileAndNamesAFileNotOpened) {
    const QString pipe = dir_.filePath(QStringLiteral("pipe.RML"));
    ASSERT_EQ(::mkfifo(pipe.toLocal8Bit().constData(), 0600), 0);
    const QString device = dir_.filePath(QStringLiteral("zero.RML"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), device));
    for (const QString& path : {pipe, device, dir_.path()}) {
        const ReportListFile list = ReportListFile::read(path);
        EXPECT_EQ(list.outcome, ReportListFile::Outcome::NotRegularFile) << path.toStdString();
        EXPECT_EQ(list.error, path + QStringLiteral(" is not a regular file"));
        EXPECT_TRUE(list.reports.isEmpty());
    }
    const QString missing = dir_.filePath(QStringLiteral("gone.RML"));
    const ReportListFile list = ReportListFile::read(missing);
    EXPECT_EQ(list.outcome, ReportListFile::Outcome::NotOpened);
    EXPECT_TRUE(list.error.startsWith(missing + QStringLiteral(": "))) << list.error.toStdString();
}

}  // namespace
