#include "tvRunningTotalFieldDefinition.h"

#include "tvFieldResolver.h"
#include "tvRuntime.h"
#include "tvTypes.h"

void tvRunningTotalFieldDefinition::init(const rt::Object& cr, tvReport& objectParent) {
    evaluateCondition = tvInteger(cr.integer("evaluateCondition"));
    hierarchicalSummaryType = tvInteger(cr.integer("hierarchicalSummaryType"));
    name = cr.text("name");
    numberOfBytes = tvInteger(cr.integer("numberOfBytes"));
    parent = &objectParent;
    resetCondition = tvInteger(cr.integer("resetCondition"));
    try {
        resetGroupNumber = tvInteger(cr.integer("resetGroupNumber"));
    } catch (const rt::Error&) {
        // A running total that does not reset on a group has no group number to give.
    }
    runningTotalFieldName = cr.text("runningTotalFieldName");
    if (const auto secondary = cr.object("secondarySummarizedField")) {
        secondarySummarizedField = ResolveFieldDefinition(*secondary, objectParent);
    }
    summarizedField =
        ResolveFieldDefinition(tvRequired(cr.object("summarizedField")), objectParent);
    summaryOperationParameter = tvLong(cr.integer("summaryOperationParameter"));
    summaryType = tvInteger(cr.integer("summaryType"));
    valueType = tvInteger(cr.integer("valueType"));
}
