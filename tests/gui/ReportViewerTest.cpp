#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

#include "DatabaseConnection.h"
#include "DatabaseCreator.h"
#include "DatabaseWriter.h"
#include "ExtractOptions.h"
#include "GuiSeams.h"
#include "GuiTestSupport.h"
#include "ProgramSettings.h"
#include "RecordingReporter.h"
#include "ReportViewerWindow.h"
#include "RtError.h"
#include "RunLog.h"
#include "SettingsStore.h"
#include "TestSupport.h"
#include "UtilitiesWindow.h"
#include "tvReport.h"

using namespace tav::core;
using namespace tav::database;
using namespace tav::gui;
using namespace tav::utilities;

namespace {

// The report that the definition at `path` gives; a run that fails fails the test.
ViewerReport ranDefinition(const QString& path, const QString& database,
                           const QStringList& sortFields = {}) {
    ViewerReport report;
    QString error;
    if (!RunReportDefinition(path, database, sortFields, &report, &error))
        ADD_FAILURE() << error.toStdString();
    return report;
}

QString definition(const char* name) {
    return QStringLiteral(TAV_RESOURCES "/Reports/") + QLatin1String(name);
}

// A documentation database holding two sample reports, the first with an owner.
class ReportViewerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        programOptions().DBPath = dir.path() + QLatin1Char('/');
        ASSERT_TRUE(DatabaseCreator::CreateDatabase(database()));
        DatabaseConnection(database())
            .exec(QStringLiteral("INSERT INTO ReportOwner (Name) VALUES (?)"),
                  {QStringLiteral("Finance")});
        for (const char* name : {"fields.rpt", "objects.rpt"}) {
            const QString owner = owners.value(0);
            owners.removeFirst();
            tvReport report;
            report.init(sampleReport(QLatin1String(name)), 0, 0);
            ASSERT_TRUE(
                DatabaseWriter(owner, log_, reporter_)
                    .WriteReport(report, QLatin1String(name), database(), report.reportFileName));
        }
    }

    QString database() const { return dir.filePath(QStringLiteral("tv.db")); }
    QStringList column(const QString& sql) const {
        DatabaseConnection db(database());
        QSqlQuery query = db.exec(sql);
        QStringList out;
        while (query.next()) out << query.value(0).toString();
        return out;
    }
    QString rendered(const ViewerReport& report) const {
        QTextDocument document;
        RenderReport(report, document);
        return document.toPlainText();
    }

    const KeptGuiSeams seams_;
    const ProgramSettings::Scope settings_;
    QTemporaryDir dir;
    QStringList owners{QStringLiteral("Finance"), QString()};
    RunLog log_{dir.path()};  // the writers', never closed: no file
    RecordingReporter reporter_;
};

TEST_F(ReportViewerTest, EveryDefinitionShowsItsTitleAndTheStoredRows) {
    const QStringList reports = column(QStringLiteral("SELECT ReportName FROM Reports"));
    const QStringList tables = column(QStringLiteral("SELECT Name FROM Tables"));
    ASSERT_GE(reports.size(), 2);
    ASSERT_FALSE(tables.isEmpty());
    struct Case {
        const char* file;
        const char* title;
        QStringList mustHold;
    };
    const Case cases[] = {
        {"TVReportList.rpt", "Report List", reports},
        {"TVReportMetrics.rpt", "Report Metrics", {QStringLiteral("fields.rpt")}},
        {"TVReportOwner.rpt", "Reports by Owner", reports + QStringList{"Finance"}},
        {"TVReportRTCR.rpt", "Report-Table Cross Reference", reports + tables},
        {"TVReportRCCR.rpt", "Report-Column Cross Reference", reports},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const ViewerReport report = ranDefinition(definition(c.file), database());
        EXPECT_EQ(report.title, QLatin1String(c.title));
        EXPECT_FALSE(report.rows.isEmpty());
        const QString text = rendered(report);
        EXPECT_TRUE(text.startsWith(QLatin1String(c.title)));
        for (const QString& value : c.mustHold)
            EXPECT_TRUE(text.contains(value)) << value.toStdString();
    }
}

TEST_F(ReportViewerTest, SortFieldsAreReplacedInAnyLetterCase) {
    const ViewerReport byReport = ranDefinition(definition("TVReportRTCR.rpt"), database(),
                                                {"{Reports.ReportName}", "{Tables.Name}"});
    const ViewerReport byTable = ranDefinition(definition("TVReportRTCR.rpt"), database(),
                                               {"{tables.NAME}", " {reports.reportname} "});
    ASSERT_EQ(byReport.rows.size(), byTable.rows.size());
    const auto sortedBy = [](const ViewerReport& r, int first, int second) {
        return std::is_sorted(r.rows.begin(), r.rows.end(), [&](const auto& a, const auto& b) {
            const int c = a[first].compare(b[first], Qt::CaseInsensitive);
            return c != 0 ? c < 0 : a[second].compare(b[second], Qt::CaseInsensitive) < 0;
        });
    };
    // Columns: report name, table name, location.
    EXPECT_TRUE(sortedBy(byReport, 0, 1));
    EXPECT_TRUE(sortedBy(byTable, 1, 0));
    EXPECT_NE(byReport.rows, byTable.rows);

    ViewerReport unsorted;
    QString error;
    EXPECT_FALSE(RunReportDefinition(definition("TVReportRTCR.rpt"), database(), {"{Tables.Nmae}"},
                                     &unsorted, &error))
        << "an unknown sort field was taken";
    EXPECT_TRUE(error.contains(QLatin1String("{Tables.Nmae}")));
}

// A definition that cannot be opened is named in the message, whatever keeps it from opening.
TEST_F(ReportViewerTest, ADefinitionThatCannotBeOpenedIsNamed) {
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("Reports/TVReportMetrics.rpt")));
    QFile empty(dir.filePath(QStringLiteral("Reports/TVReportOwner.rpt")));
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    for (const char* name : {"TVReportList.rpt", "TVReportMetrics.rpt", "TVReportOwner.rpt"}) {
        const QString path = dir.filePath(QStringLiteral("Reports/")) + QLatin1String(name);
        ViewerReport report;
        QString error;
        EXPECT_FALSE(RunReportDefinition(path, database(), {}, &report, &error));
        EXPECT_TRUE(error.startsWith(path)) << error.toStdString();
    }
}

// Table and column names come from a document the user may edit: only names of the schema
// reach the statement.
TEST_F(ReportViewerTest, NamesOutsideTheSchemaAreRefused) {
    QFile original(definition("TVReportList.rpt"));
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    const QByteArray xml = original.readAll();
    const QByteArray tampered[] = {
        QByteArray(xml).replace("databaseFieldName=\"Title\"",
                                "databaseFieldName=\"Title&quot; FROM Tables; --\""),
        QByteArray(xml).replace("tableAliasName=\"Reports\" valueType=\"12\"/>\n          <Field "
                                "kind=\"1\" name=\"Reports.ReportFileName\"",
                                "tableAliasName=\"sqlite_master\" valueType=\"12\"/>\n          "
                                "<Field kind=\"1\" name=\"Reports.ReportFileName\""),
    };
    for (const QByteArray& text : tampered) {
        ASSERT_NE(text, xml);
        const QString path = dir.filePath(QStringLiteral("tampered.rpt"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
        file.close();
        ViewerReport report;
        EXPECT_FALSE(RunReportDefinition(path, database(), {}, &report));
    }
}

TEST_F(ReportViewerTest, MenuItemsWithoutADatabaseOnlyTellSo) {
    QStringList messages;
    guiSeams().message = [&](QWidget*, const QString& text, const QString&, QMessageBox::Icon) {
        messages << text;
    };
    QTemporaryDir empty;
    programOptions().DBPath = empty.path();
    UtilitiesWindow window;
    const char* items[] = {"miRptList",  "miRptRTCRR",   "miRptRTCRT",  "miRptRCCRR",
                           "miRptRCCRC", "miRptMetrics", "miRptOwnerR", "miRptOwnerO"};
    for (const char* item : items) {
        auto* action = window.findChild<QAction*>(QLatin1String(item));
        ASSERT_NE(action, nullptr) << item;
        action->trigger();
    }
    ASSERT_EQ(messages.size(), 8);
    EXPECT_TRUE(messages.first().startsWith(QLatin1String("The Tavrin database (tv.db) is not")));
    EXPECT_EQ(openWindow("TVCRViewer"), nullptr);
}

TEST_F(ReportViewerTest, TheViewerShowsAndPrintsTheReport) {
    guiSeams().preparePrinter = [this](QWidget*, QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("Report Diff.pdf")));
        return true;
    };
    ReportViewerWindow viewer;
    auto* status = control<QLabel>(viewer, "sbStatus");
    viewer.showReport(ranDefinition(definition("TVReportList.rpt"), database()));
    control<QPushButton>(viewer, "cmdPrint")->click();
    EXPECT_EQ(viewer.windowTitle(), QLatin1String("Tavrin Viewer"));
    EXPECT_TRUE(viewer.isVisible());
    EXPECT_EQ(control<QTextBrowser>(viewer, "viewer")->accessibleName(),
              QStringLiteral("Report view"));
    EXPECT_TRUE(control<QTextBrowser>(viewer, "viewer")
                    ->toPlainText()
                    .startsWith(QLatin1String("Report List")));
    EXPECT_GT(QFileInfo(dir.filePath(QStringLiteral("Report List.pdf"))).size(), 0);
    EXPECT_EQ(status->text(),
              QStringLiteral("Printed to ") + dir.filePath(QStringLiteral("Report List.pdf")));
    // The next report is no printout yet.
    viewer.showReport(ranDefinition(definition("TVReportMetrics.rpt"), database()));
    EXPECT_TRUE(status->text().isEmpty());
}

// A long report opens at its title, over the main window, however far the last one was read.
TEST_F(ReportViewerTest, TheViewerOpensAtTheReportsTopOverTheMainWindow) {
    ViewerReport report;
    report.title = QStringLiteral("Long");
    report.headers = QStringList{QStringLiteral("Report")};
    for (int row = 0; row < 300; ++row) report.rows << QStringList{QString::number(row)};
    UtilitiesWindow window;
    window.move(300, 200);
    window.show();
    ReportViewerWindow viewer;
    for (int opening = 0; opening < 2; ++opening) {
        viewer.showReport(report);
        QScrollBar* bar = control<QTextBrowser>(viewer, "viewer")->verticalScrollBar();
        EXPECT_GT(bar->maximum(), 0);
        EXPECT_EQ(bar->value(), 0) << opening;
        bar->setValue(bar->maximum());
    }
    EXPECT_TRUE(window.frameGeometry().contains(viewer.frameGeometry().center()));
}

// The menu opens one viewer for all its reports, which goes with the main window.
TEST_F(ReportViewerTest, AMenuItemOpensItsDefinitionFromTheProgramFolder) {
    programSettings().setStore(std::make_unique<SettingsStore>(
        dir.filePath(QStringLiteral("settings.ini")), QStringLiteral(TAV_RESOURCES)));
    QStringList messages;
    guiSeams().message = [&](QWidget*, const QString& text, const QString&, QMessageBox::Icon) {
        messages << text;
    };
    auto window = std::make_unique<UtilitiesWindow>();
    control<QAction>(*window, "miRptOwnerO")->trigger();
    EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('\n')).toStdString();
    const QPointer<ReportViewerWindow> viewer = openWindow<ReportViewerWindow>("TVCRViewer");
    ASSERT_NE(viewer, nullptr);
    const QString text = control<QTextBrowser>(*viewer, "viewer")->toPlainText();
    EXPECT_TRUE(text.startsWith(QLatin1String("Reports by Owner")));
    EXPECT_TRUE(text.contains(QLatin1String("Finance")));
    control<QAction>(*window, "miRptList")->trigger();
    EXPECT_EQ(openWindow<ReportViewerWindow>("TVCRViewer"), viewer);
    window.reset();
    EXPECT_EQ(viewer, nullptr);
}

TEST_F(ReportViewerTest, CrossReferencesAndOwnersAreGroupedByTheirFirstSortField) {
    struct Case {
        const char* file;
        QStringList sortFields;
        int groupColumn;
        const char* firstGroup;  // the caption that heads the groups
    };
    const Case cases[] = {
        {"TVReportRTCR.rpt", {"{Reports.ReportName}", "{Tables.Name}"}, 0, "Report: "},
        {"TVReportRTCR.rpt", {"{Tables.Name}", "{Reports.ReportName}"}, 1, "Table: "},
        {"TVReportRCCR.rpt",
         {"{viewReportColumnCrossRef.TableAliasName}",
          "{viewReportColumnCrossRef.DatabaseFieldDisplayName}", "{Reports.ReportName}"},
         1,
         "Table: "},
        {"TVReportOwner.rpt", {"{ReportOwner.Name}", "{Reports.ReportName}"}, 0, "Owner: "},
        {"TVReportList.rpt", {}, -1, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " " + c.sortFields.value(0).toStdString());
        const ViewerReport report = ranDefinition(definition(c.file), database(), c.sortFields);
        ASSERT_EQ(report.groupColumn, c.groupColumn);
        if (c.groupColumn < 0) continue;
        const QStringList lines = rendered(report).split(u'\n');
        // One heading for each value, in sort order, each over its own rows.
        QStringList expected;
        for (const QStringList& row : report.rows) {
            const QString value = row[c.groupColumn];
            const QString heading =
                QLatin1String(c.firstGroup) + (value.isEmpty() ? QStringLiteral("(none)") : value);
            if (expected.isEmpty() || expected.last() != heading) expected << heading;
        }
        QStringList headings;
        for (const QString& line : lines)
            if (line.startsWith(QLatin1String(c.firstGroup))) headings << line;
        EXPECT_EQ(headings, expected);
    }
}

TEST_F(ReportViewerTest, MetricsEndWithTheirTotals) {
    const ViewerReport report = ranDefinition(definition("TVReportMetrics.rpt"), database());
    ASSERT_EQ(report.headers.size(), 8);
    EXPECT_EQ(report.headers.first(), QStringLiteral("Report"));
    ASSERT_EQ(report.totals.size(), 8);
    EXPECT_TRUE(report.totals[0].isEmpty());  // names and revisions are not added up
    EXPECT_TRUE(report.totals[1].isEmpty());
    for (int column = 2; column < 8; ++column) {
        qint64 sum = 0;
        for (const QStringList& row : report.rows) sum += row[column].toLongLong();
        EXPECT_EQ(report.totals[column], QString::number(sum)) << column;
    }
    const QStringList lines = rendered(report).trimmed().split(u'\n');
    EXPECT_EQ(lines.mid(lines.size() - 8),
              QStringList{QStringLiteral("Total")} + report.totals.mid(1));
}

// Columns without a display name go by their field name; metrics count groups as the report
// itself does (as the Site Survey counts them) and name each report by its file, the path in a tip.
TEST_F(ReportViewerTest, ColumnsAreNamedAndMetricsCountAsTheSurveyDoes) {
    const ViewerReport columns = ranDefinition(definition("TVReportRCCR.rpt"), database());
    ASSERT_EQ(columns.headers.value(2), QStringLiteral("Column"));
    QStringList shown;
    for (const QStringList& row : columns.rows) shown << row[2];
    shown.sort(Qt::CaseInsensitive);
    QStringList expected = column(QStringLiteral(
        "SELECT CASE WHEN ifnull(DatabaseFieldDisplayName, '') = '' THEN DatabaseFieldName "
        "ELSE DatabaseFieldDisplayName END FROM viewReportColumnCrossRef "
        "JOIN Reports USING (Report_Id)"));
    expected.sort(Qt::CaseInsensitive);
    EXPECT_EQ(shown, expected);
    EXPECT_FALSE(shown.contains(QString()));
    EXPECT_TRUE(shown.contains(QStringLiteral("Customer name")));  // a display name of its own

    const ViewerReport metrics = ranDefinition(definition("TVReportMetrics.rpt"), database());
    QTextDocument document;
    RenderReport(metrics, document);
    for (const char* name : {"fields.rpt", "objects.rpt"}) {
        SCOPED_TRACE(name);
        tvReport report;
        report.init(sampleReport(QLatin1String(name)), 0, 0);
        const QString path = report.reportFileName;
        const auto row = std::find_if(metrics.rows.begin(), metrics.rows.end(),
                                      [&](const QStringList& r) { return r[0] == path; });
        ASSERT_NE(row, metrics.rows.end());
        EXPECT_EQ((*row)[7], QString::number(report.numberOfGroups));
        const QTextCursor cell = document.find(QLatin1String(name));
        ASSERT_FALSE(cell.isNull());
        EXPECT_EQ(cell.block().text(), QLatin1String(name));
        EXPECT_EQ(cell.charFormat().toolTip(), path);
    }
    EXPECT_FALSE(document.toPlainText().contains(QLatin1String(TAV_SAMPLES)));
}

TEST_F(ReportViewerTest, EachReportOpensTheViewerAtItsOwnSize) {
    ReportViewerWindow viewer;
    viewer.showReport(ranDefinition(definition("TVReportList.rpt"), database()));
    const QSize own = viewer.size();
    EXPECT_EQ(own, QSize(8600 / 15, 5000 / 15));
    viewer.resize(900, 700);
    viewer.showMinimized();
    viewer.showReport(ranDefinition(definition("TVReportMetrics.rpt"), database()));
    EXPECT_FALSE(viewer.isMinimized());
    EXPECT_TRUE(viewer.isVisible());
    EXPECT_EQ(viewer.size(), own);
}

TEST(ReportRendering, GroupsHeadTheirRowsAndTotalsComeLast) {
    struct Case {
        const char* name;
        ViewerReport report;
        QString text;
    };
    const Case cases[] = {
        {"grouped, a blank group named",
         {"T",
          {"Owner", "Report", "Size"},
          {{"Ann", "a", "1"}, {"Ann", "b", "2"}, {"", "c", "4"}},
          0,
          {"", "", "7"}},
         "T\n\nReport\nSize\nOwner: Ann\na\n1\nb\n2\nOwner: (none)\nc\n4\nTotal\n7"},
        {"only the group column",
         {"T", {"Owner"}, {{"Ann"}, {"Bo"}}, 0, {}},
         "T\n\nOwner\nOwner: Ann\nAnn\nOwner: Bo\nBo"},
        {"flat", {"T", {"Report", "Size"}, {{"a", "1"}}, -1, {}}, "T\n\nReport\nSize\na\n1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTextDocument document;
        RenderReport(c.report, document);
        EXPECT_EQ(document.toPlainText().trimmed().toStdString(), c.text.toStdString());
    }
}

}  // namespace
