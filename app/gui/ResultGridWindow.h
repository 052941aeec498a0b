#pragma once

#include <QWidget>

#include "ResultGrid.h"

class QTableWidget;

namespace tav::gui {

// A result window of the Cross Reference or Site Survey utility: one grid showing the last
// result, sorted on a double-click, copied whole with copyWholeGrid. The two windows differ only
// in their names and title.
class ResultGridWindow : public QWidget {
public:
    enum Kind { CrossReference, SiteSurvey };
    explicit ResultGridWindow(Kind kind, QWidget* parent = nullptr);

    // Shows `grid` in place of what was shown, at the end of a run.
    void setResult(const utilities::ResultGrid& result);
    // During a run: shows the rows of the result so far that are not shown yet, and lets the
    // window answer the user. The first call of a run clears what an earlier run showed.
    void showProgress(const utilities::ResultGrid& sofar);
    const utilities::ResultGrid& result() const { return result_; }

    // Selects the whole grid, header included, and puts its text on the clipboard.
    void copyWholeGrid();

    // Sorts the data rows by one column, as a double-click on the grid does.
    void sortByColumn(int column);

private:
    void showColumns();
    void showRows(int from);
    void fitColumns(int fromRow);

    QTableWidget* grid_;
    utilities::ResultGrid result_;
    // Rows of the running utility's result shown so far; -1 between runs.
    qsizetype shownOfRun_ = -1;
};

}  // namespace tav::gui
