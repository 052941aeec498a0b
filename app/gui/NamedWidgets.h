#pragma once

#include <QLabel>
#include <QPushButton>
#include <QString>

namespace tav::gui {

// Controls are found by their object names, by the tests as by the windows' own code.
inline QLabel* namedLabel(const char* name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setWordWrap(true);
    return label;
}

inline QPushButton* namedButton(const char* name, const char* caption, QWidget* parent) {
    auto* button = new QPushButton(QLatin1String(caption), parent);
    button->setObjectName(QLatin1String(name));
    return button;
}

// Shows a modeless window of its own that goes when closed, or brings it forward when shown.
inline void showModeless(QWidget* window) {
    window->setWindowFlag(Qt::Window);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace tav::gui
