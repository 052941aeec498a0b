#include "tvRuntime.h"

#include "tvFieldResolver.h"

QVariant tvFieldValue(const rt::Object& crField, const char* member) {
    const QString text = crField.text(member);
    if (text.isEmpty()) return QVariant();
    // The value type says how to read the value. Where it cannot be read, the value is kept as
    // the text it is, and the definition's own read of the value type fails next, as it would.
    qint64 code = 0;
    try {
        code = crField.integer("valueType");
    } catch (const rt::Error&) {
        return text;
    }
    const bool inRange = code >= INT16_MIN && code <= INT16_MAX;
    const qint16 valueType = inRange ? static_cast<qint16>(code) : 0;
    if (IsBooleanValueType(valueType)) return crField.flag(member);
    if (IsDateTimeValueType(valueType)) return crField.dateTime(member);
    if (IsDateValueType(valueType)) return crField.dateTime(member).date();
    if (IsTimeValueType(valueType)) {
        const QTime time = QTime::fromString(text.trimmed(), Qt::ISODate);
        return time.isValid() ? time : crField.dateTime(member).time();
    }
    if (IsCurrencyValueType(valueType) || valueType == 7) return crField.real(member);
    if (IsNumberValueType(valueType)) return crField.integer(member);
    return text;
}
