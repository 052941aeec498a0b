#include "UserMessages.h"

#include <QCoreApplication>
#include <cstdio>
#include <utility>

namespace tav::core {

namespace {

void toStandardError(const QString& text, const QString& title) {
    const QString message = title.isEmpty() ? text + u'\n' : title + u'\n' + text + u'\n';
    const QByteArray bytes = message.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
    std::fflush(stderr);
}

// A NUL inside a message (a path or a cause read from a file) would end it early wherever text
// is handed on as a C string: it is shown as the two characters \0, and the rest follows.
QString withVisibleNuls(QString text) { return text.replace(QChar(u'\0'), QStringLiteral("\\0")); }

MessageHandler& messageHandler() {
    static MessageHandler handler = toStandardError;
    return handler;
}

StatusHandler& statusHandler() {
    static StatusHandler handler;
    return handler;
}

WorkStatusHandler& workStatusHandler() {
    static WorkStatusHandler handler;
    return handler;
}

}  // namespace

void ShowMessage(const QString& text, const QString& title) {
    if (messageHandler()) messageHandler()(withVisibleNuls(text), withVisibleNuls(title));
}

MessageHandler setMessageHandler(MessageHandler handler) {
    return std::exchange(messageHandler(), std::move(handler));
}

QString applicationTitle() {
    const QString name = QCoreApplication::applicationName();
    return name.isEmpty() ? QStringLiteral("Tavrin") : name;
}

void ShowStatus(const QString& text) {
    if (statusHandler()) statusHandler()(text);
}

StatusHandler setStatusHandler(StatusHandler handler) {
    return std::exchange(statusHandler(), std::move(handler));
}

void ShowWorkStatus(bool show, const QString& text) {
    if (workStatusHandler())
        workStatusHandler()(show, text);
    else
        ShowStatus(show ? text : QString());
}

WorkStatusHandler setWorkStatusHandler(WorkStatusHandler handler) {
    return std::exchange(workStatusHandler(), std::move(handler));
}

}  // namespace tav::core
