#include "TavrinMain.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocalServer>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QScreen>
#include <QSqlDatabase>
#include <QStringList>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "CommandLine.h"
#include "ExtractDriver.h"
#include "GuiSeams.h"
#include "LogonDialog.h"
#include "ProgramSettings.h"
#include "RunLog.h"
#include "SettingsStore.h"
#include "SingleInstance.h"
#include "SplashWindow.h"
#include "UserMessages.h"
#include "UtilitiesWindow.h"

namespace tav::shell {

using namespace core;
using namespace doctext;
using namespace extract;
using namespace gui;

namespace {

void loadAndStoreSettings() {
    LoadProgramSettings();
    if (!SaveProgramSettings()) ShowMessage(saveProgramSettingsFailedText());
}

// The windows: the splash, the utilities window three seconds after it, the splash gone after
// five. The waits run on timers so that the splash keeps painting.
int interactiveStart(int argc, char** argv, const QString& commandText) {
    QApplication application(argc, argv);
    // A second start leaves the first one's settings alone.
    const auto instance = claimSingleInstance(tavrinInstanceName());
    if (!instance) {
        tellAlreadyRunning();
        return 0;
    }
    // Until the utilities window takes the user's messages, a message of the start (a settings
    // file kept aside, or one that cannot be written) gets a box of its own.
    MessageHandler previous = setMessageHandler([](const QString& text, const QString& title) {
        guiSeams().message(nullptr, text, title, QMessageBox::NoIcon);
    });
    loadAndStoreSettings();
    setMessageHandler(std::move(previous));
    std::unique_ptr<SplashWindow> splash = makeSplash(commandText);
    splash->show();
    std::unique_ptr<UtilitiesWindow> utilities;
    QTimer::singleShot(3000, &application, [&utilities] {
        utilities = std::make_unique<UtilitiesWindow>();
        utilities->show();
    });
    QTimer::singleShot(5000, &application, [&splash] { splash.reset(); });
    const int status = application.exec();
    utilities.reset();
    return status;
}

// Qt ends the program outright when it cannot reach the display it is told to use, so the
// windows start only where one is at hand.
bool displayAvailable() {
    const QString platform =
        qEnvironmentVariable("QT_QPA_PLATFORM").section(u';', 0, 0).section(u':', 0, 0);
    if (!platform.isEmpty())
        return QFileInfo::exists(QLibraryInfo::path(QLibraryInfo::PluginsPath) +
                                 QStringLiteral("/platforms/libq") + platform +
                                 QStringLiteral(".so"));
    return qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
}

// Ends a command-line run with `status`, once every output is closed: database connections
// closed, the run log written, standard output and error flushed. What the process's exit frees
// anyway (the platform integration, the font database, the libraries' own data) is not torn
// down first: that would cost more than the start of the program.
[[noreturn]] void endCommandLineRun(int status) {
    for (const QString& name : QSqlDatabase::connectionNames()) {
        QSqlDatabase connection = QSqlDatabase::database(name, false);
        if (connection.isOpen()) connection.close();
    }
    if (!CloseLog()) {
        ShowMessage(QStringLiteral("Unable to write the run log ") + runLogPath());
        status = status == kAllDocumented ? kRunFailed : status;
    }
    if (std::fflush(nullptr) != 0 && status == kAllDocumented) status = kRunFailed;
    std::_Exit(status);
}

}  // namespace

std::unique_ptr<SplashWindow> makeSplash(const QString& commandText) {
    auto splash = std::make_unique<SplashWindow>();
    // The options compare as the command line reads upper-cased; paths keep their case.
    if (!commandText.toUpper().contains(QLatin1String("-NT")))
        splash->setWindowFlag(Qt::WindowStaysOnTopHint);
    // In the middle of the screen, where the main window will open.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        splash->move(screen->availableGeometry().center() - splash->rect().center());
    return splash;
}

void tellAlreadyRunning() {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Tavrin"),
                    QStringLiteral("Tavrin is already running"), QMessageBox::Ok);
    box.setObjectName(QStringLiteral("alreadyRunning"));
    // The first copy's splash stays on top of everything; this box must rise above it.
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
}

int TavrinMain(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    const QString commandText = commandTextOf(arguments);

    const bool job = isCommandLineJob(commandText);
    if (!job && displayAvailable()) return interactiveStart(argc, argv, commandText);

    // The command line needs no display; the settings' defaults need the program's folder. The
    // layout picture needs fonts, which Qt loads only for a graphical application: the offscreen
    // platform gives one without a display, so a job draws the same picture as the windows do.
    // Qt's start-up warnings (a missing runtime folder) would reach standard error, which a job
    // keeps for its own messages.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QLoggingCategory::setFilterRules(QStringLiteral("default.warning=false"));
    QGuiApplication application(argc, argv);
    QLoggingCategory::setFilterRules(QString());
    loadAndStoreSettings();
    if (job) endCommandLineRun(HandleCommandLine(commandText, programOptions()));
    std::fputs(
        "tavdesk4: the windows need a display; without one, run a job from the command line:\n"
        "  tavdesk4 -E <report.rpt>    tavdesk4 -E <folder>/    tavdesk4 -B <list.RML>\n"
        "  tavdesk4 -D <report1.rpt>,<report2.rpt>\n",
        stderr);
    return 1;
}

}  // namespace tav::shell
