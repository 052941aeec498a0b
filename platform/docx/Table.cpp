#include "Table.h"

#include "DocxDocument.h"
#include "DocxMarkup.h"

namespace tvdocx {

using namespace detail;

Table::Table(Document* document, QDomElement element, int columns, const QString& cellStyleId)
    : document_(document),
      element_(element),
      columns_(columns),
      cells_(std::make_shared<std::vector<std::vector<QDomElement>>>()),
      fixedWidths_(std::make_shared<std::vector<double>>(std::size_t(columns), 0.0)),
      cellStyleId_(cellStyleId) {}

Table::Table(Document* document, std::shared_ptr<detail::TextTable> block, int columns)
    : document_(document),
      columns_(columns),
      cells_(std::make_shared<std::vector<std::vector<QDomElement>>>()),
      fixedWidths_(std::make_shared<std::vector<double>>(std::size_t(columns), 0.0)),
      block_(std::move(block)) {
    block_->fixedWidths = *fixedWidths_;
}

int Table::rowCount() const { return int(block_ ? block_->rows.size() : cells_->size()); }

Paragraph Table::cell(int row, int column) {
    // A paragraph that changes nothing stands for the cell of a failed document.
    if (document_->failed()) return Paragraph(document_, QDomElement());
    if (block_ ? block_->written : element_.parentNode().isNull()) {
        document_->fail(QLatin1String(kWrittenOut));
        return Paragraph(document_, QDomElement());
    }
    if (row < 0 || row >= rowCount() || column < 0 || column >= columns_) {
        document_->fail(QStringLiteral("no cell %1, %2 in a table of %3 by %4")
                            .arg(row)
                            .arg(column)
                            .arg(rowCount())
                            .arg(columns_));
        return Paragraph(document_, QDomElement());
    }
    if (block_) return Paragraph(document_, block_->rows[std::size_t(row)][std::size_t(column)]);
    return Paragraph(document_, (*cells_)[std::size_t(row)][std::size_t(column)]);
}

std::vector<double> Table::widths() const {
    return columnWidths(*fixedWidths_, document_->page.bodyWidthPt());
}

void Table::addRow() {
    if (document_->failed()) return;
    if (block_) {
        if (block_->written) return document_->fail(QLatin1String(kWrittenOut));
        auto& row = block_->rows.emplace_back();
        for (int c = 0; c < columns_; ++c) {
            row.push_back(std::make_shared<detail::TextParagraph>());
            row.back()->styleId = block_->cellStyleId;
        }
        return;
    }
    const std::vector<double> width = widths();
    QDomElement tr = appendElement(element_, QStringLiteral("w:tr"));
    std::vector<QDomElement>& paragraphs = cells_->emplace_back();
    for (int c = 0; c < columns_; ++c) {
        QDomElement tc = appendElement(tr, QStringLiteral("w:tc"));
        QDomElement tcW =
            appendElement(appendElement(tc, QStringLiteral("w:tcPr")), QStringLiteral("w:tcW"));
        tcW.setAttribute(QStringLiteral("w:w"), twips(width[std::size_t(c)]));
        tcW.setAttribute(QStringLiteral("w:type"), QStringLiteral("dxa"));
        // a cell holds at least one paragraph
        QDomElement p = appendElement(tc, QStringLiteral("w:p"));
        if (!cellStyleId_.isEmpty())
            appendValue(appendElement(p, QStringLiteral("w:pPr")), QStringLiteral("w:pStyle"),
                        cellStyleId_);
        paragraphs.push_back(p);
    }
}

void Table::applyWidths() {
    if (block_) {
        block_->fixedWidths = *fixedWidths_;
        return;
    }
    const std::vector<double> width = widths();
    int c = 0;
    for (QDomElement col = element_.firstChildElement(QStringLiteral("w:tblGrid"))
                               .firstChildElement(QStringLiteral("w:gridCol"));
         !col.isNull(); col = col.nextSiblingElement(QStringLiteral("w:gridCol")))
        col.setAttribute(QStringLiteral("w:w"), twips(width[std::size_t(c++)]));
    for (const std::vector<QDomElement>& row : *cells_)
        for (std::size_t column = 0; column < row.size(); ++column)
            row[column]
                .parentNode()
                .firstChildElement(QStringLiteral("w:tcPr"))
                .firstChildElement(QStringLiteral("w:tcW"))
                .setAttribute(QStringLiteral("w:w"), twips(width[column]));
}

void Table::setColumnWidth(int column, double widthPt) {
    if (document_->failed()) return;
    if (column < 0 || column >= columns_ || widthPt <= 0)
        return document_->fail(QStringLiteral("no column %1 of width %2").arg(column).arg(widthPt));
    (*fixedWidths_)[std::size_t(column)] = widthPt;
    applyWidths();
}

void Table::setHeadingRow() {
    if (document_->failed()) return;
    if (block_) {
        block_->headingRow = true;
        return;
    }
    QDomElement tr = cells_->front().front().parentNode().parentNode().toElement();
    if (!tr.firstChildElement(QStringLiteral("w:trPr")).isNull()) return;
    QDomElement trPr =
        tr.insertBefore(tr.ownerDocument().createElement(QStringLiteral("w:trPr")), tr.firstChild())
            .toElement();
    appendElement(trPr, QStringLiteral("w:tblHeader"));
}

}  // namespace tvdocx
