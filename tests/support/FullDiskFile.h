#pragma once

#include "SaveFile.h"

// A file that takes `room` bytes and refuses the rest, as a full disk does.
class FullDiskFile final : public rt::SaveFile {
public:
    FullDiskFile(const QString& path, qint64 room) : rt::SaveFile(path), room_(room) {}

protected:
    qint64 writeData(const char* data, qint64 length) override {
        if (length > room_) {
            setErrorString(QStringLiteral("No space left on device"));
            return -1;
        }
        room_ -= length;
        return rt::SaveFile::writeData(data, length);
    }

private:
    qint64 room_;
};
