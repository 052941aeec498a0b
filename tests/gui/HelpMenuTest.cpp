#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QMainWindow>
#include <QMouseEvent>
#include <QNetworkReply>
#include <QPointer>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <optional>

#include "AboutDialog.h"
#include "GuiSeams.h"
#include "GuiTestSupport.h"
#include "HelpMenu.h"
#include "ProgramSettings.h"
#include "SettingsStore.h"
#include "UpdateCheck.h"

using namespace tav::gui;

namespace {

// One HTTP answer, given by a server on 127.0.0.1 to every request.
struct Answer {
    Answer(QByteArray status = "200 OK", QByteArray body = {}, bool withLength = true,
           QByteArray headers = {}, bool endless = false, bool held = false, bool chunked = false)
        : status(std::move(status)),
          body(std::move(body)),
          withLength(withLength),
          headers(std::move(headers)),
          endless(endless),
          held(held),
          chunked(chunked) {}
    QByteArray status;
    QByteArray body;
    bool withLength;
    QByteArray headers;  // more header lines, each ending in CR LF
    bool endless;        // the body never ends: digits, as long as the client reads
    bool held;           // no answer until answerHeld()
    bool chunked;        // the body in one chunk, without a length
};

class VersionServer : public QTcpServer {
public:
    VersionServer() {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    request += socket->readAll();
                    if (!request.contains("\r\n\r\n")) return;
                    ++requests;
                    if (answer.held) {
                        held = socket;
                        return;
                    }
                    reply(socket);
                });
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
    }

    void answerHeld() {
        if (held) reply(held);
    }

    void reply(QTcpSocket* socket) {
        // What the client took from its socket: the bytes the system sent on, until it closed.
        // A small send buffer keeps the system from taking much more than the client reads.
        socket->setSocketOption(QAbstractSocket::SendBufferSizeSocketOption, 64 * 1024);
        connect(socket, &QTcpSocket::bytesWritten, this, [this](qint64 bytes) { sent += bytes; });
        QByteArray head =
            "HTTP/1.1 " + answer.status + "\r\nConnection: close\r\n" + answer.headers;
        if (answer.endless) {
            socket->write(head +
                          (answer.withLength ? "Content-Length: 1000000000\r\n\r\n" : "\r\n"));
            // Keeps sending while the client reads; gone when the client gives up.
            const auto more = [socket] {
                if (socket->bytesToWrite() < 64 * 1024) socket->write(QByteArray(16 * 1024, '4'));
            };
            connect(socket, &QTcpSocket::bytesWritten, socket, more);
            more();
            return;
        }
        if (answer.chunked) {
            head += "Transfer-Encoding: chunked\r\n\r\n" +
                    QByteArray::number(answer.body.size(), 16) + "\r\n" + answer.body + "\r\n0\r\n";
        } else if (answer.withLength) {
            head += "Content-Length: " + QByteArray::number(answer.body.size()) + "\r\n";
        }
        socket->write(head + "\r\n" + (answer.chunked ? QByteArray() : answer.body));
        socket->disconnectFromHost();
    }

    Answer answer;
    QByteArray request;
    int requests = 0;
    qint64 sent = 0;
    QPointer<QTcpSocket> held;
};

class AboutAndUpdate : public testing::Test {
protected:
    void SetUp() override {
        savedServer_ = qgetenv("TAVRIN_UPDATE_SERVER");
        guiSeams().message = [this](QWidget*, const QString& text, const QString& title,
                                    QMessageBox::Icon) { messages << title + u'|' + text; };
        guiSeams().openUrl = [this](const QUrl& url, const std::function<void()>&) {
            opened << url.toString();
        };
        ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
        ASSERT_TRUE(other.listen(QHostAddress::LocalHost));
        other.answer = {"200 OK", "4.0.1", true};
        qputenv("TAVRIN_UPDATE_SERVER",
                "http://127.0.0.1:" + QByteArray::number(server.serverPort()));
    }
    void TearDown() override { qputenv("TAVRIN_UPDATE_SERVER", savedServer_); }

    // The update notice that the window's Help menu opened, if any.
    UpdateNoticeDialog* notice() const {
        return window.findChild<UpdateNoticeDialog*>(QStringLiteral("TVUpdate"));
    }
    bool noticeShown() const { return notice() && notice()->isVisible(); }

    // Runs the event loop until the update check has told its outcome: a message or the notice.
    // The wait is long enough for a loaded machine: it ends as soon as the outcome is shown.
    bool outcomeShown() {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 20000) {
            if (!messages.isEmpty() || noticeShown()) return true;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        return false;
    }

    KeptGuiSeams seams_;
    QStringList messages;
    QStringList opened;
    VersionServer server;
    VersionServer other;  // another server, which a redirect must not reach
    QMainWindow window;
    HelpMenu* menu = new HelpMenu(&window);

private:
    QByteArray savedServer_;
};

TEST_F(AboutAndUpdate, AboutShowsTheVersionAndReportsAMissingSystemInformationTool) {
    window.findChild<QAction*>("miHAbout")->trigger();
    auto* about = window.findChild<AboutDialog*>("TVAbout");
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isVisible());
    EXPECT_EQ(about->windowTitle(), "About Tavrin Extract");
    EXPECT_EQ(control<QLabel>(*about, "lblTitle")->text(), "Tavrin - Extract");
    EXPECT_EQ(control<QLabel>(*about, "lblVersion")->text(), "Version 4.0.0");
    // Asked again, the menu brings the same box forward.
    window.findChild<QAction*>("miHAbout")->trigger();
    EXPECT_EQ(window.findChildren<AboutDialog*>().size(), 1);

    auto* sysInfo = control<QPushButton>(*about, "cmdSysInfo");
    sysInfo->click();
    EXPECT_EQ(messages, QStringList{"|System Information Is Unavailable At This Time"});

    // A registered tool is started; one that will not start is reported as missing.
    QStringList started;
    guiSeams().readKeyValue = [](const QString&, const QString& key, const QString& value) {
        return key.endsWith("MSINFO") && value == "PATH" ? std::optional<QString>("/opt/sysinfo")
                                                         : std::nullopt;
    };
    guiSeams().startProgram = [&started](const QString& program) {
        started << program;
        return started.size() == 1;
    };
    sysInfo->click();
    sysInfo->click();
    EXPECT_EQ(started, QStringList({"/opt/sysinfo", "/opt/sysinfo"}));
    EXPECT_EQ(messages.size(), 2);

    control<QPushButton>(*about, "cmdOK")->click();
    EXPECT_FALSE(about->isVisible());
}

// The manual opens on the desktop, or in a window of the program's own where the desktop cannot
// open it; without the manual, Help opens nothing at all.
TEST_F(AboutAndUpdate, HelpOpensTheManualAndNothingWithoutIt) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("bare/help")));
    guiSeams().openUrl = [this](const QUrl& url, const std::function<void()>& failed) {
        opened << url.toString();
        failed();  // the desktop has nothing that opens it
    };
    const struct {
        QString programFolder;
        bool opens;
    } cases[] = {{QStringLiteral(TAV_RESOURCES), true},
                 {dir.filePath(QStringLiteral("bare")), false},  // help/ without its index
                 {dir.filePath(QStringLiteral("none")), false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.programFolder.toStdString());
        programSettings().setStore(std::make_unique<tav::core::SettingsStore>(
            dir.filePath(QStringLiteral("Tavrin.conf")), c.programFolder));
        opened.clear();
        HelpMenu menu(&window);
        menu.showHelp();
        const auto* help = openWindow<QWidget>("TVHelp");
        if (c.opens) {
            EXPECT_EQ(
                opened,
                QStringList{QUrl::fromLocalFile(c.programFolder + "/help/index.html").toString()});
            ASSERT_NE(help, nullptr);
            EXPECT_TRUE(help->isVisible());
        } else {
            EXPECT_TRUE(opened.isEmpty());
            EXPECT_EQ(help, nullptr);
        }
    }
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
        {"blanks around the version are no part of it", {"200 OK", " 4.0.0\r\n", true}, upToDate},
        {"a missing number counts as 0", {"200 OK", "4.0", true}, upToDate},
        {"an older version is no update", {"200 OK", "3.9.9", true}, upToDate},
        {"numbers compare as numbers", {"200 OK", "4.0.10", true}, notice},
        {"a newer minor version", {"200 OK", "4.1", true}, notice},
        {"a newer major version", {"200 OK", "5.0.0", true}, notice},
        {"leading zeros", {"200 OK", "004.00.0001", true}, notice},
        {"long page", {"200 OK", QByteArray(101, 'x'), true}, failed},
        {"long error page", {"404 Not Found", QByteArray(300, 'x'), true}, failed},
        {"short error page", {"404 Not Found", "Not found", true}, failed},
        {"no length header", {"200 OK", "4.0.1", false}, notice},
        {"empty answer", {"200 OK", "", true}, failed},
        {"a redirect to another server",
         {"302 Found", "", true,
          "Location: http://127.0.0.1:" + QByteArray::number(other.serverPort()) +
              "/Downloads/latestVersion-TV4.txt\r\n"},
         failed},
        {"an answer without end", {"200 OK", "", true, "", true}, failed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // The last case's check is gone, as the program's event loop takes it once it has told
        // its outcome.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ASSERT_EQ(menu->findChild<QNetworkAccessManager*>(), nullptr);
        server.answer = c.answer;
        server.request.clear();
        messages.clear();
        server.requests = 0;
        window.findChild<QAction*>("mnuUpdate")->trigger();
        // One check makes one request. The network library may send it again over a new
        // connection when it takes a connection's end for a failure (now and then, on a loaded
        // machine): the server may count that too, the program never asks twice.
        EXPECT_EQ(menu->findChildren<QNetworkReply*>().size(), 1);
        ASSERT_TRUE(outcomeShown());
        EXPECT_TRUE(server.request.startsWith("GET /Downloads/latestVersion-TV4.txt "));
        EXPECT_GE(server.requests, 1);
        const bool shown = noticeShown();
        EXPECT_EQ(shown ? QStringList{notice} : messages, QStringList{c.expected});
        EXPECT_EQ(window.cursor().shape(), Qt::ArrowCursor);
        if (shown) {
            EXPECT_EQ(this->notice()->windowTitle(), "Check For Updates");
            this->notice()->close();
        }
    }
    // The one notice was brought forward each time.
    EXPECT_EQ(window.findChildren<UpdateNoticeDialog*>().size(), 1);
    EXPECT_EQ(other.requests, 0);
}

// Only an answer that reads as a version tells of an update; whatever the server sends, the check
// takes at most 64 KB of it from the socket.
TEST_F(AboutAndUpdate, OnlyAVersionCountsAndLongAnswersAreLeftUnread) {
    const struct {
        const char* name;
        Answer answer;
        UpdateCheck::Outcome expected;
    } cases[] = {
        {"an HTML page",
         {"200 OK", "<html><body>Sign in first</body></html>", true},
         UpdateCheck::Failed},
        {"bytes that are no text",
         {"200 OK",
          "4.\xff\xfe"
          "0",
          true},
         UpdateCheck::Failed},
        {"a version and more", {"200 OK", "4.0.1 beta", true}, UpdateCheck::Failed},
        {"digits without end, with a length", {"200 OK", "", true, "", true}, UpdateCheck::Failed},
        {"digits without end or length", {"200 OK", "", false, "", true}, UpdateCheck::Failed},
        {"a chunked version",
         {"200 OK", "4.0.0", false, "", false, false, true},
         UpdateCheck::UpToDate},
        {"a chunked newer version",
         {"200 OK", "4.1", false, "", false, false, true},
         UpdateCheck::UpdateAvailable},
        {"10 MB of digits", {"200 OK", QByteArray(10 << 20, '4'), true}, UpdateCheck::Failed},
        {"10 MB of digits, chunked",
         {"200 OK", QByteArray(10 << 20, '4'), false, "", false, false, true},
         UpdateCheck::Failed},
    };
    const QString address = QStringLiteral("http://127.0.0.1:%1").arg(server.serverPort());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        server.answer = c.answer;
        server.sent = 0;
        EXPECT_EQ(UpdateCheck::wait(address, "4.0.0"), c.expected);
        // The socket buffers of the system take more than 64 KB, as much as a few megabytes on a
        // busy machine, but far from 10 MB.
        EXPECT_LT(server.sent, 4 << 20);
    }
}

TEST_F(AboutAndUpdate, AnUnreachableServerFailsTheCheckGracefully) {
    const quint16 port = server.serverPort();
    server.close();  // nothing listens there any more
    EXPECT_EQ(UpdateCheck::wait(QStringLiteral("http://127.0.0.1:%1").arg(port), "4.0.0"),
              UpdateCheck::Failed);
    menu->checkForUpdates();
    ASSERT_TRUE(outcomeShown());
    EXPECT_EQ(messages, QStringList{"Check for Updates|Unable to check for update.  Please check "
                                    "for updates again later."});
    EXPECT_EQ(window.cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(notice(), nullptr);
}

// The window goes on while the server is slow; a server that does not answer in time fails the
// check.
TEST_F(AboutAndUpdate, TheCheckNeverHoldsTheWindowAndGivesUpInTime) {
    server.answer = {"200 OK", "4.0.0", true, "", false, true};
    menu->checkForUpdates();
    EXPECT_EQ(window.cursor().shape(), Qt::WaitCursor);
    QElapsedTimer clock;
    clock.start();
    while (server.requests == 0 && clock.elapsed() < 5000) QCoreApplication::processEvents();
    EXPECT_TRUE(messages.isEmpty());
    server.answerHeld();
    ASSERT_TRUE(outcomeShown());
    EXPECT_EQ(messages, QStringList{"Check For Updates|No updates are available.  Your product "
                                    "is fully up to date."});
    EXPECT_EQ(window.cursor().shape(), Qt::ArrowCursor);

    std::optional<UpdateCheck::Outcome> outcome;
    UpdateCheck::start(
        QStringLiteral("http://127.0.0.1:%1").arg(server.serverPort()), "4.0.0", &window,
        [&outcome](UpdateCheck::Outcome result) { outcome = result; },
        std::chrono::milliseconds(200));
    while (!outcome && clock.elapsed() < 10000) QCoreApplication::processEvents();
    EXPECT_EQ(outcome, UpdateCheck::Failed);
}

// Both windows' addresses look like links and open as links do: on one click.
TEST_F(AboutAndUpdate, TheAddressesOpenOnOneClick) {
    const auto click = [](QLabel* label) {
        for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                              Qt::NoModifier);
            QCoreApplication::sendEvent(label, &event);
        }
    };
    const QString server = "http://127.0.0.1:" + QString::number(this->server.serverPort());
    UpdateNoticeDialog notice(&window);
    EXPECT_EQ(control<QLabel>(notice, "lblMessage")->text(),
              "An update is available!  Please download the latest version from:");
    auto* link = control<QLabel>(notice, "lblLink");
    EXPECT_EQ(link->text(), server + "/Downloads/");
    click(link);
    EXPECT_EQ(opened, QStringList{server + "/Downloads/"});

    opened.clear();
    AboutDialog about(&window);
    click(control<QLabel>(about, "Label4"));
    EXPECT_EQ(opened, QStringList{server + "/"});
}

// A user without a mouse reaches the About box's address by Tab, after its buttons, and opens it
// with Enter or Space; other keys open nothing, and OK keeps the focus when the box opens.
TEST_F(AboutAndUpdate, TheAddressOpensFromTheKeyboard) {
    const QString server = "http://127.0.0.1:" + QString::number(this->server.serverPort());
    AboutDialog about(&window);
    about.show();
    about.activateWindow();
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), control<QPushButton>(about, "cmdOK"));
    for (int press = 0; press < 2; ++press) pressKey(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), control<QLabel>(about, "Label4"));
    for (const Qt::Key key :
         {Qt::Key_A, Qt::Key_Down, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space})
        pressKey(QApplication::focusWidget(), key);
    EXPECT_EQ(opened, QStringList(3, server + "/"));
    EXPECT_TRUE(about.isVisible());
    EXPECT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
}

// A check asked for while one is pending starts nothing: one request, one answer to the user.
TEST_F(AboutAndUpdate, OneCheckAtATime) {
    server.answer = {"200 OK", "4.0.0", true, "", false, true};
    menu->checkForUpdates();
    QElapsedTimer clock;
    clock.start();
    while (server.requests == 0 && clock.elapsed() < 5000) QCoreApplication::processEvents();
    menu->checkForUpdates();
    window.findChild<QAction*>("mnuUpdate")->trigger();
    // Time enough for a second request to arrive, were one made.
    clock.restart();
    while (clock.elapsed() < 300) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(server.requests, 1);
    server.answerHeld();
    ASSERT_TRUE(outcomeShown());
    clock.restart();
    while (clock.elapsed() < 300) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(messages, QStringList{"Check For Updates|No updates are available.  Your product "
                                    "is fully up to date."});
    EXPECT_EQ(window.cursor().shape(), Qt::ArrowCursor);

    // Once the answer is in, the user may check again.
    server.answer = {"200 OK", "4.0.0", true};
    messages.clear();
    window.findChild<QAction*>("mnuUpdate")->trigger();
    ASSERT_TRUE(outcomeShown());
    EXPECT_EQ(server.requests, 2);
}

}  // namespace
