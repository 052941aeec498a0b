#pragma once

class QWidget;

namespace tav::gui {

// Resizes the child window that holds `content` (or `content` itself when it is a window of its
// own) to show all of `content` as its layout asks, room for a vertical scroll bar added, never
// more than the area that holds the child window and never less than a window in which a few
// rows of results can be read. Lists and grids ask for all their rows and columns when their
// size policy adjusts to their contents.
void fitWindowToContents(QWidget* content);

}  // namespace tav::gui
