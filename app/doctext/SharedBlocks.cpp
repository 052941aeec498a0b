#include "SharedBlocks.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <vector>

#include "CodeTexts.h"
#include "CollectingLineSink.h"
#include "DetailError.h"
#include "DetailPieces.h"
#include "ObjectDetailWriter.h"
#include "ReportValues.h"
#include "tvArea.h"
#include "tvExportObject.h"
#include "tvFieldDefinitions.h"
#include "tvPrinterObject.h"
#include "tvReport.h"
#include "tvReportStatistics.h"
#include "tvSection.h"
#include "tvSubReportObject.h"
#include "tvTypes.h"

namespace tav::doctext {

namespace {

using namespace detail;

// ---- The report summary block -----------------------------------------------------------

using namespace reportValues;

// The objects of the model that the block's rows read: a block that reads them needs them.
const tvReportStatistics* statistics(const tvReport& report) {
    if (!report.tvReportStatistics) failObjectRequired();
    return report.tvReportStatistics.get();
}
const tvPrinterObject* printer(const tvReport& report) {
    if (!report.tvPrinterObject) failObjectRequired();
    return report.tvPrinterObject.get();
}

// The style is kept as the text of its code.
QString formatStyle(const tvReport& report) {
    return GetReportFormatStyleText(codeOfText(report.reportFormatStyle));
}

// A row of the block: a label with its value, a title or a blank line.
struct SummaryRow {
    LineRole role;
    const char* label;                  // nullptr for a blank line
    QString (*value)(const tvReport&);  // nullptr for a title or a blank line
};

constexpr LineRole kTitle = LineRole::Title;
constexpr LineRole kLabel = LineRole::Label;

template <auto Member>
constexpr auto reportValue = shown<self, Member>;

constexpr SummaryRow kSummaryRows[] = {
    {kLabel, "Title = ", reportValue<&tvReport::reportTitle>},
    {kLabel, "Author = ", reportValue<&tvReport::reportAuthor>},
    {kLabel, "Keywords = ", reportValue<&tvReport::keywordsInReport>},
    {kLabel, "Comments = ", reportValue<&tvReport::reportComments>},
    {kLabel, "Subject = ", reportValue<&tvReport::reportSubject>},
    {kLabel, "Template = ", reportValue<&tvReport::reportTemplate>},
};

// Only a main report's model has its file's statistics.
constexpr SummaryRow kStatisticsRows[] = {
    {LineRole::Detail, nullptr, nullptr},
    {kTitle, "Report Statistics", nullptr},
    {kLabel, "Last Saved By = ", shown<statistics, &tvReportStatistics::lastSavedBy>},
    {kLabel, "Revision Number = ", shown<statistics, &tvReportStatistics::revisionNumber>},
    {kLabel, "Total Edit Time = ", shown<statistics, &tvReportStatistics::totalEditTime>},
    {kLabel, "Last Printed = ", shown<statistics, &tvReportStatistics::lastPrinted>},
    {kLabel, "Created = ", shown<statistics, &tvReportStatistics::created>},
    {kLabel, "Last Saved = ", shown<statistics, &tvReportStatistics::lastSaved>},
};

constexpr SummaryRow kOptionRows[] = {
    {LineRole::Label, nullptr, nullptr},
    {kTitle, "Report Options", nullptr},
    {kLabel, "Report Kind = ", looked<self, &tvReport::reportKind, GetReportKindText>},
    {kLabel, "Report Format Style = ", formatStyle},
    {kLabel, "Convert Date Time Type = ",
     looked<self, &tvReport::convertDateTimeType, GetDateTimeConversionText>},
    {kLabel, "Enable Asynchronous Query = ", reportValue<&tvReport::enableAsyncQuery>},
    {kLabel, "Enable Generating Data for Hidden Object = ",
     reportValue<&tvReport::enableGeneratingDataForHiddenObject>},
    {kLabel, "Enable Parameter Prompting = ", reportValue<&tvReport::enableParameterPrompting>},
    {kLabel,
     "Enable Select Distinct Records = ", reportValue<&tvReport::enableSelectDistinctRecords>},
    {kLabel,
     "Field Mapping Type = ", looked<self, &tvReport::fieldMappingType, GetFieldMappingText>},
    {kLabel, "Formula Syntax = ", looked<self, &tvReport::formulaSyntax, GetFormulaSyntaxText>},
    {kLabel,
     "Convert null field value to default = ", reportValue<&tvReport::convertNullFieldToDefault>},
    {kLabel, "Case-insensitive SQL data = ", reportValue<&tvReport::caseInsensitiveSQLData>},
    // Listed twice in every summary that readers have come to know.
    {kLabel,
     "Field Mapping Type = ", looked<self, &tvReport::fieldMappingType, GetFieldMappingText>},
    {kLabel,
     "Formula Syntax Type = ", looked<self, &tvReport::formulaSyntax, GetFormulaSyntaxText>},
    {kLabel, "Last Get Formula Syntax = ",
     looked<self, &tvReport::lastGetFormulaSyntax, GetFormulaSyntaxText>},
    {kLabel,
     "Can Perform Grouping on Server = ", reportValue<&tvReport::canPerformGroupingOnServer>},
    {kLabel, "Has Saved Data = ", reportValue<&tvReport::hasSavedData>},
    {kLabel, "Verify on Every Print = ", reportValue<&tvReport::verifyOnEveryPrint>},
    {kLabel, "Use Index for Speed = ", reportValue<&tvReport::useIndexForSpeed>},
    {kLabel, "Save Preview Picture = ", reportValue<&tvReport::savePreviewPicture>},
    {kLabel, "Need Updated Pages = ", reportValue<&tvReport::needUpdatedPages>},
    {kLabel, "Perform Grouping on Server = ", reportValue<&tvReport::performGroupingOnServer>},
    {LineRole::Label, nullptr, nullptr},
    {kTitle, "Page Setup", nullptr},
    {kLabel, "Top Margin = ", reportValue<&tvReport::topMargin>},
    {kLabel, "Bottom Margin = ", reportValue<&tvReport::bottomMargin>},
    {kLabel, "Left Margin = ", reportValue<&tvReport::leftMargin>},
    {kLabel, "Right Margin = ", reportValue<&tvReport::rightMargin>},
    {LineRole::Detail, nullptr, nullptr},
    {kTitle, "Printer Details", nullptr},
    {kLabel, "Printer Name = ", shown<printer, &tvPrinterObject::printerName>},
    {kLabel, "Printer Driver = ", shown<printer, &tvPrinterObject::driver>},
    {kLabel, "Printer Port = ", shown<printer, &tvPrinterObject::PortName>},
    {kLabel, "Printer Duplex Option = ", shown<printer, &tvPrinterObject::PrinterDuplex>},
    {kLabel, "Paper Orientation = ",
     looked<printer, &tvPrinterObject::PaperOrientation, GetPaperOrientationText>},
    {kLabel, "Paper Size = ", looked<printer, &tvPrinterObject::PaperSize, GetPaperSizeText>},
    {kLabel, "Paper Source = ", looked<printer, &tvPrinterObject::PaperSource, GetPaperSourceText>},
    {kLabel, "Total Number of Pages = ", shown<printer, &tvPrinterObject::numberOfPages>},
    {kLabel, "Print Date = ", shown<printer, &tvPrinterObject::PrintDate>},
    {LineRole::Detail, nullptr, nullptr},
};

template <std::size_t N>
void writeRows(const SummaryRow (&rows)[N], const tvReport& report, LineSink& sink) {
    for (const SummaryRow& row : rows) {
        if (row.value) {
            sink.WriteDetails(row.role, LineKind::Caption,
                              QLatin1StringView(row.label) + row.value(report), QString(), 2);
        } else {
            sink.WriteDetails(row.role, LineKind::Caption,
                              row.label ? QString::fromLatin1(row.label) : QString(), QString(), 1);
        }
    }
}

// ---- The export options block -----------------------------------------------------------

using Export = tvExportObject;

template <auto Member>
QString shortest(const Export& bag) {
    return QString::number(bag.*Member, 'g', QLocale::FloatingPointShortest);
}
template <auto Member, const char* Unset>
bool differs(const Export& bag) {
    return bag.*Member != QLatin1StringView(Unset);
}
constexpr char kFalse[] = "False";
constexpr char kZero[] = "0";

// A text option is set when it is not empty, a number when it is not 0, a flag when it is true.
template <auto Member>
constexpr Piece<Export> textOption(const char* label) {
    return {label, text<Member>, notEmpty<Member>};
}
template <auto Member>
constexpr Piece<Export> numberOption(const char* label) {
    return {label, number<Member>, notZero<Member>};
}
template <auto Member>
constexpr Piece<Export> flagOption(const char* label) {
    return {label, flag<Member>, isTrue<Member>};
}

constexpr Piece<Export> kExportPieces[] = {
    textOption<&Export::applicationFileName>("Export Application Name = "),
    textOption<&Export::charFieldDelimeter>("Character Field Delimeter = "),
    textOption<&Export::charStringDelimeter>("Character String Delimeter = "),
    textOption<&Export::destinationDLLName>("Destination DLL = "),
    numberOption<&Export::destinationType>("Destination Type = "),
    textOption<&Export::diskFileName>("Disk File Name = "),
    numberOption<&Export::excelAreaGroupNumber>("Excel Area Group Number = "),
    numberOption<&Export::excelAreaKind>("Excel Area Kind = "),
    {"Excel Constant Column Width = ", shortest<&Export::excelConstantColumnWidth>,
     notZero<&Export::excelConstantColumnWidth>},
    flagOption<&Export::excelConvertDateToString>("Excel Convert Date To String = "),
    flagOption<&Export::excelExportAllPages>("Excel Export All Pages = "),
    numberOption<&Export::excelFirstPageNumber>("Excel First Page Number = "),
    numberOption<&Export::excelLastPageNumber>("Excel Last Page Number = "),
    flagOption<&Export::excelPageBreaks>("Excel Page Breaks = "),
    flagOption<&Export::excelTabHasColumnHeadings>("Excel Tab Has Column Headings = "),
    flagOption<&Export::excelUseConstantColumnWidth>("Excel Use Constant Column Width = "),
    flagOption<&Export::excelUseTabularFormat>("Excel User Tabular Format = "),
    flagOption<&Export::excelUseWorksheetFunctions>("Excel Use Worksheet Functions = "),
    numberOption<&Export::exchangeDestinationType>("Exchange Destination Type = "),
    textOption<&Export::exchangeFolderPath>("Exchange Folder Path = "),
    textOption<&Export::exchangePassword>("Exchange Password = "),
    flagOption<&Export::exchangePathHasColumnHeadings>("Exchange Path Has Column Headings = "),
    textOption<&Export::exchangeProfile>("Exchange Profile = "),
    textOption<&Export::formatDLLName>("Format DLL Name = "),
    numberOption<&Export::formatType>("Format Type = "),
    flagOption<&Export::htmlEnableSeparatePages>("HTML Enable Separate Pages = "),
    textOption<&Export::htmlFileName>("HTML File Name = "),
    flagOption<&Export::htmlHasPageNavigator>("HTML Has Page Navigator = "),
    textOption<&Export::lotusDominoComments>("Lotus Domino Comments = "),
    textOption<&Export::lotusDominoDatabaseName>("Lotus Domino Database Name = "),
    textOption<&Export::lotusNotesFormName>("Lotus Notes Form Name = "),
    textOption<&Export::mailBccList>("Mail Bcc List = "),
    textOption<&Export::mailCcList>("Mail Cc List = "),
    textOption<&Export::mailMessage>("Mail Message = "),
    textOption<&Export::mailSubject>("Mail Subject = "),
    textOption<&Export::mailToList>("Mail To List = "),
    textOption<&Export::mailUserName>("Mail User Name = "),
    numberOption<&Export::numberOfLinesPerPage>("Number of Lines Per Page = "),
    textOption<&Export::odbcDataSourceName>("ODBC Data Source Name = "),
    textOption<&Export::odbcDataSourcePassword>("ODBC Data Source Password = "),
    textOption<&Export::odbcDataSourceUserId>("ODBC Data Source User ID = "),
    textOption<&Export::odbcExportTableName>("ODBC Export Table Name = "),
    flagOption<&Export::pdfExportAllPages>("PDF Export All Pages = "),
    numberOption<&Export::pdfFirstPageNumber>("PDF First Page Number = "),
    numberOption<&Export::pdfLastPageNumber>("PDF Last Page Number = "),
    flagOption<&Export::rtfExportAllPages>("RTF Export All Pages = "),
    numberOption<&Export::rtfFirstPageNumber>("RTF First Page Number = "),
    numberOption<&Export::rtfLastPageNumber>("RTF Last Page Number = "),
    flagOption<&Export::useDefaultCharactersPerInch>("Use Default Characters Per Inch = "),
    numberOption<&Export::userDefinedCharactersPerInch>("User Defined Characters Per Inch = "),
    flagOption<&Export::useReportDateFormat>("Use Report Date Format = "),
    flagOption<&Export::useReportNumberFormat>("Use Report Number Format = "),
    // The Word options are kept as texts: shown unless they hold the unset value's text.
    {"Word Export All Pages = ", text<&Export::wordWExportAllPages>,
     differs<&Export::wordWExportAllPages, kFalse>},
    {"Word First Page Number = ", text<&Export::wordWFirstPageNumber>,
     differs<&Export::wordWFirstPageNumber, kZero>},
    {"Word Last Page Number = ", text<&Export::wordWLastPageNumber>,
     differs<&Export::wordWLastPageNumber, kZero>},
    flagOption<&Export::xmlAllowMultipleFiles>("XML Allow Multiple Files = "),
    textOption<&Export::xmlFileName>("XML File Name = "),
};

// ---- Sections -----------------------------------------------------------------------------

struct SectionFlag {
    bool tvSection::*member;
    const char* text;
};

constexpr SectionFlag kSectionFlags[] = {
    {&tvSection::keepTogether, ", Keep Together"},
    {&tvSection::newPageBefore, ", New Page Before"},
    {&tvSection::newPageAfter, ", New Page After"},
    {&tvSection::resetPageNumAfter, ", Reset Page Number After"},
    {&tvSection::printAtBottom, ", Print at Bottom"},
    {&tvSection::underlaySection, ", Underlay Section "},
};

// A piece of a time format: a quoted literal, a run of one unquoted letter (a field, or a
// letter that Qt takes as it stands), or one other character (a separator, a blank, a bracket).
struct FormatPiece {
    QString text;
    bool letters = false;
};

std::vector<FormatPiece> formatPieces(const QString& format) {
    std::vector<FormatPiece> pieces;
    for (qsizetype i = 0; i < format.size();) {
        qsizetype end = i + 1;
        if (format[i] == u'\'') {
            while (end < format.size() && format[end] != u'\'') ++end;
            end = std::min(end + 1, format.size());
        } else if (format[i].isLetter()) {
            while (end < format.size() && format[end] == format[i]) ++end;
        }
        pieces.push_back({format.sliced(i, end - i), format[i].isLetter()});
        i = end;
    }
    return pieces;
}

bool isPiece(const FormatPiece& p, char16_t c) { return p.text.size() == 1 && p.text.front() == c; }

// What joins the zone to the rest of the time: a blank or a comma, never a character of the
// locale's own words (the full stop of "ч.", the vowel sign of "วินาที").
bool joinsZone(const FormatPiece& p) {
    return !p.letters && p.text.size() == 1 && (p.text.front().isSpace() || p.text.front() == u',');
}

// The long time of the locale without its time zone, which a report's times do not carry. The
// zone goes with what only frames it: its brackets, and the blank or comma that joins it to the
// time (before it, or after it where the zone comes first). A day period that Qt cannot write
// (CLDR's "B") is written as AM or PM.
QString longTimeFormat(const QLocale& locale) {
    std::vector<FormatPiece> pieces = formatPieces(locale.timeFormat(QLocale::LongFormat));
    for (FormatPiece& p : pieces) {
        if (p.letters && p.text.front() == u'B') p.text = QStringLiteral("AP");
    }
    const auto zone = std::find_if(pieces.begin(), pieces.end(), [](const FormatPiece& p) {
        return p.letters && p.text.front() == u't';
    });
    if (zone != pieces.end()) {
        auto first = zone;
        auto last = zone + 1;
        if (first != pieces.begin() && last != pieces.end() &&
            ((isPiece(*(first - 1), u'(') && isPiece(*last, u')')) ||
             (isPiece(*(first - 1), u'[') && isPiece(*last, u']')))) {
            --first;
            ++last;
        }
        if (first != pieces.begin()) {
            while (first != pieces.begin() && joinsZone(*(first - 1))) --first;
        } else {
            while (last != pieces.end() && joinsZone(*last)) ++last;
        }
        pieces.erase(first, last);
    }
    QString kept;
    for (const FormatPiece& p : pieces) kept += p.text;
    return kept.trimmed();
}

}  // namespace

bool WriteSummaryInformation(const tvReport& report, LineSink& sink, QString* error) {
    return writtenBy(
        [&] {
            writeRows(kSummaryRows, report, sink);
            if (report.tvReportStatistics) writeRows(kStatisticsRows, report, sink);
            writeRows(kOptionRows, report, sink);
        },
        error);
}

bool WriteExportInformation(const tvReport& report, LineSink& sink, QString* error) {
    return writtenBy(
        [&] {
            if (!report.tvExportObject) failObjectRequired();
            const QString options = blockValue(kExportPieces, *report.tvExportObject);
            sink.WriteDetails(LineRole::Label, LineKind::Caption, options, QString(), 2);
            sink.WriteDetails(LineRole::Label, LineKind::Caption, QString(), QString(), 2);
        },
        error);
}

Detailed<const tvReport*> GetReportOrSubreport(const tvReport& report, qsizetype index) {
    return answerOf([&]() -> const tvReport* {
        if (index == 0) return &report;
        const tvSubReportObject& subreport = report.subReports.Item(index);
        if (!subreport.report) failObjectRequired();
        return subreport.report.get();
    });
}

QString GetSectionDisplayName(const tvReport& report, qsizetype areaIndex,
                              qsizetype sectionNumber) {
    const tvArea& area = report.tvAreas.Item(areaIndex);
    QString name = GetAreaKindText(area.kind);
    if (area.kind == tvGroupHeaderArea || area.kind == tvGroupFooterArea) {
        name += QStringLiteral(" #") + QString::number(area.groupNumber);
    }
    if (area.tvSections.Count() >= 2) name += GetSectionLetterSuffix(sectionNumber);
    return name;
}

QString GetSectionLetterSuffix(qsizetype n) {
    // Letters counted as "a" to "z", then two letters, then three: no letter stands for zero.
    QString suffix;
    for (; n > 0; n = (n - 1) / 26)
        suffix.prepend(QChar(u'a' + static_cast<char16_t>((n - 1) % 26)));
    return suffix;
}

QString GetSectionFlagsText(const tvSection& section) {
    QString text;
    if (section.suppress) text = QStringLiteral("Suppressed, ");
    if (section.suppressIfBlank) text = QStringLiteral("Suppress if blank, ");
    // Inches to one decimal place, halves to the even neighbour.
    const double inches = std::nearbyint(section.minimumHeight / tvTwipsPerInch * 10.0) / 10.0;
    text += QStringLiteral("Height = ") + FormatGeneralNumber(inches);
    for (const SectionFlag& flag : kSectionFlags) {
        if (section.*flag.member) text += QLatin1StringView(flag.text);
    }
    if (section.backColor != -1) {
        text += QStringLiteral(", Background Color=") + GetColorText(section.backColor);
    }
    if (!section.cssClass.isEmpty()) text += QStringLiteral(", CssClass = ") + section.cssClass;
    return text;
}

QString GetFieldDefinitionName(const tvIFieldDefinition* field) {
    return field ? field->name : QString();
}

QString GetGroupNameConditionFormula(const tvReport& report, qsizetype index) {
    return report.tvGroupNameFields.Item(index).groupNameConditionFormula;
}

Detailed<QString> GetObjectDetailsText(const tvSection& section, qsizetype objectIndex,
                                       double objectNumber) {
    return answerOf([&] {
        CollectingLineSink sink;
        ObjectDetailWriter writer;
        writer.init(sink);
        writer.WriteObjectDetails(section, objectIndex, objectNumber);
        return sink.getDetails();
    });
}

bool WriteObjectDetailLines(const tvSection& section, qsizetype objectIndex, double objectNumber,
                            LineSink& sink, QString* error) {
    ObjectDetailWriter writer;
    writer.init(sink);
    return writtenBy([&] { writer.WriteObjectDetails(section, objectIndex, objectNumber); }, error);
}

bool WriteConditionalFormulaLines(const tvConditionalFormulas& formulas, LineSink& sink,
                                  QString* error) {
    ObjectDetailWriter writer;
    writer.init(sink);
    return writtenBy([&] { writer.WriteConditionalFormulas(formulas); }, error);
}

Detailed<qint32> CodeOfText(const QString& text) {
    return answerOf([&] { return codeOfText(text); });
}

QString FormatGeneralDate(const QDateTime& value) {
    if (!value.isValid()) return QString();
    const QLocale locale;
    const QString time = locale.toString(value.time(), longTimeFormat(locale));
    if (value.date() == tvZeroDate().date()) return time;
    const QString date = locale.toString(value.date(), QLocale::ShortFormat);
    return value.time() == QTime(0, 0) ? date : date + u' ' + time;
}

}  // namespace tav::doctext
