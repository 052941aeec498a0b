#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>
#include <stdexcept>

// A failed statement or connection of the documentation database, with the engine's text.
class tvDbError : public std::runtime_error {
public:
    explicit tvDbError(const QString& text) : std::runtime_error(text.toStdString()), text_(text) {}
    const QString& text() const noexcept { return text_; }

private:
    QString text_;
};

// One connection of its own to the database file, closed when it goes out of scope, so that
// nothing stays open between calls. Foreign keys are enforced on every connection. Values are
// always bound, never put into the statement text.
class tvDbConnection {
public:
    // Opens the file; `mayCreate` false refuses a path where no file exists.
    explicit tvDbConnection(const QString& path, bool mayCreate = false);
    ~tvDbConnection();
    tvDbConnection(const tvDbConnection&) = delete;
    tvDbConnection& operator=(const tvDbConnection&) = delete;

    // Runs one statement; throws tvDbError when it fails. The query is positioned before its
    // first row.
    QSqlQuery exec(const QString& sql, const QVariantList& values = {});

    bool hasTable(const QString& table);
    bool hasColumn(const QString& table, const QString& column);
    QStringList columns(const QString& table);

    void begin();
    void commit();
    void rollback() noexcept;

private:
    QString name_;
    QSqlDatabase db_;
};
