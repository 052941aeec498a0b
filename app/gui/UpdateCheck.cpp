#include "UpdateCheck.h"

#include <QEventLoop>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QStringList>
#include <QUrl>
#include <algorithm>

namespace tav::gui {

namespace {

constexpr auto kDefaultServer = "http://www.tavrin.invalid";

// A version file holds a version and nothing else: numbers joined by dots ("4.0.1"), blanks and
// line ends around it aside. Anything else (an error page, a portal's login page, bytes that are
// no text) tells nothing of an update.
bool isVersionText(const QByteArray& text) {
    if (text.isEmpty() || text.startsWith('.') || text.endsWith('.') || text.contains(".."))
        return false;
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return c == '.' || (c >= '0' && c <= '9'); });
}

// Whether `offered` is a later version than `running`: their numbers compared in order, however
// many digits they have, a missing number counting as 0 ("4.0" is "4.0.0"). Only a later version
// is an update: a server that still offers an older release tells of none.
bool isNewer(const QString& offered, const QString& running) {
    const QStringList theirs = offered.split(u'.');
    const QStringList ours = running.split(u'.');
    const auto number = [](const QStringList& numbers, qsizetype i) {
        QString digits = i < numbers.size() ? numbers[i] : QString();
        while (digits.startsWith(u'0')) digits.remove(0, 1);
        return digits;
    };
    for (qsizetype i = 0; i < std::max(theirs.size(), ours.size()); ++i) {
        const QString a = number(theirs, i);
        const QString b = number(ours, i);
        if (a.size() != b.size()) return a.size() > b.size();
        if (a != b) return a > b;
    }
    return false;
}

}  // namespace

QString TavrinWebServer() {
    QString server = qEnvironmentVariable("TAVRIN_UPDATE_SERVER", QLatin1String(kDefaultServer));
    while (server.endsWith(u'/')) server.chop(1);
    return server;
}

UpdateCheck::UpdateCheck(QObject* context, std::function<void(Outcome)> done)
    : QObject(context), done_(std::move(done)) {
    deadline_.setSingleShot(true);
    connect(&deadline_, &QTimer::timeout, this, [this] { finish(Failed); });
}

void UpdateCheck::start(const QString& server, const QString& running, QObject* context,
                        std::function<void(Outcome)> done, std::chrono::milliseconds limit) {
    const QString major = running.section(u'.', 0, 0);
    // Owned by `context`, so that a window that closes takes its check with it.
    auto* check = new UpdateCheck(context, std::move(done));
    check->fetch(QUrl(server + QStringLiteral("/Downloads/latestVersion-TV") + major +
                      QStringLiteral(".txt")),
                 running, limit);
}

UpdateCheck::Outcome UpdateCheck::wait(const QString& server, const QString& running) {
    QEventLoop loop;
    Outcome outcome = Failed;
    start(server, running, &loop, [&](Outcome result) {
        outcome = result;
        loop.quit();
    });
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    return outcome;
}

void UpdateCheck::fetch(const QUrl& url, const QString& running, std::chrono::milliseconds limit) {
    running_ = running;
    QNetworkRequest request(url);
    // A redirect may move within the configured server, never to another one.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::SameOriginRedirectPolicy);
    reply_ = network_.get(request);
    // What the answer may not hold stays at the socket, whether its length is told or not.
    reply_->setReadBufferSize(kLargestAnswer + 1);
    connect(reply_, &QNetworkReply::readyRead, this, [this] { take(); });
    connect(reply_, &QNetworkReply::finished, this, [this] {
        take();
        if (!finished_) finish(outcome());
    });
    deadline_.start(limit);
}

void UpdateCheck::take() {
    if (finished_) return;
    body_ += reply_->read(kLargestAnswer + 1 - body_.size());
    if (body_.size() > kLargestAnswer) finish(Failed);
}

UpdateCheck::Outcome UpdateCheck::outcome() const {
    // An error page (404 and the like) is no version file, however short it is.
    if (reply_->error() != QNetworkReply::NoError) return Failed;
    const QByteArray version = body_.trimmed();
    if (!isVersionText(version)) return Failed;
    return isNewer(QString::fromLatin1(version), running_) ? UpdateAvailable : UpToDate;
}

void UpdateCheck::finish(Outcome outcome) {
    if (finished_) return;
    finished_ = true;
    deadline_.stop();
    if (reply_) {
        reply_->disconnect(this);
        reply_->abort();
    }
    // It reports once, from the event loop, and goes.
    deleteLater();
    if (done_) done_(outcome);
}

}  // namespace tav::gui
