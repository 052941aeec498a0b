#include "StatusWindow.h"

#include <QLabel>
#include <QVBoxLayout>

#include "UserMessages.h"

namespace tav::gui {

using namespace core;

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
        if (!window.isVisible()) window.show();
        window.lblDetails->setText(text);
        ShowStatus(text);
        return;
    }
    text.clear();
    window.lblDetails->clear();
    ShowStatus(QString());
    window.hide();
}

}  // namespace tav::gui
