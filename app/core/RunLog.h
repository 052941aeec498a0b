#pragma once

#include <QString>

namespace tav::core {

// The run log: the file tvLog.txt in the database folder, one line per logged step, UTF-8. At
// most one log is open. Each opening starts the file anew, and the Extract driver closes it
// after every report, so the file holds the lines of the last report that wrote to it. The
// lines reach the file when the log closes: an interrupted report never leaves half a log.

// The log's folder: the database folder of the options in use. The Extract driver puts its own
// in place for each report.
void setRunLogFolder(const QString& folder);
// The log's file: the log's folder, then "tvLog.txt".
QString runLogPath();

// Starts the log anew, replacing the old file when it closes; a log already open is dropped. Fails
// with std::runtime_error when the file cannot be created.
void OpenLogFile();

// Writes `line` unchanged and a line break, opening the log first when none is open. Fails as
// OpenLogFile does, and when the line cannot be written.
void WriteLog(const QString& line);

// Closes the open log, if any, writing its file out. False, with the cause in `error`, when a
// line since the log was opened could not be written, or the file could not be put in place:
// the old file then stays as it was.
bool CloseLog(QString* error = nullptr);

}  // namespace tav::core
