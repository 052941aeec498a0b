#include "StatusWindow.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QThread>
#include <QVBoxLayout>

#include "WindowFit.h"

namespace tav::gui {

StatusWindow::StatusWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), detailsLabel_(new QLabel(this)) {
    setObjectName(QStringLiteral("TVMessage"));
    setWindowTitle(QStringLiteral("Tavrin"));
    detailsLabel_->setObjectName(QStringLiteral("lblDetails"));
    detailsLabel_->setMinimumWidth(320);
    detailsLabel_->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(detailsLabel_);
}

void StatusWindow::showPainted() {
    textPainted_ = false;
    show();
    // The window system shows a new window a moment after it is asked to, and the work that
    // follows holds the event loop: without this wait the window stays blank until the work ends.
    // A window that is never shown (minimised with its owner) holds the work up for a second.
    const QDeadlineTimer deadline(1000);
    while (!textPainted_ && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        if (!textPainted_) QThread::msleep(5);
    }
}

bool StatusWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == detailsLabel_ && event->type() == QEvent::Paint) textPainted_ = true;
    return QWidget::eventFilter(watched, event);
}

void StatusWindow::UpdateStatus(bool show, QString& text) {
    if (show) {
        detailsLabel_->setText(text);
        if (!isVisible()) {
            adjustSize();
            placeOverMainWindow(this);
            showPainted();
        }
        // The work that tells its status holds the event loop: the window is painted now or
        // not until the work is over.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        return;
    }
    text.clear();
    detailsLabel_->clear();
    if (!isVisible()) return;
    hide();
    // As with showing: the work that follows holds the event loop, and without a turn of it the
    // window system keeps the window on the screen until the work is over.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace tav::gui
