#include "tvDbConnection.h"

#include <QFileInfo>
#include <QSqlError>
#include <atomic>

namespace {
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
    if (!db_.open()) {
        const QString text = db_.lastError().text();
        db_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(name_);
        throw tvDbError(text);
    }
    exec(QStringLiteral("PRAGMA foreign_keys = ON"));
}

tvDbConnection::~tvDbConnection() {
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
    if (!db_.transaction()) throw tvDbError(db_.lastError().text());
}

void tvDbConnection::commit() {
    if (!db_.commit()) throw tvDbError(db_.lastError().text());
}

void tvDbConnection::rollback() noexcept { db_.rollback(); }
