#pragma once

#include <QByteArray>
#include <QDomElement>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "CarriedPart.h"
#include "Paragraph.h"
#include "Table.h"

namespace tvdocx {

class Document;

namespace detail {
struct TextParagraph;
struct TextTable;
}  // namespace detail

// A run of paragraphs and tables: the body, a header or a footer.
class Story {
public:
    // A paragraph in the named style (empty: the document's default). A style the document does
    // not hold fails the document.
    Paragraph addParagraph(const QString& styleName = {});
    // A table in the table style `styleName` whose cells' paragraphs are in the paragraph style
    // `cellStyleName` (empty: the document's defaults), rows added later too. A style the document
    // does not hold, or fewer than one row or column, fails the document.
    Table addTable(int rows, int columns, const QString& styleName = {},
                   const QString& cellStyleName = {});
    // A table of contents over the headings of levels `upper` to `lower`, in its own paragraph:
    // it lists the headings of the body, each with the page-number field of a bookmark on the
    // heading, and stays marked for Word to bring up to date when it opens the document.
    // `headingStyles` names the styles of levels `upper`, `upper` + 1 and so on whose paragraphs
    // are headings of that level: a template's own heading styles often carry no outline level,
    // or another one. Each is given its level, which an update of the field reads as well.
    Paragraph addTableOfContents(int upper, int lower, const QString& styleName = {},
                                 const QStringList& headingStyles = {});
    bool isEmpty() const {
        return !container_.hasChildNodes() && !written_ && !pendingParagraph_ && !pendingTable_;
    }

private:
    friend class Document;
    Story(Document* document, QDomElement container) : document_(document), container_(container) {}
    QDomElement append(const QString& tag);
    // A header's or footer's part, its paragraphs kept as markup in their places.
    QByteArray serialized() const;

    Document* document_;
    QDomElement container_;
    // The paragraphs of a header or footer, kept as markup: its tree holds a mark for each.
    std::vector<std::shared_ptr<detail::TextParagraph>> kept_;
    bool written_ = false;  // blocks have been written out of the tree
    // What the content carried over from a template refers to, under this story's own ids.
    std::vector<detail::Relationship> relationships_;
    // The body's last block when the API made it: kept as markup, not as a tree.
    std::shared_ptr<detail::TextParagraph> pendingParagraph_;
    std::shared_ptr<detail::TextTable> pendingTable_;
};

}  // namespace tvdocx
