#pragma once

#include <dirent.h>

#include <QFile>
#include <QIODevice>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

#include "ReportFolder.h"
#include "ReportListFile.h"

// Reads that fail as a failing disk or a folder without the right to read it do, by the seams of
// the readers of report lists and folders: they fail alike for root and for an ordinary user.

// A file on a failing disk: its bytes read well up to `failAt`, and every read after fails.
class FailingDevice : public QIODevice {
public:
    FailingDevice(QByteArray bytes, qint64 failAt) : bytes_(std::move(bytes)), failAt_(failAt) {
        open(QIODevice::ReadOnly);
    }
    qint64 size() const override { return bytes_.size(); }

protected:
    qint64 readData(char* data, qint64 maxSize) override {
        if (read_ >= failAt_ && read_ < size()) {
            setErrorString(QStringLiteral("Input/output error"));
            return -1;
        }
        const qint64 length = std::min(maxSize, std::min(failAt_, size()) - read_);
        std::memcpy(data, bytes_.constData() + read_, static_cast<size_t>(length));
        read_ += length;
        return length;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray bytes_;
    qint64 failAt_;
    qint64 read_ = 0;
};

// While it lives, the list at `path` reads well up to `failAt` bytes, and fails after.
class FailingListFile {
public:
    FailingListFile(const QString& path, qint64 failAt)
        : previous_(tav::core::ReportListFile::setOpenCall(open)) {
        path_ = path;
        failAt_ = failAt;
    }
    ~FailingListFile() { tav::core::ReportListFile::setOpenCall(previous_); }
    FailingListFile(const FailingListFile&) = delete;
    FailingListFile& operator=(const FailingListFile&) = delete;

private:
    static std::unique_ptr<QIODevice> open(const QString& path) {
        auto file = std::make_unique<QFile>(path);
        file->open(QIODevice::ReadOnly);
        if (path != path_) return file;
        return std::make_unique<FailingDevice>(file->readAll(), failAt_);
    }
    static inline QString path_;
    static inline qint64 failAt_ = 0;
    tav::core::ReportListFile::OpenCall previous_;
};

// A folder that the walk may not read, by the seam that a user without the right meets.
class UnreadableFolder {
public:
    explicit UnreadableFolder(const QString& folder)
        : previous_(tav::core::ReportFolder::setOpenCall(open)) {
        path_ = QFile::encodeName(folder);
    }
    ~UnreadableFolder() { tav::core::ReportFolder::setOpenCall(previous_); }
    UnreadableFolder(const UnreadableFolder&) = delete;
    UnreadableFolder& operator=(const UnreadableFolder&) = delete;

private:
    static DIR* open(const char* path) {
        if (path_ == path) {
            errno = EACCES;
            return nullptr;
        }
        return ::opendir(path);
    }
    static inline QByteArray path_;
    tav::core::ReportFolder::OpenCall previous_;
};
