#include "XmlLimits.h"

#include <algorithm>
#include <array>

namespace rt {

QString tooDeepReason() {
    return QStringLiteral("elements are nested more than %1 levels deep").arg(kMaxXmlDepth);
}

// Every document is scanned so before it is parsed, so the scan leaps from mark to mark, and
// counts lines only for the element it reports.
std::optional<XmlLimitBreach> findXmlLimitBreach(QByteArrayView xml) {
    struct Skip {
        QByteArrayView start;
        QByteArrayView end;
    };
    constexpr Skip kSkips[] = {{"<!--", "-->"}, {"<![CDATA[", "]]>"}, {"<?", "?>"}, {"<!", ">"}};
    // What ends a run of a tag's plain text: a quoted value, an attribute's equals sign, the end.
    static constexpr auto kMarks = [] {
        std::array<bool, 256> marks{};
        marks[uchar('"')] = marks[uchar('\'')] = marks[uchar('=')] = marks[uchar('>')] = true;
        return marks;
    }();
    const qsizetype size = xml.size();
    const char* const data = xml.data();
    const auto breach = [&](qsizetype at, const QString& reason) {
        return XmlLimitBreach{1 + std::count(data, data + at, '\n'), reason};
    };
    int depth = 0;
    qsizetype i = 0;
    while (i < size) {
        // Tags mostly follow one another, and values are short: the marks are looked for in
        // place rather than through a search call for each.
        while (i < size && data[i] != '<') ++i;
        if (i == size) break;
        if (i + 1 < size && (data[i + 1] == '!' || data[i + 1] == '?')) {
            const QByteArrayView rest = xml.sliced(i);
            for (const Skip& s : kSkips) {
                if (!rest.startsWith(s.start)) continue;
                const qsizetype end = xml.indexOf(s.end, i + s.start.size());
                i = end < 0 ? size : end + s.end.size();
                break;
            }
            continue;
        }
        const bool endTag = i + 1 < size && data[i + 1] == '/';
        // A tag: its attributes are the equals signs outside quoted values.
        int attributes = 0;
        qsizetype j = i + 1;
        while (j < size) {
            while (j < size && !kMarks[uchar(data[j])]) ++j;
            if (j == size || data[j] == '>') break;
            if (data[j] == '=') {
                if (++attributes > kMaxXmlAttributes) {
                    return breach(i, QStringLiteral("an element has more than %1 attributes")
                                         .arg(kMaxXmlAttributes));
                }
                ++j;
                continue;
            }
            const char quote = data[j++];
            while (j < size && data[j] != quote) ++j;
            j = std::min(j + 1, size);
        }
        if (endTag) {
            --depth;
        } else if (j == size || data[j - 1] != '/') {  // not an empty element
            if (++depth > kMaxXmlDepth) return breach(i, tooDeepReason());
        }
        i = std::min(j + 1, size);
    }
    return std::nullopt;
}

}  // namespace rt
