#include "PngImage.h"

#include <zlib.h>

#include <QtEndian>
#include <cstring>
#include <optional>
#include <vector>

namespace tvdocx {

namespace {

void appendNumber(QByteArray& out, quint32 value) {
    char bytes[4];
    qToBigEndian(value, bytes);
    out.append(bytes, 4);
}

// A chunk: its length, its type, its data and the checksum of type and data.
void appendChunk(QByteArray& out, const char* type, const QByteArray& data) {
    appendNumber(out, quint32(data.size()));
    const qsizetype start = out.size();
    out.append(type, 4);
    out.append(data);
    appendNumber(out, quint32(crc32(0, reinterpret_cast<const Bytef*>(out.constData() + start),
                                    uInt(out.size() - start))));
}

// The rows, each behind its filter byte, deflated into one stream.
std::optional<QByteArray> packedRows(const QImage& image, qsizetype rowBytes) {
    z_stream stream{};
    // Runs of one byte are what a drawing leaves after the filter: looking for nothing else
    // packs it about as well, several times faster.
    if (deflateInit2(&stream, Z_BEST_SPEED, Z_DEFLATED, 15, 8, Z_RLE) != Z_OK) return std::nullopt;
    QByteArray packed;
    packed.resize(qsizetype(deflateBound(&stream, uLong((rowBytes + 1) * image.height()))));
    stream.next_out = reinterpret_cast<Bytef*>(packed.data());
    stream.avail_out = uInt(packed.size());
    constexpr unsigned char kUp = 2;  // the filter: each byte less the one above it
    std::vector<unsigned char> row(std::size_t(rowBytes) + 1, 0);
    row[0] = kUp;
    const uchar* above = nullptr;
    bool packing = true;
    for (int y = 0; y < image.height() && packing; ++y) {
        const uchar* line = image.constScanLine(y);
        if (above && std::memcmp(line, above, std::size_t(rowBytes)) == 0)
            std::memset(row.data() + 1, 0, std::size_t(rowBytes));  // a drawing repeats its rows
        else if (above)
            for (qsizetype i = 0; i < rowBytes; ++i)
                row[std::size_t(i) + 1] = uchar(line[i] - above[i]);
        else
            std::memcpy(row.data() + 1, line, std::size_t(rowBytes));  // the first row: above is 0
        above = line;
        stream.next_in = row.data();
        stream.avail_in = uInt(row.size());
        const bool last = y + 1 == image.height();
        const int result = deflate(&stream, last ? Z_FINISH : Z_NO_FLUSH);
        packing = last ? result == Z_STREAM_END : result == Z_OK && stream.avail_in == 0;
    }
    packed.truncate(qsizetype(stream.total_out));
    deflateEnd(&stream);
    if (!packing) return std::nullopt;
    return packed;
}

}  // namespace

QByteArray pngOf(const QImage& source) {
    if (source.isNull()) return {};
    const bool alpha = source.hasAlphaChannel();
    const QImage image =
        source.convertToFormat(alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    const qsizetype rowBytes = qsizetype(image.width()) * (alpha ? 4 : 3);
    const std::optional<QByteArray> rows = packedRows(image, rowBytes);
    if (!rows) return {};

    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    QByteArray header;
    appendNumber(header, quint32(image.width()));
    appendNumber(header, quint32(image.height()));
    // 8 bits a sample; truecolour, with alpha or without; deflate; filters per row; no interlace
    const char format[] = {8, char(alpha ? 6 : 2), 0, 0, 0};
    header.append(format, sizeof format);
    appendChunk(png, "IHDR", header);
    if (image.dotsPerMeterX() > 0 && image.dotsPerMeterY() > 0) {
        QByteArray resolution;
        appendNumber(resolution, quint32(image.dotsPerMeterX()));
        appendNumber(resolution, quint32(image.dotsPerMeterY()));
        resolution.append(char(1));  // dots per metre
        appendChunk(png, "pHYs", resolution);
    }
    appendChunk(png, "IDAT", *rows);
    appendChunk(png, "IEND", {});
    return png;
}

}  // namespace tvdocx
