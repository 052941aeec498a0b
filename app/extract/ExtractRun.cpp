#include "ExtractRun.h"

#include "DatabaseSession.h"
#include "RunReporter.h"

namespace tav::extract {

using namespace core;
using namespace database;

ExtractRun::ExtractRun(ExtractOptions options, RunReporter& reporter)
    : options_(std::move(options)), log_(options_.DBPath), reporter_(reporter) {
    if (options_.UpdateDB) session_ = std::make_unique<DatabaseSession>(log_, reporter_);
}

ExtractRun::~ExtractRun() { close(); }

bool ExtractRun::close() {
    if (closed_) return true;
    closed_ = true;
    session_.reset();
    if (log_.close()) return true;
    reporter_.message(QStringLiteral("Unable to write the run log ") + log_.path());
    return false;
}

void ExtractRun::groupCommits(std::chrono::milliseconds commitAfter) {
    if (session_) session_->groupCommits(commitAfter);
}

bool ExtractRun::end() {
    QString error;
    if (!session_ || session_->endGrouping(&error)) return true;
    const QString text = QStringLiteral("Unable to save the database rows (") + error + u')';
    log_.write(text);
    log_.close();
    reporter_.message(text);
    return false;
}

}  // namespace tav::extract
