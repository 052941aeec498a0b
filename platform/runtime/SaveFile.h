#pragma once

#include <QIODevice>
#include <QString>

namespace rt {

// A file saved whole or not at all. What is written goes to a new file of its own in the
// target's folder; commit() makes sure every byte reached the disk and renames it over the
// target, so a reader sees the earlier file or the new one, never a part of either. A link at
// the target is replaced by the file, never written through. On any failure, and when the
// object goes without a commit, the new file is removed and the earlier one is left as it was.
//
// The new file is hidden and named after the target with a marker of the program's own
// (".list.tvd.tavtmp-a1B2c3"), and locked until it is renamed or removed: a run that meets such a
// file unlocked knows that a killed run left it.
//
// Writes are gathered and go to the system in large pieces, each checked: a full disk shows up
// at the write or the commit() that met it, with the system's cause ("No space left on device")
// in errorString().
class SaveFile : public QIODevice {
public:
    explicit SaveFile(const QString& path);
    ~SaveFile() override;

    SaveFile(const SaveFile&) = delete;
    SaveFile& operator=(const SaveFile&) = delete;

    // The file it saves.
    QString fileName() const { return path_; }

    // Whether a write or the commit failed: errorString() then holds the system's cause.
    bool hasFailed() const { return failed_; }

    // Creates the new file, and removes what earlier saves of the same file that never ended
    // left. Only for writing; false, with the cause in errorString(), when the folder cannot
    // take it.
    bool open(OpenMode mode) override;

    // Puts the new file in place of the target. False, with the cause in errorString(), when a
    // write failed before or the file cannot be completed; the earlier file is then untouched.
    bool commit();

    // Throws the new file away; the earlier one stays.
    void cancelWriting();

    bool isSequential() const override { return true; }

    // The system's write, replaceable so that tests can make a disk full without one.
    using WriteCall = long (*)(int descriptor, const void* data, unsigned long length);
    static WriteCall setWriteCall(WriteCall call);

    // Removes what runs killed before their commit left beside `path`: unlocked regular files
    // named as this class names the new files of `path` (or, for a name too long for that, of
    // any target). A file of another name is never touched.
    static void removeLeftovers(const QString& path);

protected:
    qint64 readData(char* data, qint64 length) override;
    qint64 writeData(const char* data, qint64 length) override;

private:
    void fail(int cause);
    void removeNewFile();
    void discard();
    bool flushBuffer();
    bool writeOut(const char* data, qint64 length);

    QString path_;
    QByteArray temporary_;  // the new file's name, encoded for the system
    int descriptor_ = -1;
    QByteArray buffer_;  // written, not yet given to the system
    bool failed_ = false;
};

// Saves `data` as the whole of `path`. False, with the cause in `error`, when it cannot be; the
// earlier file then stays as it was.
bool saveWhole(const QString& path, const QByteArray& data, QString* error);

}  // namespace rt
