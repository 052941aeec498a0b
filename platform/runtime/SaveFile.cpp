#include "SaveFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
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

// A new file is named after its target and this many characters that the system picks.
constexpr int kRandomLength = 6;
// The name of a new file whose target's name leaves no room for the suffix.
const QString kShortStem = QStringLiteral("~tav");

QString causeOf(int cause) { return QString::fromLocal8Bit(std::strerror(cause)); }

// The mode of a file the program creates: what the user's umask lets through of 0666. Read
// where the system shows it, since asking umask(2) means changing it for every thread a moment.
mode_t createdFileMode() {
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

// The names a new file of `target` may have: its own name and a suffix, or the short name.
QRegularExpression newFileNames(const QString& targetName) {
    const QString random = QStringLiteral("[A-Za-z0-9]{%1}").arg(kRandomLength);
    return QRegularExpression(QStringLiteral("\\A(?:%1|%2)\\.%3\\z")
                                  .arg(QRegularExpression::escape(targetName),
                                       QRegularExpression::escape(kShortStem), random));
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
    long longest = ::pathconf(folder.constData(), _PC_NAME_MAX);
    if (longest <= 0) longest = 255;
    if (name.isEmpty() || name.size() > longest) {
        fail(name.isEmpty() ? EISDIR : ENAMETOOLONG);
        return false;
    }
    const QByteArray stem =
        name.size() + 1 + kRandomLength <= longest ? name : QFile::encodeName(kShortStem);
    QByteArray pattern = folder + '/' + stem + '.' + QByteArray(kRandomLength, 'X');
    // mkostemp creates the file exclusively: a link or a file planted under the name is refused.
    const int descriptor = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (descriptor < 0) {
        fail(errno);
        return false;
    }
    descriptor_ = descriptor;
    temporary_ = pattern;
    // Held until the file is gone, so that another run sees it is no leftover.
    ::flock(descriptor_, LOCK_EX | LOCK_NB);
    // An existing file keeps its mode; a new one gets a created file's, not mkostemp's 0600.
    struct stat earlier {};
    const QByteArray targetName = QFile::encodeName(path_);
    const mode_t permissions =
        ::stat(targetName.constData(), &earlier) == 0 && S_ISREG(earlier.st_mode)
            ? earlier.st_mode & 07777
            : createdFileMode();
    ::fchmod(descriptor_, permissions);
    removeLeftovers(path_);
    return QIODevice::open(mode | Unbuffered);
}

qint64 SaveFile::readData(char*, qint64) { return -1; }

qint64 SaveFile::writeData(const char* data, qint64 length) {
    if (descriptor_ < 0 || failed_) return -1;
    qint64 written = 0;
    while (written < length) {
        const long result = writeCall.load()(descriptor_, data + written,
                                             static_cast<unsigned long>(length - written));
        if (result < 0 && errno == EINTR) continue;
        if (result <= 0) {
            fail(result < 0 ? errno : ENOSPC);
            return -1;
        }
        written += result;
    }
    return written;
}

bool SaveFile::commit() {
    if (descriptor_ < 0 || failed_) {
        if (!failed_) setErrorString(QStringLiteral("The file is not open"));
        discard();
        return false;
    }
    // The data must be on the disk before the name points at it: after a crash the earlier
    // file or the whole new one is there, never an empty one.
    if (::fsync(descriptor_) != 0) {
        fail(errno);
        return false;
    }
    const int descriptor = std::exchange(descriptor_, -1);
    if (::close(descriptor) != 0) {
        descriptor_ = -1;
        fail(errno);
        return false;
    }
    // rename(2) replaces a link at the target itself, never the file it points at.
    if (std::rename(temporary_.constData(), QFile::encodeName(path_).constData()) != 0) {
        fail(errno);
        return false;
    }
    temporary_.clear();
    QIODevice::close();
    const QByteArray folder = QFile::encodeName(QFileInfo(path_).absolutePath());
    const int directory = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (directory >= 0) {
        ::fsync(directory);
        ::close(directory);
    }
    return true;
}

void SaveFile::cancelWriting() { discard(); }

void SaveFile::fail(int cause) {
    failed_ = true;
    setErrorString(causeOf(cause));
    removeNewFile();
}

void SaveFile::removeNewFile() {
    if (descriptor_ >= 0) ::close(std::exchange(descriptor_, -1));
    if (!temporary_.isEmpty()) ::unlink(std::exchange(temporary_, QByteArray()).constData());
}

void SaveFile::discard() {
    removeNewFile();
    if (isOpen()) QIODevice::close();
}

void SaveFile::removeLeftovers(const QString& path) {
    const QFileInfo target(path);
    const QRegularExpression names = newFileNames(target.fileName());
    const QDir folder = target.absoluteDir();
    const QString any = QStringLiteral(".") + QString(kRandomLength, u'?');
    const QStringList candidates =
        folder.entryList({target.fileName() + any, kShortStem + any},
                         QDir::Files | QDir::Hidden | QDir::System, QDir::NoSort);
    for (const QString& name : candidates) {
        if (!names.match(name).hasMatch()) continue;
        const QByteArray leftover = QFile::encodeName(folder.filePath(name));
        // A file that another run still writes is locked by it.
        const int descriptor = ::open(leftover.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        if (descriptor < 0) continue;
        struct stat info {};
        if (::fstat(descriptor, &info) == 0 && S_ISREG(info.st_mode) &&
            ::flock(descriptor, LOCK_EX | LOCK_NB) == 0) {
            ::unlink(leftover.constData());
        }
        ::close(descriptor);
    }
}

bool saveWhole(const QString& path, const QByteArray& data, QString* error) {
    SaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.commit())
        return true;
    if (error) *error = file.errorString();
    return false;
}

}  // namespace rt
