#pragma once

#include <QWidget>

#include "ResultGrid.h"

class QTableWidget;

namespace tav::gui {

// A result window of the Cross Reference or Site Survey utility: one grid showing the last
// result, sorted on a double-click, copied whole with EditSelectAll. The two windows differ only
// in their grid's name.
class ResultGridWindow : public QWidget {
public:
    // Shows `grid` in place of what was shown.
    void setResult(const utilities::ResultGrid& result);
    const utilities::ResultGrid& result() const { return result_; }

    // Selects the whole grid, header included, and puts its text on the clipboard.
    void EditSelectAll();

    // Sorts the data rows by one column, as a double-click on the grid does.
    void sortByColumn(int column);

protected:
    ResultGridWindow(const QString& gridName, const QString& title, QWidget* parent);

private:
    void showRows();

    QTableWidget* grid_;
    utilities::ResultGrid result_;
};

class CrossReferenceWindow : public ResultGridWindow {
public:
    explicit CrossReferenceWindow(QWidget* parent = nullptr);
};

class SiteSurveyWindow : public ResultGridWindow {
public:
    explicit SiteSurveyWindow(QWidget* parent = nullptr);
};

}  // namespace tav::gui
