#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "ReadFaults.h"
#include "ReportFolder.h"
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

// A read that fails part way ends the list with the failure's cause; the lines read whole before
// it are kept, and a line that the failure cut short is not: its path may be cut anywhere.
TEST(ReportListFileRead, AReadThatFailsEndsTheListWithItsCause) {
    const QByteArray longLine = "/r/" + QByteArray(100000, 'x') + ".rpt\n";
    const QByteArray bytes = "/r/a.rpt\n/r/b.rpt.bak\n" + longLine + "/r/c.rpt\n";
    const struct {
        qint64 failAt;
        qsizetype reports;  // the lines kept: /r/a.rpt, then the long one
    } cases[] = {
        {0, 0},
        {4, 0},                 // in the first line
        {9, 1},                 // at a line's end
        {9 + 8, 1},             // "/r/b.rpt" of "/r/b.rpt.bak"
        {9 + 13 + 50000, 1},    // inside a line longer than any path
        {bytes.size() - 1, 2},  // "/r/c.rpt" without its line break
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.failAt);
        FailingDevice device(bytes, c.failAt);
        const ReportListFile list = ReportListFile::read(device, QStringLiteral("/l/n.RML"));
        EXPECT_EQ(list.outcome, ReportListFile::Outcome::ReadFailed);
        EXPECT_FALSE(list.readWhole());
        EXPECT_EQ(list.error, QStringLiteral("/l/n.RML: Input/output error"));
        ASSERT_EQ(list.reports.size(), c.reports);
        EXPECT_EQ(list.reports.value(0, QStringLiteral("/r/a.rpt")), QStringLiteral("/r/a.rpt"));
        EXPECT_TRUE(list.reports.value(1, QStringLiteral("xx.rpt")).endsWith(u"xx.rpt"));
    }
    // Read to its end, the same device gives every report.
    FailingDevice whole(bytes, bytes.size());
    const ReportListFile list = ReportListFile::read(whole, QStringLiteral("/l/n.RML"));
    EXPECT_TRUE(list.readWhole());
    EXPECT_EQ(list.reports.size(), 3);
    EXPECT_TRUE(list.error.isEmpty());
}

class ReportFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        QDir dir(root());
        for (const char* folder : {"a", "b", "c", ".hidden"}) ASSERT_TRUE(dir.mkpath(folder));
        for (const char* file : {"z.rpt", "m.RPT", "n.rpt.bak", "rpt", ".h.rpt", "a/x.Rpt",
                                 "b/y.rpt", "c/w.rpt", ".hidden/v.rpt"}) {
            QFile f(dir.filePath(QLatin1String(file)));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        }
        // A link to a file counts as the file; one to a folder is not followed.
        ASSERT_TRUE(QFile::link(dir.filePath("z.rpt"), dir.filePath("k.rpt")));
        ASSERT_TRUE(QFile::link(root(), dir.filePath("c/up")));
    }
    QString root() const { return dir_.path() + u'/'; }
    QStringList paths(const QStringList& relative) const {
        QStringList result;
        for (const QString& path : relative) result << root() + path;
        return result;
    }

    QTemporaryDir dir_;
};

TEST_F(ReportFolderTest, ListsTheReportFilesOwnFirstThenEachSubfolderDepthFirst) {
    int turns = 0;
    const ReportFolder tree = ReportFolder::read(dir_.path(), ReportFolder::Subfolders::Walked,
                                                 ReportFolder::Hidden::Taken, [&] { ++turns; });
    EXPECT_TRUE(tree.readWhole()) << tree.error.toStdString();
    EXPECT_EQ(tree.reports, paths({".h.rpt", "k.rpt", "m.RPT", "z.rpt", ".hidden/v.rpt", "a/x.Rpt",
                                   "b/y.rpt", "c/w.rpt"}));
    EXPECT_GT(turns, 10);
    const ReportFolder own =
        ReportFolder::read(root(), ReportFolder::Subfolders::Left, ReportFolder::Hidden::Left);
    EXPECT_EQ(own.reports, paths({"k.rpt", "m.RPT", "z.rpt"}));
}

// A folder that cannot be read ends the walk with its cause: the reports found before it stay,
// none after it is looked for.
TEST_F(ReportFolderTest, AFolderThatCannotBeReadIsNamedWithItsCause) {
    const struct {
        QString folder;
        QString unreadable;
        QString error;
        QStringList reports;
    } cases[] = {
        {root(), root() + "b/", root() + "b/: Permission denied",
         paths({".h.rpt", "k.rpt", "m.RPT", "z.rpt", ".hidden/v.rpt", "a/x.Rpt"})},
        {root(), root(), root() + ": Permission denied", {}},
        {root() + "gone/", QString(), root() + "gone/: No such file or directory", {}},
        {root() + "z.rpt/", QString(), root() + "z.rpt/: Not a directory", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.error.toStdString());
        const UnreadableFolder seam(c.unreadable);
        const ReportFolder tree = ReportFolder::read(c.folder, ReportFolder::Subfolders::Walked,
                                                     ReportFolder::Hidden::Taken);
        EXPECT_FALSE(tree.readWhole());
        EXPECT_EQ(tree.error, c.error);
        EXPECT_EQ(tree.reports, c.reports);
    }
}

}  // namespace
