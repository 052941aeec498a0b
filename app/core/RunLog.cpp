#include "RunLog.h"

#include <QFile>
#include <QSaveFile>
#include <memory>
#include <stdexcept>
#include <utility>

#include "OutputFiles.h"
#include "SettingsStore.h"

namespace tav::core {

namespace {

QString& logFolder() {
    static QString folder;
    return folder;
}

std::unique_ptr<QSaveFile>& openLog() {
    static std::unique_ptr<QSaveFile> log;
    return log;
}

// The first failure of the log being written, told when it closes: a caller that goes on
// without a log line still learns that the log was lost.
QString& logFailure() {
    static QString failure;
    return failure;
}

[[noreturn]] void fail(const QString& text) {
    if (logFailure().isEmpty()) logFailure() = text;
    throw std::runtime_error(text.toStdString());
}

[[noreturn]] void fail(const QString& what, const QString& reason) {
    fail(QStringLiteral("%1 %2: %3").arg(what, runLogPath(), reason));
}

}  // namespace

void setRunLogFolder(const QString& folder) { logFolder() = folder; }

QString runLogPath() { return withTrailingSeparator(logFolder()) + QStringLiteral("tvLog.txt"); }

void OpenLogFile() {
    openLog().reset();
    QString folderError;
    if (!createOutputFolder(logFolder(), &folderError)) fail(folderError);
    // The old log stays until the new one is committed over it.
    auto log = std::make_unique<QSaveFile>(runLogPath());
    if (!log->open(QIODevice::WriteOnly)) {
        fail(QStringLiteral("Unable to create the run log"), log->errorString());
    }
    openLog() = std::move(log);
}

void WriteLog(const QString& line) {
    if (!openLog()) OpenLogFile();
    const QByteArray bytes = (line + u'\n').toUtf8();
    if (openLog()->write(bytes) != bytes.size()) {
        fail(QStringLiteral("Unable to write the run log"), openLog()->errorString());
    }
}

bool CloseLog(QString* error) {
    std::unique_ptr<QSaveFile> log = std::move(openLog());
    QString failure = std::exchange(logFailure(), QString());
    // A save file commits what it could not write out when it closes: its writes are checked
    // first, and a log that lost a line is thrown away whole, leaving the old one.
    if (failure.isEmpty() && log && !(log->flush() && log->commit())) {
        failure = QStringLiteral("Unable to write the run log %1: %2")
                      .arg(log->fileName(), log->errorString());
    }
    if (error) *error = failure;
    return failure.isEmpty();
}

}  // namespace tav::core
