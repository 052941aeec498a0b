#include "LineSink.h"

#include <algorithm>

namespace tav::doctext {

QString detailLine(LineKind kind, const QString& text, const QString& value, qint32 level) {
    const qsizetype depth = std::max<qsizetype>(level, 0);
    if (kind == LineKind::LabelValue) return QString(2 * (depth + 1), u' ') + text + u' ' + value;
    return QString(2 * depth, u' ') + text;
}

}  // namespace tav::doctext
