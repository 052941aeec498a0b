#pragma once

#include <QWidget>

class QLabel;

namespace tav::gui {

// The start-up banner with the program's version.
class SplashWindow : public QWidget {
    Q_OBJECT
public:
    explicit SplashWindow(QWidget* parent = nullptr);

    QLabel* lblVersion;
};

// Gives every window of the program the program's own icon.
void useProgramIcon();

}  // namespace tav::gui
