#pragma once

#include <QSet>
#include <QString>
#include <memory>

#include "RtObject.h"
#include "tvCollections.h"
#include "tvSummaryChains.h"
#include "tvTypes.h"

class tvReportStatistics;
class tvPrinterObject;
class tvDatabase;
class tvExportObject;

// The detached model of one report or subreport. `init` copies the whole design out of the
// runtime; afterwards the model holds no runtime object and is only read.
class tvReport {
public:
    tvReport();
    ~tvReport();
    tvReport(const tvReport&) = delete;
    tvReport& operator=(const tvReport&) = delete;

    // Loads the report file `reportName`. Fails with error 911 when the file cannot be opened,
    // and with the error of any later read that fails (the members already read stay).
    void init(const QString& reportName, qint16 iShowSQL, qint16 gPromptForParameters);
    // The same with the options of a load, its logon presenter among them. A logon that is
    // cancelled leaves options.showSQL 0.
    void init(const QString& reportName, tvLoadingOptions& options);

    // Loads from a runtime report that is already open (a subreport). On a normal return the
    // caller's reference is released; on a failure it stays.
    void init(const QString& reportName, qint16 iShowSQL, qint16 gPromptForParameters,
              std::unique_ptr<rt::Object>& crReport, bool isSubreport);
    void init(const QString& reportName, tvLoadingOptions& options,
              std::unique_ptr<rt::Object>& crReport, bool isSubreport);

    // The last area of that name (exact comparison), or nullptr.
    tvArea* getArea(const QString& areaName) const;

    std::unique_ptr<::tvReportStatistics> tvReportStatistics;
    bool verifyOnEveryPrint = false;
    bool useIndexForSpeed = false;
    ::tvSummaryFieldDefinitions tvSummaryFieldDefinitions;
    QString sqlQueryString;
    QString reportFileName;
    ::tvSQLExpressionFields tvSQLExpressionFields;
    bool savePreviewPicture = false;
    tvRunningTotals runningTotalFields;
    ::tvRecordSortFields tvRecordSortFields;
    QString recordSelectionFormula;
    bool performGroupingOnServer = false;
    ::tvParameters tvParameters;
    qint32 numberOfGroups = 0;
    bool needUpdatedPages = false;
    qint32 leftMargin = 0;
    qint16 lastGetFormulaSyntax = 0;
    qint16 reportKind = 0;
    bool hasSavedData = false;
    QString groupSelectionFormula;
    ::tvGroupNameFields tvGroupNameFields;
    ::tvGroupSortFields tvGroupSortFields;
    ::tvFormulaFields tvFormulaFields;
    bool enableSelectDistinctRecords = false;
    bool enablePerformQueriesAsynchronously = false;
    bool enableParameterPrompting = false;
    bool enableGeneratingDataForHiddenObject = false;
    bool enableAsyncQuery = false;
    std::unique_ptr<::tvDatabase> tvDatabase;
    ::tvAreas tvAreas;
    std::unique_ptr<::tvExportObject> tvExportObject;
    std::unique_ptr<::tvPrinterObject> tvPrinterObject;
    qint32 bottomMargin = 0;
    qint32 topMargin = 0;
    qint32 rightMargin = 0;
    qint16 formulaSyntax = 0;  // never read from the report
    qint16 fieldMappingType = 0;
    qint32 canPerformGroupingOnServer = 0;
    bool caseInsensitiveSQLData = false;
    bool convertNullFieldToDefault = false;
    qint16 convertDateTimeType = 0;
    QString reportTemplate;
    QString reportSubject;
    QString keywordsInReport;
    QString reportComments;
    QString reportAuthor;
    QString reportTitle;
    QString reportFormatStyle;  // the runtime's number as decimal text
    tvReportAlerts reportAlerts;
    tvSubReportObjects subReports;
    tvSpecialVarFieldDefinitions specialVarFields;

    // While the report loads: the options of the load, which its subreports share (null
    // otherwise), the summaries on the path of the walk being read, and what the
    // summaries it does not list stand for.
    tvLoadingOptions* loadingOptions = nullptr;
    tvSummaryPath summaryPath;
    tvSummaryPath fieldPath;
    tvSummaryChains summaryChains;

private:
    void load(const QString& reportName, tvLoadingOptions& options, rt::Object& crReport,
              bool isSubreport);
    void readOptions(rt::Object& crReport, const QString& reportName);
    QString LoadSqlQueryString(rt::Object& crReport, const QString& reportName);
    void AddSummaryFieldDefinition(const rt::Object& crSummaryField);
    bool FindSummaryFieldDefinition(const QString& name) const;
};
