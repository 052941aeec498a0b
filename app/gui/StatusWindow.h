#pragma once

#include <QWidget>

class QLabel;

namespace tav::gui {

// The status window: long database and Word operations say what they are doing here (and, through
// the reporter of the window that started them, in panel 1 of the utilities window's status bar).
class StatusWindow : public QWidget {
    Q_OBJECT
public:
    // The one status window, created hidden on first use.
    static StatusWindow& instance();
    // show: the window shows text; otherwise text is emptied and the window hidden.
    static void UpdateStatus(bool show, QString& text);

    QLabel* lblDetails;

private:
    StatusWindow();
};

}  // namespace tav::gui
