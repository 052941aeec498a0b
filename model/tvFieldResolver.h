#pragma once

#include "RtObject.h"
#include "tvIFieldDefinition.h"

class tvReport;

// The report's own definition for a runtime field of any kind, shared and never copied; nullptr
// for a kind outside 1 to 8. A special field gets a new definition on every call.
tvIFieldDefinition* ResolveFieldDefinition(const rt::Object& crField, tvReport& report);

// A resolved definition viewed as the class its user needs: nothing stays nothing, and a
// definition of another class fails with a type mismatch.
template <class T>
T* tvFieldDefinitionAs(tvIFieldDefinition* definition) {
    if (!definition) return nullptr;
    auto* viewed = dynamic_cast<T*>(definition);
    if (!viewed) {
        throw rt::Error(rt::kErrTypeMismatch,
                        QStringLiteral("Type mismatch: \"%1\" is a field of kind %2")
                            .arg(definition->name)
                            .arg(definition->kind));
    }
    return viewed;
}

// Value type predicates: which value formattings a field of that type receives.
bool IsTimeValueType(qint16 valueType);
bool IsDateValueType(qint16 valueType);
bool IsCurrencyValueType(qint16 valueType);
bool IsDateTimeValueType(qint16 valueType);
bool IsNumberValueType(qint16 valueType);
bool IsStringValueType(qint16 valueType);
bool IsBooleanValueType(qint16 valueType);
