// The formatting blocks of the object detail writer: one line per formatting bag.

#include "TVLookupHelper.h"
#include "tvIFieldDefinition.h"
#include "tvDetailPieces.h"
#include "tvObjectDetailWriter.h"
#include "tvRuntime.h"
#include "tvSubReportLink.h"
#include "tvTypes.h"

namespace {

using namespace tvDetail;

// Indents are kept in twips and shown in screen pixels, at 96 dots per inch.
constexpr double kTwipsPerPixel = 15.0;
template <auto Member>
QString pixels(const BagOf<Member>& bag) {
    return FormatGeneralNumber(bag.*Member / kTwipsPerPixel);
}

using Common = tvCommonFormatting;
constexpr Piece<Common> kCommonPieces[] = {
    {"Can Grow = ", text<&Common::canGrow>, notEmpty<&Common::canGrow>},
    {"Close Border on Page Break = ", text<&Common::closeBorderonPageBreak>,
     notEmpty<&Common::closeBorderonPageBreak>},
    {"Css Class = ", text<&Common::cssClass>, notEmpty<&Common::cssClass>},
    {"Horizontal Alignment = ", lookup<&Common::horizontalAlignment, GetAlignmentText>,
     notZero<&Common::horizontalAlignment>},
    {"Keep Together = ", text<&Common::keepTogether>, notEmpty<&Common::keepTogether>},
    {"Max Lines = ", number<&Common::maxLines>, notZero<&Common::maxLines>},
    {"Suppress = ", text<&Common::suppress>, notEmpty<&Common::suppress>},
    {"Suppress Embedded = ", flag<&Common::suppressEmbedded>},
    {"Suppress if Duplicated = ", flag<&Common::suppressIfDuplicated>},
    {"Text Rotation Angle = ", number<&Common::textRotationAngle>,
     notZero<&Common::textRotationAngle>},
    {"Tool Tip Text = ", text<&Common::toolTip>, notEmpty<&Common::toolTip>},
};

using Font = tvFontFormatting;
constexpr Piece<Font> kFontPieces[] = {
    {"Character Spacing = ", number<&Font::characterSpacing>, notZero<&Font::characterSpacing>},
    {nullptr, [](const Font& bag) { return GetFontText(bag.font); }},
    {"Color = ", [](const Font& bag) { return GetColorText(codeOfText(bag.color)); }},
};

using Paragraph = tvParagraphFormatting;
constexpr Piece<Paragraph> kParagraphPieces[] = {
    {"Left Indent = ", pixels<&Paragraph::leftIndent>, notZero<&Paragraph::leftIndent>},
    {"Right Indent = ", pixels<&Paragraph::rightIndent>, notZero<&Paragraph::rightIndent>},
    {"First Line Indent = ", pixels<&Paragraph::firstLineIndent>,
     notZero<&Paragraph::firstLineIndent>},
    {"Line Spacing = ", number<&Paragraph::lineSpacing>,
     [](const Paragraph& bag) { return bag.lineSpacing != 1.0; }},
    {"Line Spacing Type = ", lookup<&Paragraph::lineSpacingType, GetLineSpacingTypeText>},
    {"Text Format = ", number<&Paragraph::textFormat>, notZero<&Paragraph::textFormat>},
};

using Hyperlink = tvHyperlinkFormatting;
constexpr Piece<Hyperlink> kHyperlinkPieces[] = {
    {"HyperlinkType = ", lookup<&Hyperlink::hyperlinkType, GetHyperlinkTypeText>},
    {"Hyperlink Text = ", text<&Hyperlink::hyperlinkText>},
};

using Picture = tvPictureFormatting;
// A picture shown at its own size says nothing of its scaling.
bool scaled(const Picture& bag) { return !(bag.xScaling == 1.0 && bag.yScaling == 1.0); }
constexpr Piece<Picture> kPicturePieces[] = {
    {"X Scaling = ", number<&Picture::xScaling>, scaled},
    {"Y Scaling = ", number<&Picture::yScaling>, scaled},
    {"ScaledWidth = ", number<&Picture::scaledWidth>, scaled},
    {"ScaledHeight = ", number<&Picture::scaledHeight>, scaled},
    {"Top Cropping = ", number<&Picture::topCropping>, notZero<&Picture::topCropping>},
    {"Bottom Cropping = ", number<&Picture::bottomCropping>, notZero<&Picture::bottomCropping>},
    {"Left Cropping = ", number<&Picture::leftCropping>, notZero<&Picture::leftCropping>},
    {"Right Cropping = ", number<&Picture::rightCropping>, notZero<&Picture::rightCropping>},
};

using Subreport = tvSubreportFormatting;
constexpr Piece<Subreport> kSubreportPieces[] = {
    {"Subreport Name = ", text<&Subreport::subreportName>},
    {"Enable on Demand = ", flag<&Subreport::enableOnDemand>},
};

using Currency = tvCurrencyFormatting;
constexpr Piece<Currency> kCurrencyPieces[] = {
    {"Currency Position = ", lookup<&Currency::positionType, GetCurrencyPositionText>},
    {"Currency Symbol = ", text<&Currency::symbol>},
    {"Currency Symbol Type = ", lookup<&Currency::symbolType, GetCurrencySymbolTypeText>},
    {"Use One Currency Symbol Per Page = ", flag<&Currency::useOneSymbolPerPage>},
};

using Date = tvDateFormatting;
constexpr Piece<Date> kDatePieces[] = {
    {"CalendarType = ", lookup<&Date::calendarType, GetCalendarTypeText>},
    {"Day type = ", lookup<&Date::dayType, GetDayFormatText>},
    {"Era type = ", lookup<&Date::eraType, GetEraTypeText>},
    {"First Separator = ", text<&Date::firstSeparator>, notEmpty<&Date::firstSeparator>},
    {"Leading Day Position = ", lookup<&Date::leadingDayPosition, GetDayOfWeekPositionText>},
    {"Leading Day Separator = ", text<&Date::leadingDaySeparator>,
     notEmpty<&Date::leadingDaySeparator>},
    {"Leading Day Type = ", lookup<&Date::leadingDayType, GetDayOfWeekTypeText>},
    {"Month Type = ", lookup<&Date::monthType, GetMonthFormatText>},
    {"Date Order = ", lookup<&Date::order, GetDateOrderText>},
    {"Prefix Separator = ", text<&Date::prefixSeparator>, notEmpty<&Date::prefixSeparator>},
    {"Second Separator = ", text<&Date::secondSeparator>, notEmpty<&Date::secondSeparator>},
    {"Suffix Separator = ", text<&Date::suffixSeparator>, notEmpty<&Date::suffixSeparator>},
    {"Year Type = ", lookup<&Date::yearType, GetYearFormatText>},
};

using DateTime = tvDateTimeFormatting;
constexpr Piece<DateTime> kDateTimePieces[] = {
    {"Date Windows Default Type = ",
     lookup<&DateTime::dateWindowsDefaultType, GetWindowsDateDefaultText>},
};

using Number = tvNumberFormatting;
constexpr Piece<Number> kNumberPieces[] = {
    {"Decimal Places = ", number<&Number::decimalPlaces>},
    {"Decimal Symbol = ", text<&Number::decimalSymbol>},
    {"Display Reverse Sign = ", flag<&Number::displayReverseSign>},
    {"Negative Type = ", lookup<&Number::negativeType, GetNegativeFormatText>},
    {"Rounding Type = ", lookup<&Number::roundingType, GetRoundingText>},
    {"Thousands Separator = ", flag<&Number::thousandsSeparators>},
    {"Thousands Symbol = ", text<&Number::thousandSymbol>},
    {"Zero Value String = ", text<&Number::zeroValueString>},
};

using Boolean = tvBooleanFormatting;
constexpr Piece<Boolean> kBooleanPieces[] = {
    {"Boolean Output Type = ", lookup<&Boolean::booleanOutputType, GetBooleanOutputText>},
};

using Time = tvTimeFormatting;
constexpr Piece<Time> kTimePieces[] = {
    {"AmPm Position = ", number<&Time::amPmPosition>},
    {"AM String = ", text<&Time::amString>},
    {"PM String = ", text<&Time::pmString>},
    {"Hour Minute Separator = ", text<&Time::hourMinuteSeparator>},
    {"Minute Second Separator = ", text<&Time::minuteSecondSeparator>},
    {"Hour Type = ", number<&Time::hourType>},
    {"Minute Type = ", number<&Time::minuteType>},
    {"Second Type = ", number<&Time::secondType>},
    {"Time Base = ", lookup<&Time::timeBase, GetTimeBaseText>},
    {"Use Leading Zero = ", flag<&Time::useLeadingZero>},
    {"Use System Defaults = ", flag<&Time::useSystemDefaults>},
};

// The sides in one word when they are all alike, else side by side; then the colours and the
// shadow. Unlike the other blocks, its labels have no blanks around "=".
QString borderValue(const tvBorderFormatting& bag) {
    const QString none = QStringLiteral("None");
    const QString left = GetLineStyleText(codeOfText(bag.leftStyle));
    const QString right = GetLineStyleText(codeOfText(bag.rightStyle));
    const QString top = GetLineStyleText(codeOfText(bag.topStyle));
    const QString bottom = GetLineStyleText(codeOfText(bag.bottomStyle));
    QString value;
    if (top == left && right == left && bottom == left) {
        value = left.isEmpty() ? none : left;
    } else {
        value =
            QStringLiteral("Left=%1, Right=%2, Top=%3, Bottom=%4").arg(left, right, top, bottom);
    }
    const QString borderColor = GetColorText(bag.borderColor);
    if (value != none && !borderColor.isEmpty()) value += QStringLiteral(", Color=") + borderColor;
    const QString backgroundColor = GetColorText(bag.backgroundColor);
    if (backgroundColor != none) value += QStringLiteral(", BGColor=") + backgroundColor;
    if (bag.dropshadow == QStringLiteral("True")) value += QStringLiteral(", DropShadow");
    return value;
}

QString fieldName(const tvIFieldDefinition* field) {
    if (!field) tvObjectRequired();
    return field->name;
}

}  // namespace

void tvObjectDetailWriter::WriteBorderFormatting(const tvBorderFormatting& bag) {
    writeDetail(QStringLiteral("Border:"), borderValue(bag));
}

void tvObjectDetailWriter::WriteCommonFormatting(const tvCommonFormatting& bag) {
    const QString value = blockValue(kCommonPieces, bag);
    if (!value.isEmpty()) writeDetail(QStringLiteral("Common:"), value);
}

void tvObjectDetailWriter::WriteFontFormatting(const tvFontFormatting& bag) {
    const QString value = blockValue(kFontPieces, bag);
    if (!value.isEmpty()) writeDetail(QStringLiteral("Font:"), value);
}

void tvObjectDetailWriter::WriteParagraphFormatting(const tvParagraphFormatting* bag) {
    if (bag) writeDetail(QStringLiteral("Paragraph:"), blockValue(kParagraphPieces, *bag));
}

void tvObjectDetailWriter::WriteHyperlinkFormatting(const tvHyperlinkFormatting& bag) {
    if (bag.hyperlinkText.isEmpty()) return;
    writeDetail(QStringLiteral("Hyperlink:"), blockValue(kHyperlinkPieces, bag));
}

void tvObjectDetailWriter::WritePictureFormatting(const tvPictureFormatting& bag) {
    const QString value = blockValue(kPicturePieces, bag);
    if (!value.isEmpty()) writeDetail(QStringLiteral("Picture:"), value);
}

void tvObjectDetailWriter::WriteSubreportFormatting(const tvSubreportFormatting& bag) {
    writeDetail(QStringLiteral("Subreport:"), blockValue(kSubreportPieces, bag));
}

void tvObjectDetailWriter::WriteSubreportLink(const tvSubReportLink& link) {
    writeDetail(QStringLiteral("Subreport Link:"), fieldName(link.mainReportField) +
                                                       QStringLiteral(" = [subreport].") +
                                                       fieldName(link.mainSubReportField));
}

void tvObjectDetailWriter::WriteCurrencyFormatting(const tvCurrencyFormatting* bag) {
    if (bag) writeDetail(QStringLiteral("Currency:"), blockValue(kCurrencyPieces, *bag));
}

void tvObjectDetailWriter::WriteDateFormatting(const tvDateFormatting* bag) {
    if (bag) writeDetail(QStringLiteral("Date:"), blockValue(kDatePieces, *bag));
}

void tvObjectDetailWriter::WriteDateTimeFormatting(const tvDateTimeFormatting* bag) {
    if (bag) writeDetail(QStringLiteral("DateTime:"), blockValue(kDateTimePieces, *bag));
}

void tvObjectDetailWriter::WriteNumberFormatting(const tvNumberFormatting* bag) {
    if (bag) writeDetail(QStringLiteral("Number:"), blockValue(kNumberPieces, *bag));
}

void tvObjectDetailWriter::WriteBooleanFormatting(const tvBooleanFormatting* bag) {
    if (bag) writeDetail(QStringLiteral("Boolean:"), blockValue(kBooleanPieces, *bag));
}

void tvObjectDetailWriter::WriteTimeFormatting(const tvTimeFormatting* bag) {
    if (bag) writeDetail(QStringLiteral("Time:"), blockValue(kTimePieces, *bag));
}
