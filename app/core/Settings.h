#pragma once

#include <QString>
#include <memory>

#include "tvReport.h"

// One Word font of the settings. Only the name, style, size and colour are stored; the two flags
// follow from the style after every load.
struct FontSetting {
    QString FontName;
    qint16 Italic = 0;  // -1 when the style contains "Italic"
    qint16 Bold = 0;    // -1 when the style contains "Bold"
    QString FontStyle;
    QString FontSize;   // a point size such as "11"
    QString FontColor;  // a colour name such as "Black"
};

// The settings that every part of the program reads (module REPORTS), and the state of the run
// in progress. Flags count as set when they are not 0. Folders end in a separator. Only the
// settings store, the Mining Settings window and the owners of the run state write them.
struct Settings {
    QString RptPath;  // folder last used when adding reports
    QString DocPath;  // Word documents
    QString TVDPath;  // .tvd text files
    QString DBPath;   // documentation database and run log
    QString OutputTemplate;
    qint16 UseTemplate = 0;
    QString ReportOwner;
    qint16 PromptForParameters = 0;
    qint32 CreateTVDFile = 0;       // 1 or 0
    qint32 CreateWordDocument = 0;  // 1 or 0
    qint16 UpdateDB = 0;
    qint16 ShowTOC = 0;
    qint16 ShowRptSummary = 0;
    qint16 ShowLayout = 0;
    qint16 ShowHiddenSections = 0;
    qint16 ShowTables = 0;
    qint16 ShowDBCols = 0;
    qint16 ShowFormula = 0;
    qint16 ShowParameters = 0;
    qint16 ShowGroups = 0;
    qint16 ShowSQL = 0;
    qint16 ShowSort = 0;
    qint16 ShowPrinter = 0;
    qint16 ShowExport = 0;
    qint16 ShowAllValues = 0;
    qint16 SummaryOnly = 0;
    FontSetting HeadingFont;
    FontSetting SectionFont;
    FontSetting SettingFont;
    FontSetting ValueFont;
    FontSetting TableFont;

    // The run state, never stored.
    qint16 RunMode = 0;         // 2 or more: progress texts go to the utilities window
    QString CurrentReportName;  // file name of the report being processed
    std::unique_ptr<tvReport> CurrentReport;  // the model being mined, released after each report
    QString CurrentReportPath;
    qint16 WordStarted = 0;
};

// The program's one set of settings.
Settings& REPORTS();
