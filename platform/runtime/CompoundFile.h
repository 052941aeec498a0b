#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "RtObject.h"

namespace rt {

// The streams of a packed report file.
inline constexpr char kReportDesignStream[] = "ReportDesign";
inline constexpr char kSummaryInformationStream[] = "\005SummaryInformation";

// The summary information that a packed report file carries beside its design.
struct SummaryInformation {
    QString title;
    QString subject;
    QString author;
    QString keywords;
    QString comments;
    QString templateName;
    QString lastSavedBy;
    QString revisionNumber;      // stored as text, as the property set defines it
    qint64 editTimeMinutes = 0;  // a duration
    QDateTime lastPrinted;       // UTC; invalid means "never" (a zero file time)
    QDateTime created;
    QDateTime lastSaved;
};

// True when the bytes start with the compound-file signature D0 CF 11 E0 A1 B1 1A E1.
bool isCompoundFile(const QByteArray& head);

// Reads the stream of that name from the root storage of a compound file. Returns nullopt when
// the file has no such stream; fails with an Error when the file cannot be read as a compound file.
// The library's notes about the file go to `notes`.
std::optional<QByteArray> readCompoundStream(const QString& path, const QString& streamName,
                                             const LibraryNotes& notes = {});

// The summary information property set of `info`: byte order FFFE, one section of the
// summary information format, the code page and then every value in id order, strings as
// VT_LPSTR in UTF-8 (code page 65001), the editing time as a file-time duration, and the dates
// as UTC file times (a zero file time for "never").
QByteArray summaryInformationStream(const SummaryInformation& info);

// Writes a compound file whose root storage holds these streams, in this order. The file is
// written to a temporary file and renamed over `path`. Fails with an Error.
void writeCompoundFile(const QString& path,
                       const std::vector<std::pair<QString, QByteArray>>& streams);

// Writes a compound report file holding `design` in the stream "ReportDesign" and `info` as a
// well-formed summary information property set in "\005SummaryInformation". The file is written
// to a temporary file and renamed over `path`. Fails with an Error.
void writeReportFile(const QString& path, const QByteArray& design, const SummaryInformation& info);

}  // namespace rt
