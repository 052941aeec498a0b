#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

#include "RunReporter.h"

namespace tav::gui {

// The reporter that a window gives the work it starts: messages as boxes over the window
// (through the GUI seams), the status of long work in the status window and mirrored where the
// window shows progress texts. Once the window is gone, its messages reach standard error, as
// those of a run without a window do: a run may outlive the window that started it.
class WindowReporter final : public core::RunReporter {
public:
    // `showStatus` shows a progress text in the window; without one progress texts go nowhere.
    explicit WindowReporter(QWidget* window, std::function<void(const QString&)> showStatus = {});

    void status(const QString& text) override;
    void workStatus(bool show, const QString& text) override;

protected:
    void showMessage(const QString& text, const QString& title) override;

private:
    QPointer<QWidget> window_;
    std::function<void(const QString&)> showStatus_;
    core::StandardErrorReporter standardError_;
};

}  // namespace tav::gui
