#include "ReportFolder.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include "ReportListFile.h"
#include "TextUtilities.h"

namespace tav::core {

namespace {

ReportFolder::OpenCall openCall = ::opendir;

struct Listing {
    QStringList files;
    QStringList folders;
};

// The files and folders of the open `listing`, by name. A name that is not valid text (UTF-8)
// is listed all the same, with replacement characters, so that the run names it instead of
// passing over it. False, with errno set, when the listing breaks off.
bool list(DIR* listing, ReportFolder::Hidden hidden, Listing& found) {
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(listing);
        if (!entry) return errno == 0;
        const char* name = entry->d_name;
        if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) continue;
        if (name[0] == '.' && hidden == ReportFolder::Hidden::Left) continue;
        struct stat target;
        struct stat itself;
        // A link to a file counts as the file; a link to a folder is not followed, since a link
        // back up the tree would never end the walk.
        if (::fstatat(::dirfd(listing), name, &target, 0) == 0 && S_ISREG(target.st_mode))
            found.files << QFile::decodeName(name);
        else if (::fstatat(::dirfd(listing), name, &itself, AT_SYMLINK_NOFOLLOW) == 0 &&
                 S_ISDIR(itself.st_mode))
            found.folders << QFile::decodeName(name);
    }
}

bool walk(const QString& folder, ReportFolder::Subfolders subfolders, ReportFolder::Hidden hidden,
          const std::function<void()>& yield, ReportFolder& result) {
    const auto failed = [&] {
        result.error = withVisibleControls(folder) + QStringLiteral(": ") +
                       QString::fromLocal8Bit(std::strerror(errno));
        return false;
    };
    errno = 0;
    DIR* listing = openCall(QFile::encodeName(folder).constData());
    if (!listing) return failed();
    Listing found;
    const bool listed = list(listing, hidden, found);
    const int cause = errno;
    ::closedir(listing);
    errno = cause;
    if (!listed) return failed();
    std::stable_sort(found.files.begin(), found.files.end());
    std::stable_sort(found.folders.begin(), found.folders.end());
    for (const QString& name : std::as_const(found.files)) {
        if (ReportListFile::namesReport(name)) result.reports << folder + name;
        if (yield) yield();
    }
    if (subfolders == ReportFolder::Subfolders::Left) return true;
    for (const QString& name : std::as_const(found.folders)) {
        if (yield) yield();
        if (!walk(folder + name + u'/', subfolders, hidden, yield, result)) return false;
    }
    return true;
}

}  // namespace

ReportFolder::OpenCall ReportFolder::setOpenCall(OpenCall call) {
    return std::exchange(openCall, call);
}

ReportFolder ReportFolder::read(const QString& folder, Subfolders subfolders, Hidden hidden,
                                const std::function<void()>& yield) {
    ReportFolder result;
    const bool separated = folder.endsWith(u'/') || folder.endsWith(u'\\');
    walk(separated ? folder : folder + u'/', subfolders, hidden, yield, result);
    return result;
}

}  // namespace tav::core
