#pragma once

#include <QWidget>

#include "tvResultGrid.h"

class QTableWidget;

// A result window of the Cross Reference or Site Survey utility: one grid showing the last
// result, sorted on a double-click, copied whole with EditSelectAll. The two windows differ only
// in their grid's name.
class TVUResultWindow : public QWidget {
public:
    // Shows `grid` in place of what was shown.
    void setResult(const tvResultGrid& result);
    const tvResultGrid& result() const { return result_; }

    // Selects the whole grid, header included, and puts its text on the clipboard.
    void EditSelectAll();

    // Sorts the data rows by one column, as a double-click on the grid does.
    void sortByColumn(int column);

protected:
    TVUResultWindow(const QString& gridName, const QString& title, QWidget* parent);

private:
    void showRows();

    QTableWidget* grid_;
    tvResultGrid result_;
};

class TVUXRef : public TVUResultWindow {
public:
    explicit TVUXRef(QWidget* parent = nullptr);
};

class TVUSurvey : public TVUResultWindow {
public:
    explicit TVUSurvey(QWidget* parent = nullptr);
};
