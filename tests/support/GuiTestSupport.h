#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLatin1String>
#include <QMouseEvent>
#include <QObject>
#include <QStringList>
#include <QWidget>

#include "GuiSeams.h"

// Keeps the program's GUI seams as they are when it is made, and puts them back when it goes:
// a test answers the seams meanwhile.
class KeptGuiSeams {
public:
    KeptGuiSeams() : saved_(tav::gui::guiSeams()) {}
    ~KeptGuiSeams() { tav::gui::guiSeams() = saved_; }
    KeptGuiSeams(const KeptGuiSeams&) = delete;
    KeptGuiSeams& operator=(const KeptGuiSeams&) = delete;

private:
    tav::gui::GuiSeams saved_;
};

// Controls and windows found by their object names, as the windows' own code finds them.

// The child of `parent` named `name`; a failure of the test when there is none.
template <class W = QWidget>
W* control(const QObject& parent, const char* name) {
    auto* found = parent.findChild<W*>(QLatin1String(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

// The window of its own named `name` (a window no other window owns), or null.
template <class W = QWidget>
W* openWindow(const char* name) {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->objectName() == QLatin1String(name)) return qobject_cast<W*>(window);
    return nullptr;
}

// The named controls of `window` that Tab reaches, in the order it reaches them.
inline QStringList tabOrder(QWidget& window) {
    QStringList order;
    for (QWidget* widget = window.nextInFocusChain(); widget && widget != &window;
         widget = widget->nextInFocusChain())
        if ((widget->focusPolicy() & Qt::TabFocus) && widget->isVisibleTo(&window) &&
            !widget->objectName().isEmpty())
            order << widget->objectName();
    return order;
}

// The user presses `key` while `widget` holds the focus: the key goes where the widget leaves it.
inline void pressKey(QWidget* widget, Qt::Key key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

// The user types `text` where `widget` leaves it, a key at a time.
inline void typeText(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

// The user double-clicks `widget` at `at` with the left button.
inline void doubleClick(QWidget* widget, QPoint at) {
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                    QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }
}
