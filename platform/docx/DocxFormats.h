#pragma once

#include <QString>
#include <optional>
#include <vector>

namespace tvdocx {

// The plain formatting values of a document: character and paragraph formatting, styles,
// list levels, the page. Measures are in points; colours are "RRGGBB" texts.

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

}  // namespace tvdocx
