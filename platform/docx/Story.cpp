#include "Story.h"

#include "DocxDocument.h"
#include "DocxMarkup.h"

namespace tvdocx {

using namespace detail;

QDomElement Story::append(const QString& tag) {
    if (this == document_->body_.get()) document_->writeOutBody();
    return appendElement(container_, tag);
}

Paragraph Story::addParagraph(const QString& styleName) {
    // A paragraph that changes nothing stands for one of a failed document.
    if (document_->failed()) return Paragraph(document_, QDomElement());
    auto block = std::make_shared<detail::TextParagraph>();
    if (!styleName.isEmpty()) {
        block->styleId = document_->heldStyleId(styleName);
        if (document_->failed()) return Paragraph(document_, QDomElement());
    }
    if (this == document_->body_.get()) {
        document_->writeOutBody();
        pendingParagraph_ = block;
        return Paragraph(document_, block);
    }
    // A paragraph of a header or footer is kept as markup too; the tree holds its place.
    block->inBody = false;
    QDomDocument owner = container_.ownerDocument();
    container_.appendChild(owner.createProcessingInstruction(QLatin1String(kKeptBlock),
                                                             QString::number(kept_.size())));
    kept_.push_back(block);
    return Paragraph(document_, block);
}

QByteArray Story::serialized() const {
    QByteArray tree = serialize(container_.ownerDocument());
    // Each mark gives way to its paragraph; the marks stand in the order they were made.
    const QByteArray mark = QByteArrayLiteral("<?") + kKeptBlock + ' ';
    QByteArray out;
    out.reserve(tree.size());
    qsizetype from = 0;
    for (const auto& paragraph : kept_) {
        const qsizetype at = tree.indexOf(mark, from);
        const qsizetype end = tree.indexOf("?>", at);
        if (at < 0 || end < 0) break;
        out.append(tree.constData() + from, at - from);
        QString markup;
        appendParagraph(markup, *paragraph);
        out += markup.toUtf8();
        from = end + 2;
        if (from < tree.size() && tree[from] == '\n') ++from;  // what the tree puts after a mark
    }
    out.append(tree.constData() + from, tree.size() - from);
    return out;
}

Table Story::addTable(int rows, int columns, const QString& styleName,
                      const QString& cellStyleName) {
    // A table that changes nothing stands for one of a failed document.
    const auto failed = [this] { return Table(document_, QDomElement(), 0, {}); };
    if (document_->failed()) return failed();
    // Word refuses a table without rows or columns.
    if (rows < 1 || columns < 1) {
        document_->fail(QStringLiteral("a table needs at least one row and one column"));
        return failed();
    }
    const QString styleId = styleName.isEmpty() ? QString() : document_->heldStyleId(styleName);
    const QString cellStyleId =
        cellStyleName.isEmpty() ? QString() : document_->heldStyleId(cellStyleName);
    if (document_->failed()) return failed();
    if (this == document_->body_.get()) {
        auto block = std::make_shared<detail::TextTable>();
        block->styleId = styleId;
        block->cellStyleId = cellStyleId;
        document_->writeOutBody();
        pendingTable_ = block;
        Table table(document_, block, columns);
        for (int r = 0; r < rows; ++r) table.addRow();
        return table;
    }
    QDomElement tbl = append(QStringLiteral("w:tbl"));
    QDomElement tblPr = appendElement(tbl, QStringLiteral("w:tblPr"));
    if (!styleId.isEmpty()) appendValue(tblPr, QStringLiteral("w:tblStyle"), styleId);
    QDomElement width = appendElement(tblPr, QStringLiteral("w:tblW"));
    width.setAttribute(QStringLiteral("w:w"), 0);
    width.setAttribute(QStringLiteral("w:type"), QStringLiteral("auto"));
    appendValue(tblPr, QStringLiteral("w:tblLook"), QStringLiteral("04A0"));
    QDomElement grid = appendElement(tbl, QStringLiteral("w:tblGrid"));
    Table table(document_, tbl, columns, cellStyleId);
    for (double width : table.widths())
        appendElement(grid, QStringLiteral("w:gridCol"))
            .setAttribute(QStringLiteral("w:w"), twips(width));
    for (int r = 0; r < rows; ++r) table.addRow();
    return table;
}

Paragraph Story::addTableOfContents(int upper, int lower, const QString& styleName,
                                    const QStringList& headingStyles) {
    // The headings are gathered by their outline levels alone: a list of style names in the
    // field would be read with the reader's own list separator, and would list twice a heading
    // whose style has a level as well. The levels come first, for the paragraphs ahead of the
    // contents, which are written out now.
    if (document_->failed()) return Paragraph(document_, QDomElement());
    const QString styleId = styleName.isEmpty() ? QString() : document_->heldStyleId(styleName);
    if (document_->failed()) return Paragraph(document_, QDomElement());
    document_->giveHeadingLevels(upper, lower, headingStyles);
    // A tree: the contents are written in its place when the document is saved.
    Paragraph paragraph(document_, append(QStringLiteral("w:p")));
    if (!styleName.isEmpty())
        valueElement(paragraph.properties(), "w:pStyle", styleId, kParagraphPropertyOrder);
    const QString code = QStringLiteral(" TOC \\o \"%1-%2\" \\h \\z \\u ").arg(upper).arg(lower);
    paragraph.field(code);
    // Word fills the table when it opens a document whose fields are marked out of date.
    paragraph.element_.firstChildElement(QStringLiteral("w:r"))
        .firstChildElement(QStringLiteral("w:fldChar"))
        .setAttribute(QStringLiteral("w:dirty"), QStringLiteral("true"));
    document_->hasTableOfContents_ = true;
    document_->tableOfContents_ = paragraph.element_;
    return paragraph;
}

}  // namespace tvdocx
