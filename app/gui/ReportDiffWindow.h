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

// The rows of one of the results' views as a table of two columns: the marker and numbers, then
// the text in its colour. A view over rows held by the window, which it neither copies nor owns.
class DiffRowsModel : public QAbstractTableModel {
public:
    explicit DiffRowsModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    // Shows `rows` in place of what was shown; `font` is the view's, struck through where a
    // line is.
    void setRows(const std::vector<utilities::DiffRow>* rows, const QFont& font);
    const utilities::DiffRow& row(int r) const { return (*rows_)[static_cast<size_t>(r)]; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    const std::vector<utilities::DiffRow>* rows_ = nullptr;
    QFont struck_;
};

// The Report Difference window: the two reports' lines side by side or combined in one grid,
// with the coloured combined text that is printed. It owns the comparison whose results it
// shows, so that switching between all lines and changes only can run the comparison again, and
// it owns the grids it fills from the results.
class ReportDiffWindow : public QWidget {
public:
    explicit ReportDiffWindow(QWidget* parent = nullptr);

    // Room for both grids to show a useful width and height of lines.
    QSize sizeHint() const override;

    // Compares two report files and shows the result. False when it could not: `error` then
    // names the report that cannot be opened and says why, or says why the comparison failed.
    bool compare(const QString& path1, const QString& path2, QString* error = nullptr);

    // The comparison and what it last found.
    utilities::ReportDiff& comparison() { return comparison_; }
    const utilities::DiffResults& results() const { return results_; }

    // Compares the reports held again, all lines or changes only as last chosen, and shows the
    // results in the grids. False, with the reason in `error`, when the comparison failed: the
    // grids are then empty.
    bool showDifferences(QString* error = nullptr);

    // The text that is printed: the run header, then the combined coloured text, its long lines
    // wrapped at the page's width.
    std::unique_ptr<QTextDocument> printableText() const;

    // Prints the combined text; see GuiSeams::preparePrinter.
    void printResults();

    // The row at the top of a grid, and the row the change search goes on from: the top row,
    // or the change last found where the grid cannot scroll it to the top.
    static int topRow(const QTableView& grid);
    static int searchRow(const QTableView& grid);

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showSeparate();
    void showCombined();
    // Side by side until a pane would be too narrow to read: then combined.
    void keepPanesReadable();
    void showLines(bool allLines);
    void fillGrids();
    void goToChange(int step);

    QTableView* leftGrid_;
    QTableView* rightGrid_;
    QTableView* combinedGrid_;
    QLabel* status_;
    QWidget* leftPane_;
    QWidget* rightPane_;
    QWidget* combinedPane_;
    QSplitter* splitter_;
    QWidget* buttonBar_;
    QPushButton* separateButton_;
    QPushButton* combinedButton_;
    QPushButton* showAllButton_;
    QPushButton* showChangesButton_;
    QPushButton* nextButton_;
    QPushButton* previousButton_;
    QPushButton* printButton_;

    utilities::ReportDiff comparison_;
    utilities::DiffResults results_;
    bool allLines_ = true;
};

}  // namespace tav::gui
