#include "DatabaseWriter.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>
#include <QVarLengthArray>
#include <limits>

#include "CodeTexts.h"
#include "DatabaseConnection.h"
#include "DatabaseCreator.h"
#include "DatabaseSchema.h"
#include "DatabaseSession.h"
#include "ExtractOptions.h"
#include "InsertStatements.h"
#include "RowBatch.h"
#include "RunLog.h"
#include "RunLogStep.h"
#include "RunReporter.h"
#include "SharedBlocks.h"
#include "TextUtilities.h"
#include "tvArea.h"
#include "tvBlobObject.h"
#include "tvBoxObject.h"
#include "tvConditionalFormula.h"
#include "tvCrossTabObject.h"
#include "tvDatabase.h"
#include "tvDatabaseFieldDefinition.h"
#include "tvDatabaseTable.h"
#include "tvExportObject.h"
#include "tvFieldElement.h"
#include "tvFieldObject.h"
#include "tvFormulaField.h"
#include "tvGraphObject.h"
#include "tvGroupNameField.h"
#include "tvIReportObject.h"
#include "tvLineObject.h"
#include "tvMapObject.h"
#include "tvOLAPGridObject.h"
#include "tvOleObject.h"
#include "tvParameterFieldDefinition.h"
#include "tvPrinterObject.h"
#include "tvReport.h"
#include "tvReportStatistics.h"
#include "tvRunningTotalFieldDefinition.h"
#include "tvSQLExpressionFieldDefinition.h"
#include "tvSection.h"
#include "tvSortField.h"
#include "tvSpecialVarFieldDefinition.h"
#include "tvSubReportObject.h"
#include "tvSummaryFieldDefinition.h"
#include "tvTextObject.h"

namespace tav::database {

using namespace core;
using namespace doctext;

namespace {

// Flags are stored as the engine's own true and false.
QVariant flag(bool value) { return value ? 1 : 0; }

// A date as the engine's date text; a date that was never set is the runtime's zero date.
QVariant dateText(const QDateTime& date) {
    const QDateTime shown = date.isValid() ? date.toLocalTime() : tvZeroDate();
    return shown.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

// The model keeps a few switches and numbers as the runtime's texts.
QVariant flagText(const QString& text) {
    return flag(text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0 || text.toInt() != 0);
}

// `value` as its text, whatever its type; numbers with '.'.
QString valueText(const QVariant& value) {
    if (value.typeId() == QMetaType::Double) return QString::number(value.toDouble(), 'g', 15);
    return value.toString();
}

QString sqlQuote(const QString& text) {
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

// A subreport's stored file name: its main report's, this separator, its own name.
const QString kSubreportSeparator = QStringLiteral("|");
// The longest object name stored.
constexpr qsizetype kObjectNameLength = 1996;

// The report's path as stored and compared: absolute, cleaned, links resolved, so that every
// spelling of one file names one report.
QString storedReportPath(const QString& path) {
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

const ColumnDef& schemaColumn(const char* table, const char* column) {
    return *schemaTable(QLatin1String(table))->column(QLatin1String(column));
}

// A report's path as its row stores it and every lookup finds it: whole where the column holds
// it, else its beginning and a digest of the whole path, so that two long paths alike in their
// beginning stay two reports and the next run finds its own row again.
QString storedPathText(const QString& path) {
    static const ColumnDef& column = schemaColumn("Reports", "ReportFileName");
    if (path.size() <= column.definedSize) return path;
    const QString digest =
        QLatin1Char('~') +
        QString::fromLatin1(
            QCryptographicHash::hash(path.toUtf8(), QCryptographicHash::Sha256).toHex().left(16));
    return leftWhole(path, column.definedSize - digest.size()) + digest;
}

// A number that the model keeps as text: whole numbers as integers, others with their fraction.
QVariant numberText(const QString& text) {
    const double value = text.trimmed().toDouble();
    const qint64 whole = static_cast<qint64>(value);
    return static_cast<double>(whole) == value ? QVariant(whole) : QVariant(value);
}

// A row's key columns followed by its own: the columns of one insert.
QVarLengthArray<DatabaseWriter::Column, 32> withKeys(
    std::initializer_list<DatabaseWriter::Column> keys,
    std::initializer_list<DatabaseWriter::Column> columns) {
    QVarLengthArray<DatabaseWriter::Column, 32> all;
    all.reserve(qsizetype(keys.size() + columns.size()));
    all.append(keys.begin(), qsizetype(keys.size()));
    all.append(columns.begin(), qsizetype(columns.size()));
    return all;
}

// A name that `column` holds once per report, where the report may have two: the second is
// stored as "<name> (2)", the third as "<name> (3)", each cut so that its number stays. `taken`
// holds the names stored so far. A name stored as it came is cut where rows are written, which
// says so in the run log.
QString distinctName(const ColumnDef& column, const QString& name, QSet<QString>& taken) {
    const QString stored = fitText(column, name);
    QString distinct = stored;
    for (int n = 2; taken.contains(distinct); ++n) {
        const QString number = QStringLiteral(" (%1)").arg(n);
        distinct = leftWhole(stored, column.definedSize - number.size()) + number;
    }
    taken.insert(distinct);
    return distinct == stored ? name : distinct;
}

qint32 nextId(qint32& counter) {
    if (counter == std::numeric_limits<qint32>::max())
        throw DatabaseError(QStringLiteral("Overflow"));
    return ++counter;
}

}  // namespace

DatabaseWriter::DatabaseWriter(const QString& reportOwner, DatabaseSession& session)
    : session_(&session), subreportIds_(&ownSubreportIds_), reportOwner_(reportOwner) {}
DatabaseWriter::DatabaseWriter(const QString& reportOwner, RunLog& log, RunReporter& reporter)
    : ownSession_(std::make_unique<DatabaseSession>(log, reporter)),
      session_(ownSession_.get()),
      subreportIds_(&ownSubreportIds_),
      reportOwner_(reportOwner) {}
DatabaseWriter::DatabaseWriter(const DatabaseWriter& main, QHash<QString, qint32>& subreports)
    : session_(main.session_),
      connection_(main.connection_),
      subreportIds_(&subreports),
      subreport_(true),
      reportOwner_(main.reportOwner_) {}
DatabaseWriter::~DatabaseWriter() = default;

RunLog& DatabaseWriter::log() const { return session_->log(); }

bool DatabaseWriter::WriteReport(const tvReport& model, const QString& reportName,
                                 const QString& databasePath, const QString&, QString* error) {
    const auto failed = [&](const QString& reason) {
        if (error) *error = reason;
        connection_ = nullptr;
        return false;
    };
    try {
        logStep(log(),
                QStringLiteral("Generating DB for report: ") + withVisibleControls(reportName));
        try {
            connection_ = &session_->connect(databasePath);
        } catch (const DatabaseError& failure) {
            logStep(log(), QStringLiteral("Unable to open the database: ") + failure.text());
            return failed(failure.text());
        }
        session_->reporter().status(reportName + QStringLiteral(" - Writing database"));
        try {
            const tvReportStatistics none;
            session_->store(reportName, [&] {
                writeRows(model, storedReportPath(model.reportFileName),
                          model.tvReportStatistics ? *model.tvReportStatistics : none);
            });
        } catch (const std::exception& failure) {
            const auto* databaseError = dynamic_cast<const DatabaseError*>(&failure);
            const QString reason =
                databaseError ? databaseError->text() : QString::fromUtf8(failure.what());
            connection_ = nullptr;
            logStep(log(), QStringLiteral("Database update failed: ") + reason);
            return failed(reason);
        }
    } catch (const RunLogLost& lost) {
        // A report whose steps the run log cannot take fails with the log's reason.
        return failed(QString::fromUtf8(lost.what()));
    }
    connection_ = nullptr;
    return true;
}

// The rows of one report; a subreport's writer starts here, inside its main report's
// transaction.
void DatabaseWriter::writeRows(const tvReport& model, const QString& storedFileName,
                               const tvReportStatistics& statistics) {
    statistics_ = &statistics;
    storedPath_ = storedFileName;
    storedFileName_ = storedPathText(storedFileName);
    deleteReportData();
    model_ = &model;
    // Rows that a failed report left waiting are not stored with this one.
    if (!subreport_) session_->rows().clear();
    fieldIds_.clear();
    databaseFieldIds_.clear();
    written_.clear();
    tableNames_.clear();
    registryNames_.clear();
    fieldIdCounter_ = 0;
    tableIdCounter_ = 0;
    formulaIdCounter_ = 0;
    fontIdCounter_ = 0;

    fillReport(model);
    fillReportStatistics(statistics);
    if (model.tvPrinterObject) fillPrinter(*model.tvPrinterObject);
    fillReportDatabase();
    if (model.tvDatabase) fillTables(*model.tvDatabase);
    fillParameterFields();
    if (model.tvExportObject) fillExportOptions(*model.tvExportObject);
    fillFormulaFields();
    fillGroupNameFields();
    fillSQLExpressionFields();
    fillSummaryFields(model.tvSummaryFieldDefinitions);
    fillRunningTotalFields();
    fillSortFields();
    fillSpecialVarFields();
    fillAreas();
    // A subreport's rows wait with its main report's, to be stored together.
    if (!subreport_) flush();
}

// The report's rows go with its reports row, through the cascading relations; its subreports
// are reports of their own that its subreport objects link to, and go with it, their own
// subreports too, at every depth. The links, not the subreports' names, find them: a path may
// hold any character, and a subreport that was taken out of its parent since has no name to
// look for.
void DatabaseWriter::deleteReportData() {
    logStep(log(), QStringLiteral("Deleting report Data"));
    QVariantList reports;
    {
        const QVariant key[] = {storedFileName_, statistics_->revisionNumber};
        const QList<qint64> found = connection_->integers(
            QStringLiteral("WITH RECURSIVE Found(Id) AS (SELECT Report_Id FROM Reports WHERE "
                           "ReportFileName = ? AND RevisionNumber = ? UNION SELECT "
                           "s.SubReport_Report_Id FROM SubreportObjects s JOIN Found f ON "
                           "s.Report_Id = f.Id) SELECT Id FROM Found"),
            key, std::size(key));
        for (const qint64 report : found) reports << report;
    }
    if (reports.isEmpty()) return;
    // Table by table, the rows that refer to others first: see InsertStatements::deletes.
    const QStringList& statements = session_->statements().deletes(reports.size());
    const QVariantList twice = reports + reports;
    for (qsizetype i = 0; i < statements.size(); ++i) {
        // The first, of the sorts on no field, names the reports twice.
        const QVariantList& values = i == 0 ? twice : reports;
        connection_->write(statements[i], values.constData(), values.size());
    }
}

void DatabaseWriter::insert(const char* table, std::initializer_list<Column> columns) {
    insertRow(table, std::span<const Column>(columns.begin(), columns.size()));
}

void DatabaseWriter::insertRow(const char* table, std::span<const Column> columns) {
    session_->rows().add(*connection_, table, columns);
}

qint64 DatabaseWriter::insertNow(const char* table, std::initializer_list<Column> columns) {
    return session_->rows().insertNow(*connection_, table,
                                      std::span<const Column>(columns.begin(), columns.size()));
}

void DatabaseWriter::flush(const char* table) { session_->rows().flush(*connection_, table); }

qint32 DatabaseWriter::nextFieldId() { return nextId(fieldIdCounter_); }
qint32 DatabaseWriter::nextTableId() { return nextId(tableIdCounter_); }

// Enters one definition in the fields registry, under `fieldId` or, when it is 0, a new id.
// The registry holds a name once per report: a second definition of a name already there (of
// another kind, or alike in the characters the column keeps) is entered under a numbered name.
qint32 DatabaseWriter::fillField(const QString& name, qint16 kind, qint32 fieldId) {
    static const ColumnDef& nameColumn = schemaColumn("Fields", "Name");
    const qint32 id = fieldId == 0 ? nextFieldId() : fieldId;
    insert("Fields", {{"Field_Id", id},
                      {"Report_Id", reportId_},
                      {"Name", distinctName(nameColumn, name, registryNames_)},
                      {"Kind", kind}});
    fieldIds_.insert({kind, name}, id);
    return id;
}

// Definitions of two kinds may share a name (a parameter and a formula both called Region), and
// two names may differ only beyond what the column keeps: each is a definition of its own, found
// by its kind and its whole name.
qint32 DatabaseWriter::getFieldId(const QString& name, qint16 kind) {
    const auto known = fieldIds_.constFind({kind, name});
    if (known != fieldIds_.cend()) return *known;
    if (kind != tvDatabaseFieldKind) return -1;
    const qint32 databaseFieldId = getDatabaseFieldId(name);
    if (databaseFieldId == -1) return -1;
    return fillField(name, kind, databaseFieldId);
}

qint32 DatabaseWriter::getDatabaseFieldId(const QString& name) {
    return databaseFieldIds_.value(name, -1);
}

// A definition that is referred to before its own rows are written (a special field that a
// sort or a summary uses) enters the registry now; its own rows find it there later.
QVariant DatabaseWriter::fieldRef(const tvIFieldDefinition* definition) {
    if (!definition) return {};
    const qint32 id = getFieldId(definition->name, definition->kind);
    return id == -1 ? fillField(definition->name, definition->kind, 0) : id;
}

// The id for a definition's own row: the one it was registered under when something referred
// to it first, else a new one. Nothing when its row of `table` is written already (a definition
// of the same kind and name met again).
std::optional<qint32> DatabaseWriter::definitionId(const tvIFieldDefinition& definition,
                                                   const char* table) {
    const qint32 id = fieldRef(&definition).toInt();
    QSet<qint32>& rows = written_[QLatin1String(table)];
    if (rows.contains(id)) return std::nullopt;
    rows.insert(id);
    return id;
}

void DatabaseWriter::fillReport(const tvReport& r) {
    logStep(log(), QStringLiteral("Writing report data"));
    QVariant ownerId;
    const QString& owner = reportOwner_;
    if (!owner.isEmpty()) {
        // Owner names compare ignoring case, as when they are added; in code, since the
        // engine folds the case of ASCII letters only.
        QSqlQuery query =
            connection_->exec(QStringLiteral("SELECT ReportOwner_id, Name FROM ReportOwner"));
        while (ownerId.isNull() && query.next()) {
            if (query.value(1).toString().compare(owner, Qt::CaseInsensitive) == 0)
                ownerId = query.value(0).toInt();
        }
    }
    QString sql = r.sqlQueryString;
    sql.replace(QLatin1String("\r\n"), QLatin1String(" "));
    reportId_ = static_cast<qint32>(insertNow(
        "Reports",
        {{"TopMargin", r.topMargin},
         {"BottomMargin", r.bottomMargin},
         {"LeftMargin", r.leftMargin},
         {"RightMargin", r.rightMargin},
         {"CanPerformGroupingOnServer", r.canPerformGroupingOnServer},
         {"CaseInsensitiveSQLData", flag(r.caseInsensitiveSQLData)},
         {"ConvertDateTimeType", GetDateTimeConversionText(r.convertDateTimeType)},
         {"ConvertNullFieldToDefault", flag(r.convertNullFieldToDefault)},
         {"EnableAsyncQuery", flag(r.enableAsyncQuery)},
         {"EnableGeneratingDataForHiddenObject", flag(r.enableGeneratingDataForHiddenObject)},
         {"EnableParameterPrompting", flag(r.enableParameterPrompting)},
         {"EnablePerformQueriesAsynchronously", flag(r.enablePerformQueriesAsynchronously)},
         {"EnableSelectDistinctRecords", flag(r.enableSelectDistinctRecords)},
         {"FieldMappingType", GetFieldMappingText(r.fieldMappingType)},
         {"FormulaSyntax", GetFormulaSyntaxText(r.formulaSyntax)},
         {"GroupSelectionFormula", r.groupSelectionFormula},
         {"HasSavedData", flag(r.hasSavedData)},
         {"KeywordsInReport", r.keywordsInReport},
         {"LastGetFormulaSyntax", GetFormulaSyntaxText(r.lastGetFormulaSyntax)},
         {"NumberOfGroups", r.numberOfGroups},
         {"PerformGroupingOnServer", flag(r.performGroupingOnServer)},
         {"RecordSelectionFormula", r.recordSelectionFormula},
         {"ReportFormatStyle", GetReportFormatStyleText(r.reportFormatStyle.toInt())},
         {"Author", r.reportAuthor},
         {"Comments", r.reportComments},
         {"Subject", r.reportSubject},
         {"Template", r.reportTemplate},
         {"Title", r.reportTitle},
         // A main report's name is the file name of its stored path (the target of a link it
         // was reached through); a subreport's is its own.
         {"ReportName",
          reportFileName(subreportIds_ == &ownSubreportIds_ ? storedPath_ : r.reportFileName)},
         {"ReportFileName", storedFileName_},
         {"RevisionNumber", statistics_->revisionNumber},
         {"Kind", GetReportKindText(r.reportKind)},
         {"SavePreviewPicture", flag(r.savePreviewPicture)},
         {"SQLQueryString", sql},
         {"UseIndexForSpeed", flag(r.useIndexForSpeed)},
         {"VerifyOnEveryPrint", flag(r.verifyOnEveryPrint)},
         {"ReportOwner_Id", ownerId}}));
}

void DatabaseWriter::fillReportStatistics(const tvReportStatistics& s) {
    insert("Report_Statistics", {{"Report_Id", reportId_},
                                 {"Created", dateText(s.created)},
                                 {"lastPrinted", dateText(s.lastPrinted)},
                                 {"lastSaved", dateText(s.lastSaved)},
                                 {"lastSavedBy", s.lastSavedBy},
                                 {"revisionNumber", s.revisionNumber},
                                 {"totalEditTime", QString::number(s.totalEditTime)}});
}

void DatabaseWriter::fillPrinter(const tvPrinterObject& p) {
    logStep(log(), QStringLiteral("Writing printer data"));
    insert("Printer", {{"Report_Id", reportId_},
                       {"Driver", p.driver},
                       {"PaperOrientation", GetPaperOrientationText(p.PaperOrientation)},
                       {"PaperSize", GetPaperSizeText(p.PaperSize)},
                       {"PaperSource", GetPaperSourceText(p.PaperSource)},
                       {"PortName", p.PortName},
                       {"PrintDate", dateText(p.PrintDate)},
                       {"PrinterDuplex", GetPrinterDuplexText(p.PrinterDuplex)},
                       {"PrinterName", p.printerName}});
}

void DatabaseWriter::fillReportDatabase() {
    logStep(log(), QStringLiteral("Writing DB data"));
    insert("Report_Database", {{"Report_Id", reportId_}});
}

void DatabaseWriter::fillExportOptions(const tvExportObject& e) {
    logStep(log(), QStringLiteral("Writing export options data"));
    insert("Export_Options",
           {{"Report_Id", reportId_},
            {"ApplicationFileName", e.applicationFileName},
            {"CharFieldDelimeter", e.charFieldDelimeter},
            {"CharStringDelimeter", e.charStringDelimeter},
            {"DestinationDllName", e.destinationDLLName},
            {"DestinationType", GetExportDestinationText(e.destinationType)},
            {"DiskFileName", e.diskFileName},
            {"ExcelAreaGroupNumber", e.excelAreaGroupNumber},
            {"ExcelAreaKind", GetAreaKindText(e.excelAreaKind)},
            {"ExcelConstantColumnWidth", e.excelConstantColumnWidth},
            {"ExcelConvertDateToString", flag(e.excelConvertDateToString)},
            {"ExcelExportAllPages", flag(e.excelExportAllPages)},
            {"ExcelFirstPageNumber", e.excelFirstPageNumber},
            {"ExcelLastPageNumber", e.excelLastPageNumber},
            {"ExcelPageBreaks", flag(e.excelPageBreaks)},
            {"ExcelTabHasColumnHeadings", flag(e.excelTabHasColumnHeadings)},
            {"ExcelUseConstantColumnWidth", flag(e.excelUseConstantColumnWidth)},
            {"ExcelUseTabularFormat", flag(e.excelUseTabularFormat)},
            {"ExcelUseWorksheetFunctions", flag(e.excelUseWorksheetFunctions)},
            {"ExchangeDestinationType", GetExchangeDestinationTypeText(e.exchangeDestinationType)},
            {"ExchangeFolderPath", e.exchangeFolderPath},
            {"ExchangePassword", e.exchangePassword},
            {"ExchangePathHasColumnHeadings", flag(e.exchangePathHasColumnHeadings)},
            {"ExchangeProfile", e.exchangeProfile},
            {"FormatDllName", e.formatDLLName},
            {"FormatType", GetExportFormatText(e.formatType)},
            {"HTMLEnableSeparatePages", flag(e.htmlEnableSeparatePages)},
            {"HTMLFileName", e.htmlFileName},
            {"HTMLHasPageNavigator", flag(e.htmlHasPageNavigator)},
            {"LotusDominoComments", e.lotusDominoComments},
            {"LotusDominoDatabaseName", e.lotusDominoDatabaseName},
            {"LotusNotesFormName", e.lotusNotesFormName},
            {"MailBccList", e.mailBccList},
            {"MailCcList", e.mailCcList},
            {"MailMessage", e.mailMessage},
            {"MailSubject", e.mailSubject},
            {"MailToList", e.mailToList},
            {"MailUserName", e.mailUserName},
            {"NumberOfLinesPerPage", e.numberOfLinesPerPage},
            {"ODBCDataSourceName", e.odbcDataSourceName},
            {"ODBCDataSourcePassword", e.odbcDataSourcePassword},
            {"ODBCDataSourceUserID", e.odbcDataSourceUserId},
            {"ODBCExportTableName", e.odbcExportTableName},
            {"PDFExportAllPages", flag(e.pdfExportAllPages)},
            {"PDFFirstPageNumber", e.pdfFirstPageNumber},
            {"PDFLastPageNumber", e.pdfLastPageNumber},
            {"RTFExportAllPages", flag(e.rtfExportAllPages)},
            {"RTFFirstPageNumber", e.rtfFirstPageNumber},
            {"RTFLastPageNumber", e.rtfLastPageNumber},
            {"UseDefaultCharactersPerInch", flag(e.useDefaultCharactersPerInch)},
            {"UserDefinedCharactersPerInch", e.userDefinedCharactersPerInch},
            {"UseReportDateFormat", flag(e.useReportDateFormat)},
            {"UseReportNumberFormat", flag(e.useReportNumberFormat)},
            {"WORDWExportAllPages", flagText(e.wordWExportAllPages)},
            {"WORDWFirstPageNumber", e.wordWFirstPageNumber.toInt()},
            {"WORDWLastPageNumber", e.wordWLastPageNumber.toInt()},
            {"XMLAllowMultipleFiles", flag(e.xmlAllowMultipleFiles)},
            {"XMLFileName", e.xmlFileName}});
}

void DatabaseWriter::fillTables(const tvDatabase& database) {
    logStep(log(), QStringLiteral("Writing DB tables data"));
    static const ColumnDef& nameColumn = schemaColumn("Tables", "Name");
    for (const tvDatabaseTable& table : database.tables) {
        const qint32 tableId = nextTableId();
        const QString name = distinctName(nameColumn, table.name, tableNames_);
        insert("Tables", {{"Report_Id", reportId_},
                          {"Table_Id", tableId},
                          {"ConnectBufferString", table.connectBufferString},
                          {"DatabaseType", GetDatabaseTypeText(table.databaseType)},
                          {"DescriptiveName", table.descriptiveName},
                          {"DllName", table.dllName},
                          {"Location", table.location},
                          {"Name", name}});
        fillDatabaseFields(table.fields, tableId);
    }
}

// A database field enters the fields registry only when something refers to it.
void DatabaseWriter::fillDatabaseFields(const tvDatabaseFieldDefinitions& fields, qint32 tableId) {
    for (const tvDatabaseFieldDefinition& field : fields) {
        const qint32 fieldId = nextFieldId();
        // A later lookup by name finds the first field of that name.
        if (!databaseFieldIds_.contains(field.name)) databaseFieldIds_.insert(field.name, fieldId);
        insert("DatabaseFields", {{"Report_Id", reportId_},
                                  {"Field_Id", fieldId},
                                  {"Table_Id", tableId},
                                  {"DatabaseFieldDisplayName", field.databaseFieldDisplayName},
                                  {"DatabaseFieldName", field.databaseFieldName},
                                  {"Name", field.name},
                                  {"NumberOfBytes", field.numberOfBytes},
                                  {"TableAliasName", field.tableAliasName},
                                  {"ValueType", GetValueTypeText(field.valueType)}});
    }
}

void DatabaseWriter::fillParameterFields() {
    logStep(log(), QStringLiteral("Writing parameter fields data"));
    for (const tvParameterFieldDefinition& p : model_->tvParameters) {
        const std::optional<qint32> id = definitionId(p, "ParameterFields");
        if (!id) continue;
        insert("ParameterFields",
               {{"Report_Id", reportId_},
                {"Field_Id", *id},
                {"Name", p.name},
                {"ParameterFieldName", p.parameterFieldName},
                {"ParameterType", GetParameterTypeText(p.parameterType)},
                {"Prompt", p.prompt},
                {"Kind", GetFieldKindText(p.kind)},
                {"DisallowEditing", flag(p.disallowEditing)},
                {"DiscreteOrRangeKind", GetParameterValueKindText(p.discreteOrRangeKind)},
                {"EditMask", p.editMask},
                {"EnableExclusiveGroup", flag(p.enableExclusiveGroup)},
                {"EnableMultipleValues", flag(p.enableMultipleValues)},
                {"EnableNullValue", flag(p.enableNullValue)},
                {"EnableRangeLimit", flag(p.enableRangeLimit)},
                {"EnableShowDescriptionOnly", flag(p.enableShowDescriptionOnly)},
                {"EnableSortBasedOnDesc", flag(p.enableSortBasedOnDesc)},
                {"GroupNumber", p.groupNumber},
                {"IsCurrentValueSet", flag(p.isCurrentValueSet)},
                {"IsDefaultValueSet", flag(p.isDefaultValueSet)},
                {"MaximumValue", valueText(p.maximumValue)},
                {"MinimumValue", valueText(p.minimumValue)},
                {"NeedsCurrentValue", flag(p.needsCurrentValue)},
                {"NumberOfBytes", p.numberOfBytes},
                {"NumberOfCurrentRanges", p.numberOfCurrentRanges},
                {"NumberOfCurrentValues", p.numberOfCurrentValues},
                {"NumberOfDefaultValues", p.numberOfDefaultValues},
                {"PicklistSortMethod", GetPickListSortText(p.pickListSortMethod)},
                {"PlaceInGroup", flag(p.placeInGroup)},
                {"ReportName", p.reportName},
                {"ValueType", GetValueTypeText(p.valueType)}});
    }
}

void DatabaseWriter::fillFormulaFields() {
    logStep(log(), QStringLiteral("Writing formula fields data"));
    for (const tvFormulaField& f : model_->tvFormulaFields) {
        const std::optional<qint32> id = definitionId(f, "FormulaFields");
        if (!id) continue;
        insert("FormulaFields", {{"Field_Id", *id},
                                 {"Report_Id", reportId_},
                                 {"Name", f.name},
                                 {"FieldName", f.fieldName},
                                 {"Kind", GetFieldKindText(f.kind)},
                                 {"NumberOfBytes", f.numberOfBytes},
                                 {"ValueType", GetValueTypeText(f.valueType)},
                                 {"FormulaText", f.text}});
    }
}

void DatabaseWriter::fillGroupNameFields() {
    logStep(log(), QStringLiteral("Writing group name fields data"));
    for (const tvGroupNameField& g : model_->tvGroupNameFields) {
        const std::optional<qint32> id = definitionId(g, "GroupNameFields");
        if (!id) continue;
        insert("GroupNameFields", {{"Field_Id", *id},
                                   {"Report_Id", reportId_},
                                   {"Name", g.name},
                                   {"GroupNameConditionFormula", g.groupNameConditionFormula},
                                   {"GroupNameFieldName", g.groupNameFieldName},
                                   {"GroupNumber", g.groupNumber},
                                   {"NumberOfBytes", g.numberOfBytes},
                                   {"ValueType", GetValueTypeText(g.valueType)}});
    }
}

void DatabaseWriter::fillSQLExpressionFields() {
    logStep(log(), QStringLiteral("Writing SQL Expression fields data"));
    for (const tvSQLExpressionFieldDefinition& s : model_->tvSQLExpressionFields) {
        const std::optional<qint32> id = definitionId(s, "SQLExpressionFields");
        if (!id) continue;
        insert("SQLExpressionFields", {{"Field_Id", *id},
                                       {"Report_Id", reportId_},
                                       {"Name", s.name},
                                       {"SQLExpressionFieldName", s.sqlExpressionFieldName},
                                       {"ExpressionText", s.text},
                                       {"NumberOfBytes", s.numberOfBytes},
                                       {"ValueType", GetValueTypeText(s.valueType)},
                                       {"Kind", GetFieldKindText(s.kind)}});
    }
}

// A summary that cannot be stored is shown and ends the summaries of this collection; the rest
// of the report is still written.
template <class Summaries>
void DatabaseWriter::fillSummaryFields(const Summaries& summaries) {
    logStep(log(), QStringLiteral("Writing summary fields data"));
    for (const tvSummaryFieldDefinition& s : summaries) {
        const std::optional<qint32> id = definitionId(s, "SummaryFields");
        if (!id) continue;
        const QVariant summarized = fieldRef(s.summarizedField);
        const QVariant secondary = fieldRef(s.secondarySummarizedField);
        // Only this row's own failure is handled here: the rows it names are stored first.
        flush("SummaryFields");
        try {
            // The header and footer areas are never set by a load: both stay null.
            insertNow("SummaryFields", {{"Field_Id", *id},
                                        {"Report_Id", reportId_},
                                        {"Name", s.name},
                                        {"SummarizedField_Id", summarized},
                                        {"SecondarySummarizedField_Id", secondary},
                                        {"HeirarchicalSummaryType",
                                         GetHierarchicalSummaryText(s.heirarchicalSummaryType)},
                                        {"NumberOfBytes", s.numberOfBytes},
                                        {"ValueType", GetValueTypeText(s.valueType)},
                                        {"SummaryType", GetSummaryOperationText(s.summaryType)},
                                        {"SummaryOperationParameter", s.summaryOperationParameter},
                                        {"Kind", GetFieldKindText(s.kind)},
                                        {"ForCrossTab", flag(s.forCrossTab)},
                                        {"HeaderAreaId", QVariant()},
                                        {"FooterAreaId", QVariant()}});
        } catch (const DatabaseError& error) {
            session_->reporter().message(
                QStringLiteral("Error occurred inserting Summary Field ") + sqlQuote(s.name) +
                QStringLiteral(" into database.  Error = ") + error.text());
            return;
        }
    }
}

void DatabaseWriter::fillRunningTotalFields() {
    logStep(log(), QStringLiteral("Writing running total fields data"));
    for (const tvRunningTotalFieldDefinition& t : model_->runningTotalFields) {
        const std::optional<qint32> id = definitionId(t, "RunningTotalFields");
        if (!id) continue;
        insert("RunningTotalFields",
               {{"Field_Id", *id},
                {"Report_Id", reportId_},
                {"Name", t.name},
                {"RunningTotalFieldName", t.runningTotalFieldName},
                {"SecondarySummarizedField_Id", fieldRef(t.secondarySummarizedField)},
                {"SummarizedField_Id", fieldRef(t.summarizedField)},
                {"EvaluateCondition", GetRunningTotalConditionText(t.evaluateCondition)},
                {"EvaluateConditionField_Id", fieldRef(t.evaluateConditionField)},
                {"EvaluateConditionFormula", t.evaluateConditionFormula},
                {"EvaluateGroupNumber", t.evaluateGroupNumber},
                {"HierarchicalSummaryType", GetHierarchicalSummaryText(t.hierarchicalSummaryType)},
                {"NumberOfBytes", t.numberOfBytes},
                {"ResetCondition", GetRunningTotalConditionText(t.resetCondition)},
                {"ResetConditionField_Id", fieldRef(t.resetConditionField)},
                {"ResetConditionFormula", t.resetConditionFormula},
                {"ResetGroupNumber", t.resetGroupNumber},
                {"Kind", GetFieldKindText(t.kind)},
                {"ValueType", GetValueTypeText(t.valueType)},
                {"SummaryType", GetSummaryOperationText(t.summaryType)},
                {"SummaryOperationParameter", t.summaryOperationParameter}});
    }
}

void DatabaseWriter::fillSortFields() {
    logStep(log(), QStringLiteral("Writing sort fields data"));
    const auto write = [this](const auto& sortFields, const char* table) {
        for (const tvSortField& sort : sortFields) {
            const qint64 sortFieldId =
                insertNow("SortFields",
                          {{"Report_Id", reportId_},
                           {"Field_Id", fieldRef(sort.field)},
                           {"SortDirection", GetSortDirectionText(sort.sortDirection.toInt())}});
            insert(table, {{"Report_Id", reportId_}, {"SortField_Id", sortFieldId}});
        }
    };
    write(model_->tvGroupSortFields, "GroupSortFields");
    write(model_->tvRecordSortFields, "RecordSortFields");
}

void DatabaseWriter::fillSpecialVarFields() {
    logStep(log(), QStringLiteral("Writing special var fields data"));
    for (const tvSpecialVarFieldDefinition& s : model_->specialVarFields) fillSpecialVarField(s);
}

// A special field met again (several field objects show it) is written once.
void DatabaseWriter::fillSpecialVarField(const tvSpecialVarFieldDefinition& s) {
    const std::optional<qint32> id = definitionId(s, "SpecialVarFields");
    if (!id) return;
    insert("SpecialVarFields", {{"Field_Id", *id},
                                {"Report_Id", reportId_},
                                {"Name", s.name},
                                {"SpecialVarType", GetSpecialVarTypeText(s.specialVarType)},
                                {"ValueType", GetValueTypeText(s.valueType)},
                                {"NumberOfBytes", s.numberOfBytes},
                                {"Kind", GetFieldKindText(s.kind)}});
}

void DatabaseWriter::fillAreas() {
    qint32 areaId = 0;
    for (const tvArea& area : model_->tvAreas) {
        ++areaId;
        logStep(log(), QStringLiteral("\tWriting area ") + area.name);
        insert(
            "Areas",
            {{"Report_Id", reportId_},
             {"Area_Id", areaId},
             {"Name", area.name},
             {"CopiesToPrint", area.copiesToPrint},
             {"DetailHeight", area.detailHeight},
             {"DetailWidth", area.detailWidth},
             {"DiscardOtherGroups", flag(area.discardOtherGroups)},
             {"EnableHierarchicalGroupSorting", flag(area.enableHierarchicalGroupSorting)},
             {"GroupCondition", GetGroupConditionFullText(area.groupCondition)},
             {"GroupConditionField_Id", fieldRef(area.groupConditionField)},
             {"GroupIndent", area.groupIndent},
             {"GroupNumber", area.groupNumber},
             {"HideForDrillDown", flag(area.hideForDrillDown.toBool())},
             {"HorizontalGap", area.horizontalGap},
             {"KeepGroupTogether", flag(area.keepGroupTogether)},
             {"KeepTogether", flag(area.keepTogether)},
             {"Kind", GetAreaKindText(area.kind)},
             {"NewPageAfter", flag(area.newPageAfter)},
             {"NewPageBefore", flag(area.newPageBefore)},
             {"NumberOfTopOrBottomNGroups", area.numberOfTopOrBottomNGroups},
             {"PrintAtBottomOfPage", flag(area.printAtBottomOfPage)},
             {"RepeatGroupHeader", flag(area.repeatGroupHeader)},
             {"ResetPageNumberAfter", flag(area.resetPageNumberAfter)},
             {"SortDirection", GetSortDirectionText(area.sortDirection)},
             {"Suppress", flag(area.suppress)},
             {"TopOrBottomNGroupSortOrder", GetGroupSortOrderText(area.topOrBottomNGroupSortOrder)},
             {"TopOrBottomNSortField_ID", fieldRef(area.topOrBottomNSortField)}});
        fillSections(areaId, area.tvSections);
    }
}

void DatabaseWriter::fillSections(qint32 areaId, const tvSections& sections) {
    qint32 sectionId = 0;
    for (const tvSection& section : sections) {
        ++sectionId;
        const QString displayName = GetSectionDisplayName(*model_, areaId, sectionId);
        logStep(log(), QStringLiteral("\t\tWriting Sections Data: ") + displayName);
        insert("Sections", {{"Report_Id", reportId_},
                            {"Area_Id", areaId},
                            {"Section_Id", sectionId},
                            {"Name", section.sectionName},
                            {"SectionFriendlyName", displayName},
                            {"SectionNumber", section.number},
                            {"BackColor", GetColorText(section.backColor)},
                            {"CssClass", section.cssClass},
                            {"Height", section.height},
                            {"Width", section.width},
                            {"MinimumHeight", section.minimumHeight},
                            {"KeepTogether", flag(section.keepTogether)},
                            {"NewPageAfter", flag(section.newPageAfter)},
                            {"NewPageBefore", flag(section.newPageBefore)},
                            {"PrintAtBottom", flag(section.printAtBottom)},
                            {"ResetPageNumAfter", flag(section.resetPageNumAfter)},
                            {"Suppress", flag(section.suppress)},
                            {"SuppressIfBlank", flag(section.suppressIfBlank)},
                            {"UnderlaySection", flag(section.underlaySection)}});
        fillConditionalFormulas(section.ConditionalFormulas, areaId, sectionId, QVariant());
        fillReportObjects(areaId, sectionId, section.reportObjects);
    }
}

// The formulas of a section (its area and section ids) or of a report object (its object id);
// the owner columns that do not apply stay null.
void DatabaseWriter::fillConditionalFormulas(const tvConditionalFormulas& formulas,
                                             const QVariant& areaId, const QVariant& sectionId,
                                             const QVariant& reportObjectId) {
    for (const tvConditionalFormula& formula : formulas) {
        insert("ConditionalFormulas", {{"Report_Id", reportId_},
                                       {"ConditionalFormula_Id", nextId(formulaIdCounter_)},
                                       {"Area_Id", areaId},
                                       {"Section_Id", sectionId},
                                       {"ReportObject_Id", reportObjectId},
                                       {"Name", formula.conditionalFieldName},
                                       {"FormulaText", formula.conditionalFormulaText}});
    }
}

void DatabaseWriter::fillReportObjects(qint32 areaId, qint32 sectionId,
                                       const tvReportObjects& objects) {
    for (const tvIReportObject& object : objects) {
        const qint32 objectId = nextFieldId();
        logStep(log(), QStringLiteral("\t\t\tWriting Report Object: ") + object.objectName +
                           QStringLiteral(". kind = ") + QString::number(object.kind));
        insert("ReportObjects", {{"Report_Id", reportId_},
                                 {"Area_Id", areaId},
                                 {"Section_Id", sectionId},
                                 {"ReportObject_Id", objectId},
                                 {"Kind", GetObjectKindText(object.kind)},
                                 {"Name", leftWhole(object.objectName, kObjectNameLength)}});
        fillReportObjectDetails(objectId, object);
    }
}

// The rows of the object's kind; an object of an unknown kind has its ReportObjects row only.
void DatabaseWriter::fillReportObjectDetails(qint32 objectId, const tvIReportObject& object) {
    if (object.kind < tvFieldObjectKind || object.kind > tvOLAPGridObjectKind) return;
    const QString kind = GetObjectKindText(object.kind);
    const auto ownRow = [&](const char* table, std::initializer_list<Column> columns) {
        insertRow(
            table,
            withKeys({{"Report_Id", reportId_}, {"ReportObject_Id", objectId}, {"Kind", kind}},
                     columns));
    };
    const auto formulas = [&](const tvConditionalFormulas& list) {
        fillConditionalFormulas(list, QVariant(), QVariant(), objectId);
    };
    insert("ObjectPosition", {{"Report_Id", reportId_},
                              {"ReportObject_Id", objectId},
                              {"ObjectTop", object.position.top},
                              {"ObjectLeft", object.position.left},
                              {"Height", object.position.height},
                              {"Width", object.position.width}});
    if (const auto* text = dynamic_cast<const tvTextObject*>(&object)) {
        ownRow("TextObjects", {{"Name", text->objectName},
                               {"ObjectText", leftWhole(text->text, kObjectNameLength)}});
        formulas(text->ConditionalFormulas);
        fillBorderFormatting(objectId, text->borderFormatting);
        fillCommonFormatting(objectId, text->commonFormatting);
        fillFieldElementsMapping(objectId, text->fieldElements);
        fillFontFormatting(objectId, text->fontFormatting);
        fillParagraphFormatting(objectId, &text->paragraphFormatting);
        fillHyperlinkFormatting(objectId, text->hyperlinkFormatting);
    } else if (const auto* field = dynamic_cast<const tvFieldObject*>(&object)) {
        if (const auto* special = dynamic_cast<const tvSpecialVarFieldDefinition*>(field->field)) {
            fillSpecialVarField(*special);
        }
        ownRow("FieldObjects", {{"Field_Id", fieldRef(field->field)},
                                {"Name", field->objectName},
                                {"SuppressIfZero", flag(field->suppressIfZero)}});
        fillBorderFormatting(objectId, field->borderFormatting);
        fillCommonFormatting(objectId, field->commonFormatting);
        formulas(field->ConditionalFormulas);
        fillValueFormattings(objectId, *field);
        fillFontFormatting(objectId, field->fontFormatting);
        fillParagraphFormatting(objectId, field->paragraphFormatting.get());
        fillHyperlinkFormatting(objectId, field->hyperlinkFormatting);
    } else if (const auto* line = dynamic_cast<const tvLineObject*>(&object)) {
        // The model never sets a line's end section.
        ownRow("LineObjects", {{"Name", line->name},
                               {"CssClass", line->cssClass},
                               {"EndSection_ID", -1},
                               {"ExtendToBottomOfSection", flag(line->extendToBottomOfSection)},
                               {"LineColor", GetColorText(line->lineColor)},
                               {"LineStyle", GetLineStyleText(line->lineStyle)},
                               {"LineThickness", line->lineThickness},
                               {"Suppress", flag(line->suppress)}});
    } else if (const auto* box = dynamic_cast<const tvBoxObject*>(&object)) {
        ownRow("BoxObjects", {{"CloseAtPageBreak", flag(box->closeAtPageBreak)},
                              {"CornerEllipseHeight", box->cornerEllipseHeight},
                              {"CornerEllipseWidth", box->cornerEllipseWidth.toInt()},
                              {"CssClass", box->cssClass},
                              {"ExtendToBottomOfSection", flag(box->extendToBottomOfSection)},
                              {"FillColor", GetColorText(box->fillColor)},
                              {"HasDropShadow", flag(box->hasDropShadow)},
                              {"LineColor", GetColorText(box->lineColor)},
                              {"LineStyle", GetLineStyleText(box->lineStyle.toInt())},
                              {"LineThickness", box->lineThickness.toInt()},
                              {"Name", box->name},
                              {"Suppress", flag(box->suppress)}});
    } else if (const auto* blob = dynamic_cast<const tvBlobObject*>(&object)) {
        ownRow("BlobObjects", {{"Name", blob->objectName},
                               {"BottomCropping", blob->bottomCropping.toInt()},
                               {"LeftCropping", blob->leftCropping.toInt()},
                               {"TopCropping", blob->topCropping.toInt()},
                               {"RightCropping", blob->rightCropping.toInt()},
                               {"XScaling", numberText(blob->xScaling)},
                               {"YScaling", numberText(blob->yScaling)},
                               {"DatabaseField_Id", fieldRef(blob->field)}});
        fillBorderFormatting(objectId, blob->borderFormatting);
        fillCommonFormatting(objectId, blob->commonFormatting);
        fillHyperlinkFormatting(objectId, blob->hyperlinkFormatting);
        formulas(blob->ConditionalFormulas);
    } else if (const auto* ole = dynamic_cast<const tvOleObject*>(&object)) {
        ownRow("OleObjects", {{"Name", ole->objectName}, {"OleSource", ole->oleSource}});
        fillBorderFormatting(objectId, ole->borderFormatting);
        fillCommonFormatting(objectId, ole->commonFormatting);
        formulas(ole->ConditionalFormulas);
        fillHyperlinkFormatting(objectId, ole->hyperlinkFormatting);
        fillPictureFormatting(objectId, ole->pictureFormatting);
    } else if (const auto* map = dynamic_cast<const tvMapObject*>(&object)) {
        ownRow("MapObjects", {{"Name", map->objectName}});
        fillBorderFormatting(objectId, map->borderFormatting);
        fillCommonFormatting(objectId, map->commonFormatting);
        fillHyperlinkFormatting(objectId, map->hyperlinkFormatting);
        formulas(map->ConditionalFormulas);
    } else if (const auto* olap = dynamic_cast<const tvOLAPGridObject*>(&object)) {
        ownRow("OlapGridObjects", {{"Name", olap->objectName}});
        fillBorderFormatting(objectId, olap->borderFormatting);
        fillCommonFormatting(objectId, olap->commonFormatting);
        formulas(olap->ConditionalFormulas);
    } else if (const auto* chart = dynamic_cast<const tvGraphObject*>(&object)) {
        fillGraphObject(objectId, *chart);
        fillBorderFormatting(objectId, chart->borderFormatting);
        fillCommonFormatting(objectId, chart->commonFormatting);
        formulas(chart->ConditionalFormulas);
        fillSummaryFields(chart->summaryFields);
        fillHyperlinkFormatting(objectId, chart->hyperlinkFormatting);
        QSet<qint32> mapped;
        for (const tvSummaryFieldDefinition& summary : chart->summaryFields) {
            fillObjectFieldMapping(objectId, summary, mapped);
        }
        for (const tvIFieldDefinition& field : chart->ConditionFields) {
            fillObjectFieldMapping(objectId, field, mapped);
        }
    } else if (const auto* crossTab = dynamic_cast<const tvCrossTabObject*>(&object)) {
        ownRow(
            "CrossTabObjects",
            {{"Name", crossTab->objectName},
             {"ColumnGrandTotalColor", GetColorText(crossTab->columnGrandTotalColor)},
             {"EnableKeepColumnsTogether", flag(crossTab->enableKeepColumnsTogether)},
             {"EnableRepeatRowLabels", flag(crossTab->enableRepeatRowLabels)},
             {"EnableShowCellMargins", flag(crossTab->enableShowCellMargins)},
             {"EnableShowGrid", flag(crossTab->enableShowGrid)},
             {"EnableSuppressColumnGrandTotals", flag(crossTab->enableSuppressColumnGrandTotals)},
             {"enableSuppressEmptyCols", flag(crossTab->enableSuppressEmptyCols)},
             {"EnableSuppressEmptyRows", flag(crossTab->enableSuppressEmptyRows)},
             {"EnableSuppressRowGrandTotals", flag(crossTab->enableSuppressRowGrandTotals)},
             {"RowGrandTotalColor", GetColorText(crossTab->rowGrandTotalColor)}});
        fillCrossTabGroups(objectId, QStringLiteral("Column"), crossTab->columnGroups);
        fillCrossTabGroups(objectId, QStringLiteral("Row"), crossTab->rowGroups);
        fillBorderFormatting(objectId, crossTab->borderFormatting);
        fillHyperlinkFormatting(objectId, crossTab->hyperlinkFormatting);
        formulas(crossTab->ConditionalFormulas);
        fillSummaryFields(crossTab->summaryFields);
        QSet<qint32> mapped;
        for (const tvSummaryFieldDefinition& summary : crossTab->summaryFields) {
            fillObjectFieldMapping(objectId, summary, mapped);
        }
    } else if (const auto* subreport = dynamic_cast<const tvSubReportObject*>(&object)) {
        fillSubreportObject(objectId, *subreport);
    }
}

// The fields of a text in their order. The table keeps one row per field of a text, so a
// field shown again keeps the place where it first appears.
void DatabaseWriter::fillFieldElementsMapping(qint32 objectId,
                                              const tvCollection<tvFieldElement>& elements) {
    QList<QVariant> mapped;
    qint32 sequence = 0;
    for (const tvFieldElement& element : elements) {
        ++sequence;
        const QVariant fieldId = fieldRef(element.fieldDefinition);
        if (fieldId.isNull() || mapped.contains(fieldId)) continue;
        mapped << fieldId;
        insert("FieldElementsMapping", {{"Report_Id", reportId_},
                                        {"ReportObject_Id", objectId},
                                        {"FieldElement_Id", fieldId},
                                        {"FieldElementSeq", sequence}});
    }
}

// The subreport becomes a report of its own under its main report's revision, stored under its main
// report's file name and its own name, so that subreports of one name in different reports never
// replace each other.
void DatabaseWriter::fillSubreportObject(qint32 objectId, const tvSubReportObject& object) {
    const tvReport& subreport = *object.report;
    const QString storedName = storedPath_ + kSubreportSeparator + subreport.reportFileName;
    // A subreport that another object shows too is stored once; writing it again would delete
    // the copy that the first object names.
    auto stored = subreportIds_->constFind(storedName);
    if (stored == subreportIds_->cend()) {
        tvReportStatistics statistics;
        statistics.revisionNumber = statistics_->revisionNumber;
        logStep(log(), QStringLiteral("Generating DB for report: ") +
                           object.subreportFormatting.subreportName);
        // The subreport goes on its main report's connection, made ready already; its block of
        // the run log reads as every report's does.
        logStep(log(), QStringLiteral("Initialized the DB"));
        DatabaseWriter writer(*this, *subreportIds_);
        writer.writeRows(subreport, storedName, statistics);
        stored = subreportIds_->insert(storedName, writer.reportId_);
    }
    insert("SubreportObjects", {{"Report_Id", reportId_},
                                {"ReportObject_Id", objectId},
                                {"SubReport_Report_Id", *stored},
                                {"Name", object.objectName},
                                {"Kind", GetObjectKindText(object.kind)}});
    fillBorderFormatting(objectId, object.borderFormatting);
    fillCommonFormatting(objectId, object.commonFormatting);
    fillConditionalFormulas(object.ConditionalFormulas, QVariant(), QVariant(), objectId);
    insert("SubreportFormatting",
           {{"Report_Id", reportId_},
            {"ReportObject_Id", objectId},
            {"SubreportName", object.subreportFormatting.subreportName},
            {"EnableOnDemand", flag(object.subreportFormatting.enableOnDemand)}});
}

// The formatting bags of a report object, one row each, keyed by the object.
void DatabaseWriter::fillCommonFormatting(qint32 objectId, const tvCommonFormatting& bag) {
    insert("CommonFormatting", {{"Report_Id", reportId_},
                                {"ReportObject_Id", objectId},
                                {"CanGrow", flagText(bag.canGrow)},
                                {"CloseBorderonPageBreak", flagText(bag.closeBorderonPageBreak)},
                                {"CssClass", bag.cssClass},
                                {"HorizontalAlignment", bag.horizontalAlignment},
                                {"KeepTogether", flagText(bag.keepTogether)},
                                {"MaxLines", bag.maxLines},
                                {"Suppress", flagText(bag.suppress)},
                                {"SuppressEmbedded", flag(bag.suppressEmbedded)},
                                {"SuppressIfDuplicated", flag(bag.suppressIfDuplicated)},
                                {"TextRotationAngle", bag.textRotationAngle},
                                {"ToolTip", bag.toolTip}});
}

void DatabaseWriter::fillBorderFormatting(qint32 objectId, const tvBorderFormatting& bag) {
    insert("BorderFormatting", {{"Report_Id", reportId_},
                                {"ReportObject_Id", objectId},
                                {"BackgroundColor", GetColorText(bag.backgroundColor)},
                                {"BorderColor", GetColorText(bag.borderColor)},
                                {"BottomStyle", GetLineStyleText(bag.bottomStyle.toInt())},
                                {"DropShadow", flagText(bag.dropshadow)},
                                {"LeftStyle", GetLineStyleText(bag.leftStyle.toInt())},
                                {"RightStyle", GetLineStyleText(bag.rightStyle.toInt())},
                                {"TightHorizontal", flagText(bag.tightHorizontal)},
                                {"TopStyle", GetLineStyleText(bag.topStyle.toInt())},
                                {"UseBGColor", bag.useBGColor}});
}

// Only a link that leads somewhere is stored.
void DatabaseWriter::fillHyperlinkFormatting(qint32 objectId, const tvHyperlinkFormatting& bag) {
    if (bag.hyperlinkText.isEmpty()) return;
    insert("HyperlinkFormatting", {{"Report_Id", reportId_},
                                   {"ReportObject_Id", objectId},
                                   {"HyperlinkText", bag.hyperlinkText},
                                   {"HyperlinkType", GetHyperlinkTypeText(bag.hyperlinkType)}});
}

void DatabaseWriter::fillParagraphFormatting(qint32 objectId, const tvParagraphFormatting* bag) {
    if (!bag) return;
    insert("ParagraphFormatting",
           {{"Report_Id", reportId_},
            {"ReportObject_Id", objectId},
            {"FirstLineIndent", bag->firstLineIndent},
            {"LeftIndent", bag->leftIndent},
            {"LineSpacing", bag->lineSpacing},
            {"LineSpacingType", GetLineSpacingTypeText(bag->lineSpacingType)},
            {"RightIndent", bag->rightIndent},
            {"TextFormat", bag->textFormat}});
}

qint32 DatabaseWriter::fillFont(const tvFont& font) {
    const qint32 fontId = nextId(fontIdCounter_);
    insert("Font", {{"Report_Id", reportId_},
                    {"Font_Id", fontId},
                    {"Bold", flag(font.bold)},
                    {"Charset", font.charset},
                    {"Italic", flag(font.italic)},
                    {"FontName", font.name},
                    {"FontSize", font.size},
                    {"Strikethrough", flag(font.strikethrough)},
                    {"Underline", flag(font.underline)},
                    {"Weight", font.weight}});
    return fontId;
}

void DatabaseWriter::fillFontFormatting(qint32 objectId, const tvFontFormatting& bag) {
    const qint32 fontId = fillFont(bag.font);
    insert("FontFormatting", {{"Report_Id", reportId_},
                              {"ReportObject_Id", objectId},
                              {"CharacterSpacing", bag.characterSpacing},
                              {"Color", GetColorText(bag.color.toInt())},
                              {"Font_Id", fontId}});
}

void DatabaseWriter::fillPictureFormatting(qint32 objectId, const tvPictureFormatting& bag) {
    insert("PictureFormatting", {{"Report_Id", reportId_},
                                 {"ReportObject_Id", objectId},
                                 {"BottomCropping", bag.bottomCropping},
                                 {"TopCropping", bag.topCropping},
                                 {"LeftCropping", bag.leftCropping},
                                 {"RightCropping", bag.rightCropping},
                                 {"ScaledHeight", bag.scaledHeight},
                                 {"ScaledWidth", bag.scaledWidth},
                                 {"XScaling", bag.xScaling},
                                 {"YScaling", bag.yScaling}});
}

// The value formattings of a field object: only those its value type uses exist.
void DatabaseWriter::fillValueFormattings(qint32 objectId, const tvFieldObject& field) {
    const auto row = [&](const char* table, std::initializer_list<Column> columns) {
        insertRow(table,
                  withKeys({{"Report_Id", reportId_}, {"ReportObject_Id", objectId}}, columns));
    };
    if (const auto* b = field.booleanFormatting.get()) {
        row("BooleanFormatting",
            {{"BooleanOutputType", GetBooleanOutputText(b->booleanOutputType)}});
    }
    if (const auto* c = field.currencyFormatting.get()) {
        row("CurrencyFormatting", {{"PositionType", GetCurrencyPositionText(c->positionType)},
                                   {"Symbol", c->symbol},
                                   {"SymbolType", GetCurrencySymbolTypeText(c->symbolType)},
                                   {"UseOneSymbolPerPage", flag(c->useOneSymbolPerPage)}});
    }
    if (const auto* d = field.dateFormatting.get()) {
        row("DateFormatting",
            {{"CalendarType", GetCalendarTypeText(d->calendarType)},
             {"DayType", GetDayFormatText(d->dayType)},
             {"EraType", GetEraTypeText(d->eraType)},
             {"FirstSeparator", d->firstSeparator},
             {"LeadingDayPosition", GetDayOfWeekPositionText(d->leadingDayPosition)},
             {"LeadingDaySeparator", d->leadingDaySeparator},
             {"LeadingDayType", GetDayOfWeekTypeText(d->leadingDayType)},
             {"MonthType", GetMonthFormatText(d->monthType)},
             {"DateOrder", GetDateOrderText(d->order)},
             {"PrefixSeparator", d->prefixSeparator},
             {"SecondSeparator", d->secondSeparator},
             {"SuffixSeparator", d->suffixSeparator},
             {"YearType", GetYearFormatText(d->yearType)}});
    }
    if (const auto* dt = field.dateTimeFormatting.get()) {
        row("DateTimeFormatting",
            {{"DateWindowsDefaultType", GetWindowsDateDefaultText(dt->dateWindowsDefaultType)}});
    }
    if (const auto* n = field.numberFormatting.get()) {
        row("NumberFormatting", {{"DecimalPlaces", n->decimalPlaces},
                                 {"DecimalSymbol", n->decimalSymbol},
                                 {"DisplayReverseSign", flag(n->displayReverseSign)},
                                 {"NegativeType", GetNegativeFormatText(n->negativeType)},
                                 {"RoundingType", GetRoundingText(n->roundingType)},
                                 {"ThousandsSeparators", flag(n->thousandsSeparators)},
                                 {"ThousandSymbol", n->thousandSymbol},
                                 {"ZeroValueString", n->zeroValueString}});
    }
    if (const auto* t = field.timeFormatting.get()) {
        row("TimeFormatting", {{"AmPmPosition", GetAmPmPositionText(t->amPmPosition)},
                               {"AmString", t->amString},
                               {"HourMinuteSeparator", t->hourMinuteSeparator},
                               {"HourType", GetHourFormatText(t->hourType)},
                               {"MinuteSecondSeparator", t->minuteSecondSeparator},
                               {"MinuteType", GetMinuteFormatText(t->minuteType)},
                               {"PmString", t->pmString},
                               {"SecondType", GetSecondFormatText(t->secondType)},
                               {"TimeBase", GetTimeBaseText(t->timeBase)},
                               {"UseLeadingZero", flag(t->useLeadingZero)},
                               {"UseSystemDefaults", flag(t->useSystemDefaults)}});
    }
}

void DatabaseWriter::fillCrossTabGroups(qint32 objectId, const QString& type,
                                        const tvCrossTabGroups& groups) {
    qint32 groupId = 0;
    for (const tvCrossTabGroup& group : groups) {
        insert("CrossTabGroups", {{"Report_Id", reportId_},
                                  {"ReportObject_Id", objectId},
                                  {"Group_Id", ++groupId},
                                  {"Field_Id", fieldRef(group.field)},
                                  {"Type", type},
                                  {"BackgroundColor", GetColorText(group.backgroundColor)},
                                  {"Condition", GetGroupConditionFullText(group.condition)},
                                  {"EnableSuppressLabel", flag(group.enableSuppressLabel)},
                                  {"EnableSuppressSubtotal", flag(group.enableSuppressSubtotal)},
                                  {"Kind", GetObjectKindText(group.kind)},
                                  {"SortDirection", GetSortDirectionText(group.sortDirection)}});
    }
}

// One row per field that the object uses; a field used twice is one row.
void DatabaseWriter::fillObjectFieldMapping(qint32 objectId, const tvIFieldDefinition& field,
                                            QSet<qint32>& mapped) {
    const QVariant fieldId = fieldRef(&field);
    if (fieldId.isNull() || mapped.contains(fieldId.toInt())) return;
    mapped.insert(fieldId.toInt());
    insert("ObjectFieldMapping",
           {{"Report_Id", reportId_}, {"ReportObject_Id", objectId}, {"Field_Id", fieldId}});
}

// The chart's twelve fonts come first, so that its row can name them.
void DatabaseWriter::fillGraphObject(qint32 objectId, const tvGraphObject& g) {
    const qint32 data2Label = fillFont(g.Data2LabelFont);
    const qint32 data2Title = fillFont(g.Data2TitleFont);
    const qint32 dataLabel = fillFont(g.dataLabelFont);
    const qint32 dataTitle = fillFont(g.dataTitleFont);
    const qint32 footNote = fillFont(g.footNoteFont);
    const qint32 groupLabel = fillFont(g.groupLabelFont);
    const qint32 groupTitle = fillFont(g.groupTitleFont);
    const qint32 legend = fillFont(g.legendFont);
    const qint32 seriesLabel = fillFont(g.seriesLabelFont);
    const qint32 seriesTitle = fillFont(g.seriesTitleFont);
    const qint32 subTitle = fillFont(g.subTitleFont);
    const qint32 title = fillFont(g.titleFont);
    insert("GraphObjects",
           {{"Report_Id", reportId_},
            {"ReportObject_Id", objectId},
            {"Name", g.objectName},
            {"AutoRangeData2Axis", flag(g.autoRangeData2Axis)},
            {"AutoRangeDataAxis", flag(g.autoRangeDataAxis)},
            {"AutoRangeSeriesAxis", flag(g.autoRangeSeriesAxis)},
            {"BarSize", GetBarSizeText(g.barSize)},
            {"CrossTabObject_Id", -1},
            {"Data2AxisDivisionMethod", GetDivisionMethodText(g.data2AxisDivisionMethod)},
            {"Data2AxisDivisionNumber", g.data2AxisDivisionNumber},
            {"Data2AxisGridline", GetGridlineText(g.data2AxisGridline)},
            {"Data2AxisNumberFormat", GetNumberFormatText(g.data2AxisNumberFormat)},
            {"Data2LabelFont_Id", data2Label},
            {"Data2Title", g.Data2Title},
            {"Data2TitleFont_Id", data2Title},
            {"DataAxisDivisionMethod", GetDivisionMethodText(g.dataAxisDivisionMethod)},
            {"DataAxisDivisionNumber", g.dataAxisDivisionNumber},
            {"DataAxisGridline", GetGridlineText(g.dataAxisGridline)},
            {"DataAxisNumberFormat", GetNumberFormatText(g.dataAxisNumberFormat)},
            {"DataLabelFont_Id", dataLabel},
            {"DataPoint", GetDataPointText(g.dataPoint)},
            {"DataTitle", g.DataTitle},
            {"DataTitleFont_Id", dataTitle},
            {"DataType", GetGraphDataTypeText(g.dataType)},
            {"DataValueNumberFormat", GetNumberFormatText(g.dataValueNumberFormat)},
            {"EnableAutoScaleData2Axis", flag(g.enableAutoScaleData2Axis)},
            {"EnableAutoScaleDataAxis", flag(g.enableAutoScaleDataAxis)},
            {"EnableAutoScaleSeriesAxis", flag(g.enableAutoScaleSeriesAxis)},
            {"EnableForEachRecord", flag(g.enableForEachRecord)},
            {"EnableShowLegend", flag(g.enableShowLegend)},
            {"EnableSummarizeValues", flag(g.enableSummarizeValues)},
            {"FootNote", g.footNote},
            {"FootnoteFont_Id", footNote},
            {"GraphColor", GetGraphColorText(static_cast<qint16>(g.graphColor))},
            {"GraphDirection", GetGraphDirectionText(g.graphDirection)},
            {"GraphType", GetGraphTypeText(g.graphType)},
            {"GroupAxisGridline", GetGridlineText(g.groupAxisGridline)},
            {"GroupLabelFont_Id", groupLabel},
            {"GroupsTitle", g.groupsTitle},
            {"GroupTitleFont_Id", groupTitle},
            {"IsData2TitleByDefault", flag(g.IsData2TitleByDefault)},
            {"IsDataTitleByDefault", flag(g.IsDataTitleByDefault)},
            {"IsFootnoteByDefault", flag(g.isFootnoteByDefault)},
            {"IsGroupsTitleByDefault", flag(g.isGroupsTitleByDefault)},
            {"IsSeriesTitleByDefault", flag(g.isSeriesTitleByDefault)},
            {"IsSubTitleByDefault", flag(g.isSubTitleByDefault)},
            {"IsTitleByDefault", flag(g.isTitleByDefault)},
            {"IsXAxisTitleByDefault", flag(g.isXAxisTitleByDefault)},
            {"IsYAxisTitleByDefault", flag(g.isYAxisTitleByDefault)},
            {"IsZAxisTitleByDefault", flag(g.isZAxisTitleByDefault)},
            {"Kind", GetObjectKindText(g.kind)},
            {"LegendFont_Id", legend},
            {"LegendLayout", GetPieLegendLayoutText(g.legendLayout)},
            {"LegendPosition", GetLegendPositionText(g.legendPosition)},
            {"MarkerShape", GetMarkerShapeText(g.markerShape)},
            {"MarkerSize", GetMarkerSizeText(g.markerSize)},
            {"MaxData2AxisValue", g.maxData2AxisValue},
            {"MaxDataAxisValue", g.maxDataAxisValue},
            {"MaxSeriesAxisValue", g.maxSeriesAxisValue},
            {"MinData2AxisValue", g.minData2AxisValue},
            {"MinDataAxisValue", g.minDataAxisValue},
            {"MinsSeriesAxisValue", g.minsSeriesAxisValue},
            {"PieSize", GetPieSizeText(g.pieSize)},
            {"SeriesAxisDivisionMethod", GetDivisionMethodText(g.seriesAxisDivisionMethod)},
            {"SeriesAxisDivisionNumber", g.seriesAxisDivisionNumber},
            {"SeriesAxisGridline", GetGridlineText(g.seriesAxisGridline)},
            {"SeriesAxisNumberFormat", GetNumberFormatText(g.seriesAxisNumberFormat)},
            {"SeriesLabelFont_Id", seriesLabel},
            {"SeriesTitle", g.seriesTitle},
            {"SeriesTitleFont_Id", seriesTitle},
            {"SliceDetachment", GetSliceDetachText(g.sliceDetachment)},
            {"SubTitle", g.subTitle},
            {"SubTitleFont_Id", subTitle},
            {"Title", g.title},
            {"TitleFont_Id", title},
            {"ViewingAngle", GetViewingAngleText(g.viewingAngle)},
            {"XAxisTitle", g.xAxisTitle},
            {"Y2AxisTitle", g.y2AxisTitle},
            {"YAxisTitle", g.yAxisTitle},
            {"ZAxisTitle", g.zAxisTitle}});
}

}  // namespace tav::database
