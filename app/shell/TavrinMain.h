#pragma once

namespace tav::shell {

// The program's start: loads every setting and stores them all back, then runs a job given on
// the command line and ends, without any window. The result is the program's exit status.
int TavrinMain(int argc, char** argv);

}  // namespace tav::shell
