#include "XmlText.h"

namespace tvdocx {

QString xmlSafe(const QString& text) {
    QString safe;
    safe.reserve(text.size());
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= 0x20 ? (u != 0xFFFE && u != 0xFFFF) : (u == '\t' || u == '\n' || u == '\r'))
            safe.append(c);
    }
    return safe;
}

void dropDeclaration(QDomDocument& document) {
    for (QDomNode node = document.firstChild(); !node.isNull();) {
        const QDomNode next = node.nextSibling();
        if (node.isProcessingInstruction()) document.removeChild(node);
        node = next;
    }
}

}  // namespace tvdocx
