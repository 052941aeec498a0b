#include "CollectingLineSink.h"

void CollectingLineSink::WriteDetails(qint32, qint32 kind, const QString& text, const QString& value,
                                 qint32 level) {
    if (const auto line = detailLine(kind, text, value, level)) details_ += *line;
}
