#include "RunReporter.h"

#include <cstdio>

namespace tav::core {

namespace {

QString withVisibleNuls(QString text) { return text.replace(QChar(u'\0'), QStringLiteral("\\0")); }

}  // namespace

void RunReporter::message(const QString& text, const QString& title) {
    showMessage(withVisibleNuls(text), withVisibleNuls(title));
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
