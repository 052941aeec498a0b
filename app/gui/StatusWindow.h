#pragma once

#include <QWidget>

class QLabel;

namespace tav::gui {

// The status window: long database and Word operations say what they are doing here (and, through
// the reporter of the window that started them, in panel 1 of the utilities window's status bar).
// The window that shows it owns it and hands it to the windows whose work tells its status.
class StatusWindow : public QWidget {
    Q_OBJECT
public:
    explicit StatusWindow(QWidget* parent = nullptr);

    // show: the window shows text; otherwise text is emptied and the window hidden.
    void UpdateStatus(bool show, QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Shows the window and returns once its text is on the screen.
    void showPainted();

    QLabel* detailsLabel_;
    bool textPainted_ = false;
};

}  // namespace tav::gui
