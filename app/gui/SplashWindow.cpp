#include "SplashWindow.h"

#include <QApplication>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

#include "AboutDialog.h"

namespace tav::gui {

SplashWindow::SplashWindow(QWidget* parent) : QWidget(parent) {
    useProgramIcon();
    setObjectName(QStringLiteral("TVSplash"));
    setWindowFlags(Qt::SplashScreen);
    auto* picMain2 = new QFrame(this);
    picMain2->setObjectName(QStringLiteral("picMain2"));
    picMain2->setFrameShape(QFrame::Box);
    auto* picMain = new QFrame(picMain2);
    picMain->setObjectName(QStringLiteral("picMain"));
    auto* title = new QLabel(QStringLiteral("Tavrin"), picMain);
    QFont big = title->font();
    big.setPointSize(24);
    big.setBold(true);
    title->setFont(big);
    auto* caption =
        new QLabel(QStringLiteral("Documentation Utilities for Crystal Reports"), picMain);
    auto* lblVersion = new QLabel(picMain);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblVersion->setFont(QFont(QStringLiteral("Arial")));
    lblVersion->setText(QStringLiteral("Version ") + TavrinVersionText());
    auto* inner = new QVBoxLayout(picMain);
    inner->addWidget(title);
    inner->addWidget(caption);
    inner->addWidget(lblVersion);
    auto* middle = new QVBoxLayout(picMain2);
    middle->addWidget(picMain);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(picMain2);
    resize(420, 137);  // the banner's proportions
}

void useProgramIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64, 256})
        icon.addFile(QStringLiteral(":/icons/tavrin-%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);
}

}  // namespace tav::gui
