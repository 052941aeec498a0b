#include "ReportBodyBlocks.h"

#include <initializer_list>

namespace tav::doctext {

std::vector<BodyBlock> ReportBodyBlocks(const core::ExtractOptions& options) {
    std::vector<BodyBlock> blocks;
    const auto add = [&](bool on, std::initializer_list<BodyBlock> switched) {
        if (on) blocks.insert(blocks.end(), switched);
    };
    add(true, {BodyBlock::Alerts});
    add(options.ShowFormula, {BodyBlock::RecordSelectionFormula, BodyBlock::GroupSelectionFormula,
                              BodyBlock::UserFormulas});
    add(options.ShowParameters, {BodyBlock::Parameters});
    add(options.ShowGroups, {BodyBlock::Groups});
    add(options.ShowSort, {BodyBlock::GroupSortFields, BodyBlock::RecordSortFields});
    add(options.ShowSQL, {BodyBlock::SqlQuery});
    add(options.ShowTables, {BodyBlock::Tables});
    add(options.ShowTables && options.ShowDBCols, {BodyBlock::TableColumns});
    add(options.ShowTables, {BodyBlock::DatabaseLinks});
    add(true, {BodyBlock::RunningTotals, BodyBlock::Sections});
    return blocks;
}

}  // namespace tav::doctext
