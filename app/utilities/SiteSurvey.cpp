#include "SiteSurvey.h"

#include <QFileInfo>
#include <QLocale>
#include <array>

#include "DocumentedValue.h"
#include "ExtractOptions.h"
#include "RunReporter.h"
#include "SharedBlocks.h"
#include "TextUtilities.h"
#include "tvArea.h"
#include "tvDatabase.h"
#include "tvReport.h"
#include "tvReportStatistics.h"
#include "tvSection.h"

namespace tav::utilities {

using namespace core;
using namespace doctext;

namespace {

constexpr std::array<GridColumn, 16> kColumns{{
    {"ReportFile", 2000, GridLeft},
    {"ReportTitle", 2000, GridLeft},
    {"Version", 1000, GridLeft},
    {"Rev.", 1000, GridCentre},
    {"Edit Time (HH:MM)", 1000, GridCentre},
    {"Author", 1000, GridLeft},
    {"Last Saved By", 1000, GridLeft},
    {"File Date Time", 1000, GridCentre},
    {"File Size", 1000, GridCentre},
    {"SubReports", 1000, GridCentre},
    {"Tables", 1000, GridCentre},
    {"Groups", 1000, GridCentre},
    {"Sections", 1000, GridCentre},
    {"Objects", 1000, GridCentre},
    {"Formulas", 1000, GridCentre},
    {"Comments", 1000, GridLeft},
}};

}  // namespace

std::span<const GridColumn> SiteSurveyColumns() { return kColumns; }

QString FormatEditTime(qint64 minutes) {
    qint64 hours = minutes / 60;
    if (minutes % 60 < 0) --hours;  // the largest whole number of hours not above the time
    return QString::number(hours) + u':' + QString::number(minutes - hours * 60);
}

void CountReportContents(const tvReport& report, SurveyTotals& totals) {
    if (report.tvDatabase) totals.tables += report.tvDatabase->tables.Count();
    totals.formulas += report.tvFormulaFields.Count();
    totals.groups += report.numberOfGroups;
    for (const tvArea& area : report.tvAreas) {
        totals.sections += area.tvSections.Count();
        for (const tvSection& section : area.tvSections)
            totals.objects += section.reportObjects.Count();
    }
}

void WriteSurvey(const QString& path, ParameterPrompt prompt, ResultGrid& grid,
                 RunReporter& reporter) {
    const QString fileName = reportFileName(path);
    SurveyTotals totals;

    tvReport report;
    const bool opened = RunUtilityStep([&] { report.init(path, 0, qint16(prompt)); }, reporter);
    reporter.status(path + QStringLiteral(" - Writing Survey"));

    const bool counted =
        opened &&
        RunUtilityStep(
            [&] {
                CountReportContents(report, totals);
                for (qsizetype k = 1; k <= report.subReports.Count(); ++k)
                    CountReportContents(*documented(GetReportOrSubreport(report, k)), totals);
            },
            reporter);
    totals.subreports = report.subReports.Count();
    // Counts of a report that could not be read in full would pass for real ones: left empty.
    const auto count = [counted](qint64 total) {
        return counted ? QString::number(total) : QString();
    };

    // The date and size are the file's own, so they show even for a report that cannot be opened.
    const QFileInfo file(path);
    const QLocale locale;
    QString fileDate;
    QString fileSize;
    if (file.exists()) {
        fileDate = locale.toString(file.lastModified(), QStringLiteral("dd-MMM-yyyy hh:mm:ss"));
        fileSize = locale.toString(file.size());
    }

    QString revision;
    QString editTime;
    QString savedBy;
    const tvReportStatistics* statistics = report.tvReportStatistics.get();
    if (opened && statistics) {
        revision = QString::number(statistics->revisionNumber);
        editTime = FormatEditTime(statistics->totalEditTime);
        savedBy = statistics->lastSavedBy;
    }

    // A report that could not be opened gives only its file's own facts.
    const auto text = [opened](const QString& value) { return opened ? value : QString(); };
    grid.AddItem({fileName, text(report.reportTitle), QString(), revision, editTime,
                  text(report.reportAuthor), savedBy, fileDate, fileSize, count(totals.subreports),
                  count(totals.tables), count(totals.groups), count(totals.sections),
                  count(totals.objects), count(totals.formulas), text(report.reportComments)});
}

ResultGrid RunSiteSurvey(const QStringList& reportList, ParameterPrompt prompt,
                         RunReporter& reporter, const ProgressHandler& progress) {
    ResultGrid grid(kColumns);
    for (qsizetype i = 0; i < reportList.size(); ++i) {
        const QString& entry = reportList.at(i);
        reporter.status(entry + QStringLiteral(" - Mining"));
        if (!entry.isEmpty()) WriteSurvey(entry, prompt, grid, reporter);
        if (progress) progress(i, grid);
    }
    return grid;
}

}  // namespace tav::utilities
