#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QStandardPaths>
#include <QStyle>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <stdexcept>
#include <string>
#include <utility>

#include "GuiSeams.h"
#include "GuiTestSupport.h"
#include "ProgramSettings.h"
#include "QtPrinters.h"
#include "ReportDiffWindow.h"
#include "UtilitiesWindow.h"

// Hands a key to the shortcuts as the keyboard does; true when a shortcut took it.
Q_GUI_EXPORT bool qt_sendShortcutOverrideEvent(QObject* o, ulong timestamp, int k,
                                               Qt::KeyboardModifiers mods,
                                               const QString& text = QString(),
                                               bool autorep = false, ushort count = 1);

using namespace tav::core;
using namespace tav::utilities;
using namespace tav::gui;

namespace {

QString sample(const char* name) { return QStringLiteral(TAV_SAMPLES "/") + QLatin1String(name); }

// A control of a window, found by its object name.
template <class T>
T* named(const QWidget& window, const char* name) {
    T* control = window.findChild<T*>(QLatin1String(name));
    if (!control) throw std::logic_error(std::string("no control named ") + name);
    return control;
}

QString cell(const QTableView& grid, int row, int column) {
    return grid.model()->index(row, column).data().toString();
}

// A design document in `dir`: a report with the given attributes and content; its path.
QString writeReport(const QTemporaryDir& dir, const char* name, const QString& attributes,
                    const QString& content = QString()) {
    QFile file(dir.filePath(QLatin1String(name)));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral("<Report%1><Database/><ExportOptions/>%2</Report>")
                   .arg(attributes, content)
                   .toUtf8());
    return file.fileName();
}

// Two reports whose formulas are lined up by name: the first has `count` formulas, of which the
// second keeps every third, giving every fifth two more lines, and adds one of its own after
// every seventh. Hundreds of lines of one report alone, and changed pairs of unequal length.
std::pair<QString, QString> formulaPair(const QTemporaryDir& dir, int count) {
    auto formula = [](const QString& name, const QString& text) {
        return QStringLiteral("<FormulaField kind=\"2\" name=\"%1\" text=\"%2\"/>").arg(name, text);
    };
    QString first;
    QString second;
    for (int k = 0; k < count; ++k) {
        const QString name = QStringLiteral("F%1").arg(k, 4, 10, QChar(u'0'));
        const QString text = QStringLiteral("{T.a} + %1").arg(k);
        first += formula(name, text);
        if (k % 3 == 0) second += formula(name, k % 5 == 0 ? text + "&#10;+ 1&#10;+ 2" : text);
        if (k % 7 == 0) second += formula(name + u'a', QStringLiteral("new"));
    }
    auto write = [&dir](const char* name, const QString& formulas) {
        return writeReport(dir, name, QString(),
                           QStringLiteral("<FormulaFields>%1</FormulaFields>").arg(formulas));
    };
    return {write("first.xml", first), write("second.xml", second)};
}

// Compares a pair of formulaPair's reports in `window`, their formulas shown.
void compareFormulaPair(ReportDiffWindow& window, int count) {
    // Formulas are compared as the user's settings say when they are shown.
    const ProgramSettings::Scope settings;
    programOptions().ShowFormula = true;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto [first, second] = formulaPair(dir, count);
    window.compare(first, second);
}

// The side-by-side rows that face each other: the line of one report, or of both when equal.
// Empty where a row only faces a line of the other report.
struct FacingRows {
    QString left;
    QString right;
    bool marked = false;
};
FacingRows facing(const QTableView& left, const QTableView& right, int row) {
    return {cell(left, row, 1), cell(right, row, 1),
            cell(left, row, 0).startsWith(kChangeMarker) ||
                cell(right, row, 0).startsWith(kChangeMarker)};
}

// Two sample reports compared in a window whose printer is answered by the test.
class ReportDiffWindowTest : public testing::Test {
protected:
    void SetUp() override {
        window.compare(sample("list.rpt"), sample("fields.rpt"));
        window.show();
    }

    // The rows at which the grid's changes start.
    static std::vector<int> changeRows(const QTableView& grid) {
        std::vector<int> rows;
        for (int r = 0; r < grid.model()->rowCount(); ++r)
            if (cell(grid, r, 0).startsWith(kChangeMarker)) rows.push_back(r);
        return rows;
    }

    const KeptGuiSeams seams_;
    const ProgramSettings::Scope settings_;
    ReportDiffWindow window;
    // Its controls, by their object names.
    QTableView* leftGrid = named<QTableView>(window, "grd1");
    QTableView* rightGrid = named<QTableView>(window, "grd2");
    QTableView* combinedGrid = named<QTableView>(window, "grdDiff");
    QLabel* status = named<QLabel>(window, "sbStatus");
    QWidget* leftPane = named<QWidget>(window, "pbLeft");
    QWidget* rightPane = named<QWidget>(window, "pbRight");
    QWidget* combinedPane = named<QWidget>(window, "pbCombined");
    QSplitter* splitter = named<QSplitter>(window, "picSplitter");
    QPushButton* separateButton = named<QPushButton>(window, "cmdSeparate");
    QPushButton* combinedButton = named<QPushButton>(window, "cmdCombined");
    QPushButton* showAllButton = named<QPushButton>(window, "cmdShowAll");
    QPushButton* showChangesButton = named<QPushButton>(window, "cmdShowChanges");
    QPushButton* nextButton = named<QPushButton>(window, "cmdNext");
    QPushButton* previousButton = named<QPushButton>(window, "cmdPrev");
    QPushButton* printButton = named<QPushButton>(window, "cmdPrint");
};

TEST_F(ReportDiffWindowTest, ShowsTheRowsInTheirColoursAndTheCombinedText) {
    const DiffResults& results = window.results();
    bool sawColor[3] = {};
    for (const auto& [grid, rows] :
         {std::pair{leftGrid, &results.leftRows}, std::pair{rightGrid, &results.rightRows},
          std::pair{combinedGrid, &results.combinedRows}}) {
        ASSERT_EQ(grid->model()->rowCount(), static_cast<int>(rows->size()))
            << grid->objectName().toStdString();
        for (int r = 0; r < grid->model()->rowCount(); ++r) {
            const DiffRow& row = (*rows)[static_cast<size_t>(r)];
            const QModelIndex text = grid->model()->index(r, 1);
            EXPECT_EQ(cell(*grid, r, 0), row.numbers);
            EXPECT_EQ(cell(*grid, r, 1), row.text);
            EXPECT_EQ(text.data(Qt::FontRole).value<QFont>().strikeOut(), row.struck);
            // The engine's colours hold red in the low byte.
            const QColor shown = text.data(Qt::ForegroundRole).value<QColor>();
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
    // The printed text: the run header, then the combined text.
    QString header;
    for (size_t r = 0; r < 4; ++r) header += results.combinedRows[r].text + u'\n';
    EXPECT_EQ(window.printableText()->toPlainText(), header + results.combinedText());

    // Changes only: the equal lines go, the changes stay.
    const int allRows = combinedGrid->model()->rowCount();
    const size_t changes = changeRows(*combinedGrid).size();
    showChangesButton->click();
    EXPECT_LT(combinedGrid->model()->rowCount(), allRows);
    EXPECT_EQ(changeRows(*combinedGrid).size(), changes);
    showAllButton->click();
    EXPECT_EQ(combinedGrid->model()->rowCount(), allRows);
}

TEST_F(ReportDiffWindowTest, NextAndPrevMoveFromChangeToChangeInEitherView) {
    EXPECT_FALSE(separateButton->isEnabled());
    EXPECT_TRUE(splitter->isVisible());
    EXPECT_FALSE(combinedPane->isVisible());

    // Side by side a change may be marked in either pane; the nearer one is found. The samples
    // have changes that only the right pane marks.
    auto afterTop = [](std::vector<int> rows) {
        rows.erase(rows.begin(), std::upper_bound(rows.begin(), rows.end(), 0));
        return rows;
    };
    const std::vector<int> left = afterTop(changeRows(*leftGrid));
    std::vector<int> separate = afterTop(changeRows(*rightGrid));
    separate.insert(separate.end(), left.begin(), left.end());
    std::sort(separate.begin(), separate.end());
    separate.erase(std::unique(separate.begin(), separate.end()), separate.end());
    ASSERT_GT(separate.size(), left.size());
    for (int row : separate) {
        nextButton->click();
        EXPECT_EQ(std::max(ReportDiffWindow::searchRow(*leftGrid),
                           ReportDiffWindow::searchRow(*rightGrid)),
                  row);
    }

    combinedButton->click();
    EXPECT_TRUE(combinedPane->isVisible());
    EXPECT_FALSE(splitter->isVisible());
    const std::vector<int> combined = afterTop(changeRows(*combinedGrid));
    ASSERT_GE(combined.size(), 2U);
    for (int row : combined) {
        nextButton->click();
        EXPECT_EQ(ReportDiffWindow::searchRow(*combinedGrid), row);
    }
    // No wrap-around past the last change, though it cannot come to the top; Prev walks back.
    nextButton->click();
    EXPECT_EQ(ReportDiffWindow::searchRow(*combinedGrid), combined.back());
    previousButton->click();
    EXPECT_EQ(ReportDiffWindow::searchRow(*combinedGrid), combined[combined.size() - 2]);
    // Back at the first change, which is far enough from the end to be brought to the top.
    for (size_t i = 2; i < combined.size(); ++i) previousButton->click();
    EXPECT_EQ(ReportDiffWindow::searchRow(*combinedGrid), combined.front());
    EXPECT_EQ(ReportDiffWindow::topRow(*combinedGrid), combined.front());
    previousButton->click();
    EXPECT_EQ(ReportDiffWindow::searchRow(*combinedGrid), combined.front());
}

// The marker and both numbers stand whole in the first column of every grid, however many
// lines the reports have, and nothing in a grid is cut short with an ellipsis.
TEST_F(ReportDiffWindowTest, TheNumberColumnsShowTheirNumbersWhole) {
    for (QTableView* grid : {leftGrid, rightGrid, combinedGrid}) {
        EXPECT_EQ(grid->textElideMode(), Qt::ElideNone);
        for (int r = 0; r < grid->model()->rowCount(); ++r) {
            const QModelIndex numbers = grid->model()->index(r, 0);
            EXPECT_FALSE(numbers.data(Qt::FontRole).isValid()) << r;
            EXPECT_FALSE(numbers.data(Qt::ForegroundRole).isValid()) << r;
        }
        const QFontMetrics metrics(grid->font());
        const int margin =
            2 * (grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1);
        int widest = 0;
        for (int r = 0; r < grid->model()->rowCount(); ++r)
            widest = std::max(widest, metrics.horizontalAdvance(cell(*grid, r, 0)));
        EXPECT_GE(grid->columnWidth(0), widest + margin) << grid->objectName().toStdString();
        // No wider than the numbers need, so the text keeps its room.
        EXPECT_LE(grid->columnWidth(0), widest + margin + metrics.averageCharWidth())
            << grid->objectName().toStdString();
    }
}

// Inside a window's MDI area, as the utilities window holds it: it opens large enough to read
// its grids, and once maximized a long status text does not widen the window around it.
TEST(ReportDiffWindowInArea, OpensShowingItsGridsAndKeepsTheMainWindowsWidth) {
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
    const int rowHeight = named<QTableView>(*diff, "grd1")->verticalHeader()->defaultSectionSize();
    EXPECT_GE(named<QTableView>(*diff, "grd1")->viewport()->height(), 20 * rowHeight);
    EXPECT_GE(named<QTableView>(*diff, "grd1")->viewport()->width(),
              40 * named<QTableView>(*diff, "grd1")->fontMetrics().averageCharWidth());

    // The area takes its windows' least sizes for its own, and the main window follows it.
    sub->showMaximized();
    const int width = main.width();
    named<QLabel>(*diff, "sbStatus")->setText(QStringLiteral("Mining: ") + QString(400, u'x'));
    QCoreApplication::processEvents();
    EXPECT_LT(area->minimumSizeHint().width(), width);
    main.layout()->activate();
    EXPECT_EQ(main.width(), width);
}

TEST_F(ReportDiffWindowTest, PrintsTheCombinedTextThroughThePrinterSeam) {
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
    printButton->click();
    EXPECT_EQ(asked, 1);
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5).startsWith("%PDF-"));
    EXPECT_TRUE(status->text().endsWith(pdf));
    // A new comparison is no longer the one that was printed.
    window.compare(sample("list.rpt"), sample("fields.rpt"));
    EXPECT_FALSE(status->text().startsWith(QStringLiteral("Printed to ")));

    // Declined: nothing is printed.
    file.close();
    QFile::remove(pdf);
    guiSeams().preparePrinter = [&](QWidget*, QPrinter&) { return false; };
    printButton->click();
    EXPECT_FALSE(QFile::exists(pdf));
}

// The rows in view of a grid whose text reaches into the pane: text cut at the pane's edge can
// be scrolled into view, never past.
int rowsShowingText(const QTableView& grid) {
    const QFontMetrics metrics(grid.font());
    const int first = ReportDiffWindow::topRow(grid);
    int last = grid.rowAt(grid.viewport()->height() - 1);
    if (last < 0) last = grid.model()->rowCount() - 1;
    int showing = 0;
    for (int r = first; r <= last; ++r) {
        const QString text = cell(grid, r, 1).trimmed();
        if (!text.isEmpty() &&
            grid.columnViewportPosition(1) + metrics.horizontalAdvance(cell(grid, r, 1)) > 0)
            ++showing;
    }
    return showing;
}

// One step of the horizontal scroll bar, an arrow or a click on the track, moves both panes
// alike and leaves their text in view.
TEST_F(ReportDiffWindowTest, AHorizontalStepKeepsTheTextOfBothPanesInView) {
    window.resize(520, 420);
    QApplication::processEvents();
    ASSERT_TRUE(splitter->isVisible());
    QScrollBar* bar = leftGrid->horizontalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    for (auto action : {QAbstractSlider::SliderSingleStepAdd, QAbstractSlider::SliderPageStepAdd}) {
        bar->setValue(0);
        bar->triggerAction(action);
        EXPECT_GT(bar->value(), 0) << action;
        if (action == QAbstractSlider::SliderSingleStepAdd) {
            EXPECT_LE(bar->value(), 100 / 15);
        }
        EXPECT_EQ(rightGrid->horizontalScrollBar()->value(), bar->value()) << action;
        for (const QTableView* grid : {leftGrid, rightGrid})
            EXPECT_GT(rowsShowingText(*grid), 0) << grid->objectName().toStdString() << action;
    }
}

// Drags the splitter's handle by `dx` pixels.
void dragSplitter(QSplitter& splitter, int dx) {
    QWidget* handle = splitter.handle(1);
    const QPoint from = handle->rect().center();
    auto send = [handle](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
        QMouseEvent event(type, at, handle->mapToGlobal(at), Qt::LeftButton, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(handle, &event);
    };
    send(QEvent::MouseButtonPress, from, Qt::LeftButton);
    send(QEvent::MouseMove, from + QPoint(dx, 0), Qt::LeftButton);
    send(QEvent::MouseButtonRelease, from + QPoint(dx, 0), Qt::NoButton);
}

// Side by side needs two panes wide enough to read: a narrow window or a splitter dragged to
// an edge shows the combined grid instead, and Separate brings the panes back.
TEST_F(ReportDiffWindowTest, APaneTooNarrowToReadSwitchesToTheCombinedView) {
    window.resize(900, 500);
    QApplication::processEvents();
    const int panes = leftPane->width() + rightPane->width();
    EXPECT_LE(std::abs(leftPane->width() - rightPane->width()), 2);
    for (int dx : {-panes, panes}) {
        dragSplitter(*splitter, dx);
        EXPECT_FALSE(combinedButton->isEnabled()) << dx;
        EXPECT_TRUE(separateButton->isEnabled()) << dx;
        EXPECT_TRUE(combinedPane->isVisible()) << dx;
        separateButton->click();
        EXPECT_TRUE(splitter->isVisible()) << dx;
    }

    // The window can be made narrow enough for that, its buttons still at hand.
    const int narrow = 220;
    EXPECT_LE(window.minimumSizeHint().width(), narrow);
    window.resize(narrow, 500);
    QApplication::processEvents();
    EXPECT_EQ(window.width(), narrow);
    EXPECT_FALSE(combinedButton->isEnabled());
    EXPECT_TRUE(combinedPane->isVisible());
    // Too narrow still: Separate finds the panes too narrow again.
    separateButton->click();
    EXPECT_TRUE(combinedPane->isVisible());
}

// A long line is printed whole, wrapped at the page's edge, after the run header.
TEST_F(ReportDiffWindowTest, PrintsLongLinesWholeAfterTheRunHeader) {
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty()) GTEST_SKIP() << "pdftotext is not installed";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QString words;
    for (int k = 1; words.size() < 290; ++k)
        words += QStringLiteral("w%1 ").arg(k, 3, 10, QChar(u'0'));
    words += QStringLiteral("Duplicated");
    ASSERT_GE(words.size(), 300);
    auto write = [&](const char* name, const QString& comments) {
        return writeReport(dir, name, QStringLiteral(" reportComments=\"%1\"").arg(comments));
    };
    window.compare(write("a.xml", words), write("b.xml", QStringLiteral("short")));
    const QString pdf = dir.filePath(QStringLiteral("diff.pdf"));
    guiSeams().preparePrinter = [&](QWidget*, QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    };
    printButton->click();
    auto text = [&](QStringList pages) {
        QProcess process;
        process.start(pdftotext, pages << pdf << QStringLiteral("-"));
        EXPECT_TRUE(process.waitForFinished(30000));
        return QString::fromUtf8(process.readAllStandardOutput());
    };
    const QString firstPage = text(
        {QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1")});
    EXPECT_TRUE(firstPage.startsWith(QStringLiteral("Tavrin RptDiff"))) << firstPage.toStdString();
    EXPECT_TRUE(
        firstPage.contains(QStringLiteral("File 1 = ") + dir.filePath(QStringLiteral("a.xml"))));
    EXPECT_TRUE(text({}).contains(QStringLiteral("Duplicated")));
}

// The difference window as the utilities window opens it.
class ReportDiffFromUtilities : public testing::Test {
protected:
    void SetUp() override {
        guiSeams().message = [this](QWidget*, const QString& text, const QString&,
                                    QMessageBox::Icon) { messages << text; };
        guiSeams().askOkCancel = [](QWidget*, const QString&) { return true; };
        window.show();
        QApplication::processEvents();
    }

    // Compares two entries of the report list.
    void compare(const QString& first, const QString& second) {
        window.findChild<QListWidget*>(QStringLiteral("RptList"))->clear();
        window.addReports({first, second});
        window.findChild<QPushButton*>(QStringLiteral("cmdRM_3"))->click();
        QApplication::processEvents();
    }

    const KeptGuiSeams seams_;
    const ProgramSettings::Scope settings_;
    UtilitiesWindow window;
    QStringList messages;
};

// At the main window's first size, the difference window lies inside the work area, which is
// not scrolled, with its first button in view.
TEST_F(ReportDiffFromUtilities, OpensInsideTheWorkAreaWithItsButtonsInView) {
    compare(sample("list.rpt"), sample("fields.rpt"));
    ASSERT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
    ReportDiffWindow& diff = window.diffWindow();
    auto* sub = qobject_cast<QMdiSubWindow*>(diff.parentWidget());
    ASSERT_NE(sub, nullptr);
    QMdiArea* area = sub->mdiArea();
    EXPECT_TRUE(area->viewport()->rect().contains(sub->geometry()))
        << sub->geometry().x() << "," << sub->geometry().y() << " " << sub->width() << "x"
        << sub->height() << " in " << area->viewport()->width() << "x"
        << area->viewport()->height();
    EXPECT_EQ(area->horizontalScrollBar()->value(), 0);
    EXPECT_EQ(area->verticalScrollBar()->value(), 0);
    EXPECT_TRUE(named<QPushButton>(diff, "cmdSeparate")->isVisible());
    EXPECT_GE(named<QPushButton>(diff, "cmdSeparate")->mapTo(area->viewport(), QPoint(0, 0)).x(),
              0);
    EXPECT_TRUE(named<QSplitter>(diff, "picSplitter")->isVisible());
    EXPECT_GT(named<QTableView>(diff, "grd1")->viewport()->height(),
              5 * named<QTableView>(diff, "grd1")->verticalHeader()->defaultSectionSize());
}

// A folder is no report to compare: the message names it and says why.
TEST_F(ReportDiffFromUtilities, AFolderEntryIsNamedWithItsCause) {
    const QString folder = QStringLiteral(TAV_SAMPLES "/");
    compare(folder, sample("list.rpt"));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(folder)) << messages[0].toStdString();
    EXPECT_TRUE(messages[0].contains(QStringLiteral("a folder"))) << messages[0].toStdString();
}

}  // namespace

// Side by side, facing rows belong together in a pair with hundreds of lines of one report
// alone, all lines shown or changes only: equal lines face their equal, the lines of one report
// alone face empty rows, and a change's halves start on one row. Each pane keeps its own
// report's line numbers.
TEST_F(ReportDiffWindowTest, FacingRowsBelongTogether) {
    compareFormulaPair(window, 600);
    for (QPushButton* view : {showAllButton, showChangesButton}) {
        view->click();
        SCOPED_TRACE(view->objectName().toStdString());
        ASSERT_EQ(leftGrid->model()->rowCount(), rightGrid->model()->rowCount());
        int oneSided = 0;
        int numbers[2] = {0, 0};
        for (int r = 4; r < leftGrid->model()->rowCount(); ++r) {
            const FacingRows rows = facing(*leftGrid, *rightGrid, r);
            // Each pane's numbers only grow: no line of its report is lost or repeated.
            for (int side = 0; side < 2; ++side) {
                const QString shown =
                    cell(side == 0 ? *leftGrid : *rightGrid, r, 0).mid(1).trimmed();
                if (shown.isEmpty()) continue;
                EXPECT_GT(shown.toInt(), numbers[side]) << r;
                numbers[side] = shown.toInt();
            }
            if (rows.marked && (rows.left.isEmpty() || rows.right.isEmpty())) {
                ++oneSided;
            } else if (rows.marked) {
                // Both halves of a change are of one formula.
                EXPECT_EQ(rows.left.left(5), rows.right.left(5)) << r;
            } else if (!cell(*leftGrid, r, 0).trimmed().isEmpty() &&
                       !cell(*rightGrid, r, 0).trimmed().isEmpty()) {
                EXPECT_EQ(rows.left, rows.right) << r;
            }
        }
        EXPECT_GT(oneSided, 400);
    }
}

// Next and Prev go on from the top row the user sees, also after the user scrolled; the
// right pane's half of each change found is in view beside the left one.
TEST_F(ReportDiffWindowTest, NextAndPrevGoOnFromTheTopRowInView) {
    compareFormulaPair(window, 300);
    std::vector<int> changes;
    for (int r = 1; r < leftGrid->model()->rowCount(); ++r)
        if (facing(*leftGrid, *rightGrid, r).marked) changes.push_back(r);
    ASSERT_GT(changes.size(), 20U);
    for (bool separate : {true, false}) {
        SCOPED_TRACE(separate ? "side by side" : "combined");
        QTableView* grid = separate ? leftGrid : combinedGrid;
        if (!separate) {
            combinedButton->click();
            changes.clear();
            for (int r = 1; r < grid->model()->rowCount(); ++r)
                if (cell(*grid, r, 0).startsWith(kChangeMarker)) changes.push_back(r);
        }
        grid->verticalScrollBar()->setValue(0);
        for (size_t k = 0; k < 3; ++k) nextButton->click();
        EXPECT_EQ(ReportDiffWindow::topRow(*grid), changes[2]);
        if (separate) {
            EXPECT_EQ(ReportDiffWindow::topRow(*rightGrid), changes[2]);
        }
        // Back at the top by the scroll bar: Next finds the first change, not the fourth.
        grid->verticalScrollBar()->setValue(0);
        nextButton->click();
        EXPECT_EQ(ReportDiffWindow::topRow(*grid), changes[0]);
        // Scrolled past ten changes: Prev finds the one just above the top row.
        grid->verticalScrollBar()->setValue(changes[10] + 1);
        previousButton->click();
        EXPECT_EQ(ReportDiffWindow::topRow(*grid), changes[10]);
        // Next from there: the first change below the top row.
        grid->verticalScrollBar()->setValue(changes[10] + 1);
        nextButton->click();
        EXPECT_EQ(ReportDiffWindow::topRow(*grid),
                  *std::upper_bound(changes.begin(), changes.end(), changes[10] + 1));
    }
}

// A line longer than the page goes on under its text: the marker and the numbers stay a
// column of their own in the printout.
TEST_F(ReportDiffWindowTest, APrintedLineWrapsUnderItsText) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    auto write = [&](const char* name, const QString& comments) {
        return writeReport(dir, name, QStringLiteral(" reportComments=\"%1\"").arg(comments));
    };
    const QString words = QStringLiteral("word ").repeated(60);
    window.compare(write("a.xml", words), write("b.xml", QStringLiteral("short")));
    const std::unique_ptr<QTextDocument> document = window.printableText();
    document->setTextWidth(QFontMetricsF(document->defaultFont()).horizontalAdvance(u'x') * 50);
    (void)document->size();  // laid out at that width
    int wrapped = 0;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        if (!block.text().contains(QStringLiteral("word word"))) continue;
        QTextLayout* layout = block.layout();
        ASSERT_GT(layout->lineCount(), 1);
        const qreal textColumn = layout->lineAt(0).cursorToX(11);
        for (int k = 1; k < layout->lineCount(); ++k) {
            EXPECT_NEAR(layout->lineAt(k).x(), textColumn, 1.0) << k;
        }
        ++wrapped;
    }
    EXPECT_EQ(wrapped, 1);
}

// The window's access keys work while the focus is in it, though the main window's buttons use
// the same letters; from the main window, its own buttons take them.
TEST_F(ReportDiffFromUtilities, AccessKeysWorkInTheWindowThatHasTheFocus) {
    compare(sample("list.rpt"), sample("fields.rpt"));
    ReportDiffWindow& diff = window.diffWindow();
    window.activateWindow();
    QApplication::processEvents();
    // As the keyboard delivers it: the shortcuts first, then the key to the focus.
    auto press = [](QWidget* focus, Qt::Key key) {
        focus->setFocus();
        QApplication::processEvents();
        const QString text(QChar(key).toLower());
        if (!qt_sendShortcutOverrideEvent(focus, 0, key, Qt::AltModifier, text)) {
            QKeyEvent event(QEvent::KeyPress, key, Qt::AltModifier, text);
            QApplication::sendEvent(QApplication::focusWidget(), &event);
        }
        // The click is shown before it is made.
        for (int k = 0; k < 40; ++k) {
            QApplication::processEvents();
            QThread::msleep(10);
        }
    };
    auto* combined = named<QTableView>(diff, "grdDiff");
    press(named<QTableView>(diff, "grd1"), Qt::Key_C);
    EXPECT_EQ(QApplication::focusWidget(), named<QPushButton>(diff, "cmdShowChanges"));
    EXPECT_FALSE(diff.results().allLines);
    const int changes = combined->model()->rowCount();
    press(named<QTableView>(diff, "grd1"), Qt::Key_A);
    EXPECT_EQ(QApplication::focusWidget(), named<QPushButton>(diff, "cmdShowAll"));
    EXPECT_TRUE(diff.results().allLines);
    EXPECT_GT(combined->model()->rowCount(), changes);

    // From the report list, the same key is the main window's "Add Reports".
    int asked = 0;
    guiSeams().openFileNames = [&](QWidget*, const QString&, const QString&) {
        ++asked;
        return QStringList();
    };
    press(window.findChild<QListWidget*>(QStringLiteral("RptList")), Qt::Key_A);
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(diff.results().allLines);
}

// The progress of a comparison shows in the difference window's own status bar.
TEST_F(ReportDiffFromUtilities, TheProgressShowsInTheWindowsOwnStatusBar) {
    compare(sample("list.rpt"), sample("fields.rpt"));
    QLabel* status = named<QLabel>(window.diffWindow(), "sbStatus");
    EXPECT_EQ(status->text(), QStringLiteral("Analyzing differences "));
    // A report that cannot be opened: the status still names the one being mined.
    const QString missing = QStringLiteral("/no/such.rpt");
    compare(sample("list.rpt"), missing);
    EXPECT_EQ(status->text(), QStringLiteral("Mining: ") + missing);
    EXPECT_FALSE(window.statusText().startsWith(QStringLiteral("Mining: ")));
}

// A report whose database needs a logon that the user does not give is compared without its SQL
// text, and the window says so, naming the report: two such reports would otherwise show no
// difference in their SQL whatever it holds.
TEST_F(ReportDiffWindowTest, SaysWhichReportsSqlTextIsLeftOut) {
    programOptions().ShowSQL = true;
    QStringList messages;
    guiSeams().message = [&](QWidget*, const QString& text, const QString&, QMessageBox::Icon) {
        messages << text;
    };
    // The user cancels the logon.
    QTimer cancel;
    QObject::connect(&cancel, &QTimer::timeout, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            dialog->reject();
    });
    cancel.start(10);
    window.compare(sample("list.rpt"), sample("fields.rpt"));
    EXPECT_EQ(messages, QStringList{QStringLiteral("The SQL text of Report: %1 is left out: its "
                                                   "database needs a logon, which was not given")
                                        .arg(sample("fields.rpt"))});
}

// A comparison that fails leaves the one before in the window, and the printout is what the
// window shows.
TEST_F(ReportDiffFromUtilities, AFailedComparisonKeepsThePrintoutOfWhatIsShown) {
    compare(sample("list.rpt"), sample("fields.rpt"));
    ReportDiffWindow& diff = window.diffWindow();
    auto shown = [&diff] {
        const QTableView& grid = *named<QTableView>(diff, "grdDiff");
        QStringList rows;
        for (int r = 0; r < grid.model()->rowCount(); ++r) rows << cell(grid, r, 1);
        return rows;
    };
    const QStringList before = shown();
    const QString printed = diff.printableText()->toPlainText();
    ASSERT_GT(before.size(), 10);
    compare(sample("list.rpt"), QStringLiteral("/no/such.rpt"));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(shown(), before);
    EXPECT_EQ(diff.printableText()->toPlainText(), printed);
    EXPECT_GT(printed.count(u'\n'), 10);
}
