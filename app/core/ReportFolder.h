#pragma once

#include <dirent.h>

#include <QString>
#include <QStringList>
#include <functional>

namespace tav::core {

// The report files (.rpt, any letter case) of a folder, by name, as the command line and the
// utilities window find them alike. A folder that cannot be read is told with its cause; the
// reports found before it are kept.
struct ReportFolder {
    enum class Subfolders {
        Left,    // the folder's own files
        Walked,  // and then, depth first, those of its subfolders; linked folders are not followed
    };
    enum class Hidden { Left, Taken };  // files and folders whose names start with "."

    // Reads `folder` (its path ends in a separator, or is given one). `yield` is called after
    // every file and before every subfolder, so that a window goes on while a tree is walked.
    static ReportFolder read(const QString& folder, Subfolders subfolders, Hidden hidden,
                             const std::function<void()>& yield = {});

    // How a folder is opened for listing: tests put a call of their own in its place, one that
    // fails as a folder the user may not read does. Answers the call it replaces.
    using OpenCall = DIR* (*)(const char* path);
    static OpenCall setOpenCall(OpenCall call);

    // True when every folder was read.
    bool readWhole() const { return error.isEmpty(); }

    // Full paths, the folder's own files first, each folder's in name order.
    QStringList reports;
    // What to tell the user when a folder could not be read: "<folder>: <cause>".
    QString error;
};

}  // namespace tav::core
