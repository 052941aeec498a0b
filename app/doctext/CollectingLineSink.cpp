#include "CollectingLineSink.h"

void CollectingLineSink::WriteDetails(LineRole, LineKind kind, const QString& text,
                                      const QString& value, qint32 level) {
    details_ += detailLine(kind, text, value, level);
}
