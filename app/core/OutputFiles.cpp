#include "OutputFiles.h"

#include <QDir>
#include <QFile>
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

}  // namespace tav::core
