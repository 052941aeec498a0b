#include "DocxPackage.h"

#include <quazip.h>
#include <quazipfile.h>
#include <quazipnewinfo.h>

#include <QBuffer>
#include <QFile>
#include <QSaveFile>
#include <algorithm>

namespace tvdocx {

namespace {

void setError(QString* error, const QString& text) {
    if (error) *error = text;
}

}  // namespace

std::optional<PackageParts> readPackage(const QString& path, QString* error,
                                        const QStringList& only) {
    QuaZip zip(path);
    if (!zip.open(QuaZip::mdUnzip)) {
        setError(error, QStringLiteral("%1 is not a readable package").arg(path));
        return std::nullopt;
    }
    PackageParts parts;
    for (bool more = zip.goToFirstFile(); more; more = zip.goToNextFile()) {
        // Pictures and other large parts are not read when nobody wants them.
        if (!only.isEmpty() && !only.contains(zip.getCurrentFileName())) continue;
        QuaZipFile part(&zip);
        if (!part.open(QIODevice::ReadOnly)) {
            setError(
                error,
                QStringLiteral("%1: part %2 cannot be read").arg(path, zip.getCurrentFileName()));
            return std::nullopt;
        }
        QByteArray data = part.readAll();
        part.close();
        if (part.getZipError() != UNZ_OK) {
            setError(error,
                     QStringLiteral("%1: part %2 is damaged").arg(path, zip.getCurrentFileName()));
            return std::nullopt;
        }
        parts[zip.getCurrentFileName()] = std::move(data);
    }
    if (zip.getZipError() != UNZ_OK) {
        setError(error, QStringLiteral("%1 is a damaged package").arg(path));
        return std::nullopt;
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
// QSaveFile must not see before its commit.
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
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        setError(error, QStringLiteral("%1 cannot be written: %2").arg(path, file.errorString()));
        return false;
    }
    QString reason;
    // The buffered bytes must reach the disk before the rename: a failing flush would otherwise
    // put an empty or short file in place of the earlier one.
    if (!writeZip(file, parts, &reason) || !file.flush() || !file.commit()) {
        if (reason.isEmpty() || file.error() != QFileDevice::NoError) reason = file.errorString();
        file.cancelWriting();
        setError(error, QStringLiteral("%1 cannot be written: %2").arg(path, reason));
        return false;
    }
    return true;
}

}  // namespace tvdocx
