#include "RunReporter.h"

#include <QStringList>
#include <cstdio>

#include "TextUtilities.h"

namespace tav::core {

namespace {

// A message keeps its own line breaks; any other control character in it is shown.
QString withVisibleControlsInLines(const QString& text) {
    QStringList lines = text.split(u'\n');
    for (QString& line : lines) {
        const bool lineBreak = line.endsWith(u'\r');
        line = withVisibleControls(lineBreak ? line.chopped(1) : line) +
               (lineBreak ? QStringLiteral("\r") : QString());
    }
    return lines.join(u'\n');
}

}  // namespace

void RunReporter::message(const QString& text, const QString& title) {
    showMessage(withVisibleControlsInLines(text), withVisibleControlsInLines(title));
}

void RunReporter::workStatus(bool show, const QString& text) { status(show ? text : QString()); }

void StandardErrorReporter::showMessage(const QString& text, const QString& title) {
    // A message box's line breaks are a terminal's plain ones.
    QString lines = text;
    lines.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    const QString message = title.isEmpty() ? lines + u'\n' : title + u'\n' + lines + u'\n';
    const QByteArray bytes = message.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
    std::fflush(stderr);
}

QString applicationTitle() { return QStringLiteral("Tavrin"); }

}  // namespace tav::core
