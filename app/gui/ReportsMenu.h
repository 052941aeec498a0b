#pragma once

#include <QObject>
#include <QPointer>

class QMainWindow;

namespace tav::gui {

class ReportViewerWindow;

// The Reports menu of a main window: one item for each report definition and sort order. It
// keeps the viewer it opens, one for every report: a window of its own beside the program, which
// goes with the menu.
class ReportsMenu : public QObject {
public:
    // Adds the menu to `window`, which owns it.
    explicit ReportsMenu(QMainWindow* window);
    ~ReportsMenu() override;

private:
    QPointer<ReportViewerWindow> viewer_;
};

}  // namespace tav::gui
