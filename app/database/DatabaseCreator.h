#pragma once

#include <QDate>
#include <QString>
#include <functional>

#include "Clock.h"
#include "DatabaseConnection.h"
#include "DatabaseSchema.h"
#include "RunReporter.h"

namespace tav::database {

// Where the documentation database tells what it is doing, as its caller wants it. Left empty,
// status texts go nowhere and messages to standard error, as in a run without a window.
struct DatabaseProgress {
    std::function<void(bool show, const QString& text)> status;
    std::function<void(const QString& text, const QString& title)> message;
    // A copy of every message (for the run log while a report is written); empty for none.
    std::function<void(const QString& text)> log;

    // Status texts as the work status of `reporter`, messages as its messages.
    static DatabaseProgress reportingTo(core::RunReporter& reporter);
};

// The life of the documentation database file: creating it, bringing an older file up to the
// current schema, and the backup copy taken before the first change.
namespace DatabaseCreator {

// The file's name in the database folder.
inline constexpr const char* kDatabaseFileName = "tv.db";
// The schema version that a new or upgraded file carries, and the one that a file without the
// control table is taken to have.
inline constexpr const char* kCurrentVersion = "4.0";
inline constexpr const char* kOldestVersion = "3.0.54";

// The database file's path for a database folder (the DBPath setting, ending in a separator).
QString DatabasePath(const QString& folder);

// The calls below tell their progress and messages through `progress` and answer false, with the
// database's own reason in `error`, when they fail.

// Creates a new file with every table, the version row and the saved queries. Refuses a path
// where a file with content exists; a 0-byte file is taken as new. Returns false after showing
// why; a file that could not be filled is left without tables, which the next call fills.
bool CreateDatabase(const QString& path, const DatabaseProgress& progress = {},
                    QString* error = nullptr);

// Brings an existing file to the current schema in one transaction, after one backup copy (none
// when a copy of the same file exists from an earlier attempt that failed); a file already
// current is left untouched but for what a file of the current version may still lack, a file of
// a later version is left untouched, and a file without tables is filled as a new one. Returns
// false after showing why; the file is then as it was before the call.
bool OpenAndUpgradeDatabase(const QString& path, const DatabaseProgress& progress = {},
                            QString* error = nullptr);

// The two above as one step under the file's write lock, for a writer that may meet another
// process creating the same file: creates it when missing, fills it when empty, else upgrades.
// It waits `busyTimeoutMs` for the other process's lock.
bool OpenOrCreateDatabase(const QString& path, const DatabaseProgress& progress = {},
                          QString* error = nullptr,
                          int busyTimeoutMs = DatabaseConnection::kDefaultBusyTimeoutMs);

// The calls below answer false, with the database's reason in `error`, when they fail.

// Copies the database at `path`, as `db` (the connection that holds its lock) sees it, to
// <name>_Backup<yyyymmdd>[_n].db beside it, and gives the copy's path in `copyPath`. The copy is
// written whole to a new file of its own and on the disk before it takes its name, which no
// file or link had; a copy that fails leaves no file behind, and earlier backups as they were.
// A backup beside it with the very same bytes (from an upgrade that failed) is given instead of
// a second one.
bool BackupDatabase(DatabaseConnection& db, const QString& path, QString* copyPath,
                    QString* error = nullptr, const QDate& today = core::Clock::today(),
                    const DatabaseProgress& progress = {});

// Adds a column to a table; a required column needs a default for the rows already there, so it
// gets the type's empty value. `foreignKey` ties the new column to its related table.
bool AddColumn(DatabaseConnection& db, const QString& table, const ColumnDef& column,
               const KeyDef* foreignKey = nullptr, QString* error = nullptr);

// Writes the version row: "U" updates it, any other mode inserts it.
bool SetDatabaseVersion(DatabaseConnection& db, const QString& version, const QString& mode,
                        QString* error = nullptr);

// The version row's text, in `version`; false when the control table has no version row.
bool DatabaseVersion(DatabaseConnection& db, QString* version, QString* error = nullptr);

// The file's version when it is later than this program's (its schema may differ from the one
// this program writes), else "".
QString NewerVersion(DatabaseConnection& db);

}  // namespace DatabaseCreator

}  // namespace tav::database
