#include "ResultGridWindow.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "WindowFit.h"
#include "tvTypes.h"

namespace tav::gui {

using namespace utilities;

ResultGridWindow::ResultGridWindow(Kind kind, QWidget* parent)
    : QWidget(parent), grid_(new QTableWidget(this)) {
    const bool crossReference = kind == CrossReference;
    const QString title =
        crossReference ? QStringLiteral("Cross Reference") : QStringLiteral("Site Survey");
    setObjectName(crossReference ? QStringLiteral("TVUXRef") : QStringLiteral("TVUSurvey"));
    setWindowTitle(title);
    grid_->setObjectName(crossReference ? QStringLiteral("grdXRef") : QStringLiteral("grdSurvey"));
    grid_->setAccessibleName(title + QStringLiteral(" results"));
    // Tab and Shift+Tab go on to the program's other controls, as from any control; the arrow
    // keys move between the cells.
    grid_->setTabKeyNavigation(false);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->verticalHeader()->hide();
    grid_->setWordWrap(false);
    // The window opens as wide as the grid's columns where there is room.
    grid_->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    // The grid keeps the layout's size, never a negative one, however small the window.
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_);
    connect(grid_, &QTableWidget::cellDoubleClicked, this,
            [this](int, int column) { sortByColumn(column); });
    connect(grid_->horizontalHeader(), &QHeaderView::sectionDoubleClicked, this,
            [this](int column) { sortByColumn(column); });
}

void ResultGridWindow::setResult(const ResultGrid& result) {
    shownOfRun_ = -1;
    result_ = result;
    showColumns();
    showRows(0);
    fitColumns(0);
    fitWindowToContents(this);
}

void ResultGridWindow::showProgress(const ResultGrid& sofar) {
    const bool first = shownOfRun_ < 0;
    if (first) {
        result_ = ResultGrid(sofar.columns());
        shownOfRun_ = 0;
        showColumns();
        grid_->setRowCount(0);
    }
    for (; shownOfRun_ < sofar.rows().size(); ++shownOfRun_)
        result_.AddItem(sofar.rows().at(shownOfRun_));
    const int from = grid_->rowCount();
    showRows(from);
    fitColumns(from);
    if (first) fitWindowToContents(this);
    QCoreApplication::processEvents();
}

void ResultGridWindow::showColumns() {
    grid_->setColumnCount(static_cast<int>(result_.columns().size()));
    grid_->setHorizontalHeaderLabels(result_.captions());
}

void ResultGridWindow::fitColumns(int fromRow) {
    // Each column keeps its designed width, widened where its caption or a value needs more,
    // so that no text is cut short. Only the rows from `fromRow` on are measured, the widths
    // of the rows above standing: while a run shows its rows, each report costs the same however
    // many rows came before it, and a column only grows.
    const auto columns = result_.columns();
    const QHeaderView* header = grid_->horizontalHeader();
    // What the grid's own fit to contents adds to a cell: the grid line.
    const int gridLine = grid_->showGrid() ? 1 : 0;
    const QAbstractItemModel* model = grid_->model();
    for (int c = 0; c < grid_->columnCount(); ++c) {
        int width = fromRow > 0 ? grid_->columnWidth(c)
                                : std::max(columns[static_cast<size_t>(c)].width / tvTwipsPerPixel,
                                           header->sectionSizeHint(c));
        for (int r = fromRow; r < grid_->rowCount(); ++r)
            width = std::max(width, grid_->sizeHintForIndex(model->index(r, c)).width() + gridLine);
        if (width != grid_->columnWidth(c)) grid_->setColumnWidth(c, width);
    }
}

// Shows the rows of the result from `from` on.
void ResultGridWindow::showRows(int from) {
    const auto columns = result_.columns();
    grid_->setRowCount(static_cast<int>(result_.rows().size()));
    for (int r = from; r < grid_->rowCount(); ++r) {
        const QStringList& cells = result_.rows().at(r);
        for (int c = 0; c < grid_->columnCount(); ++c) {
            auto* item = new QTableWidgetItem(cells.at(c));
            item->setTextAlignment(columns[static_cast<size_t>(c)].alignment);
            grid_->setItem(r, c, item);
        }
    }
}

void ResultGridWindow::sortByColumn(int column) {
    result_.Sort(column);
    showRows(0);
}

void ResultGridWindow::copyWholeGrid() {
    grid_->selectAll();
    grid_->scrollToTop();
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(result_.Clip());
}

}  // namespace tav::gui
