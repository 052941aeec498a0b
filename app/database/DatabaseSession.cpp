#include "DatabaseSession.h"

#include <sys/stat.h>

#include <QFile>
#include <stdexcept>
#include <utility>

#include "DatabaseConnection.h"
#include "DatabaseCreator.h"
#include "InsertStatements.h"
#include "RowBatch.h"
#include "RunLog.h"
#include "RunLogStep.h"
#include "RunReporter.h"

namespace tav::database {

using namespace core;

namespace {

// A failure that took the rows of the reports waiting for their commit with it.
QString withLostReports(const QString& failure, const QStringList& lost) {
    return failure + QStringLiteral("; the rows of these reports were not saved: ") +
           lost.join(QLatin1String(", "));
}

bool fileIdentity(const QString& path, dev_t& device, ino_t& inode) {
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0) return false;
    device = status.st_dev;
    inode = status.st_ino;
    return true;
}

}  // namespace

DatabaseSession::DatabaseSession(RunLog& log, RunReporter& reporter)
    : log_(log),
      reporter_(reporter),
      statements_(std::make_unique<InsertStatements>()),
      rows_(std::make_unique<RowBatch>(*statements_, log)),
      busyTimeoutMs_(DatabaseConnection::kDefaultBusyTimeoutMs) {}

DatabaseSession::~DatabaseSession() {
    const QString lost = commitWaiting();
    if (!lost.isEmpty()) {
        // A log that cannot take the line tells its own failure when it closes.
        log_.write(QStringLiteral("Database update failed: ") + lost);
    }
}

void DatabaseSession::groupCommits(std::chrono::milliseconds commitAfter) {
    if (groupings_++ == 0) commitAfter_ = commitAfter;
}

bool DatabaseSession::endGrouping(QString* error) {
    if (groupings_ == 0 || --groupings_ > 0) return true;
    const QString lost = commitWaiting();
    if (error) *error = lost;
    return lost.isEmpty();
}

QString DatabaseSession::commitWaiting() {
    if (!open_) return {};
    open_ = false;
    const QStringList waiting = std::exchange(waiting_, {});
    if (waiting.isEmpty()) {
        // Every report of the transaction failed and was undone: nothing is left to save.
        connection_->rollback();
        return {};
    }
    try {
        connection_->commit();
        return {};
    } catch (const DatabaseError& error) {
        connection_->rollback();
        connection_.reset();
        return withLostReports(error.text(), waiting);
    }
}

DatabaseConnection& DatabaseSession::connect(const QString& databasePath) {
    logStep(log_, QStringLiteral("Initialized the DB"));
    dev_t device = 0;
    ino_t inode = 0;
    const bool exists = fileIdentity(databasePath, device, inode);
    if (connection_ && kept_ && exists && path_ == databasePath && device_ == device &&
        inode_ == inode) {
        return *connection_;
    }
    // The reports that wait on a connection to another file are saved before it closes.
    const QString lost = commitWaiting();
    if (!lost.isEmpty()) logStep(log_, QStringLiteral("Database update failed: ") + lost);
    connection_.reset();
    kept_ = false;
    newerFile_.clear();
    // What the database module tells the user goes to the run log too.
    DatabaseProgress progress = DatabaseProgress::reportingTo(reporter_);
    progress.log = [this](const QString& text) { logStep(log_, text); };
    QString error;
    if (!DatabaseCreator::OpenOrCreateDatabase(databasePath, progress, &error, busyTimeoutMs_))
        throw DatabaseError(error);
    connection_ = std::make_unique<DatabaseConnection>(databasePath, false, busyTimeoutMs_);
    // A file of a later version is left as it is: its reports go in where its schema lets them.
    const QString newer = DatabaseCreator::NewerVersion(*connection_);
    newerFile_ = newer.isEmpty() ? QString()
                                 : QStringLiteral(
                                       "The database file %1 is of version %2, later "
                                       "than this program's %3, and cannot take this "
                                       "report: ")
                                       .arg(databasePath, newer,
                                            QLatin1String(DatabaseCreator::kCurrentVersion));
    if (fileIdentity(databasePath, device, inode)) {
        kept_ = true;
        path_ = databasePath;
        device_ = device;
        inode_ = inode;
    }
    return *connection_;
}

void DatabaseSession::store(const QString& reportName, const std::function<void()>& writeRows) {
    try {
        storeReport(reportName, writeRows);
    } catch (const DatabaseError& error) {
        if (newerFile_.isEmpty()) throw;
        throw DatabaseError(newerFile_ + error.text());
    }
}

void DatabaseSession::storeReport(const QString& reportName,
                                  const std::function<void()>& writeRows) {
    DatabaseConnection& connection = *connection_;
    const bool grouped = groupings_ > 0 && kept_;
    // Whether the transaction of the reports before this one outlives a failure of this one.
    bool transactionKept = false;
    try {
        if (grouped) {
            if (open_ && since_.elapsed() >= commitAfter_.count()) {
                const QString lost = commitWaiting();
                if (!lost.isEmpty()) throw DatabaseError(lost);
            }
            if (!open_) {
                connection.begin();
                open_ = true;
                since_.start();
            }
            const QString savepoint = QStringLiteral("report");
            connection.savepoint(savepoint);
            try {
                writeRows();
                connection.release(savepoint);
            } catch (...) {
                if (connection.inTransaction()) {
                    // The earlier copy of the report comes back; the reports before it stay.
                    connection.rollbackTo(savepoint);
                    transactionKept = true;
                    throw;
                }
                // The engine ended the whole transaction (a full disk, no memory).
                open_ = false;
                const QStringList lost = std::exchange(waiting_, {});
                if (lost.isEmpty()) throw;
                try {
                    throw;
                } catch (const std::exception& error) {
                    const auto* databaseError = dynamic_cast<const DatabaseError*>(&error);
                    throw DatabaseError(withLostReports(
                        databaseError ? databaseError->text() : QString::fromUtf8(error.what()),
                        lost));
                }
            }
            waiting_ << reportName;
            if (since_.elapsed() >= commitAfter_.count()) {
                const QString lost = commitWaiting();
                if (!lost.isEmpty()) throw DatabaseError(lost);
            }
        } else {
            connection.begin();
            try {
                writeRows();
                connection.commit();
            } catch (...) {
                // The earlier copy of the report comes back with the rest.
                connection.rollback();
                throw;
            }
        }
    } catch (...) {
        if (!transactionKept) {
            // The next report starts on a fresh connection.
            if (grouped) open_ = false;
            connection_.reset();
            kept_ = false;
        }
        throw;
    }
    if (!kept_) connection_.reset();
}

}  // namespace tav::database
