#include "ReportListFile.h"

#include <QFile>
#include <QFileInfo>
#include <utility>

#include "TextUtilities.h"

namespace tav::core {

namespace {

std::unique_ptr<QIODevice> openFile(const QString& path) {
    auto file = std::make_unique<QFile>(path);
    file->open(QIODevice::ReadOnly);
    return file;
}

ReportListFile::OpenCall openCall = openFile;

// No path is longer than this.
constexpr qint64 kLongestLine = 32768;

// One line of `device` into `line`, its line break included, at most kLongestLine - 1 bytes.
// False at the end of the device, or when it cannot be read: a device that fails says so
// only once, and answers every later read with nothing while it stays short of its end.
bool readLine(QIODevice& device, QByteArray& line) {
    line.resize(kLongestLine);
    const qint64 length = device.readLine(line.data(), kLongestLine);
    line.resize(std::max<qint64>(length, 0));
    return length > 0;
}

}  // namespace

bool ReportListFile::namesReport(const QString& line) {
    return line.endsWith(QLatin1StringView(".rpt"), Qt::CaseInsensitive);
}

ReportListFile::OpenCall ReportListFile::setOpenCall(OpenCall call) {
    return std::exchange(openCall, call);
}

ReportListFile ReportListFile::read(const QString& path) {
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        ReportListFile list;
        list.outcome = Outcome::NotRegularFile;
        list.error = withVisibleControls(path) + QStringLiteral(" is not a regular file");
        return list;
    }
    const std::unique_ptr<QIODevice> device = openCall(path);
    if (!device->isOpen()) {
        ReportListFile list;
        list.outcome = Outcome::NotOpened;
        list.error = withVisibleControls(path) + QStringLiteral(": ") + device->errorString();
        return list;
    }
    return read(*device, path);
}

ReportListFile ReportListFile::read(QIODevice& device, const QString& path) {
    ReportListFile list;
    bool firstLine = true;
    QByteArray bytes;
    QByteArray end;
    while (readLine(device, bytes)) {
        // A list saved by an editor that marks its files as UTF-8 starts with the mark.
        if (std::exchange(firstLine, false) && bytes.startsWith("\xEF\xBB\xBF")) bytes.remove(0, 3);
        // A longer line is read on without being kept: its start and its end stand for it, so
        // that one naming a report is still taken, and fails where it is opened, with a word,
        // like any report that cannot be read.
        if (!bytes.endsWith('\n')) {
            while (!end.endsWith('\n') && readLine(device, end)) {
            }
            bytes += end;
            end.clear();
        }
        // A line that a failing read cut short is none of the list's: its path may be cut
        // anywhere, "b.rpt.bak" at "b.rpt".
        if (!bytes.endsWith('\n') && !device.atEnd()) break;
        while (bytes.endsWith('\n') || bytes.endsWith('\r')) bytes.chop(1);
        const QString line = QString::fromUtf8(bytes);
        if (namesReport(line)) list.reports << line;
    }
    // A read that answers nothing short of the end is a failure: a device at its end answers
    // nothing too, but says it is there.
    if (!device.atEnd()) {
        list.outcome = Outcome::ReadFailed;
        list.error = withVisibleControls(path) + QStringLiteral(": ") + device.errorString();
    }
    return list;
}

}  // namespace tav::core
