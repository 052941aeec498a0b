#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <stdexcept>

#include "ExtractDriver.h"
#include "ExtractOptions.h"
#include "ExtractWriterFactory.h"
#include "QtPrinters.h"
#include "RecordingReporter.h"
#include "RunLog.h"
#include "RunReporter.h"
#include "TestSupport.h"
#include "TextUtilities.h"

using namespace tav::core;
using namespace tav::doctext;
using namespace tav::extract;

namespace {

// What the writer doubles did, one entry a call, and the call that is to fail.
struct WriterScript {
    QStringList journal;
    QString failAt;   // "text.init", "word.WriteReport", ...: that call answers false
    QString throwAt;  // that call throws, as a runtime failure would
    const tvReport* lastReport = nullptr;

    // The failing call answers false with its reason.
    bool call(const QString& name, const QString& arguments, QString* error = nullptr) {
        journal << name + u' ' + arguments;
        if (name == throwAt) throw std::runtime_error("the writer broke down");
        if (name == failAt && error) *error = QStringLiteral("refused ") + name;
        return name != failAt;
    }
    bool write(const QString& name, const tvReport& report, const QString& fileName,
               QString* error) {
        lastReport = &report;
        return call(name, fileName + u' ' + report.reportTitle, error);
    }
};

class TextDouble final : public ExtractTextWriter {
public:
    explicit TextDouble(WriterScript& script) : script_(script) {}
    bool init(const QString& fileName, const QString& folder, const QString& path,
              QString* error) override {
        return script_.call(QStringLiteral("text.init"),
                            QStringList{fileName, folder, path}.join(u' '), error);
    }
    bool WriteReport(const tvReport& report, const QString& fileName, QString* error) override {
        return script_.write(QStringLiteral("text.WriteReport"), report, fileName, error);
    }
    void cleanUp() override { script_.call(QStringLiteral("text.cleanUp"), QString()); }

private:
    WriterScript& script_;
};

class WordDouble final : public ExtractWordWriter {
public:
    explicit WordDouble(WriterScript& script) : script_(script) {}
    bool init(const QString& fileName, const QString& folder, const QString& path,
              const QString& templateName, QString* error) override {
        return script_.call(QStringLiteral("word.init"),
                            QStringList{fileName, folder, path, templateName}.join(u' '), error);
    }
    bool WriteReport(const tvReport& report, const QString& fileName, QString* error) override {
        return script_.write(QStringLiteral("word.WriteReport"), report, fileName, error);
    }
    void closeDocument() override { script_.call(QStringLiteral("word.closeDocument"), QString()); }

private:
    WriterScript& script_;
};

// Writes its steps to the run log, as the database writer does.
class DatabaseDouble final : public ExtractDatabaseWriter {
public:
    DatabaseDouble(WriterScript& script, RunLog& log) : script_(script), log_(log) {}
    bool WriteReport(const tvReport& report, const QString& fileName, const QString& database,
                     const QString& path, QString* error) override {
        if (!log_.write(fileName + QStringLiteral(" - tables"), error) ||
            !log_.write(fileName + QStringLiteral(" - objects"), error)) {
            return false;
        }
        script_.lastReport = &report;
        return script_.call(QStringLiteral("db.WriteReport"),
                            QStringList{fileName, database, path}.join(u' '), error);
    }

private:
    WriterScript& script_;
    RunLog& log_;
};

// Settings of a folder of its own, writer doubles in place of the program's writers, and the
// user's messages and progress texts caught.
class Extract : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDir(dir_.path()).mkpath(QStringLiteral("db")));
        ExtractOptions& settings = options_;
        settings.TVDPath = path("text/");
        settings.DocPath = path("word/");
        settings.DBPath = path("db/");
        settings.OutputTemplate = QStringLiteral("Classic");
        settings.ShowSQL = 1;
        outputs(1, 0, 0);
    }

    QString path(const QString& relative) const { return dir_.filePath(relative); }
    // A driver of a new run, with the options as they stand.
    ExtractDriver driver() {
        run_ = std::make_unique<ExtractRun>(options_, reporter_);
        return ExtractDriver(*run_, writers_);
    }

    void outputs(bool text, bool word, bool database) {
        options_.CreateTVDFile = text;
        options_.CreateWordDocument = word;
        options_.UpdateDB = database;
    }

    // A sample report copied under a name of our own.
    QString report(const QString& fileName, const char* sample = "fields.xml") const {
        const QString target = path(fileName);
        QFile::copy(sampleReport(QString::fromLatin1(sample)), target);
        return target;
    }

    // The calls of the journal without their arguments.
    QStringList calls() const {
        QStringList names;
        for (const QString& entry : script_.journal) names << entry.section(u' ', 0, 0);
        return names;
    }

    QString runLog() const {
        QFile file(RunLog(options_.DBPath).path());
        if (!file.open(QIODevice::ReadOnly)) return QStringLiteral("<none>");
        return QString::fromUtf8(file.readAll());
    }

    QTemporaryDir dir_;
    WriterScript script_;
    RecordingReporter reporter_;
    QStringList& messages_ = reporter_.messages;
    QStringList& statuses_ = reporter_.statuses;
    ExtractOptions options_;
    // Writer doubles in place of the program's writers.
    ExtractWriterFactory writers_{
        [this](ExtractRun&) { return std::make_unique<TextDouble>(script_); },
        [this](ExtractRun&) { return std::make_unique<WordDouble>(script_); },
        [this](ExtractRun& run) { return std::make_unique<DatabaseDouble>(script_, run.log()); },
    };
    std::unique_ptr<ExtractRun> run_;
};

TEST_F(Extract, HandsTheLoadedModelToEachEnabledWriterInOrder) {
    outputs(1, 1, 1);
    const QString sales = report(QStringLiteral("Sales.rpt"));
    EXPECT_TRUE(driver().ExtractReport(sales, QStringLiteral("Sales.rpt")));
    const QString title = QStringLiteral(" Orders by customer");
    EXPECT_EQ(script_.journal,
              (QStringList{
                  "text.init Sales.rpt " + path("text/") + u' ' + sales,
                  "text.WriteReport Sales.rpt" + title,
                  "text.cleanUp ",
                  "word.init Sales.rpt " + path("word/") + u' ' + sales + " Classic",
                  "word.WriteReport Sales.rpt" + title,
                  "word.closeDocument ",
                  "db.WriteReport Sales.rpt " + path("db/tv.db") + u' ' + sales,
              }));
    EXPECT_TRUE(messages_.isEmpty());
}

TEST_F(Extract, RunsOnlyTheWritersThatTheSettingsSwitchOn) {
    struct Case {
        qint32 text, word;
        qint16 database;
        QStringList calls;
    };
    const Case cases[] = {
        {0, 0, 0, {}},
        {1, 0, 0, {"text.init", "text.WriteReport", "text.cleanUp"}},
        {0, 1, 0, {"word.init", "word.WriteReport", "word.closeDocument"}},
        {0, 0, 1, {"db.WriteReport"}},
        {-1, 0, -1, {"text.init", "text.WriteReport", "text.cleanUp", "db.WriteReport"}},
    };
    const QString sales = report(QStringLiteral("Sales.rpt"));
    for (const Case& c : cases) {
        script_.journal.clear();
        outputs(c.text, c.word, c.database);
        EXPECT_TRUE(driver().ExtractReport(sales, QStringLiteral("Sales.rpt")));
        EXPECT_EQ(calls(), c.calls) << c.text << c.word << c.database;
    }
    EXPECT_TRUE(messages_.isEmpty());
}

// A failing writer ends its own output alone: the other outputs of the report are still written,
// and one message, also in the run log, names the output, the report and the writer's reason.
TEST_F(Extract, AFailingWriterEndsItsOwnOutputAloneAndSaysWhy) {
    struct Case {
        const char* failAt;
        const char* throwAt;
        QStringList calls;
        const char* message;
    };
    const QStringList text{"text.init", "text.WriteReport", "text.cleanUp"};
    const QStringList word{"word.init", "word.WriteReport", "word.closeDocument"};
    const QStringList db{"db.WriteReport"};
    const Case cases[] = {
        {"text.init", "", QStringList{"text.init", "text.cleanUp"} + word + db,
         "Unable to write the text file of Report: Sales.rpt (refused text.init)"},
        {"text.WriteReport", "", text + word + db,
         "Unable to write the text file of Report: Sales.rpt (refused text.WriteReport)"},
        {"", "text.WriteReport", QStringList{"text.init", "text.WriteReport"} + word + db,
         "Unable to write the text file of Report: Sales.rpt (the writer broke down)"},
        {"word.init", "", text + QStringList{"word.init"} + db,
         "Unable to write the document of Report: Sales.rpt (refused word.init)"},
        {"", "word.WriteReport", text + QStringList{"word.init", "word.WriteReport"} + db,
         "Unable to write the document of Report: Sales.rpt (the writer broke down)"},
        {"db.WriteReport", "", text + word + db,
         "Unable to write the database rows of Report: Sales.rpt (refused db.WriteReport)"},
        {"", "db.WriteReport", text + word + db,
         "Unable to write the database rows of Report: Sales.rpt (the writer broke down)"},
    };
    outputs(1, 1, 1);
    const QString sales = report(QStringLiteral("Sales.rpt"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        script_.journal.clear();
        messages_.clear();
        script_.failAt = QString::fromLatin1(c.failAt);
        script_.throwAt = QString::fromLatin1(c.throwAt);
        EXPECT_FALSE(driver().ExtractReport(sales, QStringLiteral("Sales.rpt")));
        EXPECT_EQ(calls(), c.calls);
        EXPECT_EQ(messages_, QStringList{QString::fromLatin1(c.message)});
        // The database writer logged its steps before it failed; the cause follows them.
        EXPECT_EQ(runLog(), QStringLiteral("Sales.rpt - tables\nSales.rpt - objects\n") +
                                QString::fromLatin1(c.message) + u'\n');
    }
}

// Two outputs that fail in one report make one message with a line for each; a writer that
// gives no reason is said to give none.
TEST_F(Extract, EveryFailedOutputOfAReportIsNamed) {
    outputs(1, 0, 1);
    script_.throwAt = QStringLiteral("db.WriteReport");
    script_.failAt = QStringLiteral("text.init");
    EXPECT_FALSE(
        driver().ExtractReport(report(QStringLiteral("Sales.rpt")), QStringLiteral("Sales.rpt")));
    EXPECT_EQ(messages_, QStringList{"Unable to write the text file of Report: Sales.rpt (refused "
                                     "text.init)\nUnable to write the database rows of Report: "
                                     "Sales.rpt (the writer broke down)"});

    messages_.clear();
    outputs(1, 0, 0);
    writers_.textWriter = [](ExtractRun&) {
        struct Silent final : ExtractTextWriter {
            bool init(const QString&, const QString&, const QString&, QString*) override {
                return false;
            }
            bool WriteReport(const tvReport&, const QString&, QString*) override { return false; }
            void cleanUp() override {}
        };
        return std::make_unique<Silent>();
    };
    EXPECT_FALSE(
        driver().ExtractReport(report(QStringLiteral("Sales.rpt")), QStringLiteral("Sales.rpt")));
    EXPECT_EQ(messages_, QStringList{"Unable to write the text file of Report: Sales.rpt (no "
                                     "reason given)"});
}

TEST_F(Extract, AReportThatCannotBeOpenedReachesNoWriterAndTheListGoesOn) {
    const QString real = testData(QStringLiteral("real-reports/real-01.rpt"));
    const QStringList list{path("gone/Gone.rpt"), real, report(QStringLiteral("Sales.rpt"))};
    QStringList results;
    EXPECT_FALSE(driver().ExtractReportList(list, results));
    // The runtime's reason follows each name: the system's for a missing file.
    EXPECT_EQ(messages_, (QStringList{"Unable to open Report: Gone.rpt (" + path("gone/Gone.rpt") +
                                          ": No such file or directory)",
                                      "Unable to open Report: real-01.rpt (" + real +
                                          ": the compound file holds no report design)"}));
    EXPECT_EQ(calls(), (QStringList{"text.init", "text.WriteReport", "text.cleanUp"}));
}

TEST_F(Extract, ResultListNamesTheOutputsOfEveryReportOnceAtTheEnd) {
    struct Case {
        const char* name;
        qint32 text, word;
        qint16 database;
        bool sameFolders;  // the text and Word folders are one folder
        QStringList before;
        QStringList reports;
        QStringList after;
    };
    const Case cases[] = {
        {"same report twice", 1, 0, 0, false, {}, {"/a/X.rpt", "/b/X.rpt"}, {"T/X.tvd"}},
        {"rerun keeps other names in place",
         1,
         0,
         0,
         false,
         {"T/other.tvd", "T/X.tvd", "T/Y.tvd"},
         {"/a/X.rpt"},
         {"T/other.tvd", "T/Y.tvd", "T/X.tvd"}},
        {"text and Word",
         1,
         1,
         0,
         false,
         {"T/X.tvd", "W/X.docx", "W/Y.docx"},
         {"/a/X.rpt"},
         {"W/Y.docx", "T/X.tvd", "W/X.docx"}},
        {"one folder: the text name takes the Word name",
         1,
         1,
         0,
         true,
         {"T/X.docx", "T/Z.tvd", "T/X.tvd"},
         {"/a/X.rpt"},
         {"T/Z.tvd", "T/X.tvd", "T/X.docx"}},
        {"a Word name left in the text folder by an earlier run",
         1,
         1,
         0,
         false,
         {"T/X.docx", "W/X.docx"},
         {"/a/X.rpt"},
         {"T/X.tvd", "W/X.docx"}},
        {"Word only",
         0,
         1,
         0,
         false,
         {"W/X.docx", "T/X.tvd"},
         {"/a/X.rpt"},
         {"T/X.tvd", "W/X.docx"}},
        {"database only leaves the list alone",
         0,
         0,
         1,
         false,
         {"T/X.tvd"},
         {"/a/X.rpt", "/a/Y.rpt"},
         {"T/X.tvd"}},
        {"paths keep their case",
         1,
         0,
         0,
         false,
         {"T/sales.tvd"},
         {"/a/Sales.RPT"},
         {"T/sales.tvd", "T/Sales.tvd"}},
    };
    // "T/" and "W/" stand for the text and Word folders.
    const auto expand = [this](QStringList names) {
        for (QString& name : names) {
            if (name.startsWith(u'T')) name = options_.TVDPath + name.mid(2);
            if (name.startsWith(u'W')) name = options_.DocPath + name.mid(2);
        }
        return names;
    };
    for (const Case& c : cases) {
        outputs(c.text, c.word, c.database);
        options_.DocPath = c.sameFolders ? path("text/") : path("word/");
        QStringList results = expand(c.before);
        driver().ExtractReportList(c.reports,
                                   results);  // the reports do not exist: names come all the same
        EXPECT_EQ(results, expand(c.after)) << c.name;
    }
}

TEST_F(Extract, ProgressTextsOnlyWhereAWindowShowsThem) {
    outputs(1, 1, 1);
    const QStringList list{report(QStringLiteral("Sales.rpt"))};
    QStringList results;
    {
        StandardErrorReporter commandLine;  // a command-line run: no window
        ExtractRun run(options_, commandLine);
        ExtractDriver(run, writers_).ExtractReportList(list, results);
    }
    EXPECT_TRUE(statuses_.isEmpty());

    driver().ExtractReportList(list, results);
    EXPECT_EQ(statuses_, (QStringList{
                             "Sales.rpt - Mining",
                             "Sales.rpt - Initializing",
                             "Sales.rpt - Initializing Word",
                             "Sales.rpt - Generating Word Document",
                             "Sales.rpt - Initializing database output",
                         }));
}

TEST_F(Extract, RunLogHoldsTheLinesOfTheLastReportOnly) {
    outputs(0, 0, 1);
    const QString sales = report(QStringLiteral("Sales.rpt"));
    const QString layout = report(QStringLiteral("Layout.rpt"), "layout.xml");
    ASSERT_TRUE(driver().ExtractReport(sales, QStringLiteral("Sales.rpt")));
    // Closed after the report: its lines are in the file.
    EXPECT_EQ(runLog(), QStringLiteral("Sales.rpt - tables\nSales.rpt - objects\n"));
    QStringList results;
    ASSERT_TRUE(driver().ExtractReportList({sales, layout}, results));
    EXPECT_EQ(runLog(), QStringLiteral("Layout.rpt - tables\nLayout.rpt - objects\n"));
}

// A missing database folder is made; one that cannot be is named with the cause, once.
TEST_F(Extract, RunLogThatCannotBeCreatedFailsTheReport) {
    outputs(0, 0, 1);
    QFile blocking(path("blocked"));  // a file where a folder should be
    ASSERT_TRUE(blocking.open(QIODevice::WriteOnly));
    options_.DBPath = path("blocked/db/");
    EXPECT_FALSE(
        driver().ExtractReport(report(QStringLiteral("Sales.rpt")), QStringLiteral("Sales.rpt")));
    EXPECT_EQ(messages_, QStringList{"Unable to write the database rows of Report: Sales.rpt "
                                     "(Unable to create the folder " +
                                     path("blocked/db/") + ": Not a directory)"});
    EXPECT_TRUE(script_.journal.isEmpty());
}

TEST_F(Extract, RunLogStartsAnewAtEachOpening) {
    RunLog log(path("db"));  // a folder given without its separator
    EXPECT_EQ(log.path(), path("db/tvLog.txt"));
    EXPECT_TRUE(log.close());  // nothing open: nothing to do

    log.write(QStringLiteral("Größe – ✓"));
    log.write(QString());
    EXPECT_EQ(runLog(), QStringLiteral("<none>"));  // written out when the log closes
    ASSERT_TRUE(log.close());
    EXPECT_EQ(runLog(), QStringLiteral("Größe – ✓\n\n"));  // UTF-8, lines unchanged

    // The next line after a close starts the file anew; the old log stays until then.
    log.write(QStringLiteral("second"));
    EXPECT_EQ(runLog(), QStringLiteral("Größe – ✓\n\n"));
    ASSERT_TRUE(log.close());
    EXPECT_EQ(runLog(), QStringLiteral("second\n"));

    // Opening again drops what the open log held.
    log.write(QStringLiteral("dropped"));
    log.open();
    log.write(QStringLiteral("third"));
    ASSERT_TRUE(log.close());
    EXPECT_EQ(runLog(), QStringLiteral("third\n"));

    // A log dropped without closing leaves the file as it was.
    {
        RunLog unclosed(path("db/"));
        unclosed.write(QStringLiteral("lost"));
    }
    EXPECT_EQ(runLog(), QStringLiteral("third\n"));
}

TEST_F(Extract, OutputNamesFromReportPaths) {
    struct Case {
        const char* path;
        const char* fileName;
        const char* stem;
    };
    const Case cases[] = {
        {"/r/Sales.rpt", "Sales.rpt", "Sales"},
        {"C:\\Reports\\SALES.RPT", "SALES.RPT", "SALES"},
        {"r/sub\\My Report.rpt", "My Report.rpt", "My Report"},
        {"Sales.rpt", "Sales.rpt", "Sales"},
        {"/r/ab", "ab", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(reportFileName(QString::fromLatin1(c.path)), QString::fromLatin1(c.fileName));
        EXPECT_EQ(reportStem(QString::fromLatin1(c.fileName)), QString::fromLatin1(c.stem));
    }
    options_.TVDPath = QStringLiteral("/out");
    EXPECT_EQ(driver().textOutputPath(QStringLiteral("Sales")), QStringLiteral("/out/Sales.tvd"));
}

}  // namespace
