#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

namespace tav::database {

class DatabaseConnection;

// A look into the documentation database for code outside this library (the report viewer):
// it reads what a statement answers and never throws; a failure answers false with the
// database's reason.
class DatabaseReader {
public:
    DatabaseReader();
    ~DatabaseReader();
    DatabaseReader(const DatabaseReader&) = delete;
    DatabaseReader& operator=(const DatabaseReader&) = delete;

    // Opens the existing file at `path`.
    bool open(const QString& path, QString* error);
    // The columns of a table or saved query, in order; empty when there is none of that name.
    QStringList columns(const QString& table);
    // Every row that `sql` answers, each value as its text.
    bool rows(const QString& sql, QList<QStringList>* rows, QString* error);

private:
    std::unique_ptr<DatabaseConnection> connection_;
};

}  // namespace tav::database
