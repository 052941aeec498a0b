#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <optional>

#include "GuiSeams.h"
#include "TVAbout.h"

namespace {

// One HTTP answer, given by a server on 127.0.0.1 to every request.
struct Answer {
    QByteArray status = "200 OK";
    QByteArray body;
    bool withLength = true;
};

class VersionServer : public QTcpServer {
public:
    VersionServer() {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    request += socket->readAll();
                    if (!request.contains("\r\n\r\n")) return;
                    QByteArray reply = "HTTP/1.1 " + answer.status + "\r\nConnection: close\r\n";
                    if (answer.withLength)
                        reply +=
                            "Content-Length: " + QByteArray::number(answer.body.size()) + "\r\n";
                    socket->write(reply + "\r\n" + answer.body);
                    socket->disconnectFromHost();
                });
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
    }
    Answer answer;
    QByteArray request;
};

class AboutAndUpdate : public testing::Test {
protected:
    void SetUp() override {
        saved_ = guiSeams();
        savedAbout_ = aboutSeams();
        savedServer_ = qgetenv("TAVRIN_UPDATE_SERVER");
        guiSeams().message = [this](QWidget*, const QString& text, const QString& title,
                                    QMessageBox::Icon) { messages << title + u'|' + text; };
        aboutSeams().openUrl = [this](const QUrl& url) { opened << url.toString(); };
        ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
        qputenv("TAVRIN_UPDATE_SERVER",
                "http://127.0.0.1:" + QByteArray::number(server.serverPort()));
    }
    void TearDown() override {
        if (TVUpdate::current()) TVUpdate::current()->close();
        guiSeams() = saved_;
        aboutSeams() = savedAbout_;
        qputenv("TAVRIN_UPDATE_SERVER", savedServer_);
    }

    QStringList messages;
    QStringList opened;
    VersionServer server;
    QMainWindow window;

private:
    GuiSeams saved_;
    AboutSeams savedAbout_;
    QByteArray savedServer_;
};

TEST_F(AboutAndUpdate, AboutShowsTheVersionAndReportsAMissingSystemInformationTool) {
    AddHelpMenu(&window);
    window.findChild<QAction*>("miHAbout")->trigger();
    auto* about = window.findChild<TVAbout*>("TVAbout");
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isVisible());
    EXPECT_EQ(about->windowTitle(), "About Tavrin Extract");
    EXPECT_EQ(about->lblTitle->text(), "Tavrin - Extract");
    EXPECT_EQ(about->lblVersion->text(), "Version 4.0.0");

    about->cmdSysInfo->click();
    EXPECT_EQ(messages, QStringList{"|System Information Is Unavailable At This Time"});

    // A registered tool is started; one that will not start is reported as missing.
    QStringList started;
    aboutSeams().readKeyValue = [](const QString&, const QString& key, const QString& value) {
        return key.endsWith("MSINFO") && value == "PATH" ? std::optional<QString>("/opt/sysinfo")
                                                         : std::nullopt;
    };
    aboutSeams().startProgram = [&started](const QString& program) {
        started << program;
        return started.size() == 1;
    };
    about->cmdSysInfo->click();
    about->cmdSysInfo->click();
    EXPECT_EQ(started, QStringList({"/opt/sysinfo", "/opt/sysinfo"}));
    EXPECT_EQ(messages.size(), 2);

    about->cmdOK->click();
    EXPECT_FALSE(about->isVisible());
    window.findChild<QAction*>("miHelp")->trigger();
    ASSERT_EQ(opened.size(), 1);
    EXPECT_TRUE(opened[0].endsWith("help/index.html"));
}

TEST_F(AboutAndUpdate, UpdateCheckComparesTheServersVersionWithTheProgramsOwn) {
    const QString failed =
        "Check for Updates|Unable to check for update.  Please check for updates again later.";
    const QString upToDate =
        "Check For Updates|No updates are available.  Your product is fully up to date.";
    const QString notice = "notice";
    struct Case {
        const char* name;
        Answer answer;
        QString expected;
    };
    const Case cases[] = {
        {"same version", {"200 OK", "4.0.0", true}, upToDate},
        {"newer version", {"200 OK", "4.0.1", true}, notice},
        {"any difference counts", {"200 OK", "4.0.0\r\n", true}, notice},
        {"long page", {"200 OK", QByteArray(101, 'x'), true}, failed},
        {"long error page", {"404 Not Found", QByteArray(300, 'x'), true}, failed},
        {"short error page", {"404 Not Found", "Not found", true}, failed},
        {"no length header", {"200 OK", "4.0.1", false}, failed},
        {"empty answer", {"200 OK", "", true}, failed},
    };
    AddHelpMenu(&window);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        server.answer = c.answer;
        server.request.clear();
        messages.clear();
        window.findChild<QAction*>("mnuUpdate")->trigger();
        EXPECT_TRUE(server.request.startsWith("GET /Downloads/latestVersion-TV4.txt "));
        const bool shown = TVUpdate::current() && TVUpdate::current()->isVisible();
        EXPECT_EQ(shown ? QStringList{notice} : messages, QStringList{c.expected});
        EXPECT_EQ(window.cursor().shape(), Qt::ArrowCursor);
        if (shown) {
            EXPECT_EQ(TVUpdate::current()->windowTitle(), "Check For Updates");
            TVUpdate::current()->close();
        }
    }
}

TEST_F(AboutAndUpdate, AnUnreachableServerFailsTheCheckGracefully) {
    const quint16 port = server.serverPort();
    server.close();  // nothing listens there any more
    EXPECT_EQ(CheckForUpdate(QStringLiteral("http://127.0.0.1:%1").arg(port), "4.0.0"),
              UpdateCheck::Failed);
    mnuUpdate_Click(&window);
    EXPECT_EQ(messages, QStringList{"Check for Updates|Unable to check for update.  Please check "
                                    "for updates again later."});
    EXPECT_EQ(window.cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(TVUpdate::current(), nullptr);
}

TEST_F(AboutAndUpdate, TheNoticeOpensTheDownloadPage) {
    TVUpdate& notice = TVUpdate::showFor(&window);
    EXPECT_EQ(notice.lblMessage->text(),
              "An update is available!  Please download the latest version from:");
    EXPECT_EQ(notice.lblLink->text(),
              "http://127.0.0.1:" + QString::number(server.serverPort()) + "/Downloads/");
    QMouseEvent click(QEvent::MouseButtonRelease, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton,
                      Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(notice.lblLink, &click);
    EXPECT_EQ(opened, QStringList{notice.lblLink->text()});
}

}  // namespace
