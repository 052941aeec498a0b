#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QLatin1String>
#include <QObject>
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
