#include "CollectingLineSink.h"

namespace tav::doctext {

void CollectingLineSink::WriteDetails(LineRole, LineKind kind, const QString& text,
                                      const QString& value, qint32 level) {
    details_ += detailLine(kind, text, value, level);
}

}  // namespace tav::doctext
