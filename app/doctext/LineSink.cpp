#include "LineSink.h"

#include <algorithm>

std::optional<QString> detailLine(qint32 kind, const QString& text, const QString& value,
                                  qint32 level) {
    const qsizetype depth = std::max<qsizetype>(level, 0);
    if (kind == 1) return QString(2 * depth, u' ') + text;
    if (kind == 2) return QString(2 * (depth + 1), u' ') + text + u' ' + value;
    return std::nullopt;
}
