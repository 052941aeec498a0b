#include <gtest/gtest.h>

#include <functional>

#include "CollectingLineSink.h"
#include "DetailFailures.h"
#include "ObjectDetailWriter.h"
#include "TestSupport.h"
#include "tvArea.h"
#include "tvCrossTabObject.h"
#include "tvFieldDefinitions.h"
#include "tvGraphObject.h"
#include "tvOleObject.h"
#include "tvSection.h"
#include "tvSubReportLink.h"

using namespace tav::doctext;

namespace {

// What a detail writer writes to a fresh sink while `write` runs.
template <class Write>
QString written(Write write) {
    CollectingLineSink sink;
    ObjectDetailWriter writer;
    writer.init(sink);
    write(writer);
    return sink.getDetails();
}

// One detail line as the sink keeps it: six blanks, caption, a blank, value.
QString line(const char* captionAndValue) {
    return QStringLiteral("      ") + QString::fromUtf8(captionAndValue);
}

tvBorderFormatting border(const char* left, const char* right, const char* top, const char* bottom,
                          qint32 color, qint32 background, const char* dropshadow = "False") {
    tvBorderFormatting bag;
    bag.leftStyle = QString::fromLatin1(left);
    bag.rightStyle = QString::fromLatin1(right);
    bag.topStyle = QString::fromLatin1(top);
    bag.bottomStyle = QString::fromLatin1(bottom);
    bag.borderColor = color;
    bag.backgroundColor = background;
    bag.dropshadow = QString::fromLatin1(dropshadow);
    return bag;
}

constexpr qint32 kNoColour = -1;
constexpr qint32 kUntranslatable = 0x01000005;  // a palette index, and there is no palette
constexpr qint32 kSystemWindow = static_cast<qint32>(0x80000005u);

TEST(FormattingDetails, BorderVariants) {
    struct Case {
        tvBorderFormatting bag;
        const char* expected;
    };
    const Case cases[] = {
        {border("", "", "", "", 255, kNoColour), "Border: None"},  // no sides set
        {border("0", "0", "0", "0", 255, kNoColour), "Border: None"},
        {border("1", "1", "1", "1", kUntranslatable, kNoColour), "Border: Single"},
        {border("1", "0", "0", "0", 255, kNoColour),
         "Border: Left=Single, Right=None, Top=None, Bottom=None, Color=Red"},
        {border("2", "2", "2", "2", 0, 0xFFFFFF, "True"),
         "Border: Double, Color=Black, BGColor=White, DropShadow"},
        {border("0", "0", "0", "0", 0, kSystemWindow, "True"),
         "Border: None, BGColor=White, DropShadow"},
        {border("7", "7", "7", "7", 197379, kUntranslatable),
         "Border: Undefined, Color=Red(3), Green(3), Blue(3), BGColor="},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(written([&](ObjectDetailWriter& w) { w.WriteBorderFormatting(c.bag); }),
                  line(c.expected));
    }
    const tvBorderFormatting garbled = border("thin", "0", "0", "0", 0, kNoColour);
    EXPECT_EQ(detailFailureOf([&] { written([&](auto& w) { w.WriteBorderFormatting(garbled); }); }),
              DetailFailure::TypeMismatch);
}

TEST(FormattingDetails, CommonFlags) {
    const tvCommonFormatting bare;
    EXPECT_EQ(written([&](ObjectDetailWriter& w) { w.WriteCommonFormatting(bare); }),
              line("Common: Suppress Embedded = False, Suppress if Duplicated = False"));

    tvCommonFormatting full;
    full.canGrow = QStringLiteral("True");
    full.closeBorderonPageBreak = QStringLiteral("False");
    full.cssClass = QStringLiteral("total");
    full.horizontalAlignment = 2;
    full.keepTogether = QStringLiteral("True");
    full.maxLines = 3;
    full.suppress = QStringLiteral("False");
    full.suppressEmbedded = true;
    full.suppressIfDuplicated = true;
    full.textRotationAngle = 90;
    full.toolTip = QStringLiteral("Total amount");
    full.name = QStringLiteral("never shown");
    EXPECT_EQ(written([&](ObjectDetailWriter& w) { w.WriteCommonFormatting(full); }),
              line("Common: Can Grow = True, Close Border on Page Break = False, "
                   "Css Class = total, Horizontal Alignment = Center, Keep Together = True, "
                   "Max Lines = 3, Suppress = False, Suppress Embedded = True, "
                   "Suppress if Duplicated = True, Text Rotation Angle = 90, "
                   "Tool Tip Text = Total amount"));
}

TEST(FormattingDetails, FontText) {
    tvFontFormatting bag;
    bag.font.name = QStringLiteral("Arial");
    bag.font.size = 10.5;
    bag.font.bold = true;
    bag.font.italic = true;
    bag.font.underline = true;
    bag.color = QStringLiteral("255");
    EXPECT_EQ(written([&](ObjectDetailWriter& w) { w.WriteFontFormatting(bag); }),
              line("Font: Name = Arial, Size = 10, Underline, Style = Bold Italic, Color = Red"));

    bag.characterSpacing = 2;
    bag.font = tvFont{QStringLiteral("Courier New"), 9.0};
    bag.font.strikethrough = true;
    bag.color = QStringLiteral("-1");
    EXPECT_EQ(written([&](ObjectDetailWriter& w) { w.WriteFontFormatting(bag); }),
              line("Font: Character Spacing = 2, Name = Courier New, Size = 9, Strikeout, "
                   "Color = None"));

    const tvFontFormatting unset;  // no colour text reads as colour 0
    EXPECT_EQ(written([&](ObjectDetailWriter& w) { w.WriteFontFormatting(unset); }),
              line("Font: Name = , Size = 0, Color = Black"));
}

TEST(FormattingDetails, Paragraph) {
    EXPECT_EQ(written([](ObjectDetailWriter& w) { w.WriteParagraphFormatting(nullptr); }),
              QString());

    tvParagraphFormatting plain;
    plain.lineSpacing = 1.0;
    EXPECT_EQ(written([&](ObjectDetailWriter& w) { w.WriteParagraphFormatting(&plain); }),
              line("Paragraph: Line Spacing Type = Multiple"));

    tvParagraphFormatting indented;
    indented.leftIndent = 150;  // twips: 15 a pixel
    indented.rightIndent = 100;
    indented.firstLineIndent = -15;
    indented.lineSpacing = 1.5;
    indented.lineSpacingType = 1;
    indented.textFormat = 2;
    EXPECT_EQ(written([&](ObjectDetailWriter& w) { w.WriteParagraphFormatting(&indented); }),
              line("Paragraph: Left Indent = 10, Right Indent = 6.66666666666667, "
                   "First Line Indent = -1, Line Spacing = 1.5, Line Spacing Type = Exact, "
                   "Text Format = 2"));
}

TEST(FormattingDetails, HyperlinkOnlyWithText) {
    tvHyperlinkFormatting bag;
    bag.hyperlinkType = 3;
    EXPECT_EQ(written([&](ObjectDetailWriter& w) { w.WriteHyperlinkFormatting(bag); }), QString());
    bag.hyperlinkType = 0;
    bag.hyperlinkText = QStringLiteral("https://example.org/");
    EXPECT_EQ(written([&](ObjectDetailWriter& w) { w.WriteHyperlinkFormatting(bag); }),
              line("Hyperlink: HyperlinkType = Website, Hyperlink Text = https://example.org/"));
}

TEST(FormattingDetails, Picture) {
    tvPictureFormatting bag;
    bag.xScaling = 1.0;
    bag.yScaling = 1.0;
    EXPECT_EQ(written([&](ObjectDetailWriter& w) { w.WritePictureFormatting(bag); }), QString());

    bag.topCropping = 40;
    bag.leftCropping = -20;
    EXPECT_EQ(written([&](ObjectDetailWriter& w) { w.WritePictureFormatting(bag); }),
              line("Picture: Top Cropping = 40, Left Cropping = -20"));

    bag.yScaling = 1.25;  // one scaling off 1 shows all four
    bag.scaledWidth = 2880;
    EXPECT_EQ(written([&](ObjectDetailWriter& w) { w.WritePictureFormatting(bag); }),
              line("Picture: X Scaling = 1, Y Scaling = 1.25, ScaledWidth = 2880, "
                   "ScaledHeight = 0, Top Cropping = 40, Left Cropping = -20"));
}

TEST(FormattingDetails, SubreportAndItsLinks) {
    tvSubreportFormatting bag;
    bag.subreportName = QStringLiteral("Orders");
    bag.enableOnDemand = true;
    EXPECT_EQ(written([&](ObjectDetailWriter& w) { w.WriteSubreportFormatting(bag); }),
              line("Subreport: Subreport Name = Orders, Enable on Demand = True"));

    tvDatabaseFieldDefinition id;
    id.name = QStringLiteral("{Orders.ID}");
    tvParameterFieldDefinition linked;
    linked.name = QStringLiteral("{?Pm-Orders.ID}");
    tvSubReportLink link;
    link.mainReportField = &id;
    link.mainSubReportField = &linked;
    EXPECT_EQ(written([&](ObjectDetailWriter& w) { w.WriteSubreportLink(link); }),
              line("Subreport Link: {Orders.ID} = [subreport].{?Pm-Orders.ID}"));
    link.mainSubReportField = nullptr;
    EXPECT_EQ(detailFailureOf([&] { written([&](auto& w) { w.WriteSubreportLink(link); }); }),
              DetailFailure::ObjectRequired);
}

TEST(FormattingDetails, ValueFormats) {
    tvCurrencyFormatting currency;
    currency.positionType = 1;
    currency.symbol = QStringLiteral("$");
    currency.symbolType = 2;
    currency.useOneSymbolPerPage = true;

    tvDateFormatting date;  // separators only where set
    date.calendarType = 1;
    date.dayType = 1;
    date.eraType = 2;
    date.firstSeparator = QStringLiteral("/");
    date.leadingDayPosition = 1;
    date.leadingDayType = 2;
    date.monthType = 3;
    date.order = 1;
    date.secondSeparator = QStringLiteral("/");
    date.yearType = 1;
    tvDateFormatting allSeparators = date;
    allSeparators.leadingDaySeparator = QStringLiteral(", ");
    allSeparators.prefixSeparator = QStringLiteral("<");
    allSeparators.suffixSeparator = QStringLiteral(">");

    tvDateTimeFormatting dateTime;
    dateTime.dateWindowsDefaultType = 1;

    tvNumberFormatting number;
    number.decimalPlaces = 2;
    number.decimalSymbol = QStringLiteral(".");
    number.negativeType = 3;
    number.roundingType = 9;
    number.thousandsSeparators = true;
    number.thousandSymbol = QStringLiteral(",");
    number.zeroValueString = QStringLiteral("-");

    tvBooleanFormatting boolean;
    boolean.booleanOutputType = 2;

    tvTimeFormatting time;
    time.amPmPosition = 1;
    time.amString = QStringLiteral("am");
    time.pmString = QStringLiteral("pm");
    time.hourMinuteSeparator = QStringLiteral(":");
    time.minuteSecondSeparator = QStringLiteral(":");
    time.minuteType = 1;
    time.secondType = 2;
    time.timeBase = 1;
    time.useLeadingZero = true;

    struct Case {
        std::function<void(ObjectDetailWriter&)> write;
        const char* expected;
    };
    const Case cases[] = {
        {[&](auto& w) { w.WriteCurrencyFormatting(&currency); },
         "Currency: Currency Position = Leading Currency Outside Negative, Currency Symbol = $, "
         "Currency Symbol Type = Floating Symbol, Use One Currency Symbol Per Page = True"},
        {[&](auto& w) { w.WriteDateFormatting(&date); },
         "Date: CalendarType = Gregorian, Day type = Leading Zero Numeric, Era type = None, "
         "First Separator = /, Leading Day Position = Trailing, Leading Day Type = None, "
         "Month Type = Long, Date Order = Day Month Year, Second Separator = /, "
         "Year Type = Long"},
        {[&](auto& w) { w.WriteDateFormatting(&allSeparators); },
         "Date: CalendarType = Gregorian, Day type = Leading Zero Numeric, Era type = None, "
         "First Separator = /, Leading Day Position = Trailing, Leading Day Separator = , , "
         "Leading Day Type = None, Month Type = Long, Date Order = Day Month Year, "
         "Prefix Separator = <, Second Separator = /, Suffix Separator = >, Year Type = Long"},
        {[&](auto& w) { w.WriteDateTimeFormatting(&dateTime); },
         "DateTime: Date Windows Default Type = Windows Short"},
        {[&](auto& w) { w.WriteNumberFormatting(&number); },
         "Number: Decimal Places = 2, Decimal Symbol = ., Display Reverse Sign = False, "
         "Negative Type = Bracketed, Rounding Type = Nearest Hundredth, "
         "Thousands Separator = True, Thousands Symbol = ,, Zero Value String = -"},
        {[&](auto& w) { w.WriteBooleanFormatting(&boolean); },
         "Boolean: Boolean Output Type = Yes or No"},
        {[&](auto& w) { w.WriteTimeFormatting(&time); },
         "Time: AmPm Position = 1, AM String = am, PM String = pm, Hour Minute Separator = :, "
         "Minute Second Separator = :, Hour Type = 0, Minute Type = 1, Second Type = 2, "
         "Time Base = 24 Hour, Use Leading Zero = True, Use System Defaults = False"},
    };
    for (const Case& c : cases) EXPECT_EQ(written(c.write), line(c.expected)) << c.expected;

    // A field whose value type has no such formatting writes none of these lines.
    EXPECT_EQ(written([](ObjectDetailWriter& w) {
                  w.WriteCurrencyFormatting(nullptr);
                  w.WriteDateFormatting(nullptr);
                  w.WriteDateTimeFormatting(nullptr);
                  w.WriteNumberFormatting(nullptr);
                  w.WriteBooleanFormatting(nullptr);
                  w.WriteTimeFormatting(nullptr);
              }),
              QString());
}

// The bags of an object loaded from a design document, in the order an OLE object writes them.
TEST(FormattingDetails, LoadedOleObject) {
    const auto report = loadReport(
        "<Report><Database/><ExportOptions/><Areas><Area kind='2' name='PageHeaderArea1'>"
        "<Sections><Section><ReportObjects>"
        "<OleObject kind='6' name='Logo' backgroundColor='0x80000005' borderColor='255' "
        "bottomStyle='0' dropshadow='true' leftStyle='1' rightStyle='-2' topStyle='3' "
        "closeBorderonPageBreak='false' cssClass='pic' keepTogether='true' suppress='false' "
        "hyperlinkText='https://example.org/' hyperlinkType='2' bottomCropping='10' "
        "leftCropping='-20' rightCropping='30' topCropping='40' xScaling='0.5' "
        "yScaling='1.25'/>"
        "</ReportObjects></Section></Sections></Area></Areas></Report>");
    const auto& ole = dynamic_cast<const tvOleObject&>(
        report->tvAreas.Item(1).tvSections.Item(1).reportObjects.Item(1));
    const QString text = written([&](ObjectDetailWriter& w) {
        w.WritePictureFormatting(ole.pictureFormatting);
        w.WriteBorderFormatting(ole.borderFormatting);
        w.WriteCommonFormatting(ole.commonFormatting);
        w.WriteHyperlinkFormatting(ole.hyperlinkFormatting);
    });
    EXPECT_EQ(text,
              line("Picture: X Scaling = 0.5, Y Scaling = 1.25, ScaledWidth = 0, "
                   "ScaledHeight = 0, Top Cropping = 40, Bottom Cropping = 10, "
                   "Left Cropping = -20, Right Cropping = 30") +
                  line("Border: Left=Single, Right=Undefined, Top=Dashed, Bottom=None, "
                       "Color=Red, BGColor=White, DropShadow") +
                  line("Common: Close Border on Page Break = False, Css Class = pic, "
                       "Keep Together = True, Suppress = False, Suppress Embedded = False, "
                       "Suppress if Duplicated = False") +
                  line("Hyperlink: HyperlinkType = HTML, Hyperlink Text = https://example.org/"));
}

// A chart's line lists its codes always, its flags only when set, and a title together with its
// font only when there is a title.
TEST(FormattingDetails, GraphTitlesFontsAndFlags) {
    tvGraphObject graph;
    graph.graphType = 1;
    graph.autoRangeDataAxis = true;
    graph.Data2Title = QStringLiteral("Quantity");
    graph.Data2TitleFont.name = QStringLiteral("Arial");
    graph.Data2TitleFont.size = 9;
    graph.dataTitleFont.name = QStringLiteral("Arial");  // no data title: no font either
    graph.legendFont.name = QStringLiteral("Arial Narrow");
    graph.legendFont.size = 8;
    graph.maxDataAxisValue = 2500.5;
    graph.isZAxisTitleByDefault = true;
    graph.zAxisTitle = QStringLiteral("Z");
    const QString text = written([&](ObjectDetailWriter& w) { w.WriteGraphFormatting(graph); });
    EXPECT_TRUE(
        text.startsWith(line("Graph: GraphType = Stacked Bar, AutoRangeDataAxis = True, "
                             "BarSize = Minimum, Data2AxisDivisionMethod = Automatic, "
                             "Data2AxisDivisionNumber = 0, ")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral(
        "Data2 Title = Quantity, Data2 Title Font= , Name = Arial, Size = 9, DataAxis")));
    EXPECT_FALSE(text.contains(QStringLiteral("Data Title")));
    EXPECT_TRUE(
        text.contains(QStringLiteral("IsZAxisTitleByDefault = True, LegendFont = , "
                                     "Name = Arial Narrow, Size = 8, LegendLayout")));
    EXPECT_TRUE(text.contains(QStringLiteral("MaxDataAxisValue = 2500.5, ")));
    EXPECT_TRUE(text.endsWith(QStringLiteral("ViewingAngle = , ZAxisTitle = Z")));
}

TEST(FormattingDetails, CrossTabGroupKeepsItsFieldWhole) {
    tvDatabaseFieldDefinition field;
    field.name = QStringLiteral("Orders.Region");
    tvCrossTabGroup group;
    group.field = &field;
    group.backgroundColor = -1;
    group.condition = 4;
    group.sortDirection = 1;
    group.enableSuppressSubtotal = true;
    EXPECT_EQ(
        written([&](ObjectDetailWriter& w) { w.WriteCrossTabGroup(group, QStringLiteral("Row")); }),
        line("CrossTab Row Group: Database Field=Orders.Region, BG Color = None, Group "
             "Condition = Monthly, Enable Suppress Label = False, Enable Suppress SubTotal "
             "= True, Kind = 0, Sort Direction = Descending"));
    // A group whose field has no definition is documented with an empty field.
    group.field = nullptr;
    EXPECT_EQ(
        written([&](ObjectDetailWriter& w) { w.WriteCrossTabGroup(group, QStringLiteral("Row")); }),
        line("CrossTab Row Group: , BG Color = None, Group Condition = Monthly, Enable "
             "Suppress Label = False, Enable Suppress SubTotal = True, Kind = 0, Sort "
             "Direction = Descending"));
}

TEST(FormattingDetails, GeneralNumbers) {
    const std::pair<double, const char*> cases[] = {
        {0.0, "0"},      {-0.0, "0"},      {12.0, "12"},
        {0.5, "0.5"},    {-1.25, "-1.25"}, {100.0 / 15.0, "6.66666666666667"},
        {1e20, "1E+20"}, {1e-5, "1E-05"},
    };
    for (const auto& [value, expected] : cases) {
        EXPECT_EQ(FormatGeneralNumber(value), QString::fromLatin1(expected)) << expected;
    }
}

TEST(FormattingDetails, WritingWithoutASinkFails) {
    ObjectDetailWriter writer;
    EXPECT_EQ(detailFailureOf([&] { writer.WriteSubreportFormatting(tvSubreportFormatting{}); }),
              DetailFailure::ObjectRequired);
}

}  // namespace
