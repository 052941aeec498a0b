#pragma once

#include <QDateTime>
#include <QString>
#include <QtNumeric>
#include <algorithm>
#include <array>
#include <functional>

#include "RtError.h"
#include "RtObject.h"

// Member types of the model: Integer is qint16, Long qint32, Boolean bool, Double double,
// String QString, date-time QDateTime. A runtime code narrowed into an Integer member fails
// with an overflow error when it does not fit.
inline qint16 tvInteger(qint64 value) {
    if (value < -32768 || value > 32767) {
        throw rt::Error(rt::kErrOverflow, QStringLiteral("Overflow"));
    }
    return static_cast<qint16>(value);
}

// Sums and differences of runtime values: one beyond 64 bits overflows, as a Long does, rather
// than wrap.
inline qint64 tvSum(qint64 a, qint64 b) {
    qint64 result = 0;
    if (qAddOverflow(a, b, &result)) throw rt::Error(rt::kErrOverflow, QStringLiteral("Overflow"));
    return result;
}
inline qint64 tvDifference(qint64 a, qint64 b) {
    qint64 result = 0;
    if (qSubOverflow(a, b, &result)) throw rt::Error(rt::kErrOverflow, QStringLiteral("Overflow"));
    return result;
}

inline qint32 tvLong(qint64 value) {
    if (value < INT32_MIN || value > INT32_MAX) {
        throw rt::Error(rt::kErrOverflow, QStringLiteral("Overflow"));
    }
    return static_cast<qint32>(value);
}

// A colour into a Long. The runtime hands colours over as 32-bit values, so a system colour
// (0x80000000 and up) arrives as a negative Long; only values beyond 32 bits overflow.
inline qint32 tvColor(qint64 value) {
    if (value < INT32_MIN || value > UINT32_MAX) {
        throw rt::Error(rt::kErrOverflow, QStringLiteral("Overflow"));
    }
    return static_cast<qint32>(static_cast<quint32>(value));
}

// The decimal text of a 32-bit value. Most values kept as text are small codes, read for every
// object of a report: their texts are made once and shared.
inline QString tvDecimalText(qint32 value) {
    static const std::array<QString, 256> small = [] {
        std::array<QString, 256> texts;
        for (int i = 0; i < 256; ++i) texts[size_t(i)] = QString::number(i);
        return texts;
    }();
    return value >= 0 && value < 256 ? small[size_t(value)] : QString::number(value);
}

// A runtime 32-bit value held as its decimal text ("255", "-1").
inline QString tvNumberText(qint64 value) { return tvDecimalText(tvLong(value)); }

// Positions and sizes are twips: 1440 to the inch, and 15 to a pixel of a 96-dots-per-inch screen.
inline constexpr double tvTwipsPerInch = 1440.0;
inline constexpr int tvTwipsPerPixel = 15;

// A flag held as text: "True" or "False".
inline QString tvBooleanText(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

// Where the file name of a path begins: after its last slash or backslash, else at 0.
inline qsizetype tvFileNameStart(const QString& path) {
    return std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\')) + 1;
}

// The file name of a path, written on this system or on Windows.
inline QString tvFileName(const QString& path) { return path.mid(tvFileNameStart(path)); }

// The date-time whose numeric value is 0, as the runtime reads an absent date.
inline QDateTime tvZeroDate() { return rt::zeroDateTime(); }

class LogonPrompt;

// The options of one load, seen by every subreport loaded inside it. A cancelled logon clears
// showSQL for the rest of the load.
struct tvLoadingOptions {
    qint16 showSQL = 0;
    qint16 promptForParameters = 0;
    // Shows the logon prompt of a report whose database refuses the connection, modally; none
    // presses Cancel.
    std::function<void(LogonPrompt&)> logon;
    // Takes the notes of the library that reads compound report files about the files of this
    // load; none leaves them on standard error.
    std::function<void(const QString& note)> libraryNotes;
};
