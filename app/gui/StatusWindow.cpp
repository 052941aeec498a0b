#include "StatusWindow.h"

#include <QCoreApplication>
#include <QLabel>
#include <QVBoxLayout>

#include "WindowFit.h"

namespace tav::gui {

StatusWindow::StatusWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), lblDetails_(new QLabel(this)) {
    setObjectName(QStringLiteral("TVMessage"));
    setWindowTitle(QStringLiteral("Tavrin"));
    lblDetails_->setObjectName(QStringLiteral("lblDetails"));
    lblDetails_->setMinimumWidth(320);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblDetails_);
}

void StatusWindow::UpdateStatus(bool show, QString& text) {
    if (show) {
        lblDetails_->setText(text);
        if (!isVisible()) {
            adjustSize();
            placeOverMainWindow(this);
            this->show();
        }
        // The work that tells its status holds the event loop: the window is painted now or
        // not until the work is over.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        return;
    }
    text.clear();
    lblDetails_->clear();
    hide();
}

}  // namespace tav::gui
