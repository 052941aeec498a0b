#pragma once

#include <QByteArrayView>
#include <QHash>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QStringEncoder>
#include <QVariantList>
#include <functional>
#include <stdexcept>

struct sqlite3;
struct sqlite3_stmt;

namespace tav::database {

// A failed statement or connection of the documentation database, with the engine's text. It
// stays inside this library: what other libraries call answers false with the text instead.
class DatabaseError : public std::runtime_error {
public:
    explicit DatabaseError(const QString& text)
        : std::runtime_error(text.toStdString()), text_(text) {}
    const QString& text() const noexcept { return text_; }

private:
    QString text_;
};

// One connection of its own to the database file, closed when it goes out of scope: it lasts
// as long as its owner wants it (a call, or a run's session). Foreign keys are enforced on every
// connection. Values are always bound, never put into the statement text.
class DatabaseConnection {
public:
    // How long a connection waits by default for a lock that another process holds: two
    // minutes, the length of a long report.
    static constexpr int kDefaultBusyTimeoutMs = 120000;

    // Opens the file; `mayCreate` false refuses a path where no file exists. The connection
    // waits `busyTimeoutMs` for a lock that another process holds.
    explicit DatabaseConnection(const QString& path, bool mayCreate = false,
                                int busyTimeoutMs = kDefaultBusyTimeoutMs);
    ~DatabaseConnection();
    DatabaseConnection(const DatabaseConnection&) = delete;
    DatabaseConnection& operator=(const DatabaseConnection&) = delete;

    // Runs one statement; throws DatabaseError when it fails. The query is positioned before its
    // first row.
    QSqlQuery exec(const QString& sql, const QVariantList& values = {});

    // Runs one statement through a statement kept prepared for the connection's life: for the
    // statements that a writer runs once per row. The query stays valid until the next run of
    // the same text.
    QSqlQuery& run(const QString& sql, const QVariantList& values) {
        return run(sql, values.constData(), values.size());
    }
    // The same with `count` values from `values` on: one slice of a longer list.
    QSqlQuery& run(const QString& sql, const QVariant* values, qsizetype count);
    // Runs one statement that answers no rows (an insert, a delete, a savepoint) with `count`
    // values from `values` on, bound in the order of the statement's parameters, and answers the
    // row id of the last row inserted. The statement is kept prepared in the engine itself for
    // the connection's life: the writer's rows pass here, and binding through the engine's own
    // interface costs a fraction of the driver's.
    qint64 write(const QString& sql, const QVariant* values, qsizetype count);
    // The same for a query whose first column holds integers: their values, row by row.
    QList<qint64> integers(const QString& sql, const QVariant* values, qsizetype count);

    bool hasTable(const QString& table);
    bool hasColumn(const QString& table, const QString& column);
    QStringList columns(const QString& table);

    // A write transaction: the file's write lock is taken at once, waiting while another
    // process holds it, so that two writers follow each other instead of failing halfway.
    void begin();
    void commit();
    void rollback() noexcept;
    // True while a transaction is open: the engine ends one by itself after some failures (a
    // full disk, no memory), whatever its savepoints.
    bool inTransaction();
    // A savepoint inside the transaction, and its two ends: kept, or undone alone.
    void savepoint(const QString& name);
    void release(const QString& name);
    void rollbackTo(const QString& name) noexcept;

    // Passes the file's committed bytes to `take`, a block at a time, until the end or until
    // `take` answers false. They are read through this connection's own descriptor: inside a
    // write transaction the file is read under its lock, never through a second descriptor
    // (closing one would drop the process's locks on it). Called before the transaction
    // changes anything.
    void readFile(const std::function<bool(QByteArrayView block)>& take);

    // True while the file holds no table: a new or 0-byte file, or one whose creation never
    // completed.
    bool isEmpty();

private:
    // Lets go of the statements and the file, and takes the connection out of Qt's list.
    void close() noexcept;
    // The failure of a statement from the engine's code and text: a damaged file is named so.
    DatabaseError failure(int code, const QString& text) const;
    DatabaseError failure(const QSqlError& error) const;
    QSqlQuery& prepared(const QString& sql);
    // The statement of `sql`, kept prepared in the engine, with `values` bound.
    ::sqlite3_stmt* bound(const QString& sql, const QVariant* values, qsizetype count);
    ::sqlite3* handle();

    QString name_;
    QString path_;
    int busyTimeoutMs_;
    QSqlDatabase db_;
    QHash<QString, QSqlQuery> prepared_;
    QHash<QString, ::sqlite3_stmt*> writes_;
    // The texts of the statement being written, in the file's encoding.
    QStringEncoder utf8_{QStringEncoder::Utf8, QStringEncoder::Flag::Stateless};
    QByteArray textBuffer_;
};

}  // namespace tav::database
