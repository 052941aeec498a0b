#include "tvPrinterObject.h"

#include "tvTypes.h"

tvPrinterObject::tvPrinterObject() : PrintDate(tvZeroDate()) {}

void tvPrinterObject::init(const rt::Object& parentReport, tvReport& objectParent) {
    driver = parentReport.text("driver");
    PaperOrientation = tvInteger(parentReport.integer("PaperOrientation"));
    PaperSize = tvInteger(parentReport.integer("PaperSize"));
    PaperSource = tvInteger(parentReport.integer("PaperSource"));
    PortName = parentReport.text("PortName");
    PrintDate = parentReport.dateTime("PrintDate");
    PrinterDuplex = tvInteger(parentReport.integer("PrinterDuplex"));
    printerName = parentReport.text("printerName");
    parent = &objectParent;
}
