#pragma once

#include <QDateTime>
#include <QString>

#include "RtObject.h"

class tvReport;

// The printer settings stored with a report.
class tvPrinterObject {
public:
    tvPrinterObject();

    void init(const rt::Object& parentReport, tvReport& objectParent);

    QString driver;
    qint16 PaperOrientation = 0;
    qint16 PaperSize = 0;
    qint16 PaperSource = 0;
    QString PortName;
    QDateTime PrintDate;
    qint16 PrinterDuplex = 0;
    QString printerName;
    QString numberOfPages;  // nothing sets it
    tvReport* parent = nullptr;
};
