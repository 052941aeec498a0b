#pragma once

#include <sys/types.h>

#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <chrono>
#include <functional>
#include <memory>

namespace tav::core {
class RunLog;
class RunReporter;
}  // namespace tav::core

namespace tav::database {

class DatabaseConnection;
class DatabaseWriter;
class InsertStatements;
class RowBatch;

// The documentation database as one run of reports uses it. Its connection stays open for the
// next report of the very same file, which reuses its prepared statements; a file replaced or
// deleted meanwhile is opened (and checked) anew. Between reports it holds no lock, unless the
// reports group their commits.
//
// While commits are grouped, the reports stored share transactions, so that a run of many
// reports does not wait for the disk after each one: each report inside a savepoint of its own
// (a report that fails is undone alone), a commit once the transaction holds `commitAfter` of
// work, and one when the grouping ends. Another writer of the file thus never waits much longer
// than that, and a run killed midway loses at most the reports since its last commit, never the
// file's consistency. Groupings may nest; the outermost one ends the grouping. Without one, each
// report is a transaction of its own.
class DatabaseSession final {
public:
    // Steps go to `log`, the database module's texts to `reporter` (and its messages to `log`).
    DatabaseSession(core::RunLog& log, core::RunReporter& reporter);
    // Saves what waits; a failure goes to the run log only.
    ~DatabaseSession();
    DatabaseSession(const DatabaseSession&) = delete;
    DatabaseSession& operator=(const DatabaseSession&) = delete;

    core::RunLog& log() const { return log_; }
    core::RunReporter& reporter() const { return reporter_; }

    // How long a connection waits for a lock that another process holds (two minutes, the
    // length of a long report, unless set).
    void setBusyTimeout(int milliseconds) { busyTimeoutMs_ = milliseconds; }

    void groupCommits(std::chrono::milliseconds commitAfter = std::chrono::milliseconds(500));
    // Ends one grouping; the outermost commits the reports that wait. False when that failed,
    // with the reason and the names of the reports whose rows were lost in `error`.
    bool endGrouping(QString* error = nullptr);

private:
    friend class DatabaseWriter;

    // The connection to the file at `databasePath`, created or brought up to date first when
    // it is not the one kept. Throws DatabaseError.
    DatabaseConnection& connect(const QString& databasePath);
    // Stores the rows that `writeRows` writes on the connection as one report named
    // `reportName`: a transaction of its own, or a savepoint while commits are grouped. A
    // failure undoes the report alone, where the engine lets it, and is thrown.
    void store(const QString& reportName, const std::function<void()>& writeRows);
    void storeReport(const QString& reportName, const std::function<void()>& writeRows);
    // The statements that this session's writers have worked out so far.
    InsertStatements& statements() { return *statements_; }
    // The rows that this session's writer has written and not yet stored.
    RowBatch& rows() { return *rows_; }

    // Ends the open transaction with a commit. Answers the reason when the commit failed, with
    // the reports whose rows were lost: the transaction is then rolled back and the connection
    // closed.
    QString commitWaiting();

    core::RunLog& log_;
    core::RunReporter& reporter_;
    std::unique_ptr<InsertStatements> statements_;
    std::unique_ptr<RowBatch> rows_;
    int busyTimeoutMs_;
    // The connection, and the identity of its file while it may serve the next report.
    std::unique_ptr<DatabaseConnection> connection_;
    bool kept_ = false;
    QString path_;
    // For a file of a later version than this program's, what a failure to store a report in
    // it begins with; else "".
    QString newerFile_;
    dev_t device_ = 0;
    ino_t inode_ = 0;
    // While commits are grouped: how deep, the work a transaction may hold, whether one is
    // open, since when, and the reports it holds.
    int groupings_ = 0;
    std::chrono::milliseconds commitAfter_{0};
    bool open_ = false;
    QElapsedTimer since_;
    QStringList waiting_;
};

}  // namespace tav::database
