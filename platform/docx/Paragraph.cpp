#include "Paragraph.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <algorithm>
#include <array>
#include <cmath>
#include <functional>

#include "DocxDocument.h"
#include "DocxMarkup.h"
#include "PngImage.h"
#include "XmlText.h"

namespace tvdocx {

using namespace detail;

QDomElement Paragraph::properties() {
    QDomElement pPr = element_.firstChildElement(QStringLiteral("w:pPr"));
    if (pPr.isNull())
        pPr = element_
                  .insertBefore(element_.ownerDocument().createElement(QStringLiteral("w:pPr")),
                                element_.firstChild())
                  .toElement();
    return pPr;
}

Paragraph::Paragraph(Document* document, std::shared_ptr<detail::TextParagraph> block)
    : document_(document), block_(std::move(block)) {}

bool Paragraph::appendRuns(const QString& runs, const QString& shownText) {
    if (document_->failed()) return false;
    if (block_ ? block_->written : element_.parentNode().isNull()) {
        document_->fail(QLatin1String(kWrittenOut));
        return false;
    }
    if (block_) {
        block_->runs += runs;
        block_->shown += shownText;
        return true;
    }
    // The nodes are made in the paragraph's own tree, under a holder that joins the paragraph
    // only once all the markup has been read: markup that is not well formed changes nothing.
    // Without namespace processing the names keep their prefixes, as this builder writes them.
    QDomDocument owner = element_.ownerDocument();
    const QDomElement holder = owner.createElement(QStringLiteral("f"));
    QDomElement at = holder;
    QXmlStreamReader reader(QStringLiteral("<f>") + runs + QStringLiteral("</f>"));
    reader.setNamespaceProcessing(false);
    for (int depth = 0; !reader.atEnd();) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::StartElement && depth++ > 0) {
            QDomElement e = owner.createElement(reader.qualifiedName().toString());
            for (const QXmlStreamAttribute& a : reader.attributes())
                e.setAttribute(a.qualifiedName().toString(), a.value().toString());
            at = at.appendChild(e).toElement();
        } else if (token == QXmlStreamReader::EndElement && --depth > 0) {
            at = at.parentNode().toElement();
        } else if (token == QXmlStreamReader::Characters && depth > 0) {
            at.appendChild(owner.createTextNode(reader.text().toString()));
        }
    }
    if (reader.hasError()) {
        document_->fail(QStringLiteral("a run's markup is not well formed"));
        return false;
    }
    while (holder.hasChildNodes()) element_.appendChild(holder.firstChild());
    return true;
}

Paragraph& Paragraph::failed(const QString& reason) {
    document_->fail(reason);
    return *this;
}

bool Paragraph::canHoldPicture() {
    if (document_->failed()) return false;
    if (inBody()) return true;
    document_->fail(QStringLiteral("pictures go in the body of the document"));
    return false;
}

bool Paragraph::inBody() const {
    return block_ ? block_->inBody : element_.ownerDocument() == document_->documentXml_;
}

Paragraph& Paragraph::text(const QString& text, const RunFormat& format) {
    if (block_ && !block_->written && !document_->failed()) {
        // Room for the usual run at once: grown piece by piece it would move several times.
        if (block_->runs.isEmpty()) block_->runs.reserve(text.size() + 160);
        appendTextRun(block_->runs, text, format);
        block_->shown += text;
        return *this;
    }
    appendRuns(textRunMarkup(text, format), text);
    return *this;
}

Paragraph& Paragraph::tab() {
    appendRuns(runMarkup(QStringLiteral("<w:tab/>")), QStringLiteral("\t"));
    return *this;
}

Paragraph& Paragraph::pageBreak() {
    appendRuns(runMarkup(QStringLiteral("<w:br w:type=\"page\"/>")));
    return *this;
}

Paragraph& Paragraph::field(const QString& code, const QString& shownText,
                            const RunFormat& format) {
    QString runs = fieldCharMarkup("begin", format) +
                   runMarkup(QStringLiteral("<w:instrText xml:space=\"preserve\">") +
                                 escaped(code) + QStringLiteral("</w:instrText>"),
                             format) +
                   fieldCharMarkup("separate", format);
    if (!shownText.isEmpty()) runs += textRunMarkup(shownText, format);
    if (appendRuns(runs + fieldCharMarkup("end", format), shownText) && block_)
        block_->fieldCodes.append(code);
    return *this;
}

Paragraph& Paragraph::simpleField(const QString& code, const QString& shownText) {
    // The shown text is a run inside the field element.
    if (appendRuns(QStringLiteral("<w:fldSimple w:instr=\"%1\">").arg(escaped(code)) +
                       textRunMarkup(shownText, {}) + QStringLiteral("</w:fldSimple>"),
                   shownText) &&
        block_)
        block_->fieldCodes.append(code);
    return *this;
}

namespace {

std::shared_future<QByteArray> madeAlready(const QByteArray& data) {
    std::promise<QByteArray> made;
    made.set_value(data);
    return made.get_future().share();
}

}  // namespace

Paragraph& Paragraph::picture(const QString& filePath) {
    if (!canHoldPicture()) return *this;
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        return failed(QStringLiteral("picture cannot be read: ") + filePath);
    const QByteArray data = file.readAll();
    QBuffer buffer;
    buffer.setData(data);
    QImageReader reader(&buffer);
    const QByteArray format = reader.format();
    const QImage image = reader.read();
    const auto type = std::find_if(kImageTypes.begin(), kImageTypes.end(),
                                   [&](const ImageType& t) { return format == t.format; });
    if (image.isNull() || type == kImageTypes.end())
        return failed(QStringLiteral("not a picture that a document can hold: ") + filePath);
    return placePicture(madeAlready(data), QLatin1String(type->extension), image.size(),
                        image.dotsPerMeterX(), image.dotsPerMeterY(), 0, 0);
}

Paragraph& Paragraph::picture(const QImage& image, double maxWidthPt, double maxHeightPt) {
    if (!canHoldPicture()) return *this;
    const QByteArray data = pngOf(image);
    if (data.isEmpty()) return failed(QStringLiteral("the picture cannot be stored"));
    return placePicture(madeAlready(data), QStringLiteral("png"), image.size(),
                        image.dotsPerMeterX(), image.dotsPerMeterY(), maxWidthPt, maxHeightPt);
}

Paragraph& Paragraph::picture(std::shared_future<QByteArray> png, const QSize& pixels,
                              int dotsPerMeter, double maxWidthPt, double maxHeightPt) {
    if (!canHoldPicture()) return *this;
    if (pixels.isEmpty()) return failed(QStringLiteral("the picture cannot be stored"));
    return placePicture(std::move(png), QStringLiteral("png"), pixels, dotsPerMeter, dotsPerMeter,
                        maxWidthPt, maxHeightPt);
}

Paragraph& Paragraph::placePicture(std::shared_future<QByteArray> data, const QString& extension,
                                   const QSize& pixels, int dotsPerMeterX, int dotsPerMeterY,
                                   double maxWidthPt, double maxHeightPt) {
    if (block_ ? block_->written : element_.parentNode().isNull())
        return failed(QLatin1String(kWrittenOut));
    const Document::Image& stored = document_->addImage(std::move(data), extension);
    // The picture keeps its printed size; without a resolution it counts 96 dots to the inch.
    auto points = [](int dots, int dotsPerMeter) {
        const double dpi = dotsPerMeter > 0 ? dotsPerMeter * 0.0254 : 96.0;
        return dots * 72.0 / dpi;
    };
    double widthPt = points(pixels.width(), dotsPerMeterX);
    double heightPt = points(pixels.height(), dotsPerMeterY);
    // Too large for its box, it shrinks alike both ways until it fits.
    double shrink = 1;
    if (maxWidthPt > 0 && widthPt > maxWidthPt) shrink = maxWidthPt / widthPt;
    if (maxHeightPt > 0 && heightPt * shrink > maxHeightPt) shrink = maxHeightPt / heightPt;
    auto emu = [](double pt) { return QString::number(std::llround(pt * 12700.0)); };
    const QString cx = emu(widthPt * shrink);
    const QString cy = emu(heightPt * shrink);
    const int id = document_->nextDrawingId();
    const QString drawing =
        QStringLiteral(
            "<w:drawing><wp:inline distT=\"0\" distB=\"0\" distL=\"0\" distR=\"0\">"
            "<wp:extent cx=\"%1\" cy=\"%2\"/><wp:docPr id=\"%3\" name=\"Picture %3\"/>"
            "<wp:cNvGraphicFramePr><a:graphicFrameLocks xmlns:a=\"%4\" noChangeAspect=\"1\"/>"
            "</wp:cNvGraphicFramePr><a:graphic xmlns:a=\"%4\"><a:graphicData uri=\"%5\">"
            "<pic:pic xmlns:pic=\"%5\"><pic:nvPicPr><pic:cNvPr id=\"%3\" name=\"Picture %3\"/>"
            "<pic:cNvPicPr/></pic:nvPicPr><pic:blipFill><a:blip r:embed=\"%6\"/><a:stretch>"
            "<a:fillRect/></a:stretch></pic:blipFill><pic:spPr><a:xfrm><a:off x=\"0\" y=\"0\"/>"
            "<a:ext cx=\"%1\" cy=\"%2\"/></a:xfrm><a:prstGeom prst=\"rect\"><a:avLst/>"
            "</a:prstGeom></pic:spPr></pic:pic></a:graphicData></a:graphic></wp:inline>"
            "</w:drawing>")
            .arg(cx, cy, QString::number(id), QLatin1String(kDrawingNamespace),
                 QLatin1String(kPictureNamespace), stored.relationshipId);
    appendRuns(runMarkup(drawing));
    return *this;
}

Paragraph& Paragraph::format(const ParagraphFormat& format) {
    if (document_->failed()) return *this;
    if (block_) {
        if (block_->written) return failed(QLatin1String(kWrittenOut));
        mergeFormat(block_->format, format);
        return *this;
    }
    applyParagraphFormat(properties(), format);
    return *this;
}

Paragraph& Paragraph::numbering(int numberingId, int level) {
    if (document_->failed()) return *this;
    if (block_) {
        if (block_->written) return failed(QLatin1String(kWrittenOut));
        block_->numberingId = numberingId;
        block_->numberingLevel = level;
        return *this;
    }
    QDomElement numPr =
        childInOrder(properties(), QStringLiteral("w:numPr"), kParagraphPropertyOrder);
    while (numPr.hasChildNodes()) numPr.removeChild(numPr.firstChild());
    appendValue(numPr, QStringLiteral("w:ilvl"), QString::number(level));
    appendValue(numPr, QStringLiteral("w:numId"), QString::number(numberingId));
    return *this;
}

}  // namespace tvdocx
