#pragma once

#include <QDomDocument>
#include <QString>

namespace tvdocx {

// `text` without the characters that XML 1.0 cannot carry (control characters other than tab,
// line feed and carriage return; U+FFFE and U+FFFF). Written as they are, they would make the
// whole file unreadable.
QString xmlSafe(const QString& text);

// Removes the declaration (and any other processing instruction) ahead of the root. Qt writes
// UTF-8 whatever a declaration read from a file says, so keeping it could mislabel the text.
void dropDeclaration(QDomDocument& document);

}  // namespace tvdocx
