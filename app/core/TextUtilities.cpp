#include "TextUtilities.h"

#include <algorithm>

#include "tvTypes.h"

namespace tav::core {

QString GetDelimitedField(const QString& text, const QString& delimiter, qsizetype n) {
    if (n < 1 || delimiter.isEmpty()) return QString();
    qsizetype start = 0;
    for (qsizetype field = 1; field < n; ++field) {
        const qsizetype found = text.indexOf(delimiter, start, Qt::CaseSensitive);
        if (found < 0) return QString();
        start = found + delimiter.size();
    }
    const qsizetype end = text.indexOf(delimiter, start, Qt::CaseSensitive);
    return text.mid(start, end < 0 ? -1 : end - start);
}

void ReplaceText(QString& text, const QString& find, const QString& replacement) {
    // QString::replace has the same left-to-right, non-overlapping semantics, but inserts the
    // replacement between every character when `find` is empty.
    if (find.isEmpty()) return;
    text.replace(find, replacement, Qt::CaseSensitive);
}

QString reportFileName(const QString& reportPath) { return tvFileName(reportPath); }

QString reportStem(const QString& fileName) {
    return fileName.left(std::max<qsizetype>(0, fileName.size() - 4));
}

namespace {

// The control characters with a name of their own.
constexpr struct {
    char16_t character;
    const char* shown;
} kNamedControls[] = {{u'\0', "\\0"}, {u'\t', "\\t"}, {u'\n', "\\n"}, {u'\r', "\\r"}};

bool isControl(QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F; }

}  // namespace

QString withVisibleControls(const QString& text) {
    if (std::none_of(text.begin(), text.end(), isControl)) return text;
    QString shown;
    shown.reserve(text.size() + 8);
    for (const QChar c : text) {
        if (!isControl(c)) {
            shown += c;
            continue;
        }
        const auto named = std::find_if(std::begin(kNamedControls), std::end(kNamedControls),
                                        [c](const auto& n) { return n.character == c.unicode(); });
        shown += named != std::end(kNamedControls)
                     ? QString::fromLatin1(named->shown)
                     : QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
    }
    return shown;
}

}  // namespace tav::core
