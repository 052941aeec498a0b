#pragma once

#include <QDialog>
#include <QString>
#include <QUrl>
#include <chrono>
#include <functional>
#include <optional>

class QLabel;
class QMainWindow;
class QPushButton;

namespace tav::gui {

// The program's version as people read it: major.minor.revision in plain decimal.
QString TavrinVersionText();

// The maker's web server, from TAVRIN_UPDATE_SERVER; a host that never resolves by default,
// so that an unconfigured check fails the way an unreachable server does.
QString TavrinWebServer();

// The About box: the version, the maker's web address and the System Information launcher.
class AboutDialog : public QDialog {
public:
    explicit AboutDialog(QWidget* parent = nullptr);

    // The one box of the program, created on first use, shown modeless.
    static AboutDialog& showFor(QWidget* owner);

    void StartSysInfo();
    static bool GetKeyValue(const QString& KeyRoot, const QString& KeyName,
                            const QString& SubKeyRef, QString& KeyVal);

    QLabel* lblTitle;
    QLabel* lblVersion;
    QLabel* Label4;  // the maker's web address: a double click opens it
    QPushButton* cmdOK;
    QPushButton* cmdSysInfo;
};

// The update notice: where to download the newer version.
class UpdateNoticeDialog : public QDialog {
public:
    explicit UpdateNoticeDialog(QWidget* parent = nullptr);

    static UpdateNoticeDialog& showFor(QWidget* owner);
    // The open notice, if any: the check shows it, tests look at it.
    static UpdateNoticeDialog* current();

    QLabel* lblMessage;
    QLabel* lblLink;
};

// What the update check found.
enum class UpdateCheck { Failed, UpToDate, UpdateAvailable };

// Fetches the version file of this major release from `server` and compares it with `running`,
// without waiting: `done` is called once, from the event loop, unless `context` goes first. The
// check stays on `server` (a redirect to another server fails it), reads at most 64 KB and gives
// up when `limit` has passed.
inline constexpr std::chrono::milliseconds kUpdateCheckLimit{10000};
void StartUpdateCheck(const QString& server, const QString& running, QObject* context,
                      std::function<void(UpdateCheck)> done,
                      std::chrono::milliseconds limit = kUpdateCheckLimit);

// The same check, waited for (its events run meanwhile, but no user input).
UpdateCheck CheckForUpdate(const QString& server, const QString& running);

// The Help menu's "Check for Updates": the hourglass while the check runs in the background,
// then its message or the update notice.
void checkForUpdates(QWidget* owner);

// Adds the Help menu (help file, update check, About box) to the utilities window.
void AddHelpMenu(QMainWindow* window);

}  // namespace tav::gui
