#include "tvFieldDefinitions.h"

#include "tvTypes.h"

// Until each kind reads its own values, a definition knows its report, name and value type.
namespace {
void readCommon(tvIFieldDefinition& def, const rt::Object& crField, tvReport& report) {
    def.parent = &report;
    def.name = crField.text("name");
    def.valueType = tvInteger(crField.integer("valueType"));
}
}  // namespace

void tvDatabaseFieldDefinition::init(const rt::Object& crField, tvReport& report) {
    readCommon(*this, crField, report);
}
void tvFormulaField::init(const rt::Object& crField, tvReport& report) {
    readCommon(*this, crField, report);
}
void tvSummaryFieldDefinition::init(const rt::Object& crField, tvReport& report, const QString&) {
    readCommon(*this, crField, report);
}
void tvSpecialVarFieldDefinition::init(const rt::Object& crField, tvReport& report) {
    readCommon(*this, crField, report);
}
void tvGroupNameField::init(const rt::Object& crField, tvReport& report) {
    readCommon(*this, crField, report);
}
void tvParameterFieldDefinition::init(const rt::Object& crField, tvReport& report) {
    readCommon(*this, crField, report);
}
void tvRunningTotalFieldDefinition::init(const rt::Object& crField, tvReport& report) {
    readCommon(*this, crField, report);
}
void tvSQLExpressionFieldDefinition::init(const rt::Object& crField, tvReport& report) {
    readCommon(*this, crField, report);
}
