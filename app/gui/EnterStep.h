#pragma once

#include <QObject>
#include <initializer_list>
#include <vector>

class QPushButton;
class QWidget;

namespace tav::gui {

// Enter in an editor of a flow takes the flow's next step: it presses the first of `steps` that
// is shown and enabled, never a button that merely held the focus before the user came to the
// editor. Where none of them is open, Enter goes on as it would.
class EnterStep : public QObject {
public:
    EnterStep(std::initializer_list<QWidget*> editors, std::vector<QPushButton*> steps,
              QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::vector<QPushButton*> steps_;
};

}  // namespace tav::gui
