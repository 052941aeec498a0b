#include "ReportLoad.h"

#include "RtError.h"

namespace tav::utilities {

bool loadReport(tvReport& report, const QString& path, tvLoadingOptions& options,
                LoadFailure* failure) {
    try {
        report.init(path, options);
        return true;
    } catch (const rt::Error& e) {
        if (failure) *failure = {e.description(), e.cause()};
        return false;
    }
}

}  // namespace tav::utilities
