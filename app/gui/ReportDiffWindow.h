#pragma once

#include <QWidget>

#include "ReportDiff.h"

class QLabel;
class QPushButton;
class QSplitter;
class QTableWidget;
class QTextEdit;

namespace tav::gui {

// The Report Difference window: the two reports' lines side by side or combined in one grid,
// with the coloured combined text that is printed. It owns the engine whose results it shows, so
// that switching between all lines and changes only can run the comparison again.
class ReportDiffWindow : public QWidget {
public:
    explicit ReportDiffWindow(QWidget* parent = nullptr);

    utilities::ReportDiff& engine() { return engine_; }

    // Room for both grids to show a useful width and height of lines.
    QSize sizeHint() const override;

    // Compares two report files and shows the result; the engine's load errors pass through.
    void compare(const QString& path1, const QString& path2);

    // Fills the grids and the combined text from the engine's last analysis.
    void ShowDiffResults();

    // Prints the combined text; see GuiSeams::preparePrinter.
    void printResults();

    // The row at the top of a grid, and the row the change search goes on from.
    static int topRow(const QTableWidget& grid);
    static int searchRow(const QTableWidget& grid);

    QTableWidget* grd1;
    QTableWidget* grd2;
    QTableWidget* grdDiff;
    QTextEdit* rtbRptDiff;
    QLabel* sbStatus;
    QWidget* pbLeft;
    QWidget* pbRight;
    QWidget* pbCombined;
    QSplitter* picSplitter;
    QPushButton* cmdSeparate;
    QPushButton* cmdCombined;
    QPushButton* cmdShowAll;
    QPushButton* cmdShowChanges;
    QPushButton* cmdNext;
    QPushButton* cmdPrev;
    QPushButton* cmdPrint;

private:
    void showSeparate();
    void showCombined();
    void showLines(bool allLines);
    void goToChange(int step);

    utilities::ReportDiff engine_;
};

}  // namespace tav::gui
