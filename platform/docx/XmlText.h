#pragma once

#include <QString>

namespace tvdocx {

// `text` without the characters that XML 1.0 cannot carry (control characters other than tab,
// line feed and carriage return; U+FFFE and U+FFFF). Written as they are, they would make the
// whole file unreadable.
QString xmlSafe(const QString& text);

}  // namespace tvdocx
