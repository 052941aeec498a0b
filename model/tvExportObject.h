#pragma once

#include <QString>

#include "RtObject.h"

class tvReport;

// The settings with which a report was last exported.
class tvExportObject {
public:
    void init(const rt::Object& crExportObject, tvReport& objectParent);

    QString xmlFileName;
    tvReport* parent = nullptr;
    bool xmlAllowMultipleFiles = false;
    bool useReportNumberFormat = false;
    bool useReportDateFormat = false;
    qint32 userDefinedCharactersPerInch = 0;
    bool useDefaultCharactersPerInch = false;
    qint32 rtfLastPageNumber = 0;
    qint32 rtfFirstPageNumber = 0;
    bool rtfExportAllPages = false;
    qint32 pdfLastPageNumber = 0;
    qint32 pdfFirstPageNumber = 0;
    bool pdfExportAllPages = false;
    QString odbcExportTableName;
    QString odbcDataSourceUserId;
    QString odbcDataSourcePassword;  // never read from the report
    QString odbcDataSourceName;
    qint16 numberOfLinesPerPage = 0;
    QString mailUserName;
    QString mailToList;
    QString mailSubject;
    QString mailMessage;
    QString mailCcList;
    QString mailBccList;
    QString lotusNotesFormName;
    QString lotusDominoDatabaseName;
    QString lotusDominoComments;
    bool htmlHasPageNavigator = false;
    QString htmlFileName;
    bool htmlEnableSeparatePages = false;
    qint16 formatType = 0;
    QString formatDLLName;
    bool exchangePathHasColumnHeadings = false;  // never read from the report
    QString exchangeProfile;
    QString exchangePassword;  // never read from the report
    QString exchangeFolderPath;
    qint16 exchangeDestinationType = 0;
    bool excelUseWorksheetFunctions = false;
    bool excelUseTabularFormat = false;
    bool excelUseConstantColumnWidth = false;
    bool excelTabHasColumnHeadings = false;
    bool excelPageBreaks = false;
    qint32 excelLastPageNumber = 0;
    qint32 excelFirstPageNumber = 0;
    bool excelExportAllPages = false;
    bool excelConvertDateToString = false;
    double excelConstantColumnWidth = 0.0;
    qint16 excelAreaKind = 0;
    qint16 excelAreaGroupNumber = 0;
    QString diskFileName;
    qint16 destinationType = 0;
    QString destinationDLLName;
    QString charStringDelimeter;
    QString charFieldDelimeter;
    QString applicationFileName;
    QString wordWLastPageNumber;   // decimal text
    QString wordWExportAllPages;   // "True" or "False"
    QString wordWFirstPageNumber;  // decimal text
};
