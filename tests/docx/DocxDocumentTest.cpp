#include <gtest/gtest.h>
#include <quazip.h>
#include <quazipfileinfo.h>

#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>
#include <functional>
#include <future>

#include "DocxDocument.h"
#include "DocxPackage.h"
#include "FullDiskSeam.h"
#include "PngImage.h"
#include "QtPrinters.h"

using namespace tvdocx;

namespace {

const QString W = QStringLiteral("http://schemas.openxmlformats.org/wordprocessingml/2006/main");
const QString R =
    QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships");
const QString A = QStringLiteral("http://schemas.openxmlformats.org/drawingml/2006/main");
const QString PKG = QStringLiteral("http://schemas.openxmlformats.org/package/2006/relationships");
const QString TYPES =
    QStringLiteral("http://schemas.openxmlformats.org/package/2006/content-types");

// A saved package, opened again with every XML part parsed with namespaces: a prefix that is
// not declared fails the parse.
class SavedPackage {
public:
    explicit SavedPackage(const QString& path) {
        QString error;
        auto read = readPackage(path, &error);
        if (!read) throw std::runtime_error(error.toStdString());
        parts = *read;
    }
    QDomDocument xml(const QString& name) const {
        const auto it = parts.find(name);
        if (it == parts.end()) throw std::runtime_error(("no part " + name).toStdString());
        QDomDocument document;
        QString message;
        if (!document.setContent(it->second, true, &message))
            throw std::runtime_error((name + ": " + message).toStdString());
        return document;
    }
    bool has(const QString& name) const { return parts.count(name) == 1; }
    PackageParts parts;
};

QList<QDomElement> elements(const QDomNode& root, const QString& ns, const QString& name) {
    QList<QDomElement> found;
    const QDomNodeList list = root.isDocument() ? root.toDocument().elementsByTagNameNS(ns, name)
                                                : root.toElement().elementsByTagNameNS(ns, name);
    for (int i = 0; i < list.size(); ++i) found.append(list.at(i).toElement());
    return found;
}

QString text(const QDomElement& element) {
    QString all;
    for (const QDomElement& t : elements(element, W, QStringLiteral("t"))) all += t.text();
    return all;
}

QString relationshipTarget(const QDomDocument& rels, const QString& id) {
    for (const QDomElement& r : elements(rels, PKG, QStringLiteral("Relationship")))
        if (r.attribute(QStringLiteral("Id")) == id) return r.attribute(QStringLiteral("Target"));
    return {};
}

class DocxDocumentTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }
    SavedPackage saved(const Document& document, const QString& name = QStringLiteral("out.docx")) {
        QString error;
        EXPECT_TRUE(document.save(path(name), &error)) << error.toStdString();
        return SavedPackage(path(name));
    }
    QTemporaryDir dir;
};

TEST_F(DocxDocumentTest, EveryPartIsDeclaredAndEveryRelationshipHasItsPart) {
    Document document;
    const QString picture = path(QStringLiteral("temp0.bmp"));
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(Qt::blue);
    ASSERT_TRUE(image.save(picture, "BMP"));
    document.header().addParagraph().text(QStringLiteral("Report Documentation"));
    document.footer()
        .addParagraph()
        .text(QStringLiteral("Page "))
        .field(QStringLiteral(" PAGE "), QStringLiteral("1"));
    document.addNumbering({ListLevel{QStringLiteral("%1."), QStringLiteral("decimal"), 1, 0, 21.6,
                                     QStringLiteral("Heading 1")}});
    document.body().addTableOfContents(1, 3, QStringLiteral("TOC 1"));
    document.body().addParagraph().picture(picture);

    const SavedPackage package = saved(document);
    const QDomDocument types = package.xml(QStringLiteral("[Content_Types].xml"));
    QStringList overridden;
    for (const QDomElement& o : elements(types, TYPES, QStringLiteral("Override"))) {
        overridden.append(o.attribute(QStringLiteral("PartName")));
        EXPECT_TRUE(package.has(o.attribute(QStringLiteral("PartName")).mid(1)))
            << o.attribute(QStringLiteral("PartName")).toStdString();
    }
    for (const char* part : {"/word/document.xml", "/word/styles.xml", "/word/settings.xml",
                             "/word/numbering.xml", "/word/header1.xml", "/word/footer1.xml"})
        EXPECT_TRUE(overridden.contains(QLatin1String(part))) << part;
    QStringList byExtension;
    for (const QDomElement& d : elements(types, TYPES, QStringLiteral("Default")))
        byExtension.append(d.attribute(QStringLiteral("Extension")) + "=" +
                           d.attribute(QStringLiteral("ContentType")));
    EXPECT_TRUE(byExtension.contains(QStringLiteral("bmp=image/bmp")));

    EXPECT_EQ(
        relationshipTarget(package.xml(QStringLiteral("_rels/.rels")), QStringLiteral("rId1")),
        QStringLiteral("word/document.xml"));
    const QDomDocument rels = package.xml(QStringLiteral("word/_rels/document.xml.rels"));
    for (const QDomElement& r : elements(rels, PKG, QStringLiteral("Relationship")))
        EXPECT_TRUE(package.has("word/" + r.attribute(QStringLiteral("Target"))))
            << r.attribute(QStringLiteral("Target")).toStdString();

    // The body's section names the header and footer through relationships of those kinds.
    const QDomDocument body = package.xml(QStringLiteral("word/document.xml"));
    const QDomElement header = elements(body, W, QStringLiteral("headerReference")).value(0);
    const QDomElement footer = elements(body, W, QStringLiteral("footerReference")).value(0);
    EXPECT_EQ(relationshipTarget(rels, header.attributeNS(R, QStringLiteral("id"))),
              QStringLiteral("header1.xml"));
    EXPECT_EQ(relationshipTarget(rels, footer.attributeNS(R, QStringLiteral("id"))),
              QStringLiteral("footer1.xml"));
    EXPECT_EQ(text(package.xml(QStringLiteral("word/header1.xml")).documentElement()),
              QStringLiteral("Report Documentation"));
    // The section comes last in the body.
    EXPECT_EQ(body.documentElement().firstChildElement().lastChildElement().localName(),
              QStringLiteral("sectPr"));
}

TEST_F(DocxDocumentTest, ParagraphsCarryTheirStyleFormatAndRuns) {
    Document document;
    RunFormat bold;
    bold.bold = true;
    ParagraphFormat indent;
    indent.leftIndentPt = 54;
    indent.firstLineIndentPt = -36;
    indent.alignment = Alignment::Center;
    document.body()
        .addParagraph(QStringLiteral("Heading 1"))
        .text(QStringLiteral("Sales\tReport"), bold)
        .format(indent);
    // Text that XML cannot carry is left out rather than spoiling the part.
    document.body().addParagraph().text(
        QStringLiteral("a\x01"
                       "b"));
    document.body().addParagraph().text(QStringLiteral("1 < 2 & 3 > 2\tend\r\nnext"));

    const QDomDocument body = saved(document).xml(QStringLiteral("word/document.xml"));
    const QList<QDomElement> paragraphs = elements(body, W, QStringLiteral("p"));
    ASSERT_GE(paragraphs.size(), 2);
    const QDomElement first = paragraphs[0];
    EXPECT_EQ(
        elements(first, W, QStringLiteral("pStyle")).value(0).attributeNS(W, QStringLiteral("val")),
        QStringLiteral("Heading1"));
    EXPECT_EQ(text(first), QStringLiteral("SalesReport"));
    EXPECT_EQ(elements(first, W, QStringLiteral("tab")).size(), 1);
    EXPECT_EQ(elements(first, W, QStringLiteral("b")).size(), 1);
    const QDomElement ind = elements(first, W, QStringLiteral("ind")).value(0);
    EXPECT_EQ(ind.attributeNS(W, QStringLiteral("left")), QStringLiteral("1080"));
    EXPECT_EQ(ind.attributeNS(W, QStringLiteral("hanging")), QStringLiteral("720"));
    EXPECT_EQ(
        elements(first, W, QStringLiteral("jc")).value(0).attributeNS(W, QStringLiteral("val")),
        QStringLiteral("center"));
    // Properties come before the runs.
    EXPECT_EQ(first.firstChildElement().localName(), QStringLiteral("pPr"));
    EXPECT_EQ(text(paragraphs[1]), QStringLiteral("ab"));
    EXPECT_EQ(text(paragraphs[2]), QStringLiteral("1 < 2 & 3 > 2endnext"));
    EXPECT_EQ(elements(paragraphs[2], W, QStringLiteral("br")).size(), 1);
}

// Values in attributes of the body (font names, colours, field codes) may hold quotes,
// markup characters and characters XML cannot carry; each must come back as written, less those.
TEST_F(DocxDocumentTest, AttributeValuesOfTheBodyAreEscaped) {
    Document document;
    const QString odd = QStringLiteral("A \"B\" & <C>\x01\t'D'");
    RunFormat font;
    font.fontName = odd;
    font.color = QStringLiteral("FF\"00");
    document.body().addParagraph().text(QStringLiteral("x"), font);
    document.body().addParagraph().simpleField(odd, QStringLiteral("y")).field(odd);

    const QDomDocument body = saved(document).xml(QStringLiteral("word/document.xml"));
    const QString kept = QStringLiteral("A \"B\" & <C>\t'D'");
    const auto value = [&](const QString& tag, const QString& attribute) {
        return elements(body, W, tag).value(0).attributeNS(W, attribute);
    };
    for (const char* attribute : {"ascii", "hAnsi", "cs"})
        EXPECT_EQ(value(QStringLiteral("rFonts"), QLatin1String(attribute)), kept) << attribute;
    EXPECT_EQ(value(QStringLiteral("color"), QStringLiteral("val")), QStringLiteral("FF\"00"));
    EXPECT_EQ(value(QStringLiteral("fldSimple"), QStringLiteral("instr")), kept);
    EXPECT_EQ(elements(body, W, QStringLiteral("instrText")).value(0).text(), kept);
}

TEST_F(DocxDocumentTest, TablesHoldTheirRowsAndCells) {
    Document document;
    Table table = document.body().addTable(2, 3, QStringLiteral("Table Grid"));
    table.cell(0, 0).text(QStringLiteral("ID"));
    table.cell(1, 2).text(QStringLiteral("Text Object"));
    Table handle = table;  // copies are handles onto one table
    handle.addRow();
    EXPECT_EQ(table.rowCount(), 3);
    table.cell(2, 1).text(QStringLiteral("last"));

    const QDomDocument body = saved(document).xml(QStringLiteral("word/document.xml"));
    const QDomElement tbl = elements(body, W, QStringLiteral("tbl")).value(0);
    EXPECT_EQ(
        elements(tbl, W, QStringLiteral("tblStyle")).value(0).attributeNS(W, QStringLiteral("val")),
        QStringLiteral("TableGrid"));
    EXPECT_EQ(elements(tbl, W, QStringLiteral("gridCol")).size(), 3);
    const QList<QDomElement> rows = elements(tbl, W, QStringLiteral("tr"));
    ASSERT_EQ(rows.size(), 3);
    for (const QDomElement& row : rows) EXPECT_EQ(elements(row, W, QStringLiteral("tc")).size(), 3);
    // Every cell holds a paragraph, even an empty one.
    EXPECT_EQ(elements(tbl, W, QStringLiteral("p")).size(), 9);
    EXPECT_EQ(text(elements(rows[0], W, QStringLiteral("tc"))[0]), QStringLiteral("ID"));
    EXPECT_EQ(text(elements(rows[1], W, QStringLiteral("tc"))[2]), QStringLiteral("Text Object"));
    EXPECT_EQ(text(elements(rows[2], W, QStringLiteral("tc"))[1]), QStringLiteral("last"));
    // A table is never the body's last block: a paragraph follows it.
    EXPECT_EQ(tbl.nextSiblingElement().localName(), QStringLiteral("p"));
}

// An operation that cannot do its work fails the document with its reason: what follows
// changes nothing, and neither a save nor the parts give a half-made document. Its neighbours,
// the operations just inside the bounds, leave the document whole.
TEST_F(DocxDocumentTest, AnOperationThatCannotWorkFailsTheDocumentWhichThenChangesNoMore) {
    const QString picture = path(QStringLiteral("small.png"));
    QImage image(8, 4, QImage::Format_RGB32);
    image.fill(Qt::green);
    ASSERT_TRUE(image.save(picture, "PNG"));
    const QString notPicture = path(QStringLiteral("notes.txt"));
    QFile file(notPicture);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a picture");
    file.close();
    const QString noStyle = QStringLiteral("TV_Property_Title_Style");
    const char* const noStyleFailure = "the document holds no style TV_Property_Title_Style";
    const char* const writtenOut = "the block has been written out";

    struct Case {
        const char* what;
        std::function<void(Document&)> operation;
        const char* failure;  // nullptr: the document stays whole
    };
    const std::vector<Case> cases{
        {"a cell below the table", [](Document& d) { d.body().addTable(3, 2).cell(3, 0); },
         "no cell 3, 0 in a table of 3 by 2"},
        {"a cell right of the table", [](Document& d) { d.body().addTable(3, 2).cell(0, 2); },
         "no cell 0, 2 in a table of 3 by 2"},
        {"the last cell",
         [](Document& d) { d.body().addTable(3, 2).cell(2, 1).text(QStringLiteral("x")); },
         nullptr},
        {"a table without rows", [](Document& d) { d.body().addTable(0, 2); },
         "a table needs at least one row and one column"},
        {"a table without columns", [](Document& d) { d.header().addTable(1, 0); },
         "a table needs at least one row and one column"},
        {"a table of one cell", [](Document& d) { d.header().addTable(1, 1).cell(0, 0); }, nullptr},
        {"a style the document lacks",
         [&](Document& d) { d.body().addParagraph(noStyle).text(QStringLiteral("x")); },
         noStyleFailure},
        {"a style in a header", [&](Document& d) { d.header().addParagraph(noStyle); },
         noStyleFailure},
        {"a table's cell style", [&](Document& d) { d.body().addTable(1, 1, {}, noStyle); },
         noStyleFailure},
        {"a style named in other letters",
         [](Document& d) { d.body().addParagraph(QStringLiteral("HEADING 1")); }, nullptr},
        {"a style a new one is based on",
         [&](Document& d) {
             StyleDefinition mine;
             mine.name = QStringLiteral("Mine");
             mine.basedOn = noStyle;
             d.setStyle(mine);
         },
         noStyleFailure},
        {"a numbering of a style the document lacks",
         [&](Document& d) {
             d.addNumbering({ListLevel{{}, {}, 1, 0, 0, noStyle}});
         },
         noStyleFailure},
        {"a numbering of ten levels",
         [](Document& d) { d.addNumbering(std::vector<ListLevel>(10)); },
         "a numbering has one to nine levels"},
        {"a numbering of nine levels",
         [](Document& d) { d.addNumbering(std::vector<ListLevel>(9)); }, nullptr},
        {"a file that is no picture",
         [&](Document& d) { d.body().addParagraph().picture(notPicture); },
         "not a picture that a document can hold: "},
        {"a picture file that is missing",
         [&](Document& d) { d.body().addParagraph().picture(path(QStringLiteral("no.png"))); },
         "picture cannot be read: "},
        {"a picture in a header", [&](Document& d) { d.header().addParagraph().picture(picture); },
         "pictures go in the body of the document"},
        {"a picture in the body", [&](Document& d) { d.body().addParagraph().picture(picture); },
         nullptr},
        {"a paragraph written out",
         [](Document& d) {
             Paragraph first = d.body().addParagraph();
             d.body().addParagraph();
             first.text(QStringLiteral("late"));
         },
         writtenOut},
        {"a table written out",
         [](Document& d) {
             Table table = d.body().addTable(1, 1);
             d.body().addParagraph();
             table.cell(0, 0);
         },
         writtenOut},
        {"the body's last block",
         [](Document& d) {
             Table table = d.body().addTable(1, 1);
             table.addRow();
             table.cell(1, 0).text(QStringLiteral("late"));
         },
         nullptr},
    };
    const QString earlier = path(QStringLiteral("earlier.docx"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Document document;
        document.body().addParagraph().text(QStringLiteral("before"));
        c.operation(document);
        // What comes after a failure leaves no trace.
        document.body().addParagraph().text(QStringLiteral("after"));
        if (!c.failure) {
            EXPECT_EQ(document.failure(), QString());
            const QDomDocument body = saved(document).xml(QStringLiteral("word/document.xml"));
            EXPECT_TRUE(text(body.documentElement()).endsWith(QStringLiteral("after")));
            continue;
        }
        const QString first = document.failure();
        EXPECT_TRUE(first.startsWith(QLatin1String(c.failure))) << first.toStdString();
        document.body().addTable(0, 0);
        document.body().addParagraph(QStringLiteral("No Such Style"));
        EXPECT_EQ(document.failure(), first);  // the first failure is the one kept
        QString error;
        EXPECT_TRUE(document.parts(&error).empty());
        EXPECT_EQ(error, first);
        QFile old(earlier);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("the earlier document");
        old.close();
        EXPECT_FALSE(document.save(earlier, &error));
        EXPECT_EQ(error, earlier + QStringLiteral(" cannot be written: ") + first);
        ASSERT_TRUE(old.open(QIODevice::ReadOnly));
        EXPECT_EQ(old.readAll(), QByteArray("the earlier document"));
        old.close();
        EXPECT_FALSE(document.loadTemplateStyles(picture, &error));
        EXPECT_EQ(error, first);
    }
}

TEST_F(DocxDocumentTest, InlinePictureIsEmbeddedThroughItsRelationship) {
    Document document;
    const QString picture = path(QStringLiteral("layout.png"));
    QImage image(96, 48, QImage::Format_RGB32);
    image.fill(Qt::red);
    image.setDotsPerMeterX(3780);  // 96 dots to the inch
    image.setDotsPerMeterY(3780);
    ASSERT_TRUE(image.save(picture, "PNG"));
    document.body().addParagraph().picture(picture);
    QFile::remove(picture);  // the document keeps its own copy

    const SavedPackage package = saved(document);
    const QDomDocument body = package.xml(QStringLiteral("word/document.xml"));
    const QDomElement blip = elements(body, A, QStringLiteral("blip")).value(0);
    const QString target =
        relationshipTarget(package.xml(QStringLiteral("word/_rels/document.xml.rels")),
                           blip.attributeNS(R, QStringLiteral("embed")));
    ASSERT_FALSE(target.isEmpty());
    QImage back;
    ASSERT_TRUE(back.loadFromData(package.parts.at("word/" + target)));
    EXPECT_EQ(back.size(), QSize(96, 48));
    const QDomElement extent =
        elements(body,
                 QStringLiteral(
                     "http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing"),
                 QStringLiteral("extent"))
            .value(0);
    EXPECT_NEAR(extent.attribute(QStringLiteral("cx")).toDouble(), 914400, 1000);  // one inch
    EXPECT_NEAR(extent.attribute(QStringLiteral("cy")).toDouble(), 457200, 1000);
}

// A picture drawn in memory is stored without loss: every pixel, its transparency and its
// resolution come back as they were, whatever the image's format and width.
TEST(PngImage, PicturesComeBackPixelForPixel) {
    const auto drawing = [](QSize size, QImage::Format format) {
        QImage image(size, format);
        image.fill(Qt::white);
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                if ((x * 7 + y * 3) % 11 < 3 || y == size.height() / 2)
                    image.setPixelColor(
                        x, y, QColor((x * 37) % 256, (y * 91) % 256, 200, (x + y) % 2 ? 255 : 90));
        return image;
    };
    struct Case {
        QSize size;
        QImage::Format format;
    };
    for (const Case& c :
         {Case{{1, 1}, QImage::Format_RGB32}, Case{{33, 17}, QImage::Format_RGB32},
          Case{{40, 9}, QImage::Format_ARGB32}, Case{{7, 30}, QImage::Format_RGB888},
          Case{{5, 5}, QImage::Format_Grayscale8}, Case{{700, 40}, QImage::Format_RGB32},
          Case{{300, 20}, QImage::Format_ARGB32}}) {
        QImage image = drawing(c.size, c.format);
        if (c.size.width() >= 300) {
            // Runs of many lengths, some longer than a copy, and noise of every byte value.
            QRandomGenerator random(c.size.width());
            for (int y = 0; y < 6; ++y)
                for (int x = 0; x < c.size.width(); ++x)
                    image.setPixel(x, y, random.generate() | (y % 2 ? 0xFF000000u : 0u));
            // Rows in fours that repeat the row above.
            for (int y = 6; y < c.size.height(); ++y)
                for (int x = 0; x < c.size.width(); ++x)
                    image.setPixel(x, y,
                                   x < (y / 4 * 29) % c.size.width() ? 0xFF103050 : 0xFFFFFFFF);
        }
        image.setDotsPerMeterX(3780);
        image.setDotsPerMeterY(5000);
        const QByteArray png = pngOf(image);
        QImage back;
        ASSERT_TRUE(back.loadFromData(png, "PNG")) << c.size.width();
        // The packed rows unpack whole, their checksum agreeing.
        const qsizetype idat = png.indexOf("IDAT");
        ASSERT_GT(idat, 4);
        const quint32 packedSize = qFromBigEndian<quint32>(png.constData() + idat - 4);
        const quint32 rowsSize =
            quint32(image.height() * (1 + image.width() * (image.hasAlphaChannel() ? 4 : 3)));
        char expected[4];
        qToBigEndian(rowsSize, expected);
        EXPECT_EQ(qUncompress(QByteArray(expected, 4) + png.mid(idat + 4, packedSize)).size(),
                  rowsSize)
            << c.size.width();
        EXPECT_EQ(back.size(), image.size());
        EXPECT_EQ(back.hasAlphaChannel(), image.hasAlphaChannel());
        EXPECT_EQ(back.dotsPerMeterX(), 3780);
        EXPECT_EQ(back.dotsPerMeterY(), 5000);
        const QImage::Format common =
            image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32;
        EXPECT_EQ(back.convertToFormat(common), image.convertToFormat(common))
            << c.size.width() << "x" << c.size.height();
    }
    EXPECT_TRUE(pngOf(QImage()).isEmpty());
}

TEST_F(DocxDocumentTest, FieldsKeepTheirCodes) {
    Document document;
    document.footer()
        .addParagraph()
        .text(QStringLiteral("Page "))
        .field(QStringLiteral(" PAGE "), QStringLiteral("1"))
        .text(QStringLiteral("  of  "))
        .simpleField(QStringLiteral(" NUMPAGES "), QStringLiteral("1"));
    document.body().addTableOfContents(1, 3, QStringLiteral("TOC 1"));
    document.body().addParagraph().field(QStringLiteral(" DOCPROPERTY ReportName "));

    const SavedPackage package = saved(document);
    const QDomDocument footer = package.xml(QStringLiteral("word/footer1.xml"));
    QStringList sequence;
    for (const QDomElement& c : elements(footer, W, QStringLiteral("fldChar")))
        sequence.append(c.attributeNS(W, QStringLiteral("fldCharType")));
    EXPECT_EQ(sequence, QStringList({"begin", "separate", "end"}));
    EXPECT_EQ(elements(footer, W, QStringLiteral("instrText")).value(0).text(),
              QStringLiteral(" PAGE "));
    const QDomElement simple = elements(footer, W, QStringLiteral("fldSimple")).value(0);
    EXPECT_EQ(simple.attributeNS(W, QStringLiteral("instr")), QStringLiteral(" NUMPAGES "));
    EXPECT_EQ(text(simple), QStringLiteral("1"));

    const QDomDocument body = package.xml(QStringLiteral("word/document.xml"));
    const QList<QDomElement> codes = elements(body, W, QStringLiteral("instrText"));
    ASSERT_EQ(codes.size(), 2);
    EXPECT_EQ(codes[0].text(), QStringLiteral(" TOC \\o \"1-3\" \\h \\z \\u "));
    EXPECT_EQ(codes[1].text(), QStringLiteral(" DOCPROPERTY ReportName "));
    // The table of contents is filled when the document is opened.
    EXPECT_EQ(elements(body, W, QStringLiteral("fldChar"))
                  .value(0)
                  .attributeNS(W, QStringLiteral("dirty")),
              QStringLiteral("true"));
    EXPECT_EQ(elements(package.xml(QStringLiteral("word/settings.xml")), W,
                       QStringLiteral("updateFields"))
                  .size(),
              1);
}

TEST_F(DocxDocumentTest, FieldsAreReplacedByTheirValuesWhereTheCodeMatchesExactly) {
    Document document;
    document.body()
        .addParagraph()
        .text(QStringLiteral("Report: "))
        .simpleField(QStringLiteral(" ReportName "), QStringLiteral("x"))
        .field(QStringLiteral(" ReportName "), QStringLiteral("y"))  // adjacent: both go
        .simpleField(QStringLiteral("ReportName"))
        .field(QStringLiteral(" reportname "))
        .text(QStringLiteral(" end"));
    document.header().addParagraph().field(QStringLiteral(" ReportRevision "));
    const int replaced = document.replaceFields([](const QString& code) -> std::optional<QString> {
        if (code == QLatin1String(" ReportName ")) return QStringLiteral("Sales.rpt");
        if (code == QLatin1String(" ReportRevision ")) return QStringLiteral("12");
        return std::nullopt;
    });
    EXPECT_EQ(replaced, 3);

    const SavedPackage package = saved(document);
    const QDomDocument body = package.xml(QStringLiteral("word/document.xml"));
    const QDomElement paragraph = elements(body, W, QStringLiteral("p")).value(0);
    EXPECT_EQ(text(paragraph), QStringLiteral("Report: Sales.rptSales.rpt end"));
    EXPECT_EQ(elements(body, W, QStringLiteral("fldSimple")).size(), 1);
    EXPECT_EQ(elements(body, W, QStringLiteral("instrText")).value(0).text(),
              QStringLiteral(" reportname "));
    const QDomDocument header = package.xml(QStringLiteral("word/header1.xml"));
    EXPECT_EQ(text(header.documentElement()), QStringLiteral("12"));
    EXPECT_TRUE(elements(header, W, QStringLiteral("fldChar")).isEmpty());
}

TEST_F(DocxDocumentTest, HeadingNumberingIsLinkedToTheHeadingStyles) {
    Document document;
    std::vector<ListLevel> levels;
    for (int level = 1; level <= 3; ++level)
        levels.push_back(ListLevel{QStringLiteral("%1."), QStringLiteral("decimal"), 1, 0, 21.6,
                                   QStringLiteral("Heading %1").arg(level)});
    const int id = document.addNumbering(levels);

    const SavedPackage package = saved(document);
    const QDomDocument numbering = package.xml(QStringLiteral("word/numbering.xml"));
    const QList<QDomElement> lvls = elements(numbering, W, QStringLiteral("lvl"));
    ASSERT_EQ(lvls.size(), 3);
    EXPECT_EQ(elements(lvls[1], W, QStringLiteral("pStyle"))
                  .value(0)
                  .attributeNS(W, QStringLiteral("val")),
              QStringLiteral("Heading2"));
    EXPECT_EQ(elements(numbering, W, QStringLiteral("num"))
                  .value(0)
                  .attributeNS(W, QStringLiteral("numId")),
              QString::number(id));
    // The style names the list, so every heading of that style is numbered.
    const QDomDocument styles = package.xml(QStringLiteral("word/styles.xml"));
    for (const QDomElement& style : elements(styles, W, QStringLiteral("style"))) {
        if (style.attributeNS(W, QStringLiteral("styleId")) != QLatin1String("Heading3")) continue;
        EXPECT_EQ(elements(style, W, QStringLiteral("ilvl"))
                      .value(0)
                      .attributeNS(W, QStringLiteral("val")),
                  QStringLiteral("2"));
        EXPECT_EQ(elements(style, W, QStringLiteral("numId"))
                      .value(0)
                      .attributeNS(W, QStringLiteral("val")),
                  QString::number(id));
    }
}

TEST_F(DocxDocumentTest, StylesAreFoundByNameAndChangedInPlace) {
    Document document;
    EXPECT_TRUE(document.hasStyle(QStringLiteral("Heading 1")));
    EXPECT_TRUE(document.hasStyle(QStringLiteral("TOC 1")));
    EXPECT_FALSE(document.hasStyle(QStringLiteral("TV_Property_Title_Style")));

    StyleDefinition title{QStringLiteral("TV_Property_Title_Style"),
                          StyleType::Paragraph,
                          QStringLiteral("Normal"),
                          {},
                          {},
                          {},
                          0};
    title.font.underline = true;
    title.font.italic = true;
    document.setStyle(title);
    StyleDefinition heading{QStringLiteral("Heading 1"), StyleType::Paragraph, {}, {}, {}, {}, 0};
    heading.font.fontName = QStringLiteral("Arial");
    heading.font.color = QStringLiteral("FF0000");
    document.setStyle(heading);
    const int before = document.styleNames().size();
    document.setStyle(heading);
    EXPECT_EQ(document.styleNames().size(), before);
    document.body()
        .addParagraph(QStringLiteral("TV_Property_Title_Style"))
        .text(QStringLiteral("Name:"));

    const SavedPackage package = saved(document);
    const QDomDocument styles = package.xml(QStringLiteral("word/styles.xml"));
    int headings = 0;
    for (const QDomElement& style : elements(styles, W, QStringLiteral("style"))) {
        const QString id = style.attributeNS(W, QStringLiteral("styleId"));
        if (id == QLatin1String("Heading1")) {
            ++headings;
            // The change keeps what the style had: bold stays, the font and colour are added.
            EXPECT_EQ(elements(style, W, QStringLiteral("b")).size(), 1);
            EXPECT_EQ(elements(style, W, QStringLiteral("rFonts"))
                          .value(0)
                          .attributeNS(W, QStringLiteral("ascii")),
                      QStringLiteral("Arial"));
            EXPECT_EQ(elements(style, W, QStringLiteral("color"))
                          .value(0)
                          .attributeNS(W, QStringLiteral("val")),
                      QStringLiteral("FF0000"));
            EXPECT_EQ(elements(style, W, QStringLiteral("outlineLvl"))
                          .value(0)
                          .attributeNS(W, QStringLiteral("val")),
                      QStringLiteral("0"));
        }
        if (id == QLatin1String("TVPropertyTitleStyle")) {
            EXPECT_EQ(elements(style, W, QStringLiteral("u"))
                          .value(0)
                          .attributeNS(W, QStringLiteral("val")),
                      QStringLiteral("single"));
            EXPECT_EQ(elements(style, W, QStringLiteral("basedOn"))
                          .value(0)
                          .attributeNS(W, QStringLiteral("val")),
                      QStringLiteral("Normal"));
        }
    }
    EXPECT_EQ(headings, 1);
}

// A template as a word processor saves one: its own styles, its own names.
class DocxTemplateTest : public DocxDocumentTest {
protected:
    QString makeTemplate(const QByteArray& styles) {
        const QString file = path(QStringLiteral("corporate.dotx"));
        PackageParts parts;
        parts[QStringLiteral("[Content_Types].xml")] =
            "<?xml version=\"1.0\"?><Types "
            "xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
            "<Override PartName=\"/word/document.xml\" "
            "ContentType=\"application/vnd.openxmlformats-officedocument."
            "wordprocessingml.template.main+xml\"/></Types>";
        parts[QStringLiteral("word/styles.xml")] = styles;
        EXPECT_TRUE(writePackage(file, parts));
        return file;
    }
};

TEST_F(DocxTemplateTest, StylesOfATemplateReplaceTheDocumentsOwn) {
    const QString file = makeTemplate(
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<w:styles xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">"
        "<w:style w:type=\"paragraph\" w:default=\"1\" w:styleId=\"Normal\"><w:name "
        "w:val=\"Normal\"/></w:style>"
        "<w:style w:type=\"paragraph\" w:styleId=\"CorpHead\"><w:name w:val=\"Corporate Heading\"/>"
        "<w:rPr><w:b/></w:rPr></w:style>"
        "<w:style w:type=\"table\" w:styleId=\"CorpTable\"><w:name w:val=\"Corporate "
        "Table\"/></w:style>"
        "</w:styles>");
    Document document;
    QString error;
    ASSERT_TRUE(document.loadTemplateStyles(file, &error)) << error.toStdString();
    EXPECT_EQ(document.styleNames(),
              QStringList({"Normal", "Corporate Heading", "Corporate Table"}));
    EXPECT_FALSE(document.hasStyle(QStringLiteral("Heading 1")));
    document.body().addParagraph(QStringLiteral("corporate heading")).text(QStringLiteral("Sales"));
    document.body().addTable(1, 1, QStringLiteral("Corporate Table"));

    const SavedPackage package = saved(document);
    const QDomDocument body = package.xml(QStringLiteral("word/document.xml"));
    EXPECT_EQ(
        elements(body, W, QStringLiteral("pStyle")).value(0).attributeNS(W, QStringLiteral("val")),
        QStringLiteral("CorpHead"));
    EXPECT_EQ(elements(body, W, QStringLiteral("tblStyle"))
                  .value(0)
                  .attributeNS(W, QStringLiteral("val")),
              QStringLiteral("CorpTable"));
    EXPECT_EQ(
        elements(package.xml(QStringLiteral("word/styles.xml")), W, QStringLiteral("style")).size(),
        3);
}

// A picture inline in a paragraph, as a word processor writes one, naming its part by `id`.
QByteArray inlinePicture(const char* id, int drawingId) {
    return QByteArrayLiteral(
               "<w:r><w:drawing><wp:inline><wp:extent cx=\"457200\" cy=\"228600\"/>"
               "<wp:docPr id=\"") +
           QByteArray::number(drawingId) +
           "\" name=\"Logo\"/><a:graphic xmlns:a=\"http://schemas.openxmlformats.org/drawingml/"
           "2006/main\"><a:graphicData uri=\"http://schemas.openxmlformats.org/drawingml/2006/"
           "picture\"><pic:pic xmlns:pic=\"http://schemas.openxmlformats.org/drawingml/2006/"
           "picture\"><pic:nvPicPr><pic:cNvPr id=\"0\" name=\"logo.png\"/><pic:cNvPicPr/>"
           "</pic:nvPicPr><pic:blipFill><a:blip r:embed=\"" +
           id +
           "\"/><a:stretch><a:fillRect/></a:stretch></pic:blipFill><pic:spPr><a:xfrm>"
           "<a:off x=\"0\" y=\"0\"/><a:ext cx=\"457200\" cy=\"228600\"/></a:xfrm><a:prstGeom "
           "prst=\"rect\"><a:avLst/></a:prstGeom></pic:spPr></pic:pic></a:graphicData>"
           "</a:graphic></wp:inline></w:drawing></w:r>";
}

QByteArray textRun(const char* text) {
    return QByteArrayLiteral("<w:r><w:t xml:space=\"preserve\">") + text + "</w:t></w:r>";
}

// A house template as a word processor saves one: the section names its headers and footer by
// relationship, in parts of any name; the first page and the even pages have headers of their
// own; the default header holds the house logo beside its text, and the body a link.
PackageParts houseTemplate(const QByteArray& logo) {
    const QByteArray ns =
        " xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\""
        " xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\""
        " xmlns:wp=\"http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing\"";
    const QByteArray rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
    const QByteArray types = "application/vnd.openxmlformats-officedocument.wordprocessingml.";
    auto relationships = [&](const QByteArray& list) {
        return "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/"
               "relationships\">" +
               list + "</Relationships>";
    };
    auto relationship = [&](const char* id, const char* type, const char* target,
                            bool external = false) {
        return QByteArrayLiteral("<Relationship Id=\"") + id + "\" Type=\"" + rel + type +
               "\" Target=\"" + target + "\"" + (external ? " TargetMode=\"External\"" : "") + "/>";
    };
    auto margin = [&](const char* tag, const QByteArray& content) {
        return QByteArrayLiteral("<w:") + tag + ns + "><w:p>" + content + "</w:p></w:" + tag + ">";
    };
    PackageParts parts;
    QByteArray overrides;
    for (const char* part : {"header1", "header2", "header3"})
        overrides += QByteArrayLiteral("<Override PartName=\"/word/") + part +
                     ".xml\" ContentType=\"" + types + "header+xml\"/>";
    parts[QStringLiteral("[Content_Types].xml")] =
        "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
        "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package."
        "relationships+xml\"/><Default Extension=\"xml\" ContentType=\"application/xml\"/>"
        "<Default Extension=\"PNG\" ContentType=\"image/png\"/>"
        "<Override PartName=\"/word/document.xml\" ContentType=\"" +
        types + "template.main+xml\"/>" + overrides + "</Types>";
    parts[QStringLiteral("word/document.xml")] =
        "<w:document" + ns + "><w:body><w:p>" + textRun("Visit ") +
        "<w:hyperlink r:id=\"rIdSite\">" + textRun("our site") +
        "</w:hyperlink></w:p><w:sectPr>"
        "<w:headerReference w:type=\"even\" r:id=\"rIdEven\"/>"
        "<w:headerReference w:type=\"default\" r:id=\"rIdPages\"/>"
        "<w:headerReference w:type=\"first\" r:id=\"rIdCover\"/>"
        "<w:footerReference w:type=\"default\" r:id=\"rIdFoot\"/>"
        "<w:pgSz w:w=\"11906\" w:h=\"16838\"/><w:titlePg/></w:sectPr></w:body></w:document>";
    parts[QStringLiteral("word/_rels/document.xml.rels")] =
        relationships(relationship("rIdCover", "header", "header1.xml") +
                      relationship("rIdPages", "header", "header2.xml") +
                      relationship("rIdEven", "header", "/word/header3.xml") +
                      relationship("rIdFoot", "footer", "footer7.xml") +
                      relationship("rIdSite", "hyperlink", "https://house.example/about", true));
    parts[QStringLiteral("word/header1.xml")] = margin("hdr", textRun("Cover page"));
    parts[QStringLiteral("word/header2.xml")] =
        margin("hdr", textRun("House ") + inlinePicture("rId1", 7) + textRun("Report"));
    parts[QStringLiteral("word/_rels/header2.xml.rels")] =
        relationships(relationship("rId1", "image", "media/logo.PNG"));
    parts[QStringLiteral("word/header3.xml")] = margin("hdr", textRun("Even page"));
    parts[QStringLiteral("word/footer7.xml")] = margin("ftr", textRun("House footer"));
    parts[QStringLiteral("word/settings.xml")] =
        "<w:settings" + ns + "><w:evenAndOddHeaders/></w:settings>";
    parts[QStringLiteral("word/media/logo.PNG")] = logo;
    return parts;
}

// The text of each header and footer the section names, by its kind and pages ("header
// first"); each part declared in the content types.
std::map<QString, QString> marginTexts(const SavedPackage& package) {
    const QDomDocument body = package.xml(QStringLiteral("word/document.xml"));
    const QDomDocument rels = package.xml(QStringLiteral("word/_rels/document.xml.rels"));
    QStringList overridden;
    for (const QDomElement& o :
         elements(package.xml(QStringLiteral("[Content_Types].xml")), TYPES, "Override"))
        overridden << o.attribute(QStringLiteral("PartName"));
    std::map<QString, QString> texts;
    for (const char* tag : {"headerReference", "footerReference"}) {
        for (const QDomElement& reference : elements(body, W, QLatin1String(tag))) {
            const QString target =
                relationshipTarget(rels, reference.attributeNS(R, QStringLiteral("id")));
            EXPECT_TRUE(overridden.contains("/word/" + target)) << target.toStdString();
            texts[QLatin1String(tag).left(6) + u' ' + reference.attributeNS(W, "type")] =
                text(package.xml("word/" + target).documentElement());
        }
    }
    return texts;
}

TEST_F(DocxDocumentTest, TemplateHeadersComeThroughTheSectionWithTheirPicturesAndLinks) {
    QImage logo(8, 4, QImage::Format_RGB32);
    logo.fill(Qt::darkGreen);
    const QByteArray logoBytes = pngOf(logo);
    ASSERT_TRUE(writePackage(path(QStringLiteral("house.dotx")), houseTemplate(logoBytes)));

    Document document;
    QString error;
    ASSERT_TRUE(document.loadTemplateContent(path(QStringLiteral("house.dotx")), &error))
        << error.toStdString();
    EXPECT_TRUE(document.differentFirstPage);
    EXPECT_TRUE(document.differentOddEven);
    document.body().addParagraph().picture(logo);  // the document's own picture
    const SavedPackage package = saved(document);

    // Each header and footer as the section names it, for the pages it names it.
    const QDomDocument body = package.xml(QStringLiteral("word/document.xml"));
    const QDomDocument rels = package.xml(QStringLiteral("word/_rels/document.xml.rels"));
    const std::map<QString, QString> expected{{"header default", "House Report"},
                                              {"header first", "Cover page"},
                                              {"header even", "Even page"},
                                              {"footer default", "House footer"}};
    EXPECT_EQ(marginTexts(package), expected);
    QStringList overridden;
    for (const QDomElement& o :
         elements(package.xml(QStringLiteral("[Content_Types].xml")), TYPES, "Override"))
        overridden << o.attribute(QStringLiteral("PartName"));
    EXPECT_EQ(elements(body, W, QStringLiteral("titlePg")).size(), 1);
    EXPECT_EQ(elements(package.xml(QStringLiteral("word/settings.xml")), W,
                       QStringLiteral("evenAndOddHeaders"))
                  .size(),
              1);

    // The logo stays in its paragraph, and its relationship names the logo, declared.
    QString pagesHeader;
    for (const QDomElement& reference : elements(body, W, QStringLiteral("headerReference")))
        if (reference.attributeNS(W, "type") == QLatin1String("default"))
            pagesHeader = relationshipTarget(rels, reference.attributeNS(R, QStringLiteral("id")));
    const QDomDocument header = package.xml("word/" + pagesHeader);
    const QDomElement blip = elements(header, A, QStringLiteral("blip")).value(0);
    const QString logoTarget =
        relationshipTarget(package.xml("word/_rels/" + pagesHeader + ".rels"),
                           blip.attributeNS(R, QStringLiteral("embed")));
    ASSERT_FALSE(logoTarget.isEmpty());
    ASSERT_TRUE(package.has("word/" + logoTarget)) << logoTarget.toStdString();
    EXPECT_EQ(package.parts.at("word/" + logoTarget), logoBytes);
    EXPECT_TRUE(overridden.contains("/word/" + logoTarget));

    // The link keeps its address, outside the package.
    const QDomElement link = elements(body, W, QStringLiteral("hyperlink")).value(0);
    EXPECT_EQ(text(link), QStringLiteral("our site"));
    for (const QDomElement& r : elements(rels, PKG, QStringLiteral("Relationship")))
        if (r.attribute(QStringLiteral("Id")) == link.attributeNS(R, QStringLiteral("id"))) {
            EXPECT_EQ(r.attribute(QStringLiteral("Target")),
                      QStringLiteral("https://house.example/about"));
            EXPECT_EQ(r.attribute(QStringLiteral("TargetMode")), QStringLiteral("External"));
        }
    EXPECT_FALSE(relationshipTarget(rels, link.attributeNS(R, QStringLiteral("id"))).isEmpty());

    // The document's own picture takes a drawing id of its own.
    QStringList drawingIds;
    for (const QDomDocument& part : {body, header})
        for (const QDomElement& docPr :
             elements(part,
                      QStringLiteral("http://schemas.openxmlformats.org/drawingml/2006/"
                                     "wordprocessingDrawing"),
                      QStringLiteral("docPr")))
            drawingIds << docPr.attribute(QStringLiteral("id"));
    ASSERT_EQ(drawingIds.size(), 2);
    EXPECT_NE(drawingIds[0], drawingIds[1]);
}

// A paragraph that names what the template lacks is left out; the rest comes over.
TEST_F(DocxDocumentTest, TemplateBlocksNamingMissingPartsAreLeftOut) {
    PackageParts parts = houseTemplate({});
    parts.erase(QStringLiteral("word/media/logo.PNG"));
    ASSERT_TRUE(writePackage(path(QStringLiteral("nologo.dotx")), parts));
    Document document;
    QString error;
    ASSERT_TRUE(document.loadTemplateContent(path(QStringLiteral("nologo.dotx")), &error))
        << error.toStdString();
    const SavedPackage package = saved(document);
    const std::map<QString, QString> expected{{"header first", "Cover page"},
                                              {"header even", "Even page"},
                                              {"footer default", "House footer"}};
    EXPECT_EQ(marginTexts(package), expected);
    EXPECT_EQ(text(package.xml(QStringLiteral("word/document.xml")).documentElement()),
              QStringLiteral("Visit our site"));
}

// As a current word processor saves a template: markup of later vocabularies on every
// paragraph, an A4 page with 2 cm margins, and its own list numbering.
TEST_F(DocxDocumentTest, TemplateMarkupPageAndNumberingAreCarriedOver) {
    const QByteArray root =
        "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\" "
        "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\" "
        "xmlns:mc=\"http://schemas.openxmlformats.org/markup-compatibility/2006\" "
        "xmlns:w14=\"http://schemas.microsoft.com/office/word/2010/wordml\" mc:Ignorable=\"w14\"";
    PackageParts parts;
    parts[QStringLiteral("word/document.xml")] =
        "<w:document " + root +
        "><w:body>"
        "<w:p w14:paraId=\"1A2B3C4D\" w14:textId=\"77777777\"><w:pPr><w:numPr><w:ilvl w:val=\"0\"/>"
        "<w:numId w:val=\"5\"/></w:numPr></w:pPr><w:r><w:t>Intro</w:t></w:r></w:p>"
        "<w:p><w:r><w:drawing><w:blip r:embed=\"rId9\"/></w:drawing></w:r></w:p>"
        "<w:sectPr><w:footerReference w:type=\"default\" r:id=\"rIdF\"/>"
        "<w:pgSz w:w=\"11906\" w:h=\"16838\"/><w:pgMar w:top=\"1134\" w:right=\"1134\" "
        "w:bottom=\"1134\" w:left=\"1134\" w:header=\"567\" w:footer=\"567\" w:gutter=\"0\"/>"
        "</w:sectPr></w:body></w:document>";
    parts[QStringLiteral("word/_rels/document.xml.rels")] =
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rIdF\" Type=\"http://schemas.openxmlformats.org/officeDocument/"
        "2006/relationships/footer\" Target=\"footer1.xml\"/></Relationships>";
    parts[QStringLiteral("word/footer1.xml")] =
        "<w:ftr " + root +
        "><w:p w14:paraId=\"00000001\"><w:r><w:t>Confidential</w:t></w:r></w:p></w:ftr>";
    parts[QStringLiteral("word/numbering.xml")] =
        "<w:numbering " + root +
        "><w:abstractNum w:abstractNumId=\"3\"><w:lvl w:ilvl=\"0\">"
        "<w:numFmt w:val=\"bullet\"/></w:lvl></w:abstractNum><w:num w:numId=\"5\">"
        "<w:abstractNumId w:val=\"3\"/></w:num></w:numbering>";
    ASSERT_TRUE(writePackage(path(QStringLiteral("a4.dotx")), parts));

    Document document;
    QString error;
    ASSERT_TRUE(document.loadTemplateContent(path(QStringLiteral("a4.dotx")), &error))
        << error.toStdString();
    EXPECT_DOUBLE_EQ(document.page.bodyWidthPt(), (11906 - 2 * 1134) / 20.0);
    const int added = document.addNumbering({ListLevel{}});
    EXPECT_EQ(added, 6);
    document.body().addParagraph().text(QStringLiteral("Body"));

    const SavedPackage package = saved(document);
    const QDomDocument body = package.xml(QStringLiteral("word/document.xml"));
    const QList<QDomElement> paragraphs = elements(body, W, QStringLiteral("p"));
    ASSERT_EQ(paragraphs.size(), 2);  // the picture, naming a part the template lacks, is left out
    const QString w14 = QStringLiteral("http://schemas.microsoft.com/office/word/2010/wordml");
    EXPECT_EQ(paragraphs[0].attributeNS(w14, QStringLiteral("paraId")), QStringLiteral("1A2B3C4D"));
    EXPECT_EQ(text(paragraphs[0]), QStringLiteral("Intro"));
    EXPECT_EQ(elements(paragraphs[0], W, QStringLiteral("numId")).value(0).attributeNS(W, "val"),
              QStringLiteral("5"));
    EXPECT_EQ(text(package.xml(QStringLiteral("word/footer1.xml")).documentElement()),
              QStringLiteral("Confidential"));
    const QDomElement size = elements(body, W, QStringLiteral("pgSz")).value(0);
    EXPECT_EQ(size.attributeNS(W, QStringLiteral("w")), QStringLiteral("11906"));
    EXPECT_EQ(size.attributeNS(W, QStringLiteral("h")), QStringLiteral("16838"));
    const QDomElement margins = elements(body, W, QStringLiteral("pgMar")).value(0);
    for (const char* side : {"top", "right", "bottom", "left"})
        EXPECT_EQ(margins.attributeNS(W, QLatin1String(side)), QStringLiteral("1134")) << side;
    const QDomDocument numbering = package.xml(QStringLiteral("word/numbering.xml"));
    QStringList ids;
    for (const QDomElement& num : elements(numbering, W, QStringLiteral("num")))
        ids << num.attributeNS(W, QStringLiteral("numId"));
    EXPECT_EQ(ids, QStringList({"5", "6"}));
    // Abstract numberings come before the numberings that name them.
    EXPECT_EQ(numbering.documentElement().lastChildElement().localName(), QStringLiteral("num"));
    EXPECT_EQ(elements(numbering, W, QStringLiteral("abstractNum")).size(), 2);
}

// The house template names its fonts and colours through its theme ("majorHAnsi", "accent1"),
// as current word processors save templates; its heading styles carry no outline level.
const QString kHouseTemplate = QStringLiteral(TAV_TEST_DATA "/templates/House.dotx");

// The part that the document's relationship of `type` names, and its content type.
std::pair<QString, QString> relatedPart(const SavedPackage& package, const char* type) {
    const QDomDocument rels = package.xml(QStringLiteral("word/_rels/document.xml.rels"));
    QString part;
    for (const QDomElement& r : elements(rels, PKG, QStringLiteral("Relationship")))
        if (r.attribute(QStringLiteral("Type")).endsWith(u'/' + QLatin1String(type)))
            part = QStringLiteral("word/") + r.attribute(QStringLiteral("Target"));
    QString contentType;
    for (const QDomElement& o :
         elements(package.xml(QStringLiteral("[Content_Types].xml")), TYPES, "Override"))
        if (o.attribute(QStringLiteral("PartName")) == u'/' + part)
            contentType = o.attribute(QStringLiteral("ContentType"));
    return {part, contentType};
}

TEST_F(DocxDocumentTest, ATemplatesThemeFontTableAndTheirSettingsComeAlong) {
    QString error;
    const auto house = readPackage(kHouseTemplate, &error);
    ASSERT_TRUE(house) << error.toStdString();
    struct Case {
        const char* separator;  // the template's list separator
    };
    for (const Case c : {Case{","}, Case{";"}}) {
        PackageParts parts = *house;
        parts[QStringLiteral("word/settings.xml")].replace(
            "w:listSeparator w:val=\",\"",
            QByteArray("w:listSeparator w:val=\"") + c.separator + '"');
        const QString file = path(QStringLiteral("house%1.dotx").arg(c.separator[0] == ';'));
        ASSERT_TRUE(writePackage(file, parts));
        Document document;
        ASSERT_TRUE(document.loadTemplateStyles(file, &error)) << error.toStdString();
        ASSERT_TRUE(document.loadTemplateContent(file, &error)) << error.toStdString();
        document.body().addTableOfContents(
            1, 3, QStringLiteral("House Contents"),
            {"House Heading 1", "House Heading 2", "House Heading 3"});
        document.body().addParagraph(QStringLiteral("House Heading 2")).text("Sales by Region");
        const SavedPackage package = saved(document);

        const auto [theme, themeType] = relatedPart(package, "theme");
        ASSERT_TRUE(package.has(theme)) << theme.toStdString();
        EXPECT_EQ(package.parts.at(theme), house->at(QStringLiteral("word/theme/theme1.xml")));
        EXPECT_EQ(themeType,
                  QStringLiteral("application/vnd.openxmlformats-officedocument.theme+xml"));
        const auto [fonts, fontsType] = relatedPart(package, "fontTable");
        ASSERT_TRUE(package.has(fonts)) << fonts.toStdString();
        EXPECT_EQ(elements(package.xml(fonts), W, QStringLiteral("font")).size(), 2);
        EXPECT_TRUE(fontsType.endsWith(QLatin1String("fontTable+xml"))) << fontsType.toStdString();
        EXPECT_TRUE(package.parts.at(QStringLiteral("word/styles.xml")).contains("majorHAnsi"));

        // The settings that read the theme stay with it, in the order their schema wants.
        QStringList settings;
        const QDomElement root = package.xml(QStringLiteral("word/settings.xml")).documentElement();
        for (QDomElement e = root.firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
            settings << e.localName() + u'=' + e.attributeNS(W, QStringLiteral("val"));
        EXPECT_EQ(settings, QStringList({"defaultTabStop=720", "updateFields=true",
                                         "compat=", "themeFontLang=en-GB",
                                         "clrSchemeMapping=", "decimalSymbol=.",
                                         QStringLiteral("listSeparator=") + c.separator}));

        // The contents list the house headings.
        const QDomDocument body = package.xml(QStringLiteral("word/document.xml"));
        QStringList anchors;
        for (const QDomElement& link : elements(body, W, QStringLiteral("hyperlink")))
            anchors << text(link);
        EXPECT_EQ(anchors, QStringList{"Sales by Region"});
    }
}

// The outline level of each style, its own or that of the style it is based on (0: none), and
// whether it is its own.
std::map<QString, std::pair<int, bool>> outlineLevels(const QDomDocument& styles) {
    std::map<QString, std::pair<int, QString>> own;  // name: own level, base id
    std::map<QString, QString> names;                // id: name
    for (const QDomElement& style : elements(styles, W, QStringLiteral("style"))) {
        const QString name = elements(style, W, QStringLiteral("name"))
                                 .value(0)
                                 .attributeNS(W, QStringLiteral("val"));
        const QList<QDomElement> level = elements(style, W, QStringLiteral("outlineLvl"));
        names[style.attributeNS(W, QStringLiteral("styleId"))] = name;
        own[name] = {
            level.isEmpty() ? 0 : level[0].attributeNS(W, QStringLiteral("val")).toInt() + 1,
            elements(style, W, QStringLiteral("basedOn"))
                .value(0)
                .attributeNS(W, QStringLiteral("val"))};
    }
    std::map<QString, std::pair<int, bool>> levels;
    for (const auto& [name, entry] : own) {
        auto at = own.find(name);
        for (int depth = 0; at != own.end() && at->second.first == 0 && depth < 9; ++depth)
            at = own.find(names[at->second.second]);
        levels[name] = {at == own.end() ? 0 : at->second.first, entry.first > 0};
    }
    return levels;
}

// The contents gather the headings by their outline levels, in a field that names no style: a
// list of names would be read with the reader's own separator, would drop names holding it, and
// would list twice a heading whose style has a level already. The heading styles get their
// levels where they lack them, and the saved contents list every heading, the template's own.
TEST_F(DocxDocumentTest, TheContentsFindEveryHeadingByItsOutlineLevel) {
    const QStringList house{"House Heading 1", "House Heading 2", "House Heading 3"};
    struct Case {
        const char* file;
        QStringList styles;    // of levels 1 to 3
        QStringList ownLevel;  // the styles that carry a level of their own when saved
    };
    const Case cases[] = {
        {"HouseComma", house, house},
        {"HouseSemicolon", house, house},
        // Based on the usual headings: the levels are theirs, and stay so.
        {"HouseBased", house, {}},
        // Based on the usual headings, the profile's levels are others: the styles' own.
        {"HouseBased",
         {"House Heading 2", "House Heading 1", "House Heading 3"},
         {"House Heading 1", "House Heading 2"}},
        {"HouseNamed",
         {"Kapitel, Stufe 1", "Kapitel; Stufe 2", "Kapitel, Stufe 3"},
         {"Kapitel, Stufe 1", "Kapitel, Stufe 3", "Kapitel; Stufe 2"}},
        // A style named for two levels keeps the first.
        {"HouseComma",
         {"House Heading 1", "House Heading 1", "House Heading 3"},
         {"House Heading 1", "House Heading 3"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file + (u' ' + c.styles.join(u'|')).toStdString());
        const QString file =
            QStringLiteral(TAV_TEST_DATA "/templates/contents/%1.dotx").arg(QLatin1String(c.file));
        QString error;
        Document document;
        ASSERT_TRUE(document.loadTemplateStyles(file, &error)) << error.toStdString();
        ASSERT_TRUE(document.loadTemplateContent(file, &error)) << error.toStdString();
        document.body().addTableOfContents(1, 3, QStringLiteral("House Contents"), c.styles);
        for (int level = 0; level < 3; ++level)
            document.body()
                .addParagraph(c.styles[level])
                .text(QStringLiteral("Level %1").arg(level + 1));
        document.body().addParagraph(QStringLiteral("Normal")).text(QStringLiteral("Body"));
        const SavedPackage package = saved(document);

        const QDomDocument body = package.xml(QStringLiteral("word/document.xml"));
        QString code;
        for (const QDomElement& instr : elements(body, W, QStringLiteral("instrText")))
            if (instr.text().contains(QLatin1String("TOC"))) code = instr.text();
        EXPECT_EQ(code, QStringLiteral(" TOC \\o \"1-3\" \\h \\z \\u "));
        QStringList entries;
        for (const QDomElement& link : elements(body, W, QStringLiteral("hyperlink")))
            entries << text(link);
        const bool twice = c.styles[0] == c.styles[1];
        EXPECT_EQ(entries, QStringList({"ACME Report Book", "Level 1", "Level 2", "Level 3"}));
        const auto levels = outlineLevels(package.xml(QStringLiteral("word/styles.xml")));
        QStringList own;
        for (int level = 0; level < 3; ++level) {
            const auto found = levels.find(c.styles[level]);
            ASSERT_NE(found, levels.end());
            EXPECT_EQ(found->second.first, twice && level == 1 ? 1 : level + 1) << level;
            if (found->second.second && !own.contains(c.styles[level])) own << c.styles[level];
        }
        own.sort();
        EXPECT_EQ(own, c.ownLevel);
    }
}

// A template is read by its vocabularies, whatever prefixes it binds them to: its styles, body
// and settings come along as they do from a template with the usual prefixes.
TEST_F(DocxDocumentTest, ATemplateIsReadWhateverPrefixesItsVocabulariesHave) {
    QString error;
    const auto house = readPackage(kHouseTemplate, &error);
    ASSERT_TRUE(house) << error.toStdString();
    const QByteArray word = "=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"";
    struct Case {
        const char* what;
        QByteArray prefix;  // the word-processing vocabulary's, with its colon; empty: default
        QByteArray otherW;  // a declaration that binds "w" to another vocabulary, or nothing
    };
    const Case cases[] = {
        {"the usual prefix", "w:", ""},
        {"another prefix", "x:", ""},
        {"the default namespace", "", ""},
        {"w bound to another vocabulary", "x:", " xmlns:w=\"urn:example:other\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PackageParts parts = *house;
        for (const char* name : {"word/document.xml", "word/styles.xml", "word/settings.xml"}) {
            QByteArray& xml = parts[QLatin1String(name)];
            xml.replace("xmlns:w" + word,
                        "xmlns" + (c.prefix.isEmpty() ? QByteArray() : ':' + c.prefix.chopped(1)) +
                            word + c.otherW);
            xml.replace("<w:", '<' + c.prefix).replace("</w:", "</" + c.prefix);
            // Attributes keep a prefix: unprefixed, they would belong to no vocabulary.
            if (!c.prefix.isEmpty())
                xml.replace(" w:", ' ' + c.prefix);
            else
                xml.replace(" w:", " x:")
                    .replace("xmlns" + word, "xmlns" + word + " xmlns:x" + word);
        }
        parts[QStringLiteral("word/settings.xml")].replace(
            "listSeparator " + (c.prefix.isEmpty() ? QByteArray("x:") : c.prefix) + "val=\",\"",
            "listSeparator " + (c.prefix.isEmpty() ? QByteArray("x:") : c.prefix) + "val=\";\"");
        const QString file = path(QStringLiteral("prefixed.dotx"));
        ASSERT_TRUE(writePackage(file, parts));
        Document document;
        ASSERT_TRUE(document.loadTemplateStyles(file, &error)) << error.toStdString();
        ASSERT_TRUE(document.loadTemplateContent(file, &error)) << error.toStdString();
        EXPECT_TRUE(document.hasStyle(QStringLiteral("House Heading 2")));
        EXPECT_EQ(document.listSeparator, QStringLiteral(";"));
        document.body()
            .addParagraph(QStringLiteral("House Heading 2"))
            .text(QStringLiteral("Sales"));
        const SavedPackage package = saved(document);
        QStringList paragraphs;
        for (const QDomElement& p :
             elements(package.xml(QStringLiteral("word/document.xml")), W, QStringLiteral("p")))
            paragraphs << elements(p, W, QStringLiteral("pStyle"))
                                  .value(0)
                                  .attributeNS(W, QStringLiteral("val")) +
                              u'|' + text(p);
        EXPECT_EQ(paragraphs, QStringList({"Title|House of Tavrin", "HouseHeading2|Sales"}));
    }
}

TEST_F(DocxDocumentTest, ALongBodyIsWrittenOutAsItGrowsAndOnlyItsLastBlockChanges) {
    Document document;
    Paragraph first = document.body().addParagraph();
    first.text(QStringLiteral("one"));
    Table table = document.body().addTable(2, 2);
    table.cell(1, 1).text(QStringLiteral("cell"));
    document.body().addParagraph().text(QStringLiteral("three"));
    const QDomDocument body = saved(document).xml(QStringLiteral("word/document.xml"));
    QStringList texts;
    for (const QDomElement& p : elements(body, W, QStringLiteral("p"))) texts << text(p);
    EXPECT_EQ(texts, QStringList({"one", "", "", "", "cell", "three"}));
}

// The saved document's own part is the one that parts() gives, whether the contents stand among
// the blocks written out (a long body's anywhere in it), among those still held, or nowhere.
TEST_F(DocxDocumentTest, TheSavedBodyIsTheBodyOfTheParts) {
    // Paragraphs ahead of the contents (-1: no contents) and after them.
    for (auto [before, after] : {std::pair{0, 200}, std::pair{3, 200}, std::pair{3, 0},
                                 std::pair{-1, 200}, std::pair{2000, 30}}) {
        Document document;
        for (int i = 0; i < before; ++i)
            document.body()
                .addParagraph(QStringLiteral("Heading 2"))
                .text(QStringLiteral("before %1").arg(i));
        if (before >= 0) document.body().addTableOfContents(1, 3, QStringLiteral("TOC 1"));
        for (int i = 0; i < after; ++i)
            document.body()
                .addParagraph(i % 50 ? QString() : QStringLiteral("Heading 1"))
                .text(QStringLiteral("line %1").arg(i));
        const SavedPackage package = saved(document);
        EXPECT_EQ(package.parts.at(QStringLiteral("word/document.xml")),
                  document.parts().at(QStringLiteral("word/document.xml")))
            << before;
        // The contents' first entry follows the paragraphs ahead of them.
        const QDomDocument body = package.xml(QStringLiteral("word/document.xml"));
        const QList<QDomElement> paragraphs = elements(body, W, QStringLiteral("p"));
        const auto entry = std::find_if(paragraphs.begin(), paragraphs.end(), [](auto& p) {
            return !elements(p, W, QStringLiteral("hyperlink")).isEmpty();
        });
        EXPECT_EQ(entry - paragraphs.begin(), before < 0 ? paragraphs.size() : before) << before;
    }
}

TEST_F(DocxTemplateTest, ABrokenTemplateIsRefusedWithTheReasonAndChangesNothing) {
    struct Case {
        const char* what;
        QByteArray styles;
        bool asZip;
    };
    const Case cases[] = {
        {"not well formed", "<w:styles xmlns:w=\"x\"><w:style></w:styles>", true},
        {"not styles", "<root/>", true},
        {"no zip at all", {}, false},
    };
    for (const Case& c : cases) {
        QString file;
        if (c.asZip) {
            file = makeTemplate(c.styles);
        } else {
            file = path(QStringLiteral("plain.dotx"));
            QFile plain(file);
            ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
            plain.write("plain text");
        }
        Document document;
        const QStringList before = document.styleNames();
        QString error;
        EXPECT_FALSE(document.loadTemplateStyles(file, &error)) << c.what;
        EXPECT_FALSE(error.isEmpty()) << c.what;
        EXPECT_EQ(document.styleNames(), before) << c.what;
    }
    Document document;
    QString error;
    EXPECT_FALSE(document.loadTemplateStyles(path(QStringLiteral("missing.dotx")), &error));
}

TEST_F(DocxDocumentTest, SavingReplacesAnEarlierFileAndReportsAFailure) {
    const QString target = path(QStringLiteral("Sales.docx"));
    {
        QFile earlier(target);
        ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
        earlier.write("an earlier document");
    }
    Document document;
    document.body().addParagraph().text(QStringLiteral("new"));
    ASSERT_TRUE(document.save(target));
    EXPECT_EQ(text(SavedPackage(target).xml(QStringLiteral("word/document.xml")).documentElement()),
              QStringLiteral("new"));

    QString error;
    EXPECT_FALSE(document.save(path(QStringLiteral("no/such/folder/out.docx")), &error));
    EXPECT_FALSE(error.isEmpty());
}

// A device that takes `room` bytes and then refuses every write, as a full disk does.
class FullDevice : public QIODevice {
public:
    explicit FullDevice(qint64 room) : room_(room) { open(QIODevice::WriteOnly); }
    qint64 taken = 0;

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 size) override {
        if (taken + size > room_) {
            setErrorString(QStringLiteral("No space left on device"));
            return -1;
        }
        taken += size;
        return size;
    }

private:
    qint64 room_;
};

TEST_F(DocxDocumentTest, AWriteThatFailsPartWayFailsTheSave) {
    Document document;
    for (int i = 0; i < 2000; ++i)
        document.body().addParagraph().text(QStringLiteral("line %1 of a long body").arg(i));
    const PackageParts parts = document.parts();
    for (qint64 room : {qint64(0), qint64(100), qint64(3000)}) {
        FullDevice device(room);
        QString error;
        EXPECT_FALSE(writePackage(device, parts, &error)) << room;
        EXPECT_TRUE(error.contains(QStringLiteral("No space left on device")))
            << error.toStdString();
    }
    FullDevice roomy(qint64(1) << 30);
    EXPECT_TRUE(writePackage(roomy, parts));
    EXPECT_GT(roomy.taken, 3000);

    // Saved to a file on a full disk, the earlier document stays byte for byte, and the failure
    // names the system's cause.
    const QString saved = path(QStringLiteral("earlier.docx"));
    ASSERT_TRUE(writePackage(saved, PackageParts{{QStringLiteral("a.xml"), "earlier"}}));
    const auto readFile = [](const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    const QByteArray earlier = readFile(saved);
    for (const long room : {0L, 3000L}) {
        QString error;
        {
            const FullDiskSeam full(room);
            EXPECT_FALSE(writePackage(saved, parts, &error)) << room;
        }
        EXPECT_EQ(error, saved + QStringLiteral(" cannot be written: No space left on device"));
        EXPECT_EQ(readFile(saved), earlier) << room;
        EXPECT_EQ(QDir(dir.path()).entryList({QStringLiteral("earlier*")}, QDir::Files),
                  QStringList{QStringLiteral("earlier.docx")});
    }
}

// A part is read only within the limits: its own size, its size to its packed size, and the
// parts read before it together. Whatever the package states, the bytes that come out count.
TEST_F(DocxDocumentTest, PartsAreReadThroughTheLimitsOnly) {
    QByteArray noise(3000, '\0');
    for (qsizetype i = 0; i < noise.size(); ++i) noise[i] = char((i * 7919) % 251);
    PackageParts parts;
    parts[QStringLiteral("a.xml")] = QByteArray(900, 'a');
    parts[QStringLiteral("blank.xml")] = QByteArray(50000, ' ');  // packs to a few dozen bytes
    parts[QStringLiteral("noise.bin")] = noise;                   // stored as it is
    parts[QStringLiteral("b.xml")] = QByteArray(900, 'b');
    ASSERT_TRUE(writePackage(path(QStringLiteral("p.zip")), parts));
    const struct {
        QStringList reads;
        PartLimits limits;
        const char* reason;  // of the last read; none: every read succeeds
    } cases[] = {
        {{"a.xml", "b.xml"}, {1000, 100, 2000}, nullptr},
        {{"blank.xml"},
         {0, 100, 0},
         "part blank.xml unpacks to more than 100 times its packed size"},
        {{"noise.bin"}, {2000, 100, 0}, "part noise.bin unpacks to more than 2000 bytes"},
        {{"a.xml", "b.xml"},
         {0, 0, 1500},
         "part b.xml takes the parts read past 1500 bytes in all"},
        {{"c.xml"}, {}, "holds no part c.xml"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reads.join(u' ').toStdString());
        PackageReader package(path(QStringLiteral("p.zip")), c.limits);
        ASSERT_TRUE(package.open());
        QString error;
        std::optional<QByteArray> data;
        for (const QString& name : c.reads) data = package.read(name, &error);
        EXPECT_EQ(data.has_value(), c.reason == nullptr);
        if (c.reason) {
            EXPECT_TRUE(error.contains(QLatin1String(c.reason))) << error.toStdString();
        }
    }
    PackageReader unlimited(path(QStringLiteral("p.zip")));
    ASSERT_TRUE(unlimited.open());
    EXPECT_EQ(unlimited.read(QStringLiteral("BLANK.xml")), parts[QStringLiteral("blank.xml")]);
}

TEST_F(DocxDocumentTest, PackageEntriesAreReadableFiles) {
    Document document;
    document.body().addParagraph().text(QStringLiteral("x"));
    ASSERT_TRUE(document.save(path(QStringLiteral("p.docx"))));
    QuaZip zip(path(QStringLiteral("p.docx")));
    ASSERT_TRUE(zip.open(QuaZip::mdUnzip));
    int entries = 0;
    for (bool more = zip.goToFirstFile(); more; more = zip.goToNextFile(), ++entries) {
        QuaZipFileInfo64 info;
        ASSERT_TRUE(zip.getCurrentFileInfo(&info));
        EXPECT_EQ(info.externalAttr >> 16 & 0777, 0644u) << info.name.toStdString();
    }
    EXPECT_GT(entries, 4);
}

}  // namespace

// A picture being made elsewhere that could not be made fails the save and the parts with the
// maker's reason, or with its own when the maker gave no bytes; a picture made in time is saved.
TEST_F(DocxDocumentTest, APictureThatCouldNotBeMadeFailsTheSaveWithItsReason) {
    QImage image(8, 4, QImage::Format_RGB32);
    image.fill(Qt::blue);
    const QByteArray png = pngOf(image);
    struct Case {
        const char* what;
        std::function<void(std::promise<QByteArray>&)> make;
        QString reason;  // empty: saved
    };
    const std::vector<Case> cases{
        {"made", [&](std::promise<QByteArray>& p) { p.set_value(png); }, {}},
        {"no bytes", [](std::promise<QByteArray>& p) { p.set_value({}); },
         QStringLiteral("the picture cannot be stored")},
        {"the maker's exception",
         [](std::promise<QByteArray>& p) {
             p.set_exception(std::make_exception_ptr(std::runtime_error("no room to draw")));
         },
         QStringLiteral("no room to draw")},
    };
    const QString target = path(QStringLiteral("picture.docx"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(target);
        Document document;
        std::promise<QByteArray> made;
        document.body().addParagraph().picture(made.get_future().share(), QSize(8, 4), 3780);
        c.make(made);
        EXPECT_EQ(document.failure(), QString());  // the picture fails only when it is needed
        QString error;
        const PackageParts parts = document.parts(&error);
        EXPECT_EQ(document.save(target, &error), c.reason.isEmpty()) << error.toStdString();
        if (c.reason.isEmpty()) {
            EXPECT_EQ(parts.at(QStringLiteral("word/media/image1.png")), png);
            continue;
        }
        EXPECT_TRUE(parts.empty());
        EXPECT_EQ(error, target + QStringLiteral(" cannot be written: ") + c.reason);
        EXPECT_FALSE(QFile::exists(target));
    }
}
