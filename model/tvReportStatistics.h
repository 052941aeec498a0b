#pragma once

#include <QByteArrayView>
#include <QDateTime>
#include <QString>
#include <functional>

class tvReport;

// Facts that a report file's own summary information records: who saved it last, its
// revision, its editing time and three dates.
class tvReportStatistics {
public:
    tvReportStatistics();

    // Reads the file's summary information; never fails (what cannot be read stays unset). The
    // notes of the report's load options take the library's notes about the file.
    void init(const QString& reportFile, tvReport* report);

    QString lastSavedBy;
    qint16 revisionNumber = 0;
    qint16 totalEditTime = 0;
    QDateTime lastPrinted;
    QDateTime lastSaved;
    QDateTime created;

private:
    void readSummaryInformation(const QString& reportFile,
                                const std::function<void(const QString&)>& notes);
    void scanHead(const QByteArray& head);
    void readBlock(QByteArrayView block, QByteArrayView before);

    // The counted string at `pos` of `data`: 8-bit characters, or 16-bit ones when `wide`.
    static QString ReadPropertyValue(QByteArrayView data, qsizetype pos, bool wide);
    // A file time as a date-time shown in local time; 0 is the zero date-time.
    static QDateTime FileTimeToDate(quint64 ticks);

    QString fileVersion;  // the format the scan took the file for: "3.0" .. "9.0"
};
