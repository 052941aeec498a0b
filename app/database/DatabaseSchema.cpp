#include "DatabaseSchema.h"

#include <algorithm>

namespace tav::database {

namespace {

// These tables are the schema's source: new files are created from them and older ones upgraded
// to them. The golden schema dump of the tests pins every line; a change here changes both.
constexpr ColumnDef kReportOwnerColumns[] = {
    {"ReportOwner_id", IntegerColumn, 10, false, true},
    {"Name", ShortTextColumn, 255, false, false},
};
constexpr KeyDef kReportOwnerKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "ReportOwner_id", "", "", DeleteRule::None},
};
constexpr ColumnDef kReportsColumns[] = {
    {"Report_Id", IntegerColumn, 10, false, true},
    {"ReportFileName", ShortTextColumn, 255, false, false},
    {"RevisionNumber", IntegerColumn, 10, false, false},
    {"TopMargin", DoubleColumn, 10, false, false},
    {"BottomMargin", DoubleColumn, 10, false, false},
    {"LeftMargin", DoubleColumn, 10, false, false},
    {"RightMargin", DoubleColumn, 10, false, false},
    {"CanPerformGroupingOnServer", BooleanColumn, 1, false, false},
    {"CaseInsensitiveSQLData", BooleanColumn, 1, false, false},
    {"ConvertDateTimeType", ShortTextColumn, 255, false, false},
    {"ConvertNullFieldToDefault", BooleanColumn, 1, false, false},
    {"EnableAsyncQuery", BooleanColumn, 1, false, false},
    {"EnableGeneratingDataForHiddenObject", BooleanColumn, 1, false, false},
    {"EnableParameterPrompting", BooleanColumn, 1, false, false},
    {"EnablePerformQueriesAsynchronously", BooleanColumn, 1, false, false},
    {"EnableSelectDistinctRecords", BooleanColumn, 1, false, false},
    {"FieldMappingType", ShortTextColumn, 255, false, false},
    {"FormulaSyntax", ShortTextColumn, 255, false, false},
    {"GroupSelectionFormula", LongTextColumn, 2000, false, false},
    {"HasSavedData", BooleanColumn, 1, false, false},
    {"KeywordsInReport", LongTextColumn, 2000, false, false},
    {"LastGetFormulaSyntax", ShortTextColumn, 255, false, false},
    {"NumberOfGroups", IntegerColumn, 3, false, false},
    {"PerformGroupingOnServer", BooleanColumn, 1, false, false},
    {"RecordSelectionFormula", LongTextColumn, 2000, false, false},
    {"ReportFormatStyle", ShortTextColumn, 255, false, false},
    {"ReportOwner_Id", IntegerColumn, 10, true, false},
    {"Author", LongTextColumn, 2000, false, false},
    {"Comments", LongTextColumn, 2000, false, false},
    {"Subject", LongTextColumn, 2000, false, false},
    {"Template", LongTextColumn, 2000, false, false},
    {"Title", LongTextColumn, 2000, false, false},
    {"ReportName", ShortTextColumn, 255, false, false},
    {"Kind", ShortTextColumn, 255, false, false},
    {"SavePreviewPicture", BooleanColumn, 1, false, false},
    {"SQLQueryString", LongTextColumn, 2000, false, false},
    {"UseIndexForSpeed", BooleanColumn, 1, false, false},
    {"VerifyOnEveryPrint", BooleanColumn, 1, false, false},
};
constexpr KeyDef kReportsKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_Reports_RptOwner", "ReportOwner_Id", "ReportOwner", "ReportOwner_id",
     DeleteRule::None},
    {KeyKind::Unique, "UniqueKey", "ReportFileName, RevisionNumber", "", "", DeleteRule::None},
};
constexpr ColumnDef kReport_StatisticsColumns[] = {
    {"Report_Id", IntegerColumn, 10, false, false},
    {"Created", DateColumn, 10, false, false},
    {"lastPrinted", DateColumn, 10, false, false},
    {"lastSaved", DateColumn, 10, false, false},
    {"lastSavedBy", ShortTextColumn, 255, false, false},
    {"revisionNumber", IntegerColumn, 5, false, false},
    {"totalEditTime", ShortTextColumn, 255, false, false},
};
constexpr KeyDef kReport_StatisticsKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_Stats_Reports", "Report_Id", "Reports", "Report_Id",
     DeleteRule::Cascade},
};
constexpr ColumnDef kPrinterColumns[] = {
    {"Report_Id", IntegerColumn, 10, false, false},
    {"Driver", ShortTextColumn, 255, true, false},
    {"NumberOfPages", IntegerColumn, 4, true, false},
    {"PaperOrientation", ShortTextColumn, 255, true, false},
    {"PaperSize", ShortTextColumn, 255, true, false},
    {"PaperSource", ShortTextColumn, 255, true, false},
    {"PortName", ShortTextColumn, 255, true, false},
    {"PrintDate", DateColumn, 5, true, false},
    {"PrinterDuplex", ShortTextColumn, 255, true, false},
    {"PrinterName", ShortTextColumn, 255, true, false},
};
constexpr KeyDef kPrinterKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_Printer_Reports", "Report_Id", "Reports", "Report_Id",
     DeleteRule::Cascade},
};
constexpr ColumnDef kReport_DatabaseColumns[] = {
    {"Report_Id", IntegerColumn, 10, false, false},
};
constexpr KeyDef kReport_DatabaseKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_Database_Reports", "Report_Id", "Reports", "Report_Id",
     DeleteRule::Cascade},
};
constexpr ColumnDef kTablesColumns[] = {
    {"Report_Id", IntegerColumn, 10, false, false},
    {"Table_Id", IntegerColumn, 10, false, false},
    {"ConnectBufferString", LongTextColumn, 2000, false, false},
    {"DatabaseType", ShortTextColumn, 255, false, false},
    {"DescriptiveName", ShortTextColumn, 255, false, false},
    {"DllName", ShortTextColumn, 255, false, false},
    {"Location", ShortTextColumn, 255, false, false},
    {"Name", ShortTextColumn, 255, false, false},
};
constexpr KeyDef kTablesKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, Table_Id", "", "", DeleteRule::None},
    {KeyKind::Unique, "RptID_TableName", "Report_Id, Name", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_Tables_Reports", "Report_Id", "Reports", "Report_Id",
     DeleteRule::Cascade},
};
constexpr ColumnDef kFieldsColumns[] = {
    {"Field_Id", IntegerColumn, 10, false, false},
    {"Report_Id", IntegerColumn, 10, false, false},
    {"Name", ShortTextColumn, 255, false, false},
    {"Kind", IntegerColumn, 10, false, false},
};
constexpr KeyDef kFieldsKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Field_Id, Report_Id", "", "", DeleteRule::None},
    {KeyKind::Unique, "IDX_Report_Id_Name", "Report_Id, Name", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_Fields_Reports", "Report_Id", "Reports", "Report_Id",
     DeleteRule::Cascade},
};
constexpr ColumnDef kDatabaseFieldsColumns[] = {
    {"Field_Id", IntegerColumn, 10, false, false},
    {"Report_Id", IntegerColumn, 10, false, false},
    {"Table_Id", IntegerColumn, 10, false, false},
    {"DatabaseFieldDisplayName", ShortTextColumn, 255, false, false},
    {"DatabaseFieldName", ShortTextColumn, 255, false, false},
    {"Name", ShortTextColumn, 255, false, false},
    {"NumberOfBytes", IntegerColumn, 3, false, false},
    {"TableAliasName", ShortTextColumn, 255, false, false},
    {"ValueType", ShortTextColumn, 255, false, false},
};
constexpr KeyDef kDatabaseFieldsKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, Field_Id", "", "", DeleteRule::None},
    {KeyKind::Unique, "IDX_Field_Id_Table_Id", "Field_Id, Table_Id, Report_Id", "", "",
     DeleteRule::None},
    {KeyKind::Foreign, "FK_DatabaseFields_Tables", "Report_Id, Table_Id", "Tables",
     "Report_Id, Table_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kTableLinksColumns[] = {
    {"Report_Id", IntegerColumn, 4, false, false},
    {"link_Id", IntegerColumn, 10, false, true},
    {"SourceTable_Id", IntegerColumn, 5, false, false},
    {"DestinationTable_Id", IntegerColumn, 5, false, false},
    {"JoinType", ShortTextColumn, 255, false, false},
    {"LookupType", ShortTextColumn, 255, false, false},
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
    {"Link_Id", IntegerColumn, 5, false, false},
    {"Report_Id", IntegerColumn, 10, false, false},
    {"SourceField_Id", IntegerColumn, 5, false, false},
    {"DestinationField_Id", IntegerColumn, 5, false, false},
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
    {"Report_Id", IntegerColumn, 10, false, false},
    {"Field_Id", IntegerColumn, 10, false, false},
    {"Name", ShortTextColumn, 255, false, false},
    {"ParameterFieldName", ShortTextColumn, 255, false, false},
    {"ParameterType", ShortTextColumn, 255, false, false},
    {"Prompt", ShortTextColumn, 255, false, false},
    {"DisallowEditing", BooleanColumn, 1, false, false},
    {"DiscreteOrRangeKind", ShortTextColumn, 255, false, false},
    {"EditMask", ShortTextColumn, 255, false, false},
    {"EnableExclusiveGroup", BooleanColumn, 1, false, false},
    {"EnableMultipleValues", BooleanColumn, 1, false, false},
    {"EnableNullValue", BooleanColumn, 1, false, false},
    {"EnableRangeLimit", BooleanColumn, 1, false, false},
    {"EnableShowDescriptionOnly", BooleanColumn, 1, false, false},
    {"EnableSortBasedOnDesc", BooleanColumn, 1, false, false},
    {"GroupNumber", IntegerColumn, 3, false, false},
    {"IsCurrentValueSet", BooleanColumn, 1, false, false},
    {"IsDefaultValueSet", BooleanColumn, 1, false, false},
    {"Kind", ShortTextColumn, 255, false, false},
    {"MaximumValue", ShortTextColumn, 255, false, false},
    {"MinimumValue", ShortTextColumn, 255, false, false},
    {"NeedsCurrentValue", BooleanColumn, 1, false, false},
    {"NumberOfBytes", IntegerColumn, 3, false, false},
    {"NumberOfCurrentRanges", IntegerColumn, 3, false, false},
    {"NumberOfCurrentValues", IntegerColumn, 3, false, false},
    {"NumberOfDefaultValues", IntegerColumn, 3, false, false},
    {"PicklistSortMethod", ShortTextColumn, 255, false, false},
    {"PlaceInGroup", BooleanColumn, 1, false, false},
    {"ReportName", ShortTextColumn, 255, false, false},
    {"ValueType", ShortTextColumn, 255, false, false},
};
constexpr KeyDef kParameterFieldsKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, Field_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_ParemeterFields_Fields1", "Field_Id, Report_Id", "Fields",
     "Field_Id, Report_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kExport_OptionsColumns[] = {
    {"Report_Id", IntegerColumn, 10, false, false},
    {"ApplicationFileName", ShortTextColumn, 255, false, false},
    {"CharFieldDelimeter", ShortTextColumn, 255, false, false},
    {"CharStringDelimeter", ShortTextColumn, 255, false, false},
    {"DestinationDllName", ShortTextColumn, 255, false, false},
    {"DestinationType", ShortTextColumn, 255, false, false},
    {"DiskFileName", ShortTextColumn, 255, false, false},
    {"ExcelAreaGroupNumber", IntegerColumn, 3, false, false},
    {"ExcelAreaKind", ShortTextColumn, 255, false, false},
    {"ExcelConstantColumnWidth", IntegerColumn, 3, false, false},
    {"ExcelConvertDateToString", BooleanColumn, 1, false, false},
    {"ExcelExportAllPages", BooleanColumn, 1, false, false},
    {"ExcelFirstPageNumber", IntegerColumn, 3, false, false},
    {"ExcelLastPageNumber", IntegerColumn, 3, false, false},
    {"ExcelPageBreaks", BooleanColumn, 1, false, false},
    {"ExcelTabHasColumnHeadings", BooleanColumn, 1, false, false},
    {"ExcelUseConstantColumnWidth", BooleanColumn, 1, false, false},
    {"ExcelUseTabularFormat", BooleanColumn, 1, false, false},
    {"ExcelUseWorksheetFunctions", BooleanColumn, 1, false, false},
    {"ExchangeDestinationType", ShortTextColumn, 255, false, false},
    {"ExchangeFolderPath", ShortTextColumn, 255, false, false},
    {"ExchangePassword", ShortTextColumn, 255, false, false},
    {"ExchangePathHasColumnHeadings", BooleanColumn, 1, false, false},
    {"ExchangeProfile", ShortTextColumn, 255, false, false},
    {"FormatDllName", ShortTextColumn, 255, false, false},
    {"FormatType", ShortTextColumn, 255, false, false},
    {"HTMLEnableSeparatePages", BooleanColumn, 1, false, false},
    {"HTMLFileName", ShortTextColumn, 255, false, false},
    {"HTMLHasPageNavigator", BooleanColumn, 1, false, false},
    {"LotusDominoComments", ShortTextColumn, 255, false, false},
    {"LotusDominoDatabaseName", ShortTextColumn, 255, false, false},
    {"LotusNotesFormName", ShortTextColumn, 255, false, false},
    {"MailBccList", ShortTextColumn, 255, false, false},
    {"MailCcList", ShortTextColumn, 255, false, false},
    {"MailMessage", ShortTextColumn, 255, false, false},
    {"MailSubject", ShortTextColumn, 255, false, false},
    {"MailToList", ShortTextColumn, 255, false, false},
    {"MailUserName", ShortTextColumn, 255, false, false},
    {"NumberOfLinesPerPage", IntegerColumn, 10, false, false},
    {"ODBCDataSourceName", ShortTextColumn, 255, false, false},
    {"ODBCDataSourcePassword", ShortTextColumn, 255, false, false},
    {"ODBCDataSourceUserID", ShortTextColumn, 255, false, false},
    {"ODBCExportTableName", ShortTextColumn, 255, false, false},
    {"PDFExportAllPages", BooleanColumn, 1, false, false},
    {"PDFFirstPageNumber", IntegerColumn, 10, false, false},
    {"PDFLastPageNumber", IntegerColumn, 10, false, false},
    {"RTFExportAllPages", BooleanColumn, 1, false, false},
    {"RTFFirstPageNumber", IntegerColumn, 10, false, false},
    {"RTFLastPageNumber", IntegerColumn, 10, false, false},
    {"UseDefaultCharactersPerInch", BooleanColumn, 1, false, false},
    {"UserDefinedCharactersPerInch", IntegerColumn, 10, false, false},
    {"UseReportDateFormat", BooleanColumn, 1, false, false},
    {"UseReportNumberFormat", BooleanColumn, 1, false, false},
    {"WORDWExportAllPages", BooleanColumn, 1, false, false},
    {"WORDWFirstPageNumber", IntegerColumn, 10, false, false},
    {"WORDWLastPageNumber", IntegerColumn, 10, false, false},
    {"XMLAllowMultipleFiles", BooleanColumn, 1, false, false},
    {"XMLFileName", ShortTextColumn, 255, false, false},
};
constexpr KeyDef kExport_OptionsKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_ExportOptions_Reports", "Report_Id", "Reports", "Report_Id",
     DeleteRule::Cascade},
};
constexpr ColumnDef kFormulaFieldsColumns[] = {
    {"Field_Id", IntegerColumn, 10, false, false},
    {"Report_Id", IntegerColumn, 10, false, false},
    {"Name", ShortTextColumn, 255, false, false},
    {"FieldName", ShortTextColumn, 255, false, false},
    {"Kind", ShortTextColumn, 255, false, false},
    {"NumberOfBytes", IntegerColumn, 3, false, false},
    {"ValueType", ShortTextColumn, 255, false, false},
    {"FormulaText", LongTextColumn, 2000, false, false},
};
constexpr KeyDef kFormulaFieldsKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Field_Id, Report_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_FormulaFields_Fields", "Field_Id, Report_Id", "Fields",
     "Field_Id, Report_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kGroupNameFieldsColumns[] = {
    {"Field_Id", IntegerColumn, 10, false, false},
    {"Report_Id", IntegerColumn, 10, false, false},
    {"Name", ShortTextColumn, 255, false, false},
    {"GroupNameConditionFormula", ShortTextColumn, 255, false, false},
    {"GroupNameFieldName", ShortTextColumn, 255, false, false},
    {"GroupNumber", IntegerColumn, 3, false, false},
    {"NumberOfBytes", IntegerColumn, 3, false, false},
    {"ValueType", ShortTextColumn, 255, false, false},
};
constexpr KeyDef kGroupNameFieldsKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Field_Id, Report_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_GroupNameFields_Reports", "Report_Id", "Reports", "Report_Id",
     DeleteRule::Cascade},
    {KeyKind::Foreign, "FK_GroupNameFields_Fields", "Field_Id, Report_Id", "Fields",
     "Field_Id, Report_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kSortFieldsColumns[] = {
    {"SortField_Id", IntegerColumn, 10, false, true},
    {"Report_Id", IntegerColumn, 10, false, false},
    // Null for a sort on a field without a definition.
    {"Field_Id", IntegerColumn, 10, true, false},
    {"SortDirection", ShortTextColumn, 255, false, false},
};
constexpr KeyDef kSortFieldsKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "SortField_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_SortFields_Fields", "Field_Id, Report_Id", "Fields",
     "Field_Id, Report_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kGroupSortFieldsColumns[] = {
    {"Report_Id", IntegerColumn, 10, false, false},
    {"SortField_Id", IntegerColumn, 10, false, false},
};
constexpr KeyDef kGroupSortFieldsKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, SortField_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_GroupSortFields_Reports", "Report_Id", "Reports", "Report_Id",
     DeleteRule::Cascade},
    {KeyKind::Foreign, "FK_GroupSortFields_SortFields", "SortField_Id", "SortFields",
     "SortField_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kRecordSortFieldsColumns[] = {
    {"Report_Id", IntegerColumn, 10, false, false},
    {"SortField_Id", IntegerColumn, 10, false, false},
};
constexpr KeyDef kRecordSortFieldsKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, SortField_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_RecordSortFields_Reports", "Report_Id", "Reports", "Report_Id",
     DeleteRule::Cascade},
    {KeyKind::Foreign, "FK_RecordSortFields_SortFields", "SortField_Id", "SortFields",
     "SortField_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kSQLExpressionFieldsColumns[] = {
    {"Field_Id", IntegerColumn, 10, false, false},
    {"Report_Id", IntegerColumn, 10, false, false},
    {"Name", ShortTextColumn, 255, false, false},
    {"SQLExpressionFieldName", ShortTextColumn, 255, false, false},
    {"ExpressionText", ShortTextColumn, 255, false, false},
    {"NumberOfBytes", IntegerColumn, 3, false, false},
    {"ValueType", ShortTextColumn, 255, false, false},
    {"Kind", ShortTextColumn, 255, false, false},
};
constexpr KeyDef kSQLExpressionFieldsKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Field_Id, Report_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_SQLExpressionFields_Fields", "Field_Id, Report_Id", "Fields",
     "Field_Id, Report_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kSummaryFieldsColumns[] = {
    {"Field_Id", IntegerColumn, 10, false, false},
    {"Report_Id", IntegerColumn, 10, false, false},
    {"Name", ShortTextColumn, 255, false, false},
    // Null for a summary of a field without a definition.
    {"SummarizedField_Id", IntegerColumn, 10, true, false},
    {"SecondarySummarizedField_Id", IntegerColumn, 10, true, false},
    {"HeirarchicalSummaryType", ShortTextColumn, 255, false, false},
    {"NumberOfBytes", IntegerColumn, 3, false, false},
    {"ValueType", ShortTextColumn, 255, false, false},
    {"SummaryType", ShortTextColumn, 255, false, false},
    {"SummaryOperationParameter", IntegerColumn, 10, false, false},
    {"Kind", ShortTextColumn, 255, false, false},
    {"ForCrossTab", BooleanColumn, 1, false, false},
    {"HeaderAreaId", IntegerColumn, 10, true, false},
    {"FooterAreaId", IntegerColumn, 10, true, false},
};
constexpr KeyDef kSummaryFieldsKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Field_Id, Report_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_SummaryFields_Fields1", "Field_Id, Report_Id", "Fields",
     "Field_Id, Report_Id", DeleteRule::Cascade},
    {KeyKind::Foreign, "FK_SummaryFields_Fields2", "SummarizedField_Id, Report_Id", "Fields",
     "Field_Id, Report_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kRunningTotalFieldsColumns[] = {
    {"Field_Id", IntegerColumn, 10, false, false},
    {"Report_Id", IntegerColumn, 10, false, false},
    {"Name", ShortTextColumn, 255, false, false},
    {"RunningTotalFieldName", ShortTextColumn, 255, false, false},
    {"SecondarySummarizedField_Id", IntegerColumn, 10, true, false},
    {"SummarizedField_Id", IntegerColumn, 10, true, false},
    {"EvaluateCondition", ShortTextColumn, 255, false, false},
    {"EvaluateConditionField_Id", IntegerColumn, 10, true, false},
    {"EvaluateConditionFormula", LongTextColumn, 2000, false, false},
    {"EvaluateGroupNumber", IntegerColumn, 10, false, false},
    {"HierarchicalSummaryType", ShortTextColumn, 255, false, false},
    {"NumberOfBytes", IntegerColumn, 10, false, false},
    {"ResetCondition", ShortTextColumn, 255, false, false},
    {"ResetConditionField_Id", IntegerColumn, 10, true, false},
    {"ResetConditionFormula", LongTextColumn, 2000, false, false},
    {"ResetGroupNumber", IntegerColumn, 10, false, false},
    {"Kind", ShortTextColumn, 255, false, false},
    {"ValueType", ShortTextColumn, 255, false, false},
    {"SummaryType", ShortTextColumn, 255, false, false},
    {"SummaryOperationParameter", IntegerColumn, 10, false, false},
};
constexpr KeyDef kRunningTotalFieldsKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Field_Id, Report_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_RunningTotalFields_Fields1", "Field_Id, Report_Id", "Fields",
     "Field_Id, Report_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kSpecialVarFieldsColumns[] = {
    {"Field_Id", IntegerColumn, 10, false, false},
    {"Report_Id", IntegerColumn, 10, false, false},
    {"Name", LongTextColumn, 2000, false, false},
    {"SpecialVarType", ShortTextColumn, 255, false, false},
    {"ValueType", ShortTextColumn, 255, false, false},
    {"NumberOfBytes", IntegerColumn, 10, false, false},
    {"Kind", ShortTextColumn, 255, false, false},
};
constexpr KeyDef kSpecialVarFieldsKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Field_Id, Report_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_SpecialVarFields_Fields", "Field_Id, Report_Id", "Fields",
     "Field_Id, Report_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kAreasColumns[] = {
    {"Report_Id", IntegerColumn, 10, false, false},
    {"Area_Id", IntegerColumn, 10, false, false},
    {"Name", ShortTextColumn, 255, false, false},
    {"Kind", ShortTextColumn, 255, false, false},
    {"CopiesToPrint", IntegerColumn, 10, false, false},
    {"DetailHeight", IntegerColumn, 10, false, false},
    {"DetailWidth", IntegerColumn, 10, false, false},
    {"DiscardOtherGroups", BooleanColumn, 1, false, false},
    {"EnableHierarchicalGroupSorting", BooleanColumn, 1, false, false},
    {"GroupCondition", ShortTextColumn, 255, false, false},
    {"GroupConditionField_Id", IntegerColumn, 10, true, false},
    {"GroupIndent", IntegerColumn, 3, false, false},
    {"GroupNumber", IntegerColumn, 3, false, false},
    {"HideForDrillDown", BooleanColumn, 1, false, false},
    {"HorizontalGap", IntegerColumn, 10, false, false},
    {"KeepGroupTogether", BooleanColumn, 1, false, false},
    {"KeepTogether", BooleanColumn, 1, false, false},
    {"NewPageAfter", BooleanColumn, 1, false, false},
    {"NewPageBefore", BooleanColumn, 1, false, false},
    {"NumberOfTopOrBottomNGroups", IntegerColumn, 3, false, false},
    {"PrintAtBottomOfPage", BooleanColumn, 1, false, false},
    {"RepeatGroupHeader", BooleanColumn, 1, false, false},
    {"ResetPageNumberAfter", BooleanColumn, 1, false, false},
    {"SortDirection", ShortTextColumn, 255, false, false},
    {"Suppress", BooleanColumn, 1, false, false},
    {"TopOrBottomNGroupSortOrder", ShortTextColumn, 255, false, false},
    {"TopOrBottomNSortField_ID", IntegerColumn, 10, true, false},
};
constexpr KeyDef kAreasKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, Area_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_Areas_Reports", "Report_Id", "Reports", "Report_Id",
     DeleteRule::Cascade},
};
constexpr ColumnDef kSectionsColumns[] = {
    {"Report_Id", IntegerColumn, 10, false, false},
    {"Area_Id", IntegerColumn, 10, false, false},
    {"Section_Id", IntegerColumn, 10, false, false},
    {"Name", ShortTextColumn, 255, false, false},
    {"SectionFriendlyName", ShortTextColumn, 255, false, false},
    {"SectionNumber", IntegerColumn, 10, false, false},
    {"BackColor", ShortTextColumn, 255, false, false},
    {"CssClass", ShortTextColumn, 255, false, false},
    {"Height", IntegerColumn, 10, false, false},
    {"Width", IntegerColumn, 10, false, false},
    {"MinimumHeight", IntegerColumn, 10, false, false},
    {"KeepTogether", BooleanColumn, 1, false, false},
    {"NewPageAfter", BooleanColumn, 1, false, false},
    {"NewPageBefore", BooleanColumn, 1, false, false},
    {"PrintAtBottom", BooleanColumn, 1, false, false},
    {"ResetPageNumAfter", BooleanColumn, 1, false, false},
    {"Suppress", BooleanColumn, 1, false, false},
    {"SuppressIfBlank", BooleanColumn, 1, false, false},
    {"UnderlaySection", BooleanColumn, 1, false, false},
};
constexpr KeyDef kSectionsKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, Area_Id, Section_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_Sections_Areas", "Report_Id, Area_Id", "Areas", "Report_Id, Area_Id",
     DeleteRule::Cascade},
};
constexpr ColumnDef kConditionalFormulasColumns[] = {
    {"Report_Id", IntegerColumn, 10, false, false},
    {"ConditionalFormula_Id", IntegerColumn, 10, false, false},
    {"Area_Id", IntegerColumn, 10, true, false},
    {"Section_Id", IntegerColumn, 10, true, false},
    {"ReportObject_Id", IntegerColumn, 10, true, false},
    {"Name", ShortTextColumn, 255, false, false},
    {"FormulaText", LongTextColumn, 2000, false, false},
};
constexpr KeyDef kConditionalFormulasKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, ConditionalFormula_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_ConditionalFormulas_Reports", "Report_Id", "Reports", "Report_Id",
     DeleteRule::Cascade},
};
constexpr ColumnDef kReportObjectsColumns[] = {
    {"Report_Id", IntegerColumn, 10, false, false},
    {"Area_Id", IntegerColumn, 10, false, false},
    {"Section_Id", IntegerColumn, 10, false, false},
    {"ReportObject_Id", IntegerColumn, 10, false, false},
    {"Kind", ShortTextColumn, 255, false, false},
    {"Name", LongTextColumn, 2000, false, false},
};
constexpr KeyDef kReportObjectsKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, ReportObject_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_ReportObjects_Sections", "Report_Id, Area_Id, Section_Id", "Sections",
     "Report_Id, Area_Id, Section_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kTextObjectsColumns[] = {
    {"Report_Id", IntegerColumn, 10, false, false},
    {"ReportObject_Id", IntegerColumn, 10, false, false},
    {"Kind", ShortTextColumn, 255, false, false},
    {"Name", LongTextColumn, 2000, false, false},
    {"ObjectText", LongTextColumn, 2000, false, false},
};
constexpr KeyDef kTextObjectsKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, ReportObject_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_TextObjects_ReportObjects", "Report_Id, ReportObject_Id",
     "ReportObjects", "Report_Id, ReportObject_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kLineObjectsColumns[] = {
    {"Report_Id", IntegerColumn, 10, false, false},
    {"ReportObject_Id", IntegerColumn, 10, false, false},
    {"Name", ShortTextColumn, 255, false, false},
    {"CssClass", ShortTextColumn, 255, false, false},
    {"EndSection_ID", IntegerColumn, 10, false, false},
    {"ExtendToBottomOfSection", BooleanColumn, 1, false, false},
    {"Kind", ShortTextColumn, 255, false, false},
    {"LineColor", ShortTextColumn, 255, false, false},
    {"LineStyle", ShortTextColumn, 255, false, false},
    {"LineThickness", IntegerColumn, 10, false, false},
    {"Suppress", BooleanColumn, 1, false, false},
};
constexpr KeyDef kLineObjectsKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, ReportObject_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_LineObject_ReportObjects", "Report_Id, ReportObject_Id", "ReportObjects",
     "Report_Id, ReportObject_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kFieldObjectsColumns[] = {
    {"Report_Id", IntegerColumn, 10, false, false},
    {"ReportObject_Id", IntegerColumn, 10, false, false},
    // Null for an object whose field has no definition.
    {"Field_Id", IntegerColumn, 10, true, false},
    {"Name", ShortTextColumn, 255, false, false},
    {"Kind", ShortTextColumn, 255, false, false},
    {"SuppressIfZero", BooleanColumn, 11, false, false},
};
constexpr KeyDef kFieldObjectsKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, ReportObject_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_FieldObjects_Fields", "Field_Id, Report_Id", "Fields",
     "Field_Id, Report_Id", DeleteRule::Cascade},
    {KeyKind::Foreign, "FK_FieldObjects_ReportObjects", "Report_Id, ReportObject_Id",
     "ReportObjects", "Report_Id, ReportObject_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kObjectPositionColumns[] = {
    {"Report_Id", IntegerColumn, 10, false, false},
    {"ReportObject_Id", IntegerColumn, 10, false, false},
    {"ObjectTop", DoubleColumn, 10, false, false},
    {"ObjectLeft", DoubleColumn, 10, false, false},
    {"Height", DoubleColumn, 10, false, false},
    {"Width", DoubleColumn, 10, false, false},
};
constexpr KeyDef kObjectPositionKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, ReportObject_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_ObjectPosition_ReportObjects", "Report_Id, ReportObject_Id",
     "ReportObjects", "Report_Id, ReportObject_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kBorderFormattingColumns[] = {
    {"Report_Id", IntegerColumn, 10, false, false},
    {"ReportObject_Id", IntegerColumn, 10, false, false},
    {"BackgroundColor", ShortTextColumn, 255, false, false},
    {"BorderColor", ShortTextColumn, 255, false, false},
    {"BottomStyle", ShortTextColumn, 255, false, false},
    {"DropShadow", BooleanColumn, 1, false, false},
    {"LeftStyle", ShortTextColumn, 255, false, false},
    {"RightStyle", ShortTextColumn, 255, false, false},
    {"TightHorizontal", BooleanColumn, 1, false, false},
    {"TopStyle", ShortTextColumn, 255, false, false},
    {"UseBGColor", BooleanColumn, 1, false, false},
};
constexpr KeyDef kBorderFormattingKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, ReportObject_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_BorderFormatting_ReportObjects", "Report_Id, ReportObject_Id",
     "ReportObjects", "Report_Id, ReportObject_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kCommonFormattingColumns[] = {
    {"Report_Id", IntegerColumn, 10, false, false},
    {"ReportObject_Id", IntegerColumn, 10, false, false},
    {"CanGrow", BooleanColumn, 1, false, false},
    {"CloseBorderonPageBreak", BooleanColumn, 1, false, false},
    {"CssClass", ShortTextColumn, 255, false, false},
    {"HorizontalAlignment", IntegerColumn, 10, false, false},
    {"KeepTogether", BooleanColumn, 1, false, false},
    {"MaxLines", IntegerColumn, 10, false, false},
    {"Suppress", BooleanColumn, 1, false, false},
    {"SuppressEmbedded", BooleanColumn, 1, false, false},
    {"SuppressIfDuplicated", BooleanColumn, 1, false, false},
    {"TextRotationAngle", IntegerColumn, 10, false, false},
    {"ToolTip", LongTextColumn, 1000, false, false},
};
constexpr KeyDef kCommonFormattingKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, ReportObject_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_CommonFormatting_ReportObjects", "Report_Id, ReportObject_Id",
     "ReportObjects", "Report_Id, ReportObject_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kParagraphFormattingColumns[] = {
    {"Report_Id", IntegerColumn, 10, false, false},
    {"ReportObject_Id", IntegerColumn, 10, false, false},
    {"FirstLineIndent", IntegerColumn, 10, false, false},
    {"LeftIndent", IntegerColumn, 10, false, false},
    {"LineSpacing", DoubleColumn, 10, false, false},
    {"LineSpacingType", ShortTextColumn, 255, false, false},
    {"RightIndent", IntegerColumn, 10, false, false},
    {"TextFormat", IntegerColumn, 10, false, false},
};
constexpr KeyDef kParagraphFormattingKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, ReportObject_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_ParagraphFormatting_ReportObjects", "Report_Id, ReportObject_Id",
     "ReportObjects", "Report_Id, ReportObject_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kFontColumns[] = {
    {"Report_Id", IntegerColumn, 10, false, false},
    {"Font_Id", IntegerColumn, 10, false, false},
    {"Bold", BooleanColumn, 1, false, false},
    {"Charset", IntegerColumn, 10, false, false},
    {"Italic", BooleanColumn, 1, false, false},
    {"FontName", ShortTextColumn, 255, false, false},
    {"FontSize", DoubleColumn, 10, false, false},
    {"Strikethrough", BooleanColumn, 1, false, false},
    {"Underline", BooleanColumn, 1, false, false},
    {"Weight", IntegerColumn, 10, false, false},
};
constexpr KeyDef kFontKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, Font_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_Font_Reports", "Report_Id", "Reports", "Report_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kFontFormattingColumns[] = {
    {"Report_Id", IntegerColumn, 10, false, false},
    {"ReportObject_Id", IntegerColumn, 10, false, false},
    {"Font_Id", IntegerColumn, 10, false, false},
    {"CharacterSpacing", IntegerColumn, 10, false, false},
    {"Color", ShortTextColumn, 255, false, false},
};
constexpr KeyDef kFontFormattingKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, ReportObject_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_FontFormatting_ReportObjects", "Report_Id, ReportObject_Id",
     "ReportObjects", "Report_Id, ReportObject_Id", DeleteRule::Cascade},
    {KeyKind::Foreign, "FK_FontFormatting_Font", "Report_Id, Font_Id", "Font", "Report_Id, Font_Id",
     DeleteRule::Cascade},
};
constexpr ColumnDef kHyperlinkFormattingColumns[] = {
    {"Report_Id", IntegerColumn, 10, false, false},
    {"ReportObject_Id", IntegerColumn, 10, false, false},
    {"HyperlinkType", ShortTextColumn, 255, false, false},
    {"HyperlinkText", ShortTextColumn, 255, false, false},
};
constexpr KeyDef kHyperlinkFormattingKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, ReportObject_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_HyperlinkFormatting_ReportObjects", "Report_Id, ReportObject_Id",
     "ReportObjects", "Report_Id, ReportObject_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kFieldElementsMappingColumns[] = {
    {"Report_Id", IntegerColumn, 10, false, false},
    {"ReportObject_Id", IntegerColumn, 10, false, false},
    {"FieldElement_Id", IntegerColumn, 10, false, false},
    {"FieldElementSeq", IntegerColumn, 10, false, false},
};
constexpr KeyDef kFieldElementsMappingKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, ReportObject_Id, FieldElement_Id", "", "",
     DeleteRule::None},
    {KeyKind::Foreign, "FK_FieldElementsMapping_ReportObjects", "Report_Id, ReportObject_Id",
     "ReportObjects", "Report_Id, ReportObject_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kBoxObjectsColumns[] = {
    {"Report_Id", IntegerColumn, 10, false, false},
    {"ReportObject_Id", IntegerColumn, 10, false, false},
    {"CloseAtPageBreak", BooleanColumn, 1, false, false},
    {"CornerEllipseHeight", IntegerColumn, 10, false, false},
    {"CornerEllipseWidth", IntegerColumn, 10, false, false},
    {"CssClass", ShortTextColumn, 255, false, false},
    {"ExtendToBottomOfSection", BooleanColumn, 1, false, false},
    {"FillColor", ShortTextColumn, 255, false, false},
    {"HasDropShadow", BooleanColumn, 1, false, false},
    {"LineColor", ShortTextColumn, 255, false, false},
    {"LineStyle", ShortTextColumn, 255, false, false},
    {"LineThickness", IntegerColumn, 10, false, false},
    {"Name", ShortTextColumn, 255, false, false},
    {"Kind", ShortTextColumn, 255, false, false},
    {"Suppress", BooleanColumn, 1, false, false},
};
constexpr KeyDef kBoxObjectsKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, ReportObject_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_BoxObject_ReportObjects", "Report_Id, ReportObject_Id", "ReportObjects",
     "Report_Id, ReportObject_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kBlobObjectsColumns[] = {
    {"Report_Id", IntegerColumn, 10, false, false},
    {"ReportObject_Id", IntegerColumn, 10, false, false},
    {"Name", ShortTextColumn, 255, false, false},
    {"BottomCropping", IntegerColumn, 10, false, false},
    {"LeftCropping", IntegerColumn, 10, false, false},
    {"TopCropping", IntegerColumn, 10, false, false},
    {"RightCropping", IntegerColumn, 10, false, false},
    {"XScaling", IntegerColumn, 10, false, false},
    {"YScaling", IntegerColumn, 10, false, false},
    {"Kind", ShortTextColumn, 255, false, false},
    // Null for an object whose field has no definition.
    {"DatabaseField_Id", IntegerColumn, 10, true, false},
};
constexpr KeyDef kBlobObjectsKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, ReportObject_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_BlobObjects_DatabaseFields", "Report_Id, DatabaseField_Id",
     "DatabaseFields", "Report_Id, Field_Id", DeleteRule::Cascade},
    {KeyKind::Foreign, "FK_BlobObjects_ReportObjects", "Report_Id, ReportObject_Id",
     "ReportObjects", "Report_Id, ReportObject_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kBooleanFormattingColumns[] = {
    {"Report_Id", IntegerColumn, 10, false, false},
    {"ReportObject_Id", IntegerColumn, 10, false, false},
    {"BooleanOutputType", ShortTextColumn, 255, false, false},
};
constexpr KeyDef kBooleanFormattingKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, ReportObject_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_BooleanFormatting_ReportObjects", "Report_Id, ReportObject_Id",
     "ReportObjects", "Report_Id, ReportObject_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kCurrencyFormattingColumns[] = {
    {"Report_Id", IntegerColumn, 10, false, false},
    {"ReportObject_Id", IntegerColumn, 10, false, false},
    {"PositionType", ShortTextColumn, 255, false, false},
    {"Symbol", ShortTextColumn, 255, false, false},
    {"SymbolType", ShortTextColumn, 255, false, false},
    {"UseOneSymbolPerPage", BooleanColumn, 1, false, false},
};
constexpr KeyDef kCurrencyFormattingKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, ReportObject_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_CurrencyFormatting_ReportObjects", "Report_Id, ReportObject_Id",
     "ReportObjects", "Report_Id, ReportObject_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kDateFormattingColumns[] = {
    {"Report_Id", IntegerColumn, 10, false, false},
    {"ReportObject_Id", IntegerColumn, 10, false, false},
    {"CalendarType", ShortTextColumn, 255, false, false},
    {"DayType", ShortTextColumn, 255, false, false},
    {"EraType", ShortTextColumn, 255, false, false},
    {"FirstSeparator", ShortTextColumn, 255, false, false},
    {"LeadingDayPosition", ShortTextColumn, 255, false, false},
    {"LeadingDaySeparator", ShortTextColumn, 255, false, false},
    {"LeadingDayType", ShortTextColumn, 255, false, false},
    {"MonthType", ShortTextColumn, 255, false, false},
    {"DateOrder", ShortTextColumn, 255, false, false},
    {"PrefixSeparator", ShortTextColumn, 255, false, false},
    {"SecondSeparator", ShortTextColumn, 255, false, false},
    {"SuffixSeparator", ShortTextColumn, 255, false, false},
    {"YearType", ShortTextColumn, 255, false, false},
};
constexpr KeyDef kDateFormattingKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, ReportObject_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_DateFormatting_ReportObjects", "Report_Id, ReportObject_Id",
     "ReportObjects", "Report_Id, ReportObject_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kDateTimeFormattingColumns[] = {
    {"Report_Id", IntegerColumn, 10, false, false},
    {"ReportObject_Id", IntegerColumn, 10, false, false},
    {"DateWindowsDefaultType", ShortTextColumn, 255, false, false},
};
constexpr KeyDef kDateTimeFormattingKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, ReportObject_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_DateTimeFormatting_ReportObjects", "Report_Id, ReportObject_Id",
     "ReportObjects", "Report_Id, ReportObject_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kNumberFormattingColumns[] = {
    {"Report_Id", IntegerColumn, 10, false, false},
    {"ReportObject_Id", IntegerColumn, 10, false, false},
    {"DecimalPlaces", IntegerColumn, 10, false, false},
    {"DecimalSymbol", ShortTextColumn, 255, false, false},
    {"DisplayReverseSign", ShortTextColumn, 255, false, false},
    {"NegativeType", ShortTextColumn, 255, false, false},
    {"RoundingType", ShortTextColumn, 255, false, false},
    {"ThousandsSeparators", BooleanColumn, 1, false, false},
    {"ThousandSymbol", ShortTextColumn, 255, false, false},
    {"ZeroValueString", ShortTextColumn, 255, false, false},
};
constexpr KeyDef kNumberFormattingKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, ReportObject_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_NumberFormatting_ReportObjects", "Report_Id, ReportObject_Id",
     "ReportObjects", "Report_Id, ReportObject_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kTimeFormattingColumns[] = {
    {"Report_Id", IntegerColumn, 10, false, false},
    {"ReportObject_Id", IntegerColumn, 10, false, false},
    {"AmPmPosition", ShortTextColumn, 255, false, false},
    {"AmString", ShortTextColumn, 255, false, false},
    {"HourMinuteSeparator", ShortTextColumn, 255, false, false},
    {"HourType", ShortTextColumn, 255, false, false},
    {"MinuteSecondSeparator", ShortTextColumn, 255, false, false},
    {"MinuteType", ShortTextColumn, 255, false, false},
    {"PmString", ShortTextColumn, 255, false, false},
    {"SecondType", ShortTextColumn, 255, false, false},
    {"TimeBase", ShortTextColumn, 255, false, false},
    {"UseLeadingZero", BooleanColumn, 1, false, false},
    {"UseSystemDefaults", BooleanColumn, 1, false, false},
};
constexpr KeyDef kTimeFormattingKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, ReportObject_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_TimeFormatting_ReportObjects", "Report_Id, ReportObject_Id",
     "ReportObjects", "Report_Id, ReportObject_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kCrossTabObjectsColumns[] = {
    {"Report_Id", IntegerColumn, 10, false, false},
    {"ReportObject_Id", IntegerColumn, 10, false, false},
    {"Name", ShortTextColumn, 255, false, false},
    {"ColumnGrandTotalColor", ShortTextColumn, 255, false, false},
    {"EnableKeepColumnsTogether", BooleanColumn, 1, false, false},
    {"EnableRepeatRowLabels", BooleanColumn, 1, false, false},
    {"EnableShowCellMargins", BooleanColumn, 1, false, false},
    {"EnableShowGrid", BooleanColumn, 1, false, false},
    {"EnableSuppressColumnGrandTotals", BooleanColumn, 1, false, false},
    {"enableSuppressEmptyCols", BooleanColumn, 1, false, false},
    {"EnableSuppressEmptyRows", BooleanColumn, 1, false, false},
    {"EnableSuppressRowGrandTotals", BooleanColumn, 1, false, false},
    {"Kind", ShortTextColumn, 255, false, false},
    {"RowGrandTotalColor", ShortTextColumn, 255, false, false},
};
constexpr KeyDef kCrossTabObjectsKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, ReportObject_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_CrossTabObject_ReportObjects", "Report_Id, ReportObject_Id",
     "ReportObjects", "Report_Id, ReportObject_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kCrossTabGroupsColumns[] = {
    {"Report_Id", IntegerColumn, 10, false, false},
    {"ReportObject_Id", IntegerColumn, 10, false, false},
    {"Type", ShortTextColumn, 255, false, false},
    {"Group_Id", IntegerColumn, 10, false, false},
    // Null for a group whose field has no definition.
    {"Field_Id", IntegerColumn, 10, true, false},
    {"BackgroundColor", ShortTextColumn, 255, false, false},
    {"Condition", ShortTextColumn, 255, false, false},
    {"EnableSuppressLabel", BooleanColumn, 1, false, false},
    {"EnableSuppressSubtotal", BooleanColumn, 1, false, false},
    {"Kind", ShortTextColumn, 255, false, false},
    {"SortDirection", ShortTextColumn, 255, false, false},
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
    {"Report_Id", IntegerColumn, 10, false, false},
    {"ReportObject_Id", IntegerColumn, 10, false, false},
    {"Name", ShortTextColumn, 255, false, false},
    {"OleSource", ShortTextColumn, 255, false, false},
    {"Kind", ShortTextColumn, 255, false, false},
};
constexpr KeyDef kOleObjectsKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, ReportObject_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_OleObject_ReportObjects", "Report_Id, ReportObject_Id", "ReportObjects",
     "Report_Id, ReportObject_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kPictureFormattingColumns[] = {
    {"Report_Id", IntegerColumn, 10, false, false},
    {"ReportObject_Id", IntegerColumn, 10, false, false},
    {"BottomCropping", IntegerColumn, 10, false, false},
    {"TopCropping", IntegerColumn, 10, false, false},
    {"LeftCropping", IntegerColumn, 10, false, false},
    {"RightCropping", IntegerColumn, 10, false, false},
    {"ScaledHeight", IntegerColumn, 10, false, false},
    {"ScaledWidth", IntegerColumn, 10, false, false},
    {"XScaling", IntegerColumn, 10, false, false},
    {"YScaling", IntegerColumn, 10, false, false},
};
constexpr KeyDef kPictureFormattingKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, ReportObject_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_PictureFormatting_ReportObjects", "Report_Id, ReportObject_Id",
     "ReportObjects", "Report_Id, ReportObject_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kOlapGridObjectsColumns[] = {
    {"Report_Id", IntegerColumn, 10, false, false},
    {"ReportObject_Id", IntegerColumn, 10, false, false},
    {"Name", ShortTextColumn, 255, false, false},
    {"Kind", ShortTextColumn, 255, false, false},
};
constexpr KeyDef kOlapGridObjectsKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, ReportObject_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_OlapGridObjects_ReportObjects", "Report_Id, ReportObject_Id",
     "ReportObjects", "Report_Id, ReportObject_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kGraphObjectsColumns[] = {
    {"Report_Id", IntegerColumn, 10, false, false},
    {"ReportObject_Id", IntegerColumn, 10, false, false},
    {"Name", ShortTextColumn, 255, false, false},
    {"AutoRangeData2Axis", BooleanColumn, 10, false, false},
    {"AutoRangeDataAxis", BooleanColumn, 10, false, false},
    {"AutoRangeSeriesAxis", BooleanColumn, 10, false, false},
    {"BarSize", ShortTextColumn, 255, false, false},
    {"CrossTabObject_Id", IntegerColumn, 10, false, false},
    {"Data2AxisDivisionMethod", ShortTextColumn, 255, false, false},
    {"Data2AxisDivisionNumber", IntegerColumn, 10, false, false},
    {"Data2AxisGridline", ShortTextColumn, 255, false, false},
    {"Data2AxisNumberFormat", ShortTextColumn, 255, false, false},
    {"Data2LabelFont_Id", IntegerColumn, 10, false, false},
    {"Data2Title", LongTextColumn, 2000, false, false},
    {"Data2TitleFont_Id", IntegerColumn, 10, false, false},
    {"DataAxisDivisionMethod", ShortTextColumn, 255, false, false},
    {"DataAxisDivisionNumber", IntegerColumn, 10, false, false},
    {"DataAxisGridline", ShortTextColumn, 255, false, false},
    {"DataAxisNumberFormat", ShortTextColumn, 255, false, false},
    {"DataLabelFont_Id", IntegerColumn, 10, false, false},
    {"DataPoint", ShortTextColumn, 255, false, false},
    {"DataTitle", LongTextColumn, 2000, false, false},
    {"DataTitleFont_Id", IntegerColumn, 10, false, false},
    {"DataType", ShortTextColumn, 255, false, false},
    {"DataValueNumberFormat", ShortTextColumn, 255, false, false},
    {"EnableAutoScaleData2Axis", BooleanColumn, 1, false, false},
    {"EnableAutoScaleDataAxis", BooleanColumn, 1, false, false},
    {"EnableAutoScaleSeriesAxis", BooleanColumn, 1, false, false},
    {"EnableForEachRecord", BooleanColumn, 1, false, false},
    {"EnableShowLegend", BooleanColumn, 1, false, false},
    {"EnableSummarizeValues", BooleanColumn, 1, false, false},
    {"FootNote", LongTextColumn, 2000, false, false},
    {"FootnoteFont_Id", IntegerColumn, 10, false, false},
    {"GraphColor", ShortTextColumn, 255, false, false},
    {"GraphDirection", ShortTextColumn, 255, false, false},
    {"GraphType", ShortTextColumn, 255, false, false},
    {"GroupAxisGridline", ShortTextColumn, 255, false, false},
    {"GroupLabelFont_Id", IntegerColumn, 10, false, false},
    {"GroupsTitle", LongTextColumn, 2000, false, false},
    {"GroupTitleFont_Id", IntegerColumn, 10, false, false},
    {"IsData2TitleByDefault", BooleanColumn, 1, false, false},
    {"IsDataTitleByDefault", BooleanColumn, 1, false, false},
    {"IsFootnoteByDefault", BooleanColumn, 1, false, false},
    {"IsGroupsTitleByDefault", BooleanColumn, 1, false, false},
    {"IsSeriesTitleByDefault", BooleanColumn, 1, false, false},
    {"IsSubTitleByDefault", BooleanColumn, 1, false, false},
    {"IsTitleByDefault", BooleanColumn, 1, false, false},
    {"IsXAxisTitleByDefault", BooleanColumn, 1, false, false},
    {"IsYAxisTitleByDefault", BooleanColumn, 1, false, false},
    {"IsZAxisTitleByDefault", BooleanColumn, 1, false, false},
    {"Kind", ShortTextColumn, 255, false, false},
    {"LegendFont_Id", IntegerColumn, 10, false, false},
    {"LegendLayout", ShortTextColumn, 255, false, false},
    {"LegendPosition", ShortTextColumn, 255, false, false},
    {"MarkerShape", ShortTextColumn, 255, false, false},
    {"MarkerSize", ShortTextColumn, 255, false, false},
    {"MaxData2AxisValue", IntegerColumn, 10, false, false},
    {"MaxDataAxisValue", IntegerColumn, 10, false, false},
    {"MaxSeriesAxisValue", IntegerColumn, 10, false, false},
    {"MinData2AxisValue", IntegerColumn, 10, false, false},
    {"MinDataAxisValue", IntegerColumn, 10, false, false},
    {"MinsSeriesAxisValue", IntegerColumn, 10, false, false},
    {"PieSize", ShortTextColumn, 255, false, false},
    {"SeriesAxisDivisionMethod", ShortTextColumn, 255, false, false},
    {"SeriesAxisDivisionNumber", IntegerColumn, 10, false, false},
    {"SeriesAxisGridline", ShortTextColumn, 255, false, false},
    {"SeriesAxisNumberFormat", ShortTextColumn, 255, false, false},
    {"SeriesLabelFont_Id", IntegerColumn, 10, false, false},
    {"SeriesTitle", LongTextColumn, 2000, false, false},
    {"SeriesTitleFont_Id", IntegerColumn, 10, false, false},
    {"SliceDetachment", ShortTextColumn, 255, false, false},
    {"SubTitle", LongTextColumn, 2000, false, false},
    {"SubTitleFont_Id", IntegerColumn, 10, false, false},
    {"Title", LongTextColumn, 2000, false, false},
    {"TitleFont_Id", IntegerColumn, 10, false, false},
    {"ViewingAngle", ShortTextColumn, 255, false, false},
    {"XAxisTitle", LongTextColumn, 2000, false, false},
    {"Y2AxisTitle", LongTextColumn, 2000, false, false},
    {"YAxisTitle", LongTextColumn, 2000, false, false},
    {"ZAxisTitle", LongTextColumn, 2000, false, false},
};
constexpr KeyDef kGraphObjectsKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, ReportObject_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_GraphObjects_ReportObjects", "Report_Id, ReportObject_Id",
     "ReportObjects", "Report_Id, ReportObject_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kObjectFieldMappingColumns[] = {
    {"Report_Id", IntegerColumn, 10, false, false},
    {"ReportObject_Id", IntegerColumn, 10, false, false},
    {"Field_Id", IntegerColumn, 10, false, false},
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
    {"Report_Id", IntegerColumn, 10, false, false},
    {"ReportObject_Id", IntegerColumn, 10, false, false},
    {"Name", ShortTextColumn, 255, false, false},
    {"Kind", ShortTextColumn, 255, false, false},
};
constexpr KeyDef kMapObjectsKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, ReportObject_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_MapObject_ReportObjects", "Report_Id, ReportObject_Id", "ReportObjects",
     "Report_Id, ReportObject_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kSubreportObjectsColumns[] = {
    {"Report_Id", IntegerColumn, 10, false, false},
    {"ReportObject_Id", IntegerColumn, 10, false, false},
    {"Name", ShortTextColumn, 255, false, false},
    {"Kind", ShortTextColumn, 255, false, false},
    {"SubReport_Report_Id", IntegerColumn, 10, false, false},
};
constexpr KeyDef kSubreportObjectsKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, ReportObject_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_SubreportObject_ReportObjects", "Report_Id, ReportObject_Id",
     "ReportObjects", "Report_Id, ReportObject_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kSubreportFormattingColumns[] = {
    {"Report_Id", IntegerColumn, 10, false, false},
    {"ReportObject_Id", IntegerColumn, 10, false, false},
    {"SubreportName", LongTextColumn, 2000, false, false},
    {"EnableOnDemand", BooleanColumn, 1, false, false},
};
constexpr KeyDef kSubreportFormattingKeys[] = {
    {KeyKind::Primary, "PrimaryKey", "Report_Id, ReportObject_Id", "", "", DeleteRule::None},
    {KeyKind::Foreign, "FK_SubreportFormatting_ReportObjects", "Report_Id, ReportObject_Id",
     "ReportObjects", "Report_Id, ReportObject_Id", DeleteRule::Cascade},
};
constexpr ColumnDef kTVDBControlColumns[] = {
    {"ControlKey", ShortTextColumn, 255, false, false},
    {"ControlValue", ShortTextColumn, 255, false, false},
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
        case IntegerColumn:
        case BooleanColumn:
            return QStringLiteral("INTEGER");
        case DoubleColumn:
            return QStringLiteral("REAL");
        case DateColumn:
        case ShortTextColumn:
        case LongTextColumn:
            break;
    }
    return QStringLiteral("TEXT");
}

QStringList keyColumns(const char* columns) {
    if (!*columns) return {};
    return QString::fromLatin1(columns).split(QLatin1String(", "));
}

QString leftWhole(const QString& text, qsizetype length) {
    if (length < text.size() && length > 0 && text[length - 1].isHighSurrogate()) --length;
    return text.left(length);
}

QString fitText(const ColumnDef& column, const QString& text) {
    return column.type == ShortTextColumn && text.size() > column.definedSize
               ? leftWhole(text, column.definedSize)
               : text;
}

QString columnSql(const ColumnDef& column) {
    QString sql = quoted(QLatin1String(column.name)) + QLatin1Char(' ') + sqlType(column.type);
    if (!column.nullable) sql += QLatin1String(" NOT NULL");
    // Short text keeps its limit, so that every file holds what any reader of it accepts.
    if (column.type == ShortTextColumn) {
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
