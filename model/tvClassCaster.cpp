#include "tvClassCaster.h"

#include "tvIFieldDefinition.h"

// Filled in with the field definitions.
tvIFieldDefinition* ResolveFieldDefinition(const rt::Object&, tvReport&) { return nullptr; }

bool IsTimeValueType(qint16 t) { return t == 11 || t == 16; }
bool IsDateValueType(qint16 t) { return t == 10 || t == 16; }
bool IsCurrencyValueType(qint16 t) { return t == 8; }
bool IsDateTimeValueType(qint16 t) { return t == 16; }
bool IsNumberValueType(qint16 t) { return t >= 1 && t <= 7; }
bool IsStringValueType(qint16 t) { return t == 12 || t == 13; }
bool IsBooleanValueType(qint16 t) { return t == 9; }
