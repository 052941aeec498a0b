#include "DbConnection.h"

#include <QFileInfo>
#include <QSqlError>
#include <atomic>

namespace tav::database {

namespace {
std::atomic<int> busyTimeoutMs{120000};

QString nextConnectionName() {
    static std::atomic<int> counter{0};
    return QStringLiteral("tvdb-%1").arg(++counter);
}
}  // namespace

DbConnection::DbConnection(const QString& path, bool mayCreate) : name_(nextConnectionName()) {
    if (!mayCreate && !QFileInfo(path).isFile()) {
        throw DbError(QStringLiteral("The database file %1 does not exist.").arg(path));
    }
    db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
    db_.setDatabaseName(path);
    // Another process may hold the file for the length of one report.
    db_.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs.load()));
    if (!db_.open()) {
        const QString text = db_.lastError().text();
        db_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(name_);
        throw DbError(text);
    }
    exec(QStringLiteral("PRAGMA foreign_keys = ON"));
    // A report's rows touch pages all over the keys that begin with a field's number; a cache
    // that holds them keeps a growing file from being read again for every report.
    exec(QStringLiteral("PRAGMA cache_size = -65536"));
}

int DbConnection::setBusyTimeout(int milliseconds) { return busyTimeoutMs.exchange(milliseconds); }

DbConnection::~DbConnection() {
    prepared_.clear();
    db_.close();
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(name_);
}

QSqlQuery DbConnection::exec(const QString& sql, const QVariantList& values) {
    QSqlQuery query(db_);
    query.setForwardOnly(true);
    if (!query.prepare(sql)) throw DbError(query.lastError().text());
    for (const QVariant& value : values) query.addBindValue(value);
    if (!query.exec()) throw DbError(query.lastError().text());
    return query;
}

QSqlQuery& DbConnection::prepared(const QString& sql) {
    auto found = prepared_.find(sql);
    if (found == prepared_.end()) {
        QSqlQuery query(db_);
        query.setForwardOnly(true);
        if (!query.prepare(sql)) throw DbError(query.lastError().text());
        found = prepared_.insert(sql, query);
    }
    found->finish();
    return *found;
}

QSqlQuery& DbConnection::run(const QString& sql, const QVariant* values, qsizetype count) {
    QSqlQuery& query = prepared(sql);
    for (qsizetype i = 0; i < count; ++i) query.bindValue(int(i), values[i]);
    if (!query.exec()) throw DbError(query.lastError().text());
    return query;
}

QSqlQuery& DbConnection::runNamed(const QString& sql, const QVariant* values, qsizetype count) {
    QSqlQuery& query = prepared(sql);
    for (qsizetype i = 0; i < count; ++i) query.bindValue(placeholder(i), values[i]);
    if (!query.exec()) throw DbError(query.lastError().text());
    return query;
}

const QString& DbConnection::placeholder(qsizetype index) {
    // One list per thread: connections of other threads never wait for it.
    thread_local QStringList names;
    while (names.size() <= index) names << QStringLiteral(":v%1").arg(names.size());
    return names[index];
}

bool DbConnection::isEmpty() {
    QSqlQuery query = exec(QStringLiteral("SELECT count(*) FROM sqlite_master"));
    return query.next() && query.value(0).toInt() == 0;
}

QStringList DbConnection::columns(const QString& table) {
    QSqlQuery query = exec(QStringLiteral("SELECT name FROM pragma_table_info(?)"), {table});
    QStringList names;
    while (query.next()) names << query.value(0).toString();
    return names;
}

bool DbConnection::hasTable(const QString& table) {
    QSqlQuery query = exec(
        QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?"), {table});
    return query.next();
}

bool DbConnection::hasColumn(const QString& table, const QString& column) {
    return columns(table).contains(column, Qt::CaseInsensitive);
}

void DbConnection::begin() {
    // A connection kept between reports waits as long as a new one would.
    run(QStringLiteral("PRAGMA busy_timeout = %1").arg(busyTimeoutMs.load()), {});
    run(QStringLiteral("BEGIN IMMEDIATE"), {});
}

void DbConnection::commit() { run(QStringLiteral("COMMIT"), {}); }

void DbConnection::rollback() noexcept {
    try {
        // A statement failed inside the transaction; the engine may have ended it already.
        for (QSqlQuery& query : prepared_) query.finish();
        QSqlQuery query(db_);
        query.exec(QStringLiteral("ROLLBACK"));
    } catch (...) {
    }
}

}  // namespace tav::database
