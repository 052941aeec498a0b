#include "HelpMenu.h"

#include <QFileInfo>
#include <QMainWindow>
#include <QMenuBar>
#include <QUrl>

#include "AboutDialog.h"
#include "GuiSeams.h"
#include "HelpWindow.h"
#include "NamedWidgets.h"
#include "ProgramSettings.h"
#include "SettingsStore.h"
#include "UpdateCheck.h"

namespace tav::gui {

HelpMenu::HelpMenu(QMainWindow* window) : QObject(window), window_(window) {
    auto* help = named(window->menuBar()->addMenu(QStringLiteral("&Help")), "munHelp");
    auto* helpFile = named(help->addAction(QStringLiteral("&Help")), "miHelp");
    connect(helpFile, &QAction::triggered, this, &HelpMenu::showHelp);
    update_ = named(help->addAction(QStringLiteral("Check for Updates")), "mnuUpdate");
    connect(update_, &QAction::triggered, this, &HelpMenu::checkForUpdates);
    auto* about = named(help->addAction(QStringLiteral("&About")), "miHAbout");
    connect(about, &QAction::triggered, this, &HelpMenu::showAbout);
}

HelpMenu::~HelpMenu() { delete help_.data(); }

void HelpMenu::showHelp() {
    const QString manual =
        programSettings().store().programFolder() + QStringLiteral("help/index.html");
    // Help that cannot be opened is passed over: neither the desktop nor the help window would
    // show more than an empty page.
    if (!QFileInfo(manual).isFile()) return;
    const QUrl index = QUrl::fromLocalFile(manual);
    // The desktop may tell its failure after the program's windows have gone.
    guiSeams().openUrl(index, [menu = QPointer<HelpMenu>(this), index] {
        if (!menu) return;
        if (!menu->help_) menu->help_ = new HelpWindow;
        menu->help_->showPage(index);
    });
}

void HelpMenu::checkForUpdates() {
    // The check runs while the window goes on; its outcome comes when the answer does.
    if (checking_) return;
    checking_ = true;
    update_->setEnabled(false);
    window_->setCursor(Qt::WaitCursor);
    UpdateCheck::start(TavrinWebServer(), TavrinVersionText(), this,
                       [this](UpdateCheck::Outcome outcome) { showUpdateOutcome(outcome); });
}

void HelpMenu::showUpdateOutcome(UpdateCheck::Outcome outcome) {
    checking_ = false;
    update_->setEnabled(true);
    window_->unsetCursor();
    const auto tell = [this](const char* text, const char* title) {
        guiSeams().message(window_, QLatin1String(text), QLatin1String(title), QMessageBox::NoIcon);
    };
    switch (outcome) {
        case UpdateCheck::Failed:
            tell("Unable to check for update.  Please check for updates again later.",
                 "Check for Updates");
            break;
        case UpdateCheck::UpToDate:
            tell("No updates are available.  Your product is fully up to date.",
                 "Check For Updates");
            break;
        case UpdateCheck::UpdateAvailable:
            if (!notice_) notice_ = new UpdateNoticeDialog(window_);
            notice_->show();
            notice_->raise();
            break;
    }
}

void HelpMenu::showAbout() {
    if (!about_) about_ = new AboutDialog(window_);
    about_->show();
    about_->raise();
}

}  // namespace tav::gui
