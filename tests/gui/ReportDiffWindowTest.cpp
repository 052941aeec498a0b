#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrinter>
#include <QPushButton>
#include <QSplitter>
#include <QStyle>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextEdit>
#include <algorithm>

#include "GuiSeams.h"
#include "QtPrinters.h"
#include "ReportDiffWindow.h"

using namespace tav::core;
using namespace tav::utilities;
using namespace tav::gui;

namespace {

QString sample(const char* name) { return QStringLiteral(TAV_SAMPLES "/") + QLatin1String(name); }

// Two sample reports compared in a window whose printer is answered by the test.
class RptDiffWindow : public testing::Test {
protected:
    void SetUp() override {
        saved_ = guiSeams();
        window.compare(sample("list.rpt"), sample("fields.rpt"));
        window.show();
    }
    void TearDown() override { guiSeams() = saved_; }

    // The rows at which the grid's changes start.
    static std::vector<int> changeRows(const QTableWidget& grid) {
        std::vector<int> rows;
        for (int r = 0; r < grid.rowCount(); ++r)
            if (grid.item(r, 0)->text().startsWith(kChangeMarker)) rows.push_back(r);
        return rows;
    }

    ReportDiffWindow window;

private:
    GuiSeams saved_;
};

TEST_F(RptDiffWindow, ShowsTheRowsInTheirColoursAndTheCombinedText) {
    const ReportDiff& engine = window.engine();
    bool sawColor[3] = {};
    for (const auto& [grid, rows] :
         {std::pair{window.grd1, &engine.grd1}, std::pair{window.grd2, &engine.grd2},
          std::pair{window.grdDiff, &engine.grdDiff}}) {
        ASSERT_EQ(grid->rowCount(), static_cast<int>(rows->size()))
            << grid->objectName().toStdString();
        for (int r = 0; r < grid->rowCount(); ++r) {
            const DiffGridRow& row = (*rows)[static_cast<size_t>(r)];
            const QTableWidgetItem* item = grid->item(r, 1);
            EXPECT_EQ(grid->item(r, 0)->text(), row.firstCell);
            EXPECT_EQ(item->text(), row.secondCell);
            EXPECT_EQ(item->font().strikeOut(), row.struck);
            // The engine's colours hold red in the low byte.
            const QColor shown = item->foreground().color();
            const std::pair<qint32, QColor> colors[] = {
                {DiffBlue, Qt::blue}, {DiffRed, Qt::red}, {DiffGreen, Qt::green}};
            for (size_t c = 0; c < 3; ++c) {
                if (row.color != colors[c].first) continue;
                EXPECT_EQ(shown, colors[c].second) << grid->objectName().toStdString() << r;
                sawColor[c] = true;
            }
            if (row.color == DiffBlack) {
                EXPECT_EQ(shown, QColor(Qt::black));
            }
        }
    }
    EXPECT_TRUE(sawColor[0] && (sawColor[1] || sawColor[2]));
    EXPECT_EQ(window.rtbRptDiff->toPlainText(), engine.combinedText());

    // Changes only: the equal lines go, the changes stay.
    const int allRows = window.grdDiff->rowCount();
    const size_t changes = changeRows(*window.grdDiff).size();
    window.cmdShowChanges->click();
    EXPECT_LT(window.grdDiff->rowCount(), allRows);
    EXPECT_EQ(changeRows(*window.grdDiff).size(), changes);
    window.cmdShowAll->click();
    EXPECT_EQ(window.grdDiff->rowCount(), allRows);
}

TEST_F(RptDiffWindow, NextAndPrevMoveFromChangeToChangeInEitherView) {
    EXPECT_FALSE(window.cmdSeparate->isEnabled());
    EXPECT_TRUE(window.picSplitter->isVisible());
    EXPECT_FALSE(window.pbCombined->isVisible());

    // Side by side a change may be marked in either pane; the nearer one is found. The samples
    // have changes that only the right pane marks.
    auto afterTop = [](std::vector<int> rows) {
        rows.erase(rows.begin(), std::upper_bound(rows.begin(), rows.end(), 0));
        return rows;
    };
    const std::vector<int> left = afterTop(changeRows(*window.grd1));
    std::vector<int> separate = afterTop(changeRows(*window.grd2));
    separate.insert(separate.end(), left.begin(), left.end());
    std::sort(separate.begin(), separate.end());
    separate.erase(std::unique(separate.begin(), separate.end()), separate.end());
    ASSERT_GT(separate.size(), left.size());
    for (int row : separate) {
        window.cmdNext->click();
        EXPECT_EQ(std::max(ReportDiffWindow::searchRow(*window.grd1),
                           ReportDiffWindow::searchRow(*window.grd2)),
                  row);
    }

    window.cmdCombined->click();
    EXPECT_TRUE(window.pbCombined->isVisible());
    EXPECT_FALSE(window.picSplitter->isVisible());
    const std::vector<int> combined = afterTop(changeRows(*window.grdDiff));
    ASSERT_GE(combined.size(), 2U);
    for (int row : combined) {
        window.cmdNext->click();
        EXPECT_EQ(ReportDiffWindow::searchRow(*window.grdDiff), row);
    }
    // No wrap-around past the last change, though it cannot come to the top; Prev walks back.
    window.cmdNext->click();
    EXPECT_EQ(ReportDiffWindow::searchRow(*window.grdDiff), combined.back());
    window.cmdPrev->click();
    EXPECT_EQ(ReportDiffWindow::searchRow(*window.grdDiff), combined[combined.size() - 2]);
    // Back at the first change, which is far enough from the end to be brought to the top.
    for (size_t i = 2; i < combined.size(); ++i) window.cmdPrev->click();
    EXPECT_EQ(ReportDiffWindow::searchRow(*window.grdDiff), combined.front());
    EXPECT_EQ(ReportDiffWindow::topRow(*window.grdDiff), combined.front());
    window.cmdPrev->click();
    EXPECT_EQ(ReportDiffWindow::searchRow(*window.grdDiff), combined.front());
}

// The marker and both numbers stand whole in the first column of every grid, however many
// lines the reports have, and nothing in a grid is cut short with an ellipsis.
TEST_F(RptDiffWindow, TheNumberColumnsShowTheirNumbersWhole) {
    for (QTableWidget* grid : {window.grd1, window.grd2, window.grdDiff}) {
        EXPECT_EQ(grid->textElideMode(), Qt::ElideNone);
        for (int r = 0; r < grid->rowCount(); ++r) {
            EXPECT_FALSE(grid->item(r, 0)->font().strikeOut()) << r;
            EXPECT_EQ(grid->item(r, 0)->foreground().style(), Qt::NoBrush) << r;
        }
        const QFontMetrics metrics(grid->font());
        const int margin =
            2 * (grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1);
        int widest = 0;
        for (int r = 0; r < grid->rowCount(); ++r)
            widest = std::max(widest, metrics.horizontalAdvance(grid->item(r, 0)->text()));
        EXPECT_GE(grid->columnWidth(0), widest + margin) << grid->objectName().toStdString();
        // No wider than the numbers need, so the text keeps its room.
        EXPECT_LE(grid->columnWidth(0), widest + margin + metrics.averageCharWidth())
            << grid->objectName().toStdString();
    }
}

// Inside a window's MDI area, as the utilities window holds it: it opens large enough to read
// its grids, and once maximized a long status text does not widen the window around it.
TEST(RptDiffWindowInArea, OpensShowingItsGridsAndKeepsTheMainWindowsWidth) {
    QMainWindow main;
    auto* area = new QMdiArea;
    main.setCentralWidget(area);
    main.resize(1100, 800);
    main.show();
    auto* diff = new ReportDiffWindow;
    QMdiSubWindow* sub = area->addSubWindow(diff);
    sub->show();
    diff->compare(sample("list.rpt"), sample("fields.rpt"));
    QCoreApplication::processEvents();
    const int rowHeight = diff->grd1->verticalHeader()->defaultSectionSize();
    EXPECT_GE(diff->grd1->viewport()->height(), 20 * rowHeight);
    EXPECT_GE(diff->grd1->viewport()->width(), 40 * diff->grd1->fontMetrics().averageCharWidth());

    // The area takes its windows' least sizes for its own, and the main window follows it.
    sub->showMaximized();
    const int width = main.width();
    diff->sbStatus->setText(QStringLiteral("Mining: ") + QString(400, u'x'));
    QCoreApplication::processEvents();
    EXPECT_LT(area->minimumSizeHint().width(), width);
    main.layout()->activate();
    EXPECT_EQ(main.width(), width);
}

TEST_F(RptDiffWindow, PrintsTheCombinedTextThroughThePrinterSeam) {
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    const QString pdf = out.filePath(QStringLiteral("diff.pdf"));
    int asked = 0;
    guiSeams().preparePrinter = [&](QWidget*, QPrinter& printer) {
        ++asked;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    };
    window.cmdPrint->click();
    EXPECT_EQ(asked, 1);
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5).startsWith("%PDF-"));
    EXPECT_TRUE(window.sbStatus->text().endsWith(pdf));
    // A new comparison is no longer the one that was printed.
    window.compare(sample("list.rpt"), sample("fields.rpt"));
    EXPECT_FALSE(window.sbStatus->text().startsWith(QStringLiteral("Printed to ")));

    // Declined: nothing is printed.
    file.close();
    QFile::remove(pdf);
    guiSeams().preparePrinter = [&](QWidget*, QPrinter&) { return false; };
    window.cmdPrint->click();
    EXPECT_FALSE(QFile::exists(pdf));
}

}  // namespace
