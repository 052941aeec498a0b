#include "ReportDiffWindow.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QStyle>
#include <QTableView>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <vector>

#include "ExtractDriver.h"
#include "GuiSeams.h"
#include "LogonDialog.h"
#include "ProgramSettings.h"
#include "RunReporter.h"
#include "tvTypes.h"

namespace tav::gui {

using namespace core;
using namespace utilities;

namespace {

// The marker and the two line numbers that stand before each line of the combined text.
constexpr int kNumbersColumn = 11;
// Room beside the widest text, as the grids have always left it; in twips, of which a screen of
// 96 dots per inch shows 15 to a pixel.
constexpr int kTextMargin = 1500 / tvTwipsPerPixel;
// Side by side, a pane narrower than this is no use: the window shows the combined grid instead.
constexpr int kMinimumPaneWidth = 1500 / tvTwipsPerPixel;
// One step of the horizontal scroll bar moves the text by 100 twips.
constexpr int kHorizontalStep = 100 / tvTwipsPerPixel;

QFont diffFont() {
    QFont font(QStringLiteral("Courier New"));
    font.setPointSizeF(8.25);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

// The results' colours hold red in the low byte.
QColor colorOf(qint32 value) {
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

QTableView* newGrid(const QString& name, const QString& accessibleName, QWidget* pane) {
    auto* grid = new QTableView(pane);
    grid->setObjectName(name);
    grid->setAccessibleName(accessibleName);
    // Tab and Shift+Tab go on to the window's other controls; the arrow keys move between rows.
    grid->setTabKeyNavigation(false);
    grid->setFont(diffFont());
    grid->setModel(new DiffRowsModel(grid));
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setShowGrid(false);
    grid->setWordWrap(false);
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->hide();
    // Every row is one line high: the view never measures rows one by one.
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(QFontMetrics(grid->font()).height() + 2);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    // The text is one wide column: it scrolls by a few characters at a time, so that text cut
    // at the pane's edge can be brought into view.
    grid->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    grid->horizontalScrollBar()->setSingleStep(kHorizontalStep);
    // The change marker is itself an ellipsis: a cut cell would look like a change.
    grid->setTextElideMode(Qt::ElideNone);
    auto* layout = new QVBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(grid);
    return grid;
}

DiffRowsModel& modelOf(const QTableView& grid) {
    return *static_cast<DiffRowsModel*>(grid.model());
}

// The room the numbers and the text of a grid's rows take, margins included.
struct GridWidths {
    int numbers = 0;
    int text = 0;
};

// Widths of texts in one font, summed from the widths of their characters, each measured once:
// a grid of many thousand rows is measured in the time it takes to read its text.
class TextWidths {
public:
    explicit TextWidths(const QFont& font) : metrics_(font) {}

    int of(const QString& text) {
        qreal width = 0;
        for (const QChar c : text) width += of(c);
        return static_cast<int>(std::ceil(width));
    }

private:
    qreal of(QChar c) {
        auto known = widths_.constFind(c.unicode());
        if (known == widths_.constEnd())
            known = widths_.insert(c.unicode(), metrics_.horizontalAdvance(c));
        return known.value();
    }

    QFontMetricsF metrics_;
    QHash<char16_t, qreal> widths_;
};

GridWidths measure(const QTableView& grid, const std::vector<DiffRow>& rows) {
    TextWidths widths(grid.font());
    int numbers = widths.of(QString(kChangeMarker));
    int text = 0;
    for (const DiffRow& row : rows) {
        numbers = std::max(numbers, widths.of(row.numbers));
        text = std::max(text, widths.of(row.text));
    }
    // The marker and numbers are read whole, with the room a cell leaves around its text.
    const int cellMargin =
        2 * (grid.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &grid) + 1) + 1;
    return {numbers + cellMargin, text + kTextMargin};
}

// The widths that the last results need, held by each grid.
constexpr const char* kNumbersWidth = "numbersWidth";
constexpr const char* kTextEnd = "textEnd";

// The numbers are as wide as they need; the text column fills the pane, or reaches as far as
// the widest text to be scrolled over.
void fitColumns(QTableView& grid) {
    const int numbers = grid.property(kNumbersWidth).toInt();
    grid.setColumnWidth(0, numbers);
    grid.setColumnWidth(
        1, std::max(grid.property(kTextEnd).toInt(), grid.viewport()->width()) - numbers);
}

// While it lives, the progress of the comparison shows in this window's own status bar, not in
// the main window's; its messages go where the comparison's went.
class StatusHere final : public core::RunReporter {
public:
    StatusHere(utilities::ReportDiff& comparison, QLabel& status)
        : comparison_(comparison), previous_(comparison.reporter()), status_(status) {
        comparison_.setReporter(*this);
    }
    ~StatusHere() override { comparison_.setReporter(previous_); }
    StatusHere(const StatusHere&) = delete;
    StatusHere& operator=(const StatusHere&) = delete;

    void status(const QString& text) override {
        status_.setText(text);
        status_.repaint();
    }
    void workStatus(bool show, const QString& text) override { previous_.workStatus(show, text); }

protected:
    void showMessage(const QString& text, const QString& title) override {
        previous_.message(text, title);
    }

private:
    utilities::ReportDiff& comparison_;
    core::RunReporter& previous_;
    QLabel& status_;
};

bool isChange(const QTableView& grid, int row) {
    return modelOf(grid).row(row).numbers.startsWith(kChangeMarker);
}

// The first row from `from` on in the direction of `step` that starts a change, or -1.
int findChange(const QTableView& grid, int from, int step) {
    const int rows = grid.model()->rowCount();
    for (int r = from; r >= 0 && r < rows; r += step)
        if (isChange(grid, r)) return r;
    return -1;
}

// Lays its widgets out in a row, going on in a new row where the width ends, so that a narrow
// window still shows every button.
class FlowLayout : public QLayout {
public:
    explicit FlowLayout(QWidget* parent) : QLayout(parent) { setContentsMargins(0, 0, 0, 0); }
    ~FlowLayout() override {
        while (QLayoutItem* item = takeAt(0)) delete item;
    }

    void addItem(QLayoutItem* item) override { items_.append(item); }
    int count() const override { return static_cast<int>(items_.size()); }
    QLayoutItem* itemAt(int index) const override { return items_.value(index); }
    QLayoutItem* takeAt(int index) override {
        return index >= 0 && index < items_.size() ? items_.takeAt(index) : nullptr;
    }
    Qt::Orientations expandingDirections() const override { return {}; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override { return place(QRect(0, 0, width, 0), false); }
    void setGeometry(const QRect& rect) override {
        QLayout::setGeometry(rect);
        place(rect, true);
    }
    // All in one row.
    QSize sizeHint() const override {
        QSize size;
        for (QLayoutItem* item : items_) {
            const QSize hint = item->sizeHint();
            size =
                QSize(size.width() + hint.width() + gap(), std::max(size.height(), hint.height()));
        }
        return size;
    }
    // One above the other.
    QSize minimumSize() const override {
        QSize size;
        for (QLayoutItem* item : items_) size = size.expandedTo(item->minimumSize());
        return size;
    }

private:
    int gap() const { return std::max(0, spacing()); }
    // Places the items in rows within `rect`; returns the height they take.
    int place(const QRect& rect, bool move) const {
        int x = rect.x();
        int y = rect.y();
        int rowHeight = 0;
        for (QLayoutItem* item : items_) {
            const QSize hint = item->sizeHint();
            if (x > rect.x() && x + hint.width() > rect.right() + 1) {
                x = rect.x();
                y += rowHeight + gap();
                rowHeight = 0;
            }
            if (move) item->setGeometry(QRect(QPoint(x, y), hint));
            x += hint.width() + gap();
            rowHeight = std::max(rowHeight, hint.height());
        }
        return y + rowHeight - rect.y();
    }

    QList<QLayoutItem*> items_;
};

}  // namespace

void DiffRowsModel::setRows(const std::vector<DiffRow>* rows, const QFont& font) {
    beginResetModel();
    rows_ = rows;
    struck_ = font;
    struck_.setStrikeOut(true);
    endResetModel();
}

int DiffRowsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !rows_ ? 0 : static_cast<int>(rows_->size());
}

int DiffRowsModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 2; }

QVariant DiffRowsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !rows_ || index.row() >= rowCount()) return {};
    const DiffRow& r = row(index.row());
    const bool text = index.column() == 1;
    switch (role) {
        case Qt::DisplayRole:
            return text ? r.text : r.numbers;
        // The look of a line is its text's: the marker and numbers stay plain to be read.
        case Qt::ForegroundRole:
            return text ? QVariant(colorOf(r.color)) : QVariant();
        case Qt::FontRole:
            return text && r.struck ? QVariant(struck_) : QVariant();
        default:
            return {};
    }
}

ReportDiffWindow::ReportDiffWindow(QWidget* parent)
    : QWidget(parent), comparison_(programOptions(), LogonDialog::present) {
    setObjectName(QStringLiteral("tvuRptDiff"));
    setWindowTitle(QStringLiteral("Report Diff"));
    // A narrow window keeps every button in view: the row goes on in a second row.
    buttonBar_ = new QWidget(this);
    buttonBar_->setObjectName(QStringLiteral("buttonBar"));
    auto* buttons = new FlowLayout(buttonBar_);
    auto button = [this, buttons](const char* name, const char* text) {
        auto* b = new QPushButton(QString::fromLatin1(text), buttonBar_);
        b->setObjectName(QLatin1String(name));
        // Its access key works from inside this window only; see event().
        b->setShortcut(QKeySequence());
        buttons->addWidget(b);
        return b;
    };
    separateButton_ = button("cmdSeparate", "Separate");
    combinedButton_ = button("cmdCombined", "Combined");
    showAllButton_ = button("cmdShowAll", "Show &All Lines");
    showChangesButton_ = button("cmdShowChanges", "Show &Changes");
    previousButton_ = button("cmdPrev", "<");
    nextButton_ = button("cmdNext", ">");
    printButton_ = button("cmdPrint", "&Print Results");

    splitter_ = new QSplitter(Qt::Horizontal, this);
    splitter_->setObjectName(QStringLiteral("picSplitter"));
    splitter_->setChildrenCollapsible(false);
    leftPane_ = new QWidget(splitter_);
    leftPane_->setObjectName(QStringLiteral("pbLeft"));
    rightPane_ = new QWidget(splitter_);
    rightPane_->setObjectName(QStringLiteral("pbRight"));
    leftGrid_ = newGrid(QStringLiteral("grd1"), QStringLiteral("First report"), leftPane_);
    rightGrid_ = newGrid(QStringLiteral("grd2"), QStringLiteral("Second report"), rightPane_);

    combinedPane_ = new QWidget(this);
    combinedPane_->setObjectName(QStringLiteral("pbCombined"));
    combinedGrid_ =
        newGrid(QStringLiteral("grdDiff"), QStringLiteral("Differences"), combinedPane_);
    for (QTableView* grid : {leftGrid_, rightGrid_, combinedGrid_}) grid->installEventFilter(this);

    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("sbStatus"));
    // A long report path in the status must not widen the window, nor the window holding it.
    status_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buttonBar_);
    layout->addWidget(splitter_, 1);
    layout->addWidget(combinedPane_, 1);
    layout->addWidget(status_);

    // The two panes scroll together, row for row.
    for (auto [from, to] : {std::pair{leftGrid_, rightGrid_}, std::pair{rightGrid_, leftGrid_}}) {
        connect(from->verticalScrollBar(), &QScrollBar::valueChanged, to->verticalScrollBar(),
                &QScrollBar::setValue);
        connect(from->horizontalScrollBar(), &QScrollBar::valueChanged, to->horizontalScrollBar(),
                &QScrollBar::setValue);
    }
    connect(splitter_, &QSplitter::splitterMoved, this, [this] { keepPanesReadable(); });
    connect(separateButton_, &QPushButton::clicked, this, [this] { showSeparate(); });
    connect(combinedButton_, &QPushButton::clicked, this, [this] { showCombined(); });
    connect(showAllButton_, &QPushButton::clicked, this, [this] { showLines(true); });
    connect(showChangesButton_, &QPushButton::clicked, this, [this] { showLines(false); });
    connect(nextButton_, &QPushButton::clicked, this, [this] { goToChange(1); });
    connect(previousButton_, &QPushButton::clicked, this, [this] { goToChange(-1); });
    connect(printButton_, &QPushButton::clicked, this, [this] { printResults(); });
    resize(sizeHint());
    showSeparate();
}

QSize ReportDiffWindow::sizeHint() const {
    // Two panes of some sixty characters beside each other and some thirty rows, as measured
    // in the grids' own font, below the whole row of buttons.
    const QFontMetrics metrics(leftGrid_->font());
    const QSize grids(metrics.horizontalAdvance(QString(124, u'0')),
                      leftGrid_->verticalHeader()->defaultSectionSize() * 30);
    return QWidget::sizeHint().expandedTo(grids + QSize(0, buttonBar_->sizeHint().height() * 2));
}

bool ReportDiffWindow::compare(const QString& path1, const QString& path2, QString* error) {
    // What the status said of the comparison before is no news of this one.
    status_->clear();
    const StatusHere status(comparison_, *status_);
    comparison_.setOptions(programOptions());
    QString reason;
    if (!comparison_.open(path1, path2, &reason)) {
        // The user is told which of the two could not be opened, and why.
        if (error) {
            *error = extract::reportFailureText(QStringLiteral("Unable to open Report: "),
                                                comparison_.currentReportName(), reason);
        }
        return false;
    }
    allLines_ = true;
    if (!showDifferences(error)) return false;
    // Two SQL texts left out read alike: the user must not take that for no difference.
    for (const QString& report : comparison_.sqlLeftOut()) {
        guiSeams().message(this,
                           QStringLiteral("The SQL text of Report: %1 is left out: its database "
                                          "needs a logon, which was not given")
                               .arg(report),
                           QString(), QMessageBox::Information);
    }
    return true;
}

bool ReportDiffWindow::showDifferences(QString* error) {
    const StatusHere status(comparison_, *status_);
    // The grids let go of the rows the comparison replaces: a message box shown during it lets
    // them paint.
    for (QTableView* grid : {leftGrid_, rightGrid_, combinedGrid_})
        modelOf(*grid).setRows(nullptr, grid->font());
    // What is printed is what the grids show: nothing of a comparison that did not end.
    const bool compared = comparison_.compare(allLines_, results_, error);
    fillGrids();
    return compared;
}

void ReportDiffWindow::fillGrids() {
    const std::pair<QTableView*, const std::vector<DiffRow>*> grids[] = {
        {leftGrid_, &results_.leftRows},
        {rightGrid_, &results_.rightRows},
        {combinedGrid_, &results_.combinedRows}};
    GridWidths widths[3];
    for (size_t g = 0; g < 3; ++g) {
        auto [grid, rows] = grids[g];
        modelOf(*grid).setRows(rows, grid->font());
        widths[g] = measure(*grid, *rows);
    }
    // Side by side both panes reach as far as the wider of the two, so that they scroll alike.
    const int sideBySide =
        std::max(widths[0].numbers + widths[0].text, widths[1].numbers + widths[1].text);
    for (size_t g = 0; g < 3; ++g) {
        QTableView* grid = grids[g].first;
        grid->setProperty(kNumbersWidth, widths[g].numbers);
        grid->setProperty(kTextEnd, g < 2 ? sideBySide : widths[g].numbers + widths[g].text);
        fitColumns(*grid);
        grid->scrollToTop();
        grid->horizontalScrollBar()->setValue(0);
    }
}

bool ReportDiffWindow::event(QEvent* event) {
    // Inside the main window's work area the main window's buttons use the same access keys, and
    // a key that two buttons share only moves the focus between them: while the focus is in this
    // window, its own buttons take their keys.
    if (event->type() != QEvent::ShortcutOverride) return QWidget::event(event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() != Qt::AltModifier) return QWidget::event(event);
    const QKeySequence pressed(key->keyCombination());
    for (QPushButton* button : buttonBar_->findChildren<QPushButton*>()) {
        if (!button->isEnabled() || !button->isVisible() ||
            QKeySequence::mnemonic(button->text()) != pressed)
            continue;
        event->accept();
        button->setFocus(Qt::ShortcutFocusReason);
        button->animateClick();
        return true;
    }
    return QWidget::event(event);
}

bool ReportDiffWindow::eventFilter(QObject* watched, QEvent* event) {
    // A wider pane is filled by the text column.
    if (event->type() == QEvent::Resize) {
        for (QTableView* grid : {leftGrid_, rightGrid_, combinedGrid_})
            if (watched == grid) fitColumns(*grid);
    }
    return QWidget::eventFilter(watched, event);
}

std::unique_ptr<QTextDocument> ReportDiffWindow::printableText() const {
    auto document = std::make_unique<QTextDocument>();
    document->setDefaultFont(diffFont());
    // A line longer than the page goes on in the next line: no text is lost at the margin.
    QTextOption option = document->defaultTextOption();
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    document->setDefaultTextOption(option);
    QTextCursor cursor(document.get());
    QTextCharFormat plain;
    plain.setForeground(Qt::black);
    // The run header, as the combined grid shows it above the lines.
    for (const QString& line : results_.runHeader) cursor.insertText(line + u'\n', plain);
    // A wrapped line goes on under the text, not under the marker and numbers, which stay a
    // column of their own.
    QTextBlockFormat hanging;
    const qreal numbers =
        QFontMetricsF(diffFont()).horizontalAdvance(QString(kNumbersColumn, u' '));
    hanging.setLeftMargin(numbers);
    hanging.setTextIndent(-numbers);
    cursor.setBlockFormat(hanging);
    for (const DiffTextPiece& piece : results_.textPieces) {
        QTextCharFormat format;
        format.setForeground(colorOf(piece.color));
        format.setFontStrikeOut(piece.struck);
        cursor.insertText(piece.text, format);
    }
    return document;
}

void ReportDiffWindow::printResults() {
    QPrinter printer;
    if (!guiSeams().preparePrinter || !guiSeams().preparePrinter(this, printer)) return;
    printableText()->print(&printer);
    if (printer.outputFormat() == QPrinter::PdfFormat)
        status_->setText(QStringLiteral("Printed to ") + printer.outputFileName());
}

void ReportDiffWindow::showSeparate() {
    combinedButton_->setEnabled(true);
    separateButton_->setEnabled(false);
    combinedPane_->hide();
    splitter_->show();
    const int half = std::max(1, splitter_->width() / 2);
    splitter_->setSizes({half, half});
    for (QTableView* grid : {leftGrid_, rightGrid_}) grid->scrollToTop();
    keepPanesReadable();
}

void ReportDiffWindow::showCombined() {
    combinedButton_->setEnabled(false);
    separateButton_->setEnabled(true);
    splitter_->hide();
    combinedPane_->show();
    combinedGrid_->scrollToTop();
}

void ReportDiffWindow::keepPanesReadable() {
    if (splitter_->isHidden() || !isVisible()) return;
    const QList<int> sizes = splitter_->sizes();
    if (std::any_of(sizes.begin(), sizes.end(), [](int w) { return w < kMinimumPaneWidth; }))
        showCombined();
}

void ReportDiffWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (layout()) layout()->activate();
    keepPanesReadable();
}

void ReportDiffWindow::showLines(bool allLines) {
    // Without two reports loaded there is nothing to compare again.
    if (!comparison_.hasReports()) return;
    allLines_ = allLines;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    struct Restore {
        ~Restore() { QApplication::restoreOverrideCursor(); }
    } restore;
    QString error;
    if (!showDifferences(&error)) guiSeams().message(this, error, QString(), QMessageBox::NoIcon);
}

int ReportDiffWindow::topRow(const QTableView& grid) { return std::max(0, grid.rowAt(0)); }

int ReportDiffWindow::searchRow(const QTableView& grid) {
    // The search goes on from what the user sees: the top row. Only where the grid cannot scroll
    // further, so that a change found near the end could not come to the top, does it go on from
    // that change while it is still in view; else Next would find it again and again.
    const int top = topRow(grid);
    const QModelIndex current = grid.currentIndex();
    const QScrollBar* bar = grid.verticalScrollBar();
    if (!current.isValid() || current.row() <= top || bar->value() < bar->maximum()) return top;
    const int bottom = grid.rowAt(grid.viewport()->height() - 1);
    return bottom < 0 || current.row() <= bottom ? current.row() : top;
}

void ReportDiffWindow::goToChange(int step) {
    const bool separate = combinedButton_->isEnabled();
    const std::vector<QTableView*> grids =
        separate ? std::vector{leftGrid_, rightGrid_} : std::vector{combinedGrid_};
    // Side by side, a change of the second report alone is marked in the right pane only, so
    // both panes are searched and the nearer change wins. The panes face each other row for row
    // and scroll together: the left one says where the user is.
    const int from = searchRow(*grids.front());
    int hit = -1;
    for (QTableView* grid : grids) {
        const int row = findChange(*grid, from + step, step);
        if (row >= 0 && (hit < 0 || (row - hit) * step < 0)) hit = row;
    }
    if (hit < 0) return;
    for (QTableView* grid : grids) {
        if (hit >= grid->model()->rowCount()) continue;
        const QModelIndex index = grid->model()->index(hit, 0);
        grid->setCurrentIndex(index);
        grid->scrollTo(index, QAbstractItemView::PositionAtTop);
    }
}

}  // namespace tav::gui
