#include "tvExportObject.h"

#include "tvTypes.h"

// The values are copied in the alphabetical order of the members; a failing read ends the copy
// there, so the order is part of the behaviour.
void tvExportObject::init(const rt::Object& cr, tvReport& objectParent) {
    auto longValue = [&](const char* m) { return tvLong(cr.integer(m)); };
    auto integerValue = [&](const char* m) { return tvInteger(cr.integer(m)); };

    applicationFileName = cr.text("applicationFileName");
    charFieldDelimeter = cr.text("charFieldDelimeter");
    charStringDelimeter = cr.text("charStringDelimeter");
    destinationDLLName = cr.text("destinationDLLName");
    destinationType = integerValue("destinationType");
    diskFileName = cr.text("diskFileName");

    excelAreaGroupNumber = integerValue("excelAreaGroupNumber");
    excelAreaKind = integerValue("excelAreaKind");
    excelConstantColumnWidth = cr.real("excelConstantColumnWidth");
    excelConvertDateToString = cr.flag("excelConvertDateToString");
    excelExportAllPages = cr.flag("excelExportAllPages");
    excelFirstPageNumber = longValue("excelFirstPageNumber");
    excelLastPageNumber = longValue("excelLastPageNumber");
    excelPageBreaks = cr.flag("excelPageBreaks");
    excelTabHasColumnHeadings = cr.flag("excelTabHasColumnHeadings");
    excelUseConstantColumnWidth = cr.flag("excelUseConstantColumnWidth");
    excelUseTabularFormat = cr.flag("excelUseTabularFormat");
    excelUseWorksheetFunctions = cr.flag("excelUseWorksheetFunctions");

    exchangeDestinationType = integerValue("exchangeDestinationType");
    exchangeFolderPath = cr.text("exchangeFolderPath");
    exchangeProfile = cr.text("exchangeProfile");

    formatDLLName = cr.text("formatDLLName");
    formatType = integerValue("formatType");

    htmlEnableSeparatePages = cr.flag("htmlEnableSeparatePages");
    htmlFileName = cr.text("htmlFileName");
    htmlHasPageNavigator = cr.flag("htmlHasPageNavigator");

    lotusDominoComments = cr.text("lotusDominoComments");
    lotusDominoDatabaseName = cr.text("lotusDominoDatabaseName");
    lotusNotesFormName = cr.text("lotusNotesFormName");

    mailBccList = cr.text("mailBccList");
    mailCcList = cr.text("mailCcList");
    mailMessage = cr.text("mailMessage");
    mailSubject = cr.text("mailSubject");
    mailToList = cr.text("mailToList");
    mailUserName = cr.text("mailUserName");

    numberOfLinesPerPage = integerValue("numberOfLinesPerPage");

    odbcDataSourceName = cr.text("odbcDataSourceName");
    odbcDataSourceUserId = cr.text("odbcDataSourceUserId");
    odbcExportTableName = cr.text("odbcExportTableName");

    parent = &objectParent;

    pdfExportAllPages = cr.flag("pdfExportAllPages");
    pdfFirstPageNumber = longValue("pdfFirstPageNumber");
    pdfLastPageNumber = longValue("pdfLastPageNumber");

    rtfExportAllPages = cr.flag("rtfExportAllPages");
    rtfFirstPageNumber = longValue("rtfFirstPageNumber");
    rtfLastPageNumber = longValue("rtfLastPageNumber");

    useDefaultCharactersPerInch = cr.flag("useDefaultCharactersPerInch");
    userDefinedCharactersPerInch = longValue("userDefinedCharactersPerInch");
    useReportDateFormat = cr.flag("useReportDateFormat");
    useReportNumberFormat = cr.flag("useReportNumberFormat");

    wordWExportAllPages = tvBooleanText(cr.flag("wordWExportAllPages"));
    wordWFirstPageNumber = QString::number(longValue("wordWFirstPageNumber"));
    wordWLastPageNumber = QString::number(longValue("wordWLastPageNumber"));

    xmlAllowMultipleFiles = cr.flag("xmlAllowMultipleFiles");
    xmlFileName = cr.text("xmlFileName");
}
