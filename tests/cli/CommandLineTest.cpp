#include <fcntl.h>
#include <ftw.h>
#include <gtest/gtest.h>
#include <quazip.h>
#include <quazipfile.h>
#include <quazipnewinfo.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <algorithm>
#include <functional>

#include "QtPrinters.h"

namespace {

const QString kProgram = QStringLiteral(TAVDESK4);

QString sample(const char* name) {
    return QStringLiteral(TAV_SAMPLES "/") + QLatin1StringView(name);
}
QString realReport() { return QStringLiteral(TAV_TEST_DATA "/real-reports/real-01.rpt"); }

const QStringList kSyntaxMessage{
    "Tavrin Command Line Syntax",
    "",
    "Syntax:",
    " for Extract of Report1:",
    "<path>tavdesk4 -E,<FullPathReport1>",
    "or",
    " for Extract of the reports of a list file:",
    "<path>tavdesk4 -B,<list.RML>",
    "or",
    " for RptDiff between Report1 and Report2:",
    "<path>tavdesk4 -D,<FullPathReport1>,<FullPathReport2>",
};

QString unable(const char* fileName) {
    return QStringLiteral("Unable to open Report: ") + QLatin1StringView(fileName);
}

// A report whose database needs a logon (the sample of fields does) is documented without its
// SQL text, and the user hears why: no one can fill in a logon on the command line.
QString noLogonFor(const QString& report) {
    return QStringLiteral(
               "The SQL text of Report: %1 is left out: its database needs a logon, "
               "which a command-line run cannot ask for")
        .arg(report);
}
QString noLogon(const char* fileName) { return noLogonFor(QLatin1StringView(fileName)); }

// The lines with the cause that follows a report's name, in parentheses, taken off; a line that
// names a report without a cause keeps a mark that fails the comparison.
QStringList withoutCauses(QStringList lines) {
    const QString prefix = QStringLiteral("Unable to ");
    for (QString& line : lines) {
        if (!line.startsWith(prefix)) continue;
        const qsizetype open = line.indexOf(QStringLiteral(" ("));
        line = open > 0 && line.endsWith(u')') && line.size() > open + 3
                   ? line.left(open)
                   : line + QStringLiteral(" <no cause>");
    }
    return lines;
}

struct Outcome {
    int exitStatus = -1;
    QStringList errorLines;  // standard error, one entry a line
    QString output;          // standard output
};

// The first row that `sql` answers in the database file `file`, read through a connection of the
// test's own that is gone again when it returns; empty where the statement fails.
QVariantList firstRow(const QString& file, const QString& sql) {
    const QString name = QStringLiteral("first row");
    QVariantList values;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        QSqlQuery query(db);
        if (db.open() && query.exec(sql) && query.next()) {
            for (int i = 0; i < query.record().count(); ++i) values << query.value(i);
        }
    }
    QSqlDatabase::removeDatabase(name);
    return values;
}

// A folder for one run of the program: reports, list files, the output folder and the
// configuration folder with a settings file written beforehand, so that nothing reaches the
// user's own settings. "%T" in an argument stands for the folder.
//
//   reports/   Sales.rpt, layout.RPT, notes.txt, sub/broken.rpt (not a report)
//   my reports/Sales Q1.rpt
//   mixed/     a-broken.rpt, b-good.rpt, c-broken.Rpt
//   lists/     nightly.RML (CR LF), nightly.txt
class Workspace {
public:
    Workspace() { create(); }
    // Removed by the names' bytes: Qt can neither list nor remove a name that is not valid text,
    // and a workspace leaves nothing behind.
    ~Workspace() {
        ::nftw(
            QFile::encodeName(dir_.path()).constData(),
            [](const char* name, const struct stat*, int, FTW*) { return ::remove(name); }, 16,
            FTW_DEPTH | FTW_PHYS);
    }
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    QString path(const QString& relative) const { return dir_.filePath(relative); }
    QString settingsFile() const { return path("config/Ombrel Group/Tavrin.conf"); }

    // Runs the program as a scheduled job would: without any display. A run that takes longer
    // than `timeoutMs` fails.
    Outcome run(QStringList arguments, const QString& program = kProgram,
                int timeoutMs = 60000) const {
        arguments.replaceInStrings(QStringLiteral("%T"), dir_.path());
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), path("config"));
        // A program that wanted a display would fail to start.
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("no-such-platform"));
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(dir_.path());
        process.start(program, arguments);
        Outcome result;
        if (!process.waitForFinished(timeoutMs) || process.exitStatus() != QProcess::NormalExit) {
            process.kill();
            process.waitForFinished();
            ADD_FAILURE() << "tavdesk4 did not end normally: "
                          << arguments.join(u' ').toStdString();
            return result;
        }
        result.exitStatus = process.exitCode();
        result.errorLines = QString::fromUtf8(process.readAllStandardError()).split(u'\n');
        if (result.errorLines.last().isEmpty()) result.errorLines.removeLast();
        result.output = QString::fromUtf8(process.readAllStandardOutput());
        return result;
    }

    // Extract writes the database too.
    void updateDatabase() const {
        QSettings settings(settingsFile(), QSettings::IniFormat);
        settings.setValue(QStringLiteral("Extract/UpdateDB"), QStringLiteral("-1"));
    }

    // The settings file holds every setting, and the text folder written beforehand (or the
    // one given).
    void expectEverySettingStored(QString textFolder = QString()) const {
        if (textFolder.isEmpty()) textFolder = path("out/");
        QSettings settings(settingsFile(), QSettings::IniFormat);
        EXPECT_TRUE(settings.contains(QStringLiteral("RptPath")));
        settings.beginGroup(QStringLiteral("Extract"));
        EXPECT_EQ(settings.childKeys().size(), 45);
        for (const char* key : {"DocPath", "TVDPath", "DBPath", "OutputTemplate", "ShowRptSummary",
                                "PromptForParameters", "TableFontColor"}) {
            EXPECT_TRUE(settings.contains(QString::fromLatin1(key))) << key;
        }
        EXPECT_EQ(settings.value(QStringLiteral("TVDPath")).toString(), textFolder);
        EXPECT_EQ(settings.value(QStringLiteral("CreateTVDFile")).toString(), QStringLiteral("1"));
    }

private:
    void create() {
        ASSERT_TRUE(dir_.isValid());
        QDir root(dir_.path());
        for (const char* folder : {"reports/sub", "my reports", "mixed", "lists", "out",
                                   "config/Ombrel Group", "odd\"name"}) {
            ASSERT_TRUE(root.mkpath(QString::fromLatin1(folder)));
        }
        copy(sample("fields.xml"), "reports/Sales.rpt");
        copy(sample("layout.xml"), "reports/layout.RPT");
        copy(sample("fields.xml"), "my reports/Sales Q1.rpt");
        copy(sample("fields.xml"), "odd\"name/Sales.rpt");
        copy(sample("layout.xml"), "mixed/b-good.rpt");
        for (const char* broken : {"reports/notes.txt", "reports/sub/broken.rpt",
                                   "mixed/a-broken.rpt", "mixed/c-broken.Rpt"}) {
            write(broken, "<Report>not a report");
        }
        write("lists/nightly.RML",
              QStringList{
                  path("reports/Sales.rpt"),
                  "",
                  path("reports/notes.doc"),
                  path("gone/missing.rpt"),
                  "# " + path("reports/layout.RPT") + " in a comment",
                  path("reports/layout.RPT"),
                  realReport(),
              }
                  .join("\r\n")
                  .toUtf8());
        write("lists/nightly.txt", path("reports/Sales.rpt").toUtf8());

        QSettings settings(settingsFile(), QSettings::IniFormat);
        settings.beginGroup(QStringLiteral("Extract"));
        for (const char* folder : {"TVDPath", "DocPath", "DBPath"}) {
            settings.setValue(QString::fromLatin1(folder), path("out/"));
        }
        settings.setValue(QStringLiteral("CreateTVDFile"), QStringLiteral("1"));
        settings.setValue(QStringLiteral("CreateWordDocument"), QStringLiteral("0"));
        settings.setValue(QStringLiteral("UpdateDB"), QStringLiteral("0"));
    }

    void copy(const QString& from, const char* to) const {
        ASSERT_TRUE(QFile::copy(from, path(QString::fromLatin1(to)))) << to;
    }
    void write(const char* relative, const QByteArray& bytes) const {
        QFile file(path(QString::fromLatin1(relative)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QTemporaryDir dir_;
};

struct Case {
    const char* name;
    QStringList arguments;
    int exitStatus;
    QStringList errorLines;  // standard error, exactly
};

TEST(CommandLine, RunsEachJobWithoutAWindow) {
    const Case cases[] = {
        {"a report", {"-E", "%T/reports/Sales.rpt"}, 0, {noLogon("Sales.rpt")}},
        {"a report, switch in lower case", {"-e", "%T/reports/layout.RPT"}, 0, {}},
        {"a report in one argument", {"-E %T/reports/Sales.rpt"}, 0, {noLogon("Sales.rpt")}},
        {"a quoted path after a comma",
         {"-E,\"%T/my reports/Sales Q1.rpt\""},
         0,
         {noLogon("Sales Q1.rpt")}},
        {"blanks in a path without quotes",
         {"-E", "%T/my reports/Sales Q1.rpt"},
         0,
         {noLogon("Sales Q1.rpt")}},
        {"a relative path", {"-E", "reports/Sales.rpt"}, 0, {noLogon("Sales.rpt")}},
        {"a folder: its own reports, any case of the extension",
         {"-E", "%T/reports/"},
         0,
         {noLogon("Sales.rpt")}},
        {"a folder: in name order, going on after a failure",
         {"-E", "%T/mixed/"},
         1,
         {unable("a-broken.rpt"), unable("c-broken.Rpt")}},
        {"a folder without reports", {"-E", "%T/lists/"}, 0, {}},
        {"a missing report", {"-E", "%T/Missing.RPT"}, 1, {unable("Missing.RPT")}},
        {"a real report file", {"-E", realReport()}, 1, {unable("real-01.rpt")}},
        {"a list file: its report lines, in order",
         {"-B", "%T/lists/nightly.RML"},
         1,
         {noLogon("Sales.rpt"), unable("missing.rpt"), unable("real-01.rpt")}},
        {"a list file, quoted",
         {"-b,\"%T/lists/nightly.RML\""},
         1,
         {noLogon("Sales.rpt"), unable("missing.rpt"), unable("real-01.rpt")}},
        {"a double quote inside a path",
         {"-E", "%T/odd\"name/Sales.rpt"},
         0,
         {noLogon("Sales.rpt")}},
        {"a double quote inside a path, in one argument",
         {"-E %T/odd\"name/"},
         0,
         {noLogon("Sales.rpt")}},
        {"a quoted path with a double quote inside",
         {"-E", "\"%T/odd\"name/Sales.rpt\""},
         0,
         {noLogon("Sales.rpt")}},
        {"a wrong switch", {"-X", "%T/reports/Sales.rpt"}, 2, kSyntaxMessage},
        {"a slash for the dash", {"/E", "%T/reports/Sales.rpt"}, 2, kSyntaxMessage},
        {"a switch run into its path", {"-E%T/reports/Sales.rpt"}, 2, kSyntaxMessage},
        {"a quote without its end", {"-E", "\"%T/reports/Sales.rpt"}, 2, kSyntaxMessage},
        {"an empty quoted path", {"-E", "\"\""}, 2, kSyntaxMessage},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Workspace workspace;
        const Outcome result = workspace.run(c.arguments);
        EXPECT_EQ(result.exitStatus, c.exitStatus);
        EXPECT_EQ(withoutCauses(result.errorLines), c.errorLines);
        EXPECT_TRUE(result.output.isEmpty());
        workspace.expectEverySettingStored();
    }
}

// Report Difference writes the combined difference text to standard output.
TEST(CommandLine, ReportDifferenceWritesTheCombinedText) {
    const Workspace workspace;
    const Outcome result =
        workspace.run({"-D", "%T/reports/Sales.rpt,", "\"%T/my reports/Sales Q1.rpt\""});
    EXPECT_EQ(result.exitStatus, 0);
    // Both samples' databases need a logon: each report is named once, as it was given.
    EXPECT_EQ(result.errorLines,
              (QStringList{noLogonFor(workspace.path("reports/Sales.rpt")),
                           noLogonFor(workspace.path("my reports/Sales Q1.rpt"))}));
    const QStringList lines = result.output.split(u'\n');
    EXPECT_EQ(lines.first(), QStringLiteral("    1    1 Report Summary Information"));
    EXPECT_TRUE(lines.contains(QStringLiteral("   56   56 Report Definition")));

    const Outcome same = workspace.run({"-d", "%T/reports/Sales.rpt,%T/reports/Sales.rpt"});
    EXPECT_EQ(same.exitStatus, 0);
    EXPECT_FALSE(same.output.contains(QChar(0x2026)));  // no change marker

    const struct {
        const char* name;
        QStringList arguments;
        int exitStatus;
        QString named;
    } failures[] = {
        {"no second report", {"-D", "%T/reports/Sales.rpt,"}, 2, "Sales.rpt,"},
        {"no comma", {"-D", "%T/reports/Sales.rpt"}, 2, "Sales.rpt"},
        {"a missing report", {"-D", "%T/reports/Sales.rpt,%T/gone.rpt"}, 1, "gone.rpt"},
    };
    for (const auto& c : failures) {
        SCOPED_TRACE(c.name);
        const Outcome failed = workspace.run(c.arguments);
        EXPECT_EQ(failed.exitStatus, c.exitStatus);
        EXPECT_TRUE(failed.output.isEmpty());
        ASSERT_EQ(failed.errorLines.size(), 1);
        EXPECT_TRUE(failed.errorLines.first().contains(c.named))
            << failed.errorLines.first().toStdString();
    }
}

TEST(CommandLine, RefusedArgumentsAndMissingInputsSayWhat) {
    const struct {
        const char* name;
        QStringList arguments;
        int exitStatus;
        QString named;  // the message names it
    } cases[] = {
        {"a list file that is no .RML", {"-B", "%T/lists/nightly.txt"}, 2, "nightly.txt"},
        {"a missing list file", {"-B", "%T/lists/gone.rml"}, 1, "gone.rml"},
        {"a missing folder", {"-E", "%T/gone/"}, 1, "gone/"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Workspace workspace;
        const Outcome result = workspace.run(c.arguments);
        EXPECT_EQ(result.exitStatus, c.exitStatus);
        ASSERT_EQ(result.errorLines.size(), 1);
        EXPECT_TRUE(result.errorLines.first().contains(c.named))
            << result.errorLines.first().toStdString();
        workspace.expectEverySettingStored();
    }
}

TEST(CommandLine, WithoutAJobOrADisplayTheProgramSaysSoAndFails) {
    for (const QStringList& arguments : {QStringList{}, QStringList{"-NT"}, QStringList{" -E "}}) {
        const Workspace workspace;
        const Outcome result = workspace.run(arguments);
        EXPECT_EQ(result.exitStatus, 1);
        ASSERT_FALSE(result.errorLines.isEmpty());
        EXPECT_TRUE(result.errorLines.first().contains(QStringLiteral("need a display")));
        workspace.expectEverySettingStored();
    }
}

TEST(CommandLine, FirstStartStoresEveryDefault) {
    const Workspace workspace;
    QFile::remove(workspace.settingsFile());
    // The default folders lie below the program's folder: keep them out of the build tree.
    const QString program = workspace.path("bin/tavdesk4");
    ASSERT_TRUE(QDir().mkpath(workspace.path("bin")));
    ASSERT_TRUE(QFile::copy(kProgram, program));
    const Outcome result = workspace.run({"-E", "%T/reports/Sales.rpt"}, program);
    EXPECT_EQ(result.exitStatus, 0);
    workspace.expectEverySettingStored(workspace.path("bin/Output/"));
    EXPECT_TRUE(QDir(workspace.path("bin/Output")).exists());
}

TEST(CommandLine, ExtractWithUpdateDBWritesTheDatabase) {
    const Workspace workspace;
    workspace.updateDatabase();
    // Twice: the second run replaces what the first one wrote.
    for (int run = 0; run < 2; ++run) {
        const Outcome result = workspace.run({"-E", "%T/reports/"});
        EXPECT_EQ(result.exitStatus, 0);
        EXPECT_EQ(result.errorLines, QStringList{noLogon("Sales.rpt")});
    }
    QFile database(workspace.path("out/tv.db"));
    ASSERT_TRUE(database.open(QIODevice::ReadOnly));
    EXPECT_TRUE(database.read(16).startsWith("SQLite format 3"));
    QFile log(workspace.path("out/tvLog.txt"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QString lines = QString::fromUtf8(log.readAll());
    EXPECT_TRUE(lines.contains(QStringLiteral("Writing special var fields data")))
        << lines.toStdString();
    EXPECT_FALSE(lines.contains(QStringLiteral("failed")));
}

// A database that cannot take the report is named with the cause, in plain lines on standard
// error, and the report's other outputs are written all the same.
TEST(CommandLine, ADatabaseThatCannotTakeTheReportIsNamedAndTheOtherOutputsGoOn) {
    const struct {
        const char* name;
        bool damaged;  // else of a later version, without a table this program writes
        const char* cause;
    } cases[] = {{"a damaged file", true, "is damaged (file is not a database"},
                 {"a later version", false, "is of version 5.0"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Workspace workspace;
        workspace.updateDatabase();
        const QString database = workspace.path("out/tv.db");
        if (c.damaged) {
            QFile file(database);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(QByteArray(4096, 'x'));
        } else {
            ASSERT_EQ(workspace.run({"-E", "%T/reports/Sales.rpt"}).exitStatus, 0);
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), c.name);
            db.setDatabaseName(database);
            ASSERT_TRUE(db.open());
            QSqlQuery query(db);
            EXPECT_TRUE(query.exec(QStringLiteral("DROP TABLE Printer")));
            EXPECT_TRUE(query.exec(QStringLiteral(
                "UPDATE TVDBControl SET ControlValue = '5.0' WHERE ControlKey = 'version'")));
            query = QSqlQuery();
            db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(QLatin1String(c.name));
            ASSERT_TRUE(QFile::remove(workspace.path("out/Sales.tvd")));
        }
        const Outcome result = workspace.run({"-E", "%T/reports/Sales.rpt"});
        const QString lines = result.errorLines.join(u'\n');
        EXPECT_TRUE(lines.contains(QLatin1String(c.cause))) << lines.toStdString();
        EXPECT_FALSE(lines.contains(u'\r')) << lines.toStdString();
        EXPECT_TRUE(QFileInfo::exists(workspace.path("out/Sales.tvd")));
    }
}

// A damaged database fails each report of a run alone, each named once; the engine's library adds
// no word of its own, and no closing failure follows when no report waits to be saved.
TEST(CommandLine, ADamagedDatabaseFailsEachReportOfARunOnce) {
    for (const bool wholeFile : {true, false}) {
        SCOPED_TRACE(wholeFile ? "no database at all" : "a damaged page");
        const Workspace workspace;
        workspace.updateDatabase();
        const QString database = workspace.path("out/tv.db");
        if (wholeFile) {
            QFile file(database);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(QByteArray(4096, 'x'));
        } else {
            ASSERT_EQ(workspace.run({"-E", "%T/reports/Sales.rpt"}).exitStatus, 0);
            const QVariantList pages = firstRow(
                database,
                QStringLiteral("SELECT (SELECT page_size FROM pragma_page_size), "
                               "(SELECT rootpage FROM sqlite_master WHERE name = 'Reports')"));
            ASSERT_EQ(pages.size(), 2);
            const qint64 page = pages[0].toLongLong();
            const qint64 root = pages[1].toLongLong();
            ASSERT_GT(root, 1);
            QFile file(database);
            ASSERT_TRUE(file.open(QIODevice::ReadWrite));
            ASSERT_TRUE(file.seek((root - 1) * page));
            file.write(QByteArray(int(page), '\x5a'));
        }
        const Outcome result = workspace.run({"-E", "%T/reports/"});
        const QString lines = result.errorLines.join(u'\n');
        for (const char* report : {"Sales.rpt", "layout.RPT"}) {
            EXPECT_EQ(lines.count(QLatin1String("Unable to write the database rows of Report: ") +
                                  QLatin1String(report) + QLatin1String(" (")),
                      1)
                << lines.toStdString();
        }
        EXPECT_FALSE(lines.contains(QLatin1String("Unable to save the database rows")))
            << lines.toStdString();
        EXPECT_FALSE(lines.contains(QLatin1String("QSqlDatabase"))) << lines.toStdString();
    }
}

// Something other than a plain file where the database engine keeps the database, its journal,
// or its write-ahead log and that log's index would hold the run forever: the report's database
// output ends at once, naming it, and its other outputs are written. The file is left as it is.
TEST(CommandLine, APipeBesideTheDatabaseEndsItsOutputNamed) {
    for (const char* suffix : {"-journal", "-wal", "-shm", ""}) {
        SCOPED_TRACE(suffix);
        const Workspace workspace;
        workspace.updateDatabase();
        const QString special = workspace.path("out/tv.db") + QLatin1String(suffix);
        if (*suffix) {
            ASSERT_EQ(workspace.run({"-E", "%T/reports/Sales.rpt"}).exitStatus, 0);
            ASSERT_TRUE(QFile::remove(workspace.path("out/Sales.tvd")));
        }
        ASSERT_EQ(::mkfifo(QFile::encodeName(special).constData(), 0600), 0);
        const Outcome result = workspace.run({"-E", "%T/reports/Sales.rpt"}, kProgram, 10000);
        const QString lines = result.errorLines.join(u'\n');
        EXPECT_TRUE(lines.contains(special + QLatin1String(" is not a regular file")))
            << lines.toStdString();
        EXPECT_TRUE(QFileInfo::exists(workspace.path("out/Sales.tvd")));
        struct stat status {};
        EXPECT_EQ(::stat(QFile::encodeName(special).constData(), &status), 0);
        EXPECT_TRUE(S_ISFIFO(status.st_mode));
    }
}

// The journal that a run killed in the middle of a transaction leaves is a plain file: the
// engine rolls the database back with it before the next report is stored.
TEST(CommandLine, AJournalLeftByAKilledRunIsRolledBack) {
    const Workspace workspace;
    workspace.updateDatabase();
    ASSERT_EQ(workspace.run({"-E", "%T/reports/Sales.rpt"}).exitStatus, 0);
    const QString database = workspace.path("out/tv.db");
    const QString crashed = workspace.path("crashed/tv.db");
    ASSERT_TRUE(QDir().mkpath(workspace.path("crashed")));
    QByteArray committed;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "killed");
        db.setDatabaseName(database);
        ASSERT_TRUE(db.open());
        QSqlQuery query(db);
        for (const char* sql :
             {"CREATE TABLE Kept (x BLOB)",
              "WITH n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 200) "
              "INSERT INTO Kept SELECT randomblob(1000) FROM n",
              "PRAGMA cache_size = 2", "BEGIN IMMEDIATE", "UPDATE Kept SET x = zeroblob(1000)"}) {
            ASSERT_TRUE(query.exec(QLatin1String(sql))) << sql;
            if (QLatin1String(sql) == QLatin1String("PRAGMA cache_size = 2")) {
                QFile file(database);
                ASSERT_TRUE(file.open(QIODevice::ReadOnly));
                committed = file.readAll();
            }
        }
        // The file and its journal as a run killed now leaves them: changed pages in the file.
        ASSERT_TRUE(QFile::copy(database, crashed));
        ASSERT_TRUE(
            QFile::copy(database + QLatin1String("-journal"), crashed + QLatin1String("-journal")));
        EXPECT_TRUE(query.exec(QStringLiteral("ROLLBACK")));
        query = QSqlQuery();
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("killed"));
    }
    {
        QFile file(crashed);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        ASSERT_NE(file.readAll(), committed);
    }
    {
        QSettings settings(workspace.settingsFile(), QSettings::IniFormat);
        settings.setValue(QStringLiteral("Extract/DBPath"), workspace.path("crashed/"));
    }
    const Outcome result = workspace.run({"-E", "%T/reports/layout.RPT"});
    EXPECT_EQ(result.exitStatus, 0) << result.errorLines.join(u'\n').toStdString();
    EXPECT_FALSE(QFileInfo::exists(crashed + QLatin1String("-journal")));
    EXPECT_EQ(firstRow(crashed, QStringLiteral(
                                    "SELECT (SELECT count(*) FROM Kept WHERE x <> zeroblob(1000)), "
                                    "(SELECT count(*) > 1 FROM Reports), "
                                    "(SELECT integrity_check FROM pragma_integrity_check)")),
              (QVariantList{200, 1, QStringLiteral("ok")}));
}

// The database engine takes a database path of a few hundred bytes only, and says no more than
// that it cannot open the file: a folder beyond its reach is named with that cause, and the
// report's other outputs are written. A long path within its reach is used.
TEST(CommandLine, ADatabaseFolderTooLongForTheEngineIsNamedSo) {
    const struct {
        qsizetype length;
        bool stored;
    } cases[] = {{400, true}, {600, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.length);
        const Workspace workspace;
        workspace.updateDatabase();
        QString folder = workspace.path("db");
        while (folder.size() < c.length) {
            folder +=
                u'/' + QString(std::clamp<qsizetype>(c.length - folder.size() - 1, 1, 200), u'd');
        }
        ASSERT_TRUE(QDir().mkpath(folder));
        {
            QSettings settings(workspace.settingsFile(), QSettings::IniFormat);
            settings.setValue(QStringLiteral("Extract/DBPath"), folder + u'/');
        }
        const Outcome result = workspace.run({"-E", "%T/reports/Sales.rpt"});
        const QString lines = result.errorLines.join(u'\n');
        EXPECT_EQ(lines.contains(QLatin1String("its path is too long for the database engine")),
                  !c.stored)
            << lines.toStdString();
        EXPECT_EQ(QFileInfo(folder + QLatin1String("/tv.db")).size() > 0, c.stored);
        EXPECT_TRUE(QFileInfo::exists(workspace.path("out/Sales.tvd")));
    }
}

// A settings file that cannot be read is kept aside and the run goes on with the defaults; one
// that cannot be written is named. Either way the user hears of it and the report is documented.
TEST(CommandLine, SettingsThatCannotBeReadOrWrittenAreNamedAndTheRunGoesOn) {
    const struct {
        const char* name;
        const char* blocked;  // made a folder, a file or a pipe in place of what it should be
        char kind;            // 'd', 'f' or 'p'
        const char* message;
        const char* keptAside;
    } cases[] = {
        {"a folder in place of the settings file", "config/Ombrel Group/Tavrin.conf", 'd',
         "The settings file %1 cannot be read: it is kept as %1.bad and the default settings "
         "are used.",
         "config/Ombrel Group/Tavrin.conf.bad"},
        // Read, a pipe would hold the program for ever.
        {"a pipe in place of the settings file", "config/Ombrel Group/Tavrin.conf", 'p',
         "The settings file %1 cannot be read: it is kept as %1.bad and the default settings "
         "are used.",
         "config/Ombrel Group/Tavrin.conf.bad"},
        {"a file in place of the settings folder", "config/Ombrel Group", 'f',
         "Unable to save the settings: %1 cannot be written: Not a directory", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Workspace workspace;
        QDir(workspace.path("config/Ombrel Group")).removeRecursively();
        const QString blocked = workspace.path(QString::fromLatin1(c.blocked));
        if (c.kind == 'd') {
            ASSERT_TRUE(QDir().mkpath(blocked));
        } else if (c.kind == 'p') {
            ASSERT_TRUE(QDir().mkpath(workspace.path("config/Ombrel Group")));
            ASSERT_EQ(::mkfifo(QFile::encodeName(blocked).constData(), 0600), 0);
        } else {
            QFile file(blocked);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
        // The defaults lie below the program's folder: keep them out of the build tree.
        const QString program = workspace.path("bin/tavdesk4");
        ASSERT_TRUE(QDir().mkpath(workspace.path("bin")));
        ASSERT_TRUE(QFile::copy(kProgram, program));
        const Outcome result = workspace.run({"-E", "%T/reports/Sales.rpt"}, program);
        EXPECT_EQ(result.exitStatus, 0);
        EXPECT_EQ(result.errorLines,
                  (QStringList{QString::fromLatin1(c.message).arg(workspace.settingsFile()),
                               noLogon("Sales.rpt")}));
        EXPECT_TRUE(QFile::exists(workspace.path("bin/Output/Sales.tvd")));
        if (c.keptAside) {
            const QFileInfo keptAside(workspace.path(QString::fromLatin1(c.keptAside)));
            EXPECT_TRUE(c.kind == 'd' ? keptAside.isDir()
                                      : !keptAside.isFile() && keptAside.exists());
            workspace.expectEverySettingStored(workspace.path("bin/Output/"));
        }
    }
}

// Objects whose field has no definition, or that name none, are documented with an empty field.
TEST(CommandLine, ObjectsWithoutAFieldDefinitionAreDocumented) {
    const Workspace workspace;
    QFile report(workspace.path("reports/Fieldless.rpt"));
    ASSERT_TRUE(report.open(QIODevice::WriteOnly));
    report.write(R"(<Report reportTitle="Fieldless"><Database/><ExportOptions/>
  <Areas><Area kind="4" name="D"><Sections><Section sectionName="Details"><ReportObjects>
    <FieldObject kind="1" name="Unknown" left="0" top="0" width="100" height="100">
      <field kind="0" name="Mystery"/>
    </FieldObject>
    <FieldObject kind="1" name="Nameless" left="0" top="0" width="100" height="100"/>
    <BlobFieldObject kind="9" name="Picture"><field kind="9" name="Photo"/></BlobFieldObject>
    <TextObject kind="2" name="Line" text="x"><FieldElements><FieldElement/>
      <FieldElement><field kind="0" name="Z"/></FieldElement></FieldElements>
    </TextObject>
    <CrossTabObject kind="8" name="CrossTab1"><RowGroups><CrossTabGroup><field kind="9"
      name="Odd"/></CrossTabGroup></RowGroups></CrossTabObject>
  </ReportObjects></Section></Sections></Area></Areas></Report>)");
    report.close();
    const Outcome result = workspace.run({"-E", "%T/reports/Fieldless.rpt"});
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.errorLines, QStringList{});
    QFile text(workspace.path("out/Fieldless.tvd"));
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    const QString tvd = QString::fromUtf8(text.readAll());
    for (const char* expected : {"0, Field Object: (\"\")", "1, Field Object: (\"\")",
                                 "Field: \r\n", "2, Blob Object: ", "Field Details: \r\n",
                                 "3.2, Embedded Field: \r\n", "CrossTab Row Group: , "}) {
        EXPECT_TRUE(tvd.contains(QString::fromLatin1(expected))) << expected << "\n"
                                                                 << tvd.toStdString();
    }
}

// The compound-file library's own warnings about a damaged file go to the run log; standard error
// holds the program's message alone.
TEST(CommandLine, LibraryWarningsGoToTheRunLog) {
    const struct {
        const char* name;
        int offset;  // in the compound file's header
        quint32 value;
    } cases[] = {
        // Beyond the file: the allocation table is broken.
        {"the directory's start", 0x30, 9999},
        // Every stream is then looked for in blocks the file does not have: the library warns
        // of the child it cannot read, under no domain of its own.
        {"the cutoff of small streams", 0x38, 0x10000000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Workspace workspace;
        QFile packed(sample("fields.rpt"));
        ASSERT_TRUE(packed.open(QIODevice::ReadOnly));
        QByteArray damaged = packed.readAll();
        damaged.replace(c.offset, 4, reinterpret_cast<const char*>(&c.value), 4);
        QFile report(workspace.path("reports/Damaged.rpt"));
        ASSERT_TRUE(report.open(QIODevice::WriteOnly));
        report.write(damaged);
        report.close();

        const Outcome result = workspace.run({"-E", "%T/reports/Damaged.rpt"});
        EXPECT_EQ(result.exitStatus, 1);
        EXPECT_EQ(withoutCauses(result.errorLines), QStringList{unable("Damaged.rpt")});
        QFile log(workspace.path("out/tvLog.txt"));
        ASSERT_TRUE(log.open(QIODevice::ReadOnly));
        const QString lines = QString::fromUtf8(log.readAll());
        EXPECT_TRUE(lines.startsWith(QStringLiteral("libgsf"))) << lines.toStdString();
        EXPECT_TRUE(lines.contains(result.errorLines.value(0))) << lines.toStdString();
    }
}

// A NUL, which no file name can hold, in a folder setting or in a path of a list is named with
// that cause; nothing of Qt's own reaches standard error.
TEST(CommandLine, APathHoldingANulIsNamedAndNothingOfQtReachesStandardError) {
    const QString nul = QStringLiteral("out/a") + QChar(u'\0') + QStringLiteral("b/");
    for (const char* key : {"RptPath", "Extract/DocPath", "Extract/TVDPath", "Extract/DBPath"}) {
        SCOPED_TRACE(key);
        const Workspace workspace;
        QSettings(workspace.settingsFile(), QSettings::IniFormat)
            .setValue(QString::fromLatin1(key), workspace.path(nul));
        // The defaults lie below the program's folder: keep them out of the build tree.
        ASSERT_TRUE(QDir().mkpath(workspace.path("bin")));
        ASSERT_TRUE(QFile::copy(kProgram, workspace.path("bin/tavdesk4")));
        const Outcome result =
            workspace.run({"-E", "%T/reports/layout.RPT"}, workspace.path("bin/tavdesk4"));
        EXPECT_EQ(result.exitStatus, 0);
        const QString name = QString::fromLatin1(key).section(u'/', -1);
        EXPECT_EQ(result.errorLines,
                  QStringList{"The setting " + name +
                              " holds a NUL character, which no folder name can hold: the "
                              "default folder is used."});
    }

    const Workspace workspace;
    QFile list(workspace.path("lists/nul.RML"));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write(workspace.path("reports/a").toUtf8() + QByteArray("\0b.rpt\n", 7) +
               workspace.path("reports/layout.RPT").toUtf8());
    list.close();
    const Outcome result = workspace.run({"-B", "%T/lists/nul.RML"});
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.errorLines,
              QStringList{"Unable to open Report: a\\0b.rpt (" + workspace.path("reports/a") +
                          "\\0b.rpt: the file name holds a NUL character, which no file name "
                          "can hold)"});
}

}  // namespace

// A list or a folder that cannot be read is named with its cause, in the words the window uses.
// Root reads whatever it likes: run as root, the program meets a list or folder it may not read
// in a user namespace of its own, where what another user owns is beyond root's rights.
TEST(CommandLine, AListOrFolderThatCannotBeReadIsNamedWithItsCause) {
    const bool root = ::geteuid() == 0;
    if (root && QProcess::execute(QStringLiteral("unshare"), {"-r", "true"}) != 0)
        GTEST_SKIP() << "no user namespace can be made here";
    const struct {
        QStringList arguments;
        const char* unreadable;  // taken from its user
        const char* error;       // the one line of standard error, "%T/" taken off
    } cases[] = {
        {{"-B", "%T/lists/gone.RML"}, nullptr, "lists/gone.RML: No such file or directory"},
        {{"-E", "%T/gone/"}, nullptr, "gone/: No such file or directory"},
        {{"-E", "%T/reports/Sales.rpt/"}, nullptr, "reports/Sales.rpt/: Not a directory"},
        {{"-B", "%T/lists/nightly.RML"},
         "lists/nightly.RML",
         "lists/nightly.RML: Permission denied"},
        {{"-E", "%T/mixed/"}, "mixed", "mixed/: Permission denied"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.error);
        const Workspace workspace;
        QStringList arguments = c.arguments;
        QString program = kProgram;
        if (c.unreadable) {
            const QByteArray path = QFile::encodeName(workspace.path(c.unreadable));
            ASSERT_EQ(::chmod(path.constData(), 0), 0);
            if (root) {
                ASSERT_EQ(::chown(path.constData(), 65534, 65534), 0);
                arguments.prepend(kProgram);
                arguments.prepend(QStringLiteral("-r"));
                program = QStringLiteral("unshare");
            }
        }
        const Outcome outcome = workspace.run(arguments, program);
        if (c.unreadable)
            ::chmod(QFile::encodeName(workspace.path(c.unreadable)).constData(), 0700);
        EXPECT_EQ(outcome.exitStatus, 1);
        EXPECT_EQ(outcome.errorLines, QStringList{workspace.path(QLatin1String(c.error))});
    }
}

// A line break in a report's name, or in the text of its XML declaration that the reader's error
// quotes, is shown as \n: each failing report is one line of standard error and of the run log,
// which no other report's failure can be read into.
TEST(CommandLine, ControlCharactersInNamesAndQuotedTextsAreShown) {
    const Workspace workspace;
    QFile name(workspace.path("reports/a\nUnable to open Report: b.rpt"));
    ASSERT_TRUE(name.open(QIODevice::WriteOnly));
    name.write("<Report>not a report");
    name.close();
    QFile declaration(workspace.path("reports/declared.rpt"));
    ASSERT_TRUE(declaration.open(QIODevice::WriteOnly));
    declaration.write("<?xml version=\"1.0\" encoding=\"x\ny\rz\"?>\n<Report/>");
    declaration.close();
    const struct {
        QString report;
        QString shown;  // in the one line of standard error
    } cases[] = {
        {name.fileName(), "Unable to open Report: a\\nUnable to open Report: b.rpt ("},
        {declaration.fileName(), "x\\ny\\rz"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown.toStdString());
        const Outcome result = workspace.run({"-E", c.report});
        EXPECT_EQ(result.exitStatus, 1);
        ASSERT_EQ(result.errorLines.size(), 1) << result.errorLines.join(u'|').toStdString();
        EXPECT_TRUE(result.errorLines[0].contains(c.shown)) << result.errorLines[0].toStdString();
        QFile log(workspace.path("out/tvLog.txt"));
        ASSERT_TRUE(log.open(QIODevice::ReadOnly));
        EXPECT_EQ(QString::fromUtf8(log.readAll()).trimmed(), result.errorLines[0]);
    }
}

// A device or a pipe given as a report or a list, or named in a list, is no file to read: the
// run ends at once, says which, and fails.
TEST(CommandLine, DevicesAndPipesAreRefusedAtOnce) {
    const Workspace workspace;
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), workspace.path("zero.rpt")));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), workspace.path("zero.RML")));
    ASSERT_EQ(::mkfifo(workspace.path("pipe.rpt").toLocal8Bit().constData(), 0600), 0);
    ASSERT_EQ(::mkfifo(workspace.path("pipe.RML").toLocal8Bit().constData(), 0600), 0);
    {
        QFile list(workspace.path("devices.RML"));
        ASSERT_TRUE(list.open(QIODevice::WriteOnly));
        list.write(
            (workspace.path("zero.rpt") + u'\n' + workspace.path("pipe.rpt") + u'\n').toUtf8());
    }
    const struct {
        QStringList arguments;
        const char* cause;
    } cases[] = {
        {{"-E", "%T/zero.rpt"}, "zero.rpt is not a regular file"},
        {{"-E", "%T/pipe.rpt"}, "pipe.rpt is not a regular file"},
        {{"-B", "%T/zero.RML"}, "zero.RML is not a regular file"},
        {{"-B", "%T/pipe.RML"}, "pipe.RML is not a regular file"},
        {{"-B", "%T/devices.RML"}, "pipe.rpt is not a regular file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        const Outcome outcome = workspace.run(c.arguments);  // a hang fails the run
        EXPECT_EQ(outcome.exitStatus, 1);
        EXPECT_TRUE(outcome.errorLines.join(u'\n').contains(QLatin1String(c.cause)))
            << outcome.errorLines.join(u'\n').toStdString();
    }
}

// A template of a few hundred kilobytes whose styles unpack to a gigabyte is refused before
// it is read: the message says why, the document is written on the built-in profile, and the
// program stays small.
TEST(CommandLine, ATemplateThatUnpacksPastTheLimitIsRefusedInLittleMemory) {
    const Workspace workspace;
    const QString program = workspace.path("bin/tavdesk4");
    ASSERT_TRUE(QDir().mkpath(workspace.path("bin/Templates")));
    ASSERT_TRUE(QFile::copy(kProgram, program));
    {
        QuaZip zip(workspace.path("bin/Templates/Bomb.dotx"));
        ASSERT_TRUE(zip.open(QuaZip::mdCreate));
        const auto part = [&](const char* name, const std::function<void(QuaZipFile&)>& write) {
            QuaZipFile file(&zip);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly, QuaZipNewInfo(QLatin1String(name)), nullptr,
                                  0, Z_DEFLATED, Z_BEST_SPEED));
            write(file);
            file.close();
            ASSERT_EQ(file.getZipError(), ZIP_OK);
        };
        const QByteArray ns =
            "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"";
        part("word/document.xml", [&](QuaZipFile& file) {
            file.write("<w:document " + ns + "><w:body><w:p/></w:body></w:document>");
        });
        part("word/styles.xml", [&](QuaZipFile& file) {
            file.write("<w:styles " + ns + ">");
            const QByteArray blanks(1 << 20, ' ');
            for (int i = 0; i < 1024; ++i) file.write(blanks);
            file.write("</w:styles>");
        });
        zip.close();
    }
    {
        QFile config(workspace.path("bin/Templates/template_config.xml"));
        ASSERT_TRUE(config.open(QIODevice::WriteOnly));
        config.write(
            "<tavrin_templates><tavrin_template name=\"Bomb\"><path>Bomb.dotx</path>"
            "<normalStyle>Normal</normalStyle><tocStyle>TOC 1</tocStyle><heading1Style>Heading 1"
            "</heading1Style><heading2Style>Heading 2</heading2Style><heading3Style>Heading 3"
            "</heading3Style><tableStyle>Table Grid</tableStyle></tavrin_template>"
            "</tavrin_templates>");
        QSettings settings(workspace.settingsFile(), QSettings::IniFormat);
        settings.beginGroup(QStringLiteral("Extract"));
        settings.setValue(QStringLiteral("CreateWordDocument"), QStringLiteral("1"));
        settings.setValue(QStringLiteral("UseTemplate"), QStringLiteral("1"));
        settings.setValue(QStringLiteral("OutputTemplate"), QStringLiteral("Bomb"));
    }
    const Outcome outcome = workspace.run({"-E", "%T/reports/Sales.rpt"}, program);
    const QString errors = outcome.errorLines.join(u'\n');
    EXPECT_TRUE(errors.contains(QStringLiteral("The selected document template: ") +
                                workspace.path("bin/Templates/Bomb.dotx") +
                                QStringLiteral(" could not be opened.")))
        << errors.toStdString();
    EXPECT_TRUE(errors.contains(QStringLiteral("part word/styles.xml unpacks to more than 64 MB)")))
        << errors.toStdString();
    EXPECT_TRUE(QFileInfo::exists(workspace.path("out/Sales.docx")));
    rusage usage{};
    ASSERT_EQ(::getrusage(RUSAGE_CHILDREN, &usage), 0);
    EXPECT_LT(usage.ru_maxrss, 150 * 1024) << "kilobytes at the peak";
}

// A layout picture drawn with text that the fonts at hand cannot shape (Thai, Devanagari) puts
// nothing of Qt's on standard error: the program's own message stays there, alone.
TEST(CommandLine, StandardErrorHoldsOnlyTheProgramsMessagesWhateverTheLayoutPictureShows) {
    const Workspace workspace;
    QFile design(sample("objects.xml"));
    ASSERT_TRUE(design.open(QIODevice::ReadOnly));
    const QByteArray original = design.readAll();
    const QByteArray title = "text=\"Orders with customers and returns\"";
    ASSERT_TRUE(original.contains(title));
    {
        QSettings settings(workspace.settingsFile(), QSettings::IniFormat);
        settings.setValue(QStringLiteral("Extract/CreateWordDocument"), QStringLiteral("1"));
    }
    for (const char* shown : {"ยอดขายตามภูมิภาค", "बिक्री क्षेत्र", "Orders by region"}) {
        SCOPED_TRACE(shown);
        QByteArray changed = original;
        changed.replace(title, "text=\"" + QByteArray(shown) + '"');
        QFile report(workspace.path("reports/Scripts.rpt"));
        ASSERT_TRUE(report.open(QIODevice::WriteOnly | QIODevice::Truncate));
        report.write(changed);
        report.close();
        const Outcome outcome = workspace.run({"-E", "%T/reports/Scripts.rpt"});
        EXPECT_EQ(outcome.exitStatus, 0);
        EXPECT_EQ(outcome.errorLines, QStringList{noLogon("Scripts.rpt")});
        EXPECT_TRUE(QFileInfo(workspace.path("out/Scripts.docx")).size() > 0);
    }
}

// Unusual inputs: each run ends with its outcome, and a failure names its cause.
// A report whose name is "café.rpt" in Latin-1, as old archives hold it: not valid UTF-8, so Qt
// can neither list nor create it.
void latin1Report(const Workspace& w) {
    ASSERT_TRUE(QDir().mkpath(w.path("latin")));
    const QByteArray name = QFile::encodeName(w.path("latin/")) + "caf\xe9.rpt";
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(fd, 0);
    ::close(fd);
}

TEST(CommandLine, AWorkspaceLeavesNothingBehindEvenANameThatIsNotText) {
    QString folder;
    {
        const Workspace w;
        latin1Report(w);
        folder = w.path(QString());
    }
    EXPECT_FALSE(QFileInfo::exists(folder)) << folder.toStdString();
}

TEST(CommandLine, UnusualInputsEndCleanlyAndSayWhy) {
    static const QString longName(251, u'n');
    const struct {
        const char* name;
        std::function<void(const Workspace&)> prepare;  // may put the program in bin/
        QStringList arguments;
        int exitStatus;
        QString error;   // standard error holds it (empty: standard error is empty)
        QString output;  // standard output starts with it
        std::function<void(const Workspace&)> check = nullptr;  // what the run left
    } cases[] = {
        {"--help: the syntax on standard output",
         nullptr,
         {"--help"},
         0,
         "",
         kSyntaxMessage.join(u'\n') + u'\n'},
        {"-h: the syntax on standard output",
         nullptr,
         {"-h"},
         0,
         "",
         kSyntaxMessage.join(u'\n') + u'\n'},
        {"an unknown long switch: the syntax on standard error",
         nullptr,
         {"--bogus"},
         2,
         kSyntaxMessage.join(u'\n'),
         ""},
        {"a quoted path holding a comma is one path",
         [](const Workspace& w) { QFile::copy(sample("fields.xml"), w.path("reports/a,b.rpt")); },
         {"-D", "\"%T/reports/a,b.rpt\",\"%T/reports/Sales.rpt\""},
         0,
         // The sample's database needs a logon: the quoted path is named whole.
         "The SQL text of Report: %T/reports/a,b.rpt is left out",
         "    1    1 Report Summary Information"},
        {"a quoted first path with blanks before the comma",
         [](const Workspace& w) { QFile::copy(sample("fields.xml"), w.path("reports/a,b.rpt")); },
         {"-D", "\"%T/reports/a,b.rpt\" , %T/reports/Sales.rpt"},
         0,
         // The sample's database needs a logon: the quoted path is named whole.
         "The SQL text of Report: %T/reports/a,b.rpt is left out",
         "    1    1 Report Summary Information"},
        {"a NUL in a message is shown and the rest follows",
         [](const Workspace& w) {
             QFile list(w.path("lists/nul.RML"));
             ASSERT_TRUE(list.open(QIODevice::WriteOnly));
             list.write(w.path("reports/a").toUtf8() + QByteArray("\0b.rpt\n", 7));
         },
         {"-B", "%T/lists/nul.RML"},
         1,
         "Unable to open Report: a\\0b.rpt (",
         ""},
        {"default folders that cannot be created are named with the cause",
         [](const Workspace& w) {
             QFile::remove(w.settingsFile());
             ASSERT_TRUE(QDir().mkpath(w.path("bin")));
             ASSERT_TRUE(QFile::copy(kProgram, w.path("bin/tavdesk4")));
             QFile blocking(w.path("bin/Output"));  // a file where the folder should be
             ASSERT_TRUE(blocking.open(QIODevice::WriteOnly));
         },
         {"-E", "%T/reports/Sales.rpt"},
         1,
         "Unable to create the folder %T/bin/Output/: ",
         ""},
        {"a body step that fails is named and fails the run; the file is written",
         [](const Workspace& w) {
             QFile report(w.path("reports/ring.rpt"));
             ASSERT_TRUE(report.open(QIODevice::WriteOnly));
             // Two summaries that summarize each other load, but cannot be described.
             report.write(R"(<Report><Database/><ExportOptions/><SummaryFields>
               <SummaryField kind="3" name="A" summarizedField="3:B"/>
               <SummaryField kind="3" name="B" summarizedField="3:A"/></SummaryFields>
               <Areas><Area kind="4" name="D"><Sections><Section><ReportObjects>
                 <FieldObject kind="1" field="3:A"/>
               </ReportObjects></Section></Sections></Area></Areas></Report>)");
         },
         {"-E", "%T/reports/ring.rpt"},
         1,
         "Unable to write the object 0 of section 1 of area 1 of Report: ring.rpt (The "
         "summaries of this report refer to one another in a ring)",
         "",
         [](const Workspace& w) { EXPECT_TRUE(QFile::exists(w.path("out/ring.tvd"))); }},
        {"an empty report file says that it is empty",
         [](const Workspace& w) { QFile(w.path("empty.rpt")).open(QIODevice::WriteOnly); },
         {"-E", "%T/empty.rpt"},
         1,
         "Unable to open Report: empty.rpt (%T/empty.rpt: the file is empty)",
         ""},
        {"a name that is not valid text is named, from a folder",
         [](const Workspace& w) { latin1Report(w); },
         {"-E", "%T/latin/"},
         1,
         "the file name is not valid text (UTF-8)",
         ""},
        {"a name that is not valid text is named, from a list",
         [](const Workspace& w) {
             latin1Report(w);
             QFile list(w.path("lists/latin.RML"));
             ASSERT_TRUE(list.open(QIODevice::WriteOnly));
             list.write(QFile::encodeName(w.path("latin/")) + "caf\xe9.rpt\n");
         },
         {"-B", "%T/lists/latin.RML"},
         1,
         "the file name is not valid text (UTF-8)",
         ""},
        // The text file's name fills what a name may hold: its temporary name has no room, the
        // document's own name is too long. An earlier text file is replaced whole.
        {"names as long as the file system holds, and longer",
         [](const Workspace& w) {
             QFile::copy(sample("layout.xml"), w.path(longName + ".rpt"));
             QFile earlier(w.path("out/" + longName + ".tvd"));
             ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
             earlier.write("earlier");
             QSettings(w.settingsFile(), QSettings::IniFormat)
                 .setValue(QStringLiteral("Extract/CreateWordDocument"), QStringLiteral("1"));
         },
         {"-E", "%T/" + longName + ".rpt"},
         1,
         "/out/" + longName + ".docx cannot be written: File name too long)",
         "",
         [](const Workspace& w) {
             QFile text(w.path("out/" + longName + ".tvd"));
             ASSERT_TRUE(text.open(QIODevice::ReadOnly));
             EXPECT_TRUE(text.readAll().contains("Report Summary Information"));
             EXPECT_EQ(QDir(w.path("out")).entryList(QDir::Files),
                       (QStringList{longName + ".tvd", "tvLog.txt"}));
         }},
        // The document's name leaves no room for its temporary name: an earlier document is
        // replaced whole all the same.
        {"a document whose temporary name would be too long",
         [](const Workspace& w) {
             const QString stem(247, u'd');
             QFile::copy(sample("layout.xml"), w.path(stem + ".rpt"));
             QFile earlier(w.path("out/" + stem + ".docx"));
             ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
             earlier.write("earlier");
             QSettings(w.settingsFile(), QSettings::IniFormat)
                 .setValue(QStringLiteral("Extract/CreateWordDocument"), QStringLiteral("1"));
         },
         {"-E", "%T/" + QString(247, u'd') + ".rpt"},
         0,
         "",
         "",
         [](const Workspace& w) {
             const QString stem(247, u'd');
             QFile document(w.path("out/" + stem + ".docx"));
             ASSERT_TRUE(document.open(QIODevice::ReadOnly));
             EXPECT_EQ(document.read(2), QByteArray("PK"));
             EXPECT_EQ(QDir(w.path("out")).entryList(QDir::Files),
                       (QStringList{stem + ".docx", stem + ".tvd"}));
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Workspace workspace;
        if (c.prepare) c.prepare(workspace);
        const QString ownProgram = workspace.path("bin/tavdesk4");
        const Outcome outcome =
            workspace.run(c.arguments, QFile::exists(ownProgram) ? ownProgram : kProgram);
        EXPECT_EQ(outcome.exitStatus, c.exitStatus);
        const QString error = outcome.errorLines.join(u'\n');
        if (c.error.isEmpty()) {
            EXPECT_EQ(error, QString());
        } else {
            EXPECT_TRUE(error.contains(QString(c.error).replace("%T", workspace.path(""))))
                << error.toStdString();
        }
        EXPECT_TRUE(c.output.isEmpty() ? outcome.output.isEmpty()
                                       : outcome.output.startsWith(c.output))
            << outcome.output.left(200).toStdString();
        if (c.check) c.check(workspace);
    }
}

// Whether the system lets a test mount a small file system of its own, in a namespace of its own.
bool canMountAFileSystem() {
    QProcess probe;
    probe.start(QStringLiteral("unshare"), {"-rm", "sh", "-c", "mount -t tmpfs tmpfs /mnt"});
    return probe.waitForFinished(10000) && probe.exitStatus() == QProcess::NormalExit &&
           probe.exitCode() == 0;
}

// On a full disk the run log cannot be written: the run says so with the cause and fails, and the
// earlier log stays whole. Needs a small file system of its own, mounted where the system lets a
// test do so.
TEST(CommandLine, ARunLogThatCannotBeWrittenIsToldAndTheEarlierOneStays) {
    if (!canMountAFileSystem()) GTEST_SKIP() << "no file system of its own can be mounted here";
    const Workspace workspace;
    ASSERT_TRUE(QDir().mkpath(workspace.path("full")));
    QSettings(workspace.settingsFile(), QSettings::IniFormat)
        .setValue(QStringLiteral("Extract/DBPath"), workspace.path("full/"));
    // Mounts a file system of 64 KB on the folder, puts the earlier log there, fills the rest,
    // runs the program and shows what the folder holds after it.
    const char* script =
        "mount -t tmpfs -o size=64k tmpfs \"$1\" || exit 99\n"
        "printf 'earlier log\\n' > \"$1/tvLog.txt\"\n"
        "cat /dev/zero > \"$1/fill\" 2>/dev/null\n"
        "folder=$1; shift\n"
        "\"$@\"; status=$?\n"
        "cat \"$folder/tvLog.txt\"; ls \"$folder\"\n"
        "exit $status\n";
    const Outcome outcome = workspace.run(
        {"-rm", "sh", "-c", script, "sh", "%T/full", kProgram, "-E", "%T/reports/gone.rpt"},
        QStringLiteral("unshare"));
    EXPECT_EQ(outcome.exitStatus, 1);
    ASSERT_EQ(outcome.errorLines.size(), 2);
    EXPECT_EQ(withoutCauses(outcome.errorLines.mid(0, 1)), QStringList{unable("gone.rpt")});
    EXPECT_EQ(outcome.errorLines[1], "Unable to write the run log " +
                                         workspace.path("full/tvLog.txt") +
                                         ": No space left on device");
    EXPECT_EQ(outcome.output, QStringLiteral("earlier log\nfill\ntvLog.txt\n"));
}

namespace {

// The settings of a run that writes one kind of output into out/.
void writeOnly(const Workspace& workspace, bool text, bool document) {
    QSettings settings(workspace.settingsFile(), QSettings::IniFormat);
    settings.setValue(QStringLiteral("Extract/CreateTVDFile"), text ? "1" : "0");
    settings.setValue(QStringLiteral("Extract/CreateWordDocument"), document ? "1" : "0");
}

struct OutputCase {
    const char* file;  // in out/
    bool text;
    bool document;
    const char* report;  // one that writes the file: a report that fails is logged
    int exitStatus;
};

const OutputCase kOutputs[] = {
    {"layout.tvd", true, false, "%T/reports/layout.RPT", 0},
    {"layout.docx", false, true, "%T/reports/layout.RPT", 0},
    {"tvLog.txt", true, false, "%T/reports/gone.rpt", 1},
};

}  // namespace

// A link in the output folder under an output's name is replaced by the output; the file it
// points at, outside the folder, is not written.
TEST(CommandLine, AnOutputReplacesALinkAtItsNameNotTheFileItPointsAt) {
    for (const OutputCase& c : kOutputs) {
        SCOPED_TRACE(c.file);
        const Workspace workspace;
        writeOnly(workspace, c.text, c.document);
        const QString victim = workspace.path("precious.txt");
        const QString output = workspace.path("out/" + QString::fromLatin1(c.file));
        {
            QFile file(victim);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write("precious");
        }
        ASSERT_TRUE(QFile::link(victim, output));
        const Outcome outcome = workspace.run({"-E", c.report});
        EXPECT_EQ(outcome.exitStatus, c.exitStatus) << outcome.errorLines.join(u'\n').toStdString();
        QFile file(victim);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), "precious");
        EXPECT_FALSE(QFileInfo(output).isSymLink());
        EXPECT_GT(QFileInfo(output).size(), 0);
    }
}

// Every part of a document read from its package, the time of printing taken out.
QMap<QString, QByteArray> partsOf(const QString& document) {
    QMap<QString, QByteArray> parts;
    QuaZip zip(document);
    if (!zip.open(QuaZip::mdUnzip)) return parts;
    static const QRegularExpression printTime(QStringLiteral("\\d\\d:\\d\\d:\\d\\d"));
    for (bool more = zip.goToFirstFile(); more; more = zip.goToNextFile()) {
        QuaZipFile part(&zip);
        if (!part.open(QIODevice::ReadOnly)) continue;
        parts[zip.getCurrentFileName()] = QString::fromUtf8(part.readAll())
                                              .replace(printTime, QStringLiteral("hh:mm:ss"))
                                              .toUtf8();
    }
    return parts;
}

// A report documented again, unchanged, gives the same document: an element's attributes do not
// change their order from one run to the next.
TEST(CommandLine, TheSameReportGivesTheSameDocumentEveryRun) {
    const Workspace workspace;
    writeOnly(workspace, false, true);
    QList<QMap<QString, QByteArray>> runs;
    for (int run = 0; run < 3; ++run) {
        ASSERT_EQ(workspace.run({"-E", "%T/reports/layout.RPT"}).exitStatus, 0);
        runs.append(partsOf(workspace.path("out/layout.docx")));
    }
    ASSERT_TRUE(runs[0].contains(QStringLiteral("word/document.xml")));
    for (int run = 1; run < runs.size(); ++run) {
        EXPECT_EQ(runs[run].keys(), runs[0].keys());
        for (const QString& name : runs[0].keys())
            EXPECT_EQ(runs[run].value(name).toStdString(), runs[0].value(name).toStdString())
                << name.toStdString();
    }
}

// On a full disk the earlier .tvd and document stay byte for byte: the run fails and names the
// cause. Needs a small file system of its own, mounted where the system lets a test do so.
TEST(CommandLine, AnOutputOnAFullDiskKeepsTheEarlierFileAndSaysWhy) {
    if (!canMountAFileSystem()) GTEST_SKIP() << "no file system of its own can be mounted here";
    for (const OutputCase& c : kOutputs) {
        if (QByteArray(c.file) == "tvLog.txt") continue;  // the run log's own test has it
        SCOPED_TRACE(c.file);
        const Workspace workspace;
        writeOnly(workspace, c.text, c.document);
        ASSERT_TRUE(QDir().mkpath(workspace.path("full")));
        QSettings(workspace.settingsFile(), QSettings::IniFormat)
            .setValue(QStringLiteral("Extract/") + (c.text ? "TVDPath" : "DocPath"),
                      workspace.path("full/"));
        // Mounts a file system of 1 MB on the folder, puts the earlier file there, fills the
        // rest, runs the program and shows what the folder holds after it.
        const char* script =
            "mount -t tmpfs -o size=1m tmpfs \"$1\" || exit 99\n"
            "printf 'earlier file\\n' > \"$1/$2\"\n"
            "cat /dev/zero > \"$1/fill\" 2>/dev/null\n"
            "folder=$1; file=$2; shift 2\n"
            "\"$@\"; status=$?\n"
            "cat \"$folder/$file\"; ls \"$folder\"\n"
            "exit $status\n";
        const Outcome outcome =
            workspace.run({"-rm", "sh", "-c", script, "sh", "%T/full", QString::fromLatin1(c.file),
                           kProgram, "-E", "%T/reports/layout.RPT"},
                          QStringLiteral("unshare"));
        EXPECT_EQ(outcome.exitStatus, 1);
        const QString error = outcome.errorLines.join(u'\n');
        EXPECT_TRUE(error.contains(workspace.path("full/" + QString::fromLatin1(c.file))))
            << error.toStdString();
        EXPECT_TRUE(error.contains(QStringLiteral("No space left on device")))
            << error.toStdString();
        EXPECT_EQ(outcome.output,
                  QStringLiteral("earlier file\nfill\n") + QString::fromLatin1(c.file) + "\n");
    }
}

// On a full disk the settings file stays byte for byte, and the message names the cause; the
// report is documented all the same. Needs a small file system of its own, mounted where the
// system lets a test do so.
TEST(CommandLine, ASettingsFileOnAFullDiskStaysAndTheCauseIsNamed) {
    if (!canMountAFileSystem()) GTEST_SKIP() << "no file system of its own can be mounted here";
    const Workspace workspace;
    // The earlier file lacks most settings: the run stores them.
    QFile settings(workspace.settingsFile());
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    const QByteArray earlier = settings.readAll();
    settings.close();
    ASSERT_TRUE(QFile::copy(workspace.settingsFile(), workspace.path("earlier.conf")));
    // Mounts a file system of 64 KB on the settings folder, puts the earlier file there, fills
    // the rest, runs the program and shows what the folder holds after it.
    const char* script =
        "mount -t tmpfs -o size=64k tmpfs \"$1\" || exit 99\n"
        "cp \"$2\" \"$1/Tavrin.conf\"\n"
        "cat /dev/zero > \"$1/fill\" 2>/dev/null\n"
        "folder=$1; shift 2\n"
        "\"$@\"; status=$?\n"
        "cat \"$folder/Tavrin.conf\"; LC_ALL=C ls \"$folder\"\n"
        "exit $status\n";
    const Outcome outcome =
        workspace.run({"-rm", "sh", "-c", script, "sh", "%T/config/Ombrel Group", "%T/earlier.conf",
                       kProgram, "-E", "%T/reports/layout.RPT"},
                      QStringLiteral("unshare"));
    EXPECT_EQ(outcome.exitStatus, 0);
    EXPECT_EQ(outcome.errorLines,
              QStringList{"Unable to save the settings: " + workspace.settingsFile() +
                          " cannot be written: No space left on device"});
    EXPECT_EQ(outcome.output, QString::fromUtf8(earlier) + "Tavrin.conf\nfill\n");
    EXPECT_TRUE(QFile::exists(workspace.path("out/layout.tvd")));
}
