#pragma once

#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "SaveFile.h"

// While it lives, every save of the process meets a full disk once `room` bytes are written, as
// a full file system answers: a write past the room fails with ENOSPC, one across it is short.
// Runs without a file system of its own, so without the rights to mount one.
class FullDiskSeam {
public:
    explicit FullDiskSeam(long room) : previous_(rt::SaveFile::setWriteCall(write)) {
        room_ = room;
    }
    ~FullDiskSeam() { rt::SaveFile::setWriteCall(previous_); }
    FullDiskSeam(const FullDiskSeam&) = delete;
    FullDiskSeam& operator=(const FullDiskSeam&) = delete;

private:
    static long write(int descriptor, const void* data, unsigned long length) {
        if (room_ <= 0) {
            errno = ENOSPC;
            return -1;
        }
        const long taken = ::write(descriptor, data, std::min<unsigned long>(length, room_));
        if (taken > 0) room_ -= taken;
        return taken;
    }

    static inline long room_ = 0;
    rt::SaveFile::WriteCall previous_;
};
