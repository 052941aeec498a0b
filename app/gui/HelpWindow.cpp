#include "HelpWindow.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "NamedWidgets.h"
#include "WindowFit.h"

namespace tav::gui {

namespace {

// The manual's pages are titled as the window is ("Tavrin Help - The utilities"): the window
// names the help once and the page's topic after it, where the page has one of its own.
QString captionFor(QString pageTitle) {
    const QString help = QStringLiteral("Tavrin Help");
    const QString prefix = help + QStringLiteral(" - ");
    while (pageTitle.startsWith(prefix)) pageTitle.remove(0, prefix.size());
    pageTitle = pageTitle.trimmed();
    return pageTitle.isEmpty() || pageTitle == help ? help : prefix + pageTitle;
}

}  // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("TVHelp"));
    setWindowTitle(QStringLiteral("Tavrin Help"));
    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("browser"));
    browser_->setAccessibleName(QStringLiteral("Help page"));
    // Pages of the web go to the desktop's browser; the manual's own pages open here.
    browser_->setOpenExternalLinks(true);
    auto* cmdBack = namedButton("cmdBack", "&Back", this);
    auto* cmdForward = namedButton("cmdForward", "&Forward", this);
    cmdBack->setEnabled(false);
    cmdForward->setEnabled(false);
    connect(cmdBack, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(cmdForward, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, cmdBack, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, cmdForward, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this,
            [this] { setWindowTitle(captionFor(browser_->documentTitle())); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdBack);
    buttons->addWidget(cmdForward);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser_);
    resize(760, 560);
}

void HelpWindow::showPage(const QUrl& page) {
    browser_->setSource(page);
    if (!isVisible()) placeOverMainWindow(this);
    showNormal();
    raise();
    activateWindow();
}

}  // namespace tav::gui
