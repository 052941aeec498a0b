#include "DatabaseSchema.h"

#include <algorithm>

namespace tav::database {

namespace {

// These tables are the schema's source: new files are created from them and older ones upgraded
// to them. The golden schema dump of the tests pins every line; a change here changes both.
constexpr ColumnDef kReportOwnerColumns[] = {
    {"ReportOwner_id", adInteger, 10, false, true},
    {"Name", adVarWChar, 255, false, false},
};
constexpr KeyDef kReportOwnerKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "ReportOwner_id", "", "", DeleteRule::None},
};
constexpr ColumnDef kReportsColumns[] = {
    {"Report_Id", adInteger, 10, false, true},
    {"ReportFileName", adVarWChar, 255, false, false},
    {"RevisionNumber", adInteger, 10, false, false},
    {"TopMargin", adDouble, 10, false, false},
    {"BottomMargin", adDouble, 10, false, false},
    {"LeftMargin", adDouble, 10, false, false},
    {"RightMargin", adDouble, 10, false, false},
    {"CanPerformGroupingOnServer", adBoolean, 1, false, false},
    {"CaseInsensitiveSQLData", adBoolean, 1, false, false},
    {"ConvertDateTimeType", adVarWChar, 255, false, false},
    {"ConvertNullFieldToDefault", adBoolean, 1, false, false},
    {"EnableAsyncQuery", adBoolean, 1, false, false},
    {"EnableGeneratingDataForHiddenObject", adBoolean, 1, false, false},
    {"EnableParameterPrompting", adBoolean, 1, false, false},
    {"EnablePerformQueriesAsynchronously", adBoolean, 1, false, false},
    {"EnableSelectDistinctRecords", adBoolean, 1, false, false},
    {"FieldMappingType", adVarWChar, 255, false, false},
    {"FormulaSyntax", adVarWChar, 255, false, false},
    {"GroupSelectionFormula", adLongVarWChar, 2000, false, false},
    {"HasSavedData", adBoolean, 1, false, false},
    {"KeywordsInReport", adLongVarWChar, 2000, false, false},
    {"LastGetFormulaSyntax", adVarWChar, 255, false, false},
    {"NumberOfGroups", adInteger, 3, false, false},
    {"PerformGroupingOnServer", adBoolean, 1, false, false},
    {"RecordSelectionFormula", adLongVarWChar, 2000, false, false},
    {"ReportFormatStyle", adVarWChar, 255, false, false},
    {"ReportOwner_Id", adInteger, 10, true, false},
    {"Author", adLongVarWChar, 2000, false, false},
    {"Comments", adLongVarWChar, 2000, false, false},
    {"Subject", adLongVarWChar, 2000, false, false},
    {"Template", adLongVarWChar, 2000, false, false},
    {"Title", adLongVarWChar, 2000, false, false},
    {"ReportName", adVarWChar, 255, false, false},
    {"Kind", adVarWChar, 255, false, false},
    {"SavePreviewPicture", adBoolean, 1, false, false},
    {"SQLQueryString", adLongVarWChar, 2000, false, false},
    {"UseIndexForSpeed", adBoolean, 1, false, false},
    {"VerifyOnEveryPrint", adBoolean, 1, false, false},
};
constexpr KeyDef kReportsKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_Reports_RptOwner", "ReportOwner_Id", "ReportOwner", "ReportOwner_id",
     DeleteRule::None},
    {KeyKind::Unique, "UniqueKey", "ReportFileName, RevisionNumber", "", "", DeleteRule::None},
};
constexpr ColumnDef kReport_StatisticsColumns[] = {
    {"Report_Id", adInteger, 10, false, false},
    {"Created", adDate, 10, false, false},
    {"lastPrinted", adDate, 10, false, false},
    {"lastSaved", adDate, 10, false, false},
    {"lastSavedBy", adVarWChar, 255, false, false},
    {"revisionNumber", adInteger, 5, false, false},
    {"totalEditTime", adVarWChar, 255, false, false},
};
constexpr KeyDef kReport_StatisticsKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_Stats_Reports", "Report_Id", "Reports", "Report_Id",
     DeleteRule::Cascade},
};
constexpr ColumnDef kPrinterColumns[] = {
    {"Report_Id", adInteger, 10, false, false},
    {"Driver", adVarWChar, 255, true, false},
    {"NumberOfPages", adInteger, 4, true, false},
    {"PaperOrientation", adVarWChar, 255, true, false},
    {"PaperSize", adVarWChar, 255, true, false},
    {"PaperSource", adVarWChar, 255, true, false},
    {"PortName", adVarWChar, 255, true, false},
    {"PrintDate", adDate, 5, true, false},
    {"PrinterDuplex", adVarWChar, 255, true, false},
    {"PrinterName", adVarWChar, 255, true, false},
};
constexpr KeyDef kPrinterKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_Printer_Reports", "Report_Id", "Reports", "Report_Id",
     DeleteRule::Cascade},
};
constexpr ColumnDef kReport_DatabaseColumns[] = {
    {"Report_Id", adInteger, 10, false, false},
};
constexpr KeyDef kReport_DatabaseKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_Database_Reports", "Report_Id", "Reports", "Report_Id",
     DeleteRule::Cascade},
};
constexpr ColumnDef kTablesColumns[] = {
    {"Report_Id", adInteger, 10, false, false},
    {"Table_Id", adInteger, 10, false, false},
    {"ConnectBufferString", adLongVarWChar, 2000, false, false},
    {"DatabaseType", adVarWChar, 255, false, false},
    {"DescriptiveName", adVarWChar, 255, false, false},
    {"DllName", adVarWChar, 255, false, false},
    {"Location", adVarWChar, 255, false, false},
    {"Name", adVarWChar, 255, false, false},
};
constexpr KeyDef kTablesKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, Table_Id", "", "", DeleteRule::None},
    {KeyKind::Unique, "RptID_TableName", "Report_Id, Name", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_Tables_Reports", "Report_Id", "Reports", "Report_Id",
     DeleteRule::Cascade},
};
constexpr ColumnDef kFieldsColumns[] = {
    {"Field_Id", adInteger, 10, false, false},
    {"Report_Id", adInteger, 10, false, false},
    {"Name", adVarWChar, 255, false, false},
    {"Kind", adInteger, 10, false, false},
};
constexpr KeyDef kFieldsKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Field_Id, Report_Id", "", "", DeleteRule::None},
    {KeyKind::Unique, "IDX_Report_Id_Name", "Report_Id, Name", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_Fields_Reports", "Report_Id", "Reports", "Report_Id",
     DeleteRule::Cascade},
};
constexpr ColumnDef kDatabaseFieldsColumns[] = {
    {"Field_Id", adInteger, 10, false, false},
    {"Report_Id", adInteger, 10, false, false},
    {"Table_Id", adInteger, 10, false, false},
    {"DatabaseFieldDisplayName", adVarWChar, 255, false, false},
    {"DatabaseFieldName", adVarWChar, 255, false, false},
    {"Name", adVarWChar, 255, false, false},
    {"NumberOfBytes", adInteger, 3, false, false},
    {"TableAliasName", adVarWChar, 255, false, false},
    {"ValueType", adVarWChar, 255, false, false},
};
constexpr KeyDef kDatabaseFieldsKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, Field_Id", "", "", DeleteRule::None},
    {KeyKind::Unique, "IDX_Field_Id_Table_Id", "Field_Id, Table_Id, Report_Id", "", "",
     DeleteRule::None},
    {KeyKind::Foreign, "FK_DatabaseFields_Tables", "Report_Id, Table_Id", "Tables",
     "Report_Id, Table_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kTableLinksColumns[] = {
    {"Report_Id", adInteger, 4, false, false},
    {"link_Id", adInteger, 10, false, true},
    {"SourceTable_Id", adInteger, 5, false, false},
    {"DestinationTable_Id", adInteger, 5, false, false},
    {"JoinType", adVarWChar, 255, false, false},
    {"LookupType", adVarWChar, 255, false, false},
};
constexpr KeyDef kTableLinksKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "link_Id", "", "", DeleteRule::None},
    {KeyKind::Unique, "IDX_Report_Id_link_Id", "Report_Id, link_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_Tables_Links1", "Report_Id, SourceTable_Id", "Tables",
     "Report_Id, Table_Id", DeleteRule::Cascade},
    {KeyKind::Foreign, "FK_Tables_Links2", "Report_Id, DestinationTable_Id", "Tables",
     "Report_Id, Table_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kFieldLinksColumns[] = {
    {"Link_Id", adInteger, 5, false, false},
    {"Report_Id", adInteger, 10, false, false},
    {"SourceField_Id", adInteger, 5, false, false},
    {"DestinationField_Id", adInteger, 5, false, false},
};
constexpr KeyDef kFieldLinksKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Link_Id, SourceField_Id, DestinationField_Id", "", "",
     DeleteRule::None},
    {KeyKind::Foreign, "FK_LinkFields_Links", "Link_Id", "TableLinks", "link_Id",
     DeleteRule::Cascade},
    {KeyKind::Foreign, "FK_LinkFields_DatabaseFields1", "Report_Id, SourceField_Id",
     "DatabaseFields", "Report_Id, Field_Id", DeleteRule::Cascade},
    {KeyKind::Foreign, "FK_LinkFields_DatabaseFields2", "Report_Id, DestinationField_Id",
     "DatabaseFields", "Report_Id, Field_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kParameterFieldsColumns[] = {
    {"Report_Id", adInteger, 10, false, false},
    {"Field_Id", adInteger, 10, false, false},
    {"Name", adVarWChar, 255, false, false},
    {"ParameterFieldName", adVarWChar, 255, false, false},
    {"ParameterType", adVarWChar, 255, false, false},
    {"Prompt", adVarWChar, 255, false, false},
    {"DisallowEditing", adBoolean, 1, false, false},
    {"DiscreteOrRangeKind", adVarWChar, 255, false, false},
    {"EditMask", adVarWChar, 255, false, false},
    {"EnableExclusiveGroup", adBoolean, 1, false, false},
    {"EnableMultipleValues", adBoolean, 1, false, false},
    {"EnableNullValue", adBoolean, 1, false, false},
    {"EnableRangeLimit", adBoolean, 1, false, false},
    {"EnableShowDescriptionOnly", adBoolean, 1, false, false},
    {"EnableSortBasedOnDesc", adBoolean, 1, false, false},
    {"GroupNumber", adInteger, 3, false, false},
    {"IsCurrentValueSet", adBoolean, 1, false, false},
    {"IsDefaultValueSet", adBoolean, 1, false, false},
    {"Kind", adVarWChar, 255, false, false},
    {"MaximumValue", adVarWChar, 255, false, false},
    {"MinimumValue", adVarWChar, 255, false, false},
    {"NeedsCurrentValue", adBoolean, 1, false, false},
    {"NumberOfBytes", adInteger, 3, false, false},
    {"NumberOfCurrentRanges", adInteger, 3, false, false},
    {"NumberOfCurrentValues", adInteger, 3, false, false},
    {"NumberOfDefaultValues", adInteger, 3, false, false},
    {"PicklistSortMethod", adVarWChar, 255, false, false},
    {"PlaceInGroup", adBoolean, 1, false, false},
    {"ReportName", adVarWChar, 255, false, false},
    {"ValueType", adVarWChar, 255, false, false},
};
constexpr KeyDef kParameterFieldsKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, Field_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_ParemeterFields_Fields1", "Field_Id, Report_Id", "Fields",
     "Field_Id, Report_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kExport_OptionsColumns[] = {
    {"Report_Id", adInteger, 10, false, false},
    {"ApplicationFileName", adVarWChar, 255, false, false},
    {"CharFieldDelimeter", adVarWChar, 255, false, false},
    {"CharStringDelimeter", adVarWChar, 255, false, false},
    {"DestinationDllName", adVarWChar, 255, false, false},
    {"DestinationType", adVarWChar, 255, false, false},
    {"DiskFileName", adVarWChar, 255, false, false},
    {"ExcelAreaGroupNumber", adInteger, 3, false, false},
    {"ExcelAreaKind", adVarWChar, 255, false, false},
    {"ExcelConstantColumnWidth", adInteger, 3, false, false},
    {"ExcelConvertDateToString", adBoolean, 1, false, false},
    {"ExcelExportAllPages", adBoolean, 1, false, false},
    {"ExcelFirstPageNumber", adInteger, 3, false, false},
    {"ExcelLastPageNumber", adInteger, 3, false, false},
    {"ExcelPageBreaks", adBoolean, 1, false, false},
    {"ExcelTabHasColumnHeadings", adBoolean, 1, false, false},
    {"ExcelUseConstantColumnWidth", adBoolean, 1, false, false},
    {"ExcelUseTabularFormat", adBoolean, 1, false, false},
    {"ExcelUseWorksheetFunctions", adBoolean, 1, false, false},
    {"ExchangeDestinationType", adVarWChar, 255, false, false},
    {"ExchangeFolderPath", adVarWChar, 255, false, false},
    {"ExchangePassword", adVarWChar, 255, false, false},
    {"ExchangePathHasColumnHeadings", adBoolean, 1, false, false},
    {"ExchangeProfile", adVarWChar, 255, false, false},
    {"FormatDllName", adVarWChar, 255, false, false},
    {"FormatType", adVarWChar, 255, false, false},
    {"HTMLEnableSeparatePages", adBoolean, 1, false, false},
    {"HTMLFileName", adVarWChar, 255, false, false},
    {"HTMLHasPageNavigator", adBoolean, 1, false, false},
    {"LotusDominoComments", adVarWChar, 255, false, false},
    {"LotusDominoDatabaseName", adVarWChar, 255, false, false},
    {"LotusNotesFormName", adVarWChar, 255, false, false},
    {"MailBccList", adVarWChar, 255, false, false},
    {"MailCcList", adVarWChar, 255, false, false},
    {"MailMessage", adVarWChar, 255, false, false},
    {"MailSubject", adVarWChar, 255, false, false},
    {"MailToList", adVarWChar, 255, false, false},
    {"MailUserName", adVarWChar, 255, false, false},
    {"NumberOfLinesPerPage", adInteger, 10, false, false},
    {"ODBCDataSourceName", adVarWChar, 255, false, false},
    {"ODBCDataSourcePassword", adVarWChar, 255, false, false},
    {"ODBCDataSourceUserID", adVarWChar, 255, false, false},
    {"ODBCExportTableName", adVarWChar, 255, false, false},
    {"PDFExportAllPages", adBoolean, 1, false, false},
    {"PDFFirstPageNumber", adInteger, 10, false, false},
    {"PDFLastPageNumber", adInteger, 10, false, false},
    {"RTFExportAllPages", adBoolean, 1, false, false},
    {"RTFFirstPageNumber", adInteger, 10, false, false},
    {"RTFLastPageNumber", adInteger, 10, false, false},
    {"UseDefaultCharactersPerInch", adBoolean, 1, false, false},
    {"UserDefinedCharactersPerInch", adInteger, 10, false, false},
    {"UseReportDateFormat", adBoolean, 1, false, false},
    {"UseReportNumberFormat", adBoolean, 1, false, false},
    {"WORDWExportAllPages", adBoolean, 1, false, false},
    {"WORDWFirstPageNumber", adInteger, 10, false, false},
    {"WORDWLastPageNumber", adInteger, 10, false, false},
    {"XMLAllowMultipleFiles", adBoolean, 1, false, false},
    {"XMLFileName", adVarWChar, 255, false, false},
};
constexpr KeyDef kExport_OptionsKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_ExportOptions_Reports", "Report_Id", "Reports", "Report_Id",
     DeleteRule::Cascade},
};
constexpr ColumnDef kFormulaFieldsColumns[] = {
    {"Field_Id", adInteger, 10, false, false},
    {"Report_Id", adInteger, 10, false, false},
    {"Name", adVarWChar, 255, false, false},
    {"FieldName", adVarWChar, 255, false, false},
    {"Kind", adVarWChar, 255, false, false},
    {"NumberOfBytes", adInteger, 3, false, false},
    {"ValueType", adVarWChar, 255, false, false},
    {"FormulaText", adLongVarWChar, 2000, false, false},
};
constexpr KeyDef kFormulaFieldsKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Field_Id, Report_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_FormulaFields_Fields", "Field_Id, Report_Id", "Fields",
     "Field_Id, Report_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kGroupNameFieldsColumns[] = {
    {"Field_Id", adInteger, 10, false, false},
    {"Report_Id", adInteger, 10, false, false},
    {"Name", adVarWChar, 255, false, false},
    {"GroupNameConditionFormula", adVarWChar, 255, false, false},
    {"GroupNameFieldName", adVarWChar, 255, false, false},
    {"GroupNumber", adInteger, 3, false, false},
    {"NumberOfBytes", adInteger, 3, false, false},
    {"ValueType", adVarWChar, 255, false, false},
};
constexpr KeyDef kGroupNameFieldsKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Field_Id, Report_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_GroupNameFields_Reports", "Report_Id", "Reports", "Report_Id",
     DeleteRule::Cascade},
    {KeyKind::Foreign, "FK_GroupNameFields_Fields", "Field_Id, Report_Id", "Fields",
     "Field_Id, Report_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kSortFieldsColumns[] = {
    {"SortField_Id", adInteger, 10, false, true},
    {"Report_Id", adInteger, 10, false, false},
    // Null for a sort on a field without a definition.
    {"Field_Id", adInteger, 10, true, false},
    {"SortDirection", adVarWChar, 255, false, false},
};
constexpr KeyDef kSortFieldsKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "SortField_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_SortFields_Fields", "Field_Id, Report_Id", "Fields",
     "Field_Id, Report_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kGroupSortFieldsColumns[] = {
    {"Report_Id", adInteger, 10, false, false},
    {"SortField_Id", adInteger, 10, false, false},
};
constexpr KeyDef kGroupSortFieldsKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, SortField_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_GroupSortFields_Reports", "Report_Id", "Reports", "Report_Id",
     DeleteRule::Cascade},
    {KeyKind::Foreign, "FK_GroupSortFields_SortFields", "SortField_Id", "SortFields",
     "SortField_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kRecordSortFieldsColumns[] = {
    {"Report_Id", adInteger, 10, false, false},
    {"SortField_Id", adInteger, 10, false, false},
};
constexpr KeyDef kRecordSortFieldsKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, SortField_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_RecordSortFields_Reports", "Report_Id", "Reports", "Report_Id",
     DeleteRule::Cascade},
    {KeyKind::Foreign, "FK_RecordSortFields_SortFields", "SortField_Id", "SortFields",
     "SortField_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kSQLExpressionFieldsColumns[] = {
    {"Field_Id", adInteger, 10, false, false},
    {"Report_Id", adInteger, 10, false, false},
    {"Name", adVarWChar, 255, false, false},
    {"SQLExpressionFieldName", adVarWChar, 255, false, false},
    {"ExpressionText", adVarWChar, 255, false, false},
    {"NumberOfBytes", adInteger, 3, false, false},
    {"ValueType", adVarWChar, 255, false, false},
    {"Kind", adVarWChar, 255, false, false},
};
constexpr KeyDef kSQLExpressionFieldsKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Field_Id, Report_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_SQLExpressionFields_Fields", "Field_Id, Report_Id", "Fields",
     "Field_Id, Report_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kSummaryFieldsColumns[] = {
    {"Field_Id", adInteger, 10, false, false},
    {"Report_Id", adInteger, 10, false, false},
    {"Name", adVarWChar, 255, false, false},
    // Null for a summary of a field without a definition.
    {"SummarizedField_Id", adInteger, 10, true, false},
    {"SecondarySummarizedField_Id", adInteger, 10, true, false},
    {"HeirarchicalSummaryType", adVarWChar, 255, false, false},
    {"NumberOfBytes", adInteger, 3, false, false},
    {"ValueType", adVarWChar, 255, false, false},
    {"SummaryType", adVarWChar, 255, false, false},
    {"SummaryOperationParameter", adInteger, 10, false, false},
    {"Kind", adVarWChar, 255, false, false},
    {"ForCrossTab", adBoolean, 1, false, false},
    {"HeaderAreaId", adInteger, 10, true, false},
    {"FooterAreaId", adInteger, 10, true, false},
};
constexpr KeyDef kSummaryFieldsKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Field_Id, Report_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_SummaryFields_Fields1", "Field_Id, Report_Id", "Fields",
     "Field_Id, Report_Id", DeleteRule::Cascade},
    {KeyKind::Foreign, "FK_SummaryFields_Fields2", "SummarizedField_Id, Report_Id", "Fields",
     "Field_Id, Report_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kRunningTotalFieldsColumns[] = {
    {"Field_Id", adInteger, 10, false, false},
    {"Report_Id", adInteger, 10, false, false},
    {"Name", adVarWChar, 255, false, false},
    {"RunningTotalFieldName", adVarWChar, 255, false, false},
    {"SecondarySummarizedField_Id", adInteger, 10, true, false},
    {"SummarizedField_Id", adInteger, 10, true, false},
    {"EvaluateCondition", adVarWChar, 255, false, false},
    {"EvaluateConditionField_Id", adInteger, 10, true, false},
    {"EvaluateConditionFormula", adLongVarWChar, 2000, false, false},
    {"EvaluateGroupNumber", adInteger, 10, false, false},
    {"HierarchicalSummaryType", adVarWChar, 255, false, false},
    {"NumberOfBytes", adInteger, 10, false, false},
    {"ResetCondition", adVarWChar, 255, false, false},
    {"ResetConditionField_Id", adInteger, 10, true, false},
    {"ResetConditionFormula", adLongVarWChar, 2000, false, false},
    {"ResetGroupNumber", adInteger, 10, false, false},
    {"Kind", adVarWChar, 255, false, false},
    {"ValueType", adVarWChar, 255, false, false},
    {"SummaryType", adVarWChar, 255, false, false},
    {"SummaryOperationParameter", adInteger, 10, false, false},
};
constexpr KeyDef kRunningTotalFieldsKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Field_Id, Report_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_RunningTotalFields_Fields1", "Field_Id, Report_Id", "Fields",
     "Field_Id, Report_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kSpecialVarFieldsColumns[] = {
    {"Field_Id", adInteger, 10, false, false},    {"Report_Id", adInteger, 10, false, false},
    {"Name", adLongVarWChar, 2000, false, false}, {"SpecialVarType", adVarWChar, 255, false, false},
    {"ValueType", adVarWChar, 255, false, false}, {"NumberOfBytes", adInteger, 10, false, false},
    {"Kind", adVarWChar, 255, false, false},
};
constexpr KeyDef kSpecialVarFieldsKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Field_Id, Report_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_SpecialVarFields_Fields", "Field_Id, Report_Id", "Fields",
     "Field_Id, Report_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kAreasColumns[] = {
    {"Report_Id", adInteger, 10, false, false},
    {"Area_Id", adInteger, 10, false, false},
    {"Name", adVarWChar, 255, false, false},
    {"Kind", adVarWChar, 255, false, false},
    {"CopiesToPrint", adInteger, 10, false, false},
    {"DetailHeight", adInteger, 10, false, false},
    {"DetailWidth", adInteger, 10, false, false},
    {"DiscardOtherGroups", adBoolean, 1, false, false},
    {"EnableHierarchicalGroupSorting", adBoolean, 1, false, false},
    {"GroupCondition", adVarWChar, 255, false, false},
    {"GroupConditionField_Id", adInteger, 10, true, false},
    {"GroupIndent", adInteger, 3, false, false},
    {"GroupNumber", adInteger, 3, false, false},
    {"HideForDrillDown", adBoolean, 1, false, false},
    {"HorizontalGap", adInteger, 10, false, false},
    {"KeepGroupTogether", adBoolean, 1, false, false},
    {"KeepTogether", adBoolean, 1, false, false},
    {"NewPageAfter", adBoolean, 1, false, false},
    {"NewPageBefore", adBoolean, 1, false, false},
    {"NumberOfTopOrBottomNGroups", adInteger, 3, false, false},
    {"PrintAtBottomOfPage", adBoolean, 1, false, false},
    {"RepeatGroupHeader", adBoolean, 1, false, false},
    {"ResetPageNumberAfter", adBoolean, 1, false, false},
    {"SortDirection", adVarWChar, 255, false, false},
    {"Suppress", adBoolean, 1, false, false},
    {"TopOrBottomNGroupSortOrder", adVarWChar, 255, false, false},
    {"TopOrBottomNSortField_ID", adInteger, 10, true, false},
};
constexpr KeyDef kAreasKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, Area_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_Areas_Reports", "Report_Id", "Reports", "Report_Id",
     DeleteRule::Cascade},
};
constexpr ColumnDef kSectionsColumns[] = {
    {"Report_Id", adInteger, 10, false, false},
    {"Area_Id", adInteger, 10, false, false},
    {"Section_Id", adInteger, 10, false, false},
    {"Name", adVarWChar, 255, false, false},
    {"SectionFriendlyName", adVarWChar, 255, false, false},
    {"SectionNumber", adInteger, 10, false, false},
    {"BackColor", adVarWChar, 255, false, false},
    {"CssClass", adVarWChar, 255, false, false},
    {"Height", adInteger, 10, false, false},
    {"Width", adInteger, 10, false, false},
    {"MinimumHeight", adInteger, 10, false, false},
    {"KeepTogether", adBoolean, 1, false, false},
    {"NewPageAfter", adBoolean, 1, false, false},
    {"NewPageBefore", adBoolean, 1, false, false},
    {"PrintAtBottom", adBoolean, 1, false, false},
    {"ResetPageNumAfter", adBoolean, 1, false, false},
    {"Suppress", adBoolean, 1, false, false},
    {"SuppressIfBlank", adBoolean, 1, false, false},
    {"UnderlaySection", adBoolean, 1, false, false},
};
constexpr KeyDef kSectionsKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, Area_Id, Section_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_Sections_Areas", "Report_Id, Area_Id", "Areas", "Report_Id, Area_Id",
     DeleteRule::Cascade},
};
constexpr ColumnDef kConditionalFormulasColumns[] = {
    {"Report_Id", adInteger, 10, false, false},
    {"ConditionalFormula_Id", adInteger, 10, false, false},
    {"Area_Id", adInteger, 10, true, false},
    {"Section_Id", adInteger, 10, true, false},
    {"ReportObject_Id", adInteger, 10, true, false},
    {"Name", adVarWChar, 255, false, false},
    {"FormulaText", adLongVarWChar, 2000, false, false},
};
constexpr KeyDef kConditionalFormulasKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, ConditionalFormula_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_ConditionalFormulas_Reports", "Report_Id", "Reports", "Report_Id",
     DeleteRule::Cascade},
};
constexpr ColumnDef kReportObjectsColumns[] = {
    {"Report_Id", adInteger, 10, false, false},  {"Area_Id", adInteger, 10, false, false},
    {"Section_Id", adInteger, 10, false, false}, {"ReportObject_Id", adInteger, 10, false, false},
    {"Kind", adVarWChar, 255, false, false},     {"Name", adLongVarWChar, 2000, false, false},
};
constexpr KeyDef kReportObjectsKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, ReportObject_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_ReportObjects_Sections", "Report_Id, Area_Id, Section_Id", "Sections",
     "Report_Id, Area_Id, Section_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kTextObjectsColumns[] = {
    {"Report_Id", adInteger, 10, false, false},
    {"ReportObject_Id", adInteger, 10, false, false},
    {"Kind", adVarWChar, 255, false, false},
    {"Name", adLongVarWChar, 2000, false, false},
    {"ObjectText", adLongVarWChar, 2000, false, false},
};
constexpr KeyDef kTextObjectsKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, ReportObject_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_TextObjects_ReportObjects", "Report_Id, ReportObject_Id",
     "ReportObjects", "Report_Id, ReportObject_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kLineObjectsColumns[] = {
    {"Report_Id", adInteger, 10, false, false},
    {"ReportObject_Id", adInteger, 10, false, false},
    {"Name", adVarWChar, 255, false, false},
    {"CssClass", adVarWChar, 255, false, false},
    {"EndSection_ID", adInteger, 10, false, false},
    {"ExtendToBottomOfSection", adBoolean, 1, false, false},
    {"Kind", adVarWChar, 255, false, false},
    {"LineColor", adVarWChar, 255, false, false},
    {"LineStyle", adVarWChar, 255, false, false},
    {"LineThickness", adInteger, 10, false, false},
    {"Suppress", adBoolean, 1, false, false},
};
constexpr KeyDef kLineObjectsKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, ReportObject_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_LineObject_ReportObjects", "Report_Id, ReportObject_Id", "ReportObjects",
     "Report_Id, ReportObject_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kFieldObjectsColumns[] = {
    {"Report_Id", adInteger, 10, false, false},
    {"ReportObject_Id", adInteger, 10, false, false},
    // Null for an object whose field has no definition.
    {"Field_Id", adInteger, 10, true, false},
    {"Name", adVarWChar, 255, false, false},
    {"Kind", adVarWChar, 255, false, false},
    {"SuppressIfZero", adBoolean, 11, false, false},
};
constexpr KeyDef kFieldObjectsKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, ReportObject_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_FieldObjects_Fields", "Field_Id, Report_Id", "Fields",
     "Field_Id, Report_Id", DeleteRule::Cascade},
    {KeyKind::Foreign, "FK_FieldObjects_ReportObjects", "Report_Id, ReportObject_Id",
     "ReportObjects", "Report_Id, ReportObject_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kObjectPositionColumns[] = {
    {"Report_Id", adInteger, 10, false, false}, {"ReportObject_Id", adInteger, 10, false, false},
    {"ObjectTop", adDouble, 10, false, false},  {"ObjectLeft", adDouble, 10, false, false},
    {"Height", adDouble, 10, false, false},     {"Width", adDouble, 10, false, false},
};
constexpr KeyDef kObjectPositionKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, ReportObject_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_ObjectPosition_ReportObjects", "Report_Id, ReportObject_Id",
     "ReportObjects", "Report_Id, ReportObject_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kBorderFormattingColumns[] = {
    {"Report_Id", adInteger, 10, false, false},
    {"ReportObject_Id", adInteger, 10, false, false},
    {"BackgroundColor", adVarWChar, 255, false, false},
    {"BorderColor", adVarWChar, 255, false, false},
    {"BottomStyle", adVarWChar, 255, false, false},
    {"DropShadow", adBoolean, 1, false, false},
    {"LeftStyle", adVarWChar, 255, false, false},
    {"RightStyle", adVarWChar, 255, false, false},
    {"TightHorizontal", adBoolean, 1, false, false},
    {"TopStyle", adVarWChar, 255, false, false},
    {"UseBGColor", adBoolean, 1, false, false},
};
constexpr KeyDef kBorderFormattingKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, ReportObject_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_BorderFormatting_ReportObjects", "Report_Id, ReportObject_Id",
     "ReportObjects", "Report_Id, ReportObject_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kCommonFormattingColumns[] = {
    {"Report_Id", adInteger, 10, false, false},
    {"ReportObject_Id", adInteger, 10, false, false},
    {"CanGrow", adBoolean, 1, false, false},
    {"CloseBorderonPageBreak", adBoolean, 1, false, false},
    {"CssClass", adVarWChar, 255, false, false},
    {"HorizontalAlignment", adInteger, 10, false, false},
    {"KeepTogether", adBoolean, 1, false, false},
    {"MaxLines", adInteger, 10, false, false},
    {"Suppress", adBoolean, 1, false, false},
    {"SuppressEmbedded", adBoolean, 1, false, false},
    {"SuppressIfDuplicated", adBoolean, 1, false, false},
    {"TextRotationAngle", adInteger, 10, false, false},
    {"ToolTip", adLongVarWChar, 1000, false, false},
};
constexpr KeyDef kCommonFormattingKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, ReportObject_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_CommonFormatting_ReportObjects", "Report_Id, ReportObject_Id",
     "ReportObjects", "Report_Id, ReportObject_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kParagraphFormattingColumns[] = {
    {"Report_Id", adInteger, 10, false, false},
    {"ReportObject_Id", adInteger, 10, false, false},
    {"FirstLineIndent", adInteger, 10, false, false},
    {"LeftIndent", adInteger, 10, false, false},
    {"LineSpacing", adDouble, 10, false, false},
    {"LineSpacingType", adVarWChar, 255, false, false},
    {"RightIndent", adInteger, 10, false, false},
    {"TextFormat", adInteger, 10, false, false},
};
constexpr KeyDef kParagraphFormattingKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, ReportObject_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_ParagraphFormatting_ReportObjects", "Report_Id, ReportObject_Id",
     "ReportObjects", "Report_Id, ReportObject_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kFontColumns[] = {
    {"Report_Id", adInteger, 10, false, false}, {"Font_Id", adInteger, 10, false, false},
    {"Bold", adBoolean, 1, false, false},       {"Charset", adInteger, 10, false, false},
    {"Italic", adBoolean, 1, false, false},     {"FontName", adVarWChar, 255, false, false},
    {"FontSize", adDouble, 10, false, false},   {"Strikethrough", adBoolean, 1, false, false},
    {"Underline", adBoolean, 1, false, false},  {"Weight", adInteger, 10, false, false},
};
constexpr KeyDef kFontKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, Font_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_Font_Reports", "Report_Id", "Reports", "Report_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kFontFormattingColumns[] = {
    {"Report_Id", adInteger, 10, false, false}, {"ReportObject_Id", adInteger, 10, false, false},
    {"Font_Id", adInteger, 10, false, false},   {"CharacterSpacing", adInteger, 10, false, false},
    {"Color", adVarWChar, 255, false, false},
};
constexpr KeyDef kFontFormattingKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, ReportObject_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_FontFormatting_ReportObjects", "Report_Id, ReportObject_Id",
     "ReportObjects", "Report_Id, ReportObject_Id", DeleteRule::Cascade},
    {KeyKind::Foreign, "FK_FontFormatting_Font", "Report_Id, Font_Id", "Font", "Report_Id, Font_Id",
     DeleteRule::Cascade},
};
constexpr ColumnDef kHyperlinkFormattingColumns[] = {
    {"Report_Id", adInteger, 10, false, false},
    {"ReportObject_Id", adInteger, 10, false, false},
    {"HyperlinkType", adVarWChar, 255, false, false},
    {"HyperlinkText", adVarWChar, 255, false, false},
};
constexpr KeyDef kHyperlinkFormattingKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, ReportObject_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_HyperlinkFormatting_ReportObjects", "Report_Id, ReportObject_Id",
     "ReportObjects", "Report_Id, ReportObject_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kFieldElementsMappingColumns[] = {
    {"Report_Id", adInteger, 10, false, false},
    {"ReportObject_Id", adInteger, 10, false, false},
    {"FieldElement_Id", adInteger, 10, false, false},
    {"FieldElementSeq", adInteger, 10, false, false},
};
constexpr KeyDef kFieldElementsMappingKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, ReportObject_Id, FieldElement_Id", "", "",
     DeleteRule::None},
    {KeyKind::Foreign, "FK_FieldElementsMapping_ReportObjects", "Report_Id, ReportObject_Id",
     "ReportObjects", "Report_Id, ReportObject_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kBoxObjectsColumns[] = {
    {"Report_Id", adInteger, 10, false, false},
    {"ReportObject_Id", adInteger, 10, false, false},
    {"CloseAtPageBreak", adBoolean, 1, false, false},
    {"CornerEllipseHeight", adInteger, 10, false, false},
    {"CornerEllipseWidth", adInteger, 10, false, false},
    {"CssClass", adVarWChar, 255, false, false},
    {"ExtendToBottomOfSection", adBoolean, 1, false, false},
    {"FillColor", adVarWChar, 255, false, false},
    {"HasDropShadow", adBoolean, 1, false, false},
    {"LineColor", adVarWChar, 255, false, false},
    {"LineStyle", adVarWChar, 255, false, false},
    {"LineThickness", adInteger, 10, false, false},
    {"Name", adVarWChar, 255, false, false},
    {"Kind", adVarWChar, 255, false, false},
    {"Suppress", adBoolean, 1, false, false},
};
constexpr KeyDef kBoxObjectsKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, ReportObject_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_BoxObject_ReportObjects", "Report_Id, ReportObject_Id", "ReportObjects",
     "Report_Id, ReportObject_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kBlobObjectsColumns[] = {
    {"Report_Id", adInteger, 10, false, false},
    {"ReportObject_Id", adInteger, 10, false, false},
    {"Name", adVarWChar, 255, false, false},
    {"BottomCropping", adInteger, 10, false, false},
    {"LeftCropping", adInteger, 10, false, false},
    {"TopCropping", adInteger, 10, false, false},
    {"RightCropping", adInteger, 10, false, false},
    {"XScaling", adInteger, 10, false, false},
    {"YScaling", adInteger, 10, false, false},
    {"Kind", adVarWChar, 255, false, false},
    // Null for an object whose field has no definition.
    {"DatabaseField_Id", adInteger, 10, true, false},
};
constexpr KeyDef kBlobObjectsKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, ReportObject_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_BlobObjects_DatabaseFields", "Report_Id, DatabaseField_Id",
     "DatabaseFields", "Report_Id, Field_Id", DeleteRule::Cascade},
    {KeyKind::Foreign, "FK_BlobObjects_ReportObjects", "Report_Id, ReportObject_Id",
     "ReportObjects", "Report_Id, ReportObject_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kBooleanFormattingColumns[] = {
    {"Report_Id", adInteger, 10, false, false},
    {"ReportObject_Id", adInteger, 10, false, false},
    {"BooleanOutputType", adVarWChar, 255, false, false},
};
constexpr KeyDef kBooleanFormattingKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, ReportObject_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_BooleanFormatting_ReportObjects", "Report_Id, ReportObject_Id",
     "ReportObjects", "Report_Id, ReportObject_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kCurrencyFormattingColumns[] = {
    {"Report_Id", adInteger, 10, false, false},
    {"ReportObject_Id", adInteger, 10, false, false},
    {"PositionType", adVarWChar, 255, false, false},
    {"Symbol", adVarWChar, 255, false, false},
    {"SymbolType", adVarWChar, 255, false, false},
    {"UseOneSymbolPerPage", adBoolean, 1, false, false},
};
constexpr KeyDef kCurrencyFormattingKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, ReportObject_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_CurrencyFormatting_ReportObjects", "Report_Id, ReportObject_Id",
     "ReportObjects", "Report_Id, ReportObject_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kDateFormattingColumns[] = {
    {"Report_Id", adInteger, 10, false, false},
    {"ReportObject_Id", adInteger, 10, false, false},
    {"CalendarType", adVarWChar, 255, false, false},
    {"DayType", adVarWChar, 255, false, false},
    {"EraType", adVarWChar, 255, false, false},
    {"FirstSeparator", adVarWChar, 255, false, false},
    {"LeadingDayPosition", adVarWChar, 255, false, false},
    {"LeadingDaySeparator", adVarWChar, 255, false, false},
    {"LeadingDayType", adVarWChar, 255, false, false},
    {"MonthType", adVarWChar, 255, false, false},
    {"DateOrder", adVarWChar, 255, false, false},
    {"PrefixSeparator", adVarWChar, 255, false, false},
    {"SecondSeparator", adVarWChar, 255, false, false},
    {"SuffixSeparator", adVarWChar, 255, false, false},
    {"YearType", adVarWChar, 255, false, false},
};
constexpr KeyDef kDateFormattingKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, ReportObject_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_DateFormatting_ReportObjects", "Report_Id, ReportObject_Id",
     "ReportObjects", "Report_Id, ReportObject_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kDateTimeFormattingColumns[] = {
    {"Report_Id", adInteger, 10, false, false},
    {"ReportObject_Id", adInteger, 10, false, false},
    {"DateWindowsDefaultType", adVarWChar, 255, false, false},
};
constexpr KeyDef kDateTimeFormattingKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, ReportObject_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_DateTimeFormatting_ReportObjects", "Report_Id, ReportObject_Id",
     "ReportObjects", "Report_Id, ReportObject_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kNumberFormattingColumns[] = {
    {"Report_Id", adInteger, 10, false, false},
    {"ReportObject_Id", adInteger, 10, false, false},
    {"DecimalPlaces", adInteger, 10, false, false},
    {"DecimalSymbol", adVarWChar, 255, false, false},
    {"DisplayReverseSign", adVarWChar, 255, false, false},
    {"NegativeType", adVarWChar, 255, false, false},
    {"RoundingType", adVarWChar, 255, false, false},
    {"ThousandsSeparators", adBoolean, 1, false, false},
    {"ThousandSymbol", adVarWChar, 255, false, false},
    {"ZeroValueString", adVarWChar, 255, false, false},
};
constexpr KeyDef kNumberFormattingKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, ReportObject_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_NumberFormatting_ReportObjects", "Report_Id, ReportObject_Id",
     "ReportObjects", "Report_Id, ReportObject_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kTimeFormattingColumns[] = {
    {"Report_Id", adInteger, 10, false, false},
    {"ReportObject_Id", adInteger, 10, false, false},
    {"AmPmPosition", adVarWChar, 255, false, false},
    {"AmString", adVarWChar, 255, false, false},
    {"HourMinuteSeparator", adVarWChar, 255, false, false},
    {"HourType", adVarWChar, 255, false, false},
    {"MinuteSecondSeparator", adVarWChar, 255, false, false},
    {"MinuteType", adVarWChar, 255, false, false},
    {"PmString", adVarWChar, 255, false, false},
    {"SecondType", adVarWChar, 255, false, false},
    {"TimeBase", adVarWChar, 255, false, false},
    {"UseLeadingZero", adBoolean, 1, false, false},
    {"UseSystemDefaults", adBoolean, 1, false, false},
};
constexpr KeyDef kTimeFormattingKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, ReportObject_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_TimeFormatting_ReportObjects", "Report_Id, ReportObject_Id",
     "ReportObjects", "Report_Id, ReportObject_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kCrossTabObjectsColumns[] = {
    {"Report_Id", adInteger, 10, false, false},
    {"ReportObject_Id", adInteger, 10, false, false},
    {"Name", adVarWChar, 255, false, false},
    {"ColumnGrandTotalColor", adVarWChar, 255, false, false},
    {"EnableKeepColumnsTogether", adBoolean, 1, false, false},
    {"EnableRepeatRowLabels", adBoolean, 1, false, false},
    {"EnableShowCellMargins", adBoolean, 1, false, false},
    {"EnableShowGrid", adBoolean, 1, false, false},
    {"EnableSuppressColumnGrandTotals", adBoolean, 1, false, false},
    {"enableSuppressEmptyCols", adBoolean, 1, false, false},
    {"EnableSuppressEmptyRows", adBoolean, 1, false, false},
    {"EnableSuppressRowGrandTotals", adBoolean, 1, false, false},
    {"Kind", adVarWChar, 255, false, false},
    {"RowGrandTotalColor", adVarWChar, 255, false, false},
};
constexpr KeyDef kCrossTabObjectsKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, ReportObject_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_CrossTabObject_ReportObjects", "Report_Id, ReportObject_Id",
     "ReportObjects", "Report_Id, ReportObject_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kCrossTabGroupsColumns[] = {
    {"Report_Id", adInteger, 10, false, false},
    {"ReportObject_Id", adInteger, 10, false, false},
    {"Type", adVarWChar, 255, false, false},
    {"Group_Id", adInteger, 10, false, false},
    // Null for a group whose field has no definition.
    {"Field_Id", adInteger, 10, true, false},
    {"BackgroundColor", adVarWChar, 255, false, false},
    {"Condition", adVarWChar, 255, false, false},
    {"EnableSuppressLabel", adBoolean, 1, false, false},
    {"EnableSuppressSubtotal", adBoolean, 1, false, false},
    {"Kind", adVarWChar, 255, false, false},
    {"SortDirection", adVarWChar, 255, false, false},
};
constexpr KeyDef kCrossTabGroupsKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, ReportObject_Id, Type, Group_Id", "", "",
     DeleteRule::None},
    {KeyKind::Foreign, "FK_CrossTabGroup_CrossTabObjects", "Report_Id, ReportObject_Id",
     "CrossTabObjects", "Report_Id, ReportObject_Id", DeleteRule::Cascade},
    {KeyKind::Foreign, "FK_CrossTabGroup_Fields", "Field_Id, Report_Id", "Fields",
     "Field_Id, Report_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kOleObjectsColumns[] = {
    {"Report_Id", adInteger, 10, false, false}, {"ReportObject_Id", adInteger, 10, false, false},
    {"Name", adVarWChar, 255, false, false},    {"OleSource", adVarWChar, 255, false, false},
    {"Kind", adVarWChar, 255, false, false},
};
constexpr KeyDef kOleObjectsKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, ReportObject_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_OleObject_ReportObjects", "Report_Id, ReportObject_Id", "ReportObjects",
     "Report_Id, ReportObject_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kPictureFormattingColumns[] = {
    {"Report_Id", adInteger, 10, false, false},
    {"ReportObject_Id", adInteger, 10, false, false},
    {"BottomCropping", adInteger, 10, false, false},
    {"TopCropping", adInteger, 10, false, false},
    {"LeftCropping", adInteger, 10, false, false},
    {"RightCropping", adInteger, 10, false, false},
    {"ScaledHeight", adInteger, 10, false, false},
    {"ScaledWidth", adInteger, 10, false, false},
    {"XScaling", adInteger, 10, false, false},
    {"YScaling", adInteger, 10, false, false},
};
constexpr KeyDef kPictureFormattingKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, ReportObject_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_PictureFormatting_ReportObjects", "Report_Id, ReportObject_Id",
     "ReportObjects", "Report_Id, ReportObject_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kOlapGridObjectsColumns[] = {
    {"Report_Id", adInteger, 10, false, false},
    {"ReportObject_Id", adInteger, 10, false, false},
    {"Name", adVarWChar, 255, false, false},
    {"Kind", adVarWChar, 255, false, false},
};
constexpr KeyDef kOlapGridObjectsKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, ReportObject_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_OlapGridObjects_ReportObjects", "Report_Id, ReportObject_Id",
     "ReportObjects", "Report_Id, ReportObject_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kGraphObjectsColumns[] = {
    {"Report_Id", adInteger, 10, false, false},
    {"ReportObject_Id", adInteger, 10, false, false},
    {"Name", adVarWChar, 255, false, false},
    {"AutoRangeData2Axis", adBoolean, 10, false, false},
    {"AutoRangeDataAxis", adBoolean, 10, false, false},
    {"AutoRangeSeriesAxis", adBoolean, 10, false, false},
    {"BarSize", adVarWChar, 255, false, false},
    {"CrossTabObject_Id", adInteger, 10, false, false},
    {"Data2AxisDivisionMethod", adVarWChar, 255, false, false},
    {"Data2AxisDivisionNumber", adInteger, 10, false, false},
    {"Data2AxisGridline", adVarWChar, 255, false, false},
    {"Data2AxisNumberFormat", adVarWChar, 255, false, false},
    {"Data2LabelFont_Id", adInteger, 10, false, false},
    {"Data2Title", adLongVarWChar, 2000, false, false},
    {"Data2TitleFont_Id", adInteger, 10, false, false},
    {"DataAxisDivisionMethod", adVarWChar, 255, false, false},
    {"DataAxisDivisionNumber", adInteger, 10, false, false},
    {"DataAxisGridline", adVarWChar, 255, false, false},
    {"DataAxisNumberFormat", adVarWChar, 255, false, false},
    {"DataLabelFont_Id", adInteger, 10, false, false},
    {"DataPoint", adVarWChar, 255, false, false},
    {"DataTitle", adLongVarWChar, 2000, false, false},
    {"DataTitleFont_Id", adInteger, 10, false, false},
    {"DataType", adVarWChar, 255, false, false},
    {"DataValueNumberFormat", adVarWChar, 255, false, false},
    {"EnableAutoScaleData2Axis", adBoolean, 1, false, false},
    {"EnableAutoScaleDataAxis", adBoolean, 1, false, false},
    {"EnableAutoScaleSeriesAxis", adBoolean, 1, false, false},
    {"EnableForEachRecord", adBoolean, 1, false, false},
    {"EnableShowLegend", adBoolean, 1, false, false},
    {"EnableSummarizeValues", adBoolean, 1, false, false},
    {"FootNote", adLongVarWChar, 2000, false, false},
    {"FootnoteFont_Id", adInteger, 10, false, false},
    {"GraphColor", adVarWChar, 255, false, false},
    {"GraphDirection", adVarWChar, 255, false, false},
    {"GraphType", adVarWChar, 255, false, false},
    {"GroupAxisGridline", adVarWChar, 255, false, false},
    {"GroupLabelFont_Id", adInteger, 10, false, false},
    {"GroupsTitle", adLongVarWChar, 2000, false, false},
    {"GroupTitleFont_Id", adInteger, 10, false, false},
    {"IsData2TitleByDefault", adBoolean, 1, false, false},
    {"IsDataTitleByDefault", adBoolean, 1, false, false},
    {"IsFootnoteByDefault", adBoolean, 1, false, false},
    {"IsGroupsTitleByDefault", adBoolean, 1, false, false},
    {"IsSeriesTitleByDefault", adBoolean, 1, false, false},
    {"IsSubTitleByDefault", adBoolean, 1, false, false},
    {"IsTitleByDefault", adBoolean, 1, false, false},
    {"IsXAxisTitleByDefault", adBoolean, 1, false, false},
    {"IsYAxisTitleByDefault", adBoolean, 1, false, false},
    {"IsZAxisTitleByDefault", adBoolean, 1, false, false},
    {"Kind", adVarWChar, 255, false, false},
    {"LegendFont_Id", adInteger, 10, false, false},
    {"LegendLayout", adVarWChar, 255, false, false},
    {"LegendPosition", adVarWChar, 255, false, false},
    {"MarkerShape", adVarWChar, 255, false, false},
    {"MarkerSize", adVarWChar, 255, false, false},
    {"MaxData2AxisValue", adInteger, 10, false, false},
    {"MaxDataAxisValue", adInteger, 10, false, false},
    {"MaxSeriesAxisValue", adInteger, 10, false, false},
    {"MinData2AxisValue", adInteger, 10, false, false},
    {"MinDataAxisValue", adInteger, 10, false, false},
    {"MinsSeriesAxisValue", adInteger, 10, false, false},
    {"PieSize", adVarWChar, 255, false, false},
    {"SeriesAxisDivisionMethod", adVarWChar, 255, false, false},
    {"SeriesAxisDivisionNumber", adInteger, 10, false, false},
    {"SeriesAxisGridline", adVarWChar, 255, false, false},
    {"SeriesAxisNumberFormat", adVarWChar, 255, false, false},
    {"SeriesLabelFont_Id", adInteger, 10, false, false},
    {"SeriesTitle", adLongVarWChar, 2000, false, false},
    {"SeriesTitleFont_Id", adInteger, 10, false, false},
    {"SliceDetachment", adVarWChar, 255, false, false},
    {"SubTitle", adLongVarWChar, 2000, false, false},
    {"SubTitleFont_Id", adInteger, 10, false, false},
    {"Title", adLongVarWChar, 2000, false, false},
    {"TitleFont_Id", adInteger, 10, false, false},
    {"ViewingAngle", adVarWChar, 255, false, false},
    {"XAxisTitle", adLongVarWChar, 2000, false, false},
    {"Y2AxisTitle", adLongVarWChar, 2000, false, false},
    {"YAxisTitle", adLongVarWChar, 2000, false, false},
    {"ZAxisTitle", adLongVarWChar, 2000, false, false},
};
constexpr KeyDef kGraphObjectsKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, ReportObject_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_GraphObjects_ReportObjects", "Report_Id, ReportObject_Id",
     "ReportObjects", "Report_Id, ReportObject_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kObjectFieldMappingColumns[] = {
    {"Report_Id", adInteger, 10, false, false},
    {"ReportObject_Id", adInteger, 10, false, false},
    {"Field_Id", adInteger, 10, false, false},
};
constexpr KeyDef kObjectFieldMappingKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, ReportObject_Id, Field_Id", "", "",
     DeleteRule::None},
    {KeyKind::Foreign, "FK_ObjectFieldMapping_ReportObjects", "Report_Id, ReportObject_Id",
     "ReportObjects", "Report_Id, ReportObject_Id", DeleteRule::Cascade},
    {KeyKind::Foreign, "FK_ObjectFieldMapping_Fields", "Field_Id, Report_Id", "Fields",
     "Field_Id, Report_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kMapObjectsColumns[] = {
    {"Report_Id", adInteger, 10, false, false},
    {"ReportObject_Id", adInteger, 10, false, false},
    {"Name", adVarWChar, 255, false, false},
    {"Kind", adVarWChar, 255, false, false},
};
constexpr KeyDef kMapObjectsKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, ReportObject_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_MapObject_ReportObjects", "Report_Id, ReportObject_Id", "ReportObjects",
     "Report_Id, ReportObject_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kSubreportObjectsColumns[] = {
    {"Report_Id", adInteger, 10, false, false},
    {"ReportObject_Id", adInteger, 10, false, false},
    {"Name", adVarWChar, 255, false, false},
    {"Kind", adVarWChar, 255, false, false},
    {"SubReport_Report_Id", adInteger, 10, false, false},
};
constexpr KeyDef kSubreportObjectsKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, ReportObject_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_SubreportObject_ReportObjects", "Report_Id, ReportObject_Id",
     "ReportObjects", "Report_Id, ReportObject_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kSubreportFormattingColumns[] = {
    {"Report_Id", adInteger, 10, false, false},
    {"ReportObject_Id", adInteger, 10, false, false},
    {"SubreportName", adLongVarWChar, 2000, false, false},
    {"EnableOnDemand", adBoolean, 1, false, false},
};
constexpr KeyDef kSubreportFormattingKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, ReportObject_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_SubreportFormatting_ReportObjects", "Report_Id, ReportObject_Id",
     "ReportObjects", "Report_Id, ReportObject_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kTVDBControlColumns[] = {
    {"ControlKey", adVarWChar, 255, false, false},
    {"ControlValue", adVarWChar, 255, false, false},
};
constexpr KeyDef kTVDBControlKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "ControlKey", "", "", DeleteRule::None},
};

constexpr TableDef kTables[] = {
    {"ReportOwner", kReportOwnerColumns, kReportOwnerKeys},
    {"Reports", kReportsColumns, kReportsKeys},
    {"Report_Statistics", kReport_StatisticsColumns, kReport_StatisticsKeys},
    {"Printer", kPrinterColumns, kPrinterKeys},
    {"Report_Database", kReport_DatabaseColumns, kReport_DatabaseKeys},
    {"Tables", kTablesColumns, kTablesKeys},
    {"Fields", kFieldsColumns, kFieldsKeys},
    {"DatabaseFields", kDatabaseFieldsColumns, kDatabaseFieldsKeys},
    {"TableLinks", kTableLinksColumns, kTableLinksKeys},
    {"FieldLinks", kFieldLinksColumns, kFieldLinksKeys},
    {"ParameterFields", kParameterFieldsColumns, kParameterFieldsKeys},
    {"Export_Options", kExport_OptionsColumns, kExport_OptionsKeys},
    {"FormulaFields", kFormulaFieldsColumns, kFormulaFieldsKeys},
    {"GroupNameFields", kGroupNameFieldsColumns, kGroupNameFieldsKeys},
    {"SortFields", kSortFieldsColumns, kSortFieldsKeys},
    {"GroupSortFields", kGroupSortFieldsColumns, kGroupSortFieldsKeys},
    {"RecordSortFields", kRecordSortFieldsColumns, kRecordSortFieldsKeys},
    {"SQLExpressionFields", kSQLExpressionFieldsColumns, kSQLExpressionFieldsKeys},
    {"SummaryFields", kSummaryFieldsColumns, kSummaryFieldsKeys},
    {"RunningTotalFields", kRunningTotalFieldsColumns, kRunningTotalFieldsKeys},
    {"SpecialVarFields", kSpecialVarFieldsColumns, kSpecialVarFieldsKeys},
    {"Areas", kAreasColumns, kAreasKeys},
    {"Sections", kSectionsColumns, kSectionsKeys},
    {"ConditionalFormulas", kConditionalFormulasColumns, kConditionalFormulasKeys},
    {"ReportObjects", kReportObjectsColumns, kReportObjectsKeys},
    {"TextObjects", kTextObjectsColumns, kTextObjectsKeys},
    {"LineObjects", kLineObjectsColumns, kLineObjectsKeys},
    {"FieldObjects", kFieldObjectsColumns, kFieldObjectsKeys},
    {"ObjectPosition", kObjectPositionColumns, kObjectPositionKeys},
    {"BorderFormatting", kBorderFormattingColumns, kBorderFormattingKeys},
    {"CommonFormatting", kCommonFormattingColumns, kCommonFormattingKeys},
    {"ParagraphFormatting", kParagraphFormattingColumns, kParagraphFormattingKeys},
    {"Font", kFontColumns, kFontKeys},
    {"FontFormatting", kFontFormattingColumns, kFontFormattingKeys},
    {"HyperlinkFormatting", kHyperlinkFormattingColumns, kHyperlinkFormattingKeys},
    {"FieldElementsMapping", kFieldElementsMappingColumns, kFieldElementsMappingKeys},
    {"BoxObjects", kBoxObjectsColumns, kBoxObjectsKeys},
    {"BlobObjects", kBlobObjectsColumns, kBlobObjectsKeys},
    {"BooleanFormatting", kBooleanFormattingColumns, kBooleanFormattingKeys},
    {"CurrencyFormatting", kCurrencyFormattingColumns, kCurrencyFormattingKeys},
    {"DateFormatting", kDateFormattingColumns, kDateFormattingKeys},
    {"DateTimeFormatting", kDateTimeFormattingColumns, kDateTimeFormattingKeys},
    {"NumberFormatting", kNumberFormattingColumns, kNumberFormattingKeys},
    {"TimeFormatting", kTimeFormattingColumns, kTimeFormattingKeys},
    {"CrossTabObjects", kCrossTabObjectsColumns, kCrossTabObjectsKeys},
    {"CrossTabGroups", kCrossTabGroupsColumns, kCrossTabGroupsKeys},
    {"OleObjects", kOleObjectsColumns, kOleObjectsKeys},
    {"PictureFormatting", kPictureFormattingColumns, kPictureFormattingKeys},
    {"OlapGridObjects", kOlapGridObjectsColumns, kOlapGridObjectsKeys},
    {"GraphObjects", kGraphObjectsColumns, kGraphObjectsKeys},
    {"ObjectFieldMapping", kObjectFieldMappingColumns, kObjectFieldMappingKeys},
    {"MapObjects", kMapObjectsColumns, kMapObjectsKeys},
    {"SubreportObjects", kSubreportObjectsColumns, kSubreportObjectsKeys},
    {"SubreportFormatting", kSubreportFormattingColumns, kSubreportFormattingKeys},
    {"TVDBControl", kTVDBControlColumns, kTVDBControlKeys},
};

// The saved queries. Those that prompted for a value return the rows of every report instead and
// carry the prompted value as a column (Report_Id, or the field's Name), which callers filter on.
constexpr ViewDef kViews[] = {
    {"AllDatabaseFieldsUsedInReport",
     "CREATE VIEW AllDatabaseFieldsUsedInReport AS "
     "SELECT Reports.ReportName, DatabaseFields.DatabaseFieldDisplayName, "
     "DatabaseFields.DatabaseFieldName, DatabaseFields.NumberOfBytes, DatabaseFields.ValueType, "
     "DatabaseFields.TableAliasName, Reports.Report_Id "
     "FROM Fields INNER JOIN DatabaseFields ON Fields.Report_Id = DatabaseFields.Report_Id "
     "INNER JOIN Reports ON DatabaseFields.Report_Id = Reports.Report_Id "
     "WHERE Fields.Kind IN (5, 3) AND instr(Fields.Name, DatabaseFields.Name) <> 0 "
     "UNION "
     "SELECT Reports.ReportName, DatabaseFields.DatabaseFieldDisplayName, "
     "DatabaseFields.DatabaseFieldName, DatabaseFields.NumberOfBytes, DatabaseFields.ValueType, "
     "DatabaseFields.TableAliasName, Reports.Report_Id "
     "FROM Fields INNER JOIN Reports ON Reports.Report_Id = Fields.Report_Id "
     "INNER JOIN DatabaseFields ON Reports.Report_Id = DatabaseFields.Report_Id "
     "AND Fields.Report_Id = DatabaseFields.Report_Id AND Fields.Field_Id = "
     "DatabaseFields.Field_Id "
     "UNION "
     "SELECT Reports.ReportName, DatabaseFields.DatabaseFieldDisplayName, "
     "DatabaseFields.DatabaseFieldName, DatabaseFields.NumberOfBytes, DatabaseFields.ValueType, "
     "DatabaseFields.TableAliasName, Reports.Report_Id "
     "FROM DatabaseFields INNER JOIN Reports ON DatabaseFields.Report_Id = Reports.Report_Id "
     "WHERE instr(Reports.RecordSelectionFormula, DatabaseFields.Name) <> 0 "
     "UNION "
     "SELECT Reports.ReportName, DatabaseFields.DatabaseFieldDisplayName, "
     "DatabaseFields.DatabaseFieldName, DatabaseFields.NumberOfBytes, DatabaseFields.ValueType, "
     "DatabaseFields.TableAliasName, Reports.Report_Id "
     "FROM DatabaseFields INNER JOIN Reports ON DatabaseFields.Report_Id = Reports.Report_Id "
     "WHERE instr(Reports.GroupSelectionFormula, DatabaseFields.Name) <> 0 "
     "UNION "
     "SELECT Reports.ReportName, DatabaseFields.DatabaseFieldDisplayName, "
     "DatabaseFields.DatabaseFieldName, DatabaseFields.NumberOfBytes, DatabaseFields.ValueType, "
     "DatabaseFields.TableAliasName, Reports.Report_Id "
     "FROM DatabaseFields INNER JOIN Reports ON DatabaseFields.Report_Id = Reports.Report_Id "
     "INNER JOIN FormulaFields ON Reports.Report_Id = FormulaFields.Report_Id "
     "WHERE instr(FormulaFields.FormulaText, DatabaseFields.Name) <> 0"},
    {"ReportsWhereFieldIsUsed",
     "CREATE VIEW ReportsWhereFieldIsUsed AS "
     "SELECT Fields.Name, Reports.ReportFileName "
     "FROM Reports INNER JOIN Fields ON Reports.Report_Id = Fields.Report_Id"},
    {"TextObjectsUsedInReport",
     "CREATE VIEW TextObjectsUsedInReport AS "
     "SELECT Reports.ReportFileName, TextObjects.Name, ObjectPosition.ObjectTop, "
     "ObjectPosition.ObjectLeft, ObjectPosition.Height, ObjectPosition.Width, Font.FontName, "
     "Font.FontSize, FontFormatting.Color, Reports.Report_Id "
     "FROM Reports INNER JOIN ReportObjects ON Reports.Report_Id = ReportObjects.Report_Id "
     "INNER JOIN TextObjects ON ReportObjects.Report_Id = TextObjects.Report_Id "
     "AND ReportObjects.ReportObject_Id = TextObjects.ReportObject_Id "
     "INNER JOIN FontFormatting ON ReportObjects.Report_Id = FontFormatting.Report_Id "
     "AND ReportObjects.ReportObject_Id = FontFormatting.ReportObject_Id "
     "INNER JOIN Font ON Font.Font_Id = FontFormatting.Font_Id "
     "AND Font.Report_Id = FontFormatting.Report_Id "
     "INNER JOIN ObjectPosition ON ReportObjects.Report_Id = ObjectPosition.Report_Id "
     "AND ReportObjects.ReportObject_Id = ObjectPosition.ReportObject_Id"},
    {"viewReportMetrics",
     "CREATE VIEW viewReportMetrics AS "
     "SELECT r.Report_Id, r.ReportFileName, r.Title, r.RevisionNumber, r.Author, rs.Created, "
     "rs.totalEditTime AS TotalEditTime, rs.lastSavedBy AS LastSavedBy, rs.lastSaved AS LastSaved, "
     "(SELECT count(*) FROM ReportObjects ro WHERE r.Report_Id = ro.Report_Id) AS ObjectCount, "
     "(SELECT count(*) FROM SubreportObjects sro WHERE r.Report_Id = sro.Report_Id) "
     "AS SubReportCount, "
     "(SELECT count(*) FROM Tables t WHERE r.Report_Id = t.Report_Id) AS TableCount, "
     "(SELECT count(*) FROM GroupNameFields gnf WHERE r.Report_Id = gnf.Report_Id) AS GroupCount, "
     "(SELECT count(*) FROM Sections s WHERE r.Report_Id = s.Report_Id) AS SectionCount, "
     "(SELECT count(*) FROM FormulaFields f WHERE r.Report_Id = f.Report_Id) AS FormulaCount "
     "FROM Reports AS r, Report_Statistics AS rs WHERE r.Report_Id = rs.Report_Id"},
    {"viewReportColumnCrossRef",
     "CREATE VIEW viewReportColumnCrossRef AS "
     "SELECT r.ReportName, dbf.DatabaseFieldDisplayName, dbf.DatabaseFieldName, "
     "dbf.NumberOfBytes, dbf.ValueType, dbf.TableAliasName, r.Report_Id, 'Ref' AS Reference "
     "FROM Fields f, DatabaseFields dbf, Reports r "
     "WHERE f.Report_Id = dbf.Report_Id AND dbf.Report_Id = r.Report_Id AND f.Kind IN (5, 3) "
     "AND instr(f.Name, dbf.Name) <> 0 "
     "UNION "
     "SELECT r.ReportName, dbf.DatabaseFieldDisplayName, dbf.DatabaseFieldName, "
     "dbf.NumberOfBytes, dbf.ValueType, dbf.TableAliasName, r.Report_Id, 'Field' "
     "FROM Fields f, DatabaseFields dbf, Reports r "
     "WHERE r.Report_Id = dbf.Report_Id AND r.Report_Id = f.Report_Id AND f.Field_Id = "
     "dbf.Field_Id "
     "UNION "
     "SELECT r.ReportName, dbf.DatabaseFieldDisplayName, dbf.DatabaseFieldName, "
     "dbf.NumberOfBytes, dbf.ValueType, dbf.TableAliasName, r.Report_Id, 'Selection' "
     "FROM DatabaseFields dbf, Reports r "
     "WHERE dbf.Report_Id = r.Report_Id AND instr(r.RecordSelectionFormula, dbf.Name) <> 0 "
     "UNION "
     "SELECT r.ReportName, dbf.DatabaseFieldDisplayName, dbf.DatabaseFieldName, "
     "dbf.NumberOfBytes, dbf.ValueType, dbf.TableAliasName, r.Report_Id, 'Group' "
     "FROM DatabaseFields dbf, Reports r "
     "WHERE dbf.Report_Id = r.Report_Id AND instr(r.GroupSelectionFormula, dbf.Name) <> 0 "
     "UNION "
     "SELECT r.ReportName, dbf.DatabaseFieldDisplayName, dbf.DatabaseFieldName, "
     "dbf.NumberOfBytes, dbf.ValueType, dbf.TableAliasName, r.Report_Id, 'Formula' "
     "FROM DatabaseFields dbf, Reports r, FormulaFields ff "
     "WHERE dbf.Report_Id = r.Report_Id AND r.Report_Id = ff.Report_Id "
     "AND instr(ff.FormulaText, dbf.Name) <> 0"},
};

QString quoted(const QString& name) { return QLatin1Char('"') + name + QLatin1Char('"'); }

QString quotedList(const QStringList& names) {
    QStringList out;
    for (const QString& name : names) out << quoted(name);
    return out.join(QLatin1String(", "));
}

}  // namespace

const ColumnDef* TableDef::column(const QString& columnName) const {
    for (const ColumnDef& c : columns) {
        if (columnName.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0) return &c;
    }
    return nullptr;
}

std::span<const TableDef> schemaTables() { return kTables; }

const TableDef* schemaTable(const QString& name) {
    for (const TableDef& t : kTables) {
        if (name.compare(QLatin1String(t.name), Qt::CaseInsensitive) == 0) return &t;
    }
    return nullptr;
}

std::span<const ViewDef> schemaViews() { return kViews; }

QString sqlType(ColumnType type) {
    switch (type) {
        case adInteger:
        case adBoolean:
            return QStringLiteral("INTEGER");
        case adDouble:
            return QStringLiteral("REAL");
        case adDate:
        case adVarWChar:
        case adLongVarWChar:
            break;
    }
    return QStringLiteral("TEXT");
}

QStringList keyColumns(const char* columns) {
    if (!*columns) return {};
    return QString::fromLatin1(columns).split(QLatin1String(", "));
}

QString columnSql(const ColumnDef& column) {
    QString sql = quoted(QLatin1String(column.name)) + QLatin1Char(' ') + sqlType(column.type);
    if (!column.nullable) sql += QLatin1String(" NOT NULL");
    // Short text keeps its limit, so that every file holds what any reader of it accepts.
    if (column.type == adVarWChar) {
        sql += QStringLiteral(" CHECK (length(%1) <= %2)")
                   .arg(quoted(QLatin1String(column.name)))
                   .arg(column.definedSize);
    }
    return sql;
}

QString createTableSql(const TableDef& table, const QString& asName,
                       const std::function<bool(const ColumnDef&)>& keep) {
    QStringList kept;
    QStringList parts;
    for (const ColumnDef& column : table.columns) {
        if (keep && !keep(column)) continue;
        kept << QLatin1String(column.name);
        QString sql = columnSql(column);
        // The engine numbers only a column that is the whole primary key on its own.
        if (column.autoIncrement)
            sql += QLatin1String(" CONSTRAINT PrimaryKey PRIMARY KEY AUTOINCREMENT");
        parts << sql;
    }
    const auto present = [&kept](const QStringList& columns) {
        for (const QString& c : columns) {
            if (!kept.contains(c)) return false;
        }
        return true;
    };
    for (const KeyDef& key : table.keys) {
        const QStringList columns = keyColumns(key.columns);
        if (!present(columns)) continue;
        const QString head = QLatin1String("CONSTRAINT ") + quoted(QLatin1String(key.name));
        switch (key.kind) {
            case KeyKind::Primary:
                if (columns.size() == 1 && table.column(columns.front())->autoIncrement) break;
                parts << head + QLatin1String(" PRIMARY KEY (") + quotedList(columns) +
                             QLatin1Char(')');
                break;
            case KeyKind::Unique:
                parts << head + QLatin1String(" UNIQUE (") + quotedList(columns) + QLatin1Char(')');
                break;
            case KeyKind::Foreign:
                parts << head + QLatin1String(" FOREIGN KEY (") + quotedList(columns) +
                             QLatin1String(") REFERENCES ") +
                             quoted(QLatin1String(key.relatedTable)) + QLatin1String(" (") +
                             quotedList(keyColumns(key.relatedColumns)) + QLatin1Char(')') +
                             (key.deleteRule == DeleteRule::Cascade
                                  ? QLatin1String(" ON DELETE CASCADE")
                                  : QLatin1String(""));
                break;
        }
    }
    return QLatin1String("CREATE TABLE ") +
           quoted(asName.isEmpty() ? QLatin1String(table.name) : asName) + QLatin1String(" (") +
           parts.join(QLatin1String(", ")) + QLatin1Char(')');
}

QList<IndexDef> schemaIndexes() {
    QList<IndexDef> indexes;
    for (const TableDef& table : schemaTables()) {
        QList<QStringList> leading;
        for (const KeyDef& key : table.keys) {
            if (key.kind != KeyKind::Foreign) leading << keyColumns(key.columns);
        }
        for (const KeyDef& key : table.keys) {
            if (key.kind != KeyKind::Foreign) continue;
            const QStringList columns = keyColumns(key.columns);
            // An index whose first columns are the key's, in any order, serves it already.
            const bool served =
                std::any_of(leading.begin(), leading.end(), [&](const QStringList& l) {
                    if (l.size() < columns.size()) return false;
                    for (const QString& c : columns) {
                        if (!l.mid(0, columns.size()).contains(c)) return false;
                    }
                    return true;
                });
            if (served) continue;
            const QString name =
                QStringLiteral("IX_%1_%2").arg(QLatin1String(table.name), QLatin1String(key.name));
            indexes.append({name, QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3)")
                                      .arg(quoted(name), quoted(QLatin1String(table.name)),
                                           quotedList(columns))});
        }
    }
    return indexes;
}

}  // namespace tav::database
