#include "SaveFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

namespace rt {

namespace {

long systemWrite(int descriptor, const void* data, unsigned long length) {
    return ::write(descriptor, data, length);
}

std::atomic<SaveFile::WriteCall> writeCall{systemWrite};

// A new file is hidden and named after its target, with a marker no user's file has and this
// many characters that the system picks: ".list.tvd.tavtmp-a1B2c3". Only names of that form are
// ever removed as leftovers.
constexpr int kRandomLength = 6;
constexpr char kMarker[] = ".tavtmp-";
// How often a new file is made again when another run's sweep took it in the moment between its
// creation and its lock.
constexpr int kCreateAttempts = 8;

// Writes are gathered up to this size before they go to the system: a report's text file or run
// log in one or a few calls.
constexpr qsizetype kBufferSize = 64 * 1024;

QString causeOf(int cause) { return QString::fromLocal8Bit(std::strerror(cause)); }

// The mode of a file the program creates: what the user's umask lets through of 0666. Read
// where the system shows it, since asking umask(2) means changing it for every thread a moment.
mode_t readCreatedFileMode() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (!line.startsWith("Umask:")) continue;
            bool ok = false;
            const uint mask = line.mid(6).trimmed().toUInt(&ok, 8);
            if (ok) return 0666 & ~mask;
        }
    }
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return 0666 & ~mask;
}

// Read once a process: the program never changes its umask, and a run of many reports would
// otherwise read the system's status table at every save of a new file.
mode_t createdFileMode() {
    static const mode_t mode = readCreatedFileMode();
    return mode;
}

// The part of a new file's name before its random characters: ".<target>.tavtmp-", or the short
// ".tavtmp-" when the target's name leaves no room under the folder's longest name.
QByteArray newFilePrefix(const QByteArray& targetName, long longest) {
    const QByteArray full = '.' + targetName + kMarker;
    return full.size() + kRandomLength <= longest ? full : QByteArray(kMarker);
}

// Whether `name` is a new file's name of that prefix: the prefix and exactly the random
// characters mkostemp picks (letters and digits). Compared as bytes: a target's name is never
// read as a pattern, and names that are not valid text are matched as they are.
bool isNewFileName(const char* name, const QByteArray& prefix) {
    if (std::strncmp(name, prefix.constData(), static_cast<size_t>(prefix.size())) != 0)
        return false;
    const char* random = name + prefix.size();
    for (int i = 0; i < kRandomLength; ++i) {
        const char c = random[i];
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            return false;
    }
    return random[kRandomLength] == '\0';
}

long longestName(const QByteArray& folder) {
    const long longest = ::pathconf(folder.constData(), _PC_NAME_MAX);
    return longest > 0 ? longest : 255;
}

// Whether the open `descriptor` is still the file that `name` in the folder `directory` names.
bool stillNamed(int directory, const char* name, int descriptor) {
    struct stat open {};
    struct stat named {};
    return ::fstat(descriptor, &open) == 0 && open.st_nlink > 0 &&
           ::fstatat(directory, name, &named, AT_SYMLINK_NOFOLLOW) == 0 &&
           open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

}  // namespace

SaveFile::SaveFile(const QString& path) : path_(path) {}

SaveFile::~SaveFile() { discard(); }

SaveFile::WriteCall SaveFile::setWriteCall(WriteCall call) {
    return writeCall.exchange(call ? call : systemWrite);
}

bool SaveFile::open(OpenMode mode) {
    discard();
    failed_ = false;
    if ((mode & ReadOnly) || !(mode & WriteOnly)) {
        setErrorString(QStringLiteral("A save file is only written"));
        return false;
    }
    const QFileInfo target(path_);
    const QByteArray folder = QFile::encodeName(target.absolutePath());
    const QByteArray name = QFile::encodeName(target.fileName());
    const long longest = longestName(folder);
    if (name.isEmpty() || name.size() > longest) {
        fail(name.isEmpty() ? EISDIR : ENAMETOOLONG);
        return false;
    }
    const QByteArray prefix = folder + '/' + newFilePrefix(name, longest);
    for (int attempt = 1; descriptor_ < 0; ++attempt) {
        QByteArray pattern = prefix + QByteArray(kRandomLength, 'X');
        // mkostemp creates the file exclusively: a link or a file planted under the name is
        // refused.
        const int descriptor = ::mkostemp(pattern.data(), O_CLOEXEC);
        if (descriptor < 0) {
            fail(errno);
            return false;
        }
        // Locked until it is renamed or removed, so that another run's sweep sees it is no
        // leftover. A sweep may have taken it in the moment before the lock: it then holds the
        // lock, or has removed the file already. The sweep removes it; a new one is made. A
        // file system without locks leaves the file unlocked, as there is no other way.
        bool taken = false;
        if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
            taken = errno == EWOULDBLOCK;
        } else {
            struct stat info {};
            taken = ::fstat(descriptor, &info) != 0 || info.st_nlink == 0;
        }
        if (!taken) {
            descriptor_ = descriptor;
            temporary_ = pattern;
        } else {
            ::close(descriptor);
            if (attempt == kCreateAttempts) {
                fail(EAGAIN);
                return false;
            }
        }
    }
    // An existing file keeps its mode; a new one gets a created file's, not mkostemp's 0600.
    struct stat earlier {};
    const QByteArray targetName = QFile::encodeName(path_);
    const mode_t permissions =
        ::stat(targetName.constData(), &earlier) == 0 && S_ISREG(earlier.st_mode)
            ? earlier.st_mode & 07777
            : createdFileMode();
    ::fchmod(descriptor_, permissions);
    removeLeftovers(path_);
    buffer_.reserve(kBufferSize);
    // Buffered here, not by QIODevice: each flush is checked.
    return QIODevice::open(mode | Unbuffered);
}

qint64 SaveFile::readData(char*, qint64) { return -1; }

qint64 SaveFile::writeData(const char* data, qint64 length) {
    if (descriptor_ < 0 || failed_) return -1;
    if (buffer_.size() + length > kBufferSize) {
        if (!flushBuffer()) return -1;
        // A piece as large as the buffer goes to the system as it is.
        if (length >= kBufferSize) return writeOut(data, length) ? length : -1;
    }
    buffer_.append(data, length);
    return length;
}

bool SaveFile::flushBuffer() {
    const bool written = writeOut(buffer_.constData(), buffer_.size());
    buffer_.resize(0);
    return written;
}

bool SaveFile::writeOut(const char* data, qint64 length) {
    qint64 written = 0;
    while (written < length) {
        const long result = writeCall.load()(descriptor_, data + written,
                                             static_cast<unsigned long>(length - written));
        if (result < 0 && errno == EINTR) continue;
        if (result <= 0) {
            fail(result < 0 ? errno : ENOSPC);
            return false;
        }
        written += result;
    }
    return true;
}

bool SaveFile::commit() {
    if (descriptor_ < 0 || failed_) {
        if (!failed_) setErrorString(QStringLiteral("The file is not open"));
        discard();
        return false;
    }
    if (!flushBuffer()) return false;
    // The data must be on the disk before the name points at it: after a crash the earlier
    // file or the whole new one is there, never an empty one.
    if (::fdatasync(descriptor_) != 0) {
        fail(errno);
        return false;
    }
    // Renamed while still locked: another run's sweep never takes it for a leftover, at any
    // moment. rename(2) replaces a link at the target itself, never the file it points at.
    if (std::rename(temporary_.constData(), QFile::encodeName(path_).constData()) != 0) {
        fail(errno);
        return false;
    }
    temporary_.clear();
    const int descriptor = std::exchange(descriptor_, -1);
    QIODevice::close();
    // The file is complete on the disk and in place: a failing close can lose nothing more.
    ::close(descriptor);
    return true;
}

void SaveFile::cancelWriting() { discard(); }

void SaveFile::fail(int cause) {
    failed_ = true;
    setErrorString(causeOf(cause));
    removeNewFile();
}

void SaveFile::removeNewFile() {
    buffer_.clear();
    // Removed before it is unlocked, so that no sweep meets it half gone.
    if (!temporary_.isEmpty()) ::unlink(std::exchange(temporary_, QByteArray()).constData());
    if (descriptor_ >= 0) ::close(std::exchange(descriptor_, -1));
}

void SaveFile::discard() {
    removeNewFile();
    if (isOpen()) QIODevice::close();
}

void SaveFile::removeLeftovers(const QString& path) {
    const QFileInfo target(path);
    const QByteArray prefixes[] = {'.' + QFile::encodeName(target.fileName()) + kMarker,
                                   QByteArray(kMarker)};
    DIR* folder = ::opendir(QFile::encodeName(target.absolutePath()).constData());
    if (!folder) return;
    const int directory = ::dirfd(folder);
    while (const dirent* entry = ::readdir(folder)) {
        const char* name = entry->d_name;
        if (!isNewFileName(name, prefixes[0]) && !isNewFileName(name, prefixes[1])) continue;
        // Never opened through a link, and never waiting on a pipe planted under the name.
        const int descriptor =
            ::openat(directory, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (descriptor < 0) continue;
        struct stat info {};
        // A file that a live run still writes is locked by it until it has been renamed; one
        // renamed since it was listed is no longer under the name.
        if (::fstat(descriptor, &info) == 0 && S_ISREG(info.st_mode) &&
            ::flock(descriptor, LOCK_EX | LOCK_NB) == 0 &&
            stillNamed(directory, name, descriptor)) {
            ::unlinkat(directory, name, 0);
        }
        ::close(descriptor);
    }
    ::closedir(folder);
}

bool saveWhole(const QString& path, const QByteArray& data, QString* error) {
    SaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.commit())
        return true;
    if (error) *error = file.errorString();
    return false;
}

}  // namespace rt
