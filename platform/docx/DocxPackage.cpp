#include "DocxPackage.h"

#include <quazip.h>
#include <quazipfile.h>
#include <quazipnewinfo.h>

#include <QBuffer>
#include <QFile>
#include <QSaveFile>

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

bool writePackage(const QString& path, const PackageParts& parts, QString* error) {
    // The zip is built in memory: the archive closes its device when it is done, which a
    // QSaveFile must not see before its commit.
    QBuffer buffer;
    {
        QuaZip zip(&buffer);
        if (!zip.open(QuaZip::mdCreate)) {
            setError(error, QStringLiteral("the package cannot be built"));
            return false;
        }
        // [Content_Types].xml comes first: some readers look for it there.
        auto writePart = [&](const QString& name, const QByteArray& data) {
            QuaZipFile part(&zip);
            if (!part.open(QIODevice::WriteOnly, QuaZipNewInfo(name))) return false;
            const bool written = part.write(data) == data.size();
            part.close();
            return written && part.getZipError() == ZIP_OK;
        };
        const QString contentTypes = QStringLiteral("[Content_Types].xml");
        if (auto it = parts.find(contentTypes);
            it != parts.end() && !writePart(it->first, it->second)) {
            setError(error, QStringLiteral("the package cannot be built"));
            return false;
        }
        for (const auto& [name, data] : parts) {
            if (name == contentTypes) continue;
            if (!writePart(name, data)) {
                setError(error, QStringLiteral("part %1 cannot be written").arg(name));
                return false;
            }
        }
        zip.close();
        if (zip.getZipError() != ZIP_OK) {
            setError(error, QStringLiteral("the package cannot be built"));
            return false;
        }
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(buffer.data()) != buffer.data().size() ||
        !file.commit()) {
        setError(error, QStringLiteral("%1 cannot be written: %2").arg(path, file.errorString()));
        return false;
    }
    return true;
}

}  // namespace tvdocx
