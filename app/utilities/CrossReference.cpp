#include "CrossReference.h"

#include <array>

#include "DocumentedValue.h"
#include "ExtractOptions.h"
#include "RtError.h"
#include "RunReporter.h"
#include "SharedBlocks.h"
#include "TextUtilities.h"
#include "tvDatabase.h"
#include "tvDatabaseTable.h"
#include "tvReport.h"

namespace tav::utilities {

using namespace core;
using namespace doctext;

namespace {

constexpr std::array<GridColumn, 6> kColumns{{
    {"ReportFile", 2000, GridLeft},
    {"ReportTitle", 2000, GridLeft},
    {"Subreport", 1000, GridLeft},
    {"Table", 1000, GridLeft},
    {"Alias", 1000, GridLeft},
    {"SelectionFormula", 2000, GridLeft},
}};

// The bare table of a qualified location: Sales.dbo.Customer gives Customer.
QString bareTable(const QString& location) { return location.mid(location.lastIndexOf(u'.') + 1); }

// Opens a report of the list. Its error names the report, so that the user can tell which entry
// of the list failed.
void openReport(tvReport& report, const QString& path, ParameterPrompt prompt) {
    try {
        report.init(path, 0, qint16(prompt));
    } catch (const rt::Error& e) {
        throw rt::Error(e.number(), QStringLiteral("Unable to open Report: ") + path +
                                        QStringLiteral(" (") + e.reason() + u')');
    }
}

}  // namespace

std::span<const GridColumn> CrossReferenceColumns() { return kColumns; }

void WriteCrossReferences(const QString& fileName, const QString& path, ParameterPrompt prompt,
                          ResultGrid& grid, RunReporter& reporter) {
    tvReport report;
    openReport(report, path, prompt);
    reporter.status(fileName + QStringLiteral(" - Writing Cross References"));

    for (qsizetype i = 0; i <= report.subReports.Count(); ++i) {
        const tvReport& r = *documented(GetReportOrSubreport(report, i));
        const QString formula = OneLine(r.recordSelectionFormula);
        if (!r.tvDatabase) continue;
        for (const tvDatabaseTable& t : r.tvDatabase->tables) {
            const QString& alias = t.name;
            const QString table = bareTable(t.location.isEmpty() ? alias : t.location);
            grid.AddItem({path, r.reportTitle, QString(), table, alias, formula});
        }
    }
}

ResultGrid RunCrossReference(const QStringList& reportList, ParameterPrompt prompt,
                             RunReporter& reporter, const ProgressHandler& progress) {
    ResultGrid grid(kColumns);
    for (qsizetype i = 0; i < reportList.size(); ++i) {
        const QString& entry = reportList.at(i);
        if (!entry.isEmpty()) {
            const QString fileName = reportFileName(entry);
            reporter.status(fileName + QStringLiteral(" - Mining"));
            RunUtilityStep([&] { WriteCrossReferences(fileName, entry, prompt, grid, reporter); },
                           reporter);
        }
        if (progress) progress(i, grid);
    }
    return grid;
}

}  // namespace tav::utilities
