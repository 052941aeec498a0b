#pragma once

#include <QDomElement>
#include <QString>
#include <memory>
#include <vector>

#include "Paragraph.h"

namespace tvdocx {

class Document;

namespace detail {
struct TextTable;
}  // namespace detail

// A table with a fixed number of columns, all cells empty at first. Copies of a Table are
// handles onto the same table.
class Table {
public:
    int rowCount() const;
    int columnCount() const { return columns_; }
    // The first paragraph of a cell (row and column from 0); outside the table it fails the
    // document.
    Paragraph cell(int row, int column);
    // A row added at the end, as long as the others.
    void addRow();
    // Gives the column a width of its own; the columns without one share the rest of the page
    // body's width alike.
    void setColumnWidth(int column, double widthPt);
    // The first row is the table's caption row, repeated at the top of every page it runs on.
    void setHeadingRow();

private:
    friend class Story;
    friend class Document;
    Table(Document* document, QDomElement element, int columns, const QString& cellStyleId);
    Table(Document* document, std::shared_ptr<detail::TextTable> block, int columns);

    Document* document_;
    QDomElement element_;
    int columns_;
    // The paragraphs of the cells, row by row: filling a long table stays linear.
    std::shared_ptr<std::vector<std::vector<QDomElement>>> cells_;
    std::shared_ptr<std::vector<double>> fixedWidths_;  // per column; 0: a share of the rest
    std::shared_ptr<detail::TextTable> block_;          // a table of the body, kept as markup
    QString cellStyleId_;  // of the cells' paragraphs of a table kept as a tree
    std::vector<double> widths() const;
    void applyWidths();
};

}  // namespace tvdocx
