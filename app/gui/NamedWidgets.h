#pragma once

#include <QLabel>
#include <QPushButton>
#include <QString>

namespace tav::gui {

// Controls are found by their object names, by the tests as by the windows' own code.
template <typename W>
W* named(W* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

inline QLabel* namedLabel(const char* name, const QString& text, QWidget* parent) {
    auto* label = named(new QLabel(text, parent), name);
    label->setWordWrap(true);
    return label;
}

inline QPushButton* namedButton(const char* name, const char* caption, QWidget* parent) {
    return named(new QPushButton(QLatin1String(caption), parent), name);
}

// Shows a modeless window of its own that goes when closed, or brings it forward when shown.
// The object that opens such a window keeps a QPointer to it, so that a second request brings
// the same window forward and a request after it closed makes a new one.
inline void showModeless(QWidget* window) {
    window->setWindowFlag(Qt::Window);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace tav::gui
