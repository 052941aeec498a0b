#include "OutputFiles.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace tav::core {

bool createOutputFolder(const QString& folder, QString* error) {
    if (folder.isEmpty()) return true;
    std::error_code failure;
    const std::filesystem::path path(
        QFile::encodeName(QDir::fromNativeSeparators(folder)).toStdString());
    if (std::filesystem::is_directory(path, failure)) return true;
    std::filesystem::create_directories(path, failure);
    if (!failure && std::filesystem::is_directory(path, failure)) return true;
    if (!failure) failure = std::make_error_code(std::errc::not_a_directory);
    if (error) {
        *error =
            QStringLiteral("Unable to create the folder %1: %2")
                .arg(QDir::toNativeSeparators(folder), QString::fromLocal8Bit(failure.message()));
    }
    return false;
}

void createOutputFolders(const ExtractOptions& settings) {
    for (const QString* folder : {&settings.DocPath, &settings.TVDPath})
        createOutputFolder(*folder, nullptr);
}

namespace {

// The longest file name the folder of `path` holds, in bytes.
qsizetype longestFileName(const QString& path) {
    const QString folder = QFileInfo(path).absolutePath();
    const long longest = ::pathconf(QFile::encodeName(folder).constData(), _PC_NAME_MAX);
    return longest > 0 ? longest : 255;
}

}  // namespace

QString savingPathOf(const QString& path, QString* error) {
    // A save file's temporary name is its file's name and a suffix of this many characters.
    constexpr qsizetype kSuffix = 7;
    const QFileInfo info(path);
    const qsizetype length = QFile::encodeName(info.fileName()).size();
    const qsizetype longest = longestFileName(path);
    if (length > longest) {
        if (error) *error = path + QStringLiteral(": File name too long");
        return {};
    }
    if (length + kSuffix <= longest) return path;
    return path.left(path.size() - info.fileName().size()) +
           QStringLiteral("~tav%1.tmp").arg(QCoreApplication::applicationPid());
}

bool putSavedFileInPlace(const QString& savingPath, const QString& path, QString* error) {
    if (savingPath == path) return true;
    // Unlike QFile::rename, rename(2) replaces the old file in one step.
    if (std::rename(QFile::encodeName(savingPath).constData(),
                    QFile::encodeName(path).constData()) == 0) {
        return true;
    }
    const int cause = errno;
    QFile::remove(savingPath);
    if (error) *error = path + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(cause));
    return false;
}

}  // namespace tav::core
