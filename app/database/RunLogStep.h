#pragma once

#include <QString>
#include <stdexcept>

#include "RunLog.h"

namespace tav::database {

// A run log that cannot take a step of storing a report. It stays inside this library: the
// report stops there, and the writer answers false with the log's reason.
class RunLogLost : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Writes one step of storing a report to the run log: a report whose steps cannot be recorded
// is not stored.
inline void logStep(core::RunLog& log, const QString& line) {
    QString error;
    if (!log.write(line, &error)) throw RunLogLost(error.toStdString());
}

}  // namespace tav::database
