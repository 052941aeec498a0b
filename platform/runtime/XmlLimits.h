#pragma once

#include <QByteArrayView>
#include <QString>
#include <optional>

namespace rt {

// Bounds that no real document of the program's comes near. Past them, parsing costs time that
// grows with the square of the document (the XML reader checks each attribute against every
// one before it; the document object model slows with the depth of each node it adds), and code
// that walks the tree exhausts its stack.
constexpr int kMaxXmlDepth = 512;
constexpr int kMaxXmlAttributes = 1000;

// What a document nested past kMaxXmlDepth is told.
QString tooDeepReason();

// Where a document breaks one of the bounds above.
struct XmlLimitBreach {
    qint64 line = 0;
    QString reason;
};
// The first breach, found before the document is parsed; nothing when it keeps the bounds.
// Comments, character data, processing instructions and declarations hold no elements and no
// attributes. A document that is not well formed is left to its parser to refuse.
std::optional<XmlLimitBreach> findXmlLimitBreach(QByteArrayView xml);

}  // namespace rt
