#include "DocxPackage.h"

#include <quazip.h>
#include <quazipfile.h>
#include <quazipnewinfo.h>

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <limits>

#include "SaveFile.h"

namespace tvdocx {

namespace {

void setError(QString* error, const QString& text) {
    if (error) *error = text;
}

QString sizeText(qint64 bytes) {
    return bytes % (1 << 20) == 0 ? QStringLiteral("%1 MB").arg(bytes >> 20)
                                  : QStringLiteral("%1 bytes").arg(bytes);
}

}  // namespace

PackageReader::PackageReader(const QString& path, PartLimits limits)
    : path_(path), limits_(limits) {}

PackageReader::~PackageReader() = default;

bool PackageReader::open(QString* error) {
    // A folder, a device or a pipe is refused before it is opened: a pipe would block for ever.
    const QFileInfo info(path_);
    if (!info.exists()) {
        setError(error, QStringLiteral("%1 does not exist").arg(path_));
        return false;
    }
    if (info.isDir()) {
        setError(error, QStringLiteral("%1 is a folder, not a file").arg(path_));
        return false;
    }
    if (!info.isFile()) {
        setError(error, QStringLiteral("%1 is not a regular file").arg(path_));
        return false;
    }
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly)) {
        setError(error, QStringLiteral("%1 cannot be read: %2").arg(path_, file.errorString()));
        return false;
    }
    if (file.size() == 0) {
        setError(error, QStringLiteral("%1 is an empty file").arg(path_));
        return false;
    }
    file.close();
    zip_ = std::make_unique<QuaZip>(path_);
    if (!zip_->open(QuaZip::mdUnzip)) {
        zip_.reset();
        setError(error, QStringLiteral("%1 is not a zip package").arg(path_));
        return false;
    }
    return true;
}

bool PackageReader::has(const QString& name) const {
    return zip_ && zip_->setCurrentFile(name, QuaZip::csInsensitive);
}

QStringList PackageReader::names() const { return zip_ ? zip_->getFileNameList() : QStringList(); }

std::optional<QByteArray> PackageReader::read(const QString& name, QString* error) {
    if (!has(name)) {
        setError(error, QStringLiteral("%1 holds no part %2").arg(path_, name));
        return std::nullopt;
    }
    const auto fail = [&](const QString& why) {
        setError(error, QStringLiteral("%1: part %2 %3").arg(path_, name, why));
        return std::nullopt;
    };
    QuaZipFile part(zip_.get());
    QuaZipFileInfo64 info;
    if (!zip_->getCurrentFileInfo(&info) || !part.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot be read"));
    // The sizes the package states are checked first, then the bytes that really come out: a
    // package may state anything.
    qint64 limit = std::numeric_limits<qint64>::max();
    QString past;
    if (limits_.maxSize > 0) {
        limit = limits_.maxSize;
        past = QStringLiteral("unpacks to more than %1").arg(sizeText(limits_.maxSize));
    }
    if (limits_.maxRatio > 0 && qint64(info.compressedSize) <= limit / limits_.maxRatio) {
        limit = qint64(info.compressedSize) * limits_.maxRatio;
        past =
            QStringLiteral("unpacks to more than %1 times its packed size").arg(limits_.maxRatio);
    }
    if (limits_.maxTotal > 0 && limits_.maxTotal - total_ < limit) {
        limit = limits_.maxTotal - total_;
        past =
            QStringLiteral("takes the parts read past %1 in all").arg(sizeText(limits_.maxTotal));
    }
    if (info.uncompressedSize > quint64(limit)) return fail(past);
    QByteArray data;
    data.reserve(qsizetype(info.uncompressedSize));
    constexpr qint64 kChunk = 1 << 16;
    for (;;) {
        const qsizetype at = data.size();
        data.resize(at + kChunk);
        const qint64 got = part.read(data.data() + at, kChunk);
        data.resize(at + std::max<qint64>(got, 0));
        if (got < 0) return fail(QStringLiteral("is damaged"));
        if (data.size() > limit) return fail(past);
        if (got == 0) break;
    }
    part.close();
    if (part.getZipError() != UNZ_OK) return fail(QStringLiteral("is damaged"));
    total_ += data.size();
    return data;
}

std::optional<PackageParts> readPackage(const QString& path, QString* error,
                                        const QStringList& only) {
    PackageReader package(path);
    if (!package.open(error)) return std::nullopt;
    PackageParts parts;
    for (const QString& name : package.names()) {
        // Pictures and other large parts are not read when nobody wants them.
        if (!only.isEmpty() && !only.contains(name)) continue;
        std::optional<QByteArray> data = package.read(name, error);
        if (!data) return std::nullopt;
        parts[name] = std::move(*data);
    }
    return parts;
}

namespace {

// Entries are plain files readable by all and writable by their owner (0644): a package
// unpacked by a zip tool must not come out unreadable.
constexpr QFileDevice::Permissions kEntryPermissions =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
    QFileDevice::WriteUser | QFileDevice::ReadGroup | QFileDevice::ReadOther;

// Parts smaller than this are stored without compression.
constexpr qsizetype kSmallPart = 8 * 1024;

bool isPicture(const QString& name) {
    for (const char* extension : {".png", ".jpeg", ".jpg", ".gif"})
        if (name.endsWith(QLatin1String(extension), Qt::CaseInsensitive)) return true;
    return false;
}

// The zip of the parts, built in memory: the archive closes its device when it is done, which a
// save file must not see before its commit.
std::optional<QByteArray> zipParts(const PackagePieces& parts, QString* error) {
    QBuffer buffer;
    QuaZip zip(&buffer);
    if (!zip.open(QuaZip::mdCreate)) {
        setError(error, QStringLiteral("the package cannot be built"));
        return std::nullopt;
    }
    auto writePart = [&](const QString& name, const std::vector<QByteArrayView>& pieces) {
        QuaZipNewInfo info(name);
        info.setPermissions(kEntryPermissions);
        QuaZipFile part(&zip);
        qsizetype size = 0;
        for (const QByteArrayView piece : pieces) size += piece.size();
        // Pictures are compressed already, and a small part gains a few hundred bytes at most
        // while setting up the compressor costs more than writing it: both are stored as they
        // are. The rest, mostly text, packs well at the fastest level.
        const bool store = size < kSmallPart || isPicture(name);
        if (!part.open(QIODevice::WriteOnly, info, nullptr, 0, store ? 0 : Z_DEFLATED,
                       store ? 0 : Z_BEST_SPEED))
            return false;
        bool written = true;
        // An empty piece is passed over: a checksum of no bytes at no address starts anew.
        for (const QByteArrayView piece : pieces)
            written = written &&
                      (piece.isEmpty() || part.write(piece.data(), piece.size()) == piece.size());
        part.close();
        return written && part.getZipError() == ZIP_OK;
    };
    // [Content_Types].xml comes first: some readers look for it there.
    const QString contentTypes = QStringLiteral("[Content_Types].xml");
    if (auto it = parts.find(contentTypes);
        it != parts.end() && !writePart(it->first, it->second)) {
        setError(error, QStringLiteral("the package cannot be built"));
        return std::nullopt;
    }
    for (const auto& [name, data] : parts) {
        if (name == contentTypes) continue;
        if (!writePart(name, data)) {
            setError(error, QStringLiteral("part %1 cannot be written").arg(name));
            return std::nullopt;
        }
    }
    zip.close();
    if (zip.getZipError() != ZIP_OK) {
        setError(error, QStringLiteral("the package cannot be built"));
        return std::nullopt;
    }
    return buffer.data();
}

// Every write is checked: a device that takes only part of the bytes (a full disk) fails here
// rather than leaving a short file behind.
bool writeAll(QIODevice& device, const QByteArray& data) {
    constexpr qsizetype kChunk = 1 << 16;
    for (qsizetype at = 0; at < data.size(); at += kChunk) {
        const qsizetype size = std::min(kChunk, data.size() - at);
        if (device.write(data.constData() + at, size) != size) return false;
    }
    return true;
}

PackagePieces piecesOf(const PackageParts& parts) {
    PackagePieces pieces;
    for (const auto& [name, data] : parts) pieces[name] = {QByteArrayView(data)};
    return pieces;
}

bool writeZip(QIODevice& device, const PackagePieces& parts, QString* error) {
    const std::optional<QByteArray> zip = zipParts(parts, error);
    if (!zip) return false;
    if (!writeAll(device, *zip)) {
        setError(error,
                 QStringLiteral("the package cannot be written: %1").arg(device.errorString()));
        return false;
    }
    return true;
}

}  // namespace

bool writePackage(QIODevice& device, const PackageParts& parts, QString* error) {
    return writeZip(device, piecesOf(parts), error);
}

bool writePackage(const QString& path, const PackageParts& parts, QString* error) {
    return writePackage(path, piecesOf(parts), error);
}

bool writePackage(const QString& path, const PackagePieces& parts, QString* error) {
    rt::SaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        setError(error, QStringLiteral("%1 cannot be written: %2").arg(path, file.errorString()));
        return false;
    }
    QString reason;
    if (!writeZip(file, parts, &reason) || !file.commit()) {
        if (reason.isEmpty() || file.hasFailed()) reason = file.errorString();
        setError(error, QStringLiteral("%1 cannot be written: %2").arg(path, reason));
        return false;
    }
    return true;
}

}  // namespace tvdocx
