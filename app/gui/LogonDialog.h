#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class LogonPrompt;

namespace tav::gui {

// The window of the database logon dialog: it shows the controller's texts and forwards OK and
// Cancel to it. It closes when the controller says the login succeeded or was cancelled.
class LogonDialog : public QDialog {
    Q_OBJECT
public:
    explicit LogonDialog(LogonPrompt& controller, QWidget* parent = nullptr);

    // Shows the window for `controller` until the user closes it: the logon presenter of the loads
    // that the windows start.
    static void present(LogonPrompt& controller);

private:
    // OK: the controller tries the typed logon; the window closes once it works.
    void logOn();
    void cancel();

    LogonPrompt& controller_;
    QLineEdit* databaseEdit_;
    QLineEdit* serverEdit_;
    QLineEdit* userNameEdit_;
    QLineEdit* passwordEdit_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
};

}  // namespace tav::gui
