#pragma once

#include <QString>
#include <functional>

namespace tav::core {

// The two channels from the program's work to its user. Until a window puts its own handler in
// place, messages go to standard error and progress texts nowhere: a command-line run shows no
// window and no modal box.

// A message the user must see (a message box in the windows); an empty title is the program's.
using MessageHandler = std::function<void(const QString& text, const QString& title)>;
void ShowMessage(const QString& text, const QString& title = QString());
// Puts `handler` in place and hands back the one it replaces.
MessageHandler setMessageHandler(MessageHandler handler);

// The title of the program's message boxes: the application's name, else "Tavrin".
QString applicationTitle();

// A progress text (panel 1 of the utilities window's status bar). Only the windows put a
// handler in place, so command-line runs write none.
using StatusHandler = std::function<void(const QString& text)>;
void ShowStatus(const QString& text);
StatusHandler setStatusHandler(StatusHandler handler);

// The status of a long database or document operation: the windows show it in the status
// window, which mirrors it in panel 1; `show` false ends it and clears both. Without a handler
// the text goes to ShowStatus, and an ended status clears it there.
using WorkStatusHandler = std::function<void(bool show, const QString& text)>;
void ShowWorkStatus(bool show, const QString& text);
WorkStatusHandler setWorkStatusHandler(WorkStatusHandler handler);

}  // namespace tav::core
