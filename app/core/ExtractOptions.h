#pragma once

#include <QString>

namespace tav::core {

// One font of the document. Only the name, style, size and colour are stored; the two flags
// follow from the style after every load.
struct FontSetting {
    QString FontName;
    bool Italic = false;  // the style contains "Italic"
    bool Bold = false;    // the style contains "Bold"
    QString FontStyle;
    QString FontSize;   // a point size such as "11"
    QString FontColor;  // a colour name such as "Black"
};

// Whether loading a report asks for its parameters' values.
enum class ParameterPrompt : qint16 {
    Off = 0,
    On = 1,
    Indeterminate = 2,  // the settings form's third state
};

// What the user chose for Extract and the utilities, as the settings store reads it: every
// flag is set when its stored number is not 0. Folders end in a separator once loaded.
struct ExtractOptions {
    QString RptPath;  // folder last used when adding reports
    QString DocPath;  // documents
    QString TVDPath;  // .tvd text files
    QString DBPath;   // documentation database and run log
    QString OutputTemplate;
    bool UseTemplate = false;
    QString ReportOwner;
    ParameterPrompt PromptForParameters = ParameterPrompt::Off;
    bool CreateTVDFile = false;
    bool CreateWordDocument = false;
    bool UpdateDB = false;
    bool ShowTOC = false;
    bool ShowRptSummary = false;
    bool ShowLayout = false;
    bool ShowHiddenSections = false;
    bool ShowTables = false;
    bool ShowDBCols = false;
    bool ShowFormula = false;
    bool ShowParameters = false;
    bool ShowGroups = false;
    bool ShowSQL = false;
    bool ShowSort = false;
    bool ShowPrinter = false;
    bool ShowExport = false;
    bool ShowAllValues = false;
    bool SummaryOnly = false;  // the document leaves out the objects' details
    FontSetting HeadingFont;
    FontSetting SectionFont;
    FontSetting SettingFont;
    FontSetting ValueFont;
    FontSetting TableFont;

    // Not stored: the program's folder, where its templates and report definitions lie.
    QString ProgramFolder;
};

}  // namespace tav::core
