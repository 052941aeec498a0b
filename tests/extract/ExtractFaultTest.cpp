#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <functional>
#include <map>

#include "DatabaseSession.h"
#include "ExtractDriver.h"
#include "ExtractOptions.h"
#include "ExtractWriterFactory.h"
#include "FullDiskFile.h"
#include "QtPrinters.h"
#include "RecordingReporter.h"
#include "RunLog.h"
#include "SettingsStore.h"
#include "TestSupport.h"
#include "TvdWriter.h"

using namespace tav::core;
using namespace tav::doctext;
using namespace tav::database;
using namespace tav::extract;

namespace {

// The three outputs of the report Sales.rpt.
enum Output { Text, Document, Database };
const char* const kOutputNames[] = {"text file", "document", "database"};

// The program's own writers over a folder of their own: a first Extract writes every output of
// Sales.rpt; a second one, of a changed report, meets one injected fault.
class ExtractFaults : public ::testing::Test {
public:
    void SetUp() override {
        for (const char* folder : {"text", "word", "db"}) {
            ASSERT_TRUE(QDir(dir_.path()).mkpath(QString::fromLatin1(folder)));
        }
        ExtractOptions& settings = options_;
        settings.ProgramFolder = dir_.path() + u'/';
        settings.TVDPath = path("text/");
        settings.DocPath = path("word/");
        settings.DBPath = path("db/");
        settings.OutputTemplate = QStringLiteral("Classic");
        settings.CreateTVDFile = 1;
        settings.CreateWordDocument = 1;
        settings.UpdateDB = 1;
        settings.ShowTables = 1;
    }

    QString path(const QString& relative) const { return dir_.filePath(relative); }

    QString outputPath(Output output) const {
        const char* const paths[] = {"text/Sales.tvd", "word/Sales.docx", "db/tv.db"};
        return path(QString::fromLatin1(paths[output]));
    }

    QByteArray bytes(Output output) const {
        QFile file(outputPath(output));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
    }

    // Sales.rpt as the sample `sample`, with `change` applied to its text.
    void putReport(const char* sample, const std::function<void(QByteArray&)>& change = {}) const {
        QFile from(sampleReport(QString::fromLatin1(sample)));
        ASSERT_TRUE(from.open(QIODevice::ReadOnly));
        QByteArray xml = from.readAll();
        if (change) change(xml);
        QFile to(path("Sales.rpt"));
        ASSERT_TRUE(to.open(QIODevice::WriteOnly | QIODevice::Truncate));
        to.write(xml);
    }

    bool extract() {
        ExtractRun run(options_, reporter_);
        if (busyTimeoutMs_ > 0) run.databaseSession()->setBusyTimeout(busyTimeoutMs_);
        return ExtractDriver(run, writers_)
            .ExtractReport(path("Sales.rpt"), QStringLiteral("Sales.rpt"));
    }

    QTemporaryDir dir_;
    RecordingReporter reporter_;
    QStringList& messages_ = reporter_.messages;
    ExtractOptions options_;
    ExtractWriterFactory writers_ = defaultExtractWriters();
    int busyTimeoutMs_ = 0;  // the database's wait for another's lock, when not the usual one
};

// Holds an exclusive lock on a database file until it goes.
class DatabaseLock {
public:
    explicit DatabaseLock(const QString& file) {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kName);
            db.setDatabaseName(file);
            EXPECT_TRUE(db.open());
            QSqlQuery(db).exec(QStringLiteral("PRAGMA locking_mode = EXCLUSIVE"));
            QSqlQuery begin(db);
            EXPECT_TRUE(begin.exec(QStringLiteral("BEGIN EXCLUSIVE")))
                << begin.lastError().text().toStdString();
        }
    }
    ~DatabaseLock() {
        {
            QSqlDatabase db = QSqlDatabase::database(kName);
            QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
            db.close();
        }
        QSqlDatabase::removeDatabase(kName);
    }

private:
    static inline const QString kName = QStringLiteral("test lock");
};

TEST_F(ExtractFaults, EachFaultNamesItsCauseAndLeavesTheEarlierOutputWhole) {
    struct Case {
        const char* name;
        // Puts the fault in place; what it returns undoes it at the end of the case.
        std::function<std::function<void()>(ExtractFaults&)> inject;
        const char* message;  // the message's start; the cause follows in parentheses
        const char* cause;    // a part of the cause
        std::map<Output, bool> rewritten;
    };
    const Case cases[] = {
        {"a disk that fills up under the text file",
         [](ExtractFaults& test) {
             test.writers_.textWriter = [](ExtractRun& run) {
                 return makeTextWriter(run, [](const QString& file) {
                     return std::make_unique<FullDiskFile>(file, 200);
                 });
             };
             return [&test] { test.writers_ = defaultExtractWriters(); };
         },
         "Unable to write the text file of Report: Sales.rpt (",
         "Sales.tvd: No space left on device",
         {{Text, false}, {Document, true}, {Database, true}}},
        {"a document folder that cannot be written",
         [](ExtractFaults& test) {
             QFile blocker(test.path("blocked"));
             blocker.open(QIODevice::WriteOnly);
             test.options_.DocPath = test.path("blocked/word/");
             return [&test] { test.options_.DocPath = test.path("word/"); };
         },
         "Unable to write the document of Report: Sales.rpt (",
         "",
         {{Text, true}, {Document, false}, {Database, true}}},
        {"a database that another connection holds locked",
         [](ExtractFaults& test) {
             auto lock = std::make_shared<DatabaseLock>(test.outputPath(Database));
             // A writer waits for another process's lock; not for the length of a test.
             test.busyTimeoutMs_ = 200;
             return [lock, &test]() mutable {
                 lock.reset();
                 test.busyTimeoutMs_ = 0;
             };
         },
         "Unable to write the database rows of Report: Sales.rpt (",
         "locked",
         {{Text, true}, {Document, true}, {Database, false}}},
        {"a design value of the wrong type",
         [](ExtractFaults& test) {
             test.putReport("layout.xml", [](QByteArray& xml) {
                 xml.replace("topMargin=\"1080\"", "topMargin=\"abc\"");
             });
             return [] {};
         },
         "Unable to open Report: Sales.rpt (",
         "Type mismatch: Report.topMargin = \"abc\" (line 7)",
         {{Text, false}, {Document, false}, {Database, false}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        putReport("fields.xml");
        ASSERT_TRUE(extract()) << messages_.join(u'\n').toStdString();
        std::map<Output, QByteArray> before;
        for (Output output : {Text, Document, Database}) before[output] = bytes(output);

        // The second report differs from the first, so an output written again changes.
        putReport("layout.xml");
        messages_.clear();
        const std::function<void()> undo = c.inject(*this);
        EXPECT_FALSE(extract());
        for (const auto& [output, rewritten] : c.rewritten) {
            EXPECT_EQ(bytes(output) != before[output], rewritten) << kOutputNames[output];
        }
        undo();
        // The database module may tell its own step first ("Error updating database"); the
        // driver's line for the report is one, and the last.
        ASSERT_FALSE(messages_.isEmpty());
        EXPECT_EQ(messages_.filter(QStringLiteral("Report: Sales.rpt")).size(), 1)
            << messages_.join(u'\n').toStdString();
        const QString message = messages_.last();
        EXPECT_TRUE(message.startsWith(QString::fromUtf8(c.message))) << message.toStdString();
        EXPECT_TRUE(message.endsWith(u')')) << message.toStdString();
        EXPECT_GT(message.size(), qsizetype(qstrlen(c.message)) + 1)
            << message.toStdString();  // some cause
        EXPECT_TRUE(message.contains(QString::fromUtf8(c.cause))) << message.toStdString();
        EXPECT_FALSE(message.contains(u'\n'))
            << message.toStdString();  // one output failed, one line
    }
}

}  // namespace
