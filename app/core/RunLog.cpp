#include "RunLog.h"

#include <utility>

#include "OutputFiles.h"
#include "SaveFile.h"
#include "SettingsStore.h"

namespace tav::core {

RunLog::RunLog(QString folder) : folder_(std::move(folder)) {}

RunLog::~RunLog() = default;

void RunLog::setFolder(const QString& folder) { folder_ = folder; }

QString RunLog::path() const {
    return withTrailingSeparator(folder_) + QStringLiteral("tvLog.txt");
}

bool RunLog::fail(const QString& text, QString* error) {
    if (failure_.isEmpty()) failure_ = text;
    if (error) *error = text;
    return false;
}

bool RunLog::fail(const QString& what, const QString& reason, QString* error) {
    return fail(QStringLiteral("%1 %2: %3").arg(what, path(), reason), error);
}

bool RunLog::open(QString* error) {
    file_.reset();
    QString folderError;
    if (!createOutputFolder(folder_, &folderError)) return fail(folderError, error);
    // The old log stays until the new one is committed over it.
    auto file = std::make_unique<rt::SaveFile>(path());
    if (!file->open(QIODevice::WriteOnly)) {
        return fail(QStringLiteral("Unable to create the run log"), file->errorString(), error);
    }
    file_ = std::move(file);
    return true;
}

bool RunLog::write(const QString& line, QString* error) {
    if (!file_ && !open(error)) return false;
    const QByteArray bytes = (line + u'\n').toUtf8();
    if (file_->write(bytes) != bytes.size()) {
        return fail(QStringLiteral("Unable to write the run log"), file_->errorString(), error);
    }
    return true;
}

bool RunLog::close(QString* error) {
    std::unique_ptr<rt::SaveFile> file = std::move(file_);
    QString failure = std::exchange(failure_, QString());
    // A log that lost a line is thrown away whole, leaving the old one.
    if (failure.isEmpty() && file && !file->commit()) {
        failure = QStringLiteral("Unable to write the run log %1: %2")
                      .arg(file->fileName(), file->errorString());
    }
    if (error) *error = failure;
    return failure.isEmpty();
}

}  // namespace tav::core
