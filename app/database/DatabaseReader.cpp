#include "DatabaseReader.h"

#include <QSqlQuery>
#include <QSqlRecord>

#include "DatabaseConnection.h"

namespace tav::database {

DatabaseReader::DatabaseReader() = default;
DatabaseReader::~DatabaseReader() = default;

bool DatabaseReader::open(const QString& path, QString* error) {
    try {
        connection_ = std::make_unique<DatabaseConnection>(path);
        return true;
    } catch (const DatabaseError& failure) {
        connection_.reset();
        if (error) *error = failure.text();
        return false;
    }
}

QStringList DatabaseReader::columns(const QString& table) {
    if (!connection_) return {};
    try {
        return connection_->columns(table);
    } catch (const DatabaseError&) {
        return {};
    }
}

bool DatabaseReader::rows(const QString& sql, QList<QStringList>* rows, QString* error) {
    if (!connection_) {
        if (error) *error = QStringLiteral("The database connection is closed.");
        return false;
    }
    try {
        QSqlQuery query = connection_->exec(sql);
        const int width = query.record().count();
        while (query.next()) {
            QStringList row;
            for (int i = 0; i < width; ++i) row << query.value(i).toString();
            if (rows) *rows << row;
        }
        return true;
    } catch (const DatabaseError& failure) {
        if (error) *error = failure.text();
        return false;
    }
}

}  // namespace tav::database
