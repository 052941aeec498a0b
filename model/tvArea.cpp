#include "tvArea.h"

#include "tvFieldDefinitions.h"
#include "tvFieldResolver.h"
#include "tvReport.h"
#include "tvSection.h"
#include "tvTypes.h"

tvArea::tvArea() = default;
tvArea::~tvArea() = default;

void tvArea::init(const rt::Object& crArea, tvReport& objectParent) {
    parent = &objectParent;

    // Compared as the runtime gives it; narrowed only where it is stored.
    const qint64 crKind = crArea.integer("kind");
    if (crKind == tvDetailArea) readDetailValues(crArea);
    if (crKind == tvGroupFooterArea || crKind == tvGroupHeaderArea) readGroupValues(crArea);

    hideForDrillDown = QVariant(crArea.flag("hideForDrillDown"));
    keepTogether = crArea.flag("keepTogether");
    kind = tvInteger(crKind);
    name = crArea.text("name");
    newPageAfter = crArea.flag("newPageAfter");
    newPageBefore = crArea.flag("newPageBefore");
    printAtBottomOfPage = crArea.flag("printAtBottomOfPage");
    resetPageNumberAfter = crArea.flag("resetPageNumberAfter");
    suppress = crArea.flag("suppress");

    // A section is listed once it is complete, in the runtime's order.
    const auto crSections = crArea.collection("Sections");
    const int count = crSections->count();
    tvSections.Reserve(count);
    for (int i = 1; i <= count; ++i) {
        auto section = std::make_unique<tvSection>();
        section->init(*crSections->item(i), *this);
        tvSections.Add(std::move(section));
    }
}

void tvArea::readDetailValues(const rt::Object& crArea) {
    copiesToPrint = tvInteger(crArea.integer("copiesToPrint"));
    detailHeight = tvLong(crArea.integer("detailHeight"));
    detailWidth = tvLong(crArea.integer("detailWidth"));
    horizontalGap = tvLong(crArea.integer("horizontalGap"));
}

void tvArea::readGroupValues(const rt::Object& crArea) {
    discardOtherGroups = crArea.flag("discardOtherGroups");
    enableHierarchicalGroupSorting = crArea.flag("enableHierarchicalGroupSorting");
    groupCondition = tvInteger(crArea.integer("groupCondition"));
    if (const auto crField = crArea.object("groupConditionField")) {
        groupConditionField = ResolveFieldDefinition(*crField, *parent);
    }
    groupIndent = tvLong(crArea.integer("groupIndent"));
    groupNumber = tvInteger(crArea.integer("groupNumber"));
    keepGroupTogether = crArea.flag("keepGroupTogether");
    numberOfTopOrBottomNGroups = tvInteger(crArea.integer("numberOfTopOrBottomNGroups"));
    repeatGroupHeader = crArea.flag("repeatGroupHeader");
    sortDirection = tvInteger(crArea.integer("sortDirection"));
    topOrBottomNGroupSortOrder = tvInteger(crArea.integer("topOrBottomNGroupSortOrder"));
    if (const auto crField = crArea.object("topOrBottomNSortField")) {
        // Groups are chosen by a summary; any other definition is a type mismatch.
        topOrBottomNSortField = tvFieldDefinitionAs<tvSummaryFieldDefinition>(
            ResolveFieldDefinition(*crField, *parent));
    }
}
