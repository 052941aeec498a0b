#pragma once

#include <vector>

#include "ExtractOptions.h"

namespace tav::doctext {

// The blocks of the body of one report or subreport, in the order in which every documentation
// writes them.
enum class BodyBlock {
    Alerts,
    RecordSelectionFormula,
    GroupSelectionFormula,
    UserFormulas,
    Parameters,
    Groups,
    GroupSortFields,
    RecordSortFields,
    SqlQuery,
    Tables,
    TableColumns,  // the columns of each table; a format may write them beside each table
    DatabaseLinks,
    RunningTotals,
    Sections,
};

// The blocks that the options switch on, in order: the one description of a body that the
// text file and the document both follow.
std::vector<BodyBlock> ReportBodyBlocks(const core::ExtractOptions& options);

}  // namespace tav::doctext
