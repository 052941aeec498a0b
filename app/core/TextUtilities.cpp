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

}  // namespace tav::core
