#pragma once

class QWidget;

namespace tav::gui {

// Resizes the child window that holds `content` (or `content` itself when it is a window of its
// own) to show all of `content` as its layout asks, room for a vertical scroll bar added, never
// more than the area that holds the child window and never less than a window in which a few
// rows of results can be read. Lists and grids ask for all their rows and columns when their
// size policy adjusts to their contents. A maximised child window stays as it is.
void fitWindowToContents(QWidget* content);

// The program's main window while it is open; null before it opens and after it closes.
QWidget* programMainWindow();

// Moves the window `window` (a window of its own) over the middle of the program's main window,
// kept on that window's screen, so that it opens where the user works. Without a main window it
// stays where it is.
void placeOverMainWindow(QWidget* window);

// Moves the window `window` (a window of its own) as little as it takes to show it whole on its
// screen, as far as it fits: a window that grew past the screen's edge is brought back.
void keepOnScreen(QWidget* window);

}  // namespace tav::gui
