#pragma once

#include <QDomDocument>
#include <QHash>
#include <QImage>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <future>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

#include "DocxPackage.h"

// A small builder of word-processing documents (.docx) with the operations the Word writer
// uses. Measures are in points; colours are "RRGGBB" texts.
namespace tvdocx {

// A failed document operation: a style the document does not hold, a picture that cannot be
// read. The writer that drives the document catches it for the whole report.
class DocxError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Character formatting; what is left unset keeps what the style gives.
struct RunFormat {
    QString fontName;
    double sizePt = 0;  // 0: unset
    std::optional<bool> bold;
    std::optional<bool> italic;
    std::optional<bool> underline;
    QString color;  // "RRGGBB", empty: unset
};

enum class Alignment { Left, Center, Right, Justify };

// A tab stop: where the text after the tab starts (Left), centres (Center) or ends (Right).
struct TabStop {
    double positionPt = 0;
    Alignment alignment = Alignment::Left;
};

// Paragraph formatting; what is left unset keeps what the style gives.
struct ParagraphFormat {
    std::optional<Alignment> alignment;
    std::optional<double> leftIndentPt;
    std::optional<double> firstLineIndentPt;  // negative: a hanging indent
    std::vector<TabStop> tabStops;
    bool bottomBorder = false;
    bool topBorder = false;
};

enum class StyleType { Paragraph, Character, Table };

// A style to add, or the properties to change in a style the document holds.
struct StyleDefinition {
    QString name;
    StyleType type = StyleType::Paragraph;
    QString basedOn;  // style names
    QString next;
    RunFormat font;
    ParagraphFormat paragraph;
    // 1 to 9: the style's paragraphs are headings of that level, listed by a table of contents.
    // A style named "heading N" is one of level N whatever this holds.
    int outlineLevel = 0;
};

// The definition that a new document gives its usual style of that name (Normal, heading 1 to
// 4, toc 1 to 3, Table Grid; letter case not counting); nothing for any other name.
std::optional<StyleDefinition> usualStyle(const QString& name);

// One level of a numbered list (the numbering of headings).
struct ListLevel {
    QString numberFormat = QStringLiteral("%1.");  // %1 .. %9: the numbers of levels 1 to 9
    QString numberStyle = QStringLiteral("decimal");
    int startAt = 1;
    double numberPositionPt = 0;
    double textPositionPt = 0;
    QString linkedStyle;  // a paragraph style name; its paragraphs are numbered on this level
};

class Document;

namespace detail {
struct TextParagraph;
struct TextTable;
struct LastProperties;

// A relationship that content carried over from a template needs: to a part of the document,
// or to an address outside it (a link).
struct Relationship {
    QString id;
    QString type;    // the full relationship type
    QString target;  // relative to the part that holds the relationship, or the address
    bool external = false;
};

// A part carried over from a template, with the relationships of its own.
struct CarriedPart {
    QByteArray data;
    QString contentType;
    std::vector<Relationship> relationships;
};
}  // namespace detail

// A paragraph being written; every operation appends at its end. A paragraph of the body can
// change only until the next block is added (it is written out then; a change throws).
class Paragraph {
public:
    Paragraph& text(const QString& text, const RunFormat& format = {});
    Paragraph& tab();
    Paragraph& pageBreak();
    // A field whose code Word keeps and brings up to date (" PAGE ", " TOC \o ... ").
    Paragraph& field(const QString& code, const QString& shownText = {},
                     const RunFormat& format = {});
    // The same field in its short form: one element carrying the code.
    Paragraph& simpleField(const QString& code, const QString& shownText = {});
    // An inline picture read from a file (PNG, JPEG, BMP, GIF); its size is the picture's own.
    Paragraph& picture(const QString& filePath);
    // An inline picture drawn in memory, stored as PNG. Larger than the given box (in points; 0:
    // no limit) it is shown smaller, its proportions kept.
    Paragraph& picture(const QImage& image, double maxWidthPt = 0, double maxHeightPt = 0);
    // A picture being made elsewhere while the document goes on: its size in pixels and its
    // resolution now, its PNG file when the document is saved, which waits for it. A picture
    // that could not be made (no bytes, or the maker's exception) fails the save.
    Paragraph& picture(std::shared_future<QByteArray> png, const QSize& pixels, int dotsPerMeter,
                       double maxWidthPt = 0, double maxHeightPt = 0);
    Paragraph& format(const ParagraphFormat& format);
    Paragraph& numbering(int numberingId, int level);

private:
    friend class Story;
    friend class Table;
    Paragraph(Document* document, QDomElement element) : document_(document), element_(element) {}
    Paragraph(Document* document, std::shared_ptr<detail::TextParagraph> block);
    QDomElement properties();
    // Appends runs given as markup.
    void appendRuns(const QString& runs, const QString& shownText = {});
    bool inBody() const;
    Paragraph& placePicture(std::shared_future<QByteArray> data, const QString& extension,
                            const QSize& pixels, int dotsPerMeterX, int dotsPerMeterY,
                            double maxWidthPt, double maxHeightPt);

    Document* document_;
    QDomElement element_;                           // a paragraph of a header or footer
    std::shared_ptr<detail::TextParagraph> block_;  // or one of the body, kept as markup
};

// A table with a fixed number of columns, all cells empty at first. Copies of a Table are
// handles onto the same table.
class Table {
public:
    int rowCount() const;
    int columnCount() const { return columns_; }
    // The first paragraph of a cell (row and column from 0); throws outside the table.
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

// A run of paragraphs and tables: the body, a header or a footer.
class Story {
public:
    // A paragraph in the named style (empty: the document's default). Throws for a style the
    // document does not hold.
    Paragraph addParagraph(const QString& styleName = {});
    // A table in the table style `styleName` whose cells' paragraphs are in the paragraph style
    // `cellStyleName` (empty: the document's defaults), rows added later too. Throws for a style
    // the document does not hold, or fewer than one row or column.
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

// Page size and margins, in points (US Letter and one-inch margins at first).
struct PageSetup {
    double widthPt = 612, heightPt = 792;
    double topPt = 72, bottomPt = 72, leftPt = 72, rightPt = 72;
    double headerPt = 36, footerPt = 36;
    bool landscape = false;  // the width is then the longer side
    // The body of the page: what the margins leave.
    double bodyWidthPt() const { return widthPt - leftPt - rightPt; }
    double bodyHeightPt() const { return heightPt - topPt - bottomPt; }
};

// The pages a header or footer is for: every page, or the first or the even pages where the
// document gives those their own.
enum class PageKind { Default, First, Even };

class Document {
public:
    // A new document with the usual styles: Normal, Heading 1 to 4, TOC 1 to 3, Table Grid.
    Document();
    ~Document();
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    Story& body() { return *body_; }
    Story& header(PageKind kind = PageKind::Default) { return *headers_[std::size_t(kind)]; }
    Story& footer(PageKind kind = PageKind::Default) { return *footers_[std::size_t(kind)]; }
    PageSetup page;
    // The first page takes the First header and footer; the even pages take the Even ones.
    bool differentFirstPage = false;
    bool differentOddEven = false;
    double defaultTabStopPt = 36;
    // What separates the items of a list in a field's code (a template may use its own).
    QString listSeparator = QStringLiteral(",");

    // Styles are found by name, ignoring case, as Word finds them.
    bool hasStyle(const QString& name) const;
    QStringList styleNames() const;
    // The names of the styles of one type, in the order the document defines them.
    QStringList styleNames(StyleType type) const;
    // Adds the style, or changes the given properties of the style of that name.
    void setStyle(const StyleDefinition& style);
    // Gives the styles of `headingStyles` the outline levels `upper`, `upper` + 1 and so on up
    // to `lower`, each its own where neither it nor the style it is based on has that level: the
    // contents and a word processor's outline find headings by their levels. A style named
    // twice keeps the first level. Paragraphs written out already keep the levels they had.
    void giveHeadingLevels(int upper, int lower, const QStringList& headingStyles);
    // Takes the styles of a template (.dotx) in place of the document's own; false, with the
    // reason, when the template cannot be read.
    bool loadTemplateStyles(const QString& templatePath, QString* error = nullptr);

    // Replaces each field of the body, header and footer whose code `valueOf` gives a value for
    // by that value as plain text, in the field's place and with its first run's formatting;
    // fields it gives nothing for stay. Both forms of field count (a field spread over runs
    // only when it lies within one paragraph). Answers the number of fields replaced.
    int replaceFields(const std::function<std::optional<QString>(const QString& code)>& valueOf);

    // Appends the paragraphs and tables of a template's body, and of the headers and footers its
    // section names, to the document's own, markup of every vocabulary unchanged, and takes the
    // template's page set-up, first-page and odd/even settings and list numbering, its theme and
    // font table, and the settings that go with them (theme language and colour mapping,
    // compatibility, embedded fonts, the fields' list separator). What that
    // content refers to (pictures, links) comes along under fresh relationship ids; a block that
    // refers to what the template lacks is left out. Parts are read through the template limits.
    // False, with the reason, when the template cannot be read or holds no word/document.xml;
    // nothing changes then.
    bool loadTemplateContent(const QString& templatePath, QString* error = nullptr);

    // A list numbering; its id is what paragraphs name.
    int addNumbering(const std::vector<ListLevel>& levels);

    // Every part of the package, as `save` writes it; throws when a picture could not be made.
    PackageParts parts() const;
    // Writes the document; an earlier file stays as it was when this fails.
    bool save(const QString& path, QString* error = nullptr) const;

    // The style id of a style name; throws for a name the document does not hold.
    QString styleId(const QString& name) const;

private:
    friend class Paragraph;
    friend class Story;
    struct WithoutStyles {};
    explicit Document(WithoutStyles);
    void addDefaultStyles();
    struct Image {
        QString relationshipId;
        QString partName;                     // "media/image1.png"
        std::shared_future<QByteArray> data;  // ready, or being made elsewhere
        // The picture's bytes, once made; throws when it could not be.
        QByteArray bytes() const;
    };
    const Image& addImage(std::shared_future<QByteArray> data, const QString& extension);
    int nextDrawingId() { return ++drawingIds_; }
    QDomElement styleElement(const QString& name) const;

    // The body is written out block by block as it grows: only the block being written stays a
    // tree, so that a document of any length takes little memory.
    struct Heading {
        int level;
        QString text;
        QString bookmark;
    };
    struct BodyState {
        int bookmarks = 0;
        std::vector<Heading> headings;
        qsizetype tableOfContentsAt = -1;  // where in the written body the contents go
        bool endsWithParagraph = false;
    };
    // The blocks written out, in pieces that each keep their place once written: a large body
    // grows without being copied into ever larger memory, which would hold it twice meanwhile.
    class WrittenBody {
    public:
        void append(QByteArrayView bytes);
        qsizetype size() const { return size_; }
        // Adds views of the bytes from `from` to `to` to `views`.
        void viewsOf(qsizetype from, qsizetype to, std::vector<QByteArrayView>& views) const;

    private:
        std::vector<QByteArray> pieces_;
        qsizetype size_ = 0;
    };
    void writeOutBody();
    void writeBlocks(const QDomElement& container, QByteArray& out, BodyState& state) const;
    void writePending(QString& out, BodyState& state) const;
    void writeParagraph(QString& out, const detail::TextParagraph& paragraph,
                        BodyState& state) const;
    void writeTable(QString& out, const detail::TextTable& table, BodyState& state) const;
    int headingLevel(const QDomElement& paragraph) const;
    int styleHeadingLevel(const QString& styleId) const;
    QByteArray tableOfContents(const std::vector<Heading>& headings) const;
    // document.xml in pieces, around the blocks written out, which stay where they are.
    struct DocumentPieces {
        QByteArray head;            // the root and the body's start
        qsizetype contentsAt = -1;  // where the contents go in the blocks written out and `rest`
        QByteArray contents;
        QByteArray rest;  // the blocks not written out yet, the section's page set-up
        QByteArray tail;  // the body's and the root's end
        std::vector<QByteArrayView> views(const WrittenBody& written) const;
    };
    // The parts of the package, the document's own in `pieces` rather than in the parts.
    PackageParts packageParts(DocumentPieces& pieces) const;

    QDomDocument documentXml_;
    std::array<QDomDocument, 3> headerXml_;  // by PageKind
    std::array<QDomDocument, 3> footerXml_;
    QDomDocument stylesXml_;
    std::unique_ptr<Story> body_;
    std::array<std::unique_ptr<Story>, 3> headers_;
    std::array<std::unique_ptr<Story>, 3> footers_;
    std::vector<Image> images_;
    std::map<QString, detail::CarriedPart> carried_;  // by part name
    int relationshipIds_ = 0;                         // of content carried over
    QDomDocument numberingXml_;      // none until a numbering is added or a template gives one
    QDomDocument templateSettings_;  // the settings a template gave that go with its theme
    int drawingIds_ = 0;
    bool hasTableOfContents_ = false;
    QDomElement tableOfContents_;  // its paragraph, written at its place when the body is saved
    WrittenBody bodyWritten_;      // the blocks written out, in order
    QByteArray blocks_;            // blocks being written out, as text
    QString markup_;               // the block being written out
    std::unique_ptr<detail::LastProperties> lastProperties_;
    BodyState bodyState_;
    mutable std::optional<std::map<QString, int>> headingLevels_;  // style id: outline level
    struct StyleIndex {
        std::map<QString, QDomElement> byName;  // by case-folded name
        QHash<QString, QString> ids;            // style id by name as asked for
    };
    mutable std::optional<StyleIndex> styleIndex_;
};

}  // namespace tvdocx
