#pragma once

#include <QDateTime>
#include <QString>

class tvReport;

// Facts that a report file's own summary information records: who saved it last, its
// revision, its editing time and three dates.
class tvReportStatistics {
public:
    tvReportStatistics();

    // Reads the file's summary information; never fails (what cannot be read stays unset).
    void init(const QString& reportFile, tvReport* report);

    QString lastSavedBy;
    qint16 revisionNumber = 0;
    qint16 totalEditTime = 0;
    QDateTime lastPrinted;
    QDateTime lastSaved;
    QDateTime created;
};
