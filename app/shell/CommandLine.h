#pragma once

#include <QString>
#include <QStringList>

#include "ExtractOptions.h"
#include "RunReporter.h"

namespace tav::shell {

// Jobs given on the command line, run without any window:
//   -E <report>   Extract over one report
//   -E <folder/>  Extract over the folder's own .rpt files (no subfolders), in name order
//   -B <list.RML> Extract over the .rpt files named in a list file, one path a line
//   -D <report1>,<report2>  Report Difference: the combined difference text to standard output
// The switch may be followed by a blank or a comma, and compares ignoring case; the path keeps
// its case and may be wrapped in double quotes. Messages go to the reporter the run is given.

// The exit status of a command-line run.
enum CommandLineStatus : int {
    kAllDocumented = 0,  // every report was documented
    kRunFailed = 1,      // a report, or the run itself, failed
    kUsageError = 2,     // the syntax message, or an argument refused
};

// The command text of the program's arguments: joined by single blanks and trimmed.
QString commandTextOf(const QStringList& arguments);

// True when the command text names a job for the command line rather than a start of the windows.
bool isCommandLineJob(const QString& commandText);

// Runs the job of `commandText` with `options`, telling its messages to `reporter`, and tells how
// it went.
int HandleCommandLine(const QString& commandText, const core::ExtractOptions& options,
                      core::RunReporter& reporter);

// The title and text of the syntax message.
QString commandLineSyntaxTitle();
QString commandLineSyntaxText();

}  // namespace tav::shell
