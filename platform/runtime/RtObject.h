#pragma once

#include <QDateTime>
#include <QString>
#include <functional>
#include <memory>

#include "RtError.h"

namespace rt {

class Collection;

// The date-time whose numeric value is 0, in local time: 30 December 1899, 00:00:00. An absent
// date reads as it.
inline QDateTime zeroDateTime() { return QDateTime(QDate(1899, 12, 30), QTime(0, 0)); }

// One object of a report's design as the runtime presents it. Values are read by member name
// and typed by the reader; every read may fail with an Error. Absent values read as 0, false,
// the empty text, the zero date-time, nothing (nullptr) or an empty collection.
class Object {
public:
    Object() = default;
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;
    virtual ~Object() = default;

    virtual QString typeName() const = 0;

    virtual QString text(const char* member) const = 0;
    // Whole numbers: 32-bit codes, colours (unsigned 32-bit) and wider values a reader narrows.
    virtual qint64 integer(const char* member) const = 0;
    virtual bool flag(const char* member) const = 0;
    virtual double real(const char* member) const = 0;
    virtual QDateTime dateTime(const char* member) const = 0;
    virtual std::unique_ptr<Object> object(const char* member) const = 0;
    virtual std::unique_ptr<Collection> collection(const char* member) const = 0;

    // Called by name on report objects, field elements and sections: the text of the
    // conditional formula with that number, empty when there is none.
    virtual QString conditionFormula(qint16 formulaNumber) const = 0;

    // A subreport object opens the report it holds.
    virtual std::unique_ptr<Object> openSubreport() const = 0;

    // A database table: its connectivity test and its connection properties by name.
    virtual bool testConnectivity() const = 0;
    virtual QString connectionProperty(const QString& name) const = 0;
    virtual void setConnectionProperty(const QString& name, const QString& value) = 0;

    // The report's few writable values (its parameter prompting switch).
    virtual void setFlag(const char* member, bool value) = 0;

    // One address for every object of the same element of a design, for as long as any object
    // of its document lives: a reader may remember what it learnt of an element. nullptr where
    // the runtime cannot tell its elements apart.
    virtual const void* identity() const { return nullptr; }
};

// A 1-based collection in the runtime's order.
class Collection {
public:
    Collection() = default;
    Collection(const Collection&) = delete;
    Collection& operator=(const Collection&) = delete;
    virtual ~Collection() = default;

    virtual int count() const = 0;
    // Fails with kErrSubscript outside 1..count().
    virtual std::unique_ptr<Object> item(int position) const = 0;
    // The position of the first item whose text `member` equals `value` exactly; 0 when none.
    // Fails as reading the items does. A collection may answer without reading every item.
    virtual int indexOf(const char* member, const QString& value) const {
        for (int i = 1, n = count(); i <= n; ++i) {
            if (item(i)->text(member) == value) return i;
        }
        return 0;
    }
};

// Where the compound-file library's own notes about a file go while the file is read: a
// program's messages on standard error are for its user, and the library's notes about a
// damaged file are not. Called on the reading thread, during the read, from inside the library:
// it must not throw. Without one, the notes go to standard error as the library would print them.
using LibraryNotes = std::function<void(const QString& note)>;

// Opens report files. A report file is a design document or a compound file holding one.
class Application {
public:
    // Fails with an Error telling why the file cannot be opened.
    std::unique_ptr<Object> openReport(const QString& path, const LibraryNotes& notes = {}) const;
};

}  // namespace rt
