#include <gtest/gtest.h>

#include <QFile>
#include <QStringList>
#include <limits>

#include "CodeTexts.h"
#include "TestSupport.h"

using namespace tav::doctext;

namespace {

// A lookup over whole-number codes, with the lowest and highest code that it lists.
struct Family {
    const char* name;
    QString (*lookup)(qint32);
    qint32 lowest;
    qint32 highest;
};

const Family kFamilies[] = {
    {"GetReportFormatStyleText", GetReportFormatStyleText, 0, 9},
    {"GetReportKindText", GetReportKindText, 1, 3},
    {"GetDateTimeConversionText", GetDateTimeConversionText, 0, 2},
    {"GetFieldMappingText", GetFieldMappingText, 0, 2},
    {"GetFormulaSyntaxText", GetFormulaSyntaxText, 0, 1},
    {"GetObjectKindText", GetObjectKindText, 1, 11},
    {"GetAreaKindText", GetAreaKindText, 1, 8},
    {"GetHyperlinkTypeText", GetHyperlinkTypeText, 0, 8},
    {"GetFieldKindText", GetFieldKindText, 1, 6},
    {"GetValueTypeText", GetValueTypeText, 1, 22},
    {"GetValueTypeName", GetValueTypeName, 1, 22},
    {"GetSpecialVarTypeText", GetSpecialVarTypeText, 0, 17},
    {"GetSummaryOperationText", GetSummaryOperationText, 0, 19},
    {"GetHierarchicalSummaryText", GetHierarchicalSummaryText, 0, 1},
    {"GetRunningTotalConditionText", GetRunningTotalConditionText, 0, 3},
    {"GetGroupConditionText", GetGroupConditionText, 0, 14},
    {"GetGroupConditionFullText", GetGroupConditionFullText, 0, 18},
    {"GetSortDirectionText", GetSortDirectionText, 0, 1},
    {"GetGroupSortOrderText", GetGroupSortOrderText, 0, 10},
    {"GetDatabaseTypeText", GetDatabaseTypeText, 1, 2},
    {"GetJoinTypeText", GetJoinTypeText, 4, 13},
    {"GetLookupTypeText", GetLookupTypeText, 1, 3},
    {"GetParameterValueKindText", GetParameterValueKindText, 0, 2},
    {"GetPickListSortText", GetPickListSortText, 0, 4},
    {"GetParameterTypeText", GetParameterTypeText, 0, 2},
    {"GetExportDestinationText", GetExportDestinationText, 0, 6},
    {"GetExportFormatText", GetExportFormatText, 0, 37},
    {"GetExchangeDestinationTypeText", GetExchangeDestinationTypeText, 0, 1011},
    {"GetPrinterDuplexText", GetPrinterDuplexText, 0, 3},
    {"GetPaperOrientationText", GetPaperOrientationText, 0, 2},
    {"GetPaperSourceText", GetPaperSourceText, 1, 15},
    {"GetPaperSizeText", GetPaperSizeText, 0, 256},
    {"GetLineStyleText", GetLineStyleText, 0, 4},
    {"GetCurrencyPositionText", GetCurrencyPositionText, 0, 3},
    {"GetCurrencySymbolTypeText", GetCurrencySymbolTypeText, 0, 2},
    {"GetNegativeFormatText", GetNegativeFormatText, 0, 3},
    {"GetRoundingText", GetRoundingText, 1, 17},
    {"GetBooleanOutputText", GetBooleanOutputText, 0, 4},
    {"GetCalendarTypeText", GetCalendarTypeText, 1, 12},
    {"GetDayFormatText", GetDayFormatText, 0, 2},
    {"GetMonthFormatText", GetMonthFormatText, 0, 4},
    {"GetYearFormatText", GetYearFormatText, 0, 2},
    {"GetDayOfWeekTypeText", GetDayOfWeekTypeText, 0, 2},
    {"GetEraTypeText", GetEraTypeText, 0, 2},
    {"GetDayOfWeekPositionText", GetDayOfWeekPositionText, 0, 1},
    {"GetDateOrderText", GetDateOrderText, 0, 2},
    {"GetWindowsDateDefaultText", GetWindowsDateDefaultText, 0, 2},
    {"GetHourFormatText", GetHourFormatText, 0, 2},
    {"GetMinuteFormatText", GetMinuteFormatText, 0, 2},
    {"GetSecondFormatText", GetSecondFormatText, 0, 2},
    {"GetAmPmPositionText", GetAmPmPositionText, 0, 1},
    {"GetTimeBaseText", GetTimeBaseText, 0, 1},
    {"GetGraphTypeText", GetGraphTypeText, 0, 1000},
    {"GetGraphDataTypeText", GetGraphDataTypeText, 0, 2},
    {"GetGraphColorText", GetGraphColorText, 0, 1},
    {"GetGraphDirectionText", GetGraphDirectionText, 0, 1},
    {"GetBarSizeText", GetBarSizeText, 0, 4},
    {"GetDivisionMethodText", GetDivisionMethodText, 0, 1},
    {"GetGridlineText", GetGridlineText, 0, 3},
    {"GetNumberFormatText", GetNumberFormatText, 0, 12},
    {"GetDataPointText", GetDataPointText, 0, 2},
    {"GetPieLegendLayoutText", GetPieLegendLayoutText, 0, 3},
    {"GetLegendPositionText", GetLegendPositionText, 4, 7},
    {"GetMarkerShapeText", GetMarkerShapeText, 1, 8},
    {"GetMarkerSizeText", GetMarkerSizeText, 0, 4},
    {"GetPieSizeText", GetPieSizeText, 0, 64},
    {"GetSliceDetachText", GetSliceDetachText, 0, 2},
    {"GetViewingAngleText", GetViewingAngleText, 1, 16},
};

// Families over a wide range of codes list, between their bounds, only the codes with a text and
// their neighbours.
constexpr qint32 kWideRange = 64;

QString line(const char* family, const QString& code, const QString& text) {
    return QString::fromLatin1(family) + u' ' + code + QStringLiteral(" \"") + text +
           QStringLiteral("\"\n");
}

QString hex(qint32 colour) {
    return QStringLiteral("0x%1").arg(static_cast<quint32>(colour), 8, 16, QLatin1Char('0'));
}

// Every lookup over its codes, one below the lowest and one above the highest included.
QString dumpLookups() {
    QString dump;
    for (const Family& family : kFamilies) {
        const bool wide = family.highest - family.lowest >= kWideRange;
        for (qint32 code = family.lowest - 1; code <= family.highest + 1; ++code) {
            const QString text = family.lookup(code);
            const bool bound = code < family.lowest || code > family.highest;
            const bool nearText = !text.isEmpty() || !family.lookup(code - 1).isEmpty() ||
                                  !family.lookup(code + 1).isEmpty();
            if (bound || !wide || nearText) {
                dump += line(family.name, QString::number(code), text);
            }
        }
    }

    const std::pair<const char*, QString (*)(double)> realFamilies[] = {
        {"GetLineSpacingTypeText", GetLineSpacingTypeText}, {"GetAlignmentText", GetAlignmentText}};
    for (const auto& [name, lookup] : realFamilies) {
        for (double code = -1.0; code <= 5.0; code += 0.5) {
            dump += line(name, QString::number(code), lookup(code));
        }
    }

    // The sixteen named colours, components just off a name, colours that are no RGB value, and
    // every system colour index with the first one past them.
    std::vector<qint32> colours = {
        -1,       0x000000, 0x000080,   0x008000,   0x008080,   0x800000,
        0x800080, 0x808000, 0x808080,   0xC0C0C0,   0x0000FF,   0x00FF00,
        0x00FFFF, 0xFF0000, 0xFF00FF,   0xFFFF00,   0xFFFFFF,   197379,
        0x010203, 0xC0C0C1, 0x02000080, 0x01000001, 0x7F000000, qint32(0x80010000u),
        -2};
    for (qint32 index = 0; index <= 0x20; ++index) colours.push_back(qint32(0x80000000u) + index);
    for (qint32 colour : colours) {
        dump += line("TranslateOleColor", hex(colour), hex(TranslateOleColor(colour)));
        dump += line("GetColorText", hex(colour), GetColorText(colour));
    }

    auto font = [](double size, bool bold, bool italic, bool underline, bool strikethrough) {
        tvFont f;
        f.name = QStringLiteral("Arial");
        f.size = size;
        f.bold = bold;
        f.italic = italic;
        f.underline = underline;
        f.strikethrough = strikethrough;
        return f;
    };
    const tvFont fonts[] = {
        font(10.5, true, true, true, false),    font(11.5, false, false, false, false),
        font(9, true, false, false, true),      font(8.25, false, true, false, false),
        font(10.49999, true, true, true, true), font(0, false, false, false, false)};
    for (const tvFont& f : fonts) {
        const QString code = QStringLiteral("%1/%2%3%4%5")
                                 .arg(QString::number(f.size, 'g', 10))
                                 .arg(f.bold ? "B" : "-", f.italic ? "I" : "-",
                                      f.underline ? "U" : "-", f.strikethrough ? "S" : "-");
        dump += line("GetFontText", code, GetFontText(f));
    }

    const QStringList& formats = GetTableFormatList();
    for (qsizetype i = 0; i < formats.size(); ++i) {
        dump += line("GetTableFormatList", QString::number(i), formats[i]);
    }
    return dump;
}

TEST(CodeTexts, EveryLookupMatchesTheGoldenDump) {
    const QString dump = dumpLookups();
    const QString golden = testData(QStringLiteral("lookups/lookups.golden"));
    QFile file(golden);
    if (qEnvironmentVariableIsSet("TAV_UPDATE_GOLDEN")) {
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(dump.toUtf8());
        GTEST_SKIP() << "golden file written: " << golden.toStdString();
    }
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << golden.toStdString();
    const QStringList expected = QString::fromUtf8(file.readAll()).split(u'\n');
    const QStringList actual = dump.split(u'\n');
    for (qsizetype i = 0; i < std::min(expected.size(), actual.size()); ++i) {
        ASSERT_EQ(actual[i], expected[i]) << "line " << i + 1;
    }
    EXPECT_EQ(actual.size(), expected.size());
}

TEST(CodeTexts, TableFormatListIsBuiltOnce) {
    const QStringList& first = GetTableFormatList();
    const QStringList& second = GetTableFormatList();
    EXPECT_EQ(&first, &second);
    EXPECT_EQ(second.size(), 43);
    EXPECT_EQ(second.indexOf(QStringLiteral("Table Web 3")), 42);
}

// An unlisted code reads as an empty text, never a null one: the database stores a null text as
// no value at all.
TEST(CodeTexts, UnlistedCodesGiveEmptyTextsThatAreNotNull) {
    for (const QString& text : {GetReportKindText(99), GetLineSpacingTypeText(7.5),
                                GetObjectKindText(-1), GetSliceDetachText(1234)}) {
        EXPECT_TRUE(text.isEmpty());
        EXPECT_FALSE(text.isNull());
    }
    EXPECT_EQ(GetReportKindText(1), QStringLiteral("Columnar Report"));
}

// A size is whole points of a fixed-point value; one that the value cannot hold is out of range
// and has the empty text, as an unlisted code has.
TEST(CodeTexts, FontSizesOutOfRangeHaveTheEmptyText) {
    struct Case {
        double size;
        const char* text;
    };
    const Case cases[] = {
        {922337203685477.0, ", Name = A, Size = 922337203685477"},
        {-922337203685477.0, ", Name = A, Size = -922337203685477"},
        {1e15, ", Name = A, Size = "},
        {1e20, ", Name = A, Size = "},
        {-1e20, ", Name = A, Size = "},
        {std::numeric_limits<double>::infinity(), ", Name = A, Size = "},
        {-std::numeric_limits<double>::infinity(), ", Name = A, Size = "},
        {std::numeric_limits<double>::quiet_NaN(), ", Name = A, Size = "},
    };
    for (const Case& c : cases) {
        tvFont font;
        font.name = QStringLiteral("A");
        font.size = c.size;
        EXPECT_EQ(GetFontText(font), QString::fromLatin1(c.text)) << c.size;
    }
}

}  // namespace
