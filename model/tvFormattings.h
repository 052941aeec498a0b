#pragma once

#include <QByteArray>
#include <QString>
#include <initializer_list>
#include <span>

#include "RtObject.h"
#include "tvCollections.h"
#include "tvFont.h"

// The formatting bags of report objects: plain values, filled by the owning object's `init`.
// Flags kept as text hold "True" or "False"; codes kept as text hold their decimal digits.

class tvBorderFormatting {
public:
    qint32 backgroundColor = 0;
    qint32 useBGColor = 0;  // nothing fills it
    qint32 borderColor = 0;
    QString dropshadow;       // flag as text
    QString tightHorizontal;  // flag as text; field objects only, empty for every other owner
    QString bottomStyle;      // line-style codes as text
    QString topStyle;
    QString rightStyle;
    QString leftStyle;
};

class tvCommonFormatting {
public:
    qint16 horizontalAlignment = 0;
    QString name;
    qint16 textRotationAngle = 0;
    QString cssClass;
    bool suppressEmbedded = false;  // nothing fills it
    QString toolTip;                // nothing fills it
    bool suppressIfDuplicated = false;
    qint16 maxLines = 0;
    QString canGrow;  // flags as text
    QString closeBorderonPageBreak;
    QString keepTogether;
    QString suppress;
};

class tvFontFormatting {
public:
    tvFont font;    // a copy of the runtime's font; default when the runtime gives none
    QString color;  // colour as text
    qint32 characterSpacing = 0;
};

class tvHyperlinkFormatting {
public:
    qint32 hyperlinkType = 0;
    QString hyperlinkText;
};

class tvPictureFormatting {
public:
    double scaledHeight = 0.0;  // nothing fills it
    double scaledWidth = 0.0;   // nothing fills it
    double yScaling = 0.0;
    double xScaling = 0.0;
    qint32 topCropping = 0;
    qint32 rightCropping = 0;
    qint32 leftCropping = 0;
    QByteArray formattedPicture;  // nothing fills it
    qint32 bottomCropping = 0;
};

class tvSubreportFormatting {
public:
    QString subreportName;
    bool enableOnDemand = false;
};

// Reading a bag from the runtime object its owner copies. Each value is read once, by the bag
// member's own name, and converted as the bag holds it; the order of the reads is fixed, so that
// a failing read leaves the same members filled for every owner.

// backgroundColor, borderColor, bottomStyle, dropshadow, leftStyle, rightStyle, [tightHorizontal,]
// topStyle.
void tvReadBorderFormatting(tvBorderFormatting& bag, const rt::Object& crObject,
                            bool withTightHorizontal = false);

// hyperlinkText, hyperlinkType.
void tvReadHyperlinkFormatting(tvHyperlinkFormatting& bag, const rt::Object& crObject);

// The members of the common formatting that owners copy; each owner reads its own choice of them
// in its own order.
enum class tvCommonMember {
    canGrow,
    closeBorderonPageBreak,
    cssClass,
    horizontalAlignment,
    keepTogether,
    maxLines,
    name,
    suppress,
    suppressIfDuplicated,
    textRotationAngle,
};
// The members that most report objects copy, in the order most of them read them.
inline constexpr tvCommonMember tvObjectCommonMembers[] = {
    tvCommonMember::closeBorderonPageBreak, tvCommonMember::cssClass, tvCommonMember::keepTogether,
    tvCommonMember::name, tvCommonMember::suppress};
void tvReadCommonFormatting(tvCommonFormatting& bag, const rt::Object& crObject,
                            std::span<const tvCommonMember> members);
void tvReadCommonFormatting(tvCommonFormatting& bag, const rt::Object& crObject,
                            std::initializer_list<tvCommonMember> members);
// Every member, in the order of tvCommonMember: what field and text objects copy.
void tvReadCommonFormatting(tvCommonFormatting& bag, const rt::Object& crObject);

// characterSpacing, then color (colour as number text) and font, or font before color where the
// owner reads them so.
void tvReadFontFormatting(tvFontFormatting& bag, const rt::Object& crObject,
                          bool fontBeforeColor = false);

// The border bag, the common members given (by default tvObjectCommonMembers), then the
// hyperlink bag: how several kinds of report object begin.
void tvReadObjectFormatting(const rt::Object& crObject, tvBorderFormatting& border,
                            tvCommonFormatting& common, tvHyperlinkFormatting& hyperlink,
                            std::span<const tvCommonMember> commonMembers = tvObjectCommonMembers);

// The conditional formulas that most report objects list: every common one, then the border
// ones. Each object collects them at its own point of its reads.
void tvAddObjectConditionalFormulas(const rt::Object& crObject, tvConditionalFormulas& formulas);

// A copy of the runtime object's font (its member "font", or the one named): name, size, bold,
// italic, underline, strikethrough, weight and charset. No font gives the default tvFont.
tvFont tvReadFont(const rt::Object& crObject, const char* member = "font");
