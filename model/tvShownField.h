#pragma once

#include <QString>

#include "RtObject.h"

class tvIFieldDefinition;
class tvReport;

// The field that a runtime field object or field element shows (its member "field").

// The report's own definition of that field; nullptr where the resolver has no definition for
// its kind (0, 9 and up) and for an object without a field: such an object shows no field and
// the load goes on.
tvIFieldDefinition* tvResolveShownField(const rt::Object& crObject, tvReport& report);

// The runtime's own name of that field, read by name; "" for an object without a field.
QString tvShownFieldName(const rt::Object& crObject);

// The same two for the field already read from the object (nullptr: none), where an object
// needs both.
tvIFieldDefinition* tvResolveShownField(const rt::Object* crField, tvReport& report);
QString tvShownFieldName(const rt::Object* crField);
