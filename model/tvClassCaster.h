#pragma once

#include "RtObject.h"

class tvReport;
class tvIFieldDefinition;

// The report's own definition for a runtime field of any kind, shared and never copied; nullptr
// for a kind outside 1 to 8. A special field gets a new definition on every call.
tvIFieldDefinition* ResolveFieldDefinition(const rt::Object& crField, tvReport& report);

// Value type predicates: which value formattings a field of that type receives.
bool IsTimeValueType(qint16 valueType);
bool IsDateValueType(qint16 valueType);
bool IsCurrencyValueType(qint16 valueType);
bool IsDateTimeValueType(qint16 valueType);
bool IsNumberValueType(qint16 valueType);
bool IsStringValueType(qint16 valueType);
bool IsBooleanValueType(qint16 valueType);
