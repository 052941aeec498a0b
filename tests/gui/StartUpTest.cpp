#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLocalServer>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

#include "GuiSeams.h"
#include "GuiTestSupport.h"
#include "SingleInstance.h"
#include "SplashWindow.h"
#include "TavrinMain.h"

using namespace tav::gui;
using namespace tav::shell;

namespace {

// The splash opens mid-screen, on top unless the command line says -NT, in either case; a second
// start's box rises above the first one's windows.
TEST(StartUp, SplashAndSecondStartBoxStayOnTopAsTheCommandLineSays) {
    const std::pair<const char*, bool> cases[] = {
        {"", true}, {"-NT", false}, {"-nt", false}, {" -Nt ", false}, {"-x", true}};
    for (const auto& [commandText, onTop] : cases) {
        SCOPED_TRACE(commandText);
        const auto splash = makeSplash(QLatin1String(commandText));
        EXPECT_EQ(splash->windowFlags().testFlag(Qt::WindowStaysOnTopHint), onTop);
        EXPECT_EQ(splash->geometry().center(),
                  QGuiApplication::primaryScreen()->availableGeometry().center());
    }
    QString text;
    bool boxOnTop = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        text = box->text();
        boxOnTop = box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        box->accept();
    });
    tellAlreadyRunning();
    EXPECT_EQ(text, QStringLiteral("Tavrin is already running"));
    EXPECT_TRUE(boxOnTop);
    // The box is the message seam's, which no window owns.
    const KeptGuiSeams seams;
    QStringList told;
    guiSeams().message = [&](QWidget* owner, const QString& message, const QString&,
                             QMessageBox::Icon) {
        EXPECT_EQ(owner, nullptr);
        told << message;
    };
    tellAlreadyRunning();
    EXPECT_EQ(told, QStringList{QStringLiteral("Tavrin is already running")});
}

TEST(SingleInstance, ASecondClaimFailsUntilTheFirstEnds) {
    const QString name = QStringLiteral("TavrinTest-%1").arg(QCoreApplication::applicationPid());
    auto first = claimSingleInstance(name);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(claimSingleInstance(name), nullptr);
    first.reset();
    EXPECT_NE(claimSingleInstance(name), nullptr);
}

}  // namespace
