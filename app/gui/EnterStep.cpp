#include "EnterStep.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace tav::gui {

EnterStep::EnterStep(std::initializer_list<QWidget*> editors, std::vector<QPushButton*> steps,
                     QObject* parent)
    : QObject(parent), steps_(std::move(steps)) {
    for (QWidget* editor : editors) {
        editor->installEventFilter(this);
        // An editable list's keys reach its text box first.
        if (auto* combo = qobject_cast<QComboBox*>(editor); combo && combo->lineEdit())
            combo->lineEdit()->installEventFilter(this);
    }
}

bool EnterStep::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter) return QObject::eventFilter(watched, event);
    for (QPushButton* step : steps_) {
        if (step->isVisibleTo(step->window()) && step->isEnabled()) {
            step->click();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace tav::gui
