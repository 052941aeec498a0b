#include "AboutDialog.h"

#include <QApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QVersionNumber>
#include <algorithm>
#include <memory>

#include "GuiSeams.h"
#include "HelpWindow.h"
#include "ProgramSettings.h"
#include "Version.h"

namespace tav::gui {

using namespace core;

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

// A label that answers a click or a double click, as the windows' link labels do.
class ClickLabel : public QLabel {
public:
    using QLabel::QLabel;
    std::function<void()> onClick;
    std::function<void()> onDoubleClick;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (onClick && event->button() == Qt::LeftButton) onClick();
        QLabel::mouseReleaseEvent(event);
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        if (onDoubleClick) onDoubleClick();
        QLabel::mouseDoubleClickEvent(event);
    }
};

ClickLabel* linkLabel(const QString& name, const QString& text, QWidget* parent) {
    auto* label = new ClickLabel(text, parent);
    label->setObjectName(name);
    label->setCursor(Qt::PointingHandCursor);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    label->setPalette(palette);
    return label;
}

QString downloadPage() { return TavrinWebServer() + QStringLiteral("/Downloads/"); }

void tell(QWidget* owner, const QString& text, const QString& title) {
    guiSeams().message(owner, text, title, QMessageBox::NoIcon);
}

}  // namespace

QString TavrinVersionText() { return core::versionText(); }

QString TavrinWebServer() {
    QString server = qEnvironmentVariable("TAVRIN_UPDATE_SERVER", QLatin1String(kDefaultServer));
    while (server.endsWith(u'/')) server.chop(1);
    return server;
}

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent, Qt::Window) {
    setObjectName(QStringLiteral("TVAbout"));
    setWindowTitle(QStringLiteral("About Tavrin Extract"));
    lblTitle = new QLabel(QStringLiteral("Tavrin - Extract"), this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont big = lblTitle->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    lblTitle->setFont(big);
    lblVersion = new QLabel(QStringLiteral("Version ") + TavrinVersionText(), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    auto* web = linkLabel(QStringLiteral("Label4"), TavrinWebServer() + u'/', this);
    web->onDoubleClick = [web] { guiSeams().openUrl(QUrl(web->text()), {}); };
    Label4 = web;
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::close);
    cmdSysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    connect(cmdSysInfo, &QPushButton::clicked, this, [this] { StartSysInfo(); });

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdSysInfo);
    buttons->addStretch();
    auto* text = new QVBoxLayout;
    text->addWidget(lblTitle);
    text->addWidget(lblVersion);
    text->addWidget(Label4);
    text->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(text, 1);
    layout->addLayout(buttons);
}

AboutDialog& AboutDialog::showFor(QWidget* owner) {
    static QPointer<AboutDialog> box;
    if (!box) box = new AboutDialog(owner);
    box->show();
    box->raise();
    return *box;
}

bool AboutDialog::GetKeyValue(const QString& KeyRoot, const QString& KeyName,
                              const QString& SubKeyRef, QString& KeyVal) {
    const std::optional<QString> value = guiSeams().readKeyValue(KeyRoot, KeyName, SubKeyRef);
    if (!value) return false;
    KeyVal = *value;
    return true;
}

void AboutDialog::StartSysInfo() {
    const QString root = QStringLiteral("HKEY_LOCAL_MACHINE");
    QString program;
    if (!GetKeyValue(root, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                     QStringLiteral("PATH"), program)) {
        QString folder;
        if (GetKeyValue(root, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location"),
                        QStringLiteral("MSINFO"), folder) &&
            QFileInfo::exists(folder + QStringLiteral("\\MSINFO32.EXE")))
            program = folder + QStringLiteral("\\MSINFO32.EXE");
    }
    if (program.isEmpty() || !guiSeams().startProgram(program))
        tell(this, QStringLiteral("System Information Is Unavailable At This Time"), QString());
}

UpdateNoticeDialog::UpdateNoticeDialog(QWidget* parent) : QDialog(parent, Qt::Window) {
    setObjectName(QStringLiteral("TVUpdate"));
    setWindowTitle(QStringLiteral("Check For Updates"));
    lblMessage = new QLabel(
        QStringLiteral("An update is available!  Please download the latest version from:"), this);
    lblMessage->setObjectName(QStringLiteral("lblMessage"));
    auto* link = linkLabel(QStringLiteral("lblLink"), downloadPage(), this);
    link->onClick = [link] { guiSeams().openUrl(QUrl(link->text()), {}); };
    lblLink = link;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblMessage);
    layout->addWidget(lblLink);
    resize(413, 139);  // 6195 by 2085 twips
}

namespace {
QPointer<UpdateNoticeDialog>& updateNotice() {
    static QPointer<UpdateNoticeDialog> notice;
    return notice;
}
}  // namespace

UpdateNoticeDialog& UpdateNoticeDialog::showFor(QWidget* owner) {
    if (!updateNotice()) updateNotice() = new UpdateNoticeDialog(owner);
    updateNotice()->show();
    updateNotice()->raise();
    return *updateNotice();
}

UpdateNoticeDialog* UpdateNoticeDialog::current() { return updateNotice(); }

namespace {

// One update check in flight. It belongs to the object that asked for it, so a window that
// closes takes its check with it, and it reports once, from the event loop.
class UpdateCheckRun final : public QObject {
public:
    UpdateCheckRun(QObject* context, std::function<void(UpdateCheck)> done)
        : QObject(context), done_(std::move(done)) {
        deadline_.setSingleShot(true);
        connect(&deadline_, &QTimer::timeout, this, [this] { finish(UpdateCheck::Failed); });
    }

    void start(const QUrl& url, const QString& running, std::chrono::milliseconds limit) {
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

private:
    // The body so far; an answer longer than any version file is given up on at once.
    void take() {
        if (finished_) return;
        body_ += reply_->read(kLargestAnswer + 1 - body_.size());
        if (body_.size() > kLargestAnswer) finish(UpdateCheck::Failed);
    }

    UpdateCheck outcome() const {
        // An error page (404 and the like) is no version file, however short it is.
        if (reply_->error() != QNetworkReply::NoError) return UpdateCheck::Failed;
        const QByteArray version = body_.trimmed();
        if (!isVersionText(version)) return UpdateCheck::Failed;
        return QString::fromLatin1(version) == running_ ? UpdateCheck::UpToDate
                                                        : UpdateCheck::UpdateAvailable;
    }

    void finish(UpdateCheck outcome) {
        if (finished_) return;
        finished_ = true;
        deadline_.stop();
        if (reply_) {
            reply_->disconnect(this);
            reply_->abort();
        }
        deleteLater();
        if (done_) done_(outcome);
    }

    static constexpr qint64 kLargestAnswer = 64 * 1024;

    QNetworkAccessManager network_{this};
    QNetworkReply* reply_ = nullptr;  // owned by network_
    QTimer deadline_{this};
    QByteArray body_;
    QString running_;
    std::function<void(UpdateCheck)> done_;
    bool finished_ = false;
};

}  // namespace

void StartUpdateCheck(const QString& server, const QString& running, QObject* context,
                      std::function<void(UpdateCheck)> done, std::chrono::milliseconds limit) {
    const QString major = running.section(u'.', 0, 0);
    auto* run = new UpdateCheckRun(context, std::move(done));
    run->start(QUrl(server + QStringLiteral("/Downloads/latestVersion-TV") + major +
                    QStringLiteral(".txt")),
               running, limit);
}

UpdateCheck CheckForUpdate(const QString& server, const QString& running) {
    QEventLoop wait;
    UpdateCheck outcome = UpdateCheck::Failed;
    StartUpdateCheck(server, running, &wait, [&](UpdateCheck result) {
        outcome = result;
        wait.quit();
    });
    wait.exec(QEventLoop::ExcludeUserInputEvents);
    return outcome;
}

void checkForUpdates(QWidget* owner) {
    // The check runs while the window goes on; its outcome comes when the answer does.
    owner->setCursor(Qt::WaitCursor);
    StartUpdateCheck(TavrinWebServer(), TavrinVersionText(), owner, [owner](UpdateCheck outcome) {
        owner->unsetCursor();
        switch (outcome) {
            case UpdateCheck::Failed:
                tell(owner,
                     QStringLiteral(
                         "Unable to check for update.  Please check for updates again later."),
                     QStringLiteral("Check for Updates"));
                break;
            case UpdateCheck::UpToDate:
                tell(owner,
                     QStringLiteral("No updates are available.  Your product is fully up to date."),
                     QStringLiteral("Check For Updates"));
                break;
            case UpdateCheck::UpdateAvailable:
                UpdateNoticeDialog::showFor(owner);
                break;
        }
    });
}

void AddHelpMenu(QMainWindow* window) {
    auto* help = window->menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("munHelp"));
    auto* helpFile = help->addAction(QStringLiteral("&Help"));
    helpFile->setObjectName(QStringLiteral("miHelp"));
    QObject::connect(helpFile, &QAction::triggered, window, &ShowHelp);
    auto* update = help->addAction(QStringLiteral("Check for Updates"));
    update->setObjectName(QStringLiteral("mnuUpdate"));
    QObject::connect(update, &QAction::triggered, window, [window] { checkForUpdates(window); });
    auto* about = help->addAction(QStringLiteral("&About"));
    about->setObjectName(QStringLiteral("miHAbout"));
    QObject::connect(about, &QAction::triggered, window,
                     [window] { AboutDialog::showFor(window); });
}

}  // namespace tav::gui
