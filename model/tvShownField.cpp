#include "tvShownField.h"

#include "tvClassCaster.h"
#include "tvRuntime.h"

tvIFieldDefinition* tvResolveShownField(const rt::Object& crObject, tvReport& report) {
    return ResolveFieldDefinition(*tvRequiredObject(crObject, "field"), report);
}

QString tvShownFieldName(const rt::Object& crObject) {
    return tvRequiredObject(crObject, "field")->text("name");
}
