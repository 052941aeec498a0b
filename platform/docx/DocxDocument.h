#pragma once

#include <QDomDocument>
#include <QHash>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <future>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "CarriedPart.h"
#include "DocxFormats.h"
#include "DocxPackage.h"
#include "Paragraph.h"
#include "Story.h"
#include "Table.h"

// A small builder of word-processing documents (.docx) with the operations the Word writer
// uses. Measures are in points; colours are "RRGGBB" texts.
namespace tvdocx {

namespace detail {
struct LastProperties;
}  // namespace detail

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

    // Every part of the package, as `save` writes it; nothing, with the reason, when the
    // document has failed or a picture could not be made.
    PackageParts parts(QString* error = nullptr) const;
    // Writes the document; an earlier file stays as it was when this fails, as it does when the
    // document has failed.
    bool save(const QString& path, QString* error = nullptr) const;

    // The style id of a style name; empty for a name the document does not hold.
    QString styleId(const QString& name) const;

    // The reason the first operation that could not do its work gave (a style the document does
    // not hold, a picture that cannot be read, a change to a block written out); empty while
    // every operation has worked. Once an operation fails, the operations after it change
    // nothing and `save` writes nothing: a half-made document is never taken for a whole one.
    const QString& failure() const { return failure_; }
    bool failed() const { return !failure_.isEmpty(); }

private:
    friend class Paragraph;
    friend class Story;
    friend class Table;
    // Records the first failure; the document changes no more.
    void fail(const QString& reason) {
        if (failure_.isEmpty()) failure_ = reason;
    }
    // The style id of a style name; empty, the failure recorded, for a name the document does
    // not hold.
    QString heldStyleId(const QString& name);
    // True, with the failure as the reason, when the document has failed.
    bool refusedForFailure(QString* error) const;
    struct WithoutStyles {};
    explicit Document(WithoutStyles);
    void addDefaultStyles();
    struct Image {
        QString relationshipId;
        QString partName;                     // "media/image1.png"
        std::shared_future<QByteArray> data;  // ready, or being made elsewhere
        // The picture's bytes, once made; nothing, with the reason, when it could not be.
        std::optional<QByteArray> bytes(QString* reason) const;
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
    std::optional<PackageParts> packageParts(DocumentPieces& pieces, QString* reason) const;

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
    QString failure_;
};

}  // namespace tvdocx
