#pragma once

namespace tav::shell {

// The program's start: loads every setting and stores what changed, then runs a job given on
// the command line and ends the process, without any window, with the job's exit status. The
// result is the exit status of the windows.
int TavrinMain(int argc, char** argv);

}  // namespace tav::shell
