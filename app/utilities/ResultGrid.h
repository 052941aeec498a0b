#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <Qt>
#include <functional>
#include <span>

#include "RunReporter.h"

namespace tav::utilities {

// The result of the Cross Reference and Site Survey utilities, held without any widget: one
// header row of captions and the data rows, each row as many cells as there are columns. The
// result windows show it; the engine fills it.

// One column of a result grid: its caption, its width in twips and its alignment.
struct GridColumn {
    const char* caption;
    int width;
    Qt::Alignment alignment;
};

inline constexpr Qt::Alignment GridLeft = Qt::AlignLeft | Qt::AlignVCenter;
inline constexpr Qt::Alignment GridCentre = Qt::AlignHCenter | Qt::AlignVCenter;

class ResultGrid {
public:
    ResultGrid() = default;
    explicit ResultGrid(std::span<const GridColumn> columns) : columns_(columns) {}

    std::span<const GridColumn> columns() const { return columns_; }
    QStringList captions() const;

    // Appends one row of cells in column order; missing cells are empty, cells beyond the last
    // column are dropped. Cells are kept whole, so a tab inside a value shifts no column.
    void AddItem(QStringList cells);

    const QList<QStringList>& rows() const { return rows_; }

    // Reorders the data rows, whole rows at a time, by the text of one column: ascending,
    // upper and lower case differ, rows with equal text keep their order. The header stays.
    void Sort(qsizetype column);

    // The whole grid, header row included, as text: cells separated by tabs, one line per row,
    // lines separated by line feeds. Each cell is its CopiedCellText, so that each row stays one
    // line and each value stays under its own caption.
    QString Clip() const;

private:
    std::span<const GridColumn> columns_;
    QList<QStringList> rows_;
};

// `text` on one line: each line break, CR LF, CR or LF, becomes one blank.
QString OneLine(const QString& text);

// A cell's text as a copy of the grid gives it, one line and one cell: each line break (CR LF,
// CR, LF, a line or paragraph separator), each TAB and each other control character becomes
// one blank. Everything else, marks, blanks and characters beyond the basic plane, stays.
QString CopiedCellText(const QString& text);

// Runs one step of a utility's work; an error of the step is shown to the user through
// `reporter` with its description and the caller goes on. True when the step ran to its end.
bool RunUtilityStep(const std::function<void()>& step, core::RunReporter& reporter);

// Told after each report with its 0-based index and the result as it stands, so that the caller
// can show the rows as they come.
using ProgressHandler = std::function<void(qsizetype index, const ResultGrid& sofar)>;

}  // namespace tav::utilities
