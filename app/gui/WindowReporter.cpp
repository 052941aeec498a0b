#include "WindowReporter.h"

#include <QMessageBox>

#include "GuiSeams.h"
#include "StatusWindow.h"

namespace tav::gui {

WindowReporter::WindowReporter(QWidget* window, std::function<void(const QString&)> showStatus,
                               StatusWindow* statusWindow)
    : window_(window), showStatus_(std::move(showStatus)), statusWindow_(statusWindow) {}

void WindowReporter::status(const QString& text) {
    if (window_ && showStatus_) showStatus_(text);
}

void WindowReporter::workStatus(bool show, const QString& text) {
    if (!window_) return;
    if (statusWindow_) {
        QString shown = text;
        statusWindow_->UpdateStatus(show, shown);
    }
    status(show ? text : QString());
}

void WindowReporter::showMessage(const QString& text, const QString& title) {
    if (window_)
        guiSeams().message(window_, text, title, QMessageBox::NoIcon);
    else
        standardError_.message(text, title);
}

}  // namespace tav::gui
