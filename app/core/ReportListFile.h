#pragma once

#include <QString>
#include <QStringList>
#include <memory>

class QIODevice;

namespace tav::core {

// A report list file (.RML): one report path a line, in the order the reports are to be taken.
// Lines that name no report file (.rpt, any letter case) are passed over; a line too long to be
// a path that ends in .rpt is taken, cut short, so that its report fails with a word. The command
// line and the utilities window read lists through it alike, and tell what `error` says.
struct ReportListFile {
    enum class Outcome {
        Read,            // every line was read
        NotRegularFile,  // a device, a pipe or a folder: refused before it is opened
        NotOpened,       // the file could not be opened: missing, or not to be read by this user
        ReadFailed,      // reading stopped part way: `reports` holds the lines read before
    };

    // Reads the list at `path`. A device or a pipe is refused unopened: reading one would never
    // end, or wait for ever.
    static ReportListFile read(const QString& path);
    // Reads the list from `device`, open for reading; `path` names it in the error.
    static ReportListFile read(QIODevice& device, const QString& path);

    // How read(path) opens a regular file: tests put a device of their own in its place, one
    // that fails part way, say. Answers the call it replaces.
    using OpenCall = std::unique_ptr<QIODevice> (*)(const QString& path);
    static OpenCall setOpenCall(OpenCall call);

    // True when `line` names a report file.
    static bool namesReport(const QString& line);

    // True when every line was read.
    bool readWhole() const { return outcome == Outcome::Read; }

    Outcome outcome = Outcome::Read;
    QStringList reports;
    // What to tell the user when the list was not read whole: "<path> is not a regular file", or
    // "<path>: <cause>".
    QString error;
};

}  // namespace tav::core
