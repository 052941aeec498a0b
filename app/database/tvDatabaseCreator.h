#pragma once

#include <QDate>
#include <QString>
#include <functional>

#include "tvDatabaseSchema.h"

class tvDbConnection;

// Where the documentation database tells what it is doing. The status window and the message
// boxes attach here; a command-line run leaves them empty and nothing is shown.
struct tvDatabaseProgress {
    std::function<void(bool show, const QString& text)> status;
    std::function<void(const QString& text, const QString& title)> message;
};

// The life of the documentation database file: creating it, bringing an older file up to the
// current schema, and the backup copy taken before the first change.
namespace tvDatabaseCreator {

// The file's name in the database folder.
inline constexpr const char* kDatabaseFileName = "tv.db";
// The schema version that a new or upgraded file carries, and the one that a file without the
// control table is taken to have.
inline constexpr const char* kCurrentVersion = "4.0";
inline constexpr const char* kOldestVersion = "3.0.54";

void setProgress(tvDatabaseProgress progress);

// The database file's path for a database folder (the DBPath setting, ending in a separator).
QString DatabasePath(const QString& folder);

// Creates a new file with every table, the version row and the saved queries. Refuses a path
// where a file exists and leaves nothing behind when it fails. Returns false after showing why.
bool CreateDatabase(const QString& path);

// Brings an existing file to the current schema in one transaction, after one backup copy; a
// file already current is left untouched. Returns false after showing why; the file is then as
// it was before the call.
bool OpenAndUpgradeDatabase(const QString& path);

// Copies the file to <name>_Backup<yyyymmdd>[_n].db beside it, through a temporary file, and
// returns the copy's path. Throws tvDbError when the copy fails.
QString BackupDatabase(const QString& path, const QDate& today = QDate::currentDate());

// Adds a column to a table; a required column needs a default for the rows already there, so it
// gets the type's empty value. `foreignKey` ties the new column to its related table.
void AddColumn(tvDbConnection& db, const QString& table, const tvColumnDef& column,
               const tvKeyDef* foreignKey = nullptr);

// Writes the version row: "U" updates it, any other mode inserts it.
void SetDatabaseVersion(tvDbConnection& db, const QString& version, const QString& mode);

// The version row's text; throws when the control table has no version row.
QString DatabaseVersion(tvDbConnection& db);

}  // namespace tvDatabaseCreator
