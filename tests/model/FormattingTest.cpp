#include <gtest/gtest.h>

#include "TestSupport.h"
#include "tvFormattings.h"
#include "tvValueFormattings.h"

// The font is copied: it answers after the document and every runtime object are gone.
TEST(Formatting, FontOutlivesTheRuntime) {
    tvFontFormatting bag;
    {
        const auto crObject = runtimeReport(
            "<Report><font name='Arial Narrow' size='10.5' bold='true' italic='true' "
            "underline='true' strikethrough='true' weight='700' charset='238'/></Report>");
        bag.font = tvReadFont(*crObject);
    }
    ASSERT_EQ(liveRuntimeObjects(), 0);
    EXPECT_EQ(bag.font.name, QStringLiteral("Arial Narrow"));
    EXPECT_EQ(bag.font.size, 10.5);
    EXPECT_TRUE(bag.font.bold);
    EXPECT_TRUE(bag.font.italic);
    EXPECT_TRUE(bag.font.underline);
    EXPECT_TRUE(bag.font.strikethrough);
    EXPECT_EQ(bag.font.weight, 700);
    EXPECT_EQ(bag.font.charset, 238);
}

TEST(Formatting, NoFontGivesTheDefaultFont) {
    const auto crObject = runtimeReport("<Report/>");
    EXPECT_EQ(tvReadFont(*crObject), tvFont());
    const auto failing = runtimeReport("<Report><font fail='name'/></Report>");
    EXPECT_THROW(tvReadFont(*failing), rt::Error);
}

TEST(Formatting, TightHorizontalOnlyWhenAsked) {
    const auto crObject = runtimeReport("<Report tightHorizontal='false' dropshadow='false'/>");
    tvBorderFormatting withIt;
    tvBorderFormatting without;
    tvReadBorderFormatting(withIt, *crObject, true);
    tvReadBorderFormatting(without, *crObject);
    EXPECT_EQ(withIt.tightHorizontal, QStringLiteral("False"));
    EXPECT_TRUE(without.tightHorizontal.isEmpty());
    EXPECT_EQ(without.dropshadow, QStringLiteral("False"));
    EXPECT_EQ(without.bottomStyle, QStringLiteral("0"));
}

TEST(Formatting, CommonMembersInTheOwnersOrder) {
    const auto crObject = runtimeReport(
        "<Report canGrow='true' horizontalAlignment='3' maxLines='2' name='Field1' "
        "suppressIfDuplicated='true' textRotationAngle='40000' cssClass='c'/>");
    tvCommonFormatting bag;
    using M = tvCommonMember;
    EXPECT_THROW(
        tvReadCommonFormatting(bag, *crObject,
                               {M::canGrow, M::horizontalAlignment, M::maxLines, M::name,
                                M::suppressIfDuplicated, M::textRotationAngle, M::cssClass}),
        rt::Error);
    // Filled up to the value that overflows; later members keep their initial value.
    EXPECT_EQ(bag.canGrow, QStringLiteral("True"));
    EXPECT_EQ(bag.horizontalAlignment, 3);
    EXPECT_EQ(bag.maxLines, 2);
    EXPECT_EQ(bag.name, QStringLiteral("Field1"));
    EXPECT_TRUE(bag.suppressIfDuplicated);
    EXPECT_EQ(bag.textRotationAngle, 0);
    EXPECT_TRUE(bag.cssClass.isEmpty());
}

TEST(Formatting, ValueFormattingsCopyTheRuntimeValues) {
    const auto cr = runtimeReport(
        "<Report booleanOutputType='4' positionType='1' symbol='' symbolType='2' "
        "useOneSymbolPerPage='true' dateWindowsDefaultType='1' calendarType='1' dayType='2' "
        "eraType='3' firstSeparator='/' leadingDayPosition='1' leadingDaySeparator=', ' "
        "leadingDayType='2' monthType='3' order='1' prefixSeparator='[' secondSeparator='-' "
        "suffixSeparator=']' yearType='1' decimalPlaces='0' decimalSymbol=',' "
        "displayReverseSign='true' negativeType='2' roundingType='5' thousandsSeparators='true' "
        "thousandSymbol='.' zeroValueString='-' amPmPosition='1' amString='am' "
        "hourMinuteSeparator=':' hourType='2' minuteSecondSeparator='.' minuteType='1' "
        "pmString='pm' secondType='2' timeBase='1' useLeadingZero='true' useSystemDefaults='true' "
        "firstLineIndent='-144' leftIndent='288' lineSpacing='1.5' lineSpacingType='1' "
        "rightIndent='72' textFormat='2'/>");
    tvBooleanFormatting b;
    tvCurrencyFormatting c;
    tvDateTimeFormatting dt;
    tvDateFormatting d;
    tvNumberFormatting n;
    tvTimeFormatting t;
    tvParagraphFormatting p;
    tvParagraphFormatting textObjectParagraph;
    tvReadBooleanFormatting(b, *cr);
    tvReadCurrencyFormatting(c, *cr);
    tvReadDateTimeFormatting(dt, *cr);
    tvReadDateFormatting(d, *cr);
    tvReadNumberFormatting(n, *cr);
    tvReadTimeFormatting(t, *cr);
    tvReadParagraphFormatting(p, *cr);
    tvReadParagraphFormatting(textObjectParagraph, *cr, false);

    EXPECT_EQ(b.booleanOutputType, 4);
    EXPECT_TRUE(c.symbol.isEmpty());
    EXPECT_EQ(c.positionType, 1);
    EXPECT_EQ(c.symbolType, 2);
    EXPECT_TRUE(c.useOneSymbolPerPage);
    EXPECT_EQ(dt.dateWindowsDefaultType, 1);
    EXPECT_EQ(d.leadingDaySeparator, QStringLiteral(", "));
    EXPECT_EQ(d.order, 1);
    EXPECT_EQ(d.yearType, 1);
    EXPECT_EQ(d.suffixSeparator, QStringLiteral("]"));
    EXPECT_EQ(n.decimalPlaces, 0);
    EXPECT_EQ(n.decimalSymbol, QStringLiteral(","));
    EXPECT_EQ(n.roundingType, 5);
    EXPECT_EQ(n.zeroValueString, QStringLiteral("-"));
    EXPECT_EQ(t.amString, QStringLiteral("am"));
    EXPECT_EQ(t.timeBase, 1);
    EXPECT_TRUE(t.useLeadingZero && t.useSystemDefaults);
    EXPECT_EQ(p.firstLineIndent, -144);
    EXPECT_EQ(p.lineSpacing, 1.5);
    EXPECT_EQ(p.textFormat, 2);
    EXPECT_EQ(textObjectParagraph.rightIndent, 72);
    EXPECT_EQ(textObjectParagraph.textFormat, 0);
}

// A code beyond 16 bits ends the fill: the members before it are kept, the later ones stay at
// their initial values.
TEST(Formatting, OverflowEndsTheFillWhereItHappens) {
    const auto cr = runtimeReport(
        "<Report calendarType='1' dayType='2' eraType='3' firstSeparator='/' "
        "leadingDayPosition='70000' leadingDaySeparator=',' yearType='4'/>");
    tvDateFormatting d;
    try {
        tvReadDateFormatting(d, *cr);
        ADD_FAILURE() << "no overflow";
    } catch (const rt::Error& e) {
        EXPECT_EQ(e.number(), rt::kErrOverflow);
    }
    EXPECT_EQ(d.eraType, 3);
    EXPECT_EQ(d.firstSeparator, QStringLiteral("/"));
    EXPECT_EQ(d.leadingDayPosition, 0);
    EXPECT_TRUE(d.leadingDaySeparator.isEmpty());
    EXPECT_EQ(d.yearType, 0);
}
