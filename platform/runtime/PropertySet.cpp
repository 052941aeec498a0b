#include "PropertySet.h"

#include <QStringDecoder>
#include <QTimeZone>
#include <QtEndian>
#include <array>
#include <cstring>
#include <limits>

namespace rt {

namespace {

enum VarType : quint16 {
    kVtI2 = 2,
    kVtI4 = 3,
    kVtR4 = 4,
    kVtR8 = 5,
    kVtBstr = 8,
    kVtBool = 11,
    kVtI1 = 16,
    kVtUi1 = 17,
    kVtUi2 = 18,
    kVtUi4 = 19,
    kVtI8 = 20,
    kVtUi8 = 21,
    kVtInt = 22,
    kVtUint = 23,
    kVtLpstr = 30,
    kVtLpwstr = 31,
    kVtFiletime = 64,
};

struct IntegerType {
    quint16 type;
    int size;
    bool isSigned;
};

// Every integer type a property set may hold, with its width; a Boolean is a signed 16-bit
// value (true is -1).
constexpr std::array<IntegerType, 11> kIntegerTypes{{
    {kVtI1, 1, true},
    {kVtUi1, 1, false},
    {kVtI2, 2, true},
    {kVtUi2, 2, false},
    {kVtBool, 2, true},
    {kVtI4, 4, true},
    {kVtUi4, 4, false},
    {kVtInt, 4, true},
    {kVtUint, 4, false},
    {kVtI8, 8, true},
    {kVtUi8, 8, false},
}};

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; the five codes it leaves undefined map
// to themselves, as the platform's own conversion does.
constexpr std::array<char16_t, 32> kCp1252High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr qint64 kMsFrom1601To1970 = 11644473600000LL;
constexpr quint64 kTicksPerMs = 10000;

// Little-endian reads that answer nothing outside the data.
class Reader {
public:
    explicit Reader(const QByteArray& data) : data_(data) {}

    bool has(qint64 pos, qint64 length) const {
        return pos >= 0 && length >= 0 && length <= data_.size() && pos <= data_.size() - length;
    }

    template <class T>
    std::optional<T> read(qint64 pos) const {
        if (!has(pos, sizeof(T))) return std::nullopt;
        return qFromLittleEndian<T>(data_.constData() + pos);
    }

    std::optional<QByteArray> bytes(qint64 pos, qint64 length) const {
        if (!has(pos, length)) return std::nullopt;
        return data_.mid(pos, length);
    }

private:
    const QByteArray& data_;
};

std::optional<qint64> readInteger(const Reader& r, qint64 pos, const IntegerType& t) {
    switch (t.size) {
        case 1:
            if (auto v = r.read<quint8>(pos)) {
                return t.isSigned ? qint64(static_cast<qint8>(*v)) : qint64(*v);
            }
            break;
        case 2:
            if (auto v = r.read<quint16>(pos)) {
                return t.isSigned ? qint64(static_cast<qint16>(*v)) : qint64(*v);
            }
            break;
        case 4:
            if (auto v = r.read<quint32>(pos)) {
                return t.isSigned ? qint64(static_cast<qint32>(*v)) : qint64(*v);
            }
            break;
        default:
            if (auto v = r.read<quint64>(pos)) return static_cast<qint64>(*v);
            break;
    }
    return std::nullopt;
}

QString untilNul(QString text) {
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    if (nul >= 0) text.truncate(nul);
    return text;
}

QString decodeUtf16(const QByteArray& bytes) {
    QStringDecoder decoder(QStringConverter::Utf16LE);
    return untilNul(decoder(bytes));
}

// An 8-bit string in the set's code page. Code pages other than UTF-16, UTF-8 and Latin-1 are
// read as Windows-1252, the one nearly every such file uses.
QString decode8Bit(const QByteArray& bytes, quint16 codePage) {
    if (codePage == 1200) return decodeUtf16(bytes);
    const qsizetype nul = bytes.indexOf('\0');
    const QByteArrayView text = nul >= 0 ? QByteArrayView(bytes).first(nul) : QByteArrayView(bytes);
    if (codePage == 65001) return QString::fromUtf8(text);
    if (codePage == 28591) return QString::fromLatin1(text);
    QString result(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const auto c = static_cast<quint8>(text[i]);
        result[i] = (c >= 0x80 && c < 0xA0) ? QChar(kCp1252High[c - 0x80]) : QChar(c);
    }
    return result;
}

std::optional<PropertyValue> readValue(const Reader& r, qint64 pos, quint16 codePage) {
    const auto type = r.read<quint16>(pos);
    if (!type) return std::nullopt;
    const qint64 at = pos + 4;  // the type is followed by two bytes of padding
    for (const IntegerType& t : kIntegerTypes) {
        if (t.type != *type) continue;
        if (auto v = readInteger(r, at, t)) return PropertyValue(*v);
        return std::nullopt;
    }
    switch (*type) {
        case kVtR4:
            if (auto v = r.read<quint32>(at)) {
                float f;
                std::memcpy(&f, &*v, sizeof f);
                return PropertyValue(double(f));
            }
            break;
        case kVtR8:
            if (auto v = r.read<quint64>(at)) {
                double d;
                std::memcpy(&d, &*v, sizeof d);
                return PropertyValue(d);
            }
            break;
        case kVtLpstr:
        case kVtBstr:
            if (auto size = r.read<quint32>(at)) {
                if (auto bytes = r.bytes(at + 4, *size)) {
                    return PropertyValue(decode8Bit(*bytes, codePage));
                }
            }
            break;
        case kVtLpwstr:
            if (auto count = r.read<quint32>(at)) {
                if (auto bytes = r.bytes(at + 4, qint64(*count) * 2)) {
                    return PropertyValue(decodeUtf16(*bytes));
                }
            }
            break;
        case kVtFiletime:
            if (auto v = r.read<quint64>(at)) return PropertyValue(FileTime{*v});
            break;
        default:
            break;
    }
    return std::nullopt;
}

template <class T>
void appendLittleEndian(QByteArray& out, T value) {
    char bytes[sizeof(T)];
    qToLittleEndian(value, bytes);
    out.append(bytes, sizeof(T));
}

void padTo4(QByteArray& out) {
    while (out.size() % 4 != 0) out.append('\0');
}

QByteArray typeTag(quint16 type) {
    QByteArray tag;
    appendLittleEndian<quint16>(tag, type);
    appendLittleEndian<quint16>(tag, 0);
    return tag;
}

}  // namespace

QByteArray summaryInformationFormatId() {
    static const QByteArray id = QByteArray::fromHex("e0859ff2f94f6810ab9108002b27b3d9");
    return id;
}

QDateTime fileTimeToDateTime(quint64 ticks) {
    if (ticks == 0) return {};
    const qint64 ms = static_cast<qint64>(ticks / kTicksPerMs) - kMsFrom1601To1970;
    return QDateTime::fromMSecsSinceEpoch(ms, QTimeZone::utc());
}

quint64 dateTimeToFileTime(const QDateTime& dateTime) {
    if (!dateTime.isValid()) return 0;
    const qint64 ms = dateTime.toMSecsSinceEpoch();
    if (ms <= -kMsFrom1601To1970) return 0;
    const auto since1601 = static_cast<quint64>(ms + kMsFrom1601To1970);
    if (since1601 > std::numeric_limits<quint64>::max() / kTicksPerMs) {
        return std::numeric_limits<quint64>::max();
    }
    return since1601 * kTicksPerMs;
}

quint64 fileTimeToMinutes(quint64 ticks) {
    quint64 minutes = ticks / kFileTimeTicksPerMinute;
    const quint64 rest = ticks % kFileTimeTicksPerMinute;
    if (rest * 2 > kFileTimeTicksPerMinute ||
        (rest * 2 == kFileTimeTicksPerMinute && minutes % 2 == 1))
        ++minutes;
    return minutes;
}

PropertySet PropertySet::parse(const QByteArray& stream) {
    PropertySet set;
    const Reader r(stream);
    // Header: byte order, format, system id, class id, number of sections, then the first
    // section's format id and offset.
    const auto byteOrder = r.read<quint16>(0);
    const auto sections = r.read<quint32>(24);
    const auto formatId = r.bytes(28, 16);
    const auto sectionOffset = r.read<quint32>(44);
    if (byteOrder != 0xFFFE || !sections || *sections < 1 || !formatId || !sectionOffset) {
        return set;
    }
    const qint64 section = *sectionOffset;
    const auto declared = r.read<quint32>(section + 4);
    if (!declared) return set;
    set.formatId_ = *formatId;

    // A count larger than the stream can hold is cut to what it holds.
    const qint64 room = (stream.size() - section - 8) / 8;
    const qint64 count = std::min<qint64>(*declared, room);
    std::vector<std::pair<quint32, qint64>> entries;
    entries.reserve(static_cast<size_t>(std::max<qint64>(count, 0)));
    for (qint64 i = 0; i < count; ++i) {
        const qint64 entry = section + 8 + i * 8;
        entries.emplace_back(*r.read<quint32>(entry), section + *r.read<quint32>(entry + 4));
    }

    // The code page decides how every 8-bit string reads, wherever it stands in the table.
    for (const auto& [id, pos] : entries) {
        if (id == kPidCodePage && r.read<quint16>(pos) == kVtI2) {
            if (auto cp = r.read<quint16>(pos + 4)) set.codePage_ = *cp;
            break;
        }
    }
    for (const auto& [id, pos] : entries) {
        if (id == 0 || set.values_.contains(id)) continue;  // 0 is the dictionary of names
        if (auto value = readValue(r, pos, set.codePage_)) {
            set.values_.insert(id, std::move(*value));
        }
    }
    return set;
}

const PropertyValue* PropertySet::value(quint32 id) const {
    const auto it = values_.constFind(id);
    return it == values_.cend() ? nullptr : &*it;
}

std::optional<qint64> PropertySet::integer(quint32 id) const {
    const PropertyValue* v = value(id);
    if (v && std::holds_alternative<qint64>(*v)) return std::get<qint64>(*v);
    return std::nullopt;
}

std::optional<QString> PropertySet::text(quint32 id) const {
    const PropertyValue* v = value(id);
    if (v && std::holds_alternative<QString>(*v)) return std::get<QString>(*v);
    return std::nullopt;
}

std::optional<FileTime> PropertySet::fileTime(quint32 id) const {
    const PropertyValue* v = value(id);
    if (v && std::holds_alternative<FileTime>(*v)) return std::get<FileTime>(*v);
    return std::nullopt;
}

void PropertySetWriter::addText(quint32 id, const QString& value) {
    const QByteArray text = value.toUtf8();
    QByteArray out = typeTag(kVtLpstr);
    appendLittleEndian<quint32>(out, static_cast<quint32>(text.size() + 1));  // with its NUL
    out.append(text);
    out.append('\0');
    padTo4(out);
    values_.emplace_back(id, std::move(out));
}

void PropertySetWriter::addFileTime(quint32 id, quint64 ticks) {
    QByteArray out = typeTag(kVtFiletime);
    appendLittleEndian<quint64>(out, ticks);
    values_.emplace_back(id, std::move(out));
}

QByteArray PropertySetWriter::toByteArray(const QByteArray& formatId) const {
    QByteArray codePage = typeTag(kVtI2);
    appendLittleEndian<quint16>(codePage, kWrittenCodePage);
    padTo4(codePage);

    std::vector<std::pair<quint32, const QByteArray*>> all;
    all.emplace_back(kPidCodePage, &codePage);
    for (const auto& [id, bytes] : values_) all.emplace_back(id, &bytes);

    QByteArray table;
    QByteArray data;
    quint32 offset = static_cast<quint32>(8 + all.size() * 8);
    for (const auto& [id, bytes] : all) {
        appendLittleEndian<quint32>(table, id);
        appendLittleEndian<quint32>(table, offset + static_cast<quint32>(data.size()));
        data.append(*bytes);
    }

    QByteArray out;
    appendLittleEndian<quint16>(out, 0xFFFE);  // byte order
    appendLittleEndian<quint16>(out, 0);       // format 0
    // The system that wrote it: Win32 (2) version 6.1, as readers expect one of its values.
    out.append("\x06\x01\x02\x00", 4);
    out.append(QByteArray(16, '\0'));  // class id
    appendLittleEndian<quint32>(out, 1);
    out.append(formatId);
    appendLittleEndian<quint32>(out, static_cast<quint32>(out.size() + 4));
    appendLittleEndian<quint32>(out, static_cast<quint32>(8 + table.size() + data.size()));
    appendLittleEndian<quint32>(out, static_cast<quint32>(all.size()));
    out.append(table);
    out.append(data);
    return out;
}

}  // namespace rt
