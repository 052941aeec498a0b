#include "tvReportStatistics.h"

#include "tvTypes.h"

tvReportStatistics::tvReportStatistics()
    : lastPrinted(tvZeroDate()), lastSaved(tvZeroDate()), created(tvZeroDate()) {}

void tvReportStatistics::init(const QString&, tvReport*) { revisionNumber = -1; }
