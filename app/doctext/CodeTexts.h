#pragma once

#include <QString>
#include <QStringList>

#include "tvFont.h"

namespace tav::doctext {

// The English texts of the model's codes, the same in every output. Each lookup compares its
// code exactly with the codes it lists and gives "" for any other code unless said otherwise;
// none fails. The texts are made once, on first use, and never change after.

// Report options.
QString GetReportFormatStyleText(qint32 code);
QString GetReportKindText(qint32 code);
QString GetDateTimeConversionText(qint32 code);
QString GetFieldMappingText(qint32 code);
QString GetFormulaSyntaxText(qint32 code);

// Report objects and areas.
QString GetObjectKindText(qint32 code);
QString GetAreaKindText(qint32 code);
QString GetHyperlinkTypeText(qint32 code);

// Fields, summaries, groups and sorting.
QString GetFieldKindText(qint32 code);
QString GetValueTypeText(qint32 code);
QString GetValueTypeName(qint32 code);  // the same texts as GetValueTypeText
QString GetSpecialVarTypeText(qint32 code);
QString GetSummaryOperationText(qint32 code);
QString GetHierarchicalSummaryText(qint32 code);
QString GetRunningTotalConditionText(qint32 code);
QString GetGroupConditionText(qint32 code);      // a group area's condition
QString GetGroupConditionFullText(qint32 code);  // a cross-tab group's condition
QString GetSortDirectionText(qint32 code);       // "Unknown" for an unlisted code
QString GetGroupSortOrderText(qint32 code);

// Database tables and links; an unlisted join or lookup type gives "Undefined (<code>)".
QString GetDatabaseTypeText(qint32 code);
QString GetJoinTypeText(qint32 code);
QString GetLookupTypeText(qint32 code);

// Parameters.
QString GetParameterValueKindText(qint32 code);
QString GetPickListSortText(qint32 code);
QString GetParameterTypeText(qint32 code);

// Export options.
QString GetExportDestinationText(qint32 code);
QString GetExportFormatText(qint32 code);
QString GetExchangeDestinationTypeText(qint32 code);

// Page and printer settings.
QString GetPrinterDuplexText(qint32 code);
QString GetPaperOrientationText(qint32 code);
QString GetPaperSourceText(qint32 code);
QString GetPaperSizeText(qint32 code);  // in the Windows paper-size numbering

// Line and paragraph settings.
QString GetLineStyleText(qint32 code);  // "Undefined" for an unlisted code
QString GetLineSpacingTypeText(double code);
QString GetAlignmentText(double code);

// Colours. An OLE colour is an RGB value 0x00BBGGRR, or 0x80000000 + the index of a system
// colour, which reads as the classic Windows Standard scheme (the table in the source).
qint32 TranslateOleColor(qint32 colour);  // the RGB value, or -1 when it has none
QString GetColorText(qint32 colour);      // "None" for -1 (no colour)

// ", Name = ..., Size = ..." and the font's effects and style, for appending to a line.
QString GetFontText(const tvFont& font);

// Number, currency, Boolean, date and time output formats.
QString GetCurrencyPositionText(qint32 code);
QString GetCurrencySymbolTypeText(qint32 code);
QString GetNegativeFormatText(qint32 code);
QString GetRoundingText(qint32 code);
QString GetBooleanOutputText(qint32 code);
QString GetCalendarTypeText(qint32 code);
QString GetDayFormatText(qint32 code);
QString GetMonthFormatText(qint32 code);
QString GetYearFormatText(qint32 code);
QString GetDayOfWeekTypeText(qint32 code);
QString GetEraTypeText(qint32 code);
QString GetDayOfWeekPositionText(qint32 code);
QString GetDateOrderText(qint32 code);
QString GetWindowsDateDefaultText(qint32 code);
QString GetHourFormatText(qint32 code);
QString GetMinuteFormatText(qint32 code);
QString GetSecondFormatText(qint32 code);
QString GetAmPmPositionText(qint32 code);
QString GetTimeBaseText(qint32 code);

// Graph settings.
QString GetGraphTypeText(qint32 code);
QString GetGraphDataTypeText(qint32 code);
QString GetGraphColorText(qint32 code);
QString GetGraphDirectionText(qint32 code);
QString GetBarSizeText(qint32 code);  // no value but "" for an unlisted size
QString GetDivisionMethodText(qint32 code);
QString GetGridlineText(qint32 code);
QString GetNumberFormatText(qint32 code);
QString GetDataPointText(qint32 code);
QString GetPieLegendLayoutText(qint32 code);
QString GetLegendPositionText(qint32 code);
QString GetMarkerShapeText(qint32 code);
QString GetMarkerSizeText(qint32 code);
QString GetPieSizeText(qint32 code);
QString GetSliceDetachText(qint32 code);
QString GetViewingAngleText(qint32 code);

// The Word table AutoFormat names, "None" first: a name's 0-based position is its AutoFormat
// number.
const QStringList& GetTableFormatList();

}  // namespace tav::doctext
