#pragma once

#include <QString>

#include "RtObject.h"

class tvIFieldDefinition;
class tvReport;

// The field that a runtime field object or field element shows (its member "field").

// The report's own definition of that field; nullptr where the object shows none or the
// resolver has no definition for its kind.
tvIFieldDefinition* tvResolveShownField(const rt::Object& crObject, tvReport& report);

// The runtime's own name of that field, read by name; empty where the object shows none.
QString tvShownFieldName(const rt::Object& crObject);
