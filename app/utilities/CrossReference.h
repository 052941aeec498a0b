#pragma once

#include <QStringList>

#include "ExtractOptions.h"
#include "ResultGrid.h"

namespace tav::utilities {

// Cross Reference: one row for every database table of each listed report and of its
// subreports, with the title and the record selection formula of the report that owns the table.

// "ReportFile", "ReportTitle", "Subreport", "Table", "Alias", "SelectionFormula".
std::span<const GridColumn> CrossReferenceColumns();

// Builds the whole result from the report list (full paths, in order). Empty entries are
// skipped; a report that fails is reported to the user and keeps the rows it already gave.
// `prompt` tells whether loading a report asks for its parameters.
// Progress texts and messages go to `reporter`.
ResultGrid RunCrossReference(const QStringList& reportList, core::ParameterPrompt prompt,
                             core::RunReporter& reporter, const ProgressHandler& progress = {});

// Adds the rows of one report file. Fails with the model's error.
void WriteCrossReferences(const QString& fileName, const QString& path,
                          core::ParameterPrompt prompt, ResultGrid& grid,
                          core::RunReporter& reporter);

}  // namespace tav::utilities
