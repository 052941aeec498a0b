#include "StatusWindow.h"

#include <QCoreApplication>
#include <QLabel>
#include <QVBoxLayout>

#include "WindowFit.h"

namespace tav::gui {

StatusWindow::StatusWindow() : lblDetails(new QLabel(this)) {
    setObjectName(QStringLiteral("TVMessage"));
    setWindowTitle(QStringLiteral("Tavrin"));
    lblDetails->setObjectName(QStringLiteral("lblDetails"));
    lblDetails->setMinimumWidth(320);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblDetails);
}

StatusWindow& StatusWindow::instance() {
    static StatusWindow* window = new StatusWindow;  // lives as long as the program, as a top level
    return *window;
}

void StatusWindow::UpdateStatus(bool show, QString& text) {
    StatusWindow& window = instance();
    if (show) {
        window.lblDetails->setText(text);
        if (!window.isVisible()) {
            window.adjustSize();
            placeOverMainWindow(&window);
            window.show();
        }
        // The work that tells its status holds the event loop: the window is painted now or
        // not until the work is over.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        return;
    }
    text.clear();
    window.lblDetails->clear();
    window.hide();
}

}  // namespace tav::gui
