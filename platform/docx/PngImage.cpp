#include "PngImage.h"

#include <zlib.h>

#include <QtEndian>
#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <tuple>
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

// Pixels of `image` (RGB32 or ARGB32) as the file stores them behind the "up" filter: each
// sample (red, green, blue and, with `Alpha`, alpha) less the one above it, which `above` holds
// (null for the first row, which takes zeros). The four samples of a pixel are taken apart at
// once, and each pixel is written four bytes wide: `out` has a byte to spare past the last.
template <bool Alpha>
void filteredRow(const QRgb* pixels, const QRgb* above, std::size_t width, unsigned char* out) {
    constexpr quint32 kHigh = 0x80808080u;
    for (std::size_t x = 0; x < width; ++x) {
        const quint32 pixel = pixels[x], up = above ? above[x] : 0;
        // Each byte less its fellow, modulo 256, no borrow crossing into the next byte.
        const quint32 differ = ((pixel | kHigh) - (up & ~kHigh)) ^ ((pixel ^ ~up) & kHigh);
        // 0xAARRGGBB goes out as red, green, blue (and alpha).
        const quint32 swapped = qbswap(differ);  // 0xBBGGRRAA
        qToLittleEndian(Alpha ? std::rotr(swapped, 8) : swapped >> 8, out);
        out += Alpha ? 4 : 3;
    }
}

// The fixed codes of deflate, and the copies of up to 258 bytes from one byte back.
struct Code {
    quint32 bits;  // in the order they are written
    int count;
};
constexpr std::size_t kLongestCopy = 258;  // bytes of one copy at most

constexpr quint32 reversed(quint32 code, int count) {
    quint32 result = 0;
    for (int i = 0; i < count; ++i) result |= ((code >> i) & 1u) << (count - 1 - i);
    return result;
}
// The fixed code of every literal and length symbol.
constexpr std::array<Code, 288> fixedCodes() {
    std::array<Code, 288> codes{};
    for (quint32 s = 0; s < 288; ++s) {
        const auto [first, base, count] = s < 144   ? std::tuple{0u, 0x30u, 8}
                                          : s < 256 ? std::tuple{144u, 0x190u, 9}
                                          : s < 280 ? std::tuple{256u, 0x00u, 7}
                                                    : std::tuple{280u, 0xC0u, 8};
        codes[s] = {reversed(base + s - first, count), count};
    }
    return codes;
}
constexpr std::array<Code, 288> kCodes = fixedCodes();
// A copy of 3 to 258 bytes from one byte back: the length's symbol, its extra bits and the
// distance's code, which is five zero bits.
constexpr std::array<Code, kLongestCopy + 1> copyCodes() {
    constexpr int bases[] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                             31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
    std::array<Code, kLongestCopy + 1> codes{};
    for (int length = 3; length <= int(kLongestCopy); ++length) {
        int i = 28;
        while (bases[i] > length) --i;
        const int extra = i < 8 || i == 28 ? 0 : (i - 4) / 4;
        const Code symbol = fixedCodes()[std::size_t(257 + i)];
        codes[std::size_t(length)] = {symbol.bits | (quint32(length - bases[i]) << symbol.count),
                                      symbol.count + extra + 5};
    }
    return codes;
}
constexpr std::array<Code, kLongestCopy + 1> kCopies = copyCodes();

// A deflate stream in the fixed codes of the format that looks for nothing but runs of one byte,
// each written as the byte and a copy of the byte before it. A drawing, filtered, is little else:
// it packs almost as small as a general compressor packs it, and a run, however long, costs a
// few steps, its checksum included.
class RunDeflater {
public:
    RunDeflater() {
        room(4096);
        put(0x78);  // deflate with a 32 KB window, no dictionary
        put(0x01);
        push(0b011, 3);  // the one and last block, fixed codes
    }

    // Bytes of which runs are to be found.
    void add(const unsigned char* data, std::size_t size) {
        adler_ = adler32_z(adler_, data, size);
        room(size + size / 8 + 16);
        for (std::size_t i = 0; i < size;) {
            const std::size_t run = runAt(data + i, size - i);
            if (run >= kShortestRun || (last_ == data[i] && run >= 3)) {
                encodeRun(data[i], run);
            } else {
                for (std::size_t k = 0; k < run; ++k) literal(data[i]);
            }
            i += run;
        }
    }

    // `count` bytes of one value.
    void addRun(unsigned char value, std::size_t count) {
        adler_ = adlerOfRun(adler_, value, count);
        room(count / kLongestCopy * 3 + 16);
        encodeRun(value, count);
    }

    QByteArray finish() {
        push(kCodes[256].bits, kCodes[256].count);
        if (count_ > 0) room(8);
        while (count_ > 0) {
            put(char(bits_ & 0xFF));
            bits_ >>= 8;
            count_ = std::max(0, count_ - 8);
        }
        room(4);
        qToBigEndian(quint32(adler_), out_.data() + used_);
        used_ += 4;
        out_.truncate(used_);
        return std::move(out_);
    }

private:
    static constexpr std::size_t kShortestRun = 5;  // shorter runs stay literals
    // The number of bytes at the start of `data` equal to its first, at least 1.
    static std::size_t runAt(const unsigned char* data, std::size_t size) {
        const quint64 pattern = quint64(data[0]) * 0x0101010101010101ull;
        std::size_t n = 1;
        while (n + 8 <= size) {
            quint64 word;
            std::memcpy(&word, data + n, 8);
            if (word != pattern) {
                const quint64 differ = word ^ pattern;
                const int bit = std::endian::native == std::endian::little
                                    ? std::countr_zero(differ)
                                    : std::countl_zero(differ);
                return n + std::size_t(bit / 8);
            }
            n += 8;
        }
        while (n < size && data[n] == data[0]) ++n;
        return n;
    }

    static uLong adlerOfRun(uLong adler, unsigned char value, std::size_t count) {
        constexpr quint64 kBase = 65521;
        const quint64 a = adler & 0xFFFF, b = adler >> 16, n = count % kBase;
        // Each byte adds its value to a, and a to b: b grows by n a and by the value times
        // 1 + 2 + ... + n. The sum is taken modulo the base before it is multiplied.
        const quint64 sum = (count % 2 == 0 ? (count / 2 % kBase) * ((count + 1) % kBase)
                                            : (count % kBase) * ((count + 1) / 2 % kBase)) %
                            kBase;
        const quint64 newA = (a + n * value) % kBase;
        const quint64 newB = (b + n * a + sum * value) % kBase;
        return uLong(newB << 16 | newA);
    }

    void encodeRun(unsigned char value, std::size_t count) {
        if (last_ != value) {
            literal(value);
            --count;
        }
        while (count >= 3) {
            const std::size_t length = std::min(count, kLongestCopy);
            push(kCopies[length].bits, kCopies[length].count);
            count -= length;
        }
        while (count-- > 0) literal(value);
    }

    void literal(unsigned char value) {
        push(kCodes[value].bits, kCodes[value].count);
        last_ = value;
    }

    // Appends bits, the first in the lowest place; whole bytes go out four at a time.
    void push(quint32 bits, int count) {
        bits_ |= quint64(bits) << count_;
        count_ += count;
        if (count_ >= 32) {
            qToLittleEndian(quint32(bits_), buffer_ + used_);
            used_ += 4;
            bits_ >>= 32;
            count_ -= 32;
        }
    }

    // Makes room for `bytes` more bytes: the writes in between need not check.
    void room(std::size_t bytes) {
        const qsizetype needed = used_ + qsizetype(bytes);
        if (needed > out_.size()) {
            out_.resize(std::max(needed, out_.size() * 2));
            buffer_ = out_.data();
        }
    }
    void put(char byte) { buffer_[used_++] = byte; }

    QByteArray out_;  // bytes written, then room
    char* buffer_ = nullptr;
    qsizetype used_ = 0;
    quint64 bits_ = 0;
    int count_ = 0;
    int last_ = -1;  // the byte before, none at the start
    uLong adler_ = adler32(0, nullptr, 0);
};

// The rows, each behind its filter byte, deflated into one stream. A drawing's row mostly
// repeats the one above it but for the few pixels where a line crosses it: the stretches the
// same as above are zeros once filtered, and go as runs without being filtered or summed byte
// by byte.
QByteArray packedRows(const QImage& image, bool alpha) {
    const std::size_t sampleBytes = alpha ? 4 : 3;
    const std::size_t width = std::size_t(image.width());
    RunDeflater deflater;
    constexpr unsigned char kUp = 2;  // the filter: each byte less the one above it
    std::vector<unsigned char> row(width * sampleBytes + 1, 0);
    const auto filtered = alpha ? filteredRow<true> : filteredRow<false>;
    // Without alpha only the colour is stored: whatever the unused byte holds, the pixels agree.
    const QRgb stored = alpha ? 0xFFFFFFFFu : 0x00FFFFFFu;
    constexpr std::size_t kBlock = 8;
    const QRgb* above = nullptr;
    for (int y = 0, height = image.height(); y < height; ++y) {
        const auto* pixels = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        deflater.add(&kUp, 1);
        if (!above) {
            filtered(pixels, nullptr, width, row.data());
            deflater.add(row.data(), width * sampleBytes);
        } else if (std::memcmp(pixels, above, width * sizeof(QRgb)) == 0) {
            deflater.addRun(0, width * sampleBytes);  // the most common row of a drawing
            above = pixels;
            continue;
        }
        for (std::size_t x = 0; above && x < width;) {
            std::size_t end = x;
            // Eight pixels at a time while they all agree.
            while (end + kBlock <= width) {
                QRgb differ = 0;
                for (std::size_t i = 0; i < kBlock; ++i) differ |= pixels[end + i] ^ above[end + i];
                if ((differ & stored) != 0) break;
                end += kBlock;
            }
            while (end < width && ((pixels[end] ^ above[end]) & stored) == 0) ++end;
            if (end > x) deflater.addRun(0, (end - x) * sampleBytes);
            x = end;
            while (end < width && ((pixels[end] ^ above[end]) & stored) != 0) ++end;
            if (end > x) {
                filtered(pixels + x, above + x, end - x, row.data());
                deflater.add(row.data(), (end - x) * sampleBytes);
            }
            x = end;
        }
        above = pixels;
    }
    return deflater.finish();
}

}  // namespace

QByteArray pngOf(const QImage& source) {
    if (source.isNull()) return {};
    const bool alpha = source.hasAlphaChannel();
    // Drawn pictures are in one of these already: no copy is made of them.
    const QImage image =
        source.convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    const QByteArray rows = packedRows(image, alpha);

    QByteArray png;
    png.reserve(rows.size() + 128);  // the signature and the other chunks are small
    png.append("\x89PNG\r\n\x1a\n", 8);
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
    appendChunk(png, "IDAT", rows);
    appendChunk(png, "IEND", {});
    return png;
}

}  // namespace tvdocx
