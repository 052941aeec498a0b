#pragma once

#include <QString>
#include <functional>

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

// The file's version when it is later than this program's (its schema may differ from the one
// this program writes), else "".
QString NewerVersion(DatabaseConnection& db);

}  // namespace DatabaseCreator

}  // namespace tav::database
