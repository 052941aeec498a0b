#include "tvParameterFieldDefinition.h"

#include "tvRuntime.h"
#include "tvTypes.h"

namespace {

// The runtime cannot give a minimum or maximum for every kind of parameter; such a limit stays
// empty rather than failing the report.
QVariant limitValue(const rt::Object& cr, const char* member) {
    try {
        return tvFieldValue(cr, member);
    } catch (const rt::Error&) {
        return QVariant();
    }
}

}  // namespace

void tvParameterFieldDefinition::init(const rt::Object& cr, tvReport& objectParent) {
    disallowEditing = cr.flag("disallowEditing");
    discreteOrRangeKind = tvInteger(cr.integer("discreteOrRangeKind"));
    editMask = cr.text("editMask");
    enableExclusiveGroup = cr.flag("enableExclusiveGroup");
    enableMultipleValues = cr.flag("enableMultipleValues");
    enableNullValue = cr.flag("enableNullValue");
    enableRangeLimit = cr.flag("enableRangeLimit");
    enableShowDescriptionOnly = cr.flag("enableShowDescriptionOnly");
    enableSortBasedOnDesc = cr.flag("enableSortBasedOnDesc");
    groupNumber = tvInteger(cr.integer("groupNumber"));
    isCurrentValueSet = cr.flag("isCurrentValueSet");
    isDefaultValueSet = cr.flag("isDefaultValueSet");
    maximumValue = limitValue(cr, "maximumValue");
    minimumValue = limitValue(cr, "minimumValue");
    name = cr.text("name");
    needsCurrentValue = cr.flag("needsCurrentValue");
    numberOfBytes = tvInteger(cr.integer("numberOfBytes"));
    numberOfCurrentRanges = tvInteger(cr.integer("numberOfCurrentRanges"));
    numberOfCurrentValues = tvInteger(cr.integer("numberOfCurrentValues"));
    numberOfDefaultValues = tvInteger(cr.integer("numberOfDefaultValues"));
    parameterFieldName = cr.text("parameterFieldName");
    parameterType = tvInteger(cr.integer("parameterType"));
    parent = &objectParent;
    pickListSortMethod = tvInteger(cr.integer("pickListSortMethod"));
    placeInGroup = cr.flag("placeInGroup");
    prompt = cr.text("prompt");
    reportName = cr.text("reportName");
    value = tvFieldValue(cr, "value");
    valueType = tvInteger(cr.integer("valueType"));
}
