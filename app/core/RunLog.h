#pragma once

#include <QString>
#include <memory>

namespace rt {
class SaveFile;
}

namespace tav::core {

// A run log: the file tvLog.txt in a folder (the database folder of the run's options), one line
// per logged step, UTF-8. Each opening starts the file anew, and the Extract driver closes it
// after every report, so the file holds the lines of the last report that wrote to it. The lines
// reach the file when the log closes: an interrupted report never leaves half a log, and a log
// dropped without closing leaves the old file as it was. Its calls answer false with the cause;
// the first failure is kept and told again when the log closes, so a caller that goes on without
// a line still learns there that the log was lost.
class RunLog {
public:
    explicit RunLog(QString folder = QString());
    ~RunLog();
    RunLog(const RunLog&) = delete;
    RunLog& operator=(const RunLog&) = delete;

    // The folder of the next opening.
    void setFolder(const QString& folder);
    // The log's file: its folder, then "tvLog.txt".
    QString path() const;

    // Starts the log anew, replacing the old file when it closes; a log already open is dropped.
    // False, with the cause in `error`, when the file cannot be created.
    bool open(QString* error = nullptr);

    // Writes `line` unchanged and a line break, opening the log first when none is open. False,
    // with the cause in `error`, as open() fails, or when the line cannot be written.
    bool write(const QString& line, QString* error = nullptr);

    // Closes the open log, if any, writing its file out. False, with the cause in `error`, when a
    // line since the log was opened could not be written, or the file could not be put in place:
    // the old file then stays as it was.
    bool close(QString* error = nullptr);

private:
    bool fail(const QString& text, QString* error);
    bool fail(const QString& what, const QString& reason, QString* error);

    QString folder_;
    std::unique_ptr<rt::SaveFile> file_;
    // The first failure of the log being written, told when it closes.
    QString failure_;
};

}  // namespace tav::core
