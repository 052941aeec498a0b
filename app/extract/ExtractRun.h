#pragma once

#include <chrono>
#include <memory>

#include "ExtractOptions.h"
#include "RunLog.h"

namespace tav::core {
class RunReporter;
}

namespace tav::database {
class DatabaseSession;
}

namespace tav::extract {

// One Extract run and what it needs: its options, its run log (in the options' database folder),
// the reporter its caller gave it for messages and progress, and, while the database output is
// on, its database session. The driver and the writers it makes work through it; nothing of a
// run is kept anywhere else, so that runs may nest or follow each other in one process.
class ExtractRun {
public:
    ExtractRun(core::ExtractOptions options, core::RunReporter& reporter);
    // Closes the run as close() does.
    ~ExtractRun();
    ExtractRun(const ExtractRun&) = delete;
    ExtractRun& operator=(const ExtractRun&) = delete;

    const core::ExtractOptions& options() const { return options_; }
    core::RunLog& log() { return log_; }
    core::RunReporter& reporter() const { return reporter_; }
    // Null while the database output is off.
    database::DatabaseSession* databaseSession() const { return session_.get(); }

    // From here to end(), the reports stored share the database's commits (see DatabaseSession).
    // Calls nest; the outermost end() ends the grouping.
    void groupCommits(std::chrono::milliseconds commitAfter = std::chrono::milliseconds(500));
    // Saves the rows that wait and, when it cannot, tells the user and the run log which reports
    // lost them: false then.
    bool end();
    // Ends the run: its database session saves what waits (a failure goes to the run log) and
    // closes, then the run log closes. False after telling the user when the log could not be
    // written. The run takes no more reports.
    bool close();

private:
    core::ExtractOptions options_;
    core::RunLog log_;
    core::RunReporter& reporter_;
    std::unique_ptr<database::DatabaseSession> session_;
    bool closed_ = false;
};

}  // namespace tav::extract
