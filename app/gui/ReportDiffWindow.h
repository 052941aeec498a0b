#pragma once

#include <QAbstractTableModel>
#include <QFont>
#include <QWidget>
#include <memory>
#include <vector>

#include "ReportDiff.h"

class QLabel;
class QPushButton;
class QSplitter;
class QTableView;
class QTextDocument;

namespace tav::gui {

// The rows of one of the engine's grids as a table of two columns: the marker and numbers, then
// the text in its colour. A view over the engine's rows, which it neither copies nor owns.
class DiffGridModel : public QAbstractTableModel {
public:
    explicit DiffGridModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    // Shows `rows` in place of what was shown; `font` is the view's, struck through where a
    // line is.
    void setRows(const std::vector<utilities::DiffGridRow>* rows, const QFont& font);
    const utilities::DiffGridRow& row(int r) const { return (*rows_)[static_cast<size_t>(r)]; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    const std::vector<utilities::DiffGridRow>* rows_ = nullptr;
    QFont struck_;
};

// The Report Difference window: the two reports' lines side by side or combined in one grid,
// with the coloured combined text that is printed. It owns the engine whose results it shows, so
// that switching between all lines and changes only can run the comparison again.
class ReportDiffWindow : public QWidget {
public:
    explicit ReportDiffWindow(QWidget* parent = nullptr);

    utilities::ReportDiff& engine() { return engine_; }

    // Room for both grids to show a useful width and height of lines.
    QSize sizeHint() const override;

    // Compares two report files and shows the result. A report that cannot be opened fails with
    // a message that names it and says why.
    void compare(const QString& path1, const QString& path2);

    // Shows the engine's last analysis in the grids.
    void ShowDiffResults();

    // The text that is printed: the run header, then the combined coloured text, its long lines
    // wrapped at the page's width.
    std::unique_ptr<QTextDocument> printableText() const;

    // Prints the combined text; see GuiSeams::preparePrinter.
    void printResults();

    // The row at the top of a grid, and the row the change search goes on from.
    static int topRow(const QTableView& grid);
    static int searchRow(const QTableView& grid);
    // The row of the grid's model, as shown.
    static const utilities::DiffGridRow& gridRow(const QTableView& grid, int row);

    QTableView* grd1;
    QTableView* grd2;
    QTableView* grdDiff;
    QLabel* sbStatus;
    QWidget* pbLeft;
    QWidget* pbRight;
    QWidget* pbCombined;
    QSplitter* picSplitter;
    QWidget* buttonBar;
    QPushButton* cmdSeparate;
    QPushButton* cmdCombined;
    QPushButton* cmdShowAll;
    QPushButton* cmdShowChanges;
    QPushButton* cmdNext;
    QPushButton* cmdPrev;
    QPushButton* cmdPrint;

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showSeparate();
    void showCombined();
    // Side by side until a pane would be too narrow to read: then combined.
    void keepPanesReadable();
    void showLines(bool allLines);
    void analyze();
    void goToChange(int step);

    utilities::ReportDiff engine_;
};

}  // namespace tav::gui
