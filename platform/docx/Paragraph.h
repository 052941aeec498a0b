#pragma once

#include <QDomElement>
#include <QImage>
#include <QSize>
#include <QString>
#include <future>
#include <memory>

#include "DocxFormats.h"

namespace tvdocx {

class Document;

namespace detail {
struct TextParagraph;
}  // namespace detail

// A paragraph being written; every operation appends at its end. A paragraph of the body can
// change only until the next block is added (it is written out then; a change fails
// the document).
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
    // Appends runs given as markup; false, the document failed, when it cannot.
    bool appendRuns(const QString& runs, const QString& shownText = {});
    bool inBody() const;
    // True when the document can take a picture here; otherwise it has failed.
    bool canHoldPicture();
    // Fails the document for the reason.
    Paragraph& failed(const QString& reason);
    Paragraph& placePicture(std::shared_future<QByteArray> data, const QString& extension,
                            const QSize& pixels, int dotsPerMeterX, int dotsPerMeterY,
                            double maxWidthPt, double maxHeightPt);

    Document* document_;
    QDomElement element_;                           // a paragraph of a header or footer
    std::shared_ptr<detail::TextParagraph> block_;  // or one of the body, kept as markup
};

}  // namespace tvdocx
