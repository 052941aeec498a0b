#pragma once

#include <QObject>
#include <QPointer>

#include "UpdateCheck.h"

class QAction;
class QMainWindow;

namespace tav::gui {

class AboutDialog;
class HelpWindow;
class UpdateNoticeDialog;

// The Help menu of a main window: the manual, the update check and the About box. It keeps the
// windows it opens, one of each: asked again, it brings the same one forward.
class HelpMenu : public QObject {
public:
    // Adds the menu to `window`, which owns it.
    explicit HelpMenu(QMainWindow* window);
    ~HelpMenu() override;

    // The manual's first page in the desktop's browser, or in the help window where the desktop
    // cannot open it; nothing at all when the manual is missing.
    void showHelp();
    // The hourglass while the check runs in the background, then its message or the update
    // notice. One check at a time: asked again while one is pending, it starts nothing.
    void checkForUpdates();
    void showAbout();

private:
    void showUpdateOutcome(UpdateCheck::Outcome outcome);

    QMainWindow* window_;
    QAction* update_;
    bool checking_ = false;
    QPointer<AboutDialog> about_;
    QPointer<UpdateNoticeDialog> notice_;
    // A window of its own beside the program, not the main window's child.
    QPointer<HelpWindow> help_;
};

}  // namespace tav::gui
