#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QStringList>
#include <map>
#include <memory>
#include <optional>
#include <vector>

class QuaZip;

namespace tvdocx {

// The parts of a zip package, by part name ("word/document.xml"), in name order.
using PackageParts = std::map<QString, QByteArray>;

// What one part of a package may unpack to; a part past it is not read. 0: no limit.
struct PartLimits {
    qint64 maxSize = 0;   // bytes
    qint64 maxRatio = 0;  // times the bytes it takes packed
    qint64 maxTotal = 0;  // bytes of every part read from the package together
};

// The limits on a template's parts: a small file must not unpack into gigabytes.
constexpr PartLimits kTemplateLimits{qint64(64) << 20, 100, qint64(256) << 20};

// A package whose parts are read one at a time, by name (ignoring case, as package part names
// are compared), each through the limits given.
class PackageReader {
public:
    explicit PackageReader(const QString& path, PartLimits limits = {});
    ~PackageReader();
    PackageReader(const PackageReader&) = delete;
    PackageReader& operator=(const PackageReader&) = delete;

    // False, with the reason, when the path names no readable zip file.
    bool open(QString* error = nullptr);
    bool has(const QString& name) const;
    // The part unpacked; nothing, with the reason, when it is missing, damaged or past a limit.
    std::optional<QByteArray> read(const QString& name, QString* error = nullptr);
    // The names of the parts, as the package holds them.
    QStringList names() const;

private:
    QString path_;
    PartLimits limits_;
    qint64 total_ = 0;
    std::unique_ptr<QuaZip> zip_;
};

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
