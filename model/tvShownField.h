#pragma once

#include <QString>

#include "RtObject.h"

class tvIFieldDefinition;
class tvReport;

// The field that a runtime field object or field element shows (its member "field").

// The report's own definition of that field; nullptr where the resolver has no definition for
// its kind. An object without a field fails, as the runtime's own objects always have one.
tvIFieldDefinition* tvResolveShownField(const rt::Object& crObject, tvReport& report);

// The runtime's own name of that field, read by name.
QString tvShownFieldName(const rt::Object& crObject);
