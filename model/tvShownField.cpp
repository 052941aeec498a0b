#include "tvShownField.h"

#include "tvClassCaster.h"

tvIFieldDefinition* tvResolveShownField(const rt::Object& crObject, tvReport& report) {
    const auto crField = crObject.object("field");
    return crField ? ResolveFieldDefinition(*crField, report) : nullptr;
}

QString tvShownFieldName(const rt::Object& crObject) {
    const auto crField = crObject.object("field");
    return crField ? crField->text("name") : QString();
}
