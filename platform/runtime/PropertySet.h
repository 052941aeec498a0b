#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QString>
#include <optional>
#include <variant>
#include <vector>

namespace rt {

// The 16 bytes of the summary information's format id F29F85E0-4FF9-1068-AB91-08002B27B3D9, as
// a property set stores them (the first three fields little-endian).
QByteArray summaryInformationFormatId();

// Property ids of the summary information set.
enum SummaryPropertyId : quint32 {
    kPidCodePage = 1,
    kPidTitle = 2,
    kPidSubject = 3,
    kPidAuthor = 4,
    kPidKeywords = 5,
    kPidComments = 6,
    kPidTemplate = 7,
    kPidLastSavedBy = 8,
    kPidRevisionNumber = 9,
    kPidEditTime = 10,
    kPidLastPrinted = 11,
    kPidCreated = 12,
    kPidLastSaved = 13,
};

// The code page in which this project writes 8-bit strings: UTF-8, so that every name and title
// survives the round trip (Windows-1252 would lose all but Western European text). The property
// set format allows it, and libgsf's reader decodes it.
inline constexpr quint16 kWrittenCodePage = 65001;

// A file time: 100-nanosecond units since 1 January 1601 (UTC), or a duration in those units.
struct FileTime {
    quint64 ticks = 0;
    bool operator==(const FileTime&) const = default;
};

inline constexpr quint64 kFileTimeTicksPerMinute = 600000000;

// The UTC date-time of a file time (millisecond precision); a zero file time gives an invalid
// date-time ("never").
QDateTime fileTimeToDateTime(quint64 ticks);
// The file time of a date-time; an invalid one, or one before 1601, gives 0.
quint64 dateTimeToFileTime(const QDateTime& dateTime);
// A duration given in 100-ns units as whole minutes: nearest, halves to even.
quint64 fileTimeToMinutes(quint64 ticks);

// One typed value of a property set: integers of every width (and Booleans), reals, strings
// (8-bit strings decoded from the set's code page) and file times.
using PropertyValue = std::variant<qint64, double, QString, FileTime>;

// The first section of a property set stream, read as id -> typed value. Reading never fails:
// a value that is truncated, lies outside the stream or has a type not read here is left out,
// and a stream that is no property set yields no values at all.
class PropertySet {
public:
    static PropertySet parse(const QByteArray& stream);

    // The section's format id (16 bytes as stored), empty when the stream was not read.
    const QByteArray& formatId() const { return formatId_; }
    // The code page of its 8-bit strings (property 1), 1252 when the set does not say.
    quint16 codePage() const { return codePage_; }

    const PropertyValue* value(quint32 id) const;
    std::optional<qint64> integer(quint32 id) const;
    std::optional<QString> text(quint32 id) const;
    std::optional<FileTime> fileTime(quint32 id) const;
    qsizetype count() const { return values_.size(); }

private:
    QByteArray formatId_;
    quint16 codePage_ = 1252;
    QHash<quint32, PropertyValue> values_;
};

// Builds a property set stream of one section. Values are written in the order added, after
// the code page (property 1, kWrittenCodePage) in which the strings are written as VT_LPSTR.
class PropertySetWriter {
public:
    void addText(quint32 id, const QString& value);
    void addFileTime(quint32 id, quint64 ticks);

    QByteArray toByteArray(const QByteArray& formatId) const;

private:
    std::vector<std::pair<quint32, QByteArray>> values_;  // id, type tag and padded value
};

}  // namespace rt
