#include "CodeTexts.h"

#include <array>
#include <cmath>
#include <cstddef>

namespace tav::doctext {

namespace {

template <class Code>
struct CodeText {
    Code code;
    const char* text;
};

// The texts of one table as strings, made once and shared after: writers ask for the same few
// texts for every object of every report.
template <const auto& table>
const auto& listedTexts() {
    static const auto texts = [] {
        std::array<QString, std::size(table)> made;
        for (std::size_t i = 0; i < made.size(); ++i) made[i] = QString::fromLatin1(table[i].text);
        return made;
    }();
    return texts;
}

// The one walk over every table: the text listed for `code`, or nullptr.
template <const auto& table, class Code>
const QString* find(Code code) {
    for (std::size_t i = 0; i < std::size(table); ++i) {
        if (table[i].code == code) return &listedTexts<table>()[i];
    }
    return nullptr;
}

// An unlisted code reads as `fallback`: an empty text, not a null one, as a null text would be
// stored as no value at all.
template <const auto& table, class Code>
QString textOr(Code code, const QString& fallback = QStringLiteral("")) {
    const QString* text = find<table>(code);
    return text ? *text : fallback;
}

using Entry = CodeText<qint32>;

constexpr Entry kReportFormatStyles[] = {
    {0, "Standard Style"},
    {1, "Leading Break Style"},
    {2, "Trailing Break Style"},
    {3, "Table Style"},
    {4, "Drop Table Style"},
    {5, "Executive Leading Break Style"},
    {6, "Executive Trailing Break Style"},
    {7, "Shading Style"},
    {8, "Red Blue Border Style"},
    {9, "Martoon Teal Box Style"},
};
constexpr Entry kReportKinds[] = {
    {1, "Columnar Report"}, {2, "Label Report"}, {3, "Multiple Column Report"}};
constexpr Entry kDateTimeConversions[] = {
    {0, "Convert to String"}, {1, "Convert to Date"}, {2, "Keep Date and Time"}};
constexpr Entry kFieldMappings[] = {
    {0, "Auto Field Mapping"}, {1, "Prompt Field Mapping"}, {2, "Event Field Mapping"}};
constexpr Entry kFormulaSyntaxes[] = {{0, "Crystal Syntax"}, {1, "Basic Syntax"}};

constexpr Entry kObjectKinds[] = {
    {1, "Field Object"},     {2, "Text Object"}, {3, "Line Object"},       {4, "Box Object"},
    {5, "Subreport Object"}, {6, "Ole Object"},  {7, "Graph Object"},      {8, "CrossTab Object"},
    {9, "BlobField Object"}, {10, "Map Object"}, {11, "OLAP Grid Object"},
};
constexpr Entry kAreaKinds[] = {
    {1, "Report Header"}, {2, "Page Header"}, {3, "Group Header"},  {4, "Detail"},
    {5, "Group Footer"},  {7, "Page Footer"}, {8, "Report Footer"},
};
constexpr Entry kHyperlinkTypes[] = {
    {0, "Website"},        {1, "Email"},         {2, "HTML"},
    {3, "Crystal Report"}, {4, "Website Field"}, {5, "Email Field Value"},
    {6, "Undefined"},      {7, "Drill Down"},    {8, "Report Object"},
};

constexpr Entry kFieldKinds[] = {
    {1, "DatabaseField"},   {2, "FormulaField"},   {3, "SummaryField"},
    {4, "SpecialVarField"}, {5, "GroupNameField"}, {6, "ParameterField"},
};
constexpr Entry kValueTypes[] = {
    {1, "Integer (8 bit signed)"},
    {2, "Integer (8 bit unsigned)"},
    {3, "Integer (16 bit signed)"},
    {4, "Integer (16 bit unsigned)"},
    {5, "Integer (32 bit signed)"},
    {6, "Integer (32 bit unsigned)"},
    {7, "Number"},
    {8, "Currency"},
    {9, "Boolean"},
    {10, "Date"},
    {11, "Time"},
    {12, "String"},
    {13, "Memo"},
    {14, "Memo"},
    {15, "Blob"},
    {16, "DateTime"},
    {17, "Bitmap"},
    {18, "Icon"},
    {19, "crPictureField"},
    {20, "crOleField"},
    {21, "crChartField"},
    {22, "crUnknownField"},
};
constexpr Entry kSpecialVarTypes[] = {
    {0, "Print Date"},
    {1, "Print Time"},
    {2, "Modification Date"},
    {3, "Modification Time"},
    {4, "Date"},
    {5, "Time"},
    {6, "Record Number"},
    {7, "Page Number"},
    {8, "Group Number"},
    {9, "Total Page Count"},
    {10, "Report Title"},
    {11, "Report Comments"},
    {12, "Report Selection"},
    {13, "Group Selection"},
    {14, "File Name"},
    {15, "File Author"},
    {16, "Creation Date"},
    {17, "Page N of M"},
};
constexpr Entry kSummaryOperations[] = {
    {0, "Sum of"},
    {1, "Average of"},
    {2, "Sample Variance of"},
    {3, "Sample Standard Deviation of"},
    {4, "Maximum of"},
    {5, "Minimum of"},
    {6, "Count of"},
    {7, "Pop Variance of"},
    {8, "Pop Standard Deviation of"},
    {9, "Distinct Count of"},
    {10, "Correlation of"},
    {11, "Covariance of"},
    {12, "Weighted Avg of"},
    {13, "Median of"},
    {14, "Percentile of"},
    {15, "Nth Largest of"},
    {16, "Nth Smallest of"},
    {17, "Mode of"},
    {18, "Nth Most Frequent"},
    {19, "Percentage of"},
};
constexpr Entry kHierarchicalSummaries[] = {{0, "No Hierarchical Summary"},
                                            {1, "Summary Across Hierarchy"}};
constexpr Entry kRunningTotalConditions[] = {
    {0, "No Condition"}, {1, "Change of Field"}, {2, "Change of Group"}, {3, "Formula"}};
constexpr Entry kGroupConditions[] = {
    {0, "Any Change"}, {1, "Week"},      {2, "Two Weeks"},  {3, "Half-Month"}, {4, "Month"},
    {5, "Quarter"},    {6, "Half-Year"}, {7, "Year"},       {8, "Second"},     {9, "Minute"},
    {10, "Hour"},      {11, "AM/PM"},    {14, "Any Value"},
};
constexpr Entry kGroupConditionsFull[] = {
    {0, "Daily"},      {1, "Weekly"},        {2, "BiWeekly"},     {4, "Monthly"},
    {5, "Quarterly"},  {6, "Semi Annually"}, {7, "Annually"},     {9, "To No"},
    {10, "Every Yes"}, {11, "Every No"},     {12, "Next Is Yes"}, {13, "Next Is No"},
    {14, "Any Value"}, {15, "By Second"},    {16, "By Minute"},   {17, "By Hour"},
    {18, "By AMPM"},
};
constexpr Entry kSortDirections[] = {{0, "Ascending"}, {1, "Descending"}};
constexpr Entry kGroupSortOrders[] = {
    {0, "All Groups Unsorted"}, {1, "All Groups Sorted"},          {2, "Top N Groups"},
    {3, "Bottom N Groups"},     {10, "Unknown Groups Sort Order"},
};

constexpr Entry kDatabaseTypes[] = {{1, "Standard"}, {2, "SQL"}};
constexpr Entry kJoinTypes[] = {
    {4, "Equal"},          {5, "Left Outer"}, {6, "Right Outer"},
    {8, "Greater Than"},   {9, "Less Than"},  {10, "Greater or Equal"},
    {11, "Less or Equal"}, {12, "Not Equal"}, {13, "Advance"},
};
constexpr Entry kLookupTypes[] = {{1, "Parallel"}, {2, "Product"}, {3, "Series"}};

constexpr Entry kParameterValueKinds[] = {
    {0, "Discrete Value"}, {1, "Range Value"}, {2, "Discrete and Range"}};
constexpr Entry kPickListSorts[] = {
    {0, "No Sort"},           {1, "Alphanumeric Ascending"}, {2, "Alphanumeric Descending"},
    {3, "Numeric Ascending"}, {4, "Numeric Descending"},
};
constexpr Entry kParameterTypes[] = {{0, "Report"}, {1, "Query"}, {2, "Stored Procedure"}};

constexpr Entry kExportDestinations[] = {
    {0, "No Destination"},     {1, "Disk File"},   {2, "Email MAPI"},   {3, "Email VIM"},
    {4, "Microsoft Exchange"}, {5, "Application"}, {6, "Lotus Domino"},
};
constexpr Entry kExportFormats[] = {
    {0, "No Format"},
    {1, "Crystal Report"},
    {2, "Data Interchange"},
    {3, "Record Style"},
    {5, "Comma Separated Values"},
    {6, "Tab Separated Values"},
    {7, "Char Separated Values"},
    {8, "Text"},
    {9, "Tab Separated Text"},
    {10, "Paginated Text"},
    {11, "Lotus 123 WKS"},
    {12, "Lotus 123 WK1"},
    {13, "Lotus 123 WK3"},
    {14, "Word for Windows"},
    {21, "Excel 5.0"},
    {22, "Excel 5.0 Tabular"},
    {23, "ODBC"},
    {24, "Explorer 32 Standard"},
    {25, "Explorer 32 Extend"},
    {27, "Excel 7.0"},
    {28, "Excel 7.0 Tabular"},
    {29, "Excel 8.0"},
    {30, "Excel 8.0 Tabular"},
    {31, "Portable Doc Format"},
    {32, "HTML 4.0"},
    {33, "Crystal Report 7"},
    {34, "Report Definition"},
    {35, "Exact Rich Text"},
    {36, "Excel 97"},
    {37, "XML"},
};
constexpr Entry kExchangeDestinationTypes[] = {{0, "Folder Type"}, {1011, "Post Doc Message"}};

constexpr Entry kPrinterDuplexes[] = {
    {0, "Default"}, {1, "Simplex"}, {2, "Duplex"}, {3, "Horizontal"}};
constexpr Entry kPaperOrientations[] = {
    {0, "Default Orientation"}, {1, "Portrait"}, {2, "Landscape"}};
constexpr Entry kPaperSources[] = {
    {1, "Upper Bin"},
    {2, "Lower Bin"},
    {3, "Middle Bin"},
    {4, "Manual Bin"},
    {5, "Envelope Bin"},
    {6, "Envelope (Manual) Bin"},
    {7, "Auto"},
    {8, "Tractor Bin"},
    {9, "Small Fmt"},
    {10, "Large Fmt"},
    {11, "Large Capacity Bin"},
    {14, "Cassette Bin"},
    {15, "Form Source Bin"},
};
constexpr Entry kPaperSizes[] = {
    {0, "Default"},
    {1, "Letter"},
    {2, "Letter Small"},
    {3, "Tabloid"},
    {4, "Ledger"},
    {5, "Legal"},
    {6, "Statement"},
    {7, "Executive"},
    {8, "A3"},
    {9, "A4"},
    {10, "A4 Small"},
    {11, "A5"},
    {12, "B4"},
    {13, "B5"},
    {14, "Folio"},
    {15, "Quarto"},
    {16, "10x14"},
    {17, "11x17"},
    {18, "Note"},
    {19, "Envelope 9"},
    {20, "Envelope 10"},
    {21, "Envelope 11"},
    {22, "Envelope 12"},
    {23, "Envelope 13"},
    {24, "C Sheet"},
    {25, "D Sheet"},
    {26, "E Sheet"},
    {27, "Envelope DL"},
    {28, "Envelope C5"},
    {29, "Envelope C3"},
    {30, "Envelope C4"},
    {31, "Envelope C6"},
    {32, "Envelope C65"},
    {33, "Envelope B4"},
    {34, "Envelope B5"},
    {35, "Envelope B6"},
    {36, "Envelope Italy"},
    {37, "Envelope Monarch"},
    {38, "Envelope Personal"},
    {39, "Fanfold US"},
    {40, "Fanfold Standard German"},
    {41, "Fanfold Legal German"},
    {256, "User Defined"},
};

constexpr Entry kLineStyles[] = {
    {0, "None"}, {1, "Single"}, {2, "Double"}, {3, "Dashed"}, {4, "Dotted"}};
// Spacing rules and alignments arrive as doubles and are compared exactly: 1.5 is no code.
constexpr CodeText<double> kLineSpacingTypes[] = {{1.0, "Exact"}, {0.0, "Multiple"}};
constexpr CodeText<double> kAlignments[] = {
    {0.0, "Default"}, {1.0, "Left"}, {2.0, "Center"}, {3.0, "Right"}, {4.0, "Justified"}};

constexpr Entry kCurrencyPositions[] = {
    {0, "Leading Currency Inside Negative"},
    {1, "Leading Currency Outside Negative"},
    {2, "Trailing Currency Inside Negative"},
    {3, "Trailing Currency Outside Negative"},
};
constexpr Entry kCurrencySymbolTypes[] = {
    {0, "No Symbol"}, {1, "Fixed Symbol"}, {2, "Floating Symbol"}};
constexpr Entry kNegativeFormats[] = {
    {0, "Not Negative"}, {1, "Leading Minus"}, {2, "Trailing Minus"}, {3, "Bracketed"}};
constexpr Entry kRoundings[] = {
    {1, "Nearest Ten Billionth"},
    {2, "Nearest Billionth"},
    {3, "Nearest Hundred Millionth"},
    {4, "Nearest Ten Millionth"},
    {5, "Nearest Millionth"},
    {6, "Nearest Hundred Thousandth"},
    {7, "Nearest Ten Thousandth"},
    {8, "Nearest Thousandth"},
    {9, "Nearest Hundredth"},
    {10, "Nearest Tenth"},
    {11, "Nearest Unit"},
    {12, "Nearest Ten"},
    {13, "Nearest Hundred"},
    {14, "Nearest Thousand"},
    {15, "Nearest Ten Thousand"},
    {16, "Nearest Hundred Thousand"},
    {17, "Nearest Million"},
};
constexpr Entry kBooleanOutputs[] = {
    {0, "True or False"}, {1, "T or F"}, {2, "Yes or No"}, {3, "Y or N"}, {4, "One or Zero"}};
constexpr Entry kCalendarTypes[] = {
    {1, "Gregorian"},
    {2, "Gregorian US"},
    {3, "Japanese"},
    {4, "Taiwanese"},
    {5, "Korean"},
    {6, "Hijri"},
    {7, "Thai"},
    {8, "Hebrew"},
    {9, "Gregorian ME French"},
    {10, "Gregorian Arabic"},
    {11, "Gregorian Xlit English"},
    {12, "Gregorian Xlit French"},
};
constexpr Entry kDayFormats[] = {{0, "Numeric"}, {1, "Leading Zero Numeric"}, {2, "None"}};
constexpr Entry kMonthFormats[] = {
    {0, "Numeric"}, {1, "Leading Zero Numeric"}, {2, "Short"}, {3, "Long"}, {4, "None"}};
// Years, eras and days of the week share their texts.
constexpr Entry kShortLongNone[] = {{0, "Short"}, {1, "Long"}, {2, "None"}};
constexpr Entry kDayOfWeekPositions[] = {{0, "Leading"}, {1, "Trailing"}};
constexpr Entry kDateOrders[] = {
    {0, "Year Month Day"}, {1, "Day Month Year"}, {2, "Month Day Year"}};
constexpr Entry kWindowsDateDefaults[] = {
    {0, "Windows Long"}, {1, "Windows Short"}, {2, "Not Using Windows Defaults"}};
// Hours, minutes and seconds share their texts.
constexpr Entry kTimePartFormats[] = {{0, "Numeric"}, {1, "Numeric No Leading Zero"}, {2, "None"}};
constexpr Entry kAmPmPositions[] = {{0, "AmPm Before"}, {1, "AmPm After"}};
constexpr Entry kTimeBases[] = {{0, "12 Hour"}, {1, "24 Hour"}};

constexpr Entry kGraphTypes[] = {
    {0, "Side By Side Bar"},
    {1, "Stacked Bar"},
    {2, "Percent Bar"},
    {3, "Faked 3D Side by Side Bar"},
    {4, "Faked 3D Stacked Bar"},
    {5, "Faked 3D Percent Bar"},
    {10, "Regular Line"},
    {11, "Stacked Line"},
    {12, "Percentage Line"},
    {13, "Line With Markers"},
    {14, "Stacked Line With Markers"},
    {15, "Percentage Line with Markers"},
    {20, "Absolute Area"},
    {21, "Stacked Area"},
    {22, "Percent Area"},
    {23, "Faked 3D Absolute Area"},
    {24, "Faked 3D Stacked Area"},
    {25, "Faked 3D Percent Area"},
    {30, "Regular Pie"},
    {31, "Faked 3D Regular Pie"},
    {32, "Multiple Pie"},
    {33, "Multiple Proportional Pie"},
    {40, "Regular Doughnut"},
    {41, "Multiple Doughnut"},
    {42, "Multiple Proportional Doughnut"},
    {50, "3D Regular"},
    {51, "3D Pyramid"},
    {52, "3D Octagon"},
    {53, "3D Cut Corners"},
    {60, "3D Surface Regular"},
    {61, "3D Surface With Sides"},
    {62, "3D Surface Honeycomb"},
    {70, "XY Scatter"},
    {80, "Regular Radar"},
    {81, "Stacked Radar"},
    {82, "Radar Dual Axis"},
    {90, "Regular Bubble"},
    {91, "Dual Axis Bubble"},
    {100, "High Low"},
    {101, "High Low Dual Axis"},
    {102, "High Low Open"},
    {103, "High Low Open Dual Axis"},
    {104, "High Low Open Close"},
    {105, "High Low Open Closed Dual Axis"},
    {1000, "Unknown"},
};
constexpr Entry kGraphDataTypes[] = {
    {0, "Group Graph"}, {1, "Detail Graph"}, {2, "CrossTab Graph"}};
constexpr Entry kGraphColors[] = {{0, "Color Graph"}, {1, "Black and White Graph"}};
constexpr Entry kGraphDirections[] = {{0, "Horizontal"}, {1, "Vertical"}};
constexpr Entry kBarSizes[] = {
    {0, "Minimum"}, {1, "Small"}, {2, "Average"}, {3, "Large"}, {4, "Maximum"}};
constexpr Entry kDivisionMethods[] = {{0, "Automatic"}, {1, "Manual"}};
constexpr Entry kGridlines[] = {
    {0, "No Gridlines"},
    {1, "Minor Gridlines"},
    {2, "Major Gridlines"},
    {3, "Major and Minor Gridlines"},
};
constexpr Entry kNumberFormats[] = {
    {0, "No Decimal"},
    {1, "One Decimal"},
    {2, "Two Decimal"},
    {3, "Currency - No Decimal"},
    {4, "Currency - Two Decimal"},
    {5, "Percent - No Decimal"},
    {6, "Percent - One Decimal"},
    {7, "Percent - Two Decimal"},
    {8, "Custom"},
    {9, "Thousands - No Decimal"},
    {10, "Millions - no Decimal"},
    {11, "Currency - Thousands"},
    {12, "Currency - Millions"},
};
constexpr Entry kDataPoints[] = {{0, "None"}, {1, "Show Label"}, {2, "Show Value"}};
constexpr Entry kPieLegendLayouts[] = {{0, "Percent"}, {1, "Amount"}, {2, "Both"}, {3, "None"}};
constexpr Entry kLegendPositions[] = {{4, "Right"}, {5, "Left"}, {6, "Bottom"}, {7, "Custom"}};
constexpr Entry kMarkerShapes[] = {
    {1, "Rectangle"}, {4, "Circle"}, {5, "Diamond"}, {8, "Triangle"}};
constexpr Entry kMarkerSizes[] = {
    {0, "Small"}, {1, "Medium-Small"}, {2, "Medium"}, {3, "Medium-Large"}, {4, "Large"}};
constexpr Entry kPieSizes[] = {
    {0, "Maximum"}, {16, "Large"}, {32, "Average"}, {48, "Small"}, {64, "Minimum"}};
constexpr Entry kSliceDetachments[] = {{0, "None"}, {1, "Smallest"}, {2, "Largest"}};
constexpr Entry kViewingAngles[] = {
    {1, "Standard"},
    {2, "Tall"},
    {3, "Top"},
    {4, "Distorted"},
    {5, "Short"},
    {6, "Group Eye"},
    {7, "Group Emphasis"},
    {8, "Few Series"},
    {9, "Few Groups"},
    {10, "Distorted Standard"},
    {11, "Thick Groups"},
    {12, "Shorter"},
    {13, "Thick Series"},
    {14, "Thick Standard"},
    {15, "Birds Eye"},
    {16, "Max"},
};

constexpr qint32 rgb(qint32 red, qint32 green, qint32 blue) {
    return red | (green << 8) | (blue << 16);
}

constexpr Entry kColorNames[] = {
    {rgb(0, 0, 0), "Black"},       {rgb(128, 0, 0), "Maroon"},    {rgb(0, 128, 0), "Green"},
    {rgb(128, 128, 0), "Olive"},   {rgb(0, 0, 128), "Navy"},      {rgb(128, 0, 128), "Purple"},
    {rgb(0, 128, 128), "Teal"},    {rgb(128, 128, 128), "Gray"},  {rgb(192, 192, 192), "Silver"},
    {rgb(255, 0, 0), "Red"},       {rgb(0, 255, 0), "Lime"},      {rgb(255, 255, 0), "Yellow"},
    {rgb(0, 0, 255), "Blue"},      {rgb(255, 0, 255), "Fuchsia"}, {rgb(0, 255, 255), "Aqua"},
    {rgb(255, 255, 255), "White"},
};

// The system colours, by index, as the Windows Standard scheme of Windows 95 to 2000 sets them:
// the values the reports were designed against, and the same on every machine, so that the
// documentation of a report does not depend on the desktop it was made on. Index 25 names no
// colour.
constexpr qint32 kNoSystemColour = -1;
constexpr qint32 kSystemColours[] = {
    rgb(192, 192, 192),  // 0 scroll bar
    rgb(0, 128, 128),    // 1 desktop background
    rgb(0, 0, 128),      // 2 active caption
    rgb(128, 128, 128),  // 3 inactive caption
    rgb(192, 192, 192),  // 4 menu
    rgb(255, 255, 255),  // 5 window
    rgb(0, 0, 0),        // 6 window frame
    rgb(0, 0, 0),        // 7 menu text
    rgb(0, 0, 0),        // 8 window text
    rgb(255, 255, 255),  // 9 caption text
    rgb(192, 192, 192),  // 10 active border
    rgb(192, 192, 192),  // 11 inactive border
    rgb(128, 128, 128),  // 12 application workspace
    rgb(0, 0, 128),      // 13 highlight
    rgb(255, 255, 255),  // 14 highlight text
    rgb(192, 192, 192),  // 15 button face
    rgb(128, 128, 128),  // 16 button shadow
    rgb(128, 128, 128),  // 17 grey text
    rgb(0, 0, 0),        // 18 button text
    rgb(192, 192, 192),  // 19 inactive caption text
    rgb(255, 255, 255),  // 20 button highlight
    rgb(0, 0, 0),        // 21 3D dark shadow
    rgb(192, 192, 192),  // 22 3D light
    rgb(0, 0, 0),        // 23 tooltip text
    rgb(255, 255, 225),  // 24 tooltip background
    kNoSystemColour,     // 25
    rgb(0, 0, 255),      // 26 hot-tracked item
    rgb(16, 132, 208),   // 27 active caption gradient
    rgb(181, 181, 181),  // 28 inactive caption gradient
    rgb(0, 0, 128),      // 29 highlighted menu item
    rgb(192, 192, 192),  // 30 menu bar
};

constexpr const char* kTableFormats[] = {
    "None",
    "Table Simple 1",
    "Table Simple 2",
    "Table Simple 3",
    "Table Classic 1",
    "Table Classic 2",
    "Table Classic 3",
    "Table Classic 4",
    "Table Colorful 1",
    "Table Colorful 2",
    "Table Colorful 3",
    "Table Columns 1",
    "Table Columns 2",
    "Table Columns 3",
    "Table Columns 4",
    "Table Columns 5",
    "Table Grid 1",
    "Table Grid 2",
    "Table Grid 3",
    "Table Grid 4",
    "Table Grid 5",
    "Table Grid 6",
    "Table Grid 7",
    "Table Grid 8",
    "Table List 1",
    "Table List 2",
    "Table List 3",
    "Table List 4",
    "Table List 5",
    "Table List 6",
    "Table List 7",
    "Table List 8",
    "Table 3D effects 1",
    "Table 3D effects 2",
    "Table 3D effects 3",
    "Table Contemporary",
    "Table Elegant",
    "Table Professional",
    "Table Subtle 1",
    "Table Subtle 2",
    "Table Web 1",
    "Table Web 2",
    "Table Web 3",
};
static_assert(std::size(kTableFormats) == 43);

QString undefinedOr(const QString* text, qint32 code) {
    return text ? *text : QStringLiteral("Undefined (%1)").arg(code);
}

}  // namespace

QString GetReportFormatStyleText(qint32 code) { return textOr<kReportFormatStyles>(code); }
QString GetReportKindText(qint32 code) { return textOr<kReportKinds>(code); }
QString GetDateTimeConversionText(qint32 code) { return textOr<kDateTimeConversions>(code); }
QString GetFieldMappingText(qint32 code) { return textOr<kFieldMappings>(code); }
QString GetFormulaSyntaxText(qint32 code) { return textOr<kFormulaSyntaxes>(code); }

QString GetObjectKindText(qint32 code) { return textOr<kObjectKinds>(code); }
QString GetAreaKindText(qint32 code) { return textOr<kAreaKinds>(code); }
QString GetHyperlinkTypeText(qint32 code) { return textOr<kHyperlinkTypes>(code); }

QString GetFieldKindText(qint32 code) { return textOr<kFieldKinds>(code); }
QString GetValueTypeText(qint32 code) { return textOr<kValueTypes>(code); }
QString GetValueTypeName(qint32 code) { return textOr<kValueTypes>(code); }
QString GetSpecialVarTypeText(qint32 code) { return textOr<kSpecialVarTypes>(code); }
QString GetSummaryOperationText(qint32 code) { return textOr<kSummaryOperations>(code); }
QString GetHierarchicalSummaryText(qint32 code) { return textOr<kHierarchicalSummaries>(code); }
QString GetRunningTotalConditionText(qint32 code) { return textOr<kRunningTotalConditions>(code); }
QString GetGroupConditionText(qint32 code) { return textOr<kGroupConditions>(code); }
QString GetGroupConditionFullText(qint32 code) { return textOr<kGroupConditionsFull>(code); }
QString GetSortDirectionText(qint32 code) {
    return textOr<kSortDirections>(code, QStringLiteral("Unknown"));
}
QString GetGroupSortOrderText(qint32 code) { return textOr<kGroupSortOrders>(code); }

QString GetDatabaseTypeText(qint32 code) { return textOr<kDatabaseTypes>(code); }
QString GetJoinTypeText(qint32 code) { return undefinedOr(find<kJoinTypes>(code), code); }
QString GetLookupTypeText(qint32 code) { return undefinedOr(find<kLookupTypes>(code), code); }

QString GetParameterValueKindText(qint32 code) { return textOr<kParameterValueKinds>(code); }
QString GetPickListSortText(qint32 code) { return textOr<kPickListSorts>(code); }
QString GetParameterTypeText(qint32 code) { return textOr<kParameterTypes>(code); }

QString GetExportDestinationText(qint32 code) { return textOr<kExportDestinations>(code); }
QString GetExportFormatText(qint32 code) { return textOr<kExportFormats>(code); }
QString GetExchangeDestinationTypeText(qint32 code) {
    return textOr<kExchangeDestinationTypes>(code);
}

QString GetPrinterDuplexText(qint32 code) { return textOr<kPrinterDuplexes>(code); }
QString GetPaperOrientationText(qint32 code) { return textOr<kPaperOrientations>(code); }
QString GetPaperSourceText(qint32 code) { return textOr<kPaperSources>(code); }
QString GetPaperSizeText(qint32 code) { return textOr<kPaperSizes>(code); }

QString GetLineStyleText(qint32 code) {
    return textOr<kLineStyles>(code, QStringLiteral("Undefined"));
}
QString GetLineSpacingTypeText(double code) { return textOr<kLineSpacingTypes>(code); }
QString GetAlignmentText(double code) { return textOr<kAlignments>(code); }

qint32 TranslateOleColor(qint32 colour) {
    const quint32 value = static_cast<quint32>(colour);
    const quint32 low = value & 0x00FFFFFFu;
    switch (value >> 24) {
        case 0x00:  // an RGB value
        case 0x02:  // an RGB value relative to a palette; without one, the RGB value itself
            return static_cast<qint32>(low);
        case 0x80:  // a system colour
            return low < std::size(kSystemColours) ? kSystemColours[low] : kNoSystemColour;
        default:  // a palette index (there is no palette) or no colour at all
            return -1;
    }
}

QString GetColorText(qint32 colour) {
    if (colour == -1) return QStringLiteral("None");
    const qint32 value = TranslateOleColor(colour);
    if (value == -1) return QString();
    if (const QString* name = find<kColorNames>(value)) return *name;
    return QStringLiteral("Red(%1), Green(%2), Blue(%3)")
        .arg(value & 0xFF)
        .arg((value >> 8) & 0xFF)
        .arg((value >> 16) & 0xFF);
}

QString GetFontText(const tvFont& font) {
    // The size goes through a fixed-point value of four decimals before it is rounded to whole
    // points; both roundings take halves to the even neighbour (10.5 gives 10, 11.5 gives 12).
    // A size beyond what the fixed-point value holds (infinite, not a number, or 1e20 points) is
    // a value out of range: its text is empty, like that of an unlisted code.
    const double fixedPoint = std::nearbyint(font.size * 10000.0);
    constexpr double kFixedPointLimit = 9223372036854775808.0;  // 2^63
    const bool inRange = fixedPoint >= -kFixedPointLimit && fixedPoint < kFixedPointLimit;
    const QString size =
        inRange ? QString::number(static_cast<qint64>(std::nearbyint(fixedPoint / 10000.0)))
                : QString();
    QString text = QStringLiteral(", Name = ") + font.name + QStringLiteral(", Size = ") + size;
    if (font.strikethrough) text += QStringLiteral(", Strikeout");
    if (font.underline) text += QStringLiteral(", Underline");
    if (font.bold && font.italic) {
        text += QStringLiteral(", Style = Bold Italic");
    } else if (font.bold) {
        text += QStringLiteral(", Style = Bold");
    } else if (font.italic) {
        text += QStringLiteral(", Style = Italic");
    }
    return text;
}

QString GetCurrencyPositionText(qint32 code) { return textOr<kCurrencyPositions>(code); }
QString GetCurrencySymbolTypeText(qint32 code) { return textOr<kCurrencySymbolTypes>(code); }
QString GetNegativeFormatText(qint32 code) { return textOr<kNegativeFormats>(code); }
QString GetRoundingText(qint32 code) { return textOr<kRoundings>(code); }
QString GetBooleanOutputText(qint32 code) { return textOr<kBooleanOutputs>(code); }
QString GetCalendarTypeText(qint32 code) { return textOr<kCalendarTypes>(code); }
QString GetDayFormatText(qint32 code) { return textOr<kDayFormats>(code); }
QString GetMonthFormatText(qint32 code) { return textOr<kMonthFormats>(code); }
QString GetYearFormatText(qint32 code) { return textOr<kShortLongNone>(code); }
QString GetDayOfWeekTypeText(qint32 code) { return textOr<kShortLongNone>(code); }
QString GetEraTypeText(qint32 code) { return textOr<kShortLongNone>(code); }
QString GetDayOfWeekPositionText(qint32 code) { return textOr<kDayOfWeekPositions>(code); }
QString GetDateOrderText(qint32 code) { return textOr<kDateOrders>(code); }
QString GetWindowsDateDefaultText(qint32 code) { return textOr<kWindowsDateDefaults>(code); }
QString GetHourFormatText(qint32 code) { return textOr<kTimePartFormats>(code); }
QString GetMinuteFormatText(qint32 code) { return textOr<kTimePartFormats>(code); }
QString GetSecondFormatText(qint32 code) { return textOr<kTimePartFormats>(code); }
QString GetAmPmPositionText(qint32 code) { return textOr<kAmPmPositions>(code); }
QString GetTimeBaseText(qint32 code) { return textOr<kTimeBases>(code); }

QString GetGraphTypeText(qint32 code) { return textOr<kGraphTypes>(code); }
QString GetGraphDataTypeText(qint32 code) { return textOr<kGraphDataTypes>(code); }
QString GetGraphColorText(qint32 code) { return textOr<kGraphColors>(code); }
QString GetGraphDirectionText(qint32 code) { return textOr<kGraphDirections>(code); }
QString GetBarSizeText(qint32 code) { return textOr<kBarSizes>(code); }
QString GetDivisionMethodText(qint32 code) { return textOr<kDivisionMethods>(code); }
QString GetGridlineText(qint32 code) { return textOr<kGridlines>(code); }
QString GetNumberFormatText(qint32 code) { return textOr<kNumberFormats>(code); }
QString GetDataPointText(qint32 code) { return textOr<kDataPoints>(code); }
QString GetPieLegendLayoutText(qint32 code) { return textOr<kPieLegendLayouts>(code); }
QString GetLegendPositionText(qint32 code) { return textOr<kLegendPositions>(code); }
QString GetMarkerShapeText(qint32 code) { return textOr<kMarkerShapes>(code); }
QString GetMarkerSizeText(qint32 code) { return textOr<kMarkerSizes>(code); }
QString GetPieSizeText(qint32 code) { return textOr<kPieSizes>(code); }
QString GetSliceDetachText(qint32 code) { return textOr<kSliceDetachments>(code); }
QString GetViewingAngleText(qint32 code) { return textOr<kViewingAngles>(code); }

const QStringList& GetTableFormatList() {
    static const QStringList list = [] {
        QStringList names;
        names.reserve(static_cast<qsizetype>(std::size(kTableFormats)));
        for (const char* name : kTableFormats) names.append(QString::fromLatin1(name));
        return names;
    }();
    return list;
}

}  // namespace tav::doctext
