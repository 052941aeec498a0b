#pragma once

#include <QString>
#include <memory>

namespace tav::gui {
class SplashWindow;
}

namespace tav::shell {

// The program's start: loads every setting and stores what changed, then runs a job given on
// the command line and ends the process, without any window, with the job's exit status. The
// result is the exit status of the windows.
int TavrinMain(int argc, char** argv);

// The splash of a start of the windows: kept above every other window unless the command line
// holds the option -NT, in any letter case.
std::unique_ptr<gui::SplashWindow> makeSplash(const QString& commandText);

// Tells a second start that the program runs already, in a box kept above the first one's
// splash and windows.
void tellAlreadyRunning();

}  // namespace tav::shell
