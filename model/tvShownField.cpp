#include "tvShownField.h"

#include "tvFieldResolver.h"
#include "tvRuntime.h"

tvIFieldDefinition* tvResolveShownField(const rt::Object& crObject, tvReport& report) {
    // An object that names no field shows none, as one whose field has no definition.
    const auto crField = crObject.object("field");
    return crField ? ResolveFieldDefinition(*crField, report) : nullptr;
}

QString tvShownFieldName(const rt::Object& crObject) {
    const auto crField = crObject.object("field");
    return crField ? crField->text("name") : QString();
}
