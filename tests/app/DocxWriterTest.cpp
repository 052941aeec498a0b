#include <gtest/gtest.h>

#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <QSettings>
#include <QTemporaryDir>
#include <cmath>
#include <numeric>
#include <optional>

#include "Clock.h"
#include "DocumentSetup.h"
#include "DocxDocument.h"
#include "DocxPackage.h"
#include "DocxWriter.h"
#include "ExtractDriver.h"
#include "ExtractOptions.h"
#include "ExtractWriters.h"
#include "LayoutPicture.h"
#include "QtPrinters.h"
#include "RecordingReporter.h"
#include "RunLog.h"
#include "SettingsStore.h"
#include "SharedBlocks.h"
#include "TestSupport.h"
#include "TextUtilities.h"
#include "tvArea.h"
#include "tvDatabase.h"
#include "tvReportStatistics.h"

using namespace tav::core;
using namespace tav::doctext;
using namespace tav::word;
using namespace tav::extract;

namespace {

// The paragraphs of a saved document: style id and text, in document order; table cells are
// paragraphs too.
struct SavedDocument {
    QString styles;
    QString header;  // its text, without markup
    QString footer;
    QStringList paragraphs;    // "StyleId|text"
    QStringList cells;         // the texts of table cells
    QSet<QString> cellStyles;  // the style ids of the cells' paragraphs
    QStringList indents;       // each paragraph's own left indent in twips, "" for none
    int pictures = 0;          // inline pictures of the body

    explicit SavedDocument(const QString& path) {
        const auto parts = tvdocx::readPackage(path);
        if (!parts) throw std::runtime_error("no package");
        styles = QString::fromUtf8(parts->at(QStringLiteral("word/styles.xml")));
        if (parts->count(QStringLiteral("word/header1.xml")))
            header = QString::fromUtf8(parts->at(QStringLiteral("word/header1.xml")))
                         .remove(QRegularExpression(QStringLiteral("<[^>]*>")));
        if (parts->count(QStringLiteral("word/footer1.xml")))
            footer = QString::fromUtf8(parts->at(QStringLiteral("word/footer1.xml")));
        QDomDocument document;
        if (!document.setContent(parts->at(QStringLiteral("word/document.xml"))))
            throw std::runtime_error("document.xml is not well formed");
        pictures = document.elementsByTagName(QStringLiteral("w:drawing")).size();
        const QDomNodeList list = document.elementsByTagName(QStringLiteral("w:p"));
        for (int i = 0; i < list.size(); ++i) {
            const QDomElement p = list.at(i).toElement();
            QString text;
            const QDomNodeList runs = p.elementsByTagName(QStringLiteral("w:t"));
            for (int r = 0; r < runs.size(); ++r) text += runs.at(r).toElement().text();
            const QDomElement pPr = p.firstChildElement(QStringLiteral("w:pPr"));
            const QString style = pPr.firstChildElement(QStringLiteral("w:pStyle"))
                                      .attribute(QStringLiteral("w:val"));
            indents << pPr.firstChildElement(QStringLiteral("w:ind"))
                           .attribute(QStringLiteral("w:left"));
            if (p.parentNode().nodeName() == QLatin1String("w:tc")) {
                cells << text;
                cellStyles << style;
            }
            paragraphs << style + u'|' + text;
        }
    }
    qsizetype indexOf(const QString& entry) const { return paragraphs.indexOf(entry); }
};

// Settings of a folder of its own (documents, program folder with its Templates), every block
// switched on, and the user's messages caught.
class DocxWriterTest : public ::testing::Test {
protected:
    ExtractOptions options_;
    void SetUp() override {
        ASSERT_TRUE(QDir(dir_.path()).mkpath(QStringLiteral("word")));
        ASSERT_TRUE(QDir(dir_.path()).mkpath(QStringLiteral("Templates")));
        ExtractOptions& s = options_;
        s.ProgramFolder = dir_.path() + u'/';  // its Templates folder
        s.DocPath = path("word/");
        for (bool* flag :
             {&s.ShowTOC, &s.ShowRptSummary, &s.ShowExport, &s.ShowTables, &s.ShowDBCols,
              &s.ShowFormula, &s.ShowParameters, &s.ShowGroups, &s.ShowSQL, &s.ShowSort})
            *flag = 1;
        s.SectionFont = {QStringLiteral("Arial"), false, true, {}, QStringLiteral("12"),
                         QStringLiteral("Navy")};
        s.ValueFont = {QStringLiteral("Arial"), false, false, {}, QStringLiteral("10"), QString()};
        log_.setFolder(dir_.path());
    }
    QString path(const QString& relative) const { return dir_.filePath(relative); }
    // A driver of a new run, with the options as they stand.
    ExtractDriver driver() {
        run_ = std::make_unique<ExtractRun>(options_, reporter_);
        return ExtractDriver(*run_);
    }

    // The template Corp.dotx holding the given paragraph styles and the table style "Grid
    // Table", no other, and the profile "Corporate" that names Body, TOC 1, Title 1 to 3 and Grid
    // Table as its styles.
    void corporateTemplate(std::initializer_list<const char*> styles) {
        tvdocx::Document dotx;
        // Its fields take the report's values; a code spelt otherwise stays a field.
        dotx.body()
            .addParagraph()
            .text(QStringLiteral("Prepared for "))
            .simpleField(QStringLiteral(" ReportName "))
            .simpleField(QStringLiteral("ReportName"), QStringLiteral("kept"));
        dotx.header()
            .addParagraph()
            .text(QStringLiteral("Revision "))
            .field(QStringLiteral(" ReportRevision "));
        tvdocx::PackageParts parts = dotx.parts();
        QByteArray xml =
            "<w:styles xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/"
            "2006/main\"><w:style w:type=\"table\" w:styleId=\"GridTable\">"
            "<w:name w:val=\"Grid Table\"/></w:style>";
        // Its title styles are headings, their outline levels those of their numbers.
        for (const QByteArray name : styles) {
            xml += "<w:style w:type=\"paragraph\" w:styleId=\"" +
                   QByteArray(name).replace(" ", "") + "\"><w:name w:val=\"" + name + "\"/>";
            if (name.startsWith("Title "))
                xml += "<w:pPr><w:outlineLvl w:val=\"" + QByteArray::number(name.back() - '1') +
                       "\"/></w:pPr>";
            xml += "</w:style>";
        }
        parts[QStringLiteral("word/styles.xml")] = xml + "</w:styles>";
        ASSERT_TRUE(tvdocx::writePackage(path("Templates/Corp.dotx"), parts));
        QFile config(path("Templates/template_config.xml"));
        ASSERT_TRUE(config.open(QIODevice::WriteOnly));
        config.write(
            "<templates><tavrin_template name=\"Corporate\"><path>Corp.dotx</path>"
            "<normalStyle>Body</normalStyle><tocStyle>TOC 1</tocStyle><heading1Style>Title 1"
            "</heading1Style><heading2Style>Title 2</heading2Style><heading3Style>Title 3"
            "</heading3Style><tableStyle>Grid Table</tableStyle></tavrin_template></templates>");
        options_.UseTemplate = 1;
        options_.OutputTemplate = QStringLiteral("Corporate");
    }

    // The fixture with every block, written as `name`; the writer registered as the shared
    // blocks' Word writer, as the Extract driver does.
    std::unique_ptr<tvReport> everything() const {
        QFile file(testData(QStringLiteral("tvd/everything/report.xml")));
        if (!file.open(QIODevice::ReadOnly)) throw std::runtime_error("no fixture");
        return loadReport(file.readAll(), path(QStringLiteral("everything.rpt")));
    }
    bool write(const tvReport& report, const QString& name = QStringLiteral("everything.rpt")) {
        auto writer = std::make_shared<DocxWriter>(options_, log_, reporter_);
        const bool written = writer->init(name, path("word/"), path(name), "Corporate") &&
                             writer->WriteReport(report, name);
        writer->closeDocument();
        return written;
    }
    // Writes `name`, a report of one section whose margins are the report's attributes `margins`.
    bool writeOneSection(const QString& name, const QByteArray& margins,
                         const QByteArray& minimumHeight) {
        const auto report = loadReport("<Report " + margins +
                                           "><Database/><ExportOptions/><Areas><Area kind=\"1\">"
                                           "<Sections><Section minimumHeight=\"" +
                                           minimumHeight +
                                           "\" backColor=\"-1\"/></Sections></Area></Areas>"
                                           "</Report>",
                                       path(name));
        return write(*report, name);
    }

    QTemporaryDir dir_;
    RecordingReporter reporter_;
    QStringList& messages_ = reporter_.messages;
    RunLog log_;  // the writers' own, in the test's folder
    std::unique_ptr<ExtractRun> run_;
};

TEST_F(DocxWriterTest, WritesHeadingsLinesAndTablesOfTheReport) {
    const auto report = everything();
    const Clock::Fixed clock(QDateTime(QDate(2026, 3, 4), QTime(17, 5, 9)));
    ASSERT_TRUE(write(*report));
    const SavedDocument doc(path("word/everything.docx"));

    // Title page, table of contents, summary through the shared blocks, then the body.
    EXPECT_EQ(doc.paragraphs.first(), QStringLiteral("Normal|Report Documentation"));
    EXPECT_GE(doc.indexOf(QStringLiteral("Heading1|Report Summary Information")), 0);
    EXPECT_GE(doc.indexOf(QStringLiteral("Normal|Title = Sales by Region")), 0);
    EXPECT_GE(doc.indexOf(QStringLiteral("Normal|Report Export Information")), 0);
    const qsizetype title = doc.indexOf(QStringLiteral("Heading1|Sales by Region"));
    const qsizetype alerts = doc.indexOf(QStringLiteral("Heading2|Report Alerts"));
    const qsizetype sections = doc.indexOf(QStringLiteral("Heading2|Sections"));
    ASSERT_GE(title, 0);
    EXPECT_LT(title, alerts);
    EXPECT_LT(alerts, sections);
    EXPECT_GE(doc.indexOf(QStringLiteral("Heading3|Group Header #1")), sections);
    EXPECT_GE(doc.indexOf(QStringLiteral("Normal|No objects in this section.")), sections);

    // Cells: alert row, a table without descriptive name shown in both columns, running total
    // formulas, and the object table's numbering and inches.
    for (const char* cell : {"Large order", "Notes", "Sum of Orders.Amount", "Running amount",
                             "Descending", "Group #1", "0.5, 1", "2 x 0.17", "Size (w x h)"})
        EXPECT_TRUE(doc.cells.contains(QString::fromUtf8(cell))) << cell;
    EXPECT_EQ(doc.cells.count(QStringLiteral("Notes")), 2);
    // Objects are numbered across the sections of one body: 1 in the header, 2 and 3 in the
    // detail, 4 in the group footer.
    const qsizetype map = doc.cells.indexOf(QStringLiteral("Sales map"));
    ASSERT_GT(map, 0);
    EXPECT_EQ(doc.cells[map - 1], QStringLiteral("2"));
    EXPECT_EQ(doc.cells[map + 1], QStringLiteral("0, 0"));
    EXPECT_EQ(doc.cells[map + 2], QStringLiteral("3 x 1.5"));
    EXPECT_TRUE(doc.cells.contains(QStringLiteral("4")));
    EXPECT_TRUE(doc.footer.contains(QStringLiteral("Tavrin, Version 4.0")));
    EXPECT_TRUE(doc.footer.contains(QStringLiteral("Printed 04-Mar-26 at 17:05:09")));
    EXPECT_TRUE(doc.styles.contains(QStringLiteral("TV_Table_Font_Style")));
    EXPECT_TRUE(messages_.isEmpty()) << messages_.join(u'\n').toStdString();
}

// The run properties of a style of the saved document, as "font size colour" (size in half
// points).
QString styleFont(const QString& styles, const QString& styleId) {
    QDomDocument xml;
    if (!xml.setContent(styles)) return QStringLiteral("styles not well formed");
    const QDomNodeList list = xml.elementsByTagName(QStringLiteral("w:style"));
    for (int i = 0; i < list.size(); ++i) {
        const QDomElement style = list.at(i).toElement();
        if (style.attribute(QStringLiteral("w:styleId")) != styleId) continue;
        const QDomElement rPr = style.firstChildElement(QStringLiteral("w:rPr"));
        return rPr.firstChildElement(QStringLiteral("w:rFonts")).attribute("w:ascii") + u' ' +
               rPr.firstChildElement(QStringLiteral("w:sz")).attribute("w:val") + u' ' +
               rPr.firstChildElement(QStringLiteral("w:color")).attribute("w:val");
    }
    return QStringLiteral("no style ") + styleId;
}

// Every cell of every table is in the table font, not in the value font of the lines around it;
// in a template document, in the profile's Normal style rather than the template's default.
TEST_F(DocxWriterTest, TableTextIsInTheTableFontStyle) {
    options_.TableFont = {QStringLiteral("DejaVu Serif"), false, false, {}, QStringLiteral("11"),
                          QStringLiteral("Maroon")};
    options_.ValueFont = {QStringLiteral("Liberation Mono"),
                          false,
                          false,
                          {},
                          QStringLiteral("8"),
                          QStringLiteral("Blue")};
    const auto report = everything();
    ASSERT_TRUE(write(*report));
    {
        const SavedDocument doc(path("word/everything.docx"));
        ASSERT_FALSE(doc.cells.isEmpty());
        EXPECT_EQ(doc.cellStyles, QSet<QString>{QStringLiteral("TVTableFontStyle")});
        EXPECT_EQ(styleFont(doc.styles, QStringLiteral("TVTableFontStyle")),
                  QStringLiteral("DejaVu Serif 22 800000"));
        EXPECT_EQ(styleFont(doc.styles, QStringLiteral("Normal")),
                  QStringLiteral("Liberation Mono 16 0000FF"));
    }
    corporateTemplate({"Body", "Title 1", "Title 2", "Title 3", "TOC 1"});
    ASSERT_TRUE(write(*report));
    EXPECT_EQ(SavedDocument(path("word/everything.docx")).cellStyles,
              QSet<QString>{QStringLiteral("Body")});
}

// A font size of the settings outside 1 to 1638 points is held to the nearer limit, and the run
// log says so; sizes that are no number leave the style's size.
TEST_F(DocxWriterTest, FontSizesOutOfRangeAreHeldAndLogged) {
    options_.TableFont = {QStringLiteral("Arial"), false, false, {}, QStringLiteral("-3"), {}};
    options_.SectionFont.FontSize = QStringLiteral("5000");
    options_.ValueFont.FontSize = QStringLiteral("abc");
    const auto report = everything();
    const bool written = write(*report);
    ASSERT_TRUE(log_.close());
    ASSERT_TRUE(written);
    const SavedDocument doc(path("word/everything.docx"));
    EXPECT_TRUE(styleFont(doc.styles, QStringLiteral("TVTableFontStyle")).contains(u" 2 "));
    EXPECT_TRUE(styleFont(doc.styles, QStringLiteral("Heading1")).contains(u" 3276 "));
    EXPECT_TRUE(styleFont(doc.styles, QStringLiteral("Heading3")).contains(u" 3274"));
    QFile log(log_.path());
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(log.readAll()),
              QStringLiteral("Font size 5000 of SectionFontSize is out of range: 1638 pt is used\n"
                             "Font size -3 of TableFontSize is out of range: 1 pt is used\n"));
}

TEST_F(DocxWriterTest, SwitchesAndSummaryOnlyLeaveBlocksOut) {
    ExtractOptions& s = options_;
    s.ShowTables = 0;  // hides the column tables too
    s.ShowFormula = 0;
    s.ShowTOC = 0;
    s.SummaryOnly = -1;
    const auto report = everything();
    ASSERT_TRUE(write(*report));
    const SavedDocument doc(path("word/everything.docx"));
    for (const char* gone : {"Heading2|Tables", "Heading3|Database Table Columns",
                             "Heading2|User Formulas", "Normal|No objects in this section."})
        EXPECT_LT(doc.indexOf(QString::fromUtf8(gone)), 0) << gone;
    EXPECT_FALSE(doc.cells.contains(QStringLiteral("Size (w x h)")));
    EXPECT_GE(doc.indexOf(QStringLiteral("Heading3|Detaila")), 0);
}

// A group header whose number lies beyond the group name fields keeps its row instead of
// failing the whole document.
TEST_F(DocxWriterTest, AGroupNumberedBeyondTheGroupsGetsARowOfItsOwn) {
    const auto report = everything();
    for (qsizetype i = 1; i <= report->tvAreas.Count(); ++i)
        if (report->tvAreas.Item(i).kind == tvGroupHeaderArea)
            report->tvAreas.Item(i).groupNumber = 3;
    ASSERT_TRUE(write(*report));
    const SavedDocument doc(path("word/everything.docx"));
    const qsizetype row = doc.cells.indexOf(QStringLiteral("Group #3"));
    ASSERT_GE(row, 0);
    EXPECT_EQ(doc.cells.value(row + 1), QStringLiteral("Orders.Region"));
}

// The styles of the contents' entries, level by level, and the left indent (twips) that each
// of those styles gives.
QStringList contentsEntries(const QString& docx);
QDomDocument savedPart(const QString& docx, const QString& part);
QList<QDomElement> all(const QDomDocument& xml, const QString& tag);

// A template that lacks styles its profile names (one never used for a contents page, say)
// still gives the whole document: the user hears once which styles were missing, and each is
// added as a new document defines it, so headings stay headings and the contents list them.
TEST_F(DocxWriterTest, StylesTheTemplateLacksAreAddedAndToldOnce) {
    corporateTemplate({"Body", "Title 1", "Title 3"});
    const auto report = everything();
    ASSERT_TRUE(write(*report));
    ASSERT_EQ(messages_.size(), 1) << messages_.join(u'\n').toStdString();
    EXPECT_TRUE(messages_[0].contains(QStringLiteral("\"Title 2\", \"TOC 1\"")))
        << messages_[0].toStdString();
    const SavedDocument doc(path("word/everything.docx"));
    EXPECT_GE(doc.indexOf(QStringLiteral("Title2|Report Alerts")), 0);
    const QStringList entries = contentsEntries(path("word/everything.docx"));
    EXPECT_TRUE(entries.contains(QStringLiteral("TOC1 0|Sales by Region")))
        << entries.join(u'\n').toStdString();
    EXPECT_TRUE(entries.contains(QStringLiteral("TOC2 240|Report Alerts")));
    EXPECT_TRUE(entries.contains(QStringLiteral("TOC3 480|Group Header #1")));
}

// The contents of a template document keep their levels' indents: the template's own lower
// level styles where it has them, the usual ones where it lacks them.
TEST_F(DocxWriterTest, ContentsLevelsOfATemplateDocumentKeepTheirIndents) {
    corporateTemplate({"Body", "Title 1", "Title 2", "Title 3", "TOC 1", "TOC 3"});
    const auto report = everything();
    ASSERT_TRUE(write(*report));
    EXPECT_TRUE(messages_.isEmpty()) << messages_.join(u'\n').toStdString();
    const QStringList entries = contentsEntries(path("word/everything.docx"));
    EXPECT_TRUE(entries.contains(QStringLiteral("TOC1 |Sales by Region")));
    EXPECT_TRUE(entries.contains(QStringLiteral("TOC2 240|Report Alerts")));
    EXPECT_TRUE(entries.contains(QStringLiteral("TOC3 |Group Header #1")));  // the template's
}

// A house template as current word processors save one: its styles name the fonts and colours
// of its theme, and its heading styles carry no outline level. The profile names `normal` and
// `table` as its Normal and table styles; it is the profile the writer is given.
void houseTemplate(const QString& programFolder, const char* normal = "Normal",
                   const char* table = "House Table") {
    ASSERT_TRUE(QFile::copy(testData(QStringLiteral("templates/House.dotx")),
                            programFolder + QStringLiteral("Templates/House.dotx")));
    QFile config(programFolder + QStringLiteral("Templates/template_config.xml"));
    ASSERT_TRUE(config.open(QIODevice::WriteOnly));
    config.write(QByteArray("<templates><tavrin_template name=\"Corporate\"><path>House.dotx</path>"
                            "<normalStyle>") +
                 normal +
                 "</normalStyle><tocStyle>House Contents</tocStyle><heading1Style>House Heading "
                 "1</heading1Style><heading2Style>House Heading 2</heading2Style><heading3Style>"
                 "House Heading 3</heading3Style><tableStyle>" +
                 table + "</tableStyle></tavrin_template></templates>");
}

// The document keeps the house look (the theme and font table its styles name) and its
// contents list every heading, at save and after a word processor updates the field.
TEST_F(DocxWriterTest, AHouseTemplateKeepsItsThemeAndItsContentsListEveryHeading) {
    houseTemplate(options_.ProgramFolder);
    options_.UseTemplate = 1;
    const auto report = everything();
    ASSERT_TRUE(write(*report));
    EXPECT_TRUE(messages_.isEmpty()) << messages_.join(u'\n').toStdString();
    const auto parts = tvdocx::readPackage(path("word/everything.docx"));
    ASSERT_TRUE(parts);
    const auto house = tvdocx::readPackage(testData(QStringLiteral("templates/House.dotx")));
    const QByteArray rels = parts->at(QStringLiteral("word/_rels/document.xml.rels"));
    for (const char* type : {"/theme\"", "/fontTable\""}) EXPECT_TRUE(rels.contains(type)) << type;
    EXPECT_TRUE(std::any_of(parts->begin(), parts->end(), [&](const auto& part) {
        return part.second == house->at(QStringLiteral("word/theme/theme1.xml"));
    }));
    const QByteArray settings = parts->at(QStringLiteral("word/settings.xml"));
    for (const char* setting : {"w:clrSchemeMapping", "w:themeFontLang", "compatibilityMode"})
        EXPECT_TRUE(settings.contains(setting)) << setting;

    const QDomDocument body = savedPart(path("word/everything.docx"), "word/document.xml");
    QString code;
    for (const QDomElement& instr : all(body, QStringLiteral("w:instrText")))
        if (instr.text().contains(QLatin1String("TOC"))) code = instr.text();
    // The field names no style: the house headings carry their outline levels.
    EXPECT_EQ(code, QStringLiteral(" TOC \\o \"1-3\" \\h \\z \\u "));
    QStringList levels;
    for (const QDomElement& style :
         all(savedPart(path("word/everything.docx"), "word/styles.xml"), QStringLiteral("w:style")))
        if (style.attribute(QStringLiteral("w:styleId")).startsWith(QLatin1String("HouseHeading")))
            levels << style.attribute(QStringLiteral("w:styleId")) + u'=' +
                          style.firstChildElement(QStringLiteral("w:pPr"))
                              .firstChildElement(QStringLiteral("w:outlineLvl"))
                              .attribute(QStringLiteral("w:val"));
    EXPECT_EQ(levels, QStringList({"HouseHeading1=0", "HouseHeading2=1", "HouseHeading3=2"}));
    const QStringList entries = contentsEntries(path("word/everything.docx"));
    for (const char* heading : {"Sales by Region", "Report Alerts", "Group Header #1"})
        EXPECT_TRUE(std::any_of(entries.begin(), entries.end(),
                                [&](const QString& e) { return e.endsWith(heading); }))
            << heading << "\n"
            << entries.join(u'\n').toStdString();
}

// A hand-edited profile that names a table style for text, or a paragraph style for tables, is
// told and not followed: the document's text and tables keep styles of their kind.
TEST_F(DocxWriterTest, AStyleOfTheWrongKindForItsRoleIsRefused) {
    houseTemplate(options_.ProgramFolder, "House Table", "House Heading 1");
    options_.UseTemplate = 1;
    const auto report = everything();
    ASSERT_TRUE(write(*report));
    EXPECT_EQ(
        messages_,
        QStringList({"The profile \"Corporate\" names the table style \"House Table\" as its "
                     "Normal style: the document uses the style \"Normal\" instead.",
                     "The profile \"Corporate\" names the paragraph style \"House Heading 1\" as "
                     "its table style: the document uses the style \"Table Grid\" instead.",
                     "The document template " + path("Templates/House.dotx") +
                         " of the profile \"Corporate\" holds no style \"Table Grid\": the "
                         "document uses the default definition instead."}));
    const QDomDocument body = savedPart(path("word/everything.docx"), "word/document.xml");
    for (const QDomElement& style : all(body, QStringLiteral("w:pStyle")))
        EXPECT_NE(style.attribute(QStringLiteral("w:val")), QStringLiteral("HouseTable"));
    const QList<QDomElement> tables = all(body, QStringLiteral("w:tblStyle"));
    ASSERT_FALSE(tables.isEmpty());
    for (const QDomElement& style : tables)
        EXPECT_EQ(style.attribute(QStringLiteral("w:val")), QStringLiteral("TableGrid"));
}

TEST_F(DocxWriterTest, TemplateProfileGivesItsStylesAndAMissingTemplateFallsBack) {
    corporateTemplate({"Body", "Title 1", "Title 2", "Title 3", "TOC 1"});
    const auto report = everything();
    ASSERT_TRUE(write(*report));
    {
        const SavedDocument doc(path("word/everything.docx"));
        // No title page on a template; the template's headings and body style are used.
        EXPECT_LT(doc.indexOf(QStringLiteral("Normal|Report Documentation")), 0);
        EXPECT_GE(doc.indexOf(QStringLiteral("Title2|Report Alerts")), 0);
        EXPECT_GE(doc.indexOf(QStringLiteral("Title1|Sales by Region")), 0);
        EXPECT_TRUE(doc.styles.contains(QStringLiteral("TV_Property_Title_Style")));
        EXPECT_FALSE(doc.styles.contains(QStringLiteral("TV_Table_Font_Style")));
        EXPECT_EQ(doc.paragraphs.first(), QStringLiteral("|Prepared for everything.rptkept"));
        EXPECT_TRUE(
            doc.header.contains(QStringLiteral("Revision ") +
                                QString::number(report->tvReportStatistics->revisionNumber)));
        EXPECT_FALSE(doc.header.contains(QStringLiteral("ReportRevision")));
    }
    EXPECT_TRUE(messages_.isEmpty());

    // The template gone: the message, then a new document on the built-in profile.
    ASSERT_TRUE(QFile::remove(path("Templates/Corp.dotx")));
    ASSERT_TRUE(write(*report));
    ASSERT_EQ(messages_.size(), 1);
    EXPECT_TRUE(messages_[0].startsWith(QStringLiteral("The selected document template: ")));
    EXPECT_TRUE(messages_[0].contains(QStringLiteral("Using the default normal style.  (") +
                                      path("Templates/Corp.dotx") +
                                      QStringLiteral(" does not exist)")))
        << messages_[0].toStdString();
    const SavedDocument doc(path("word/everything.docx"));
    EXPECT_GE(doc.indexOf(QStringLiteral("Heading2|Report Alerts")), 0);
}

// Every template that cannot be used is refused with its reason in the message, and the report
// is written on the built-in profile.
TEST_F(DocxWriterTest, ARefusedTemplateSaysWhy) {
    corporateTemplate({"Body", "Title 1", "Title 2", "Title 3", "Contents"});
    const QString file = path("Templates/Corp.dotx");
    const tvdocx::PackageParts good = *tvdocx::readPackage(file);
    const auto withPart = [&](const char* name, const QByteArray& data) {
        tvdocx::PackageParts parts = good;
        if (data.isNull())
            parts.erase(QLatin1String(name));
        else
            parts[QLatin1String(name)] = data;
        return parts;
    };
    const QByteArray styles =
        "<w:styles xmlns:w=\"http://schemas.openxmlformats.org/"
        "wordprocessingml/2006/main\">";
    const struct {
        const char* what;
        std::optional<tvdocx::PackageParts> parts;  // none: the file holds `bytes`
        QByteArray bytes;
        const char* reason;
    } cases[] = {
        {"not a zip", std::nullopt, "plain text", " is not a zip package)"},
        {"empty", std::nullopt, "", " is an empty file)"},
        {"malformed",
         withPart("word/document.xml", "<w:document><w:body>"),
         {},
         "word/document.xml is not well formed (line 1: "},
        {"entity loop",
         withPart("word/styles.xml", "<!DOCTYPE s [<!ENTITY a \"&b;\"><!ENTITY b \"&a;\">]>" +
                                         styles + "&a;</w:styles>"),
         {},
         "styles are not well formed (line 1: Self-referencing entity"},
        {"no body",
         withPart("word/document.xml", QByteArray()),
         {},
         " holds no word/document.xml)"},
        // 8 MB of blanks packs into a few kilobytes.
        {"bomb",
         withPart("word/styles.xml", styles + QByteArray(8 << 20, ' ') + "</w:styles>"),
         {},
         "part word/styles.xml unpacks to more than 100 times its packed size)"},
    };
    const auto report = everything();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.parts) {
            ASSERT_TRUE(tvdocx::writePackage(file, *c.parts));
        } else {
            QFile plain(file);
            ASSERT_TRUE(plain.open(QIODevice::WriteOnly | QIODevice::Truncate));
            plain.write(c.bytes);
        }
        messages_.clear();
        ASSERT_TRUE(write(*report));
        ASSERT_EQ(messages_.size(), 1);
        EXPECT_TRUE(messages_[0].startsWith(QStringLiteral("The selected document template: ") +
                                            file + QStringLiteral(" could not be opened.")));
        EXPECT_TRUE(messages_[0].contains(QLatin1String(c.reason))) << messages_[0].toStdString();
        EXPECT_GE(SavedDocument(path("word/everything.docx"))
                      .indexOf(QStringLiteral("Heading2|Report Alerts")),
                  0);
    }
    ASSERT_TRUE(QFile::remove(file));
    ASSERT_TRUE(QDir().mkpath(file));
    messages_.clear();
    ASSERT_TRUE(write(*report));
    ASSERT_EQ(messages_.size(), 1);
    EXPECT_TRUE(messages_[0].endsWith(QStringLiteral(" is a folder, not a file)")))
        << messages_[0].toStdString();
}

TEST_F(DocxWriterTest, AFailedReportKeepsTheEarlierDocumentAndSaysSo) {
    const auto report = everything();
    ASSERT_TRUE(write(*report));
    QFile earlier(path("word/everything.docx"));
    ASSERT_TRUE(earlier.open(QIODevice::ReadOnly));
    const QByteArray before = earlier.readAll();
    earlier.close();

    // A model that fails the report half way, after the tables' heading is written. Its tables
    // stay alive, outliving the report: the groups written before them name their fields.
    std::unique_ptr<tvDatabase> tables;
    std::unique_ptr<tvReport> broken = everything();
    tables = std::move(broken->tvDatabase);
    {
        auto writer = std::make_shared<DocxWriter>(options_, log_, reporter_);
        ASSERT_TRUE(writer->init("everything.rpt", path("word/"), path("everything.rpt"), {}));
        QString error;
        EXPECT_FALSE(writer->WriteReport(*broken, "everything.rpt", &error));
        EXPECT_TRUE(error.startsWith(QStringLiteral("writing the body of report 0: ")))
            << error.toStdString();
    }
    ASSERT_TRUE(earlier.open(QIODevice::ReadOnly));
    EXPECT_EQ(earlier.readAll(), before);
    earlier.close();

    // A document folder that is not there fails the save.
    options_.UseTemplate = 0;
    auto writer = std::make_shared<DocxWriter>(options_, log_, reporter_);
    ASSERT_TRUE(writer->init("everything.rpt", path("none/"), path("everything.rpt"), {}));
    QString error;
    EXPECT_FALSE(writer->WriteReport(*report, "everything.rpt", &error));
    // The step and the system's reason.
    EXPECT_TRUE(error.startsWith(QStringLiteral("saving the document: "))) << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("No such file or directory"))) << error.toStdString();
}

TEST_F(DocxWriterTest, AnEmptyUntitledReportGetsItsHeadingFromItsFileName) {
    QFile file(testData(QStringLiteral("tvd/empty/report.xml")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const auto report = loadReport(file.readAll(), QStringLiteral("C:\\Reports\\Sales.rpt"));
    options_.ShowRptSummary = options_.ShowExport = options_.ShowTOC = false;
    auto writer = std::make_shared<DocxWriter>(options_, log_, reporter_);
    ASSERT_TRUE(writer->init("Sales.rpt", path("word/"), path("Sales.rpt"), {}));
    // Label-value lines: level 2 keeps the style's own indent; level 1 is 36 points in, 3 is 108.
    for (qint32 level : {1, 2, 3})
        writer->lineSink().WriteDetails(LineRole::Detail, LineKind::LabelValue,
                                        QStringLiteral("Label%1").arg(level), "v", level);
    ASSERT_TRUE(writer->WriteReport(*report, "Sales.rpt"));
    const SavedDocument doc(path("word/Sales.docx"));
    const QStringList expected{"TVPropertyTitleStyle|Label1 v",
                               "TVPropertyTitleStyle|Label2 v",
                               "TVPropertyTitleStyle|Label3 v",
                               "Normal|Report Documentation",
                               "Normal|Main Report",
                               "Normal|",
                               "Normal|",
                               "Normal|" /* the page break */,
                               "Heading1|Sales.rpt",
                               "Heading2|Sections"};
    EXPECT_EQ(doc.paragraphs, expected);
    EXPECT_EQ(doc.indents.mid(0, 3), QStringList({"720", "", "2160"}));
}

TEST_F(DocxWriterTest, LayoutPictureOfEachBodyIsTakenInAndItsFileRemoved) {
    options_.ShowLayout = 1;
    const auto report = everything();
    ASSERT_TRUE(write(*report));
    const SavedDocument doc(path("word/everything.docx"));
    const qsizetype layout = doc.indexOf(QStringLiteral("Heading2|Report Layout"));
    EXPECT_GT(layout, doc.indexOf(QStringLiteral("Heading1|Sales by Region")));
    EXPECT_EQ(doc.pictures, 1);
    EXPECT_EQ(QDir(dir_.path()).entryList({QStringLiteral("temp*.bmp")}), QStringList());
}

// The picture is one band per shown section across the printable width (margins 0.5 inch each:
// 10000 twips for 7.5 inches), scaled alike both ways.
TEST_F(DocxWriterTest, LayoutPictureFitsItsSectionsToTheSurface) {
    const auto picture = [this](const QByteArray& sections) {
        const auto report = loadReport(
            "<Report leftMargin=\"720\" rightMargin=\"720\"><Database/><ExportOptions/><Areas>"
            "<Area kind=\"1\"><Sections>" +
            sections + "</Sections></Area></Areas></Report>");
        LayoutPicture(options_.SettingFont.FontName, options_.ShowHiddenSections)
            .MakeReport(*report, 0, path("temp0.bmp"));
        return QImage(path("temp0.bmp"), "BMP");
    };
    const QByteArray twoSections =
        "<Section minimumHeight=\"1000\" backColor=\"255\"/>"
        "<Section minimumHeight=\"500\" height=\"2000\" backColor=\"-1\" suppress=\"true\"/>";
    const double scale = 10000.0 / (7.5 * 1440);
    const auto pixels = [](double twips) { return int(std::lround(twips / 15)); };
    QImage image = picture(twoSections);
    EXPECT_EQ(image.size(), QSize(pixels(10030), pixels(1050 * scale + 30)));
    EXPECT_EQ(image.pixelColor(pixels(5000), pixels(500)), QColor(Qt::red));

    // An object without borders gets grey corner marks; one with single lines all round none.
    image = picture(
        "<Section minimumHeight=\"2000\" backColor=\"-1\"><ReportObjects>"
        "<OleObject kind=\"6\" left=\"1440\" top=\"0\" width=\"1440\" height=\"1440\" "
        "backgroundColor=\"-1\"/>"
        "<OleObject kind=\"6\" left=\"4320\" top=\"0\" width=\"1440\" height=\"1440\" "
        "backgroundColor=\"-1\" leftStyle=\"1\" rightStyle=\"1\" topStyle=\"1\" "
        "bottomStyle=\"1\" borderColor=\"255\"/></ReportObjects></Section>");
    const auto colorsNear = [&](double x, double y) {
        QSet<QRgb> colors;
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                colors.insert(image.pixel(pixels(x) + dx, pixels(y) + dy) & 0xFFFFFF);
        return colors;
    };
    EXPECT_TRUE(colorsNear(1440 * scale + 20, 30).contains(0x808080));
    EXPECT_FALSE(colorsNear(4320 * scale + 20, 30).contains(0x808080));
    EXPECT_TRUE(colorsNear(4320 * scale + 20, 30).contains(0xFF0000));

    // Hidden sections shown: counted by their height.
    options_.ShowHiddenSections = 1;
    image = picture(twoSections);
    EXPECT_EQ(image.height(), pixels((1050 + 2050) * scale + 30));

    // Too tall: both scales shrink until the layout fits, and the surface narrows alike.
    image = picture("<Section minimumHeight=\"99950\" backColor=\"-1\"/>");
    const double fit = (LayoutPicture::kMaxSurfaceHeight - 400) / 100000;
    EXPECT_EQ(image.size(), QSize(pixels(fit * 10000 / scale + 30),
                                  pixels(LayoutPicture::kMaxSurfaceHeight - 400 + 30)));
}

// The parts of a saved document as trees, names with their prefixes.
QDomDocument savedPart(const QString& docx, const QString& part) {
    const auto parts = tvdocx::readPackage(docx);
    QDomDocument xml;
    if (!parts || !parts->count(part) || !xml.setContent(parts->at(part)))
        throw std::runtime_error(("no part " + part).toStdString());
    return xml;
}

QList<QDomElement> all(const QDomDocument& xml, const QString& tag) {
    QList<QDomElement> found;
    const QDomNodeList list = xml.elementsByTagName(tag);
    for (int i = 0; i < list.size(); ++i) found.append(list.at(i).toElement());
    return found;
}

QStringList contentsEntries(const QString& docx) {
    const QDomDocument styles = savedPart(docx, QStringLiteral("word/styles.xml"));
    const QDomDocument body = savedPart(docx, QStringLiteral("word/document.xml"));
    QMap<QString, QString> indents;  // style id: its own left indent
    for (const QDomElement& style : all(styles, QStringLiteral("w:style")))
        indents[style.attribute(QStringLiteral("w:styleId"))] =
            style.firstChildElement(QStringLiteral("w:pPr"))
                .firstChildElement(QStringLiteral("w:ind"))
                .attribute(QStringLiteral("w:left"));
    QStringList entries;
    for (const QDomElement& link : all(body, QStringLiteral("w:hyperlink"))) {
        const QString style = link.parentNode()
                                  .firstChildElement(QStringLiteral("w:pPr"))
                                  .firstChildElement(QStringLiteral("w:pStyle"))
                                  .attribute(QStringLiteral("w:val"));
        entries << style + u' ' + indents.value(style) + u'|' +
                       link.elementsByTagName(QStringLiteral("w:t")).at(0).toElement().text();
    }
    return entries;
}

// Tables repeat their caption row on every page, the object table's ID column is 26 points
// wide, the footer's page number ends at the right margin in the header font, and the table of
// contents lists the headings, each pointing at a bookmark on its heading.
TEST_F(DocxWriterTest, TablesFooterAndContentsAreReadyForAReader) {
    options_.HeadingFont = {QStringLiteral("Verdana"), 0, 0, {}, QStringLiteral("8"),
                            QStringLiteral("Maroon")};
    const auto report = everything();
    ASSERT_TRUE(write(*report));
    const QString docx = path("word/everything.docx");
    const QDomDocument body = savedPart(docx, QStringLiteral("word/document.xml"));

    const QList<QDomElement> tables = all(body, QStringLiteral("w:tbl"));
    ASSERT_GE(tables.size(), 5);
    int objectTables = 0;
    for (const QDomElement& table : tables) {
        const QDomElement first = table.firstChildElement(QStringLiteral("w:tr"));
        EXPECT_FALSE(first.firstChildElement(QStringLiteral("w:trPr"))
                         .firstChildElement(QStringLiteral("w:tblHeader"))
                         .isNull());
        EXPECT_TRUE(first.nextSiblingElement(QStringLiteral("w:tr"))
                        .firstChildElement(QStringLiteral("w:trPr"))
                        .isNull());
        QList<int> widths;
        for (QDomElement col = table.firstChildElement(QStringLiteral("w:tblGrid"))
                                   .firstChildElement(QStringLiteral("w:gridCol"));
             !col.isNull(); col = col.nextSiblingElement())
            widths << col.attribute(QStringLiteral("w:w")).toInt();
        // The columns fill the page body: 7 inches between 0.75-inch margins.
        EXPECT_NEAR(std::accumulate(widths.begin(), widths.end(), 0), 10080, widths.size());
        if (first.text() == QStringLiteral("IDText/FieldPositionSize (w x h)Type")) {
            ++objectTables;
            EXPECT_EQ(widths.value(0), 520);
            EXPECT_EQ(widths.value(1), widths.value(4));
        }
    }
    EXPECT_GE(objectTables, 2);

    const QDomDocument footer = savedPart(docx, QStringLiteral("word/footer1.xml"));
    QStringList tabs;
    for (const QDomElement& tab : all(footer, QStringLiteral("w:tab")))
        if (tab.hasAttribute(QStringLiteral("w:pos")))
            tabs << tab.attribute(QStringLiteral("w:val")) + u'@' + tab.attribute("w:pos");
    EXPECT_EQ(tabs.mid(0, 2), QStringList({"center@5040", "right@10080"}));
    const QList<QDomElement> runs = all(footer, QStringLiteral("w:r"));
    ASSERT_FALSE(runs.isEmpty());
    for (const QDomElement& run : runs)
        EXPECT_EQ(run.firstChildElement(QStringLiteral("w:rPr"))
                      .firstChildElement(QStringLiteral("w:rFonts"))
                      .attribute(QStringLiteral("w:ascii")),
                  QStringLiteral("Verdana"));

    QMap<QString, QString> bookmarks;  // name: the heading's text
    for (const QDomElement& start : all(body, QStringLiteral("w:bookmarkStart"))) {
        QString text;
        const QDomNodeList t = start.parentNode().toElement().elementsByTagName("w:t");
        for (int i = 0; i < t.size(); ++i) text += t.at(i).toElement().text();
        bookmarks[start.attribute(QStringLiteral("w:name"))] = text;
    }
    QStringList entries;
    for (const QDomElement& link : all(body, QStringLiteral("w:hyperlink"))) {
        const QString anchor = link.attribute(QStringLiteral("w:anchor"));
        EXPECT_EQ(link.elementsByTagName("w:instrText").at(0).toElement().text(),
                  QStringLiteral(" PAGEREF %1 \\h ").arg(anchor));
        EXPECT_EQ(link.elementsByTagName("w:t").at(0).toElement().text(), bookmarks[anchor]);
        entries << bookmarks[anchor];
    }
    for (const char* heading : {"Report Summary Information", "Sales by Region", "Report Alerts",
                                "Sections", "Group Header #1"})
        EXPECT_TRUE(entries.contains(QString::fromUtf8(heading))) << heading;
    EXPECT_EQ(entries.size(), bookmarks.size());
    // Still one field, marked for Word to bring up to date.
    const QDomElement toc = all(body, QStringLiteral("w:instrText")).value(0);
    EXPECT_TRUE(toc.text().startsWith(QStringLiteral(" TOC ")));
    EXPECT_EQ(
        toc.parentNode().previousSibling().firstChildElement("w:fldChar").attribute("w:dirty"),
        QStringLiteral("true"));
}

// A layout taller than the page body is shown smaller, keeping its page with its headings.
TEST_F(DocxWriterTest, LayoutPictureFitsThePageBody) {
    options_.ShowLayout = 1;
    options_.ShowTOC = options_.ShowRptSummary = options_.ShowExport = 0;
    ASSERT_TRUE(writeOneSection(QStringLiteral("tall.rpt"),
                                "leftMargin=\"360\" rightMargin=\"360\"", "99950"));
    const QDomElement extent =
        all(savedPart(path("word/tall.docx"), QStringLiteral("word/document.xml")),
            QStringLiteral("wp:extent"))
            .value(0);
    const double widthPt = extent.attribute(QStringLiteral("cx")).toDouble() / 12700;
    const double heightPt = extent.attribute(QStringLiteral("cy")).toDouble() / 12700;
    EXPECT_LE(widthPt, 7 * 72 + 0.01);
    EXPECT_LE(heightPt, 9 * 72 - 72);
    EXPECT_GE(heightPt, 9 * 72 - 120);
}

// Margins that leave the page no width lose the layout pictures, each report's, but not the
// document, and the user is told why.
TEST_F(DocxWriterTest, MarginsWithoutRoomLeaveOutOnlyTheLayoutPicture) {
    options_.ShowLayout = 1;
    ASSERT_TRUE(writeOneSection(QStringLiteral("wide.rpt"),
                                "leftMargin=\"2147483647\" rightMargin=\"0\"", "1440"));
    const SavedDocument doc(path("word/wide.docx"));
    EXPECT_EQ(doc.pictures, 0);
    EXPECT_EQ(doc.indexOf(QStringLiteral("Heading2|Report Layout")), -1);
    EXPECT_GE(doc.indexOf(QStringLiteral("Heading2|Sections")), 0);
    ASSERT_EQ(messages_.size(), 1);
    EXPECT_TRUE(messages_[0].contains(QStringLiteral("wide.rpt")));
    EXPECT_TRUE(messages_[0].contains(QStringLiteral("without the layout picture")));
}

// The program folder may be read-only: nothing of a document is written there.
TEST_F(DocxWriterTest, ExtractWithTheLayoutWritesNothingIntoTheProgramFolder) {
    options_.CreateWordDocument = 1;
    options_.ShowLayout = 1;
    const QString report = path("word/everything.rpt");
    ASSERT_TRUE(QFile::copy(testData(QStringLiteral("tvd/everything/report.xml")), report));
    const QFileDevice::Permissions before = QFile::permissions(dir_.path());
    ASSERT_TRUE(QFile::setPermissions(dir_.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    const bool extracted = driver().ExtractReport(report, QStringLiteral("everything.rpt"));
    QFile::setPermissions(dir_.path(), before);
    EXPECT_TRUE(extracted) << messages_.join(u'\n').toStdString();
    EXPECT_EQ(SavedDocument(path("word/everything.docx")).pictures, 1);
}

// The layout pictures, made on a worker thread while the body is written, give the same package
// as pictures made in place, each where its report's body starts: a report with subreports, so
// that several pictures are in flight and must keep their order.
TEST_F(DocxWriterTest, PicturesMadeAsideGiveTheSamePackageAsPicturesMadeInPlace) {
    options_.ShowLayout = 1;
    const Clock::Fixed clock(QDateTime(QDate(2026, 3, 4), QTime(17, 5, 9)));
    const auto report = std::make_unique<tvReport>();
    report->init(sampleReport(QStringLiteral("objects.rpt")), 0, 0);
    ASSERT_GT(report->subReports.Count(), 0);
    const auto parts = [&](bool aside) {
        DocxWriter writer(options_, log_, reporter_);
        writer.setPicturesAside(aside);
        const QString name = QStringLiteral("objects.rpt");
        QString error;
        EXPECT_TRUE(writer.init(name, path("word/"), path(name), {}, &error) &&
                    writer.WriteReport(*report, name, &error))
            << error.toStdString();
        writer.closeDocument();
        return tvdocx::readPackage(path("word/objects.docx")).value_or(tvdocx::PackageParts());
    };
    const tvdocx::PackageParts inPlace = parts(false);
    EXPECT_EQ(std::count_if(inPlace.begin(), inPlace.end(),
                            [](const auto& part) { return part.first.endsWith(u".png"); }),
              report->subReports.Count() + 1);
    EXPECT_EQ(parts(true), inPlace);
}

TEST(WordColor, NamesAreExactAndAnEmptyNameBecomesBlack) {
    QString empty, red = QStringLiteral("Red"), lower = QStringLiteral("red");
    EXPECT_EQ(GetWordColor(empty), 0);
    EXPECT_EQ(empty, QStringLiteral("Black"));
    EXPECT_EQ(GetWordColor(red), 255);
    EXPECT_EQ(GetWordColor(lower), 0);
}

// The Extract driver writes a .docx for each sample report through the program's own writer.
TEST_F(DocxWriterTest, ExtractWritesTheSamplesDocuments) {
    options_.CreateWordDocument = 1;
    options_.ShowLayout = 1;  // every kind of object drawn
    const QStringList samples =
        QDir(QStringLiteral(TAV_SAMPLES)).entryList({QStringLiteral("*.rpt")}, QDir::Files);
    ASSERT_FALSE(samples.isEmpty());
    for (const QString& sample : samples) {
        ASSERT_TRUE(driver().ExtractReport(sampleReport(sample), sample)) << sample.toStdString();
        const QString docx = path("word/") + reportStem(sample) + QStringLiteral(".docx");
        const SavedDocument doc(docx);
        EXPECT_GE(doc.indexOf(QStringLiteral("Heading2|Sections")), 0) << sample.toStdString();
        EXPECT_GE(doc.pictures, 1) << sample.toStdString();
    }
    EXPECT_TRUE(messages_.isEmpty()) << messages_.join(u'\n').toStdString();
}

}  // namespace
