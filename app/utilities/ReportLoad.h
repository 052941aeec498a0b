#pragma once

#include <QString>

#include "tvReport.h"

namespace tav::utilities {

// Why a report could not be opened: its load error as the model tells it.
struct LoadFailure {
    QString description;  // the general description
    QString cause;        // what lies behind it; "" when the description says it all
    // The cause when one is known, else the description.
    const QString& reason() const { return cause.isEmpty() ? description : cause; }
};

// Loads the report at `path` into `report` as `options` say. The model's load error stops here,
// so that a window opening a report never meets the model's exceptions: false, with the error in
// `failure`, when the report cannot be opened.
bool loadReport(tvReport& report, const QString& path, tvLoadingOptions& options,
                LoadFailure* failure = nullptr);

}  // namespace tav::utilities
