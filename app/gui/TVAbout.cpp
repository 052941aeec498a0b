#include "TVAbout.h"

#include <QApplication>
#include <QDesktopServices>
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
#include <QProcess>
#include <QPushButton>
#include <QVBoxLayout>
#include <QVersionNumber>
#include <memory>

#include "GuiSeams.h"
#include "TVSettingsStore.h"

extern const char* const kTavrinVersion;

namespace {

constexpr auto kDefaultServer = "http://www.tavrin.invalid";
// A version file is a few characters; anything longer is an error page.
constexpr qlonglong kLongestVersionFile = 100;
constexpr int kRequestTimeoutMs = 5000;

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

AboutSeams realSeams() {
    AboutSeams seams;
    seams.openUrl = [](const QUrl& url) { QDesktopServices::openUrl(url); };
    // No System Information tool is registered on this platform.
    seams.readKeyValue = [](const QString&, const QString&,
                            const QString&) -> std::optional<QString> { return std::nullopt; };
    seams.startProgram = [](const QString& program) {
        return QProcess::startDetached(program, {});
    };
    return seams;
}

void tell(QWidget* owner, const QString& text, const QString& title) {
    guiSeams().message(owner, text, title, QMessageBox::NoIcon);
}

}  // namespace

AboutSeams& aboutSeams() {
    static AboutSeams seams = realSeams();
    return seams;
}

QString TavrinVersionText() {
    return QVersionNumber::fromString(QLatin1StringView(kTavrinVersion)).toString();
}

QString TavrinWebServer() {
    QString server = qEnvironmentVariable("TAVRIN_UPDATE_SERVER", QLatin1String(kDefaultServer));
    while (server.endsWith(u'/')) server.chop(1);
    return server;
}

TVAbout::TVAbout(QWidget* parent) : QDialog(parent, Qt::Window) {
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
    web->onDoubleClick = [web] { aboutSeams().openUrl(QUrl(web->text())); };
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

TVAbout& TVAbout::showFor(QWidget* owner) {
    static QPointer<TVAbout> box;
    if (!box) box = new TVAbout(owner);
    box->show();
    box->raise();
    return *box;
}

bool TVAbout::GetKeyValue(const QString& KeyRoot, const QString& KeyName, const QString& SubKeyRef,
                          QString& KeyVal) {
    const std::optional<QString> value = aboutSeams().readKeyValue(KeyRoot, KeyName, SubKeyRef);
    if (!value) return false;
    KeyVal = *value;
    return true;
}

void TVAbout::StartSysInfo() {
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
    if (program.isEmpty() || !aboutSeams().startProgram(program))
        tell(this, QStringLiteral("System Information Is Unavailable At This Time"), QString());
}

TVUpdate::TVUpdate(QWidget* parent) : QDialog(parent, Qt::Window) {
    setObjectName(QStringLiteral("TVUpdate"));
    setWindowTitle(QStringLiteral("Check For Updates"));
    lblMessage = new QLabel(
        QStringLiteral("An update is available!  Please download the latest version from:"), this);
    lblMessage->setObjectName(QStringLiteral("lblMessage"));
    auto* link = linkLabel(QStringLiteral("lblLink"), downloadPage(), this);
    link->onClick = [link] { aboutSeams().openUrl(QUrl(link->text())); };
    lblLink = link;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblMessage);
    layout->addWidget(lblLink);
    resize(413, 139);  // 6195 by 2085 twips
}

namespace {
QPointer<TVUpdate>& updateNotice() {
    static QPointer<TVUpdate> notice;
    return notice;
}
}  // namespace

TVUpdate& TVUpdate::showFor(QWidget* owner) {
    if (!updateNotice()) updateNotice() = new TVUpdate(owner);
    updateNotice()->show();
    updateNotice()->raise();
    return *updateNotice();
}

TVUpdate* TVUpdate::current() { return updateNotice(); }

UpdateCheck CheckForUpdate(const QString& server, const QString& running) {
    const QString major = running.section(u'.', 0, 0);
    QNetworkRequest request(QUrl(server + QStringLiteral("/Downloads/latestVersion-TV") + major +
                                 QStringLiteral(".txt")));
    request.setTransferTimeout(kRequestTimeoutMs);
    QNetworkAccessManager network;
    std::unique_ptr<QNetworkReply> reply(network.get(request));
    QEventLoop wait;
    QObject::connect(reply.get(), &QNetworkReply::finished, &wait, &QEventLoop::quit);
    if (!reply->isFinished()) wait.exec(QEventLoop::ExcludeUserInputEvents);

    // An error page (404 and the like) is no version file, however short it is.
    if (reply->error() != QNetworkReply::NoError) return UpdateCheck::Failed;
    const QString body = QString::fromUtf8(reply->readAll());
    bool numeric = false;
    const qlonglong length = reply->rawHeader("content-length").trimmed().toLongLong(&numeric);
    if (!numeric) return UpdateCheck::Failed;
    if (!body.isEmpty() && length > kLongestVersionFile) return UpdateCheck::Failed;
    // An empty answer names no version: it cannot tell of an update.
    if (body.isEmpty()) return UpdateCheck::Failed;
    return body == running ? UpdateCheck::UpToDate : UpdateCheck::UpdateAvailable;
}

void mnuUpdate_Click(QWidget* owner) {
    owner->setCursor(Qt::WaitCursor);
    const UpdateCheck outcome = CheckForUpdate(TavrinWebServer(), TavrinVersionText());
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
            TVUpdate::showFor(owner);
            break;
    }
}

void AddHelpMenu(QMainWindow* window) {
    auto* help = window->menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("munHelp"));
    auto* helpFile = help->addAction(QStringLiteral("&Help"));
    helpFile->setObjectName(QStringLiteral("miHelp"));
    QObject::connect(helpFile, &QAction::triggered, window, [] {
        aboutSeams().openUrl(QUrl::fromLocalFile(globalSettingsStore().programFolder() +
                                                 QStringLiteral("help/index.html")));
    });
    auto* update = help->addAction(QStringLiteral("Check for Updates"));
    update->setObjectName(QStringLiteral("mnuUpdate"));
    QObject::connect(update, &QAction::triggered, window, [window] { mnuUpdate_Click(window); });
    auto* about = help->addAction(QStringLiteral("&About"));
    about->setObjectName(QStringLiteral("miHAbout"));
    QObject::connect(about, &QAction::triggered, window, [window] { TVAbout::showFor(window); });
}
