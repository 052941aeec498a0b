#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QSqlQuery>
#include <map>

#include "DatabaseFixture.h"
#include "DatabaseSchema.h"
#include "DatabaseSession.h"
#include "DatabaseWriter.h"
#include "ExtractOptions.h"
#include "RecordingReporter.h"
#include "RunLog.h"
#include "SharedBlocks.h"
#include "TestSupport.h"
#include "tvArea.h"
#include "tvBlobObject.h"
#include "tvCrossTabObject.h"
#include "tvDatabase.h"
#include "tvDatabaseFieldDefinition.h"
#include "tvDatabaseTable.h"
#include "tvFieldElement.h"
#include "tvFieldObject.h"
#include "tvFormulaField.h"
#include "tvIReportObject.h"
#include "tvParameterFieldDefinition.h"
#include "tvReportStatistics.h"
#include "tvRunningTotalFieldDefinition.h"
#include "tvSQLExpressionFieldDefinition.h"
#include "tvSection.h"
#include "tvSortField.h"
#include "tvSubReportObject.h"
#include "tvSummaryFieldDefinition.h"
#include "tvTextObject.h"

using namespace tav::core;
using namespace tav::doctext;
using namespace tav::database;

namespace {

// The sample report `name`, loaded as the Extract driver loads it.
std::unique_ptr<tvReport> sample(const char* name) {
    auto report = std::make_unique<tvReport>();
    report->init(sampleReport(QString::fromLatin1(name)), 0, 0);
    return report;
}

// The number of report objects of each kind in the report and its subreports.
void countObjects(const tvReport& report, std::map<int, int>& kinds) {
    for (const tvArea& area : report.tvAreas) {
        for (const tvSection& section : area.tvSections) {
            for (const tvIReportObject& object : section.reportObjects) ++kinds[object.kind];
        }
    }
    for (const tvSubReportObject& object : report.subReports) countObjects(*object.report, kinds);
}

// The first object of type T in the report's sections.
template <class T>
T* firstObject(tvReport& report) {
    for (tvArea& area : report.tvAreas) {
        for (tvSection& section : area.tvSections) {
            for (tvIReportObject& object : section.reportObjects) {
                if (auto* found = dynamic_cast<T*>(&object)) return found;
            }
        }
    }
    return nullptr;
}

}  // namespace

class DatabaseWriterTest : public DatabaseFixture {
protected:
    void SetUp() override {
        DatabaseFixture::SetUp();
        log_.setFolder(dir.path() + QLatin1Char('/'));
    }

    // Writes `report` with a writer of its own, or through `session`.
    bool write(tvReport& report, DatabaseSession* session = nullptr) {
        const auto writer = session ? std::make_unique<DatabaseWriter>(owner_, *session)
                                    : std::make_unique<DatabaseWriter>(owner_, log_, reporter_);
        return writer->WriteReport(report, QStringLiteral("sample.rpt"), path(),
                                   report.reportFileName);
    }

    QString owner_;  // the owner that the written reports get

    // The first column of every row of `sql`, as text.
    QStringList column(const QString& sql, const QVariantList& values = {}) const {
        DatabaseConnection db(path());
        QSqlQuery query = db.exec(sql, values);
        QStringList out;
        while (query.next()) out << query.value(0).toString();
        return out;
    }
    int count(const QString& table) const {
        return column(QStringLiteral("SELECT count(*) FROM ") + table).value(0).toInt();
    }
    // The number of rows of every table, by its name.
    std::map<std::string, int> rowCounts() const {
        std::map<std::string, int> counts;
        for (const TableDef& table : schemaTables())
            counts[table.name] = count(QLatin1String(table.name));
        return counts;
    }

    // Every row of every table, in storage order.
    QByteArray dumpRows() const {
        DatabaseConnection db(path());
        QByteArray out;
        for (const TableDef& table : schemaTables()) {
            QSqlQuery query =
                db.exec(QStringLiteral("SELECT * FROM \"%1\"").arg(QLatin1String(table.name)));
            while (query.next()) {
                out += table.name;
                for (int i = 0; i < static_cast<int>(table.columns.size()); ++i) {
                    out += '|' + query.value(i).toString().toUtf8();
                }
                out += '\n';
            }
        }
        return out;
    }

    // Every reference in the file names a row that exists.
    void expectConsistent() const {
        EXPECT_EQ(column(QStringLiteral("PRAGMA foreign_key_check")), QStringList());
        EXPECT_EQ(column(QStringLiteral(
                      "SELECT s.SubReport_Report_Id FROM SubreportObjects s WHERE NOT EXISTS "
                      "(SELECT 1 FROM Reports r WHERE r.Report_Id = s.SubReport_Report_Id)")),
                  QStringList());
    }

    // A new file that refuses the rows of the report named b.rpt midway, after its first rows.
    void createRefusingBRpt() {
        ASSERT_TRUE(DatabaseCreator::CreateDatabase(path()));
        DatabaseConnection db(path());
        db.exec(QStringLiteral(
            "CREATE TRIGGER refuse BEFORE INSERT ON Areas WHEN (SELECT ReportName FROM Reports "
            "WHERE Report_Id = NEW.Report_Id) = 'b.rpt' BEGIN SELECT RAISE(ABORT, 'no b'); END"));
    }

    QString runLog() {
        log_.close();
        QFile file(log_.path());
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    RunLog log_;
    RecordingReporter reporter_;
    QStringList& shown = reporter_.messages;
};

TEST_F(DatabaseWriterTest, WritesTheReportItsTablesAndFieldDefinitions) {
    auto report = sample("fields.rpt");
    report->tvReportStatistics->revisionNumber = 7;
    report->tvReportStatistics->totalEditTime = 12;
    ASSERT_TRUE(write(*report)) << runLog().toStdString();  // the database file is created
    EXPECT_TRUE(shown.isEmpty()) << shown.join(u'\n').toStdString();

    const QString id = column(QStringLiteral("SELECT Report_Id FROM Reports")).value(0);
    EXPECT_EQ(column(QStringLiteral("SELECT ReportName || '|' || ReportFileName || '|' || "
                                    "RevisionNumber || '|' || Title FROM Reports")),
              QStringList{QStringLiteral("fields.rpt|") + report->reportFileName +
                          QStringLiteral("|7|") + report->reportTitle});
    EXPECT_EQ(column(QStringLiteral("SELECT revisionNumber || '|' || totalEditTime FROM "
                                    "Report_Statistics WHERE Report_Id = ?"),
                     {id}),
              QStringList{QStringLiteral("7|12")});
    EXPECT_EQ(count(QStringLiteral("Printer")), 1);
    EXPECT_EQ(count(QStringLiteral("Report_Database")), 1);
    EXPECT_EQ(count(QStringLiteral("Export_Options")), 1);

    // Tables and database fields first, from 1; every definition after them in one id space.
    const tvDatabase& database = *report->tvDatabase;
    EXPECT_EQ(column(QStringLiteral("SELECT Name FROM Tables ORDER BY Table_Id")),
              (QStringList{database.tables.Item(1).name, database.tables.Item(2).name}));
    const qsizetype databaseFields = database.allFields.Count();
    EXPECT_EQ(column(QStringLiteral("SELECT min(Field_Id) || '-' || max(Field_Id) FROM "
                                    "DatabaseFields")),
              QStringList{QStringLiteral("1-%1").arg(databaseFields)});
    EXPECT_EQ(
        column(QStringLiteral("SELECT Name FROM FormulaFields ORDER BY Field_Id")),
        (QStringList{report->tvFormulaFields.Item(1).name, report->tvFormulaFields.Item(2).name}));
    EXPECT_EQ(
        column(QStringLiteral("SELECT FormulaText FROM FormulaFields ORDER BY Field_Id")).value(0),
        report->tvFormulaFields.Item(1).text);
    EXPECT_EQ(count(QStringLiteral("ParameterFields")), report->tvParameters.Count());
    EXPECT_EQ(count(QStringLiteral("GroupNameFields")), report->tvGroupNameFields.Count());
    EXPECT_EQ(count(QStringLiteral("SQLExpressionFields")), report->tvSQLExpressionFields.Count());
    EXPECT_EQ(count(QStringLiteral("SummaryFields")), report->tvSummaryFieldDefinitions.Count());
    EXPECT_EQ(count(QStringLiteral("RunningTotalFields")), report->runningTotalFields.Count());
    EXPECT_EQ(count(QStringLiteral("SortFields")),
              report->tvGroupSortFields.Count() + report->tvRecordSortFields.Count());
    EXPECT_EQ(count(QStringLiteral("GroupSortFields")) + count(QStringLiteral("RecordSortFields")),
              count(QStringLiteral("SortFields")));
    // Every summary names the id of what it summarizes; no area is ever set.
    EXPECT_EQ(column(QStringLiteral("SELECT count(*) FROM SummaryFields WHERE "
                                    "SummarizedField_Id IS NULL OR HeaderAreaId IS NOT NULL OR "
                                    "FooterAreaId IS NOT NULL")),
              QStringList{QStringLiteral("0")});
    // A special field sorted on before the special fields' own step keeps one id for both.
    EXPECT_EQ(column(QStringLiteral("SELECT v.Name FROM RecordSortFields r JOIN SortFields s ON "
                                    "s.SortField_Id = r.SortField_Id JOIN SpecialVarFields v ON "
                                    "v.Field_Id = s.Field_Id AND v.Report_Id = s.Report_Id")),
              QStringList{QStringLiteral("RecordNumber")});
    // A database field enters the registry under its own id only once something refers to it.
    EXPECT_EQ(column(QStringLiteral("SELECT count(*) FROM Fields f JOIN DatabaseFields d ON "
                                    "d.Field_Id = f.Field_Id AND d.Report_Id = f.Report_Id "
                                    "AND d.Name <> f.Name")),
              QStringList{QStringLiteral("0")});
    EXPECT_GT(column(QStringLiteral("SELECT count(*) FROM Fields WHERE Kind = 1")).value(0).toInt(),
              0);

    const QString log = runLog();
    EXPECT_TRUE(
        log.startsWith(QStringLiteral("Generating DB for report: sample.rpt\n"
                                      "Initialized the DB\nDeleting report Data\n"
                                      "Writing report data\nWriting printer data\n"
                                      "Writing DB data\nWriting DB tables data\n")))
        << log.toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral("Writing special var fields data\n")));
}

TEST_F(DatabaseWriterTest, SubreportsAreReportsOfTheirOwnUnderTheMainRevision) {
    auto report = sample("objects.rpt");
    report->tvReportStatistics->revisionNumber = 3;
    // The writer reads the model and never changes it: a subreport keeps its own statistics.
    std::vector<const tvReportStatistics*> statistics;
    for (const tvSubReportObject& object : report->subReports)
        statistics.push_back(object.report->tvReportStatistics.get());
    ASSERT_TRUE(write(*report));
    ASSERT_EQ(report->subReports.Count(), 2);
    QStringList reports{QStringLiteral("objects.rpt|3")};
    QStringList links;
    size_t i = 0;
    for (const tvSubReportObject& object : report->subReports) {
        EXPECT_EQ(object.report->tvReportStatistics.get(), statistics[i++]);
        reports << object.report->reportFileName + QStringLiteral("|3");
        links << object.objectName + u'>' + object.report->reportFileName;
    }
    EXPECT_EQ(column(QStringLiteral("SELECT ReportName || '|' || RevisionNumber FROM Reports "
                                    "ORDER BY Report_Id")),
              reports);
    EXPECT_EQ(column(QStringLiteral("SELECT s.Name || '>' || r.ReportName FROM SubreportObjects s "
                                    "JOIN Reports r ON r.Report_Id = s.SubReport_Report_Id "
                                    "ORDER BY s.ReportObject_Id")),
              links);
    EXPECT_EQ(count(QStringLiteral("Report_Statistics")), 3);

    // A subreport of the same name and revision in another report is a report of its own.
    auto other = sample("objects.rpt");
    other->reportFileName = QStringLiteral("/elsewhere/objects.rpt");
    other->tvReportStatistics->revisionNumber = 3;
    ASSERT_TRUE(write(*other));
    ASSERT_TRUE(write(*report));
    EXPECT_EQ(count(QStringLiteral("Reports")), 6);
    EXPECT_EQ(count(QStringLiteral("SubreportObjects")), 4);
}

TEST_F(DatabaseWriterTest, AreasSectionsAndObjectsFollowTheLayout) {
    auto report = sample("objects.rpt");
    ASSERT_TRUE(write(*report));
    const QString main = QStringLiteral(" WHERE Report_Id = (SELECT min(Report_Id) FROM Reports)");
    EXPECT_EQ(count(QStringLiteral("Areas") + main), report->tvAreas.Count());
    qsizetype sections = 0;
    qsizetype objects = 0;
    qsizetype formulas = 0;
    for (const tvArea& area : report->tvAreas) {
        sections += area.tvSections.Count();
        for (const tvSection& section : area.tvSections) {
            objects += section.reportObjects.Count();
            formulas += section.ConditionalFormulas.Count();
        }
    }
    EXPECT_EQ(count(QStringLiteral("Sections") + main), sections);
    EXPECT_EQ(count(QStringLiteral("ReportObjects") + main), objects);
    EXPECT_EQ(count(QStringLiteral("ConditionalFormulas") + main +
                    QStringLiteral(" AND Section_Id IS NOT NULL")),
              formulas);
    // Objects take their ids after the field definitions, from the same counter.
    EXPECT_EQ(
        column(QStringLiteral("SELECT count(*) FROM ReportObjects o JOIN Fields f ON "
                              "f.Report_Id = o.Report_Id AND f.Field_Id = o.ReportObject_Id")),
        QStringList{QStringLiteral("0")});
    EXPECT_EQ(column(QStringLiteral("SELECT SectionFriendlyName FROM Sections") + main +
                     QStringLiteral(" AND Area_Id = 1 AND Section_Id = 1")),
              QStringList{GetSectionDisplayName(*report, 1, 1)});
    EXPECT_TRUE(runLog().contains(QStringLiteral("\t\t\tWriting Report Object: ")));
}

TEST_F(DatabaseWriterTest, EverySampleWritesOneRowOfItsKindPerObject) {
    const std::pair<int, const char*> kindTables[] = {
        {1, "FieldObjects"}, {2, "TextObjects"},      {3, "LineObjects"},
        {4, "BoxObjects"},   {5, "SubreportObjects"}, {6, "OleObjects"},
        {7, "GraphObjects"}, {8, "CrossTabObjects"},  {9, "BlobObjects"},
        {10, "MapObjects"},  {11, "OlapGridObjects"},
    };
    std::map<int, int> kinds;
    for (const char* name :
         {"fields.rpt", "objects.rpt", "layout.rpt", "charts.rpt", "grouped.rpt", "list.rpt"}) {
        auto report = sample(name);
        ASSERT_TRUE(write(*report)) << name << runLog().toStdString();
        countObjects(*report, kinds);
    }
    int objects = 0;
    for (const auto& [kind, number] : kinds) objects += number;
    EXPECT_EQ(count(QStringLiteral("ObjectPosition")), objects);
    for (const auto& [kind, table] : kindTables) {
        EXPECT_EQ(count(QLatin1String(table)), kinds[kind]) << table;
    }
    // Every object but lines and boxes has a border; text and field objects a font.
    EXPECT_EQ(count(QStringLiteral("BorderFormatting")), objects - kinds[3] - kinds[4]);
    EXPECT_EQ(count(QStringLiteral("FontFormatting")), kinds[1] + kinds[2]);
    // A chart names twelve fonts of its own.
    EXPECT_EQ(count(QStringLiteral("Font")), kinds[1] + kinds[2] + 12 * kinds[7]);
    EXPECT_EQ(count(QStringLiteral("SubreportFormatting")), kinds[5]);
    for (const int kind : {7, 8, 9, 10, 11}) EXPECT_GT(kinds[kind], 0) << kind;
    EXPECT_GT(count(QStringLiteral("CrossTabGroups")), 0);
    EXPECT_GT(count(QStringLiteral("ObjectFieldMapping")), 0);
    EXPECT_TRUE(shown.isEmpty()) << shown.join(u'\n').toStdString();
}

TEST_F(DatabaseWriterTest, ATextObjectMapsEachOfItsFieldsOnceInOrder) {
    auto report = sample("objects.rpt");
    tvTextObject* text = nullptr;
    for (const tvArea& area : report->tvAreas) {
        for (const tvSection& section : area.tvSections) {
            for (tvIReportObject& object : section.reportObjects) {
                auto* candidate = dynamic_cast<tvTextObject*>(&object);
                if (!text && candidate && candidate->fieldElements.Count() == 1) text = candidate;
            }
        }
    }
    ASSERT_NE(text, nullptr);
    // The fields A, B and A: the table keeps one row per field of a text.
    tvIFieldDefinition* first = text->fieldElements.Item(1).fieldDefinition;
    tvIFieldDefinition* second = nullptr;
    for (tvDatabaseFieldDefinition& field : report->tvDatabase->tables.Item(1).fields) {
        if (field.name != first->name) second = &field;
    }
    ASSERT_NE(second, nullptr);
    for (tvIFieldDefinition* field : {second, first}) {
        auto element = std::make_unique<tvFieldElement>();
        element->fieldDefinition = field;
        text->fieldElements.Add(std::move(element));
    }
    text->hyperlinkFormatting.hyperlinkText = QStringLiteral("http://a/?x=1, ,y='2'");
    ASSERT_TRUE(write(*report)) << runLog().toStdString();
    EXPECT_EQ(
        column(QStringLiteral("SELECT f.Name || '@' || m.FieldElementSeq FROM "
                              "FieldElementsMapping m JOIN TextObjects t ON "
                              "t.Report_Id = m.Report_Id AND "
                              "t.ReportObject_Id = m.ReportObject_Id JOIN Fields f ON "
                              "f.Report_Id = m.Report_Id AND f.Field_Id = m.FieldElement_Id "
                              "WHERE t.Name = ? ORDER BY m.FieldElementSeq"),
               {text->objectName}),
        (QStringList{first->name + QStringLiteral("@1"), second->name + QStringLiteral("@2")}));
    EXPECT_EQ(column(QStringLiteral("SELECT HyperlinkText FROM HyperlinkFormatting")),
              QStringList{text->hyperlinkFormatting.hyperlinkText});
}

TEST_F(DatabaseWriterTest, WritingAgainReplacesTheCopyOfTheSameRevisionOnly) {
    auto report = sample("objects.rpt");
    ASSERT_TRUE(write(*report));
    // Every table holds as many rows after the copy is replaced as before.
    const auto before = rowCounts();
    ASSERT_TRUE(write(*report));
    EXPECT_EQ(count(QStringLiteral("Reports")), 3);
    EXPECT_EQ(rowCounts(), before);

    report->tvReportStatistics->revisionNumber += 1;
    ASSERT_TRUE(write(*report));
    EXPECT_EQ(count(QStringLiteral("Reports")), 6);
}

TEST_F(DatabaseWriterTest, AFailureInMidReportLeavesTheEarlierCopy) {
    auto report = sample("fields.rpt");
    ASSERT_TRUE(write(*report));
    const QByteArray before = dumpRows();

    // The database refuses the report's areas, long after its earlier copy was deleted.
    {
        DatabaseConnection db(path());
        db.exec(
            QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON Areas "
                           "BEGIN SELECT RAISE(ABORT, 'no areas today'); END"));
    }
    DatabaseWriter writer(owner_, log_, reporter_);
    QString error;
    EXPECT_FALSE(
        writer.WriteReport(*report, QStringLiteral("sample.rpt"), path(), QString(), &error));
    EXPECT_EQ(dumpRows(), before);
    EXPECT_TRUE(error.contains(QStringLiteral("no areas today")));
    EXPECT_TRUE(runLog().contains(QStringLiteral("Database update failed: ")));
}

// In a run the reports share commits: nothing is saved before the work reaches the run's
// limit or the run ends, and a report that fails midway is undone alone.
TEST_F(DatabaseWriterTest, ARunSavesItsReportsTogetherAndUndoesAFailedOneAlone) {
    createRefusingBRpt();
    DatabaseSession session(log_, reporter_);
    const auto writeAs = [this, &session](const char* name) {
        auto report = sample("fields.rpt");
        report->reportFileName = dir.filePath(QLatin1String(name));
        return write(*report, &session);
    };
    const QString reports = QStringLiteral("SELECT ReportName FROM Reports ORDER BY ReportName");
    {
        session.groupCommits(std::chrono::hours(1));
        EXPECT_TRUE(writeAs("a.rpt"));
        EXPECT_FALSE(writeAs("b.rpt"));
        EXPECT_TRUE(writeAs("c.rpt"));
        EXPECT_EQ(column(reports), QStringList());  // not committed yet
        EXPECT_TRUE(session.endGrouping());
    }
    EXPECT_EQ(column(reports), (QStringList{QStringLiteral("a.rpt"), QStringLiteral("c.rpt")}));
    {
        session.groupCommits(std::chrono::milliseconds(0));
        EXPECT_TRUE(writeAs("d.rpt"));
        EXPECT_EQ(column(reports).size(), 3);  // the limit is reached: saved at once
    }
    expectConsistent();
}

// A grouped commit that fails names the reports whose rows it lost; when every report of the
// transaction failed and was undone alone, nothing waits, and the grouping ends without a failure.
TEST_F(DatabaseWriterTest, AFailedCommitNamesTheReportsItLostAndOnlyThose) {
    createRefusingBRpt();
    const struct {
        QStringList reports;
        bool ends;
        QString error;
    } cases[] = {
        {{"b.rpt"}, true, QString()},
        {{"a.rpt", "b.rpt", "c.rpt"},
         false,
         QStringLiteral("; the rows of these reports were not saved: sample.rpt, sample.rpt")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reports.join(u' ').toStdString());
        DatabaseSession session(log_, reporter_);
        session.setBusyTimeout(50);
        session.groupCommits(std::chrono::hours(1));
        for (const QString& name : c.reports) {
            auto report = sample("fields.rpt");
            report->reportFileName = dir.filePath(name);
            EXPECT_EQ(write(*report, &session), name != QLatin1String("b.rpt"));
        }
        // A reader that holds the file keeps the commit from writing it.
        DatabaseConnection reader(path());
        reader.exec(QStringLiteral("BEGIN"));
        reader.exec(QStringLiteral("SELECT count(*) FROM Reports"));
        QString error;
        EXPECT_EQ(session.endGrouping(&error), c.ends);
        EXPECT_TRUE(c.error.isEmpty() ? error.isEmpty() : error.endsWith(c.error))
            << error.toStdString();
    }
}

// Two runs in one process each keep their own connection and transaction: the rows of one wait
// for its own end, whatever the other stores and saves meanwhile.
TEST_F(DatabaseWriterTest, TwoSessionsKeepTheirReportsApart) {
    const QString other = dir.filePath(QStringLiteral("other/tv.db"));
    ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("other"))));
    RecordingReporter otherReporter;
    RunLog otherLog(dir.filePath(QStringLiteral("other")));
    DatabaseSession first(log_, reporter_);
    DatabaseSession second(otherLog, otherReporter);
    first.groupCommits(std::chrono::hours(1));
    second.groupCommits(std::chrono::hours(1));
    auto report = sample("fields.rpt");
    ASSERT_TRUE(write(*report, &first));
    ASSERT_TRUE(
        DatabaseWriter(owner_, second)
            .WriteReport(*report, QStringLiteral("sample.rpt"), other, report->reportFileName));
    EXPECT_TRUE(second.endGrouping());
    EXPECT_EQ(count(QStringLiteral("Reports")), 0);  // the first run's rows wait still
    {
        DatabaseConnection db(other);
        QSqlQuery query = db.exec(QStringLiteral("SELECT count(*) FROM Reports"));
        ASSERT_TRUE(query.next());
        EXPECT_EQ(query.value(0).toInt(), 1);
    }
    EXPECT_TRUE(first.endGrouping());
    EXPECT_EQ(count(QStringLiteral("Reports")), 1);
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_TRUE(otherReporter.messages.isEmpty());
}

// A report whose steps the run log cannot take is not stored: the writer answers with the log's
// reason, and the database keeps what it held.
TEST_F(DatabaseWriterTest, ARunLogThatCannotBeWrittenFailsTheReportWithItsReason) {
    auto report = sample("fields.rpt");
    ASSERT_TRUE(write(*report));
    QFile blocking(dir.filePath(QStringLiteral("blocked")));  // a file where a folder should be
    ASSERT_TRUE(blocking.open(QIODevice::WriteOnly));
    const QString folder = dir.filePath(QStringLiteral("blocked/logs/"));
    RunLog lost(folder);
    DatabaseWriter writer(owner_, lost, reporter_);
    QString error;
    EXPECT_FALSE(writer.WriteReport(*report, QStringLiteral("other.rpt"), path(),
                                    QStringLiteral("other.rpt"), &error));
    EXPECT_EQ(error, QStringLiteral("Unable to create the folder ") + folder + ": Not a directory");
    EXPECT_EQ(count(QStringLiteral("Reports")), 1);
    EXPECT_TRUE(shown.isEmpty());
}

TEST_F(DatabaseWriterTest, TextIsStoredAsTypedAndCutOnlyWhereTheColumnEnds) {
    auto report = sample("fields.rpt");
    const QString quoted = QStringLiteral("O'Brien's \"report\"'); DROP TABLE Reports; --");
    report->reportTitle = quoted;
    tvFormulaField& formula = report->tvFormulaFields.Item(1);
    formula.text = QStringLiteral("if {x} = 'a' then\r\n  'b'");
    ASSERT_GE(report->tvSQLExpressionFields.Count(), 1);
    tvSQLExpressionFieldDefinition& expression = report->tvSQLExpressionFields.Item(1);
    expression.text = QString(300, u'x');
    report->sqlQueryString = QStringLiteral("SELECT a\r\nFROM t");
    ASSERT_TRUE(write(*report));

    EXPECT_EQ(column(QStringLiteral("SELECT Title FROM Reports")), QStringList{quoted});
    EXPECT_EQ(column(QStringLiteral("SELECT SQLQueryString FROM Reports")),
              QStringList{QStringLiteral("SELECT a FROM t")});
    EXPECT_EQ(column(QStringLiteral("SELECT FormulaText FROM FormulaFields WHERE Name = ?"),
                     {formula.name}),
              QStringList{formula.text});
    EXPECT_EQ(column(QStringLiteral("SELECT ExpressionText FROM SQLExpressionFields WHERE "
                                    "Name = ?"),
                     {expression.name}),
              QStringList{QString(255, u'x')});
    EXPECT_TRUE(runLog().contains(
        QStringLiteral("Text cut to 255 characters: SQLExpressionFields.ExpressionText\n")));
}

// An object's name and a text object's text are cut where their columns end, on whole
// characters: a character written as two code units goes whole or not at all.
TEST_F(DatabaseWriterTest, LongObjectNamesAndTextsAreCutOnWholeCharacters) {
    const QString pair = QString::fromUtf8("\xF0\x9F\x98\x80");  // one character, two units
    const QString tail = QStringLiteral("tail");
    const struct {
        const char* name;
        QString given;
        QString stored;
    } cases[] = {
        {"a pair across the end", QString(1995, u'a') + pair + tail, QString(1995, u'a')},
        {"a pair at the end", QString(1994, u'b') + pair + tail, QString(1994, u'b') + pair},
        {"one unit at the end", QString(1996, u'c') + pair, QString(1996, u'c')},
        {"as long as the column", QString(1994, u'd') + pair, QString(1994, u'd') + pair},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto report = sample("objects.rpt");
        auto* text = firstObject<tvTextObject>(*report);
        ASSERT_NE(text, nullptr);
        text->objectName = c.given;
        text->text = c.given;
        ASSERT_TRUE(write(*report));
        for (const char* sql : {"SELECT Name FROM ReportObjects WHERE length(Name) > 1000",
                                "SELECT ObjectText FROM TextObjects WHERE length(Name) > 1000"}) {
            EXPECT_EQ(column(QLatin1String(sql)), QStringList{c.stored}) << sql;
        }
    }
}

TEST_F(DatabaseWriterTest, ASummaryThatCannotBeStoredEndsTheSummariesOnly) {
    auto report = sample("fields.rpt");
    ASSERT_GE(report->tvSummaryFieldDefinitions.Count(), 2);
    const tvSummaryFieldDefinition& broken = report->tvSummaryFieldDefinitions.Item(1);
    ASSERT_TRUE(DatabaseCreator::CreateDatabase(path()));
    {
        // The file refuses this one summary.
        DatabaseConnection db(path());
        db.exec(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON SummaryFields WHEN "
                               "NEW.Name = '%1' BEGIN SELECT RAISE(ABORT, 'refused'); END")
                    .arg(QString(broken.name).replace(u'\'', QStringLiteral("''"))));
    }
    ASSERT_TRUE(write(*report));
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(
        shown.first().startsWith(QStringLiteral("Error occurred inserting Summary Field '") +
                                 broken.name + QStringLiteral("' into database.  Error = refused")))
        << shown.first().toStdString();
    EXPECT_EQ(count(QStringLiteral("SummaryFields")), 0);
    EXPECT_EQ(count(QStringLiteral("FormulaFields")), report->tvFormulaFields.Count());
    EXPECT_EQ(count(QStringLiteral("Areas")), report->tvAreas.Count());
}

TEST_F(DatabaseWriterTest, AStoredOwnerIsFoundIgnoringCaseAndAnUnknownOneLeftOut) {
    ASSERT_TRUE(DatabaseCreator::CreateDatabase(path()));
    {
        DatabaseConnection db(path());
        db.exec(QStringLiteral("INSERT INTO ReportOwner (Name) VALUES (?)"),
                {QStringLiteral("O'Neil")});
    }
    auto report = sample("fields.rpt");
    owner_ = QStringLiteral("Nobody");
    ASSERT_TRUE(write(*report));
    EXPECT_EQ(column(QStringLiteral("SELECT ReportOwner_Id IS NULL FROM Reports")),
              QStringList{QStringLiteral("1")});
    owner_ = QStringLiteral("o'neil");
    ASSERT_TRUE(write(*report));
    EXPECT_EQ(column(QStringLiteral("SELECT o.Name FROM Reports r JOIN ReportOwner o ON "
                                    "o.ReportOwner_id = r.ReportOwner_Id")),
              QStringList{QStringLiteral("O'Neil")});
}

TEST_F(DatabaseWriterTest, ObjectsWithoutAFieldDefinitionAreStoredWithoutAField) {
    auto report = sample("charts.rpt");
    auto* blob = firstObject<tvBlobObject>(*report);
    auto* crossTab = firstObject<tvCrossTabObject>(*report);
    ASSERT_TRUE(blob && crossTab && crossTab->rowGroups.Count() > 0);
    blob->field = nullptr;
    crossTab->rowGroups.Item(1).field = nullptr;
    auto fields = sample("objects.rpt");
    auto* field = firstObject<tvFieldObject>(*fields);
    ASSERT_TRUE(field);
    field->field = nullptr;
    ASSERT_TRUE(write(*report)) << runLog().toStdString();
    ASSERT_TRUE(write(*fields)) << runLog().toStdString();
    // Written again, each replaces its copy whole: no row without a field is left behind.
    const auto once = rowCounts();
    ASSERT_TRUE(write(*report)) << runLog().toStdString();
    ASSERT_TRUE(write(*fields)) << runLog().toStdString();
    EXPECT_EQ(rowCounts(), once);
    EXPECT_EQ(column(QStringLiteral("SELECT count(*) FROM BlobObjects WHERE Name = ? AND "
                                    "DatabaseField_Id IS NULL"),
                     {blob->objectName}),
              QStringList{QStringLiteral("1")});
    EXPECT_EQ(column(QStringLiteral("SELECT Group_Id FROM CrossTabGroups WHERE Type = 'Row' AND "
                                    "Field_Id IS NULL")),
              QStringList{QStringLiteral("1")});
    EXPECT_EQ(column(QStringLiteral("SELECT count(*) FROM FieldObjects WHERE Name = ? AND "
                                    "Field_Id IS NULL"),
                     {field->objectName}),
              QStringList{QStringLiteral("1")});
    expectConsistent();
}

// Sorts, summaries and running totals on a field without a definition (kind 0 or 9) keep their
// rows, with no field, like the objects above: the report's rows are complete.
TEST_F(DatabaseWriterTest, SortsAndSummariesWithoutAFieldDefinitionAreStoredWithoutAField) {
    auto report = sample("fields.rpt");
    ASSERT_GT(report->tvGroupSortFields.Count(), 0);
    ASSERT_GT(report->runningTotalFields.Count(), 0);
    ASSERT_GE(report->tvSummaryFieldDefinitions.Count(), 2);
    report->tvGroupSortFields.Item(1).field = nullptr;
    report->tvSummaryFieldDefinitions.Item(1).summarizedField = nullptr;
    for (tvRunningTotalFieldDefinition& total : report->runningTotalFields)
        total.summarizedField = nullptr;
    ASSERT_TRUE(write(*report)) << runLog().toStdString();
    // Written again, the report replaces its copy whole: no row without a field is left behind.
    const auto once = rowCounts();
    ASSERT_TRUE(write(*report)) << runLog().toStdString();
    EXPECT_EQ(rowCounts(), once);
    EXPECT_TRUE(shown.isEmpty()) << shown.join(u'\n').toStdString();
    EXPECT_EQ(count(QStringLiteral("SummaryFields")), report->tvSummaryFieldDefinitions.Count());
    EXPECT_EQ(column(QStringLiteral("SELECT count(*) FROM SummaryFields WHERE Name = ? AND "
                                    "SummarizedField_Id IS NULL"),
                     {report->tvSummaryFieldDefinitions.Item(1).name}),
              QStringList{QStringLiteral("1")});
    EXPECT_EQ(column(QStringLiteral("SELECT count(*) FROM GroupSortFields g JOIN SortFields s ON "
                                    "s.SortField_Id = g.SortField_Id WHERE s.Field_Id IS NULL")),
              QStringList{QStringLiteral("1")});
    EXPECT_EQ(count(QStringLiteral("GroupSortFields")), report->tvGroupSortFields.Count());
    EXPECT_EQ(count(QStringLiteral("RunningTotalFields")), report->runningTotalFields.Count());
    expectConsistent();
}

TEST_F(DatabaseWriterTest, BlobScalingsKeepTheirFraction) {
    auto report = sample("charts.rpt");
    auto* blob = firstObject<tvBlobObject>(*report);
    ASSERT_TRUE(blob);
    blob->xScaling = QStringLiteral("1.5");
    blob->yScaling = QStringLiteral("0.5");
    ASSERT_TRUE(write(*report));
    DatabaseConnection db(path());
    QSqlQuery row = db.exec(QStringLiteral("SELECT XScaling, YScaling FROM BlobObjects"));
    ASSERT_TRUE(row.next());
    EXPECT_DOUBLE_EQ(row.value(0).toDouble(), 1.5);
    EXPECT_DOUBLE_EQ(row.value(1).toDouble(), 0.5);
}

TEST_F(DatabaseWriterTest, ALongNameIsLookedUpAsStored) {
    auto report = sample("objects.rpt");
    auto* field = firstObject<tvFieldObject>(*report);
    ASSERT_TRUE(field && report->tvFormulaFields.Count() > 0);
    tvFormulaField& formula = report->tvFormulaFields.Item(1);
    formula.name = QStringLiteral("{@") + QString(300, u'n') + u'}';
    field->field = &formula;
    ASSERT_TRUE(write(*report)) << runLog().toStdString();
    const QString stored = formula.name.left(255);
    EXPECT_EQ(column(QStringLiteral("SELECT count(*) FROM Fields WHERE Name = ?"), {stored}),
              QStringList{QStringLiteral("1")});
    EXPECT_EQ(column(QStringLiteral("SELECT f.Name FROM FieldObjects o JOIN Fields f ON "
                                    "f.Report_Id = o.Report_Id AND f.Field_Id = o.Field_Id "
                                    "WHERE o.Name = ?"),
                     {field->objectName}),
              QStringList{stored});
    expectConsistent();
}

TEST_F(DatabaseWriterTest, EverySpellingOfAReportPathNamesOneReport) {
    QTemporaryDir work;
    ASSERT_TRUE(work.isValid());
    const QString real = work.filePath(QStringLiteral("a.rpt"));
    ASSERT_TRUE(QFile::copy(sampleReport(QStringLiteral("fields.rpt")), real));
    ASSERT_TRUE(QFile::link(real, work.filePath(QStringLiteral("link.rpt"))));
    const QString previous = QDir::currentPath();
    QDir::setCurrent(work.path());
    for (const QString& spelling :
         {QStringLiteral("a.rpt"), QStringLiteral("./a.rpt"), real,
          work.path() + QStringLiteral("/./x/../a.rpt"), QStringLiteral("link.rpt")}) {
        SCOPED_TRACE(spelling.toStdString());
        auto report = sample("fields.rpt");
        report->reportFileName = spelling;
        EXPECT_TRUE(write(*report));
    }
    QDir::setCurrent(previous);
    EXPECT_EQ(column(QStringLiteral("SELECT ReportFileName FROM Reports")),
              QStringList{QFileInfo(real).canonicalFilePath()});
}

// A path longer than its column is stored cut, ending in a digest of the whole path: two such
// paths alike in their first 255 characters stay two reports, and writing either again replaces
// its own rows.
TEST_F(DatabaseWriterTest, LongPathsStayApartAndAreFoundAgain) {
    const QString common = QStringLiteral("/reports/") + QString(300, u'd') + u'/';
    const QStringList paths{common + QStringLiteral("first.rpt"),
                            common + QStringLiteral("second.rpt")};
    for (int pass = 0; pass < 2; ++pass) {
        for (const QString& path : paths) {
            SCOPED_TRACE(path.right(10).toStdString());
            auto report = sample("fields.rpt");
            report->reportFileName = path;
            ASSERT_TRUE(write(*report)) << runLog().toStdString();
        }
    }
    const QStringList stored =
        column(QStringLiteral("SELECT ReportFileName FROM Reports ORDER BY Report_Id"));
    ASSERT_EQ(stored.size(), 2);
    EXPECT_NE(stored[0], stored[1]);
    for (const QString& name : stored) {
        EXPECT_EQ(name.size(), 255);
        EXPECT_TRUE(name.startsWith(common.left(200)));
    }
    EXPECT_EQ(column(QStringLiteral("SELECT ReportName FROM Reports ORDER BY ReportName")),
              (QStringList{QStringLiteral("first.rpt"), QStringLiteral("second.rpt")}));
    EXPECT_FALSE(runLog().contains(QLatin1String("Reports.ReportFileName")));
    expectConsistent();
}

TEST_F(DatabaseWriterTest, TwoObjectsShowingOneSubreportShareItsRows) {
    auto report = sample("objects.rpt");
    ASSERT_EQ(report->subReports.Count(), 2);
    report->subReports.Item(2).report->reportFileName =
        report->subReports.Item(1).report->reportFileName;
    ASSERT_TRUE(write(*report));
    ASSERT_TRUE(write(*report));
    EXPECT_EQ(count(QStringLiteral("Reports")), 2);
    EXPECT_EQ(column(QStringLiteral("SELECT count(DISTINCT SubReport_Report_Id) FROM "
                                    "SubreportObjects")),
              QStringList{QStringLiteral("1")});
    expectConsistent();
}

TEST_F(DatabaseWriterTest, TablesOfOneNameAreAllStored) {
    auto report = sample("fields.rpt");
    const QString name = report->tvDatabase->tables.Item(1).name;
    for (const QString& twinName : {name, name, QString(300, u't'), QString(300, u't')}) {
        auto twin = std::make_unique<tvDatabaseTable>();
        twin->name = twinName;
        report->tvDatabase->tables.Add(std::move(twin));
    }
    ASSERT_TRUE(write(*report)) << runLog().toStdString();
    const QStringList names = column(QStringLiteral("SELECT Name FROM Tables ORDER BY Table_Id"));
    ASSERT_EQ(names.size(), report->tvDatabase->tables.Count());
    EXPECT_EQ(names.mid(names.size() - 4),
              (QStringList{name + QStringLiteral(" (2)"), name + QStringLiteral(" (3)"),
                           QString(255, u't'), QString(251, u't') + QStringLiteral(" (2)")}));
    EXPECT_TRUE(runLog().contains(QStringLiteral("Text cut to 255 characters: Tables.Name\n")));
    expectConsistent();
}

// A report reached through a link is stored under the link's target, and named after it.
TEST_F(DatabaseWriterTest, AReportReachedThroughALinkIsNamedAfterItsTarget) {
    const QString target = dir.filePath(QStringLiteral("Target.rpt"));
    const QString link = dir.filePath(QStringLiteral("Link.rpt"));
    ASSERT_TRUE(QFile::copy(sampleReport(QStringLiteral("fields.rpt")), target));
    ASSERT_TRUE(QFile::link(target, link));
    tvReport report;
    report.init(link, 0, 0);
    ASSERT_TRUE(
        DatabaseWriter(owner_, log_, reporter_)
            .WriteReport(report, QStringLiteral("Link.rpt"), path(), report.reportFileName));
    EXPECT_EQ(column(QStringLiteral("SELECT ReportName || '|' || ReportFileName FROM Reports")),
              QStringList{QStringLiteral("Target.rpt|") + QFileInfo(target).canonicalFilePath()});
}

// A report's earlier rows and its subreports' are found through its subreport objects, not by
// name: another report whose path starts with this one's and a '|' keeps its rows.
TEST_F(DatabaseWriterTest, RewritingAReportLeavesAReportOfALongerPathAlone) {
    auto first = sample("objects.rpt");
    first->reportFileName = QStringLiteral("/x/a.rpt");
    auto other = sample("objects.rpt");
    other->reportFileName = QStringLiteral("/x/a.rpt|b.rpt");
    ASSERT_TRUE(write(*first));
    ASSERT_TRUE(write(*other));
    const int reports = count(QStringLiteral("Reports"));
    ASSERT_GT(reports, 2);  // each with its subreports
    ASSERT_TRUE(write(*first));
    EXPECT_EQ(count(QStringLiteral("Reports")), reports);
    EXPECT_EQ(column(QStringLiteral("SELECT count(*) FROM Reports WHERE ReportFileName = ?"),
                     {QStringLiteral("/x/a.rpt|b.rpt")}),
              QStringList{QStringLiteral("1")});
}

TEST_F(DatabaseWriterTest, AnEmptyOrBrokenFileIsANewDatabaseOrAReasonGiven) {
    const struct {
        const char* content;
        bool written;
        const char* reason;
    } cases[] = {{"", true, ""},
                 {"this is no database at all, not even close", false, "file is not a database"}};
    // The writer attaches nothing: the module's messages go where the program's others go.
    for (const auto& c : cases) {
        SCOPED_TRACE(c.content);
        {
            QFile file(path());
            ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(c.content);
        }
        shown.clear();
        auto report = sample("fields.rpt");
        DatabaseWriter writer(owner_, log_, reporter_);
        QString error;
        EXPECT_EQ(
            writer.WriteReport(*report, QStringLiteral("sample.rpt"), path(), QString(), &error),
            c.written);
        EXPECT_TRUE(error.contains(QLatin1String(c.reason))) << error.toStdString();
        EXPECT_TRUE(backups().isEmpty());
        if (c.written) {
            EXPECT_EQ(count(QStringLiteral("Reports")), 1);
            EXPECT_TRUE(shown.isEmpty());
            expectConsistent();
        } else {
            EXPECT_TRUE(runLog().contains(QLatin1String(c.reason)));
            ASSERT_FALSE(shown.isEmpty());
            EXPECT_TRUE(shown.back().contains(QLatin1String(c.reason)));
        }
        QFile::remove(path());
    }
}

// While a session lasts, its writers keep the connection for the next report, but only for the
// same file: one deleted or replaced meanwhile is opened anew.
TEST_F(DatabaseWriterTest, AKeptConnectionFollowsTheFileNotItsName) {
    DatabaseSession session(log_, reporter_);
    auto report = sample("fields.rpt");
    ASSERT_TRUE(write(*report, &session));
    ASSERT_TRUE(write(*report, &session));
    EXPECT_EQ(count(QStringLiteral("Reports")), 1);
    ASSERT_TRUE(QFile::remove(path()));
    ASSERT_TRUE(write(*report, &session));
    EXPECT_EQ(count(QStringLiteral("Reports")), 1);
    ASSERT_TRUE(QFile::rename(path(), path() + QStringLiteral(".old")));
    ASSERT_TRUE(QFile::copy(path() + QStringLiteral(".old"), path()));
    report->tvReportStatistics->revisionNumber += 1;
    ASSERT_TRUE(write(*report, &session));
    EXPECT_EQ(count(QStringLiteral("Reports")), 2);
    expectConsistent();
}

// A pipe put at the journal's name while a session keeps its connection would hold the next
// report forever: its rows end at once, the pipe named; once it is gone the session stores again.
TEST_F(DatabaseWriterTest, APipeAtTheJournalsNameEndsTheNextReportNamed) {
    DatabaseSession session(log_, reporter_);
    auto report = sample("fields.rpt");
    ASSERT_TRUE(write(*report, &session));
    const QString journal = path() + QStringLiteral("-journal");
    ASSERT_EQ(::mkfifo(QFile::encodeName(journal).constData(), 0600), 0);
    DatabaseWriter writer(owner_, session);
    QString error;
    EXPECT_FALSE(
        writer.WriteReport(*report, QStringLiteral("sample.rpt"), path(), QString(), &error));
    EXPECT_TRUE(error.contains(journal + QStringLiteral(" is not a regular file")))
        << error.toStdString();
    ASSERT_TRUE(QFile::remove(journal));
    EXPECT_TRUE(write(*report, &session));
    EXPECT_EQ(count(QStringLiteral("Reports")), 1);
}

// Rows of one table are stored many at a time; a count that fills several statements and leaves
// a rest of every smaller size keeps every row, in its order, and a second writing replaces them.
TEST_F(DatabaseWriterTest, ManyRowsOfOneTableAreStoredInTheirOrder) {
    auto report = sample("fields.rpt");
    tvDatabaseTable& table = report->tvDatabase->tables.Item(1);
    for (int i = 0; i < 190; ++i) {
        auto field = std::make_unique<tvDatabaseFieldDefinition>();
        field->name = QStringLiteral("{%1.Extra%2}").arg(table.name).arg(i);
        field->databaseFieldName = QStringLiteral("Extra%1").arg(i);
        table.fields.Add(std::move(field));
    }
    QStringList expected;
    for (const tvDatabaseTable& t : report->tvDatabase->tables) {
        for (const tvDatabaseFieldDefinition& field : t.fields) expected << field.name;
    }
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(write(*report)) << runLog().toStdString();
        EXPECT_EQ(column(QStringLiteral("SELECT Name FROM DatabaseFields ORDER BY Field_Id")),
                  expected);
    }
    EXPECT_EQ(count(QStringLiteral("Reports")), 1);
    expectConsistent();
}

namespace {

// Takes the report object `object` out of the section of `report` that holds it.
bool removeObject(tvReport& report, const tvIReportObject& object) {
    for (tvArea& area : report.tvAreas) {
        for (tvSection& section : area.tvSections) {
            for (qsizetype i = 1; i <= section.reportObjects.Count(); ++i) {
                if (&section.reportObjects.Item(i) != &object) continue;
                section.reportObjects.Remove(i);
                return true;
            }
        }
    }
    return false;
}

// The first section of `report` that has one.
tvSection* firstSection(tvReport& report) {
    for (tvArea& area : report.tvAreas) {
        if (area.tvSections.Count() > 0) return &area.tvSections.Item(1);
    }
    return nullptr;
}

// A field object named `name` showing `field`, at the end of `section`.
void addFieldObject(tvSection& section, const QString& name, tvIFieldDefinition& field) {
    auto object = std::make_unique<tvFieldObject>();
    object->objectName = name;
    object->field = &field;
    section.reportObjects.Add(std::move(object));
}

}  // namespace

// A subreport taken out of the report, at any depth, goes with the copy that the report's next
// writing replaces: every stored subreport is one that a stored subreport object names.
TEST_F(DatabaseWriterTest, RewritingAReportRemovesTheSubreportsItNoLongerHolds) {
    const QString orphans = QStringLiteral(
        "SELECT count(*) FROM Reports r WHERE r.ReportName <> 'objects.rpt' AND NOT EXISTS "
        "(SELECT 1 FROM SubreportObjects s WHERE s.SubReport_Report_Id = r.Report_Id)");
    for (const bool takeOutTheParent : {false, true}) {
        SCOPED_TRACE(takeOutTheParent ? "the parent taken out" : "the nested one taken out");
        QFile::remove(path());
        auto report = sample("objects.rpt");
        ASSERT_EQ(report->subReports.Count(), 2);
        tvSubReportObject& parent = report->subReports.Item(1);
        tvSection* section = firstSection(*parent.report);
        ASSERT_TRUE(section);
        auto nested = std::make_unique<tvSubReportObject>();
        nested->objectName = QStringLiteral("Nested");
        nested->subreportFormatting.subreportName = QStringLiteral("SubB");
        nested->report = sample("list.rpt");
        nested->report->reportFileName = QStringLiteral("SubB");
        const tvIReportObject& nestedObject = *section->reportObjects.Add(std::move(nested));
        ASSERT_TRUE(write(*report)) << runLog().toStdString();
        ASSERT_EQ(count(QStringLiteral("Reports")), 4);
        ASSERT_EQ(column(orphans), QStringList{QStringLiteral("0")});

        ASSERT_TRUE(takeOutTheParent ? removeObject(*report, parent)
                                     : removeObject(*parent.report, nestedObject));
        ASSERT_TRUE(write(*report)) << runLog().toStdString();
        EXPECT_EQ(count(QStringLiteral("Reports")), takeOutTheParent ? 2 : 3);
        EXPECT_EQ(column(orphans), QStringList{QStringLiteral("0")});
        expectConsistent();
    }
}

// Definitions of different kinds with one name (a parameter and a formula both called Zone), and
// names alike in the first characters that a column keeps, are definitions of their own: each has
// its own row, of its own kind, and each object shows its own.
TEST_F(DatabaseWriterTest, EachDefinitionHasItsOwnRowWhateverItsName) {
    auto report = sample("objects.rpt");
    tvSection* section = firstSection(*report);
    ASSERT_TRUE(section);
    if (!report->tvDatabase) report->tvDatabase = std::make_unique<tvDatabase>();
    const QString longName = QString(300, u'n');

    auto parameter = std::make_unique<tvParameterFieldDefinition>();
    parameter->name = QStringLiteral("Zone");
    parameter->prompt = QStringLiteral("the parameter");
    auto& zone = *report->tvParameters.Add(std::move(parameter));
    const auto addFormula = [&](const QString& name, const QString& text) -> tvFormulaField& {
        auto formula = std::make_unique<tvFormulaField>();
        formula->name = name;
        formula->text = text;
        return *report->tvFormulaFields.Add(std::move(formula), name);
    };
    auto& zoneFormula = addFormula(QStringLiteral("Zone"), QStringLiteral("the formula"));
    auto& longFormula1 = addFormula(longName + u'1', QStringLiteral("formula one"));
    auto& longFormula2 = addFormula(longName + u'2', QStringLiteral("formula two"));
    auto expression = std::make_unique<tvSQLExpressionFieldDefinition>();
    expression->name = QStringLiteral("Total");
    expression->text = QStringLiteral("the expression");
    auto& total = *report->tvSQLExpressionFields.Add(std::move(expression));
    auto runningTotal = std::make_unique<tvRunningTotalFieldDefinition>();
    runningTotal->name = QStringLiteral("Total");
    runningTotal->runningTotalFieldName = QStringLiteral("the running total");
    auto& totalRunning = *report->runningTotalFields.Add(std::move(runningTotal));
    auto table = std::make_unique<tvDatabaseTable>();
    table->name = QStringLiteral("Wide");
    auto& wide = *report->tvDatabase->tables.Add(std::move(table));
    const auto addColumn = [&](const QString& name,
                               const QString& column) -> tvDatabaseFieldDefinition& {
        auto field = std::make_unique<tvDatabaseFieldDefinition>();
        field->name = name;
        field->databaseFieldName = column;
        return *wide.fields.Add(std::move(field));
    };
    auto& column1 = addColumn(longName + u'1', QStringLiteral("column one"));
    auto& column2 = addColumn(longName + u'2', QStringLiteral("column two"));

    const struct {
        const char* object;
        tvIFieldDefinition* field;
        qint16 kind;
        const char* ownRow;  // the own row's distinguishing text: a query on its Field_Id
        const char* text;
    } cases[] = {
        {"showsParameter", &zone, tvParameterFieldKind,
         "SELECT Prompt FROM ParameterFields WHERE Field_Id = ?", "the parameter"},
        {"showsFormula", &zoneFormula, tvFormulaFieldKind,
         "SELECT FormulaText FROM FormulaFields WHERE Field_Id = ?", "the formula"},
        {"showsExpression", &total, tvSQLExpressionFieldKind,
         "SELECT ExpressionText FROM SQLExpressionFields WHERE Field_Id = ?", "the expression"},
        {"showsRunningTotal", &totalRunning, tvRunningTotalFieldKind,
         "SELECT RunningTotalFieldName FROM RunningTotalFields WHERE Field_Id = ?",
         "the running total"},
        {"showsLongFormula1", &longFormula1, tvFormulaFieldKind,
         "SELECT FormulaText FROM FormulaFields WHERE Field_Id = ?", "formula one"},
        {"showsLongFormula2", &longFormula2, tvFormulaFieldKind,
         "SELECT FormulaText FROM FormulaFields WHERE Field_Id = ?", "formula two"},
        {"showsColumn1", &column1, tvDatabaseFieldKind,
         "SELECT DatabaseFieldName FROM DatabaseFields WHERE Field_Id = ?", "column one"},
        {"showsColumn2", &column2, tvDatabaseFieldKind,
         "SELECT DatabaseFieldName FROM DatabaseFields WHERE Field_Id = ?", "column two"},
    };
    for (const auto& c : cases) addFieldObject(*section, QLatin1String(c.object), *c.field);
    ASSERT_TRUE(write(*report)) << runLog().toStdString();

    const QString reportId = column(QStringLiteral("SELECT Report_Id FROM Reports")).value(0);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.object);
        const QStringList shown = column(
            QStringLiteral("SELECT f.Field_Id || '|' || f.Kind FROM FieldObjects o JOIN Fields f "
                           "ON f.Report_Id = o.Report_Id AND f.Field_Id = o.Field_Id WHERE "
                           "o.Name = ?"),
            {QLatin1String(c.object)});
        EXPECT_EQ(shown.size(), 1);
        if (shown.size() != 1) continue;
        const QString fieldId = shown.front().section(u'|', 0, 0);
        EXPECT_EQ(shown.front().section(u'|', 1), QString::number(c.kind));
        EXPECT_EQ(column(QLatin1String(c.ownRow) + QLatin1String(" AND Report_Id = ?"),
                         {fieldId, reportId}),
                  QStringList{QLatin1String(c.text)});
    }
    expectConsistent();
}

// A file of a later version takes the reports its schema can hold; a report it cannot take fails
// with the file's version named, and the file keeps its shape.
TEST_F(DatabaseWriterTest, AFileOfALaterVersionTakesWhatItsSchemaHolds) {
    for (const bool printerDropped : {false, true}) {
        SCOPED_TRACE(printerDropped ? "without Printer" : "as this program makes it");
        QFile::remove(path());
        ASSERT_TRUE(DatabaseCreator::CreateDatabase(path(), progress));
        {
            DatabaseConnection db(path());
            if (printerDropped) db.exec(QStringLiteral("DROP TABLE Printer"));
            setVersion(db, QStringLiteral("5.0"));
        }
        auto report = sample("fields.rpt");
        DatabaseWriter writer(owner_, log_, reporter_);
        QString error;
        EXPECT_EQ(
            writer.WriteReport(*report, QStringLiteral("sample.rpt"), path(), QString(), &error),
            !printerDropped);
        if (printerDropped) {
            EXPECT_TRUE(error.contains(QLatin1String("is of version 5.0"))) << error.toStdString();
            EXPECT_TRUE(error.contains(QLatin1String("no such table: Printer")));
        }
        EXPECT_EQ(count(QStringLiteral("Reports")), printerDropped ? 0 : 1);
        EXPECT_TRUE(backups().isEmpty());
        EXPECT_EQ(column(QStringLiteral("SELECT ControlValue FROM TVDBControl")),
                  QStringList{QStringLiteral("5.0")});
    }
}

// Damage that the run meets only while it writes a report is named as damage.
TEST_F(DatabaseWriterTest, DamageMetWhileWritingIsNamed) {
    auto report = sample("fields.rpt");
    ASSERT_TRUE(write(*report));
    const qint64 page = column(QStringLiteral("PRAGMA page_size")).value(0).toLongLong();
    const qint64 root = column(QStringLiteral("SELECT rootpage FROM sqlite_master WHERE name = "
                                              "'Reports'"))
                            .value(0)
                            .toLongLong();
    ASSERT_GT(root, 1);
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.seek((root - 1) * page));
        file.write(QByteArray(int(page), '\x5a'));
    }
    DatabaseWriter writer(owner_, log_, reporter_);
    QString error;
    EXPECT_FALSE(
        writer.WriteReport(*report, QStringLiteral("sample.rpt"), path(), QString(), &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("The database file ") + path() +
                                 QStringLiteral(" is damaged (")))
        << error.toStdString();
    EXPECT_TRUE(runLog().contains(QLatin1String("Restore it from its latest backup copy")));
}

// A subreport's block of the run log has the lines of every report's.
TEST_F(DatabaseWriterTest, ASubreportsRunLogBlockIsAReportsBlock) {
    auto report = sample("objects.rpt");
    ASSERT_EQ(report->subReports.Count(), 2);
    ASSERT_TRUE(write(*report));
    const QStringList lines = runLog().split(QLatin1Char('\n'));
    QStringList after;
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        if (lines[i].contains(QLatin1String("Generating DB for report: ")))
            after << lines[i + 1].trimmed();
    }
    EXPECT_EQ(after, QStringList(3, QStringLiteral("Initialized the DB")));
}
