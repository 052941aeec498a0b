#include "DocumentSetup.h"

#include <QFileInfo>
#include <QLocale>
#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>
#include <utility>

#include "Clock.h"
#include "TemplateStore.h"
#include "Version.h"
#include "WritingFailure.h"
#include "tvReport.h"
#include "tvReportStatistics.h"

namespace tav::word {

using namespace core;

namespace {

using tvdocx::Alignment;
using tvdocx::RunFormat;

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

}  // namespace

std::optional<double> settingSize(const FontSetting& font) {
    bool ok = false;
    const double size = font.FontSize.trimmed().toDouble(&ok);
    if (!ok || std::isnan(size)) return std::nullopt;
    return size;
}

namespace {

double pointSize(const FontSetting& font, double change = 0) {
    const std::optional<double> size = settingSize(font);
    // 0: the style's own size
    return size ? std::clamp(*size + change, kSmallestPointSize, kLargestPointSize) : 0;
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

}  // namespace

qint32 GetWordColor(QString& colourName) {
    if (colourName.isEmpty()) colourName = QStringLiteral("Black");
    for (const WordColor& color : kWordColors)
        if (QStringView(color.name) == colourName) return color.value;
    return 0;
}

RunFormat fontOf(FontSetting& font, double sizeChange, bool withColor) {
    RunFormat format;
    format.fontName = font.FontName;
    format.sizePt = pointSize(font, sizeChange);
    format.bold = font.Bold != 0;
    format.italic = font.Italic != 0;
    format.underline = false;
    if (withColor) format.color = colorHex(GetWordColor(font.FontColor));
    return format;
}

DocumentSetup::DocumentSetup(tvdocx::Document& document, DocumentTemplate& profile,
                             ExtractOptions& options)
    : document_(document), profile_(profile), options_(options) {}

QStringList DocumentSetup::completeTemplateStyles(QStringList* refused) {
    // Each style the profile names, with the usual style of its role; Normal comes first, as the
    // others are based on it.
    struct Role {
        QString DocumentTemplate::*name;
        const char* usual;
        const char* shown;  // the role, as the user knows it
    };
    static constexpr std::array kRoles{
        Role{&DocumentTemplate::normalStyleName, "Normal", "Normal"},
        Role{&DocumentTemplate::heading1StyleName, "heading 1", "Heading 1"},
        Role{&DocumentTemplate::heading2StyleName, "heading 2", "Heading 2"},
        Role{&DocumentTemplate::heading3StyleName, "heading 3", "Heading 3"},
        Role{&DocumentTemplate::tocStyleName, "toc 1", "TOC"},
        Role{&DocumentTemplate::tableStyle, "Table Grid", "table"}};
    // A style of the wrong kind (a table style named as the Normal style, a paragraph style as
    // the table style) would be written where a document cannot take it and break every table:
    // the role takes its usual style instead.
    const QStringList tableStyles = document_.styleNames(tvdocx::StyleType::Table);
    for (const Role& role : kRoles) {
        QString& name = profile_.*role.name;
        if (name.isEmpty() || !document_.hasStyle(name)) continue;
        const bool forTables = role.name == &DocumentTemplate::tableStyle;
        if (tableStyles.contains(name, Qt::CaseInsensitive) == forTables) continue;
        const QString usual = QLatin1StringView(role.usual);
        if (refused)
            *refused << QStringLiteral(
                            "The profile \"%1\" names the %2 style \"%3\" as its %4 "
                            "style: the document uses the style \"%5\" instead.")
                            .arg(profile_.templateName,
                                 forTables ? QStringLiteral("paragraph") : QStringLiteral("table"),
                                 name, QLatin1StringView(role.shown), usual);
        name = usual;
    }
    QStringList missing;
    const auto complete = [&](const QString& name, const char* usual) {
        if (name.isEmpty() || document_.hasStyle(name)) return false;
        tvdocx::StyleDefinition style = *tvdocx::usualStyle(QLatin1StringView(usual));
        style.name = name;
        if (!style.basedOn.isEmpty()) style.basedOn = profile_.normalStyleName;
        if (!style.next.isEmpty()) style.next = profile_.normalStyleName;
        document_.setStyle(style);
        return true;
    };
    for (const Role& role : kRoles)
        if (complete(profile_.*role.name, role.usual)) missing << profile_.*role.name;
    // The headings carry their levels before any of the template's own paragraphs is written:
    // the contents list those in the heading styles too.
    document_.giveHeadingLevels(
        1, 3, {profile_.heading1StyleName, profile_.heading2StyleName, profile_.heading3StyleName});
    // The lower levels of the contents keep their indents: the template's own styles, or the
    // usual ones where it has none.
    if (options_.ShowTOC)
        for (const char* level : {"toc 2", "toc 3"})
            complete(QString::fromLatin1(level).toUpper(), level);
    return missing;
}

void DocumentSetup::SetupNewDocument(const QString& reportPath, const QString& fileName) {
    SetupPage(reportPath, fileName);
    SetupStyles();
    SetupPropertyTitleStyle();
}

void DocumentSetup::SetupPage(const QString& reportPath, const QString& fileName) {
    tvdocx::PageSetup& page = document_.page;
    page.topPt = page.bottomPt = ptOneInch;
    page.leftPt = page.rightPt = ptThreeQuarterInch;
    page.headerPt = page.footerPt = ptHalfInch;
    document_.defaultTabStopPt = ptFifthInch;

    ExtractOptions& settings = options_;
    const RunFormat font = fontOf(settings.HeadingFont);
    tvdocx::Story& header = document_.header();
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
    tvdocx::Story& footer = document_.footer();
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

void DocumentSetup::SetupStyles() {
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
    document_.setStyle(heading1);
    for (const auto& [name, change] : {std::pair{profile_.heading2StyleName, 0.0},
                                       std::pair{profile_.heading3StyleName, -1.0}}) {
        tvdocx::StyleDefinition heading =
            paragraphStyle(name, fontOf(settings.SectionFont, change, false));
        heading.font.italic = false;
        heading.font.bold = true;
        heading.basedOn = heading.next = profile_.normalStyleName;
        document_.setStyle(heading);
    }
    tvdocx::StyleDefinition normal =
        paragraphStyle(profile_.normalStyleName, fontOf(settings.ValueFont));
    normal.next = profile_.normalStyleName;
    document_.setStyle(normal);

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
    document_.addNumbering(numbering);

    const std::array<std::pair<QString, double>, 3> tocIndents{
        std::pair{profile_.tocStyleName, 0.0}, std::pair{QStringLiteral("TOC 2"), 9.36},
        std::pair{QStringLiteral("TOC 3"), 18.0}};
    for (const auto& [name, indent] : tocIndents) {
        tvdocx::StyleDefinition toc;
        toc.name = name;
        toc.paragraph.leftIndentPt = indent;
        toc.paragraph.firstLineIndentPt = 0;
        document_.setStyle(toc);
    }
    profile_.tableStyle = QStringLiteral("Table Grid");
    SetupTableFontStyle();
}

void DocumentSetup::SetupPropertyTitleStyle() {
    profile_.propertyTitleStyleName = kPropertyTitleStyle;
    // A template may define the style itself; its definition is kept.
    if (document_.hasStyle(kPropertyTitleStyle)) return;
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
    document_.setStyle(style);
}

void DocumentSetup::SetupTableFontStyle() {
    profile_.tableFontStyle = kTableFontStyle;
    if (document_.hasStyle(kTableFontStyle)) return;
    tvdocx::StyleDefinition style;
    style.name = kTableFontStyle;
    style.paragraph.alignment = Alignment::Left;
    style.paragraph.leftIndentPt = 0;
    style.paragraph.firstLineIndentPt = 0;
    style.font = fontOf(options_.TableFont);
    document_.setStyle(style);
    // The style names itself as the next one, so it exists before it is named.
    style.next = kTableFontStyle;
    document_.setStyle(style);
}

void DocumentSetup::ReplaceTemplateFields(const tvReport& report, const QString& fileName) {
    // Codes are compared exactly, blanks and letter case included.
    document_.replaceFields([&](const QString& code) -> std::optional<QString> {
        if (code == QLatin1StringView(" ReportName ")) return fileName;
        if (code == QLatin1StringView(" ReportDateTime "))
            return fileDateTime(report.reportFileName, "dd-MMM-yyyy 'at' HH:mm:ss");
        if (code == QLatin1StringView(" ReportRevision ")) {
            if (!report.tvReportStatistics) WritingFailure::objectRequired();
            return QString::number(report.tvReportStatistics->revisionNumber);
        }
        return std::nullopt;
    });
}

}  // namespace tav::word
