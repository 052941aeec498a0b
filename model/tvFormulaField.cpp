#include "tvFormulaField.h"

#include "tvConditionalFormula.h"
#include "tvTypes.h"

tvFormulaField::tvFormulaField() : tvIFieldDefinition(tvFormulaFieldKind) {}
tvFormulaField::~tvFormulaField() = default;

void tvFormulaField::init(const rt::Object& cr, tvReport& objectParent) {
    fieldName = cr.text("fieldName");
    kind = tvInteger(cr.integer("kind"));
    parent = &objectParent;
    name = cr.text("name");
    numberOfBytes = tvInteger(cr.integer("numberOfBytes"));
    text = cr.text("text");
    valueType = tvInteger(cr.integer("valueType"));
    tvIReportObject_objectName = QStringLiteral("Formula");
}
