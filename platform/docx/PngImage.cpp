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

// The samples of one row of `image` (RGB32 or ARGB32) as the file stores them: red, green, blue
// and, with `alpha`, alpha.
void samplesOf(const QImage& image, int y, bool alpha, unsigned char* out) {
    const QRgb* pixels = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
        const QRgb pixel = pixels[x];
        *out++ = uchar(qRed(pixel));
        *out++ = uchar(qGreen(pixel));
        *out++ = uchar(qBlue(pixel));
        if (alpha) *out++ = uchar(qAlpha(pixel));
    }
}

// The rows, each behind its filter byte, deflated into one stream.
std::optional<QByteArray> packedRows(const QImage& image, bool alpha) {
    const std::size_t rowBytes = std::size_t(image.width()) * (alpha ? 4 : 3);
    z_stream stream{};
    // Runs of one byte are what a drawing leaves after the filter: looking for nothing else
    // packs it about as well, several times faster.
    if (deflateInit2(&stream, Z_BEST_SPEED, Z_DEFLATED, 15, 8, Z_RLE) != Z_OK) return std::nullopt;
    // A drawing packs to a few hundredths of its size: the room grows when it runs out, rather
    // than a bound taken for the worst case.
    QByteArray packed(qsizetype(64 * 1024), Qt::Uninitialized);
    stream.next_out = reinterpret_cast<Bytef*>(packed.data());
    stream.avail_out = uInt(packed.size());
    constexpr unsigned char kUp = 2;  // the filter: each byte less the one above it
    std::vector<unsigned char> above(rowBytes), line(rowBytes);
    std::vector<unsigned char> row(rowBytes + 1, 0);
    row[0] = kUp;
    const std::size_t lineBytes = std::size_t(image.width()) * sizeof(QRgb);
    bool packing = true;
    for (int y = 0; y < image.height() && packing; ++y) {
        // A drawing repeats its rows: a row the same as the one above leaves only zeros.
        const bool repeated = y > 0 && std::memcmp(image.constScanLine(y),
                                                   image.constScanLine(y - 1), lineBytes) == 0;
        if (repeated) {
            std::memset(row.data() + 1, 0, rowBytes);
        } else {
            samplesOf(image, y, alpha, line.data());
            // The first row has nothing above it: it takes zeros.
            for (std::size_t i = 0; i < rowBytes; ++i) row[i + 1] = uchar(line[i] - above[i]);
            above.swap(line);
        }
        stream.next_in = row.data();
        stream.avail_in = uInt(row.size());
        const bool last = y + 1 == image.height();
        for (;;) {
            const int result = deflate(&stream, last ? Z_FINISH : Z_NO_FLUSH);
            if (result == Z_STREAM_END || (result == Z_OK && !last && stream.avail_in == 0)) break;
            if ((result != Z_OK && result != Z_BUF_ERROR) || stream.avail_out != 0) {
                packing = false;
                break;
            }
            const qsizetype used = qsizetype(stream.total_out);
            packed.resize(packed.size() * 2);
            stream.next_out = reinterpret_cast<Bytef*>(packed.data()) + used;
            stream.avail_out = uInt(packed.size() - used);
        }
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
    // Drawn pictures are in one of these already: no copy is made of them.
    const QImage image =
        source.convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    const std::optional<QByteArray> rows = packedRows(image, alpha);
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
