#include "TavrinMain.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocalServer>
#include <QScreen>
#include <QSqlDatabase>
#include <QStringList>
#include <QTimer>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>

#include "CommandLine.h"
#include "ExtractDriver.h"
#include "GuiSeams.h"
#include "HeapSetup.h"
#include "LogonDialog.h"
#include "ProgramSettings.h"
#include "RunReporter.h"
#include "SettingsStore.h"
#include "SingleInstance.h"
#include "SplashWindow.h"
#include "UtilitiesWindow.h"

namespace tav::shell {

using namespace core;
using namespace doctext;
using namespace extract;
using namespace gui;

namespace {

void loadAndStoreSettings(RunReporter& reporter) {
    ProgramSettings& settings = programSettings();
    settings.load(reporter);
    if (QString error; !settings.save(&error)) reporter.message(error);
}

// Until the utilities window takes the user's messages, a message of the start (a settings file
// kept aside, or one that cannot be written) gets a box of its own.
class StartReporter final : public RunReporter {
public:
    void status(const QString&) override {}

protected:
    void showMessage(const QString& text, const QString& title) override {
        guiSeams().message(nullptr, text, title, QMessageBox::NoIcon);
    }
};

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
    StartReporter start;
    loadAndStoreSettings(start);
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
// closed (the run has written its log), standard output and error flushed. What the process's exit
// frees anyway (the platform integration, the font database, the libraries' own data) is not torn
// down first: that would cost more than the start of the program.
[[noreturn]] void endCommandLineRun(int status) {
    for (const QString& name : QSqlDatabase::connectionNames()) {
        QSqlDatabase connection = QSqlDatabase::database(name, false);
        if (connection.isOpen()) connection.close();
    }
    if (std::fflush(nullptr) != 0 && status == kAllDocumented) status = kRunFailed;
    std::_Exit(status);
}

// Standard error of a job carries the program's own messages alone: Qt's notes (a missing
// runtime folder at the start, a font without the tables that shaping Thai or Devanagari wants,
// many times over in a layout picture) say nothing the user can act on. A fatal one still says
// why the program ends.
void keepQtNotesOffStandardError(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type != QtFatalMsg) return;
    const QByteArray bytes = text.toLocal8Bit() + '\n';
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
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
    // No window owns the box, so it rises above the first copy's splash and windows.
    guiSeams().message(nullptr, QStringLiteral("Tavrin is already running"), QString(),
                       QMessageBox::NoIcon);
}

int TavrinMain(int argc, char** argv) {
    setUpHeap();
    QStringList arguments;
    for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    const QString commandText = commandTextOf(arguments);

    const bool job = isCommandLineJob(commandText);
    if (!job && displayAvailable()) return interactiveStart(argc, argv, commandText);

    // The command line needs no display; the settings' defaults need the program's folder. The
    // layout picture needs fonts, which Qt loads only for a graphical application: the offscreen
    // platform gives one without a display, so a job draws the same picture as the windows do.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(keepQtNotesOffStandardError);
    QGuiApplication application(argc, argv);
    StandardErrorReporter standardError;
    loadAndStoreSettings(standardError);
    if (job) endCommandLineRun(HandleCommandLine(commandText, programOptions(), standardError));
    std::fputs(
        "tavdesk4: the windows need a display; without one, run a job from the command line:\n"
        "  tavdesk4 -E <report.rpt>    tavdesk4 -E <folder>/    tavdesk4 -B <list.RML>\n"
        "  tavdesk4 -D <report1.rpt>,<report2.rpt>\n",
        stderr);
    return 1;
}

}  // namespace tav::shell
