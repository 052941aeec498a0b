#include "DocxWriter.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QScopeGuard>
#include <QVersionNumber>
#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>
#include <utility>

#include "Clock.h"
#include "CodeTexts.h"
#include "DetailPieces.h"
#include "ExtractOptions.h"
#include "FieldDetails.h"
#include "OutputFiles.h"
#include "RunLog.h"
#include "RunReporter.h"
#include "SettingsStore.h"
#include "SharedBlocks.h"
#include "TemplateStore.h"
#include "TextUtilities.h"
#include "Version.h"
#include "tvArea.h"
#include "tvDatabase.h"
#include "tvDatabaseFieldDefinition.h"
#include "tvDatabaseTable.h"
#include "tvFieldObject.h"
#include "tvFormulaField.h"
#include "tvParameterFieldDefinition.h"
#include "tvReport.h"
#include "tvReportAlert.h"
#include "tvReportStatistics.h"
#include "tvRunningTotalFieldDefinition.h"
#include "tvRuntime.h"
#include "tvSection.h"
#include "tvSortField.h"

namespace tav::word {

using namespace core;
using namespace doctext;

namespace {

using tvdocx::Alignment;
using tvdocx::RunFormat;

// The measures of the document, in points.
constexpr double ptOneInch = 72;
constexpr double ptThreeQuarterInch = 54;
constexpr double ptHalfInch = 36;
constexpr double ptMinusHalfInch = -36;
constexpr double ptFourTenthsInch = 28.8;
constexpr double ptThreeTenthsInch = 21.6;
constexpr double ptFifthInch = 14.4;
constexpr double ptZero = 0;
// Room on the layout picture's page for the report heading, "Report Layout" and the page break.
constexpr double kHeadingsRoomPt = 90;

const QString kPropertyTitleStyle = QStringLiteral("TV_Property_Title_Style");
const QString kTableFontStyle = QStringLiteral("TV_Table_Font_Style");

struct WordColor {
    std::u16string_view name;
    qint32 value;
};

constexpr std::array kWordColors{
    WordColor{u"Black", 0},        WordColor{u"Maroon", 128},    WordColor{u"Green", 32768},
    WordColor{u"Olive", 13107},    WordColor{u"Navy", 8388608},  WordColor{u"Teal", 8421376},
    WordColor{u"Gray", 15987699},  WordColor{u"Red", 255},       WordColor{u"Lime", 52377},
    WordColor{u"Yellow", 65535},   WordColor{u"Blue", 16711680}, WordColor{u"Aqua", 13421619},
    WordColor{u"White", 16777215},
};

// A Word colour (blue, green, red from the high byte down) as the document's "RRGGBB".
// Every value line asks for one: written digit by digit.
QString colorHex(qint32 wordColor) {
    static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    QString hex(6, Qt::Uninitialized);
    for (int i = 0; i < 3; ++i) {
        const int byte = (wordColor >> (8 * i)) & 0xFF;
        hex[2 * i] = kDigits[byte >> 4];
        hex[2 * i + 1] = kDigits[byte & 0xF];
    }
    return hex;
}

// The sizes a document can give a font, in points.
constexpr double kSmallestPointSize = 1;
constexpr double kLargestPointSize = 1638;

// The size of a font setting; nothing when it is no number.
std::optional<double> settingSize(const FontSetting& font) {
    bool ok = false;
    const double size = font.FontSize.trimmed().toDouble(&ok);
    if (!ok || std::isnan(size)) return std::nullopt;
    return size;
}

double pointSize(const FontSetting& font, double change = 0) {
    const std::optional<double> size = settingSize(font);
    // 0: the style's own size
    return size ? std::clamp(*size + change, kSmallestPointSize, kLargestPointSize) : 0;
}

// Each font setting by the name it is stored under.
struct FontSettingName {
    const char* name;
    FontSetting ExtractOptions::*font;
};
constexpr std::array kFontSettings{FontSettingName{"HeadingFontSize", &ExtractOptions::HeadingFont},
                                   FontSettingName{"SectionFontSize", &ExtractOptions::SectionFont},
                                   FontSettingName{"SettingFontSize", &ExtractOptions::SettingFont},
                                   FontSettingName{"ValueFontSize", &ExtractOptions::ValueFont},
                                   FontSettingName{"TableFontSize", &ExtractOptions::TableFont}};

// Holds the font sizes of the settings to what a document can give; the run log tells of each
// one that was out of range.
void holdFontSizes(ExtractOptions& options, RunLog& log) {
    for (const FontSettingName& setting : kFontSettings) {
        FontSetting& font = options.*setting.font;
        const std::optional<double> size = settingSize(font);
        if (!size || (*size >= kSmallestPointSize && *size <= kLargestPointSize)) continue;
        const double held = std::clamp(*size, kSmallestPointSize, kLargestPointSize);
        const QString line = QStringLiteral("Font size %1 of %2 is out of range: %3 pt is used")
                                 .arg(font.FontSize, QLatin1StringView(setting.name))
                                 .arg(held);
        font.FontSize = QString::number(held);
        // A log that cannot be written is told of when it closes; the document goes on.
        try {
            log.write(line);
        } catch (const std::exception&) {
        }
    }
}

// The font of a setting; `withColor` false leaves the colour the style already has.
RunFormat fontOf(FontSetting& font, double sizeChange = 0, bool withColor = true) {
    RunFormat format;
    format.fontName = font.FontName;
    format.sizePt = pointSize(font, sizeChange);
    format.bold = font.Bold != 0;
    format.italic = font.Italic != 0;
    format.underline = false;
    if (withColor) format.color = colorHex(GetWordColor(font.FontColor));
    return format;
}

tvdocx::ParagraphFormat hangingIndent(double left) {
    tvdocx::ParagraphFormat format;
    format.alignment = Alignment::Left;
    format.leftIndentPt = left;
    format.firstLineIndentPt = ptMinusHalfInch;
    return format;
}

QString fileDateTime(const QString& path, const char* pattern) {
    return QLocale::c().toString(QFileInfo(path).lastModified(), QLatin1StringView(pattern));
}

// The text of a cell starts at its edge, whatever indent the paragraph style gives.
tvdocx::ParagraphFormat cellFormat() {
    tvdocx::ParagraphFormat format;
    format.alignment = Alignment::Left;
    format.leftIndentPt = 0;
    format.firstLineIndentPt = 0;
    return format;
}

}  // namespace

qint32 GetWordColor(QString& colourName) {
    if (colourName.isEmpty()) colourName = QStringLiteral("Black");
    for (const WordColor& color : kWordColors)
        if (QStringView(color.name) == colourName) return color.value;
    return 0;
}

DocxWriter::DocxWriter(const ExtractOptions& options, RunLog& log, RunReporter& reporter)
    : options_(options), log_(log), reporter_(reporter) {
    holdFontSizes(options_, log_);
}
DocxWriter::~DocxWriter() = default;

bool DocxWriter::init(const QString& fileName, const QString& documentFolder,
                      const QString& reportPath, const QString& templateName) {
    failure_.clear();
    step_ = QStringLiteral("preparing the document");
    try {
        // Starting Word: a document builder of our own for this report.
        closeDocument();
        wordDocument_ = std::make_unique<tvdocx::Document>();
        PrepareDocument(templateName, reportPath, fileName);
        detailWriter_ = std::make_unique<ObjectDetailWriter>();
        detailWriter_->init(*this);
        documentFolder_ = documentFolder;
        return true;
    } catch (const std::exception& e) {
        failure_ = step_ + QStringLiteral(": ") + QString::fromUtf8(e.what());
        closeDocument();
        return false;
    }
}

void DocxWriter::closeDocument() {
    if (!wordDocument_) return;
    paragraph_.reset();
    wordDocument_.reset();
    detailWriter_.reset();
}

void DocxWriter::PrepareDocument(const QString& templateName, const QString& reportPath,
                                 const QString& fileName) {
    if (options_.UseTemplate) {
        profile_ = TemplateStore(options_.ProgramFolder).GetTemplate(templateName, reporter_);
        QString error;
        if (wordDocument_->loadTemplateStyles(profile_.templatePath, &error) &&
            wordDocument_->loadTemplateContent(profile_.templatePath, &error)) {
            newDocument_ = false;
            completeTemplateStyles();
            SetupPropertyTitleStyle();
            // Tables of a template document are written in the template's Normal style.
            profile_.tableFontStyle = profile_.normalStyleName;
            return;
        }
        reporter_.message(
            QStringLiteral("The selected document template: ") + profile_.templatePath +
            QStringLiteral(" could not be opened.  Please ensure that this file still "
                           "exists and is not corrupted.  Using the default normal style.  (") +
            error + u')');
        wordDocument_ = std::make_unique<tvdocx::Document>();
    }
    prepareNewDocument(reportPath, fileName);
}

void DocxWriter::completeTemplateStyles() {
    // Each style the profile names, with the usual style of its role; Normal comes first, as the
    // others are based on it.
    struct Role {
        QString DocumentTemplate::*name;
        const char* usual;
    };
    static constexpr std::array kRoles{Role{&DocumentTemplate::normalStyleName, "Normal"},
                                       Role{&DocumentTemplate::heading1StyleName, "heading 1"},
                                       Role{&DocumentTemplate::heading2StyleName, "heading 2"},
                                       Role{&DocumentTemplate::heading3StyleName, "heading 3"},
                                       Role{&DocumentTemplate::tocStyleName, "toc 1"},
                                       Role{&DocumentTemplate::tableStyle, "Table Grid"}};
    QStringList missing;
    const auto complete = [&](const QString& name, const char* usual) {
        if (name.isEmpty() || wordDocument_->hasStyle(name)) return false;
        tvdocx::StyleDefinition style = *tvdocx::usualStyle(QLatin1StringView(usual));
        style.name = name;
        if (!style.basedOn.isEmpty()) style.basedOn = profile_.normalStyleName;
        if (!style.next.isEmpty()) style.next = profile_.normalStyleName;
        wordDocument_->setStyle(style);
        return true;
    };
    for (const Role& role : kRoles)
        if (complete(profile_.*role.name, role.usual)) missing << profile_.*role.name;
    // The lower levels of the contents keep their indents: the template's own styles, or the
    // usual ones where it has none.
    if (options_.ShowTOC)
        for (const char* level : {"toc 2", "toc 3"})
            complete(QString::fromLatin1(level).toUpper(), level);
    if (missing.isEmpty()) return;
    reporter_.message(
        QStringLiteral("The document template %1 of the profile \"%2\" holds no %3 \"%4\": "
                       "the document uses the default %5 instead.")
            .arg(profile_.templatePath, profile_.templateName,
                 missing.size() == 1 ? QStringLiteral("style") : QStringLiteral("styles"),
                 missing.join(QStringLiteral("\", \"")),
                 missing.size() == 1 ? QStringLiteral("definition")
                                     : QStringLiteral("definitions")));
}

void DocxWriter::prepareNewDocument(const QString& reportPath, const QString& fileName) {
    newDocument_ = true;
    profile_ = TemplateStore::GetDefaultTemplate();
    SetupPage(reportPath, fileName);
    SetupStyles();
    SetupPropertyTitleStyle();
}

void DocxWriter::SetupPage(const QString& reportPath, const QString& fileName) {
    tvdocx::PageSetup& page = wordDocument_->page;
    page.topPt = page.bottomPt = ptOneInch;
    page.leftPt = page.rightPt = ptThreeQuarterInch;
    page.headerPt = page.footerPt = ptHalfInch;
    wordDocument_->defaultTabStopPt = ptFifthInch;

    ExtractOptions& settings = options_;
    const RunFormat font = fontOf(settings.HeadingFont);
    tvdocx::Story& header = wordDocument_->header();
    tvdocx::ParagraphFormat left;
    left.alignment = Alignment::Left;
    header.addParagraph().format(left).text(QStringLiteral("Report File: ") + fileName, font);
    tvdocx::ParagraphFormat rule = left;
    rule.bottomBorder = true;
    header.addParagraph().format(rule).text(
        QStringLiteral("Report File DateTime: ") +
            fileDateTime(reportPath, "dd-MMM-yyyy 'at' HH:mm:ss"),
        font);

    // The version stands at the left margin and "Page N of M" ends at the right one; a tab
    // stop in the middle keeps the page's place for a centred text.
    tvdocx::Story& footer = wordDocument_->footer();
    tvdocx::ParagraphFormat tabs;
    tabs.tabStops = {{page.bodyWidthPt() / 2, Alignment::Center},
                     {page.bodyWidthPt(), Alignment::Right}};
    tvdocx::ParagraphFormat ruleAbove = tabs;
    ruleAbove.topBorder = true;
    footer.addParagraph()
        .format(ruleAbove)
        .text(QStringLiteral("Tavrin, Version ") + shortVersionText() + QStringLiteral("\t\tPage "),
              font)
        .field(QStringLiteral(" PAGE "), QStringLiteral("1"), font)
        .text(QStringLiteral("  of  "), font)
        .field(QStringLiteral(" NUMPAGES "), QStringLiteral("1"), font);
    footer.addParagraph().format(tabs).text(
        QStringLiteral("Printed ") +
            QLocale::c().toString(Clock::now(), u"dd-MMM-yy 'at' HH:mm:ss"),
        font);
}

void DocxWriter::SetupStyles() {
    ExtractOptions& settings = options_;
    const auto paragraphStyle = [&](const QString& name, const RunFormat& font) {
        tvdocx::StyleDefinition style;
        style.name = name;
        style.font = font;
        style.paragraph = hangingIndent(ptHalfInch);
        return style;
    };
    tvdocx::StyleDefinition heading1 =
        paragraphStyle(profile_.heading1StyleName, fontOf(settings.SectionFont, 1));
    heading1.font.italic = false;
    heading1.font.bold = true;
    wordDocument_->setStyle(heading1);
    for (const auto& [name, change] : {std::pair{profile_.heading2StyleName, 0.0},
                                       std::pair{profile_.heading3StyleName, -1.0}}) {
        tvdocx::StyleDefinition heading =
            paragraphStyle(name, fontOf(settings.SectionFont, change, false));
        heading.font.italic = false;
        heading.font.bold = true;
        heading.basedOn = heading.next = profile_.normalStyleName;
        wordDocument_->setStyle(heading);
    }
    tvdocx::StyleDefinition normal =
        paragraphStyle(profile_.normalStyleName, fontOf(settings.ValueFont));
    normal.next = profile_.normalStyleName;
    wordDocument_->setStyle(normal);

    // Headings are numbered 1, 1.1 and 1.1.1, and the table of contents lists them.
    const std::array<std::pair<const char*, double>, 3> levels{std::pair{"%1", ptThreeTenthsInch},
                                                               std::pair{"%1.%2", ptFourTenthsInch},
                                                               std::pair{"%1.%2.%3", ptHalfInch}};
    const std::array headingNames{profile_.heading1StyleName, profile_.heading2StyleName,
                                  profile_.heading3StyleName};
    std::vector<tvdocx::ListLevel> numbering;
    for (std::size_t n = 0; n < levels.size(); ++n) {
        tvdocx::ListLevel level;
        level.numberFormat = QLatin1StringView(levels[n].first);
        level.numberPositionPt = ptZero;
        level.textPositionPt = levels[n].second;
        level.linkedStyle = headingNames[n];
        numbering.push_back(level);
    }
    wordDocument_->addNumbering(numbering);

    const std::array<std::pair<QString, double>, 3> tocIndents{
        std::pair{profile_.tocStyleName, 0.0}, std::pair{QStringLiteral("TOC 2"), 9.36},
        std::pair{QStringLiteral("TOC 3"), 18.0}};
    for (const auto& [name, indent] : tocIndents) {
        tvdocx::StyleDefinition toc;
        toc.name = name;
        toc.paragraph.leftIndentPt = indent;
        toc.paragraph.firstLineIndentPt = 0;
        wordDocument_->setStyle(toc);
    }
    profile_.tableStyle = QStringLiteral("Table Grid");
    SetupTableFontStyle();
}

void DocxWriter::SetupPropertyTitleStyle() {
    profile_.propertyTitleStyleName = kPropertyTitleStyle;
    // A template may define the style itself; its definition is kept.
    if (wordDocument_->hasStyle(kPropertyTitleStyle)) return;
    tvdocx::StyleDefinition style;
    style.name = kPropertyTitleStyle;
    style.next = profile_.normalStyleName;
    style.paragraph.leftIndentPt = 2 * ptHalfInch;
    style.paragraph.firstLineIndentPt = ptMinusHalfInch;
    if (options_.UseTemplate) {
        // The Normal font, underlined and italic.
        style.basedOn = profile_.normalStyleName;
        style.font.underline = true;
        style.font.italic = true;
    } else {
        style.font = fontOf(options_.SettingFont);
    }
    wordDocument_->setStyle(style);
}

void DocxWriter::SetupTableFontStyle() {
    profile_.tableFontStyle = kTableFontStyle;
    if (wordDocument_->hasStyle(kTableFontStyle)) return;
    tvdocx::StyleDefinition style;
    style.name = kTableFontStyle;
    style.paragraph.alignment = Alignment::Left;
    style.paragraph.leftIndentPt = 0;
    style.paragraph.firstLineIndentPt = 0;
    style.font = fontOf(options_.TableFont);
    wordDocument_->setStyle(style);
    // The style names itself as the next one, so it exists before it is named.
    style.next = kTableFontStyle;
    wordDocument_->setStyle(style);
}

void DocxWriter::SaveDocument(const QString& fileName) {
    // The table of contents is marked for Word to bring up to date when it opens the document.
    if (fileName.size() < 4) throw tvdocx::DocxError("the report's file name is too short");
    documentPath_ = documentFolder_ + fileName.left(fileName.size() - 4) + QStringLiteral(".docx");
    QString error;
    // Saved through a temporary file: an earlier document stays until the new one is complete.
    // Where the folder has no room for the temporary file's longer name, the document is saved
    // under a short name first and then renamed.
    const QString savingPath = core::savingPathOf(documentPath_, &error);
    if (savingPath.isEmpty()) {
        throw tvdocx::DocxError(
            (documentPath_ + QStringLiteral(" cannot be written: File name too long"))
                .toStdString());
    }
    if (!wordDocument_->save(savingPath, &error) ||
        !core::putSavedFileInPlace(savingPath, documentPath_, &error)) {
        throw tvdocx::DocxError(error.toStdString());
    }
}

// ---------------------------------------------------------------------------------------------
// The insertion point

void DocxWriter::setStyle(const QString& styleName) {
    style_ = styleName;
    paragraphFormat_ = {};
}

void DocxWriter::typeText(const QString& text, const RunFormat& format) {
    if (!paragraph_) {
        paragraph_ = wordDocument_->body().addParagraph(style_);
        paragraph_->format(paragraphFormat_);
    }
    if (!text.isEmpty()) paragraph_->text(text, format);
}

void DocxWriter::typeParagraph() {
    typeText(QString());
    paragraph_.reset();
}

void DocxWriter::pageBreak() {
    typeText(QString());
    paragraph_->pageBreak();
    paragraph_.reset();
}

void DocxWriter::line(const QString& text, qint32 level, LineRole role) {
    WriteDetails(role, LineKind::Caption, text, QString(), level);
}

void DocxWriter::blank(LineRole role) { line(QString(), 1, role); }

void DocxWriter::heading(const QString& text) {
    setStyle(profile_.heading2StyleName);
    line(text);
}

void DocxWriter::WriteDetails(LineRole role, LineKind kind, const QString& text,
                              const QString& value, qint32 level) {
    if (role == LineRole::Title) {
        setStyle(profile_.normalStyleName);
        RunFormat bold;
        bold.bold = true;
        typeText(text, bold);
        typeParagraph();
        setStyle(profile_.normalStyleName);
    } else if (kind == LineKind::Caption && level >= 1) {
        if (level == 3) {
            paragraphFormat_.alignment = Alignment::Left;
            paragraphFormat_.leftIndentPt = 1.5 * ptHalfInch;
            paragraphFormat_.firstLineIndentPt = 0;
        }
        typeText(text);
        typeParagraph();
    } else if (kind == LineKind::LabelValue) {
        setStyle(profile_.propertyTitleStyleName);
        if (level != 2) paragraphFormat_.leftIndentPt = level * ptHalfInch;
        typeText(text);
        RunFormat valueFont;
        if (!options_.UseTemplate) {
            valueFont = fontOf(options_.ValueFont);
            valueFont.sizePt = 0;
        }
        valueFont.underline = false;
        if (options_.UseTemplate) valueFont.italic = false;
        typeText(QStringLiteral(" ") + value, valueFont);
        typeParagraph();
    } else {
        typeParagraph();
    }
}

// ---------------------------------------------------------------------------------------------
// Assembly

bool DocxWriter::WriteReport(const tvReport& report, const QString& fileName) {
    failure_.clear();
    step_ = QStringLiteral("writing the title page");
    try {
        if (!wordDocument_) throw tvdocx::DocxError("no document was prepared");
        const ExtractOptions& settings = options_;
        // The layout pictures are drawn aside from the start; whatever way this ends, the
        // drawing stops before the report can go.
        const auto drawn = qScopeGuard([this] { pictures_.reset(); });
        if (settings.ShowLayout)
            pictures_ = std::make_unique<LayoutPictures>(
                LayoutPicture(settings.SettingFont.FontName, settings.ShowHiddenSections), report,
                picturesAside_);
        ReplaceTemplateFields(report, fileName);
        WriteTitlePage(report);
        if (settings.ShowRptSummary) {
            setStyle(profile_.heading1StyleName);
            line(QStringLiteral("Report Summary Information"));
            setStyle(profile_.normalStyleName);
            WriteSummaryInformation(report, *this);
            pageBreak();
        }
        if (settings.ShowExport) {
            line(QStringLiteral("Report Export Information"), 1, LineRole::Title);
            WriteExportInformation(report, *this);
        }
        for (qsizetype i = 0; i <= report.subReports.Count(); ++i) {
            step_ = QStringLiteral("writing the body of report %1").arg(i);
            WriteReportBody(GetReportOrSubreport(report, i), report, i);
        }
        step_ = QStringLiteral("saving the document");
        SaveDocument(fileName);
        return true;
    } catch (const std::exception& e) {
        failure_ = step_ + QStringLiteral(": ") + QString::fromUtf8(e.what());
        // Nothing is saved: the earlier document, if any, stays as it was.
        closeDocument();
        return false;
    }
}

void DocxWriter::ReplaceTemplateFields(const tvReport& report, const QString& fileName) {
    // Codes are compared exactly, blanks and letter case included.
    wordDocument_->replaceFields([&](const QString& code) -> std::optional<QString> {
        if (code == QLatin1StringView(" ReportName ")) return fileName;
        if (code == QLatin1StringView(" ReportDateTime "))
            return fileDateTime(report.reportFileName, "dd-MMM-yyyy 'at' HH:mm:ss");
        if (code == QLatin1StringView(" ReportRevision ")) {
            if (!report.tvReportStatistics) tvObjectRequired();
            return QString::number(report.tvReportStatistics->revisionNumber);
        }
        return std::nullopt;
    });
}

void DocxWriter::WriteTitlePage(const tvReport& report) {
    const ExtractOptions& settings = options_;
    if (newDocument_ && !settings.UseTemplate) {
        setStyle(profile_.normalStyleName);
        paragraphFormat_.alignment = Alignment::Center;
        RunFormat bold;
        bold.bold = true;
        typeText(QStringLiteral("Report Documentation"), bold);
        typeParagraph();
        typeText(report.reportTitle.isEmpty() ? QStringLiteral("Main Report") : report.reportTitle,
                 bold);
        typeParagraph();
        typeParagraph();
        paragraphFormat_.alignment = Alignment::Left;
    }
    if (settings.ShowTOC) {
        paragraph_.reset();
        wordDocument_->body().addTableOfContents(1, 3, profile_.tocStyleName);
    }
    setStyle(profile_.normalStyleName);
    blank();
    if (settings.ShowTOC) pageBreak();
}

void DocxWriter::WriteLayoutPicture(const tvReport& mainReport, qsizetype index) {
    pageBreak();
    setStyle(profile_.heading1StyleName);
    const QString title = GetReportOrSubreport(mainReport, index).reportTitle;
    line(title.isEmpty() ? reportFileName(mainReport.reportFileName) : title);
    setStyle(profile_.normalStyleName);
    if (!options_.ShowLayout) return;
    setStyle(profile_.heading2StyleName);
    line(QStringLiteral("Report Layout"));
    setStyle(profile_.normalStyleName);
    const QString step = std::exchange(step_, QStringLiteral("drawing the layout picture"));
    const QSize size = pictures_->SizeOf(index);
    step_ = step;
    typeText(QString());
    // The picture keeps its page with the two headings above it and the break below.
    const tvdocx::PageSetup& page = wordDocument_->page;
    paragraph_->picture(pictures_->PngOf(index), size, LayoutPicture::kDotsPerMeter,
                        page.bodyWidthPt(), page.bodyHeightPt() - kHeadingsRoomPt);
    typeParagraph();
    pageBreak();
    setStyle(profile_.normalStyleName);
}

void DocxWriter::WriteReportBody(const tvReport& report, const tvReport& mainReport,
                                 qsizetype index) {
    const ExtractOptions& settings = options_;
    WriteLayoutPicture(mainReport, index);
    WriteAlertsTable(report);
    if (settings.ShowFormula) {
        WriteSelectionFormula(QStringLiteral("Record Selection Formula"),
                              report.recordSelectionFormula);
        WriteSelectionFormula(QStringLiteral("Group Selection Formula"),
                              report.groupSelectionFormula);
        WriteFormulaTable(report);
    }
    if (settings.ShowParameters) WriteParameterTable(report);
    if (settings.ShowGroups) WriteGroupTable(report);
    if (settings.ShowSort) WriteSortFieldTables(report);
    if (settings.ShowSQL) WriteSQLQuery(report);
    if (settings.ShowTables) {
        WriteTableList(report);
        if (settings.ShowDBCols) WriteTableColumnTables(report);
        WriteDBLinks(report);
    }
    WriteRunningTotalTable(report);
    WriteSections(report);
}

void DocxWriter::WriteDBLinks(const tvReport&) {}

tvdocx::Table DocxWriter::addTable(qsizetype rows, std::initializer_list<const char*> captions) {
    setStyle(profile_.tableFontStyle);
    paragraph_.reset();
    // A profile that names no table style leaves the table plain.
    const QString style =
        wordDocument_->hasStyle(profile_.tableStyle) ? profile_.tableStyle : QString();
    // The cells' paragraphs are in the table font style, as Word gives a new table the style of
    // the paragraph it is added at.
    tvdocx::Table table = wordDocument_->body().addTable(int(rows) + 1, int(captions.size()), style,
                                                         profile_.tableFontStyle);
    RunFormat bold;
    bold.bold = true;
    int column = 0;
    for (const char* caption : captions)
        table.cell(0, column++).format(cellFormat()).text(QLatin1StringView(caption), bold);
    table.setHeadingRow();
    return table;
}

void DocxWriter::MoveToEndOfTable() {
    paragraph_.reset();
    paragraphFormat_.leftIndentPt = ptHalfInch;
    paragraphFormat_.firstLineIndentPt = ptMinusHalfInch;
}

// Fills row `row` (0 the captions) of a table, cell by cell.
static void fillRow(tvdocx::Table& table, qsizetype row, const QStringList& values) {
    for (qsizetype column = 0; column < values.size(); ++column)
        table.cell(int(row), int(column)).format(cellFormat()).text(values[column]);
}

void DocxWriter::WriteAlertsTable(const tvReport& report) {
    if (report.reportAlerts.Count() < 1) return;
    heading(QStringLiteral("Report Alerts"));
    tvdocx::Table table =
        addTable(report.reportAlerts.Count(),
                 {"Name", "Enabled", "Condition Formula", "Default Message", "Message Formula"});
    qsizetype row = 0;
    for (const tvReportAlert& alert : report.reportAlerts)
        fillRow(table, ++row,
                {alert.name, tvBooleanText(alert.isEnabled), alert.conditionForumla,
                 alert.defaultMessage, alert.messageFormula});
    MoveToEndOfTable();
    blank();
}

void DocxWriter::WriteSelectionFormula(const QString& title, const QString& formula) {
    if (formula.isEmpty()) return;
    heading(title);
    setStyle(profile_.normalStyleName);
    line(QStringLiteral("\t") + formula, 2);
    blank();
}

void DocxWriter::WriteSQLQuery(const tvReport& report) {
    if (report.sqlQueryString.isEmpty()) return;
    heading(QStringLiteral("SQL Query"));
    setStyle(profile_.normalStyleName);
    line(report.sqlQueryString, 2);
    blank();
}

void DocxWriter::WriteFormulaTable(const tvReport& report) {
    if (report.tvFormulaFields.Count() < 1) return;
    heading(QStringLiteral("User Formulas"));
    tvdocx::Table table = addTable(report.tvFormulaFields.Count(), {"Name", "Definition"});
    qsizetype row = 0;
    for (const tvFormulaField& formula : report.tvFormulaFields)
        fillRow(table, ++row,
                {formula.name + QStringLiteral(" (") + GetValueTypeText(formula.valueType) +
                     QStringLiteral(")"),
                 formula.text});
    MoveToEndOfTable();
    blank();
}

void DocxWriter::WriteParameterTable(const tvReport& report) {
    if (report.tvParameters.Count() < 1) return;
    heading(QStringLiteral("Parameters"));
    tvdocx::Table table =
        addTable(report.tvParameters.Count(), {"Parameter", "Prompt Description", "Data Type"});
    qsizetype row = 0;
    for (const tvParameterFieldDefinition& parameter : report.tvParameters)
        fillRow(table, ++row,
                {parameter.parameterFieldName, parameter.prompt,
                 GetValueTypeName(parameter.valueType)});
    MoveToEndOfTable();
    blank();
}

void DocxWriter::WriteGroupTable(const tvReport& report) {
    const qsizetype groups = report.tvGroupNameFields.Count();
    if (groups < 1) return;
    heading(QStringLiteral("Groups"));
    tvdocx::Table table = addTable(groups, {"Group", "Field", "Break-on", "Direction", "Formula"});
    for (const tvArea& area : report.tvAreas) {
        if (area.kind != tvGroupHeaderArea) continue;
        // A group numbered outside the table gets a row of its own rather than losing it.
        qsizetype row = area.groupNumber;
        if (row < 1 || row >= table.rowCount()) {
            table.addRow();
            row = table.rowCount() - 1;
        }
        fillRow(
            table, row,
            {QStringLiteral("Group #") + QString::number(area.groupNumber),
             GetFieldDefinitionName(area.groupConditionField),
             GetGroupConditionText(area.groupCondition), GetSortDirectionText(area.sortDirection),
             area.groupNumber >= 1 && area.groupNumber <= groups
                 ? GetGroupNameConditionFormula(report, area.groupNumber)
                 : QString()});
    }
    MoveToEndOfTable();
    blank();
}

void DocxWriter::WriteSortFieldTables(const tvReport& report) {
    const auto sortTable = [&](const QString& title, const auto& sortFields) {
        if (sortFields.Count() < 1) return;
        heading(title);
        tvdocx::Table table = addTable(sortFields.Count(), {"Sort Field", "Direction"});
        qsizetype row = 0;
        for (const tvSortField& sortField : sortFields)
            fillRow(table, ++row,
                    {GetFieldDisplayName(sortField.field),
                     GetSortDirectionText(detail::codeOfText(sortField.sortDirection))});
        MoveToEndOfTable();
    };
    sortTable(QStringLiteral("Sort Fields"), report.tvGroupSortFields);
    sortTable(QStringLiteral("Record Sort Fields"), report.tvRecordSortFields);
}

void DocxWriter::WriteTableList(const tvReport& report) {
    if (!report.tvDatabase) tvObjectRequired();
    const auto& tables = report.tvDatabase->tables;
    if (tables.Count() < 1) return;
    blank();
    heading(QStringLiteral("Tables"));
    tvdocx::Table table = addTable(tables.Count(), {"Table", "Alias", "Location", "Driver"});
    qsizetype row = 0;
    for (const tvDatabaseTable& t : tables)
        fillRow(table, ++row,
                {t.name, t.descriptiveName.isEmpty() ? t.name : t.descriptiveName, t.location,
                 t.dllName});
    MoveToEndOfTable();
    blank();
}

void DocxWriter::WriteTableColumnTables(const tvReport& report) {
    if (!report.tvDatabase) tvObjectRequired();
    const auto& tables = report.tvDatabase->tables;
    if (tables.Count() < 1) return;
    setStyle(profile_.heading3StyleName);
    line(QStringLiteral("Database Table Columns"), 1, LineRole::Label);
    setStyle(profile_.normalStyleName);
    blank(LineRole::Label);
    for (const tvDatabaseTable& t : tables) {
        setStyle(profile_.normalStyleName);
        line(QStringLiteral("Table: ") + t.name, 1, LineRole::Label);
        if (t.fields.Count() < 1) continue;
        tvdocx::Table table = addTable(t.fields.Count(), {"Column", "DataType", "Size"});
        qsizetype row = 0;
        for (const tvDatabaseFieldDefinition& field : t.fields)
            fillRow(table, ++row,
                    {field.name, GetValueTypeText(field.valueType),
                     QString::number(field.numberOfBytes)});
        MoveToEndOfTable();
        blank(LineRole::Label);
    }
    MoveToEndOfTable();
    blank();
}

void DocxWriter::WriteRunningTotalTable(const tvReport& report) {
    if (report.runningTotalFields.Count() < 1) return;
    heading(QStringLiteral("Running Totals"));
    tvdocx::Table table =
        addTable(report.runningTotalFields.Count(),
                 {"Name", "Total Field", "Total Type", "Evaluation Condition", "Reset Condition"});
    const auto condition = [](qint32 code, const QString& formula) {
        const QString text = GetRunningTotalConditionText(code);
        return text == QLatin1StringView("Formula") ? formula : text;
    };
    qsizetype row = 0;
    for (const tvRunningTotalFieldDefinition& total : report.runningTotalFields)
        fillRow(table, ++row,
                {total.name, total.name, QString::number(total.summaryType),
                 condition(total.evaluateCondition, total.evaluateConditionFormula),
                 condition(total.resetCondition, total.resetConditionFormula)});
    MoveToEndOfTable();
    blank();
}

void DocxWriter::WriteSections(const tvReport& report) {
    const bool summaryOnly = options_.SummaryOnly;
    heading(QStringLiteral("Sections"));
    setStyle(profile_.normalStyleName);
    double objectNumber = 0;  // numbers the objects of every section of this body
    for (qsizetype i = 1; i <= report.tvAreas.Count(); ++i) {
        const tvArea& area = report.tvAreas.Item(i);
        if (area.tvSections.Count() < 1) continue;
        for (qsizetype j = 1; j <= area.tvSections.Count(); ++j) {
            const tvSection& section = area.tvSections.Item(j);
            WriteSectionDetails(report, section, i, j);
            if (summaryOnly) continue;
            const qsizetype objects = section.reportObjects.Count();
            if (objects < 1) {
                line(QStringLiteral("No objects in this section."), 2);
                line(QString(), 2);
                continue;
            }
            WriteObjectTable(section, objectNumber);
            for (qsizetype k = 1; k <= objects; ++k) {
                setStyle(profile_.normalStyleName);
                detailWriter_->WriteObjectDetails(section, k, objectNumber + 1);
                objectNumber += 1;
                blank();
            }
        }
        blank();
    }
}

void DocxWriter::WriteSectionDetails(const tvReport& report, const tvSection& section,
                                     qsizetype areaIndex, qsizetype sectionIndex) {
    setStyle(profile_.heading3StyleName);
    line(GetSectionDisplayName(report, areaIndex, sectionIndex));
    setStyle(profile_.normalStyleName);
    line(GetSectionFlagsText(section), 2, LineRole::Label);
    detailWriter_->WriteConditionalFormulas(section.ConditionalFormulas);
}

void DocxWriter::WriteObjectTable(const tvSection& section, double idBase) {
    const qsizetype n = section.reportObjects.Count();
    tvdocx::Table table = addTable(n, {"ID", "Text/Field", "Position", "Size (w x h)", "Type"});
    table.setColumnWidth(0, 26);
    for (qsizetype i = 1; i <= n; ++i) {
        const tvIReportObject& object = section.reportObjects.Item(i);
        const auto* field =
            object.kind == tvFieldObjectKind ? static_cast<const tvFieldObject*>(&object) : nullptr;
        const tvPosition& p = object.position;
        fillRow(table, i,
                {FormatGeneralNumber(idBase + double(i)),
                 field ? GetFieldDisplayName(field->field) : object.objectName,
                 InchesText(p.left) + QStringLiteral(", ") + InchesText(p.top),
                 InchesText(p.width) + QStringLiteral(" x ") + InchesText(p.height),
                 GetObjectKindText(object.kind)});
    }
    MoveToEndOfTable();
    blank();
}

}  // namespace tav::word
