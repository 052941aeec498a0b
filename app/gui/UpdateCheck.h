#pragma once

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QObject>
#include <QString>
#include <QTimer>
#include <chrono>
#include <functional>

class QNetworkReply;
class QUrl;

namespace tav::gui {

// The maker's web server, from TAVRIN_UPDATE_SERVER; a host that never resolves by default,
// so that an unconfigured check fails the way an unreachable server does.
QString TavrinWebServer();

// The check for a newer version: fetches the version file of the running major release from the
// maker's server and compares it with the running version: only a later one is an update. It
// stays on that server (a redirect to another server fails it), reads at most 64 KB and gives up
// when its time limit has passed.
class UpdateCheck final : public QObject {
public:
    enum Outcome { Failed, UpToDate, UpdateAvailable };
    static constexpr std::chrono::milliseconds kLimit{10000};

    // Starts a check without waiting: `done` is called once, from the event loop, unless
    // `context`, which owns the check, goes first.
    static void start(const QString& server, const QString& running, QObject* context,
                      std::function<void(Outcome)> done, std::chrono::milliseconds limit = kLimit);

    // The same check, waited for (its events run meanwhile, but no user input).
    static Outcome wait(const QString& server, const QString& running);

private:
    UpdateCheck(QObject* context, std::function<void(Outcome)> done);
    void fetch(const QUrl& url, const QString& running, std::chrono::milliseconds limit);
    // The body so far; an answer longer than any version file is given up on at once.
    void take();
    Outcome outcome() const;
    void finish(Outcome outcome);

    static constexpr qint64 kLargestAnswer = 64 * 1024;

    QNetworkAccessManager network_{this};
    QNetworkReply* reply_ = nullptr;  // owned by network_
    QTimer deadline_{this};
    QByteArray body_;
    QString running_;
    std::function<void(Outcome)> done_;
    bool finished_ = false;
};

}  // namespace tav::gui
