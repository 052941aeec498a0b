#include "SettingsFile.h"

#include <QAnyStringView>
#include <QDataStream>
#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QVariant>
#include <algorithm>
#include <limits>
#include <numeric>

namespace tav::core {

namespace {

// ---- Lines -------------------------------------------------------------------------------------

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool isSpecial(char c) {
    return c == '\n' || c == '\r' || c == '"' || c == ';' || c == '=' || c == '\\';
}

// One logical line from `pos`: a value in quotes, or a line ended by a backslash, goes on over
// line ends; a ';' outside quotes starts a comment, to the end of the line when it starts the
// line. False at the end of the data. `equals` is the first '=' outside quotes, or -1.
bool readLine(QByteArrayView data, qsizetype& pos, qsizetype& start, qsizetype& size,
              qsizetype& equals) {
    const qsizetype end = data.size();
    bool inQuotes = false;
    equals = -1;
    start = pos;
    while (start < end && isSpace(data[start])) ++start;
    qsizetype i = start;
    while (i < end) {
        char ch = data[i];
        while (!isSpecial(ch)) {
            if (++i == end) break;
            ch = data[i];
        }
        if (i == end) break;
        ++i;
        if (ch == '=') {
            if (!inQuotes && equals == -1) equals = i - 1;
        } else if (ch == '\n' || ch == '\r') {
            if (i == start + 1) {
                ++start;
            } else if (!inQuotes) {
                --i;
                break;
            }
        } else if (ch == '\\') {
            if (i < end) {
                const char escaped = data[i++];
                if (i < end) {
                    const char next = data[i];
                    if ((escaped == '\n' && next == '\r') || (escaped == '\r' && next == '\n')) ++i;
                }
            }
        } else if (ch == '"') {
            inQuotes = !inQuotes;
        } else if (i == start + 1) {  // ';' at the start: a comment line
            while (i < end && data[i] != '\n' && data[i] != '\r') ++i;
            while (i < end && isSpace(data[i])) ++i;
            start = i;
        } else if (!inQuotes) {
            --i;
            break;
        }
    }
    pos = i;
    size = i - start;
    return size > 0;
}

int hexValue(char16_t c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool isPlainKeyCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '-' || c == '.';
}

// ---- Keys --------------------------------------------------------------------------------------

// A key or a group as written: '\' stands for '/', "%XX" and "%UXXXX" for a character.
QString unescapedKey(QByteArrayView raw) {
    const bool plain = std::none_of(raw.begin(), raw.end(), [](char c) {
        return c == '%' || c == '\\' || static_cast<unsigned char>(c) >= 0x80;
    });
    if (plain) return QString::fromLatin1(raw);
    const QString decoded = QString::fromUtf8(raw);
    QString key;
    key.reserve(decoded.size());
    const qsizetype size = decoded.size();
    for (qsizetype i = 0; i < size;) {
        const char16_t ch = decoded[i].unicode();
        if (ch == '\\') {
            key += u'/';
            ++i;
            continue;
        }
        if (ch != '%' || i == size - 1) {
            key += QChar(ch);
            ++i;
            continue;
        }
        qsizetype first = i + 1;
        int digits = 2;
        if (decoded[first] == u'U') {
            ++first;
            digits = 4;
        }
        bool ok = first + digits <= size;
        // Read as the settings library reads it, blanks before the digits and all.
        const char16_t code = ok ? QStringView(decoded).sliced(first, digits).toUShort(&ok, 16) : 0;
        if (!ok) {
            key += u'%';
            ++i;
            continue;
        }
        key += QChar(code);
        i = first + digits;
    }
    return key;
}

QByteArray escapedKey(QStringView key) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    QByteArray raw;
    raw.reserve(key.size());
    for (const QChar qc : key) {
        const char16_t ch = qc.unicode();
        if (ch == '/') {
            raw += '\\';
        } else if ((ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') ||
                   (ch >= '0' && ch <= '9') || ch == '_' || ch == '-' || ch == '.') {
            raw += char(ch);
        } else if (ch <= 0xFF) {
            raw += '%';
            raw += kHex[ch / 16];
            raw += kHex[ch % 16];
        } else {
            raw += "%U";
            for (int shift = 12; shift >= 0; shift -= 4) raw += kHex[(ch >> shift) & 0xF];
        }
    }
    return raw;
}

// ---- Values ------------------------------------------------------------------------------------

void chopTrailingBlanks(QString& text, qsizetype limit) {
    qsizetype n = text.size();
    while (n > limit && (text[n - 1] == u' ' || text[n - 1] == u'\t')) --n;
    text.truncate(n);
}

// The text of a value as written, with its escapes and quotes resolved; true when it is a list
// (an unquoted comma), whose items then are in `items`.
bool unescapedValue(QByteArrayView raw, QString& text, QStringList& items) {
    static constexpr char kEscapes[][2] = {{'a', '\a'}, {'b', '\b'},  {'f', '\f'}, {'n', '\n'},
                                           {'r', '\r'}, {'t', '\t'},  {'v', '\v'}, {'"', '"'},
                                           {'?', '?'},  {'\'', '\''}, {'\\', '\\'}};
    // One decoder for the whole value: a sequence cut short at its end is dropped.
    QStringDecoder toUtf16(QStringDecoder::Utf8);
    bool isList = false;
    bool inQuotes = false;
    bool quoted = false;
    const qsizetype size = raw.size();
    qsizetype i = 0;
    const auto skipBlanks = [&] {
        while (i < size && (raw[i] == ' ' || raw[i] == '\t')) ++i;
    };
    skipBlanks();
    qsizetype chopLimit = 0;
    while (i < size) {
        const char c = raw[i];
        if (c == '\\') {
            if (++i >= size) {
                chopLimit = text.size();  // a backslash at the end keeps the blanks before it
                break;
            }
            const char ch = raw[i++];
            const auto named = std::find_if(std::begin(kEscapes), std::end(kEscapes),
                                            [ch](const char* e) { return e[0] == ch; });
            if (named != std::end(kEscapes)) {
                text += QLatin1Char((*named)[1]);
            } else if ((ch == 'x' && i < size && hexValue(raw[i]) >= 0) ||
                       (ch >= '0' && ch <= '7')) {
                // A number in hexadecimal or octal digits: as many as follow.
                const int base = ch == 'x' ? 16 : 8;
                char16_t code = ch == 'x' ? 0 : char16_t(ch - '0');
                while (i < size) {
                    const int digit = hexValue(raw[i]);
                    if (digit < 0 || digit >= base) break;
                    code = char16_t(code * base + digit);
                    ++i;
                }
                text += QChar(code);
            } else if (ch == '\n' || ch == '\r') {
                // A line end escaped: the value goes on on the next line.
                if (i < size && (raw[i] == '\n' || raw[i] == '\r') && raw[i] != ch) ++i;
            }  // any other escaped character is dropped
            chopLimit = text.size();
        } else if (c == '"') {
            ++i;
            quoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes) {
                skipBlanks();
                chopLimit = text.size();
            }
        } else if (c == ',' && !inQuotes) {
            if (!quoted) chopTrailingBlanks(text, chopLimit);
            if (!isList) {
                isList = true;
                items.clear();
            }
            items.append(text);
            text.clear();
            quoted = false;
            ++i;
            skipBlanks();
            chopLimit = 0;
        } else {
            qsizetype j = i + 1;
            while (j < size && raw[j] != '\\' && raw[j] != '"' && raw[j] != ',') ++j;
            text += toUtf16(raw.sliced(i, j - i));
            i = j;
        }
    }
    if (!quoted) chopTrailingBlanks(text, chopLimit);
    if (isList) items.append(text);
    return isList;
}

// What the settings library makes of a value's text that has a type marked in it, as text.
QString valueText(const QString& text) {
    if (!text.startsWith(u'@')) return text;
    if (text.endsWith(u')')) {
        const auto inner = [&](qsizetype prefix) {
            return QStringView(text).sliced(prefix).chopped(1);
        };
        if (text.startsWith(u"@ByteArray(")) return QString::fromUtf8(inner(11).toLatin1());
        if (text.startsWith(u"@String(")) return inner(8).toString();
        const bool dateTime = text.startsWith(u"@DateTime(");
        if (dateTime || text.startsWith(u"@Variant(")) {
            QByteArray bytes = inner(dateTime ? 10 : 9).toLatin1();
            QDataStream stream(&bytes, QIODevice::ReadOnly);
            stream.setVersion(dateTime ? QDataStream::Qt_5_6 : QDataStream::Qt_4_0);
            QVariant value;
            stream >> value;
            return value.toString();
        }
        if (text.startsWith(u"@Rect(") || text.startsWith(u"@Size(") ||
            text.startsWith(u"@Point(") || text == u"@Invalid()")
            return QString();
    }
    if (text.startsWith(u"@@")) return text.sliced(1);
    return text;
}

}  // namespace

// ---- The file ----------------------------------------------------------------------------------

SettingsFile SettingsFile::read(const QString& path, Status* status) {
    SettingsFile file;
    Status outcome = Status::Read;
    QFile device(path);
    if (device.exists()) {
        if (!device.open(QIODevice::ReadOnly)) {
            outcome = Status::Unreadable;
        } else {
            file.data_ = device.readAll();
            if (device.error() != QFileDevice::NoError) outcome = Status::Unreadable;
        }
    }
    const QByteArrayView data = file.data_;
    // Rather once too many than a vector grown over and over: a value takes a line and a '='.
    file.entries_.reserve(size_t(std::min(std::count(data.begin(), data.end(), '\n'),
                                          std::count(data.begin(), data.end(), '=')) +
                                 1));
    // A mark of UTF-8 at the start is not skipped: the settings library finds such a file
    // malformed, and so it stays.
    qsizetype pos = 0;
    qsizetype start = 0;
    qsizetype size = 0;
    qsizetype equals = -1;
    qint32 group = 0;
    while (outcome == Status::Read && readLine(data, pos, start, size, equals)) {
        const QByteArrayView line = data.sliced(start, size);
        if (line.startsWith('[')) {
            const qsizetype close = line.indexOf(']');
            if (close < 0) outcome = Status::Malformed;
            const QByteArrayView name =
                line.sliced(1, (close < 0 ? line.size() : close) - 1).trimmed();
            if (name.compare("general", Qt::CaseInsensitive) == 0) {
                group = 0;
            } else {
                group = file.groupIndex(name.compare("%general", Qt::CaseInsensitive) == 0
                                            ? QString::fromLatin1(name.sliced(1))
                                            : unescapedKey(name));
            }
            continue;
        }
        if (equals < 0) {
            if (!line.startsWith(';')) outcome = Status::Malformed;
            continue;
        }
        if (size > std::numeric_limits<qint32>::max()) {
            outcome = Status::Unreadable;
            break;
        }
        const QByteArrayView key = data.sliced(start, equals - start).trimmed();
        Entry entry;
        entry.valueStart = equals + 1;
        entry.valueSize = qint32(start + size - entry.valueStart);
        entry.group = group;
        if (std::all_of(key.begin(), key.end(), isPlainKeyCharacter)) {
            entry.keyStart = key.data() - data.data();
            entry.keySize = qint32(key.size());
        } else {
            const QString& groupName = file.groups_[size_t(group)];
            Held held{
                groupName.isEmpty() ? unescapedKey(key) : groupName + u'/' + unescapedKey(key),
                data.sliced(entry.valueStart, entry.valueSize).toByteArray()};
            // A '/' of the key itself ("a\b") names a group, as the settings library splits
            // keys.
            const qsizetype slash = held.key.indexOf(u'/');
            entry.group = slash < 0 ? 0 : file.groupIndex(held.key.first(slash));
            entry.keyStart = qsizetype(file.held_.size());
            file.held_.push_back(std::move(held));
        }
        file.entries_.push_back(entry);
    }
    if (outcome != Status::Read) file = SettingsFile();
    if (status) *status = outcome;
    return file;
}

qint32 SettingsFile::groupIndex(const QString& group) {
    const auto found = groupIndexes_.constFind(group);
    if (found != groupIndexes_.cend()) return *found;
    groupIndexes_.insert(group, qint32(groups_.size()));
    groups_.push_back(group);
    return qint32(groups_.size() - 1);
}

QByteArrayView SettingsFile::rawValueOf(const Entry& entry) const {
    return entry.keySize < 0 ? QByteArrayView(held_[size_t(entry.keyStart)].raw)
                             : QByteArrayView(data_).sliced(entry.valueStart, entry.valueSize);
}

QString SettingsFile::keyAt(qsizetype index) const {
    const Entry& entry = entries_[size_t(index)];
    if (entry.keySize < 0) return held_[size_t(entry.keyStart)].key;
    const QString& group = groups_[size_t(entry.group)];
    const QLatin1StringView name(QByteArrayView(data_).sliced(entry.keyStart, entry.keySize));
    return group.isEmpty() ? QString(name) : group + u'/' + name;
}

QString SettingsFile::textAt(qsizetype index) const {
    QString text;
    QStringList items;
    // A list is no text.
    if (unescapedValue(rawValueOf(entries_[size_t(index)]), text, items)) return QString();
    return valueText(text);
}

void SettingsFile::setValue(const QString& key, const QString& text) {
    const qsizetype slash = key.indexOf(u'/');
    Entry entry;
    entry.group = slash < 0 ? 0 : groupIndex(key.first(slash));
    entry.keyStart = qsizetype(held_.size());
    held_.push_back(Held{key, escapedValue(text)});
    entries_.push_back(entry);
}

QByteArray SettingsFile::text() const {
    // Groups in the order of their names.
    std::vector<qint32> rank(groups_.size());
    {
        std::vector<qint32> byName(groups_.size());
        std::iota(byName.begin(), byName.end(), 0);
        std::sort(byName.begin(), byName.end(),
                  [&](qint32 a, qint32 b) { return groups_[size_t(a)] < groups_[size_t(b)]; });
        for (size_t n = 0; n < byName.size(); ++n) rank[size_t(byName[n])] = qint32(n);
    }
    // A key within its group: a plain one as the file holds it.
    const auto nameOf = [this](const Entry& entry) -> QAnyStringView {
        if (entry.keySize >= 0) {
            return QLatin1StringView(QByteArrayView(data_).sliced(entry.keyStart, entry.keySize));
        }
        const QString& key = held_[size_t(entry.keyStart)].key;
        return QStringView(key).sliced(entry.group == 0 ? 0 : key.indexOf(u'/') + 1);
    };
    const auto before = [&](const Entry& a, const Entry& b) {
        if (a.group != b.group) return rank[size_t(a.group)] < rank[size_t(b.group)];
        return QAnyStringView::compare(nameOf(a), nameOf(b)) < 0;
    };
    std::vector<qsizetype> order(entries_.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        return before(entries_[size_t(a)], entries_[size_t(b)]);
    });
    QByteArray text;
    text.reserve(data_.size() + data_.size() / 8 + 4096);
    qint32 group = -1;
    for (size_t n = 0; n < order.size(); ++n) {
        const Entry& entry = entries_[size_t(order[n])];
        // Of a key that is there more than once, the last one counts.
        if (n + 1 < order.size() && !before(entry, entries_[size_t(order[n + 1])])) continue;
        if (entry.group != group) {
            QByteArray header = escapedKey(groups_[size_t(entry.group)]);
            if (header.isEmpty()) {
                header = "General";
            } else if (header.compare("general", Qt::CaseInsensitive) == 0) {
                header = "%General";
            }
            if (group >= 0) text += '\n';
            text += '[';
            text += header;
            text += "]\n";
            group = entry.group;
        }
        if (entry.keySize >= 0) {
            text += QByteArrayView(data_).sliced(entry.keyStart, entry.keySize);
        } else {
            const QString& key = held_[size_t(entry.keyStart)].key;
            text +=
                escapedKey(QStringView(key).sliced(entry.group == 0 ? 0 : key.indexOf(u'/') + 1));
        }
        text += '=';
        text += rawValueOf(entry);
        text += '\n';
    }
    return text;
}

QByteArray SettingsFile::escapedValue(const QString& value) {
    // A text that holds a NUL is marked as text; one that starts with the mark of a type is
    // kept from being read as one.
    QString text = value;
    if (text.contains(QChar(u'\0'))) {
        text = QStringLiteral("@String(") + text + u')';
    } else if (text.startsWith(u'@')) {
        text.prepend(u'@');
    }
    QByteArray raw;
    raw.reserve(text.size());
    // One encoder for the whole text, as the library has: half a surrogate pair alone becomes
    // the replacement character, and one at the end is dropped.
    QStringEncoder toUtf8(QStringEncoder::Utf8);
    bool needsQuotes = false;
    // After a number escape a digit would be read as part of it: it is escaped too.
    bool escapeDigit = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t ch = text[i].unicode();
        if (ch == ';' || ch == ',' || ch == '=') needsQuotes = true;
        if (escapeDigit && hexValue(ch) >= 0) {
            raw += "\\x" + QByteArray::number(ch, 16);
            continue;
        }
        escapeDigit = false;
        switch (ch) {
            case u'\0':
                raw += "\\0";
                escapeDigit = true;
                break;
            case u'\a':
                raw += "\\a";
                break;
            case u'\b':
                raw += "\\b";
                break;
            case u'\f':
                raw += "\\f";
                break;
            case u'\n':
                raw += "\\n";
                break;
            case u'\r':
                raw += "\\r";
                break;
            case u'\t':
                raw += "\\t";
                break;
            case u'\v':
                raw += "\\v";
                break;
            case u'"':
            case u'\\':
                raw += '\\';
                raw += char(ch);
                break;
            default:
                if (ch <= 0x1F) {
                    raw += "\\x" + QByteArray::number(ch, 16);
                    escapeDigit = true;
                } else {
                    raw += toUtf8(QStringView(text).sliced(i, 1));
                }
        }
    }
    if (needsQuotes || raw.startsWith(' ') || raw.endsWith(' ')) raw = '"' + raw + '"';
    return raw;
}

}  // namespace tav::core
