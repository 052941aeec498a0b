#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

#include "RunReporter.h"

namespace tav::gui {

class StatusWindow;

// The reporter that a window gives the work it starts: messages as boxes over the window
// (through the GUI seams), the status of long work in the window's status window (when it has
// one) and mirrored where the window shows progress texts. Once the window is gone, its messages
// reach standard error, as those of a run without a window do: a run may outlive the window that
// started it.
class WindowReporter final : public core::RunReporter {
public:
    // `showStatus` shows a progress text in the window; without one progress texts go nowhere.
    // `statusWindow`, when given, shows the status of long work besides.
    explicit WindowReporter(QWidget* window, std::function<void(const QString&)> showStatus = {},
                            StatusWindow* statusWindow = nullptr);

    void status(const QString& text) override;
    void workStatus(bool show, const QString& text) override;

protected:
    void showMessage(const QString& text, const QString& title) override;

private:
    QPointer<QWidget> window_;
    std::function<void(const QString&)> showStatus_;
    QPointer<StatusWindow> statusWindow_;
    core::StandardErrorReporter standardError_;
};

}  // namespace tav::gui
