#pragma once

#include <QStringList>

#include "ExtractOptions.h"
#include "ResultGrid.h"

class tvReport;

namespace tav::utilities {

// Site Survey: one row for each listed report, with its summary facts, its file's date and
// size, and the counts of its contents summed over the report and its subreports.

// "ReportFile", "ReportTitle", "Version", ... "Comments": 16 columns.
std::span<const GridColumn> SiteSurveyColumns();

// Running totals of one report's row. Not limited to 16 bits.
struct SurveyTotals {
    qint64 formulas = 0;
    qint64 tables = 0;
    qint64 groups = 0;
    qint64 subreports = 0;
    qint64 objects = 0;
    qint64 sections = 0;
};

// Builds the whole result from the report list (full paths, in order); empty entries give
// no row.
// `prompt` tells whether loading a report asks for its parameters.
// Progress texts and messages go to `reporter`.
ResultGrid RunSiteSurvey(const QStringList& reportList, core::ParameterPrompt prompt,
                         core::RunReporter& reporter, const ProgressHandler& progress = {});

// Adds the row of one report file. A step that fails is reported to the user and the row is
// still added, with what could be read: a report that cannot be opened keeps its file name,
// date and size.
void WriteSurvey(const QString& path, core::ParameterPrompt prompt, ResultGrid& grid,
                 core::RunReporter& reporter);

// Adds one report's counts to the totals; subreports are left to the caller.
void CountReportContents(const tvReport& report, SurveyTotals& totals);

// Minutes as hours ":" minutes without leading zeros: 125 gives "2:5".
QString FormatEditTime(qint64 minutes);

}  // namespace tav::utilities
