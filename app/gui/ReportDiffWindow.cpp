#include "ReportDiffWindow.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QStyle>
#include <QTableWidget>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

#include "GuiSeams.h"
#include "LogonDialog.h"
#include "ProgramSettings.h"
#include "tvTypes.h"

namespace tav::gui {

using namespace core;
using namespace utilities;

namespace {

// Room beside the widest text, as the grids have always left it; in twips, of which a screen of
// 96 dots per inch shows 15 to a pixel.
constexpr int kTextMargin = 1500 / tvTwipsPerPixel;
constexpr int kMinimumPaneWidth = 1500 / tvTwipsPerPixel;

QFont diffFont() {
    QFont font(QStringLiteral("Courier New"));
    font.setPointSizeF(8.25);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

// The engine's colours hold red in the low byte.
QColor colorOf(qint32 value) {
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

QTableWidget* newGrid(const QString& name, QWidget* pane) {
    auto* grid = new QTableWidget(0, 2, pane);
    grid->setObjectName(name);
    grid->setFont(diffFont());
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setShowGrid(false);
    grid->setWordWrap(false);
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(QFontMetrics(grid->font()).height() + 2);
    grid->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    // The change marker is itself an ellipsis: a cut cell would look like a change.
    grid->setTextElideMode(Qt::ElideNone);
    auto* layout = new QVBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(grid);
    return grid;
}

void fillGrid(QTableWidget& grid, const std::vector<DiffGridRow>& rows) {
    grid.setRowCount(0);
    grid.setRowCount(static_cast<int>(rows.size()));
    QFont struck = grid.font();
    struck.setStrikeOut(true);
    const QFontMetrics metrics(grid.font());
    int widestNumbers = metrics.horizontalAdvance(kChangeMarker);
    int widest = 0;
    for (int r = 0; r < grid.rowCount(); ++r) {
        const DiffGridRow& row = rows[static_cast<size_t>(r)];
        // The look of a line is its text's: the marker and numbers stay plain to be read.
        grid.setItem(r, 0, new QTableWidgetItem(row.firstCell));
        auto* item = new QTableWidgetItem(row.secondCell);
        item->setForeground(colorOf(row.color));
        if (row.struck) item->setFont(struck);
        grid.setItem(r, 1, item);
        widestNumbers = std::max(widestNumbers, metrics.horizontalAdvance(row.firstCell));
        widest = std::max(widest, metrics.horizontalAdvance(row.secondCell) + kTextMargin);
    }
    // The marker and numbers are read whole, with the room a cell leaves around its text.
    const int cellMargin =
        2 * (grid.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &grid) + 1) + 1;
    const int numbersWidth = widestNumbers + cellMargin;
    grid.setColumnWidth(0, numbersWidth);
    // The text column fills the pane, or is as wide as its widest text to scroll over.
    grid.setColumnWidth(1, std::max(widest, grid.viewport()->width() - numbersWidth));
}

bool isChange(const QTableWidget& grid, int row) {
    const QTableWidgetItem* item = grid.item(row, 0);
    return item && item->text().startsWith(kChangeMarker);
}

// The first row from `from` on in the direction of `step` that starts a change, or -1.
int findChange(const QTableWidget& grid, int from, int step) {
    for (int r = from; r >= 0 && r < grid.rowCount(); r += step)
        if (isChange(grid, r)) return r;
    return -1;
}

}  // namespace

ReportDiffWindow::ReportDiffWindow(QWidget* parent)
    : QWidget(parent), engine_(programOptions(), LogonDialog::present) {
    setObjectName(QStringLiteral("tvuRptDiff"));
    setWindowTitle(QStringLiteral("Report Diff"));
    auto button = [this](const char* name, const char* text) {
        auto* b = new QPushButton(QString::fromLatin1(text), this);
        b->setObjectName(QLatin1String(name));
        return b;
    };
    cmdSeparate = button("cmdSeparate", "Separate");
    cmdCombined = button("cmdCombined", "Combined");
    cmdShowAll = button("cmdShowAll", "Show &All Lines");
    cmdShowChanges = button("cmdShowChanges", "Show &Changes");
    cmdPrev = button("cmdPrev", "<");
    cmdNext = button("cmdNext", ">");
    cmdPrint = button("cmdPrint", "&Print Results");

    picSplitter = new QSplitter(Qt::Horizontal, this);
    picSplitter->setObjectName(QStringLiteral("picSplitter"));
    picSplitter->setChildrenCollapsible(false);
    pbLeft = new QWidget(picSplitter);
    pbLeft->setObjectName(QStringLiteral("pbLeft"));
    pbRight = new QWidget(picSplitter);
    pbRight->setObjectName(QStringLiteral("pbRight"));
    // The splitter keeps both panes wide enough to read.
    pbLeft->setMinimumWidth(kMinimumPaneWidth);
    pbRight->setMinimumWidth(kMinimumPaneWidth);
    grd1 = newGrid(QStringLiteral("grd1"), pbLeft);
    grd2 = newGrid(QStringLiteral("grd2"), pbRight);

    pbCombined = new QWidget(this);
    pbCombined->setObjectName(QStringLiteral("pbCombined"));
    grdDiff = newGrid(QStringLiteral("grdDiff"), pbCombined);
    rtbRptDiff = new QTextEdit(pbCombined);
    rtbRptDiff->setObjectName(QStringLiteral("rtbRptDiff"));
    rtbRptDiff->setReadOnly(true);
    rtbRptDiff->setLineWrapMode(QTextEdit::NoWrap);
    rtbRptDiff->setFont(diffFont());
    pbCombined->layout()->addWidget(rtbRptDiff);

    sbStatus = new QLabel(this);
    sbStatus->setObjectName(QStringLiteral("sbStatus"));
    // A long report path in the status must not widen the window, nor the window holding it.
    sbStatus->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b :
         {cmdSeparate, cmdCombined, cmdShowAll, cmdShowChanges, cmdPrev, cmdNext, cmdPrint})
        buttons->addWidget(b);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(picSplitter, 1);
    layout->addWidget(pbCombined, 1);
    layout->addWidget(sbStatus);

    // The two panes scroll together, row for row.
    for (auto [from, to] : {std::pair{grd1, grd2}, std::pair{grd2, grd1}}) {
        connect(from->verticalScrollBar(), &QScrollBar::valueChanged, to->verticalScrollBar(),
                &QScrollBar::setValue);
        connect(from->horizontalScrollBar(), &QScrollBar::valueChanged, to->horizontalScrollBar(),
                &QScrollBar::setValue);
    }
    connect(cmdSeparate, &QPushButton::clicked, this, [this] { showSeparate(); });
    connect(cmdCombined, &QPushButton::clicked, this, [this] { showCombined(); });
    connect(cmdShowAll, &QPushButton::clicked, this, [this] { showLines(true); });
    connect(cmdShowChanges, &QPushButton::clicked, this, [this] { showLines(false); });
    connect(cmdNext, &QPushButton::clicked, this, [this] { goToChange(1); });
    connect(cmdPrev, &QPushButton::clicked, this, [this] { goToChange(-1); });
    connect(cmdPrint, &QPushButton::clicked, this, [this] { printResults(); });
    resize(sizeHint());
    showSeparate();
}

QSize ReportDiffWindow::sizeHint() const {
    // Two panes of some sixty characters beside each other and some thirty rows, as measured
    // in the grids' own font.
    const QFontMetrics metrics(grd1->font());
    const QSize grids(metrics.horizontalAdvance(QString(124, u'0')),
                      grd1->verticalHeader()->defaultSectionSize() * 30);
    return QWidget::sizeHint().expandedTo(grids + QSize(0, cmdNext->sizeHint().height() * 2));
}

void ReportDiffWindow::compare(const QString& path1, const QString& path2) {
    // What the status said of the comparison before is no news of this one.
    sbStatus->clear();
    engine_.clearText();
    engine_.setOptions(programOptions());
    engine_.OpenDiffReports(path1, path2);
    engine_.AnalyzeDifferences();
    ShowDiffResults();
}

void ReportDiffWindow::ShowDiffResults() {
    fillGrid(*grd1, engine_.grd1);
    fillGrid(*grd2, engine_.grd2);
    fillGrid(*grdDiff, engine_.grdDiff);
    rtbRptDiff->clear();
    QTextCursor cursor(rtbRptDiff->document());
    for (const DiffTextPiece& piece : engine_.rtbRptDiff) {
        QTextCharFormat format;
        format.setForeground(colorOf(piece.color));
        format.setFontStrikeOut(piece.struck);
        cursor.insertText(piece.text, format);
    }
    rtbRptDiff->moveCursor(QTextCursor::Start);
    for (QTableWidget* grid : {grd1, grd2, grdDiff}) grid->scrollToTop();
}

void ReportDiffWindow::showSeparate() {
    cmdCombined->setEnabled(true);
    cmdSeparate->setEnabled(false);
    pbCombined->hide();
    picSplitter->show();
    const int half = std::max(1, picSplitter->width() / 2);
    picSplitter->setSizes({half, half});
    for (QTableWidget* grid : {grd1, grd2}) grid->scrollToTop();
}

void ReportDiffWindow::showCombined() {
    cmdCombined->setEnabled(false);
    cmdSeparate->setEnabled(true);
    picSplitter->hide();
    pbCombined->show();
    grdDiff->scrollToTop();
}

void ReportDiffWindow::showLines(bool allLines) {
    // Without two reports loaded there is nothing to compare again.
    if (!engine_.LeftReport || !engine_.RightReport) return;
    engine_.ShowAllLines = allLines;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    struct Restore {
        ~Restore() { QApplication::restoreOverrideCursor(); }
    } restore;
    engine_.clearText();
    engine_.AnalyzeDifferences();
    ShowDiffResults();
}

int ReportDiffWindow::topRow(const QTableWidget& grid) { return std::max(0, grid.rowAt(0)); }

int ReportDiffWindow::searchRow(const QTableWidget& grid) {
    // A change near the end cannot be scrolled to the top, so the search goes on from the change
    // it last found rather than from the top row, which would find that change again.
    return grid.currentRow() >= 0 ? grid.currentRow() : topRow(grid);
}

void ReportDiffWindow::goToChange(int step) {
    const bool separate = cmdCombined->isEnabled();
    const std::vector<QTableWidget*> grids =
        separate ? std::vector{grd1, grd2} : std::vector{grdDiff};
    // Side by side, a change of the second report alone is marked in the right pane only, so
    // both panes are searched and the nearer change wins.
    int from = -1;
    for (QTableWidget* grid : grids) from = std::max(from, searchRow(*grid));
    int hit = -1;
    for (QTableWidget* grid : grids) {
        const int row = findChange(*grid, from + step, step);
        if (row >= 0 && (hit < 0 || (row - hit) * step < 0)) hit = row;
    }
    if (hit < 0) return;
    for (QTableWidget* grid : grids) {
        if (hit >= grid->rowCount()) continue;
        grid->setCurrentCell(hit, 0);
        grid->scrollToItem(grid->item(hit, 0), QAbstractItemView::PositionAtTop);
    }
}

void ReportDiffWindow::printResults() {
    QPrinter printer;
    if (!guiSeams().preparePrinter || !guiSeams().preparePrinter(this, printer)) return;
    rtbRptDiff->document()->print(&printer);
    if (printer.outputFormat() == QPrinter::PdfFormat)
        sbStatus->setText(QStringLiteral("Printed to ") + printer.outputFileName());
}

}  // namespace tav::gui
