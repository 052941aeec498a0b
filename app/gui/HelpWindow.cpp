#include "HelpWindow.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "GuiSeams.h"
#include "ProgramSettings.h"
#include "SettingsStore.h"
#include "WindowFit.h"

namespace tav::gui {

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("TVHelp"));
    setWindowTitle(QStringLiteral("Tavrin Help"));
    browser = new QTextBrowser(this);
    browser->setObjectName(QStringLiteral("browser"));
    // Pages of the web go to the desktop's browser; the manual's own pages open here.
    browser->setOpenExternalLinks(true);
    cmdBack = new QPushButton(QStringLiteral("&Back"), this);
    cmdBack->setObjectName(QStringLiteral("cmdBack"));
    cmdForward = new QPushButton(QStringLiteral("&Forward"), this);
    cmdForward->setObjectName(QStringLiteral("cmdForward"));
    cmdBack->setEnabled(false);
    cmdForward->setEnabled(false);
    connect(cmdBack, &QPushButton::clicked, browser, &QTextBrowser::backward);
    connect(cmdForward, &QPushButton::clicked, browser, &QTextBrowser::forward);
    connect(browser, &QTextBrowser::backwardAvailable, cmdBack, &QPushButton::setEnabled);
    connect(browser, &QTextBrowser::forwardAvailable, cmdForward, &QPushButton::setEnabled);
    connect(browser, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = browser->documentTitle();
        setWindowTitle(title.isEmpty() ? QStringLiteral("Tavrin Help")
                                       : QStringLiteral("Tavrin Help - ") + title);
    });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdBack);
    buttons->addWidget(cmdForward);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser);
    resize(760, 560);
}

void HelpWindow::showPage(const QUrl& page) {
    browser->setSource(page);
    if (!isVisible()) placeOverMainWindow(this);
    showNormal();
    raise();
    activateWindow();
}

HelpWindow& helpWindow() {
    static HelpWindow* window = new HelpWindow;
    return *window;
}

void ShowHelp() {
    const QUrl index = QUrl::fromLocalFile(programSettingsStore().programFolder() +
                                           QStringLiteral("help/index.html"));
    guiSeams().openUrl(index, [index] { helpWindow().showPage(index); });
}

}  // namespace tav::gui
