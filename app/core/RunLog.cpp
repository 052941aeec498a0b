#include "RunLog.h"

#include <QFile>
#include <QSaveFile>
#include <memory>
#include <stdexcept>

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

[[noreturn]] void fail(const QString& what, const QString& reason) {
    throw std::runtime_error(
        QStringLiteral("%1 %2: %3").arg(what, runLogPath(), reason).toStdString());
}

}  // namespace

void setRunLogFolder(const QString& folder) { logFolder() = folder; }

QString runLogPath() { return withTrailingSeparator(logFolder()) + QStringLiteral("tvLog.txt"); }

void OpenLogFile() {
    openLog().reset();
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

bool CloseLog() {
    std::unique_ptr<QSaveFile> log = std::move(openLog());
    return !log || log->commit();
}

}  // namespace tav::core
