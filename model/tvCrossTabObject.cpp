#include "tvCrossTabObject.h"

#include "tvFieldResolver.h"
#include "tvRuntime.h"
#include "tvTypes.h"

namespace {

// The groups of one runtime collection, in runtime order.
void readGroups(const rt::Object& cr, const char* member, tvCrossTabObject& crossTab,
                tvCrossTabGroups& groups) {
    tvForEachPresentItem(cr, member, [&](const rt::Object& crGroup, int) {
        auto group = std::make_unique<tvCrossTabGroup>();
        group->init(crGroup, crossTab);
        groups.Add(std::move(group));
    });
}

}  // namespace

void tvCrossTabGroup::init(const rt::Object& cr, tvCrossTabObject& objectParent) {
    backgroundColor = tvColor(cr.integer("backgroundColor"));
    condition = tvInteger(cr.integer("condition"));
    enableSuppressLabel = cr.flag("enableSuppressLabel");
    enableSuppressSubtotal = cr.flag("enableSuppressSubtotal");
    sortDirection = tvInteger(cr.integer("sortDirection"));
    parent = &objectParent;
    field = ResolveFieldDefinition(*tvRequiredObject(cr, "field"), objectParent.requiredReport());
}

void tvCrossTabObject::init(const rt::Object& cr, tvSection& objectParent) {
    tvReadBorderFormatting(borderFormatting, cr);
    tvReadCommonFormatting(commonFormatting, cr, tvObjectCommonMembers);
    tvReadPosition(position, cr);
    tvReadHyperlinkFormatting(hyperlinkFormatting, cr);
    parent = &objectParent;
    tvAddObjectConditionalFormulas(cr, ConditionalFormulas);
    objectName = cr.text("name");

    columnGrandTotalColor = tvColor(cr.integer("columnGrandTotalColor"));
    enableRepeatRowLabels = cr.flag("enableRepeatRowLabels");
    enableShowCellMargins = cr.flag("enableShowCellMargins");
    enableShowGrid = cr.flag("enableShowGrid");
    enableSuppressColumnGrandTotals = cr.flag("enableSuppressColumnGrandTotals");
    enableSuppressEmptyCols = cr.flag("enableSuppressEmptyCols");
    enableSuppressEmptyRows = cr.flag("enableSuppressEmptyRows");
    enableSuppressRowGrandTotals = cr.flag("enableSuppressRowGrandTotals");
    rowGrandTotalColor = tvColor(cr.integer("rowGrandTotalColor"));
    enableKeepColumnsTogether = cr.flag("enableKeepColumnsTogether");

    readGroups(cr, "ColumnGroups", *this, columnGroups);
    readGroups(cr, "RowGroups", *this, rowGroups);
    tvReadObjectSummaries(cr, *this, summaryFields);
}

tvCrossTabObject* tvCrossTabObjects::Add(const QString& key) {
    auto crossTab = std::make_unique<tvCrossTabObject>();
    crossTab->key = key;
    return tvCollection::Add(std::move(crossTab));
}

void tvReadObjectSummaries(const rt::Object& cr, const tvIReportObject& owner,
                           tvSummaryFieldDefinitions& summaries) {
    tvForEachPresentItem(cr, "SummaryFields", [&](const rt::Object& crSummary, int position) {
        auto summary = std::make_unique<tvSummaryFieldDefinition>();
        summary->init(crSummary, owner.requiredReport(),
                      owner.objectName + u'-' + QString::number(position));
        summaries.Add(std::move(summary));
    });
}
