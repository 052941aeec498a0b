#pragma once

#include <QWidget>

namespace tav::gui {

// The start-up banner with the program's version.
class SplashWindow : public QWidget {
    Q_OBJECT
public:
    explicit SplashWindow(QWidget* parent = nullptr);
};

// Gives every window of the program the program's own icon.
void useProgramIcon();

}  // namespace tav::gui
