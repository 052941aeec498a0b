#include "tvShownField.h"

#include "tvFieldResolver.h"
#include "tvRuntime.h"

tvIFieldDefinition* tvResolveShownField(const rt::Object* crField, tvReport& report) {
    // An object that names no field shows none, as one whose field has no definition.
    return crField ? ResolveFieldDefinition(*crField, report) : nullptr;
}

QString tvShownFieldName(const rt::Object* crField) {
    return crField ? crField->text("name") : QString();
}

tvIFieldDefinition* tvResolveShownField(const rt::Object& crObject, tvReport& report) {
    return tvResolveShownField(crObject.object("field").get(), report);
}

QString tvShownFieldName(const rt::Object& crObject) {
    return tvShownFieldName(crObject.object("field").get());
}
