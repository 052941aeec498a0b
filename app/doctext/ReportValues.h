#pragma once

#include <QDateTime>
#include <QString>

#include "SharedBlocks.h"
#include "tvReport.h"
#include "tvTypes.h"

namespace tav::doctext {

// How the report-level blocks show a value of the model, shared by the documentation and by
// report comparison.
namespace reportValues {

inline QString show(const QString& value) { return value; }
inline QString show(bool value) { return tvBooleanText(value); }
inline QString show(qint32 value) { return QString::number(value); }
inline QString show(const QDateTime& value) { return FormatGeneralDate(value); }

// The value of `Member` of the object that `Owner` finds in the report; "" where `Owner` finds
// none (an owner may instead fail when the object must be there).
template <auto Owner, auto Member>
QString shown(const tvReport& report) {
    const auto* owner = Owner(report);
    return owner ? show(owner->*Member) : QString();
}
// The same, turned into text by `Lookup`.
template <auto Owner, auto Member, auto Lookup>
QString looked(const tvReport& report) {
    const auto* owner = Owner(report);
    return owner ? Lookup(owner->*Member) : QString();
}

inline const tvReport* self(const tvReport& report) { return &report; }

}  // namespace reportValues

}  // namespace tav::doctext
