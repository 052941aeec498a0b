#include "tvDbConnection.h"

#include <QFileInfo>
#include <QSqlError>
#include <atomic>

namespace {
std::atomic<int> busyTimeoutMs{120000};

QString nextConnectionName() {
    static std::atomic<int> counter{0};
    return QStringLiteral("tvdb-%1").arg(++counter);
}
}  // namespace

tvDbConnection::tvDbConnection(const QString& path, bool mayCreate) : name_(nextConnectionName()) {
    if (!mayCreate && !QFileInfo(path).isFile()) {
        throw tvDbError(QStringLiteral("The database file %1 does not exist.").arg(path));
    }
    db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
    db_.setDatabaseName(path);
    // Another process may hold the file for the length of one report.
    db_.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs.load()));
    if (!db_.open()) {
        const QString text = db_.lastError().text();
        db_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(name_);
        throw tvDbError(text);
    }
    exec(QStringLiteral("PRAGMA foreign_keys = ON"));
    // A report's rows touch pages all over the keys that begin with a field's number; a cache
    // that holds them keeps a growing file from being read again for every report.
    exec(QStringLiteral("PRAGMA cache_size = -65536"));
}

int tvDbConnection::setBusyTimeout(int milliseconds) {
    return busyTimeoutMs.exchange(milliseconds);
}

tvDbConnection::~tvDbConnection() {
    prepared_.clear();
    db_.close();
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(name_);
}

QSqlQuery tvDbConnection::exec(const QString& sql, const QVariantList& values) {
    QSqlQuery query(db_);
    query.setForwardOnly(true);
    if (!query.prepare(sql)) throw tvDbError(query.lastError().text());
    for (const QVariant& value : values) query.addBindValue(value);
    if (!query.exec()) throw tvDbError(query.lastError().text());
    return query;
}

QSqlQuery& tvDbConnection::prepared(const QString& sql) {
    auto found = prepared_.find(sql);
    if (found == prepared_.end()) {
        QSqlQuery query(db_);
        query.setForwardOnly(true);
        if (!query.prepare(sql)) throw tvDbError(query.lastError().text());
        found = prepared_.insert(sql, query);
    }
    found->finish();
    return *found;
}

QSqlQuery& tvDbConnection::run(const QString& sql, const QVariant* values, qsizetype count) {
    QSqlQuery& query = prepared(sql);
    for (qsizetype i = 0; i < count; ++i) query.bindValue(int(i), values[i]);
    if (!query.exec()) throw tvDbError(query.lastError().text());
    return query;
}

QSqlQuery& tvDbConnection::runNamed(const QString& sql, const QVariant* values, qsizetype count) {
    QSqlQuery& query = prepared(sql);
    for (qsizetype i = 0; i < count; ++i) query.bindValue(placeholder(i), values[i]);
    if (!query.exec()) throw tvDbError(query.lastError().text());
    return query;
}

const QString& tvDbConnection::placeholder(qsizetype index) {
    // One list per thread: connections of other threads never wait for it.
    thread_local QStringList names;
    while (names.size() <= index) names << QStringLiteral(":v%1").arg(names.size());
    return names[index];
}

bool tvDbConnection::isEmpty() {
    QSqlQuery query = exec(QStringLiteral("SELECT count(*) FROM sqlite_master"));
    return query.next() && query.value(0).toInt() == 0;
}

QStringList tvDbConnection::columns(const QString& table) {
    QSqlQuery query = exec(QStringLiteral("SELECT name FROM pragma_table_info(?)"), {table});
    QStringList names;
    while (query.next()) names << query.value(0).toString();
    return names;
}

bool tvDbConnection::hasTable(const QString& table) {
    QSqlQuery query = exec(
        QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?"), {table});
    return query.next();
}

bool tvDbConnection::hasColumn(const QString& table, const QString& column) {
    return columns(table).contains(column, Qt::CaseInsensitive);
}

void tvDbConnection::begin() {
    // A connection kept between reports waits as long as a new one would.
    run(QStringLiteral("PRAGMA busy_timeout = %1").arg(busyTimeoutMs.load()), {});
    run(QStringLiteral("BEGIN IMMEDIATE"), {});
}

void tvDbConnection::commit() { run(QStringLiteral("COMMIT"), {}); }

void tvDbConnection::rollback() noexcept {
    try {
        // A statement failed inside the transaction; the engine may have ended it already.
        for (QSqlQuery& query : prepared_) query.finish();
        QSqlQuery query(db_);
        query.exec(QStringLiteral("ROLLBACK"));
    } catch (...) {
    }
}
