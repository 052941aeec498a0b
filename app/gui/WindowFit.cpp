#include "WindowFit.h"

#include <QApplication>
#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>
#include <QWidget>
#include <algorithm>

#include "GuiSeams.h"

namespace tav::gui {

namespace {

// Small enough for a quarter of a laptop's screen, big enough for a few rows.
constexpr QSize kSmallestResultWindow(480, 260);

}  // namespace

void fitWindowToContents(QWidget* content) {
    if (content->layout()) content->layout()->activate();
    const QStyle* style = content->style();
    // When the rows do not all fit, the vertical bar takes its width from the columns.
    QSize size = content->sizeHint() +
                 QSize(style->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, content), 0);
    auto* sub = qobject_cast<QMdiSubWindow*>(content->parentWidget());
    if (!sub) {
        content->resize(size.expandedTo(kSmallestResultWindow));
        return;
    }
    // A maximised window fills the area, as the area's other windows do while one is maximised:
    // sized to its contents it would keep the maximised look and uncover the windows behind it.
    if (sub->isMaximized()) return;
    const int border = style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, sub);
    const int titleBar = style->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, sub);
    size = (size + QSize(2 * border, titleBar + 2 * border)).expandedTo(kSmallestResultWindow);
    if (QMdiArea* area = sub->mdiArea()) {
        const QSize room = area->viewport()->size();
        size = size.boundedTo(room);
        // Kept inside the area, so that the window's right and bottom edges can be reached.
        sub->move(std::clamp(sub->x(), 0, std::max(0, room.width() - size.width())),
                  std::clamp(sub->y(), 0, std::max(0, room.height() - size.height())));
    }
    sub->resize(size);
}

QWidget* programMainWindow() {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->objectName() == QLatin1String("TVUtility") && window->isVisible())
            return window;
    return nullptr;
}

namespace {

// The place of `frame` moved as little as it takes to lie inside `room`; a frame larger than
// the room keeps its top left corner in it, so that the title bar can still be reached.
QPoint keptInside(QRect frame, const QRect& room) {
    if (room.isEmpty()) return frame.topLeft();
    frame.moveLeft(std::clamp(frame.left(), room.left(),
                              std::max(room.left(), room.right() + 1 - frame.width())));
    frame.moveTop(std::clamp(frame.top(), room.top(),
                             std::max(room.top(), room.bottom() + 1 - frame.height())));
    return frame.topLeft();
}

}  // namespace

void placeOverMainWindow(QWidget* window) {
    const QWidget* main = programMainWindow();
    if (!main || main == window) return;
    QRect frame(QPoint(), window->frameGeometry().size());
    frame.moveCenter(main->frameGeometry().center());
    window->move(keptInside(frame, guiSeams().screenRoom(main)));
}

void keepOnScreen(QWidget* window) {
    const QRect frame = window->frameGeometry();
    const QPoint place = keptInside(frame, guiSeams().screenRoom(window));
    if (place != frame.topLeft()) window->move(place);
}

}  // namespace tav::gui
