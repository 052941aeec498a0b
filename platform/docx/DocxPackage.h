#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QStringList>
#include <map>
#include <optional>
#include <vector>

namespace tvdocx {

// The parts of a zip package, by part name ("word/document.xml"), in name order.
using PackageParts = std::map<QString, QByteArray>;

// Reads the parts of the package at `path` (every part, or those named in `only`); nothing, with
// the reason, when it is no zip file or a part is damaged.
std::optional<PackageParts> readPackage(const QString& path, QString* error = nullptr,
                                        const QStringList& only = {});

// Parts given in pieces, written one after the other: a large part need not be put together in
// one piece first. The bytes stay the caller's.
using PackagePieces = std::map<QString, std::vector<QByteArrayView>>;

// Writes the parts into a new package at `path`, through a temporary file renamed over the
// target: a failure leaves an earlier file as it was.
bool writePackage(const QString& path, const PackageParts& parts, QString* error = nullptr);
bool writePackage(const QString& path, const PackagePieces& parts, QString* error = nullptr);
// Writes the package into an open device; false, with the device's reason, when any write fails.
bool writePackage(QIODevice& device, const PackageParts& parts, QString* error = nullptr);

}  // namespace tvdocx
