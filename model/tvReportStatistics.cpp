#include "tvReportStatistics.h"

#include <QtEndian>
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "CompoundFile.h"
#include "PropertySet.h"
#include "tvReport.h"
#include "tvReportFileReader.h"
#include "tvTypes.h"

namespace {

// The three dates, in the order in which the older formats store them one after the other.
struct DateValue {
    quint32 id;
    QDateTime tvReportStatistics::*member;
};
constexpr std::array<DateValue, 3> kDates{{
    {rt::kPidLastPrinted, &tvReportStatistics::lastPrinted},
    {rt::kPidLastSaved, &tvReportStatistics::lastSaved},
    {rt::kPidCreated, &tvReportStatistics::created},
}};

// Type tags of the property set values that the scan looks for.
constexpr QByteArrayView k8BitStringTag("\x1E\x00\x00\x00", 4);
constexpr QByteArrayView k16BitStringTag("\x1F\x00\x00\x00", 4);
constexpr char kTimeTagByte = 0x40;
constexpr QByteArrayView kEndMark("\xFF\xFF\xFF\xFF", 4);
constexpr QByteArrayView kVersion7Mark("\x03\x99\x9B\x9B", 4);

// The first piece of the head (cut at the string tags) that may hold the statistics: in the
// 8-bit formats six strings come before them.
constexpr qsizetype k8BitFirstPiece = 7;
constexpr qsizetype k16BitFirstPiece = 0;
// The statistics block is short; a longer piece is something else.
constexpr qsizetype kLongestBlock = 200;
// A file holding fewer string values than this has no summary information of the usual shape.
constexpr qsizetype kFewestStrings = 8;

qint16 editMinutes(quint64 ticks) {
    return static_cast<qint16>(std::min<quint64>(rt::fileTimeToMinutes(ticks), 32767));
}

// A revision beyond 16 bits is held at the nearest 16-bit value, as the edit time is: the other
// statistics of the file are worth more than the exact count of its saves.
qint16 revisionNumberOf(qint64 value) {
    return static_cast<qint16>(std::clamp<qint64>(value, -32768, 32767));
}

// The revision number is text; a number (rounded, halves to even) is taken, anything else is 0.
qint16 revisionFromText(const QString& text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value)) return 0;
    return revisionNumberOf(static_cast<qint64>(std::clamp(std::nearbyint(value), -1e9, 1e9)));
}

QString withoutControlCharacters(QString text) {
    text.removeIf([](QChar c) { return c.unicode() < 32; });
    return text;
}

// The pieces of the head cut at every tag; piece n (1-based) is pieces[n - 1].
std::vector<QByteArrayView> splitAt(QByteArrayView head, QByteArrayView tag) {
    std::vector<QByteArrayView> pieces;
    qsizetype from = 0;
    for (qsizetype at = head.indexOf(tag); at >= 0; at = head.indexOf(tag, from)) {
        pieces.push_back(head.sliced(from, at - from));
        from = at + tag.size();
    }
    pieces.push_back(head.sliced(from));
    return pieces;
}

QByteArrayView piece(const std::vector<QByteArrayView>& pieces, qsizetype n) {
    if (n < 1 || n > static_cast<qsizetype>(pieces.size())) return {};
    return pieces[static_cast<size_t>(n - 1)];
}

// The revision number and the four time values: a short piece whose first time tag byte is
// followed by another one 12 bytes on (a tag and its 8-byte value), three of them at least.
bool isStatisticsBlock(QByteArrayView block) {
    if (block.size() >= kLongestBlock || block.count(kTimeTagByte) < 3) return false;
    const qsizetype first = block.indexOf(kTimeTagByte);
    return first + 12 < block.size() && block[first + 12] == kTimeTagByte;
}

std::optional<quint64> fileTimeAt(QByteArrayView data, qsizetype pos) {
    if (pos < 0 || pos + 8 > data.size()) return std::nullopt;
    return qFromLittleEndian<quint64>(data.data() + pos);
}

}  // namespace

tvReportStatistics::tvReportStatistics()
    : lastPrinted(tvZeroDate()), lastSaved(tvZeroDate()), created(tvZeroDate()) {}

void tvReportStatistics::init(const QString& reportFile, tvReport* report) {
    revisionNumber = -1;
    try {
        const QByteArray head = ReadReportFileHead(reportFile);
        if (rt::isCompoundFile(head)) {
            const tvLoadingOptions* options = report ? report->loadingOptions : nullptr;
            readSummaryInformation(reportFile, options ? options->libraryNotes : nullptr);
        } else {
            scanHead(head);
        }
    } catch (const std::exception&) {
        // The statistics are a courtesy of the file: what could not be read stays unset, and
        // the load goes on.
    }
}

// A compound file keeps its statistics in its summary information property set, read by id.
void tvReportStatistics::readSummaryInformation(const QString& reportFile,
                                                const std::function<void(const QString&)>& notes) {
    const auto stream = rt::readCompoundStream(
        reportFile, QString::fromLatin1(rt::kSummaryInformationStream), notes);
    if (!stream) return;
    const rt::PropertySet set = rt::PropertySet::parse(*stream);
    if (set.formatId() != rt::summaryInformationFormatId()) return;

    if (const auto revision = set.text(rt::kPidRevisionNumber)) {
        revisionNumber = revisionFromText(*revision);
    } else if (const auto number = set.integer(rt::kPidRevisionNumber)) {
        revisionNumber = revisionNumberOf(*number);
    }
    if (const auto editTime = set.fileTime(rt::kPidEditTime)) {
        totalEditTime = editMinutes(editTime->ticks);
    }
    for (const DateValue& d : kDates) {
        if (const auto time = set.fileTime(d.id)) this->*d.member = FileTimeToDate(time->ticks);
    }
    if (const auto name = set.text(rt::kPidLastSavedBy)) {
        lastSavedBy = withoutControlCharacters(*name);
    }
}

// A file that is not a compound file is searched for the type tags of the summary values.
void tvReportStatistics::scanHead(const QByteArray& head) {
    if (head.isEmpty()) return;
    if (head.front() == '\0') {
        fileVersion = QStringLiteral("3.0");  // the oldest format holds no summary information
        return;
    }
    QByteArrayView tag = k8BitStringTag;
    qsizetype first = k8BitFirstPiece;
    if (head.contains("RDReportDefinition")) {
        fileVersion = QStringLiteral("5.0/6.0");
    } else if (head.contains(kVersion7Mark)) {
        fileVersion = QStringLiteral("7.0/8.0");
    } else {
        fileVersion = QStringLiteral("9.0");
        tag = k16BitStringTag;
        first = k16BitFirstPiece;
    }

    const std::vector<QByteArrayView> pieces = splitAt(head, tag);
    const auto tags = static_cast<qsizetype>(pieces.size()) - 1;
    if (tags < kFewestStrings) {
        const QDateTime unknown(QDate(1970, 1, 1), QTime(0, 0));
        created = unknown;
        lastSaved = unknown;
        lastPrinted = unknown;
        totalEditTime = 0;
        revisionNumber = 0;
        lastSavedBy.clear();
        return;
    }
    for (qsizetype i = first; i <= tags; ++i) {
        QByteArrayView block = piece(pieces, i);
        // What follows an end mark after the first time value belongs to no value.
        const qsizetype end = block.indexOf(kEndMark);
        const qsizetype time = block.indexOf(kTimeTagByte);
        if (end >= 0 && time >= 0 && time < end) block.truncate(end + 1);
        if (!isStatisticsBlock(block)) continue;
        readBlock(block, piece(pieces, i - 1));
        return;  // only the first block counts
    }
}

// The block starts with the revision string; its time values follow it, each after a 4-byte tag.
// The name of who saved the file last is the string before the block.
void tvReportStatistics::readBlock(QByteArrayView block, QByteArrayView before) {
    const bool wide = fileVersion == u"9.0";
    revisionNumber = revisionFromText(ReadPropertyValue(block, 0, wide));

    const quint32 count = block.size() >= 4 ? qFromLittleEndian<quint32>(block.data()) : 0;
    const qsizetype stringBytes = std::min<qsizetype>(count, kLongestBlock) * (wide ? 2 : 1);
    qsizetype pos = 4 + (stringBytes + 3) / 4 * 4 + 4;
    if (const auto editTime = fileTimeAt(block, pos)) totalEditTime = editMinutes(*editTime);
    for (const DateValue& d : kDates) {
        pos += 12;
        if (const auto time = fileTimeAt(block, pos)) this->*d.member = FileTimeToDate(*time);
    }
    lastSavedBy = withoutControlCharacters(ReadPropertyValue(before, 0, wide));
}

QString tvReportStatistics::ReadPropertyValue(QByteArrayView data, qsizetype pos, bool wide) {
    if (pos < 0 || pos + 4 > data.size()) return {};
    const quint32 count = qFromLittleEndian<quint32>(data.data() + pos);  // with the final NUL
    if (count < 1) return {};
    const QByteArrayView text = data.sliced(pos + 4);
    if (!wide) return QString::fromLatin1(text.first(std::min<qsizetype>(count - 1, text.size())));
    QString result;
    const qsizetype units = std::min<qsizetype>(count - 1, text.size() / 2);
    result.reserve(units);
    for (qsizetype i = 0; i < units; ++i) {
        result.append(QChar(qFromLittleEndian<quint16>(text.data() + 2 * i)));
    }
    return result;
}

QDateTime tvReportStatistics::FileTimeToDate(quint64 ticks) {
    if (ticks == 0) return tvZeroDate();
    return rt::fileTimeToDateTime(ticks).toLocalTime();
}
