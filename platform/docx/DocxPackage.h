#pragma once

#include <QByteArray>
#include <QString>
#include <map>
#include <optional>

namespace tvdocx {

// The parts of a zip package, by part name ("word/document.xml"), in name order.
using PackageParts = std::map<QString, QByteArray>;

// Reads every part of the package at `path`; nothing, with the reason, when it is no zip file.
std::optional<PackageParts> readPackage(const QString& path, QString* error = nullptr);

// Writes the parts into a new package at `path`, through a temporary file renamed over the
// target: a failure leaves an earlier file as it was.
bool writePackage(const QString& path, const PackageParts& parts, QString* error = nullptr);

}  // namespace tvdocx
