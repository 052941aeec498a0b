// The formatting blocks of the object detail writer: one line per formatting bag.

#include "CodeTexts.h"
#include "DetailError.h"
#include "DetailPieces.h"
#include "FieldDetails.h"
#include "ObjectDetailWriter.h"
#include "tvCrossTabObject.h"
#include "tvGraphObject.h"
#include "tvIFieldDefinition.h"
#include "tvSubReportLink.h"
#include "tvTypes.h"

namespace tav::doctext {

namespace {

using namespace detail;

// Indents are kept in twips and shown in screen pixels, at 96 dots per inch.
template <auto Member>
QString pixels(const BagOf<Member>& bag) {
    return FormatGeneralNumber(bag.*Member / static_cast<double>(tvTwipsPerPixel));
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

using CrossTabGroup = tvCrossTabGroup;
constexpr Piece<CrossTabGroup> kCrossTabGroupPieces[] = {
    {"BG Color = ", lookup<&CrossTabGroup::backgroundColor, GetColorText>},
    {"Group Condition = ", lookup<&CrossTabGroup::condition, GetGroupConditionFullText>},
    {"Enable Suppress Label = ", flag<&CrossTabGroup::enableSuppressLabel>},
    {"Enable Suppress SubTotal = ", flag<&CrossTabGroup::enableSuppressSubtotal>},
    {"Kind = ", number<&CrossTabGroup::kind>},
    {"Sort Direction = ", lookup<&CrossTabGroup::sortDirection, GetSortDirectionText>},
};

using CrossTab = tvCrossTabObject;
constexpr Piece<CrossTab> kCrossTabPieces[] = {
    {"ColumnGrandTotalColor = ", lookup<&CrossTab::columnGrandTotalColor, GetColorText>},
    {"Enable Keep Columns Together = ", flag<&CrossTab::enableKeepColumnsTogether>},
    {"Enable Repeat Row Labels = ", flag<&CrossTab::enableRepeatRowLabels>},
    {"Enable Show Cell Margins = ", flag<&CrossTab::enableShowCellMargins>},
    {"Enable Show Grid = ", flag<&CrossTab::enableShowGrid>},
    {"Enable Suppress Column Grand Totals = ", flag<&CrossTab::enableSuppressColumnGrandTotals>},
    {"Enable Suppress Empty Cols = ", flag<&CrossTab::enableSuppressEmptyCols>},
    {"Enable Suppress Empty Rows = ", flag<&CrossTab::enableSuppressEmptyRows>},
    {"Enable Suppress Row Grand Totals = ", flag<&CrossTab::enableSuppressRowGrandTotals>},
    {"Row Grand Total Color = ", lookup<&CrossTab::rowGrandTotalColor, GetColorText>},
};

// The chart's settings. A flag is shown only when set, a font only when it has a name, and a
// title only when there is one, together with its font.
using Graph = tvGraphObject;
template <auto Member>
constexpr Piece<Graph> whenSet(const char* label) {
    return {label, trueText<Graph>, isTrue<Member>};
}
template <auto Member>
QString font(const Graph& graph) {
    return GetFontText(graph.*Member);
}
template <auto Member>
bool named(const Graph& graph) {
    return !(graph.*Member).name.isEmpty();
}
template <auto Member>
constexpr Piece<Graph> fontPiece(const char* label) {
    return {label, font<Member>, named<Member>};
}
template <auto Title, auto Font, const char* FontLabel>
QString titled(const Graph& graph) {
    return graph.*Title + QLatin1StringView(FontLabel) + GetFontText(graph.*Font);
}
template <auto Title, auto Font, const char* FontLabel>
constexpr Piece<Graph> titlePiece(const char* label) {
    return {label, titled<Title, Font, FontLabel>, notEmpty<Title>};
}
constexpr char kData2TitleFont[] = ", Data2 Title Font= ";
constexpr char kDataTitleFont[] = ", Data Title Font = ";
constexpr char kFootNoteFont[] = ", FootNoteFont = ";
constexpr char kGroupTitleFont[] = ", GroupTitleFont = ";
constexpr char kSeriesTitleFont[] = ", SeriesTitleFont = ";
constexpr char kSubTitleFont[] = ", SubTitleFont = ";
constexpr char kTitleFont[] = ", TitleFont = ";

constexpr Piece<Graph> kGraphPieces[] = {
    {"GraphType = ", lookup<&Graph::graphType, GetGraphTypeText>},
    whenSet<&Graph::autoRangeData2Axis>("AutoRangeData2Axis = "),
    whenSet<&Graph::autoRangeDataAxis>("AutoRangeDataAxis = "),
    whenSet<&Graph::autoRangeSeriesAxis>("AutoRangeSeriesAxis = "),
    {"BarSize = ", lookup<&Graph::barSize, GetBarSizeText>},
    {"Data2AxisDivisionMethod = ", lookup<&Graph::data2AxisDivisionMethod, GetDivisionMethodText>},
    {"Data2AxisDivisionNumber = ", number<&Graph::data2AxisDivisionNumber>},
    {"Data2AxisGridLine = ", lookup<&Graph::data2AxisGridline, GetGridlineText>},
    {"Data2AxisNumberFormat = ", number<&Graph::data2AxisNumberFormat>},
    fontPiece<&Graph::Data2LabelFont>("Data2 Label Font = "),
    titlePiece<&Graph::Data2Title, &Graph::Data2TitleFont, kData2TitleFont>("Data2 Title = "),
    {"DataAxisDivisionMethod = ", lookup<&Graph::dataAxisDivisionMethod, GetDivisionMethodText>},
    {"DataAxisDivisionNumber = ", number<&Graph::dataAxisDivisionNumber>},
    {"DataAxisGridLine = ", lookup<&Graph::dataAxisGridline, GetGridlineText>},
    {"DataAxisNumberFormat = ", number<&Graph::dataAxisNumberFormat>},
    fontPiece<&Graph::dataLabelFont>("Data Label Font = "),
    {"Data Point = ", lookup<&Graph::dataPoint, GetDataPointText>},
    titlePiece<&Graph::DataTitle, &Graph::dataTitleFont, kDataTitleFont>("Data Title = "),
    {"Data Type = ", lookup<&Graph::dataType, GetGraphDataTypeText>},
    {"Data Value Number Format = ", lookup<&Graph::dataValueNumberFormat, GetNumberFormatText>},
    whenSet<&Graph::enableAutoScaleData2Axis>("EnableAutoScaleData2Axis = "),
    whenSet<&Graph::enableAutoScaleDataAxis>("EnableAutoScaleDataAxis = "),
    whenSet<&Graph::enableAutoScaleSeriesAxis>("EnableAutoScaleSeriesAxis = "),
    whenSet<&Graph::enableForEachRecord>("EnableForEachRecord = "),
    whenSet<&Graph::enableShowLegend>("EnableShowLegend = "),
    whenSet<&Graph::enableSummarizeValues>("EnableSummarizeValues = "),
    titlePiece<&Graph::footNote, &Graph::footNoteFont, kFootNoteFont>("FootNote = "),
    {"GraphColor = ", lookup<&Graph::graphColor, GetGraphColorText>},
    {"GraphDirection = ", lookup<&Graph::graphDirection, GetGraphDirectionText>},
    {"GroupAxisGridline = ", lookup<&Graph::groupAxisGridline, GetGridlineText>},
    fontPiece<&Graph::groupLabelFont>("GroupLabelFont = "),
    titlePiece<&Graph::groupsTitle, &Graph::groupTitleFont, kGroupTitleFont>("GroupsTitle = "),
    whenSet<&Graph::IsData2TitleByDefault>("IsData2TitleByDefault = "),
    whenSet<&Graph::IsDataTitleByDefault>("IsDataTitleByDefault = "),
    whenSet<&Graph::isFootnoteByDefault>("IsFootnoteByDefault = "),
    whenSet<&Graph::isGroupsTitleByDefault>("IsGroupsTitleByDefault = "),
    whenSet<&Graph::isSeriesTitleByDefault>("IsSeriesTitleByDefault = "),
    whenSet<&Graph::isSubTitleByDefault>("IsSubTitleByDefault = "),
    whenSet<&Graph::isTitleByDefault>("IsTitleByDefault = "),
    whenSet<&Graph::isXAxisTitleByDefault>("IsXAxisTitleByDefault = "),
    whenSet<&Graph::isYAxisTitleByDefault>("IsYAxisTitleByDefault = "),
    whenSet<&Graph::isZAxisTitleByDefault>("IsZAxisTitleByDefault = "),
    fontPiece<&Graph::legendFont>("LegendFont = "),
    {"LegendLayout = ", lookup<&Graph::legendLayout, GetPieLegendLayoutText>},
    {"LegendPosition = ", lookup<&Graph::legendPosition, GetLegendPositionText>},
    {"MarkerShape = ", lookup<&Graph::markerShape, GetMarkerShapeText>},
    {"MarkerSize = ", lookup<&Graph::markerSize, GetMarkerSizeText>},
    {"MaxData2AxisValue = ", number<&Graph::maxData2AxisValue>},
    {"MaxDataAxisValue = ", number<&Graph::maxDataAxisValue>},
    {"MaxSeriesAxisValue = ", number<&Graph::maxSeriesAxisValue>},
    {"MinData2AxisValue = ", number<&Graph::minData2AxisValue>},
    {"MinDataAxisValue = ", number<&Graph::minDataAxisValue>},
    {"MinSeriesAxisValue = ", number<&Graph::minsSeriesAxisValue>},
    {"PieSize = ", lookup<&Graph::pieSize, GetPieSizeText>},
    {"SeriesAxisDivisionMethod = ",
     lookup<&Graph::seriesAxisDivisionMethod, GetDivisionMethodText>},
    {"SeriesAxisDivisionNumber = ", number<&Graph::seriesAxisDivisionNumber>},
    {"SeriesAxisGridline = ", lookup<&Graph::seriesAxisGridline, GetGridlineText>},
    {"SeriesAxisNumberFormat = ", lookup<&Graph::seriesAxisNumberFormat, GetNumberFormatText>},
    fontPiece<&Graph::seriesLabelFont>("SeriesLabelFont = "),
    titlePiece<&Graph::seriesTitle, &Graph::seriesTitleFont, kSeriesTitleFont>("SeriesTitle = "),
    {"SliceDetachment = ", lookup<&Graph::sliceDetachment, GetSliceDetachText>},
    titlePiece<&Graph::subTitle, &Graph::subTitleFont, kSubTitleFont>("SubTitle = "),
    titlePiece<&Graph::title, &Graph::titleFont, kTitleFont>("Title = "),
    {"ViewingAngle = ", lookup<&Graph::viewingAngle, GetViewingAngleText>},
    {"XAxisTitle = ", text<&Graph::xAxisTitle>, notEmpty<&Graph::xAxisTitle>},
    {"YAxisTitle = ", text<&Graph::yAxisTitle>, notEmpty<&Graph::yAxisTitle>},
    {"Y2AxisTitle = ", text<&Graph::y2AxisTitle>, notEmpty<&Graph::y2AxisTitle>},
    {"ZAxisTitle = ", text<&Graph::zAxisTitle>, notEmpty<&Graph::zAxisTitle>},
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
    if (!field) failObjectRequired();
    return field->name;
}

}  // namespace

void ObjectDetailWriter::WriteBorderFormatting(const tvBorderFormatting& bag) {
    writeDetail(QStringLiteral("Border:"), borderValue(bag));
}

void ObjectDetailWriter::WriteCommonFormatting(const tvCommonFormatting& bag) {
    const QString value = blockValue(kCommonPieces, bag);
    if (!value.isEmpty()) writeDetail(QStringLiteral("Common:"), value);
}

void ObjectDetailWriter::WriteFontFormatting(const tvFontFormatting& bag) {
    const QString value = blockValue(kFontPieces, bag);
    if (!value.isEmpty()) writeDetail(QStringLiteral("Font:"), value);
}

void ObjectDetailWriter::WriteParagraphFormatting(const tvParagraphFormatting* bag) {
    if (bag) writeDetail(QStringLiteral("Paragraph:"), blockValue(kParagraphPieces, *bag));
}

void ObjectDetailWriter::WriteHyperlinkFormatting(const tvHyperlinkFormatting& bag) {
    if (bag.hyperlinkText.isEmpty()) return;
    writeDetail(QStringLiteral("Hyperlink:"), blockValue(kHyperlinkPieces, bag));
}

void ObjectDetailWriter::WritePictureFormatting(const tvPictureFormatting& bag) {
    const QString value = blockValue(kPicturePieces, bag);
    if (!value.isEmpty()) writeDetail(QStringLiteral("Picture:"), value);
}

void ObjectDetailWriter::WriteSubreportFormatting(const tvSubreportFormatting& bag) {
    writeDetail(QStringLiteral("Subreport:"), blockValue(kSubreportPieces, bag));
}

void ObjectDetailWriter::WriteSubreportLink(const tvSubReportLink& link) {
    writeDetail(QStringLiteral("Subreport Link:"), fieldName(link.mainReportField) +
                                                       QStringLiteral(" = [subreport].") +
                                                       fieldName(link.mainSubReportField));
}

void ObjectDetailWriter::WriteCurrencyFormatting(const tvCurrencyFormatting* bag) {
    if (bag) writeDetail(QStringLiteral("Currency:"), blockValue(kCurrencyPieces, *bag));
}

void ObjectDetailWriter::WriteDateFormatting(const tvDateFormatting* bag) {
    if (bag) writeDetail(QStringLiteral("Date:"), blockValue(kDatePieces, *bag));
}

void ObjectDetailWriter::WriteDateTimeFormatting(const tvDateTimeFormatting* bag) {
    if (bag) writeDetail(QStringLiteral("DateTime:"), blockValue(kDateTimePieces, *bag));
}

void ObjectDetailWriter::WriteNumberFormatting(const tvNumberFormatting* bag) {
    if (bag) writeDetail(QStringLiteral("Number:"), blockValue(kNumberPieces, *bag));
}

void ObjectDetailWriter::WriteBooleanFormatting(const tvBooleanFormatting* bag) {
    if (bag) writeDetail(QStringLiteral("Boolean:"), blockValue(kBooleanPieces, *bag));
}

void ObjectDetailWriter::WriteTimeFormatting(const tvTimeFormatting* bag) {
    if (bag) writeDetail(QStringLiteral("Time:"), blockValue(kTimePieces, *bag));
}

void ObjectDetailWriter::WriteGraphFormatting(const tvGraphObject& graph) {
    writeDetail(QStringLiteral("Graph:"), blockValue(kGraphPieces, graph));
}

void ObjectDetailWriter::WriteCrossTabGroup(const tvCrossTabGroup& group, const QString& label) {
    // The field's text leads, so nothing is dropped from the front of this line.
    writeDetail(QStringLiteral("CrossTab ") + label + QStringLiteral(" Group:"),
                GetFieldDetailText(group.field) + QStringLiteral(", ") +
                    blockValue(kCrossTabGroupPieces, group));
}

void ObjectDetailWriter::WriteCrossTabDetails(const tvCrossTabObject& crossTab) {
    writeDetail(QStringLiteral("CrossTab Details:"), blockValue(kCrossTabPieces, crossTab));
}

}  // namespace tav::doctext
