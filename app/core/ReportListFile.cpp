#include "ReportListFile.h"

#include <QFile>
#include <QFileInfo>
#include <utility>

namespace tav::core {

bool ReportListFile::namesReport(const QString& line) {
    return line.endsWith(QLatin1StringView(".rpt"), Qt::CaseInsensitive);
}

ReportListFile ReportListFile::read(const QString& path) {
    ReportListFile list;
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        list.outcome = Outcome::NotRegularFile;
        list.error = path + QStringLiteral(" is not a regular file");
        return list;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        list.outcome = Outcome::NotOpened;
        list.error = path + QStringLiteral(": ") + file.errorString();
        return list;
    }
    bool firstLine = true;
    while (!file.atEnd()) {
        // No path is longer than this. A longer line is read on without being kept: its start
        // and its end stand for it, so that one naming a report is still taken, and fails
        // where it is opened, with a word, like any report that cannot be read.
        constexpr qint64 kLongestLine = 32768;
        QByteArray bytes = file.readLine(kLongestLine);
        // A list saved by an editor that marks its files as UTF-8 starts with the mark.
        if (std::exchange(firstLine, false) && bytes.startsWith("\xEF\xBB\xBF")) bytes.remove(0, 3);
        if (bytes.isEmpty() && file.error() != QFileDevice::NoError) break;
        if (!bytes.endsWith('\n') && !file.atEnd()) {
            QByteArray end;
            while (!file.atEnd() && !end.endsWith('\n')) end = file.readLine(kLongestLine);
            bytes += end;
        }
        while (bytes.endsWith('\n') || bytes.endsWith('\r')) bytes.chop(1);
        const QString line = QString::fromUtf8(bytes);
        if (namesReport(line)) list.reports << line;
    }
    if (file.error() != QFileDevice::NoError) {
        list.outcome = Outcome::ReadFailed;
        list.error = path + QStringLiteral(": ") + file.errorString();
    }
    return list;
}

}  // namespace tav::core
