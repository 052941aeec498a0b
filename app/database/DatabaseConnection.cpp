#include "DatabaseConnection.h"

#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QStringEncoder>
#include <algorithm>
#include <cerrno>
#include <cstring>

namespace tav::database {

namespace {

// The engine's count of its memory takes a process-wide lock on every allocation; nothing here
// reads that count. It can only be turned off before the engine's first use, so it is turned off
// once, before the first connection, and stays off.
void leaveMemoryUncounted() {
    static const bool uncounted = sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0) == SQLITE_OK;
    Q_UNUSED(uncounted);
}

// The engine opens the file and, whenever they exist, the files it keeps beside it (the rollback
// journal, and the write-ahead log with its index) as plain files: a pipe or a device at one of
// those names would hold it forever, waiting for a writer that never comes.
void refuseSpecialFiles(const QString& path) {
    for (const char* suffix : {"", "-journal", "-wal", "-shm"}) {
        const QString name = path + QLatin1String(suffix);
        struct stat status {};
        if (::stat(QFile::encodeName(name).constData(), &status) == 0 && !S_ISREG(status.st_mode)) {
            throw DatabaseError(QStringLiteral("%1 is not a regular file").arg(name));
        }
    }
}

// The engine holds the full name of the file, links resolved, and that of its journal beside it
// within a fixed length; a longer one fails to open, and the engine says no more than that.
qsizetype longestPathForEngine() {
    const sqlite3_vfs* vfs = sqlite3_vfs_find(nullptr);
    return vfs ? vfs->mxPathname - qsizetype(std::strlen("-journal")) : 0;
}

bool tooLongForEngine(const QString& path) {
    const QFileInfo info(path);
    const QString folder = info.dir().canonicalPath();
    const QString full = (folder.isEmpty() ? info.absolutePath() : folder) + u'/' + info.fileName();
    return QFile::encodeName(full).size() > longestPathForEngine();
}

}  // namespace

// Qt's list of connections is by name: the connection's own address keeps its name apart from
// every other connection alive.
DatabaseConnection::DatabaseConnection(const QString& path, bool mayCreate, int busyTimeoutMs)
    : name_(QStringLiteral("tvdb-%1").arg(quintptr(this), 0, 16)),
      path_(path),
      busyTimeoutMs_(busyTimeoutMs) {
    leaveMemoryUncounted();
    if (!mayCreate && !QFileInfo(path).isFile()) {
        throw DatabaseError(QStringLiteral("The database file %1 does not exist.").arg(path));
    }
    refuseSpecialFiles(path);
    db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
    db_.setDatabaseName(path);
    // Another process may hold the file for the length of one report.
    db_.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs_));
    // A connection that does not come up is taken out of Qt's list at once: no destructor runs
    // for it, and a later connection may get its name.
    try {
        if (!db_.open()) {
            // The driver may keep no code of the engine's for a failed opening.
            const QSqlError error = db_.lastError();
            bool known = false;
            const int code = error.nativeErrorCode().toInt(&known);
            throw failure(known && code > 0 ? code : SQLITE_CANTOPEN, error.text());
        }
        exec(QStringLiteral("PRAGMA foreign_keys = ON"));
        // A report's rows touch pages all over the keys that begin with a field's number; a
        // cache that holds them keeps a growing file from being read again for every report.
        exec(QStringLiteral("PRAGMA cache_size = -65536"));
        // Each report's rows are written inside a savepoint, whose journal of the pages it
        // changes stays in memory rather than in a temporary file.
        exec(QStringLiteral("PRAGMA temp_store = MEMORY"));
    } catch (...) {
        close();
        throw;
    }
}

// The engine finds a file damaged where its pages contradict each other, or where it holds no
// database at all: no statement can do anything about it, and the user can, from the backup.
DatabaseError DatabaseConnection::failure(int code, const QString& text) const {
    const int primary = code & 0xff;
    if (primary == SQLITE_CANTOPEN && tooLongForEngine(path_)) {
        return DatabaseError(
            QStringLiteral("The database file %1 cannot be opened: its path is too long for the "
                           "database engine, which takes %2 bytes at most (%3)")
                .arg(path_)
                .arg(longestPathForEngine())
                .arg(text));
    }
    if (primary != SQLITE_CORRUPT && primary != SQLITE_NOTADB) return DatabaseError(text);
    return DatabaseError(
        QStringLiteral("The database file %1 is damaged (%2). Restore it from its latest backup "
                       "copy beside it, or move it aside so that a new one is made.")
            .arg(path_, text));
}

DatabaseError DatabaseConnection::failure(const QSqlError& error) const {
    return failure(error.nativeErrorCode().toInt(), error.text());
}

DatabaseConnection::~DatabaseConnection() { close(); }

void DatabaseConnection::close() noexcept {
    for (sqlite3_stmt* statement : std::as_const(writes_)) sqlite3_finalize(statement);
    writes_.clear();
    prepared_.clear();
    db_.close();
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(name_);
}

QSqlQuery DatabaseConnection::exec(const QString& sql, const QVariantList& values) {
    QSqlQuery query(db_);
    query.setForwardOnly(true);
    if (!query.prepare(sql)) throw failure(query.lastError());
    for (const QVariant& value : values) query.addBindValue(value);
    if (!query.exec()) throw failure(query.lastError());
    return query;
}

QSqlQuery& DatabaseConnection::prepared(const QString& sql) {
    auto found = prepared_.find(sql);
    if (found == prepared_.end()) {
        QSqlQuery query(db_);
        query.setForwardOnly(true);
        if (!query.prepare(sql)) throw failure(query.lastError());
        found = prepared_.insert(sql, query);
    }
    found->finish();
    return *found;
}

QSqlQuery& DatabaseConnection::run(const QString& sql, const QVariant* values, qsizetype count) {
    QSqlQuery& query = prepared(sql);
    for (qsizetype i = 0; i < count; ++i) query.bindValue(int(i), values[i]);
    if (!query.exec()) throw failure(query.lastError());
    return query;
}

namespace {

// A value, not null, of a type other than those a writer's rows hold.
void bindOther(sqlite3_stmt* statement, int at, const QVariant& value) {
    switch (value.typeId()) {
        case QMetaType::Bool:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Char:
        case QMetaType::SChar:
        case QMetaType::UChar:
        case QMetaType::Long:
        case QMetaType::LongLong:
            sqlite3_bind_int64(statement, at, value.toLongLong());
            break;
        case QMetaType::Double:
        case QMetaType::Float:
        case QMetaType::ULong:
        case QMetaType::ULongLong:
            sqlite3_bind_double(statement, at, value.toDouble());
            break;
        case QMetaType::QByteArray: {
            // The value outlives the step: the engine reads it in place.
            const QByteArray& bytes = *static_cast<const QByteArray*>(value.constData());
            sqlite3_bind_blob(statement, at, bytes.constData(), int(bytes.size()), SQLITE_STATIC);
            break;
        }
        default: {
            const QByteArray text = value.toString().toUtf8();
            sqlite3_bind_text(statement, at, text.constData(), int(text.size()), SQLITE_TRANSIENT);
            break;
        }
    }
}

}  // namespace

sqlite3_stmt* DatabaseConnection::bound(const QString& sql, const QVariant* values,
                                        qsizetype count) {
    ::sqlite3* engine = handle();
    sqlite3_stmt*& statement = writes_[sql];
    if (!statement &&
        sqlite3_prepare16_v3(engine, sql.utf16(), int(sql.size() * sizeof(char16_t)),
                             SQLITE_PREPARE_PERSISTENT, &statement, nullptr) != SQLITE_OK) {
        const QString reason = QString::fromUtf8(sqlite3_errmsg(engine));
        const int code = sqlite3_errcode(engine);
        writes_.remove(sql);
        throw failure(code, reason);
    }
    // Texts are handed over in the file's own encoding, from one buffer that holds them all until
    // the step, so that the engine neither converts nor copies them. Room for the longest form of
    // each comes first: the buffer must not move while values point into it.
    const QMetaType text = QMetaType::fromType<QString>();
    qsizetype room = 0;
    for (qsizetype i = 0; i < count; ++i) {
        if (values[i].metaType() == text)
            room += utf8_.requiredSpace(static_cast<const QString*>(values[i].constData())->size());
    }
    if (textBuffer_.size() < room) textBuffer_.resize(room);
    char* free = textBuffer_.data();
    // Every parameter is bound again for each step, so bindings from the last step, which may
    // point at texts gone since, are never read. The types that rows hold are told apart first,
    // without the look-ups of a type's number.
    for (qsizetype i = 0; i < count; ++i) {
        const QVariant& value = values[i];
        const int at = int(i + 1);
        const QMetaType type = value.metaType();
        if (value.isNull()) {
            sqlite3_bind_null(statement, at);
        } else if (type == QMetaType::fromType<int>()) {
            sqlite3_bind_int64(statement, at, *static_cast<const int*>(value.constData()));
        } else if (type == QMetaType::fromType<qlonglong>()) {
            sqlite3_bind_int64(statement, at, *static_cast<const qlonglong*>(value.constData()));
        } else if (type == QMetaType::fromType<double>()) {
            sqlite3_bind_double(statement, at, *static_cast<const double*>(value.constData()));
        } else if (type == text) {
            const QString& string = *static_cast<const QString*>(value.constData());
            // The engine drops a byte order mark that begins a text handed over as UTF-16.
            const QStringView view = !string.isEmpty() && string.front() == QChar(0xFEFF)
                                         ? QStringView(string).mid(1)
                                         : QStringView(string);
            // A text that is not well-formed UTF-16, or that begins with the mark that the engine
            // takes for big-endian text, goes as UTF-16, for the engine to read as it always has.
            char* const begin = free;
            bool converted = view.isEmpty() || view.front() != QChar(0xFFFE);
            if (converted) {
                free = utf8_.appendToBuffer(begin, view);
                converted = !utf8_.hasError();
            }
            if (converted) {
                sqlite3_bind_text(statement, at, begin, int(free - begin), SQLITE_STATIC);
            } else {
                utf8_.resetState();
                free = begin;
                sqlite3_bind_text16(statement, at, string.utf16(),
                                    int(string.size() * sizeof(char16_t)), SQLITE_STATIC);
            }
        } else {
            bindOther(statement, at, value);
        }
    }
    return statement;
}

qint64 DatabaseConnection::write(const QString& sql, const QVariant* values, qsizetype count) {
    sqlite3_stmt* statement = bound(sql, values, count);
    const int status = sqlite3_step(statement);
    ::sqlite3* engine = sqlite3_db_handle(statement);
    const QString reason =
        status == SQLITE_DONE ? QString() : QString::fromUtf8(sqlite3_errmsg(engine));
    sqlite3_reset(statement);
    if (status != SQLITE_DONE) throw failure(status, reason);
    return sqlite3_last_insert_rowid(engine);
}

QList<qint64> DatabaseConnection::integers(const QString& sql, const QVariant* values,
                                           qsizetype count) {
    sqlite3_stmt* statement = bound(sql, values, count);
    QList<qint64> found;
    int status = SQLITE_ROW;
    while ((status = sqlite3_step(statement)) == SQLITE_ROW)
        found << sqlite3_column_int64(statement, 0);
    const QString reason = status == SQLITE_DONE
                               ? QString()
                               : QString::fromUtf8(sqlite3_errmsg(sqlite3_db_handle(statement)));
    sqlite3_reset(statement);
    if (status != SQLITE_DONE) throw failure(status, reason);
    return found;
}

bool DatabaseConnection::isEmpty() {
    QSqlQuery query = exec(QStringLiteral("SELECT count(*) FROM sqlite_master"));
    return query.next() && query.value(0).toInt() == 0;
}

QStringList DatabaseConnection::columns(const QString& table) {
    QSqlQuery query = exec(QStringLiteral("SELECT name FROM pragma_table_info(?)"), {table});
    QStringList names;
    while (query.next()) names << query.value(0).toString();
    return names;
}

bool DatabaseConnection::hasTable(const QString& table) {
    QSqlQuery query = exec(
        QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?"), {table});
    return query.next();
}

bool DatabaseConnection::hasColumn(const QString& table, const QString& column) {
    return columns(table).contains(column, Qt::CaseInsensitive);
}

void DatabaseConnection::begin() {
    // Another program may have put something at a journal's name since the last transaction.
    refuseSpecialFiles(path_);
    // A connection kept between reports waits as long as a new one would.
    run(QStringLiteral("PRAGMA busy_timeout = %1").arg(busyTimeoutMs_), {});
    run(QStringLiteral("BEGIN IMMEDIATE"), {});
}

void DatabaseConnection::commit() { run(QStringLiteral("COMMIT"), {}); }

bool DatabaseConnection::inTransaction() { return sqlite3_get_autocommit(handle()) == 0; }

void DatabaseConnection::savepoint(const QString& name) {
    write(QStringLiteral("SAVEPOINT \"%1\"").arg(name), nullptr, 0);
}

void DatabaseConnection::release(const QString& name) {
    write(QStringLiteral("RELEASE \"%1\"").arg(name), nullptr, 0);
}

void DatabaseConnection::rollbackTo(const QString& name) noexcept {
    try {
        for (QSqlQuery& query : prepared_) query.finish();
        QSqlQuery query(db_);
        query.exec(QStringLiteral("ROLLBACK TO \"%1\"").arg(name));
        query.exec(QStringLiteral("RELEASE \"%1\"").arg(name));
    } catch (...) {
    }
}

::sqlite3* DatabaseConnection::handle() {
    const QVariant value = db_.driver()->handle();
    ::sqlite3* const* engine = value.isValid() && qstrcmp(value.typeName(), "sqlite3*") == 0
                                   ? static_cast<::sqlite3* const*>(value.constData())
                                   : nullptr;
    if (!engine || !*engine)
        throw DatabaseError(QStringLiteral("The database connection is closed."));
    return *engine;
}

void DatabaseConnection::readFile(const std::function<bool(QByteArrayView block)>& take) {
    // The engine's own descriptor of the file, read through its own interface. Nothing of this
    // transaction is written to the file before it commits, so the bytes are the committed file.
    sqlite3_file* file = nullptr;
    if (sqlite3_file_control(handle(), "main", SQLITE_FCNTL_FILE_POINTER, &file) != SQLITE_OK ||
        !file || !file->pMethods) {
        throw DatabaseError(QStringLiteral("The database file cannot be read"));
    }
    sqlite3_int64 size = 0;
    if (file->pMethods->xFileSize(file, &size) != SQLITE_OK) {
        throw DatabaseError(QStringLiteral("The database file cannot be read"));
    }
    QByteArray block(1 << 16, Qt::Uninitialized);
    for (sqlite3_int64 offset = 0; offset < size; offset += block.size()) {
        const int length = int(std::min<sqlite3_int64>(block.size(), size - offset));
        const int status = file->pMethods->xRead(file, block.data(), length, offset);
        if (status != SQLITE_OK) throw DatabaseError(QString::fromUtf8(sqlite3_errstr(status)));
        if (!take(QByteArrayView(block.constData(), length))) return;
    }
}

void DatabaseConnection::rollback() noexcept {
    try {
        // A statement failed inside the transaction; the engine may have ended it already.
        for (QSqlQuery& query : prepared_) query.finish();
        for (sqlite3_stmt* statement : std::as_const(writes_)) sqlite3_reset(statement);
        QSqlQuery query(db_);
        query.exec(QStringLiteral("ROLLBACK"));
    } catch (...) {
    }
}

}  // namespace tav::database
