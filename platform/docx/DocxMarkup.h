#pragma once

// The markup helpers that the document's paragraphs, tables, stories and the document share:
// element order, formatting as markup and as trees, escaping, the parts beside the document.
// Internal to the document builder; callers include the class headers.

#include <QDomDocument>
#include <QString>
#include <QStringList>
#include <QXmlStreamWriter>
#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <memory>
#include <vector>

#include "CarriedPart.h"
#include "DocxFormats.h"
#include "XmlText.h"

namespace tvdocx::detail {

inline constexpr auto kWordNamespace =
    "http://schemas.openxmlformats.org/wordprocessingml/2006/main";
inline constexpr auto kRelNamespace =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
inline constexpr auto kRelTypes =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
inline constexpr auto kDrawingNamespace = "http://schemas.openxmlformats.org/drawingml/2006/main";
inline constexpr auto kPictureNamespace =
    "http://schemas.openxmlformats.org/drawingml/2006/picture";
inline constexpr auto kWordDrawingNamespace =
    "http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing";
inline constexpr auto kMainTypes =
    "application/vnd.openxmlformats-officedocument.wordprocessingml.";

// Children of these elements must stand in the schema's order; these are the ones we write.
inline constexpr std::array kParagraphPropertyOrder{
    "w:pStyle",  "w:keepNext", "w:numPr", "w:pBdr",       "w:tabs",
    "w:spacing", "w:ind",      "w:jc",    "w:outlineLvl", "w:rPr"};
inline constexpr std::array kRunPropertyOrder{"w:rStyle", "w:rFonts", "w:b",    "w:i",
                                              "w:color",  "w:sz",     "w:szCs", "w:u"};
inline constexpr std::array kStyleOrder{"w:name", "w:basedOn", "w:next", "w:qFormat",
                                        "w:pPr",  "w:rPr",     "w:tblPr"};

// The parts beside the document, with their relationship ids and content types.
struct FixedPart {
    const char* name;
    const char* relationshipId;
    const char* relationshipType;
    const char* contentType;
};
inline constexpr FixedPart kStylesPart{"styles.xml", "rIdStyles", "styles", "styles+xml"};
inline constexpr FixedPart kSettingsPart{"settings.xml", "rIdSettings", "settings", "settings+xml"};
inline constexpr FixedPart kNumberingPart{"numbering.xml", "rIdNumbering", "numbering",
                                          "numbering+xml"};
// Headers and footers by PageKind.
inline constexpr std::array kHeaderParts{
    FixedPart{"header1.xml", "rIdHeader1", "header", "header+xml"},
    FixedPart{"header2.xml", "rIdHeader2", "header", "header+xml"},
    FixedPart{"header3.xml", "rIdHeader3", "header", "header+xml"}};
inline constexpr std::array kFooterParts{
    FixedPart{"footer1.xml", "rIdFooter1", "footer", "footer+xml"},
    FixedPart{"footer2.xml", "rIdFooter2", "footer", "footer+xml"},
    FixedPart{"footer3.xml", "rIdFooter3", "footer", "footer+xml"}};
inline constexpr std::array kPageKindNames{"default", "first", "even"};

struct ImageType {
    const char* format;  // as QImageReader names it
    const char* extension;
    const char* contentType;
};
inline constexpr std::array kImageTypes{
    ImageType{"png", "png", "image/png"}, ImageType{"jpeg", "jpeg", "image/jpeg"},
    ImageType{"bmp", "bmp", "image/bmp"}, ImageType{"gif", "gif", "image/gif"}};

inline constexpr int kFirstBookmarkId = 900000;

inline QString twips(double points) { return QString::number(std::lround(points * 20)); }

inline int orderOf(const auto& order, const QString& tag) {
    for (std::size_t i = 0; i < order.size(); ++i)
        if (tag == QLatin1String(order[i])) return int(i);
    return -1;
}

// The child `tag` of `parent`, made where the schema wants it when there is none.
inline QDomElement childInOrder(QDomElement parent, const QString& tag, const auto& order) {
    QDomElement existing = parent.firstChildElement(tag);
    if (!existing.isNull()) return existing;
    QDomElement child = parent.ownerDocument().createElement(tag);
    const int rank = orderOf(order, tag);
    for (QDomElement e = parent.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        if (orderOf(order, e.tagName()) > rank) return parent.insertBefore(child, e).toElement();
    }
    return parent.appendChild(child).toElement();
}

inline QDomElement valueElement(QDomElement parent, const QString& tag, const QString& value,
                                const auto& order) {
    QDomElement e = childInOrder(parent, tag, order);
    e.setAttribute(QStringLiteral("w:val"), xmlSafe(value));
    return e;
}

inline QDomElement appendElement(QDomElement parent, const QString& tag) {
    return parent.appendChild(parent.ownerDocument().createElement(tag)).toElement();
}

inline QDomElement appendValue(QDomElement parent, const QString& tag, const QString& value) {
    QDomElement e = appendElement(parent, tag);
    e.setAttribute(QStringLiteral("w:val"), xmlSafe(value));
    return e;
}

inline void applyRunFormat(QDomElement rPr, const RunFormat& format) {
    if (!format.fontName.isEmpty()) {
        QDomElement fonts = childInOrder(rPr, QStringLiteral("w:rFonts"), kRunPropertyOrder);
        for (const char* attribute : {"w:ascii", "w:hAnsi", "w:cs"})
            fonts.setAttribute(attribute, xmlSafe(format.fontName));
    }
    auto flag = [&](const char* tag, const std::optional<bool>& value, const char* on) {
        if (value) valueElement(rPr, tag, *value ? on : "0", kRunPropertyOrder);
    };
    flag("w:b", format.bold, "1");
    flag("w:i", format.italic, "1");
    flag("w:u", format.underline, "single");
    if (format.underline && !*format.underline) valueElement(rPr, "w:u", "none", kRunPropertyOrder);
    if (!format.color.isEmpty()) valueElement(rPr, "w:color", format.color, kRunPropertyOrder);
    if (format.sizePt > 0) {
        const QString halfPoints = QString::number(std::lround(format.sizePt * 2));
        valueElement(rPr, "w:sz", halfPoints, kRunPropertyOrder);
        valueElement(rPr, "w:szCs", halfPoints, kRunPropertyOrder);
    }
}

inline void applyParagraphFormat(QDomElement pPr, const ParagraphFormat& format) {
    static constexpr std::array kAlignments{"left", "center", "right", "both"};
    if (format.alignment)
        valueElement(pPr, "w:jc", kAlignments[std::size_t(*format.alignment)],
                     kParagraphPropertyOrder);
    if (format.leftIndentPt || format.firstLineIndentPt) {
        QDomElement ind = childInOrder(pPr, QStringLiteral("w:ind"), kParagraphPropertyOrder);
        if (format.leftIndentPt)
            ind.setAttribute(QStringLiteral("w:left"), twips(*format.leftIndentPt));
        if (format.firstLineIndentPt) {
            const double first = *format.firstLineIndentPt;
            ind.removeAttribute(QStringLiteral("w:hanging"));
            ind.removeAttribute(QStringLiteral("w:firstLine"));
            ind.setAttribute(
                first < 0 ? QStringLiteral("w:hanging") : QStringLiteral("w:firstLine"),
                twips(std::abs(first)));
        }
    }
    if (!format.tabStops.empty()) {
        static constexpr std::array kTabKinds{"left", "center", "right", "decimal"};
        QDomElement tabs = childInOrder(pPr, QStringLiteral("w:tabs"), kParagraphPropertyOrder);
        for (const TabStop& stop : format.tabStops) {
            QDomElement tab =
                appendValue(tabs, QStringLiteral("w:tab"), kTabKinds[std::size_t(stop.alignment)]);
            tab.setAttribute(QStringLiteral("w:pos"), twips(stop.positionPt));
        }
    }
    if (format.topBorder || format.bottomBorder) {
        QDomElement borders = childInOrder(pPr, QStringLiteral("w:pBdr"), kParagraphPropertyOrder);
        for (auto [wanted, tag] :
             {std::pair{format.topBorder, "w:top"}, std::pair{format.bottomBorder, "w:bottom"}}) {
            if (!wanted || !borders.firstChildElement(tag).isNull()) continue;
            QDomElement border = appendValue(borders, tag, QStringLiteral("single"));
            border.setAttribute(QStringLiteral("w:sz"), 6);
            border.setAttribute(QStringLiteral("w:space"), 1);
            border.setAttribute(QStringLiteral("w:color"), QStringLiteral("auto"));
        }
        // top must come before bottom
        QDomElement top = borders.firstChildElement(QStringLiteral("w:top"));
        if (!top.isNull()) borders.insertBefore(top, borders.firstChild());
    }
}

// "heading 1" is "Heading1", as Word names its own styles.
inline QString styleIdFrom(const QString& name) {
    QString id;
    bool wordStart = true;
    for (QChar c : name) {
        if (c.isLetterOrNumber()) id.append(wordStart ? c.toUpper() : c);
        wordStart = !c.isLetterOrNumber();
    }
    return id.isEmpty() ? QStringLiteral("Style") : id;
}

inline QDomElement newRoot(QDomDocument& document, const QString& tag) {
    QDomElement root = document.createElement(tag);
    root.setAttribute(QStringLiteral("xmlns:w"), kWordNamespace);
    root.setAttribute(QStringLiteral("xmlns:r"), kRelNamespace);
    root.setAttribute(QStringLiteral("xmlns:wp"), kWordDrawingNamespace);
    document.appendChild(root);
    return root;
}

// A small part written as a stream: relationships, content types, settings.
inline QByteArray streamPart(const std::function<void(QXmlStreamWriter&)>& body) {
    QByteArray data;
    QXmlStreamWriter xml(&data);
    xml.writeStartDocument(QStringLiteral("1.0"), true);
    body(xml);
    xml.writeEndDocument();
    return data;
}

inline void writeRelationship(QXmlStreamWriter& xml, const QString& id, const QString& type,
                              const QString& target, bool external = false) {
    xml.writeEmptyElement(QStringLiteral("Relationship"));
    xml.writeAttribute(QStringLiteral("Id"), id);
    xml.writeAttribute(QStringLiteral("Type"), type);
    xml.writeAttribute(QStringLiteral("Target"), target);
    if (external) xml.writeAttribute(QStringLiteral("TargetMode"), QStringLiteral("External"));
}

// A part's relationships: those of the builder's own, then those of content carried over.
inline QByteArray relationshipsPart(const std::vector<detail::Relationship>& own,
                                    const std::vector<detail::Relationship>& carried) {
    return streamPart([&](QXmlStreamWriter& xml) {
        xml.writeStartElement(QStringLiteral("Relationships"));
        xml.writeDefaultNamespace(
            QStringLiteral("http://schemas.openxmlformats.org/package/2006/relationships"));
        for (const auto* list : {&own, &carried})
            for (const detail::Relationship& r : *list)
                writeRelationship(xml, r.id, r.type, r.target, r.external);
        xml.writeEndElement();
    });
}

// "word/_rels/document.xml.rels" for "word/document.xml".
inline QString relationshipsPartOf(const QString& part) {
    const qsizetype slash = part.lastIndexOf(u'/');
    return part.left(slash + 1) + QStringLiteral("_rels/") + part.mid(slash + 1) +
           QStringLiteral(".rels");
}

// A block of the body as markup: what a paragraph or table of the body is until it is written
// out, far smaller and quicker than a tree.
struct TextParagraph {
    QString styleId;
    ParagraphFormat format;
    int numberingId = 0, numberingLevel = 0;
    QString runs;
    QString shown;  // the text a reader sees, for the contents
    bool written = false;
    bool inBody = true;      // or in a header or footer
    QStringList fieldCodes;  // of the fields in the runs
};

struct TextTable {
    QString styleId;
    QString cellStyleId;  // of every cell's paragraph
    std::vector<double> fixedWidths;
    bool headingRow = false;
    std::vector<std::vector<std::shared_ptr<TextParagraph>>> rows;
    bool written = false;
};

// Appends `text` as it stands in an element or an attribute value: markup characters, quotes,
// tabs and line ends escaped, characters that XML 1.0 cannot carry left out (as xmlSafe does).
// Every value of the body goes through here, so it appends straight into the markup.
inline void appendEscaped(QString& out, QStringView text) {
    const QChar* chars = text.data();
    qsizetype plain = 0;  // the start of the characters that go in as they are
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = chars[i].unicode();
        if (u >= 0x20 && u != u'&' && u != u'<' && u != u'>' && u != u'"' && u < 0xFFFE) continue;
        out.append(chars + plain, i - plain);
        plain = i + 1;
        if (u == u'&') out += QLatin1String("&amp;");
        if (u == u'<') out += QLatin1String("&lt;");
        if (u == u'>') out += QLatin1String("&gt;");
        if (u == u'"') out += QLatin1String("&quot;");
        // A reader turns a tab or line end written as it is in an attribute into a space.
        if (u == u'\t') out += QLatin1String("&#9;");
        if (u == u'\n') out += QLatin1String("&#10;");
        if (u == u'\r') out += QLatin1String("&#13;");
    }
    out.append(chars + plain, text.size() - plain);
}

// A tree keeps an element's attributes in an order of its own that changes from one run of the
// program to the next; written in a fixed order (declarations first, then by name), the same
// report gives the same document every time.
inline std::vector<QDomNode> inWritingOrder(const QDomNamedNodeMap& attributes) {
    std::vector<QDomNode> nodes;
    nodes.reserve(attributes.size());
    for (int i = 0; i < attributes.size(); ++i) nodes.push_back(attributes.item(i));
    if (nodes.size() > 1) {
        std::sort(nodes.begin(), nodes.end(), [](const QDomNode& a, const QDomNode& b) {
            const QString an = a.nodeName(), bn = b.nodeName();
            const bool aDeclares = an.startsWith(QLatin1String("xmlns"));
            const bool bDeclares = bn.startsWith(QLatin1String("xmlns"));
            return aDeclares != bDeclares ? aDeclares : an < bn;
        });
    }
    return nodes;
}

// Appends the node as markup, names as the tree holds them, prefixes included. A tree's own
// writer goes through a text stream character by character; this one appends whole strings.
inline void appendNode(QString& out, const QDomNode& node) {
    if (node.isElement()) {
        const QDomElement element = node.toElement();
        const QString tag = element.tagName();
        out += u'<';
        out += tag;
        for (const QDomNode& attribute : inWritingOrder(element.attributes())) {
            out += u' ';
            out += attribute.nodeName();
            out += QLatin1String("=\"");
            appendEscaped(out, attribute.nodeValue());
            out += u'"';
        }
        if (!element.hasChildNodes()) {
            out += QLatin1String("/>");
            return;
        }
        out += u'>';
        for (QDomNode child = element.firstChild(); !child.isNull(); child = child.nextSibling())
            appendNode(out, child);
        out += QLatin1String("</");
        out += tag;
        out += u'>';
    } else if (node.isText() || node.isCDATASection()) {
        appendEscaped(out, node.nodeValue());
    } else if (node.isProcessingInstruction()) {
        const QDomProcessingInstruction instruction = node.toProcessingInstruction();
        out += QLatin1String("<?") + instruction.target() + u' ' + instruction.data() +
               QLatin1String("?>");
    } else if (node.isComment()) {
        out += QLatin1String("<!--") + node.nodeValue() + QLatin1String("-->");
    }
}

inline QByteArray serialize(const QDomDocument& document) {
    QString markup =
        QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n");
    appendNode(markup, document.documentElement());
    return markup.toUtf8();
}

inline QString escaped(const QString& text) {
    QString out;
    out.reserve(text.size());
    appendEscaped(out, text);
    return out;
}

// Appends `<tag w:val="..."/>`, the value appended by `value`.
inline void appendValueOf(QString& out, const char* tag, const auto& value) {
    out += u'<';
    out += QLatin1String(tag);
    out += QLatin1String(" w:val=\"");
    value();
    out += QLatin1String("\"/>");
}

inline void appendValue(QString& out, const char* tag, QStringView value) {
    appendValueOf(out, tag, [&] { appendEscaped(out, value); });
}

// A value of this builder's own, which needs no escaping.
inline void appendValue(QString& out, const char* tag, const char* value) {
    appendValueOf(out, tag, [&] { out += QLatin1String(value); });
}

inline void appendValue(QString& out, const char* tag, qsizetype value) {
    appendValueOf(out, tag, [&] { out += QString::number(value); });
}

// Appends the run properties in the order the schema wants, as applyRunFormat writes them into a
// style; nothing when the format sets nothing.
inline void appendRunProperties(QString& out, const RunFormat& format) {
    const qsizetype start = out.size();
    out += QLatin1String("<w:rPr>");
    if (!format.fontName.isEmpty()) {
        for (const char* attribute : {"<w:rFonts w:ascii=\"", "\" w:hAnsi=\"", "\" w:cs=\""}) {
            out += QLatin1String(attribute);
            appendEscaped(out, format.fontName);
        }
        out += QLatin1String("\"/>");
    }
    if (format.bold) appendValue(out, "w:b", *format.bold ? "1" : "0");
    if (format.italic) appendValue(out, "w:i", *format.italic ? "1" : "0");
    if (!format.color.isEmpty()) appendValue(out, "w:color", format.color);
    if (format.sizePt > 0) {
        const qsizetype halfPoints = std::lround(format.sizePt * 2);
        appendValue(out, "w:sz", halfPoints);
        appendValue(out, "w:szCs", halfPoints);
    }
    if (format.underline) appendValue(out, "w:u", *format.underline ? "single" : "none");
    if (out.size() == start + 7)
        out.truncate(start);
    else
        out += QLatin1String("</w:rPr>");
}

inline QString runPropertiesMarkup(const RunFormat& format) {
    QString properties;
    appendRunProperties(properties, format);
    return properties;
}

inline QString runMarkup(const QString& content, const RunFormat& format = {}) {
    return QStringLiteral("<w:r>") + runPropertiesMarkup(format) + content +
           QStringLiteral("</w:r>");
}

// Appends a run of text to `out`; a tab or a line break inside the text is an element of its
// own. One pass over the text, straight into the markup: every line of the document goes
// through here.
inline void appendTextRun(QString& out, const QString& text, const RunFormat& format) {
    static const QString open = QStringLiteral("<w:t xml:space=\"preserve\">");
    out += QLatin1String("<w:r>");
    appendRunProperties(out, format);
    bool inText = false;
    const QChar* chars = text.constData();
    qsizetype plain = 0;  // the start of the characters that go in as they are
    const auto flushPlain = [&](qsizetype end) {
        if (end > plain) {
            if (!inText) out += open;
            inText = true;
            out.append(chars + plain, end - plain);
        }
        plain = end + 1;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = chars[i].unicode();
        if (u >= 0x20 && u != u'&' && u != u'<' && u != u'>' && u < 0xFFFE) continue;
        flushPlain(i);
        if (u == u'\t' || u == u'\n') {
            if (inText) out += QLatin1String("</w:t>");
            inText = false;
            out += u == u'\t' ? QLatin1String("<w:tab/>") : QLatin1String("<w:br/>");
            continue;
        }
        // Characters that XML 1.0 cannot carry are left out, as xmlSafe does.
        if (u < 0x20 || u >= 0xFFFE) continue;
        if (!inText) out += open;
        inText = true;
        out += u == u'&'   ? QLatin1String("&amp;")
               : u == u'<' ? QLatin1String("&lt;")
                           : QLatin1String("&gt;");
    }
    flushPlain(text.size());
    if (inText) out += QLatin1String("</w:t>");
    out += QLatin1String("</w:r>");
}

inline QString textRunMarkup(const QString& text, const RunFormat& format) {
    QString markup;
    appendTextRun(markup, text, format);
    return markup;
}

inline QString fieldCharMarkup(const char* type, const RunFormat& format) {
    return runMarkup(QStringLiteral("<w:fldChar w:fldCharType=\"%1\"/>").arg(QLatin1String(type)),
                     format);
}

// Appends the paragraph's properties, in the schema's order, to `out`.
inline void appendParagraphProperties(QString& out, const detail::TextParagraph& paragraph) {
    static constexpr std::array kAlignments{"left", "center", "right", "both"};
    static constexpr std::array kTabKinds{"left", "center", "right", "decimal"};
    const ParagraphFormat& format = paragraph.format;
    const qsizetype start = out.size();
    out += QLatin1String("<w:pPr>");
    if (!paragraph.styleId.isEmpty()) appendValue(out, "w:pStyle", paragraph.styleId);
    if (paragraph.numberingId > 0) {
        out += QLatin1String("<w:numPr>");
        appendValue(out, "w:ilvl", paragraph.numberingLevel);
        appendValue(out, "w:numId", paragraph.numberingId);
        out += QLatin1String("</w:numPr>");
    }
    if (format.topBorder || format.bottomBorder) {
        out += QLatin1String("<w:pBdr>");
        if (format.topBorder)
            out += QLatin1String(
                "<w:top w:val=\"single\" w:sz=\"6\" w:space=\"1\" w:color=\"auto\"/>");
        if (format.bottomBorder)
            out += QLatin1String(
                "<w:bottom w:val=\"single\" w:sz=\"6\" w:space=\"1\" w:color=\"auto\"/>");
        out += QLatin1String("</w:pBdr>");
    }
    if (!format.tabStops.empty()) {
        out += QLatin1String("<w:tabs>");
        for (const TabStop& stop : format.tabStops) {
            out += QLatin1String("<w:tab w:val=\"");
            out += QLatin1String(kTabKinds[std::size_t(stop.alignment)]);
            out += QLatin1String("\" w:pos=\"") + twips(stop.positionPt) + QLatin1String("\"/>");
        }
        out += QLatin1String("</w:tabs>");
    }
    if (format.leftIndentPt || format.firstLineIndentPt) {
        out += QLatin1String("<w:ind");
        if (format.leftIndentPt)
            out += QLatin1String(" w:left=\"") + twips(*format.leftIndentPt) + u'"';
        if (format.firstLineIndentPt)
            out += (*format.firstLineIndentPt < 0 ? QLatin1String(" w:hanging=\"")
                                                  : QLatin1String(" w:firstLine=\"")) +
                   twips(std::abs(*format.firstLineIndentPt)) + u'"';
        out += QLatin1String("/>");
    }
    if (format.alignment) appendValue(out, "w:jc", kAlignments[std::size_t(*format.alignment)]);
    if (out.size() == start + 7)
        out.truncate(start);  // no properties
    else
        out += QLatin1String("</w:pPr>");
}

inline bool sameProperties(const detail::TextParagraph& a, const detail::TextParagraph& b) {
    const ParagraphFormat &f = a.format, &g = b.format;
    return a.styleId == b.styleId && a.numberingId == b.numberingId &&
           a.numberingLevel == b.numberingLevel && f.alignment == g.alignment &&
           f.leftIndentPt == g.leftIndentPt && f.firstLineIndentPt == g.firstLineIndentPt &&
           std::equal(f.tabStops.begin(), f.tabStops.end(), g.tabStops.begin(), g.tabStops.end(),
                      [](const TabStop& s, const TabStop& t) {
                          return s.positionPt == t.positionPt && s.alignment == t.alignment;
                      }) &&
           f.bottomBorder == g.bottomBorder && f.topBorder == g.topBorder;
}

// The properties of the paragraph written last, as markup: paragraphs in a row mostly share
// their style and format.
struct LastProperties {
    TextParagraph paragraph;  // its properties only
    QString markup;
};

inline void appendParagraphProperties(QString& out, const detail::TextParagraph& paragraph,
                                      detail::LastProperties* last) {
    if (!last) return appendParagraphProperties(out, paragraph);
    if (!sameProperties(paragraph, last->paragraph)) {
        last->paragraph.styleId = paragraph.styleId;
        last->paragraph.format = paragraph.format;
        last->paragraph.numberingId = paragraph.numberingId;
        last->paragraph.numberingLevel = paragraph.numberingLevel;
        last->markup.truncate(0);
        appendParagraphProperties(last->markup, paragraph);
    }
    out += last->markup;
}

inline void appendParagraph(QString& out, const detail::TextParagraph& paragraph,
                            detail::LastProperties* last = nullptr) {
    out += QLatin1String("<w:p>");
    appendParagraphProperties(out, paragraph, last);
    out += paragraph.runs;
    out += QLatin1String("</w:p>");
}

// Later formatting adds to earlier: what it sets replaces, tab stops and borders add up.
inline void mergeFormat(ParagraphFormat& into, const ParagraphFormat& format) {
    if (format.alignment) into.alignment = format.alignment;
    if (format.leftIndentPt) into.leftIndentPt = format.leftIndentPt;
    if (format.firstLineIndentPt) into.firstLineIndentPt = format.firstLineIndentPt;
    into.tabStops.insert(into.tabStops.end(), format.tabStops.begin(), format.tabStops.end());
    into.topBorder = into.topBorder || format.topBorder;
    into.bottomBorder = into.bottomBorder || format.bottomBorder;
}

// The widths of a table's columns: those given, and an equal share of the rest for the others.
inline std::vector<double> columnWidths(const std::vector<double>& fixedWidths,
                                        double bodyWidthPt) {
    double fixed = 0;
    int shared = 0;
    for (double w : fixedWidths) {
        fixed += w;
        shared += w > 0 ? 0 : 1;
    }
    const double share = shared > 0 ? std::max(0.0, bodyWidthPt - fixed) / shared : 0;
    std::vector<double> widths;
    for (double w : fixedWidths) widths.push_back(w > 0 ? w : share);
    return widths;
}

// The mark in a header's or footer's tree where a paragraph kept as markup goes.
inline constexpr auto kKeptBlock = "tavrin-block";

inline constexpr auto kWrittenOut =
    "the block has been written out: only the body's last block can change";

}  // namespace tvdocx::detail
