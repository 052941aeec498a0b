#pragma once

#include <QString>

namespace tav::core {

// Where a piece of the program's work tells its user what happens: messages the user must see,
// progress texts, and the status of a long database or document operation. Each caller gives the
// work its own: the windows show boxes and status panels, the command line writes to standard
// error. A NUL inside a text (a path or a cause read from a file) would end it early wherever
// text is handed on as a C string: every reporter gets it as the two characters \0, and any
// other control character but the message's own line breaks as withVisibleControls() shows it.
class RunReporter {
public:
    virtual ~RunReporter() = default;

    // A message the user must see; an empty title is the program's.
    void message(const QString& text, const QString& title = QString());
    // A progress text (panel 1 of the utilities window's status bar).
    virtual void status(const QString& text) = 0;
    // The status of a long database or document operation; `show` false ends it and clears it.
    // Unless a reporter shows it apart, it goes to status(), and an ended one clears it there.
    virtual void workStatus(bool show, const QString& text);

protected:
    virtual void showMessage(const QString& text, const QString& title) = 0;
};

// The reporter of a run without any window: messages go to standard error, the title on a line
// before the text, and progress texts nowhere.
class StandardErrorReporter final : public RunReporter {
public:
    void status(const QString&) override {}

protected:
    void showMessage(const QString& text, const QString& title) override;
};

// The title of the program's message boxes, the same for every box whatever the executable's
// file is called.
QString applicationTitle();

}  // namespace tav::core
