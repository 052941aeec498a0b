#include "tvReport.h"

#include "LogonPrompt.h"
#include "tvArea.h"
#include "tvDatabase.h"
#include "tvExportObject.h"
#include "tvFieldDefinitions.h"
#include "tvPrinterObject.h"
#include "tvReportAlert.h"
#include "tvReportStatistics.h"
#include "tvRuntime.h"
#include "tvSortField.h"
#include "tvSubReportObject.h"
#include "tvTypes.h"

namespace {

const QString kUnableToOpen = QStringLiteral("Tavrin is unable to open this report");

// Builds one model collection from the runtime collection `member` of the report: for each
// runtime item in order, a new model object is added under its key and then loaded. Formula
// fields keep the first definition of a name; a later one is still read, then dropped.
template <class Item, class Collection, class KeyOf>
void loadCollection(const rt::Object& crReport, const char* member, Collection& collection,
                    tvReport& report, KeyOf keyOf) {
    const auto crItems = crReport.collection(member);
    const int count = crItems->count();
    collection.Reserve(count);
    for (int i = 1; i <= count; ++i) {
        const auto crItem = crItems->item(i);
        const QString key = keyOf(*crItem, i);
        auto item = std::make_unique<Item>();
        Item* target = item.get();
        if (!collection.Add(std::move(item), key)) {
            // The collection kept its first entry of this key; this one is read and dropped.
            auto dropped = std::make_unique<Item>();
            dropped->init(*crItem, report);
            continue;
        }
        target->init(*crItem, report);
    }
}

QString nameOf(const rt::Object& crItem, int) { return crItem.text("name"); }
QString noKey(const rt::Object&, int) { return QString(); }

}  // namespace

tvReport::tvReport()
    : tvReportStatistics(std::make_unique<::tvReportStatistics>()),
      tvDatabase(std::make_unique<::tvDatabase>()),
      tvExportObject(std::make_unique<::tvExportObject>()),
      tvPrinterObject(std::make_unique<::tvPrinterObject>()) {}

tvReport::~tvReport() = default;

namespace {

// Opens a report file with an application of its own, released once the file is open.
std::unique_ptr<rt::Object> openReportFile(const QString& reportName,
                                           const rt::LibraryNotes& notes) {
    std::unique_ptr<rt::Object> crReport;
    rt::Application application;
    QString cause;
    try {
        crReport = application.openReport(reportName, notes);
    } catch (const rt::Error& e) {
        crReport.reset();
        cause = e.description();
    }
    if (!crReport) throw rt::Error(rt::kErrUnableToOpen, kUnableToOpen, cause);
    return crReport;
}

}  // namespace

void tvReport::init(const QString& reportName, qint16 iShowSQL, qint16 gPromptForParameters) {
    tvLoadingOptions options{iShowSQL, gPromptForParameters, {}, {}};
    init(reportName, options);
}

void tvReport::init(const QString& reportName, tvLoadingOptions& options) {
    std::unique_ptr<rt::Object> none;
    init(reportName, options, none, false);
}

void tvReport::init(const QString& reportName, qint16 iShowSQL, qint16 gPromptForParameters,
                    std::unique_ptr<rt::Object>& crReport, bool isSubreport) {
    tvLoadingOptions options{iShowSQL, gPromptForParameters, {}, {}};
    init(reportName, options, crReport, isSubreport);
}

void tvReport::init(const QString& reportName, tvLoadingOptions& options,
                    std::unique_ptr<rt::Object>& crReport, bool isSubreport) {
    if (!crReport) {
        const auto opened = openReportFile(reportName, options.libraryNotes);
        load(reportName, options, *opened, isSubreport);
        return;
    }
    load(reportName, options, *crReport, isSubreport);
    crReport.reset();
}

void tvReport::load(const QString& reportName, tvLoadingOptions& options, rt::Object& crReport,
                    bool isSubreport) {
    // The options are the load's for as long as it runs, however it ends.
    struct Loading {
        tvReport& report;
        ~Loading() {
            report.loadingOptions = nullptr;
            report.summaryChains.clear();
        }
    } loading{*this};
    loadingOptions = &options;
    readOptions(crReport, reportName);

    if (isSubreport) {
        tvReportStatistics.reset();
        reportTitle = reportName;
    } else {
        tvReportStatistics->init(reportName, this);
    }

    tvDatabase->init(*tvRequiredObject(crReport, "Database"), *this);
    tvExportObject->init(*tvRequiredObject(crReport, "ExportOptions"), *this);
    tvPrinterObject->init(crReport, *this);

    loadCollection<tvReportAlert>(crReport, "ReportAlerts", reportAlerts, *this, nameOf);
    loadCollection<tvGroupNameField>(crReport, "GroupNameFields", tvGroupNameFields, *this,
                                     [](const rt::Object&, int i) { return QString::number(i); });
    loadCollection<tvParameterFieldDefinition>(crReport, "ParameterFields", tvParameters, *this,
                                               nameOf);
    loadCollection<tvFormulaField>(crReport, "FormulaFields", tvFormulaFields, *this, nameOf);
    loadCollection<tvRunningTotalFieldDefinition>(crReport, "RunningTotalFields",
                                                  runningTotalFields, *this, nameOf);
    loadCollection<tvSQLExpressionFieldDefinition>(crReport, "SQLExpressionFields",
                                                   tvSQLExpressionFields, *this, nameOf);
    {
        const auto crSummaryFields = crReport.collection("SummaryFields");
        const int count = crSummaryFields->count();
        for (int i = 1; i <= count; ++i) AddSummaryFieldDefinition(*crSummaryFields->item(i));
    }
    loadCollection<tvSortField>(crReport, "GroupSortFields", tvGroupSortFields, *this, noKey);
    loadCollection<tvSortField>(crReport, "RecordSortFields", tvRecordSortFields, *this,
                                [](const rt::Object& crSortField, int) {
                                    return tvRequiredObject(crSortField, "field")->text("name");
                                });
    loadCollection<tvArea>(crReport, "Areas", tvAreas, *this, nameOf);
}

void tvReport::readOptions(rt::Object& cr, const QString& reportName) {
    bottomMargin = tvLong(cr.integer("bottomMargin"));
    try {
        canPerformGroupingOnServer = tvLong(cr.integer("canPerformGroupingOnServer"));
    } catch (const rt::Error&) {
        // The runtime cannot always answer; the option then stays 0.
    }
    caseInsensitiveSQLData = cr.flag("caseInsensitiveSQLData");
    convertDateTimeType = tvInteger(cr.integer("convertDateTimeType"));
    convertNullFieldToDefault = cr.flag("convertNullFieldToDefault");
    enableAsyncQuery = cr.flag("enableAsyncQuery");
    enableGeneratingDataForHiddenObject = cr.flag("enableGeneratingDataForHiddenObject");
    enableParameterPrompting = cr.flag("enableParameterPrompting");
    enablePerformQueriesAsynchronously = cr.flag("enablePerformQueriesAsynchronously");
    enableSelectDistinctRecords = cr.flag("enableSelectDistinctRecords");
    fieldMappingType = tvInteger(cr.integer("fieldMappingType"));
    groupSelectionFormula = cr.text("groupSelectionFormula");
    hasSavedData = cr.flag("hasSavedData");
    keywordsInReport = cr.text("keywordsInReport");
    reportKind = tvInteger(cr.integer("reportKind"));
    lastGetFormulaSyntax = tvInteger(cr.integer("lastGetFormulaSyntax"));
    leftMargin = tvLong(cr.integer("leftMargin"));
    needUpdatedPages = cr.flag("needUpdatedPages");
    numberOfGroups = tvLong(cr.integer("numberOfGroups"));
    performGroupingOnServer = cr.flag("performGroupingOnServer");
    recordSelectionFormula = cr.text("recordSelectionFormula");
    reportAuthor = cr.text("reportAuthor");
    reportComments = cr.text("reportComments");
    reportFormatStyle = QString::number(tvLong(cr.integer("reportFormatStyle")));
    reportFileName = reportName;
    reportSubject = cr.text("reportSubject");
    reportTemplate = cr.text("reportTemplate");
    reportTitle = cr.text("reportTitle");
    rightMargin = tvLong(cr.integer("rightMargin"));
    savePreviewPicture = cr.flag("savePreviewPicture");
    sqlQueryString = LoadSqlQueryString(cr, reportName);
    topMargin = tvLong(cr.integer("topMargin"));
    useIndexForSpeed = cr.flag("useIndexForSpeed");
    verifyOnEveryPrint = cr.flag("verifyOnEveryPrint");
}

QString tvReport::LoadSqlQueryString(rt::Object& crReport, const QString& reportName) {
    tvLoadingOptions& options = *loadingOptions;
    if (options.showSQL == 0) return QString();
    const auto crDatabase = tvRequiredObject(crReport, "Database");
    if (crDatabase->collection("Tables")->count() == 0) return QString();
    crReport.setFlag("enableParameterPrompting", options.promptForParameters != 0);

    // A connectivity test that fails to run means the table does not connect.
    const auto connects = [&] {
        try {
            return crDatabase->collection("Tables")->item(1)->testConnectivity();
        } catch (const rt::Error&) {
            return false;
        }
    };
    {
        const auto crTable = crDatabase->collection("Tables")->item(1);
        const tvLogonValues logon = ReadLogonValues(*crTable);
        if (crTable->text("dllName").toLower() == u"crdb_query.dll") return logon.database;
    }
    if (connects()) return crReport.text("sqlQueryString");

    {
        const auto crTable = crDatabase->collection("Tables")->item(1);
        const tvLogonValues logon = ReadLogonValues(*crTable);
        const QString dllName = crTable->text("dllName");
        LogonPrompt dialog;
        dialog.setVars(*crDatabase, dllName, logon.server, logon.database, reportName, logon.userId,
                       &crReport);
        dialog.visible = true;
        if (options.logon) {
            options.logon(dialog);
        } else {
            dialog.pressCancel();
        }
        dialog.visible = false;
    }
    if (connects()) return crReport.text("sqlQueryString");
    options.showSQL = 0;
    return QString();
}

void tvReport::AddSummaryFieldDefinition(const rt::Object& crSummaryField) {
    const QString name = crSummaryField.text("name");
    const tvSummaryPathGuard guard(summaryPath, name);
    if (FindSummaryFieldDefinition(name)) return;
    // A summary of a summary finds its target already listed. A secondary field of another
    // kind (the weight of a weighted average, the second column of a correlation) is no
    // summary and is not listed here.
    if (const auto secondary = crSummaryField.object("secondarySummarizedField")) {
        if (secondary->integer("kind") == tvSummaryFieldKind) AddSummaryFieldDefinition(*secondary);
    }
    tvSummaryFieldDefinition* definition =
        tvSummaryFieldDefinitions.Add(std::make_unique<tvSummaryFieldDefinition>(), name);
    summaryChains.listed(name);
    definition->init(crSummaryField, *this, QString());
}

bool tvReport::FindSummaryFieldDefinition(const QString& name) const {
    return tvSummaryFieldDefinitions.Find(name) != nullptr;
}

tvArea* tvReport::getArea(const QString& areaName) const {
    tvArea* found = nullptr;
    for (tvArea& area : tvAreas) {
        if (area.name == areaName) found = &area;
    }
    return found;
}
