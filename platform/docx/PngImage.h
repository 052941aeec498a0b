#pragma once

#include <QByteArray>
#include <QImage>

namespace tvdocx {

// The image as a PNG file, lossless and with its resolution; empty for a null image or when the
// compressor fails. Pictures of a document are mostly drawings, whose rows repeat the one above:
// every row is stored as its difference to the row above, and the runs of one byte that this
// leaves are all that is packed: far quicker than a general encoder, and not much larger.
QByteArray pngOf(const QImage& image);

}  // namespace tvdocx
