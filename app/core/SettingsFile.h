#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <vector>

namespace tav::core {

// The settings file in the INI layout that Qt's settings library reads and writes: the reader
// takes what that library writes (and what people type into it), and the writer writes a value
// byte for byte as that library does, so that files of either stay readable by both.
//
// Reading costs one pass over the file and decodes only the values asked for: a file of many
// values that are not the program's own starts as fast as a small one. A value that no one set
// is written back with its own text, as it stood.
class SettingsFile {
public:
    enum class Status {
        Read,       // read, or not there
        Malformed,  // a line that is neither a section, a value nor a comment
        Unreadable  // there, but it cannot be opened or read
    };

    // Reads `path`; a file that is not there reads as empty.
    static SettingsFile read(const QString& path, Status* status = nullptr);

    // The values of the file, one for each line that holds one, in the order of the file and
    // then in the order set: their keys ("Group/name", or "name" outside a group) and their
    // values as text, as the settings library reads them. Where a key is there twice, the later
    // one counts.
    qsizetype size() const { return static_cast<qsizetype>(entries_.size()); }
    QString keyAt(qsizetype index) const;
    QString textAt(qsizetype index) const;

    // Sets `key` to `text`, in place of what the file held.
    void setValue(const QString& key, const QString& text);

    // The whole file: groups in the order of their names, the values without a group first
    // under "[General]", and each group's keys in the order of their names.
    QByteArray text() const;

    // How the settings library writes a text value after the '=' of its line.
    static QByteArray escapedValue(const QString& text);

private:
    // A value of the file whose key is plain (letters, digits and "_.-" alone: read as written)
    // lies in data_; any other, and every value set, is held decoded. Small, as a file may hold
    // hundreds of thousands.
    struct Entry {
        qsizetype keyStart = 0;    // in data_, or the index in held_
        qsizetype valueStart = 0;  // the text after '=' in data_
        qint32 keySize = -1;       // -1 for a value held
        qint32 valueSize = 0;
        qint32 group = 0;  // index in groups_
    };
    struct Held {
        QString key;     // "Group/name" or "name"
        QByteArray raw;  // the text after '='
    };
    QByteArrayView rawValueOf(const Entry& entry) const;
    qint32 groupIndex(const QString& group);

    QByteArray data_;                         // the file as read
    std::vector<QString> groups_{QString()};  // the groups' names; "" outside a group
    QHash<QString, qint32> groupIndexes_{{QString(), 0}};
    std::vector<Held> held_;
    std::vector<Entry> entries_;  // in the order of the file, then in the order set
};

}  // namespace tav::core
