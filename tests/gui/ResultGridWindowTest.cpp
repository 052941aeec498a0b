#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTimer>
#include <algorithm>

#include "CrossReference.h"
#include "GuiSeams.h"
#include "GuiTestSupport.h"
#include "ResultGridWindow.h"
#include "SiteSurvey.h"
#include "UtilitiesWindow.h"

using namespace tav::core;
using namespace tav::utilities;
using namespace tav::gui;

namespace {

TEST(ResultWindows, ShowTheResultSortOnADoubleClickAndCopyTheWholeGrid) {
    ResultGrid result(CrossReferenceColumns());
    result.AddItem({"p", "t", "", "b", "x"});
    result.AddItem({"q", "t", "", "B", "y"});
    ResultGridWindow window(ResultGridWindow::CrossReference);
    window.setResult(result);
    window.show();

    auto* grid = window.findChild<QTableWidget*>(QStringLiteral("grdXRef"));
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->columnCount(), 6);
    EXPECT_EQ(grid->rowCount(), 2);
    EXPECT_EQ(grid->horizontalHeaderItem(3)->text(), QStringLiteral("Table"));
    EXPECT_EQ(grid->columnWidth(0), 2000 / 15);

    emit grid->horizontalHeader()->sectionDoubleClicked(3);
    EXPECT_EQ(grid->item(0, 3)->text(), QStringLiteral("B"));
    EXPECT_EQ(grid->item(0, 4)->text(), QStringLiteral("y"));

    window.copyWholeGrid();
    EXPECT_EQ(grid->selectedItems().size(), 12);
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              "ReportFile\tReportTitle\tSubreport\tTable\tAlias\tSelectionFormula\n"
              "q\tt\t\tB\ty\t\n"
              "p\tt\t\tb\tx\t");
}

TEST(ResultWindows, SurveyWindowHasItsOwnGridWithCentredCounts) {
    ResultGrid result(SiteSurveyColumns());
    result.AddItem({"a.rpt"});
    ResultGridWindow window(ResultGridWindow::SiteSurvey);
    window.setResult(result);
    auto* grid = window.findChild<QTableWidget*>(QStringLiteral("grdSurvey"));
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->columnCount(), 16);
    EXPECT_EQ(grid->item(0, 10)->textAlignment(), int(Qt::AlignHCenter | Qt::AlignVCenter));
    EXPECT_EQ(grid->item(0, 0)->textAlignment(), int(Qt::AlignLeft | Qt::AlignVCenter));
}

TEST(ResultWindows, ColumnsWidenToShowWholeValuesAndCaptions) {
    ResultGrid result(SiteSurveyColumns());
    const QString path = QStringLiteral("/srv/reports/finance/quarterly/2026/closing-summary.rpt");
    result.AddItem({path, "t"});
    ResultGridWindow window(ResultGridWindow::SiteSurvey);
    window.setResult(result);
    auto* grid = window.findChild<QTableWidget*>(QStringLiteral("grdSurvey"));
    ASSERT_NE(grid, nullptr);
    const QFontMetrics metrics = grid->fontMetrics();
    EXPECT_GT(grid->columnWidth(0), metrics.horizontalAdvance(path));
    for (int column = 0; column < grid->columnCount(); ++column)
        EXPECT_GE(grid->columnWidth(column), grid->horizontalHeader()->sectionSizeHint(column))
            << column;
    EXPECT_EQ(grid->columnWidth(2), 1000 / 15);  // a short column keeps its designed width
}

// A delegate that counts the cells it measures: what fitting the columns costs.
class MeasureCounter : public QStyledItemDelegate {
public:
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        ++measured;
        return QStyledItemDelegate::sizeHint(option, index);
    }
    mutable qsizetype measured = 0;
};

// Rows shown as each report is done cost the same however many rows stand above them: each
// cell is measured once during the run, not again at every report. The columns come out as wide
// as the grid's own fit over all rows makes them (a wide value of an early row keeps its column
// wide, a short column keeps its designed width), the fit at the end of the run agrees, and the
// next run starts again from the designed widths.
TEST(ResultWindows, ColumnsGrowWithEachReportsRowsAloneAndFitEveryRow) {
    MeasureCounter counter;  // outlives the window that uses it
    ResultGridWindow window(ResultGridWindow::CrossReference);
    window.show();
    auto* grid = window.findChild<QTableWidget*>(QStringLiteral("grdXRef"));
    ASSERT_NE(grid, nullptr);
    grid->setItemDelegate(&counter);
    const QString wide = QStringLiteral("/srv/reports/finance/quarterly/2026/closing-summary.rpt");
    const QString formula = QStringLiteral("{Orders.Amount} > 1000 and {Orders.Region} = 'North'");
    ResultGrid sofar(CrossReferenceColumns());
    const int reports = 300;
    for (int i = 0; i < reports; ++i) {
        sofar.AddItem({i == 3 ? wide : QStringLiteral("r%1.rpt").arg(i), "t", "",
                       QStringLiteral("T%1").arg(i), "a", i == 150 ? formula : QString()});
        window.showProgress(sofar);
    }
    ASSERT_EQ(grid->rowCount(), reports);
    EXPECT_LE(counter.measured, 2 * reports * grid->columnCount());

    QList<int> shown;
    for (int c = 0; c < grid->columnCount(); ++c) shown << grid->columnWidth(c);
    EXPECT_GT(shown[0], grid->fontMetrics().horizontalAdvance(wide));
    EXPECT_GT(shown[5], grid->fontMetrics().horizontalAdvance(formula));
    EXPECT_EQ(shown[4], 1000 / 15);  // a short column keeps its designed width
    window.setResult(sofar);
    for (int c = 0; c < grid->columnCount(); ++c) {
        EXPECT_EQ(grid->columnWidth(c), shown[c]) << c;
        grid->resizeColumnToContents(c);
        EXPECT_EQ(std::max(grid->columnWidth(c), CrossReferenceColumns()[c].width / 15), shown[c])
            << c;
    }

    ResultGrid next(CrossReferenceColumns());
    next.AddItem({"a.rpt", "t", "", "T", "a", ""});
    window.showProgress(next);
    for (int c = 0; c < grid->columnCount(); ++c)
        EXPECT_EQ(grid->columnWidth(c), std::max(CrossReferenceColumns()[c].width / 15,
                                                 grid->horizontalHeader()->sectionSizeHint(c)))
            << c;
}

}  // namespace

namespace {

// A utility's rows show as each report is done, the window answering meanwhile: what the window
// shows while the run goes on, seen from the event loop.
TEST(ResultWindows, RowsShowAsEachReportIsDone) {
    const KeptGuiSeams seams;
    QStringList messages;
    guiSeams().message = [&](QWidget*, const QString& text, const QString&, QMessageBox::Icon) {
        messages << text;
    };
    UtilitiesWindow window;
    window.show();
    const QString samples = QStringLiteral(TAV_SAMPLES "/");
    window.addReports(
        {samples + QStringLiteral("objects.rpt"), samples + QStringLiteral("charts.rpt"),
         samples + QStringLiteral("fields.rpt"), samples + QStringLiteral("list.rpt")});
    for (const auto& [button, name] :
         {std::pair{"cmdRM_0", "grdXRef"}, std::pair{"cmdRM_1", "grdSurvey"}}) {
        QList<int> whileRunning;  // the rows shown at each turn of the event loop during the run
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            const auto* grid = window.findChild<QTableWidget*>(QLatin1String(name));
            if (window.isRunningUtility() && grid) whileRunning << grid->rowCount();
        });
        watch.start(0);
        control<QPushButton>(window, button)->click();
        watch.stop();
        const auto* grid = window.findChild<QTableWidget*>(QLatin1String(name));
        ASSERT_NE(grid, nullptr);
        ASSERT_FALSE(whileRunning.isEmpty()) << name;
        EXPECT_GT(*std::max_element(whileRunning.begin(), whileRunning.end()), 0) << name;
        EXPECT_LT(whileRunning.front(), grid->rowCount()) << name;
        EXPECT_TRUE(std::is_sorted(whileRunning.begin(), whileRunning.end())) << name;
    }
    EXPECT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
}

}  // namespace
