#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryDir>

#include "CrossReference.h"
#include "ExtractOptions.h"
#include "RecordingReporter.h"
#include "SiteSurvey.h"
#include "TestSupport.h"

using namespace tav::core;
using namespace tav::utilities;

namespace {

// Pins the locale and gathers the messages and progress texts that the utilities tell.
class ReportUtilities : public ::testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }

    // A report file written from a design document, in a temporary folder.
    QString reportFile(const QByteArray& xml, const QString& name = QStringLiteral("f.rpt")) {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(xml);
        return path;
    }

    QTemporaryDir dir;
    RecordingReporter reporter;
    QStringList& messages = reporter.messages;
};

QStringList row(std::initializer_list<const char*> cells) {
    QStringList result;
    for (const char* cell : cells) result << QString::fromUtf8(cell);
    return result;
}

TEST_F(ReportUtilities, CrossReferenceListsEveryTableOfEachReportAndGoesOnAfterOneThatFails) {
    const QString objects = sampleReport("objects.rpt");
    const QString charts = sampleReport("charts.rpt");
    QList<qsizetype> progress;
    const ResultGrid grid = RunCrossReference(
        {objects, QString(), testData("real-reports/real-01.rpt"), charts}, ParameterPrompt::Off,
        reporter, [&](qsizetype i, const ResultGrid&) { progress << i; });

    EXPECT_EQ(grid.captions(), row({"ReportFile", "ReportTitle", "Subreport", "Table", "Alias",
                                    "SelectionFormula"}));
    const QString title = QStringLiteral("Orders with customers and returns");
    const QList<QStringList> expected{
        QStringList{objects, title, "", "Orders", "Orders", ""},
        QStringList{objects, "Top customers", "", "Customers", "Customers", ""},
        QStringList{objects, "Top customers", "", "Orders", "Orders", ""},
        QStringList{objects, "Returns by region", "", "Returns", "Returns", ""},
        QStringList{charts, "Sales by region", "", "Products", "Products", ""},
        QStringList{charts, "Sales by region", "", "OrderLines", "OrderLines", ""},
    };
    EXPECT_EQ(grid.rows(), expected);
    // The message names the report that failed, and why.
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(QStringLiteral("Unable to open Report: ") +
                                       testData("real-reports/real-01.rpt") + QStringLiteral(" (")))
        << messages[0].toStdString();
    EXPECT_TRUE(messages[0].endsWith(u')'));
    EXPECT_EQ(progress, (QList<qsizetype>{0, 1, 2, 3}));
}

TEST_F(ReportUtilities, CrossReferenceCutsQualifiedTablesAndPutsTheFormulaOnOneLine) {
    const QString path = reportFile(
        "<Report "
        "reportTitle=\"T\"><recordSelectionFormula>a\r\nb\rc\nd\r\n\te</recordSelectionFormula>"
        "<Database><Tables><Table name=\"Cust\" location=\"Sales.dbo.Customer\"/>"
        "<Table name=\"x.Orders\" location=\"\"/></Tables></Database><ExportOptions/></Report>");
    const QString noTables = reportFile("<Report><Database/><ExportOptions/></Report>", "n.rpt");
    const ResultGrid grid = RunCrossReference({path, noTables}, ParameterPrompt::Off, reporter);
    const QList<QStringList> expected{
        QStringList{path, "T", "", "Customer", "Cust", "a b c d \te"},
        QStringList{path, "T", "", "Orders", "x.Orders", "a b c d \te"},
    };
    EXPECT_EQ(grid.rows(), expected);  // a report without tables adds no row
    EXPECT_TRUE(messages.isEmpty()) << messages.join(u'|').toStdString();
}

TEST_F(ReportUtilities, SurveyGivesOneRowPerReportWithCountsOverItsSubreports) {
    // Copies, so that the file time is known.
    const QString objects = dir.filePath("objects.rpt");
    ASSERT_TRUE(QFile::copy(sampleReport("objects.rpt"), objects));
    QFile file(objects);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime(QDate(2024, 3, 7), QTime(9, 5, 42)),
                                 QFileDevice::FileModificationTime));
    file.close();

    const ResultGrid grid = RunSiteSurvey({QString(), objects, sampleReport("charts.rpt")},
                                          ParameterPrompt::Off, reporter);
    const QStringList& statuses = reporter.statuses;

    ASSERT_EQ(grid.rows().size(), 2);
    EXPECT_EQ(grid.rows().at(0),
              row({"objects.rpt", "Orders with customers and returns", "", "3", "1:35",
                   "Tavrin samples", "Dana Whitlock", "07-Mar-2024 09:05:42", "19,456", "2", "4",
                   "1", "10", "29", "1", ""}));
    EXPECT_EQ(grid.rows().at(1).mid(9), row({"0", "2", "1", "7", "3", "2", ""}));
    EXPECT_EQ(statuses.first(), QStringLiteral(" - Mining"));  // the empty entry
    EXPECT_TRUE(statuses.contains(objects + QStringLiteral(" - Writing Survey")));
    EXPECT_EQ(grid.captions().size(), 16);
}

TEST_F(ReportUtilities, SurveyOfAReportThatCannotBeOpenedShowsOnlyItsFileFacts) {
    const QString real = testData("real-reports/real-01.rpt");
    const ResultGrid grid = RunSiteSurvey({real}, ParameterPrompt::Off, reporter);
    EXPECT_EQ(messages, QStringList{QStringLiteral("Tavrin is unable to open this report")});
    ASSERT_EQ(grid.rows().size(), 1);
    const QStringList& cells = grid.rows().at(0);
    EXPECT_EQ(cells.at(0), QStringLiteral("real-01.rpt"));
    EXPECT_FALSE(cells.at(7).isEmpty());
    EXPECT_EQ(cells.at(8), QLocale().toString(QFileInfo(real).size()));
    for (int column : {1, 3, 4, 5, 6, 9, 10, 11, 12, 13, 14, 15})
        EXPECT_EQ(cells.at(column), QString()) << column;
}

TEST_F(ReportUtilities, EditTimeIsHoursAndMinutesWithoutLeadingZeros) {
    const std::pair<qint64, const char*> cases[] = {
        {0, "0:0"}, {59, "0:59"}, {60, "1:0"}, {125, "2:5"}, {40000, "666:40"}};
    for (const auto& [minutes, text] : cases) EXPECT_EQ(FormatEditTime(minutes), text) << minutes;
}

TEST_F(ReportUtilities, CopyTextIsTheWholeGridAndSortKeepsRowsWholeAndTheHeaderOnTop) {
    ResultGrid grid(CrossReferenceColumns());
    grid.AddItem({"p", "t", "", "b", "1"});
    grid.AddItem({"q", "t", "", "B", "2", "f", "beyond the last column"});
    grid.AddItem({"r", "t", "", "a", "3"});
    grid.Sort(3);
    EXPECT_EQ(grid.Clip(),
              "ReportFile\tReportTitle\tSubreport\tTable\tAlias\tSelectionFormula\n"
              "q\tt\t\tB\t2\tf\n"
              "r\tt\t\ta\t3\t\n"
              "p\tt\t\tb\t1\t");
}

// Each report is one line of the copy and each value one cell under its caption: a line break
// of whichever kind, a TAB (a formula indented with one, say) and every other control character
// inside a cell becomes a blank, while the grid keeps the cell as it is. Marks, blanks, the
// ellipsis and characters beyond the basic plane are copied as they stand.
TEST_F(ReportUtilities, CopyTextHasOneLineForEachReportAndOneCellForEachValue) {
    const QString controls = QStringLiteral("a\vb\fc") + QChar(0) +
                             QStringLiteral(
                                 "d\x1b"
                                 "e\x7f"
                                 "f\x85"
                                 "g\u2028h\u2029i");
    const QString kept[] = {
        QStringLiteral("  two  blanks  "),
        QStringLiteral("\u0E01\u0E34\u0E19 \u0E44\u0E17\u0E22"),  // Thai, a vowel above
        // a face beyond the basic plane, a non-breaking blank, a joiner, a soft hyphen, the
        // ellipsis
        QStringLiteral("\U0001F600 \u00A0\u200D\u00AD\u2026"),
        QString(),
    };
    QList<std::pair<QString, QString>> cases{
        {"first\r\nsecond", "first second"}, {"first\rsecond", "first second"},
        {"first\nsecond", "first second"},   {"\tindented\tformula\t", " indented formula "},
        {"\t\ttwo tabs", "  two tabs"},      {"a\r\r\nb\n\rc\r\n\r\nd", "a  b  c  d"},
        {controls, "a b c d e f g h i"},
    };
    for (const QString& text : kept) cases.append({text, text});
    ResultGrid grid(SiteSurveyColumns());
    for (const auto& [text, copied] : cases) {
        QStringList cells(16, QStringLiteral("x"));
        cells[1] = cells[15] = text;
        grid.AddItem(cells);
    }
    const QStringList lines = grid.Clip().split(u'\n');
    ASSERT_EQ(lines.size(), 1 + cases.size());
    for (qsizetype r = 0; r < cases.size(); ++r) {
        const QStringList cells = lines[r + 1].split(u'\t');
        ASSERT_EQ(cells.size(), 16) << r;
        EXPECT_EQ(cells[1], cases[r].second) << r;
        EXPECT_EQ(cells[2], QStringLiteral("x")) << r;
        EXPECT_EQ(cells[15], cases[r].second) << r;
        EXPECT_EQ(grid.rows().at(r).at(1), cases[r].first) << r;
    }
}

}  // namespace
