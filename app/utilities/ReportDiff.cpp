#include "ReportDiff.h"

#include <QDate>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <algorithm>

#include "Clock.h"
#include "CodeTexts.h"
#include "DetailPieces.h"
#include "ExtractOptions.h"
#include "ReportValues.h"
#include "SharedBlocks.h"
#include "TextUtilities.h"
#include "UserMessages.h"
#include "tvArea.h"
#include "tvConditionalFormula.h"
#include "tvDatabase.h"
#include "tvDatabaseTable.h"
#include "tvFormulaField.h"
#include "tvParameterFieldDefinition.h"
#include "tvPrinterObject.h"
#include "tvReportAlert.h"
#include "tvReportStatistics.h"
#include "tvRuntime.h"
#include "tvSection.h"
#include "tvSortField.h"

namespace tav::utilities {

using namespace core;
using namespace doctext;

namespace {

const QString kLineBreak = QStringLiteral("\r\n");
constexpr qsizetype kCombinedWidth = 10;

QString blanks(qsizetype n) { return QString(n, u' '); }

// The lines of a text. Texts come from report files saved on any system, so a line may end in
// CR LF, CR or LF alike; a text that ends in a line end ends in an empty line.
QStringList textLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype k = 0; k < text.size(); ++k) {
        const QChar c = text[k];
        if (c != u'\r' && c != u'\n') continue;
        lines << text.mid(start, k - start);
        if (c == u'\r' && k + 1 < text.size() && text[k + 1] == u'\n') ++k;
        start = k + 1;
    }
    lines << text.mid(start);
    return lines;
}

}  // namespace

bool DiffLine::sameLines(const QString& left, const QString& right) {
    return left == right || textLines(left) == textLines(right);
}

namespace {

// A line number right-aligned in four characters; a larger number shows its last four digits.
QString lineNumber(qint64 count) { return (blanks(5) + QString::number(count)).right(4); }

// ---- Report-level blocks ------------------------------------------------------------------

using namespace reportValues;

// A report without statistics or printer settings reads as empty values, so that a model
// without them can still be compared.
const tvReportStatistics* statistics(const tvReport& report) {
    return report.tvReportStatistics.get();
}
const tvPrinterObject* printer(const tvReport& report) { return report.tvPrinterObject.get(); }
template <auto Member>
constexpr auto ofReport = shown<self, Member>;
template <auto Member>
constexpr auto ofStatistics = shown<statistics, Member>;
template <auto Member>
constexpr auto ofPrinter = shown<printer, Member>;

// A block heading (no value), or a label with the value it reads.
struct BlockRow {
    const char* text;
    QString (*value)(const tvReport&);
};

constexpr BlockRow kReportBlocks[] = {
    {"Report Summary Information", nullptr},
    {"Title = ", ofReport<&tvReport::reportTitle>},
    {"Author = ", ofReport<&tvReport::reportAuthor>},
    {"Keywords = ", ofReport<&tvReport::keywordsInReport>},
    {"Comments = ", ofReport<&tvReport::reportComments>},
    {"Subject = ", ofReport<&tvReport::reportSubject>},
    {"Template = ", ofReport<&tvReport::reportTemplate>},
    {"Report Statistics", nullptr},
    {"Last Saved By = ", ofStatistics<&tvReportStatistics::lastSavedBy>},
    {"Revision Number = ", ofStatistics<&tvReportStatistics::revisionNumber>},
    {"Total Edit Time = ", ofStatistics<&tvReportStatistics::totalEditTime>},
    {"Last Printed = ", ofStatistics<&tvReportStatistics::lastPrinted>},
    {"Created = ", ofStatistics<&tvReportStatistics::created>},
    {"Last Saved = ", ofStatistics<&tvReportStatistics::lastSaved>},
    {"Report Options", nullptr},
    {"Report Kind = ", looked<self, &tvReport::reportKind, GetReportKindText>},
    {"Convert date-time to = ",
     looked<self, &tvReport::convertDateTimeType, GetDateTimeConversionText>},
    {"Enable Asynchronous Query = ", ofReport<&tvReport::enableAsyncQuery>},
    {"Enable Generating Data for Hidden Object = ",
     ofReport<&tvReport::enableGeneratingDataForHiddenObject>},
    {"Enable Parameter Prompting = ", ofReport<&tvReport::enableParameterPrompting>},
    {"Enable Select Distinct Records = ", ofReport<&tvReport::enableSelectDistinctRecords>},
    {"Field Mapping Type = ", looked<self, &tvReport::fieldMappingType, GetFieldMappingText>},
    {"Formula Syntax = ", looked<self, &tvReport::formulaSyntax, GetFormulaSyntaxText>},
    {"Convert null field value to default = ", ofReport<&tvReport::convertNullFieldToDefault>},
    {"Case-insensitive SQL data = ", ofReport<&tvReport::caseInsensitiveSQLData>},
    // Listed twice, as in every comparison readers have come to know.
    {"Field Mapping Type = ", looked<self, &tvReport::fieldMappingType, GetFieldMappingText>},
    {"Formula Syntax Type = ", looked<self, &tvReport::formulaSyntax, GetFormulaSyntaxText>},
    {"Last Get Formula Syntax = ",
     looked<self, &tvReport::lastGetFormulaSyntax, GetFormulaSyntaxText>},
    // Shows the flag that "Perform Grouping on Server" shows, as comparisons always have.
    {"Can Perform Grouping on Server = ", ofReport<&tvReport::performGroupingOnServer>},
    {"Has Saved Data = ", ofReport<&tvReport::hasSavedData>},
    {"Verify on Every Print = ", ofReport<&tvReport::verifyOnEveryPrint>},
    {"Use Index for Speed = ", ofReport<&tvReport::useIndexForSpeed>},
    {"Save Preview Picture = ", ofReport<&tvReport::savePreviewPicture>},
    {"Need Updated Pages = ", ofReport<&tvReport::needUpdatedPages>},
    {"Perform Grouping on Server = ", ofReport<&tvReport::performGroupingOnServer>},
    {"Page Setup", nullptr},
    {"Top Margin = ", ofReport<&tvReport::topMargin>},
    {"Bottom Margin = ", ofReport<&tvReport::bottomMargin>},
    {"Left Margin = ", ofReport<&tvReport::leftMargin>},
    {"Right Margin = ", ofReport<&tvReport::rightMargin>},
    {"Printer Details", nullptr},
    {"Printer Name = ", ofPrinter<&tvPrinterObject::printerName>},
    {"Printer Driver = ", ofPrinter<&tvPrinterObject::driver>},
    {"Printer Port = ", ofPrinter<&tvPrinterObject::PortName>},
    {"Printer Duplex Option = ", ofPrinter<&tvPrinterObject::PrinterDuplex>},
    {"Paper Orientation = ",
     looked<printer, &tvPrinterObject::PaperOrientation, GetPaperOrientationText>},
    {"Paper Size = ", looked<printer, &tvPrinterObject::PaperSize, GetPaperSizeText>},
    {"Paper Source = ", looked<printer, &tvPrinterObject::PaperSource, GetPaperSourceText>},
    {"Total Number of Pages = ", ofPrinter<&tvPrinterObject::numberOfPages>},
    {"Print Date = ", ofPrinter<&tvPrinterObject::PrintDate>},
};

// ---- Lists of records ---------------------------------------------------------------------

// Which report has content: both, the first only or the second only.
qint16 sideKind(bool left, bool right) {
    if (left && right) return DiffBothSides;
    return left || !right ? DiffLeftOnly : DiffRightOnly;
}

QString field(const QString& record, qsizetype n) {
    return GetDelimitedField(record, QStringLiteral(","), n);
}

// A number as records write one: a sign, then digits with the locale's separators (or '.' and
// ',') and blanks between them. Names such as "nan" or "inf" are no numbers.
bool isNumeric(const QString& text, const QLocale& locale) {
    const QString trimmed = text.trimmed();
    qsizetype i = 0;
    if (i < trimmed.size() && (trimmed[i] == u'+' || trimmed[i] == u'-')) ++i;
    const QString decimal = locale.decimalPoint();
    const QString group = locale.groupSeparator();
    bool digits = false;
    for (; i < trimmed.size(); ++i) {
        const QChar c = trimmed[i];
        if (c >= u'0' && c <= u'9') {
            digits = true;
        } else if (c != u'.' && c != u',' && c != u' ' && !decimal.contains(c) &&
                   !group.contains(c)) {
            return false;
        }
    }
    return digits;
}

// A record as the alignment reads it. Two records stand for the same item when their keys
// agree: the second field when both begin with a number (a position, not a name), else the
// first.
struct KeyedRecord {
    QString first;
    QString second;
    bool numbered;

    KeyedRecord(const QString& record, const QLocale& locale)
        : first(field(record, 1)), second(field(record, 2)), numbered(isNumeric(first, locale)) {}

    bool sameItem(const KeyedRecord& other) const {
        return numbered && other.numbered ? second == other.second : first == other.first;
    }
};

// Where each key stands in one list, so that the search ahead for an item costs no more than
// the records it passes over once. A key is met with the same kind of record only: a first
// field that reads as a number always reads as one.
class KeyIndex {
public:
    explicit KeyIndex(const std::vector<KeyedRecord>& records) {
        for (qsizetype k = 0; k < static_cast<qsizetype>(records.size()); ++k) {
            const KeyedRecord& r = records[static_cast<size_t>(k)];
            (r.numbered ? numbered_[r.second] : plain_[r.first]).positions.push_back(k);
        }
    }

    // The first position after `after` whose record is the same item as `probe`, or -1. The
    // positions asked about never go back, so each key's positions are passed over once.
    qsizetype nextAfter(const KeyedRecord& probe, qsizetype after) {
        auto& keys = probe.numbered ? numbered_ : plain_;
        const auto found = keys.find(probe.numbered ? probe.second : probe.first);
        if (found == keys.end()) return -1;
        Positions& p = found.value();
        while (p.cursor < p.positions.size() && p.positions[p.cursor] <= after) ++p.cursor;
        return p.cursor < p.positions.size() ? p.positions[p.cursor] : -1;
    }

private:
    struct Positions {
        std::vector<qsizetype> positions;
        size_t cursor = 0;
    };
    QHash<QString, Positions> numbered_;
    QHash<QString, Positions> plain_;
};

template <class Items, class Record>
QStringList recordsOf(const Items* items, Record record) {
    QStringList records;
    if (!items) return records;
    for (qsizetype i = 1; i <= items->Count(); ++i) records << record(items->Item(i));
    return records;
}

QString joined(std::initializer_list<QString> fields) {
    return QStringList(fields).join(QStringLiteral(", "));
}

// Each part of an alert on a line of its own, as the documentation lists them. The record holds
// no ", " unless a text does, so an alert is known by its whole text.
QString alertRecord(const tvReportAlert& alert) {
    return QStringList{QStringLiteral("Name = ") + alert.name,
                       QStringLiteral("Condition Formula = ") + alert.conditionForumla,
                       QStringLiteral("Enabled = ") + tvBooleanText(alert.isEnabled),
                       QStringLiteral("Default Message = ") + alert.defaultMessage,
                       QStringLiteral("Message Formula = ") + alert.messageFormula}
        .join(kLineBreak);
}

QString formulaRecord(const tvFormulaField& formula) {
    return joined({formula.name, formula.text});
}

QString parameterRecord(const tvParameterFieldDefinition& parameter) {
    return joined(
        {parameter.parameterFieldName, parameter.prompt, GetValueTypeName(parameter.valueType)});
}

QString sortRecord(const tvSortField& sort) {
    return joined({GetFieldDefinitionName(sort.field),
                   GetSortDirectionText(detail::codeOfText(sort.sortDirection))});
}

QString tableRecord(const tvDatabaseTable& table) {
    return joined({table.descriptiveName.isEmpty() ? table.name : table.descriptiveName,
                   table.descriptiveName, table.location, table.dllName});
}

// One record per group of the report, as many as its group name fields; each reads its group
// header area, numbered in area order. A group without a header area of its own gives an empty
// record, and a header area beyond the report's groups is not listed.
QStringList groupRecords(const tvReport* report) {
    QStringList records;
    if (!report) return records;
    const qsizetype groups = report->tvGroupNameFields.Count();
    for (qsizetype i = 1; i <= report->tvAreas.Count() && records.size() < groups; ++i) {
        const tvArea& area = report->tvAreas.Item(i);
        if (area.kind != tvGroupHeaderArea) continue;
        records << joined({QStringLiteral("Group #") + QString::number(records.size() + 1),
                           GetFieldDefinitionName(area.groupConditionField),
                           GetGroupConditionText(area.groupCondition),
                           GetSortDirectionText(area.sortDirection)});
    }
    while (records.size() < groups) records << QString();
    return records;
}

// A list block: its heading lines, its records aligned, its closing blank line.
struct ListBlock {
    QStringList headings;
    QStringList left;
    QStringList right;
    bool headingsBySide;  // the heading lines take the side kind, else both sides
    bool closingBySide;   // the closing blank line likewise
};

QString sectionFlags(const tvSection& section) {
    QString text = GetSectionFlagsText(section);
    const tvConditionalFormulas& formulas = section.ConditionalFormulas;
    if (formulas.Count() > 0) text += QStringLiteral(" Conditional Formulas:");
    for (qsizetype i = 1; i <= formulas.Count(); ++i) {
        const tvConditionalFormula& formula = formulas.Item(i);
        text += u' ' + formula.conditionalFieldName + QStringLiteral(": ") +
                formula.conditionalFormulaText;
    }
    return text;
}

// The detail text of each object, a long run of blanks broken into a new line.
QStringList objectRecords(const tvSection* section) {
    QStringList records;
    if (!section) return records;
    for (qsizetype k = 1; k <= section->reportObjects.Count(); ++k) {
        QString text = GetObjectDetailsText(*section, k, static_cast<double>(k));
        ReplaceText(text, blanks(6), kLineBreak + blanks(7));
        records << text;
    }
    return records;
}

const tvSection* sectionOf(const tvReport* report, qsizetype area, qsizetype section) {
    if (!report || area < 1 || section < 1) return nullptr;
    return &report->tvAreas.Item(area).tvSections.Item(section);
}

qsizetype sectionCount(const tvReport* report, qsizetype area) {
    if (!report || area < 1) return 0;
    return report->tvAreas.Item(area).tvSections.Count();
}

// How a line's prefix text stands before the line.
enum class PrefixUse {
    None,            // never
    FirstLine,       // on the first line, blanks of its length on the later ones
    SingleLineOnly,  // only when the text has one line
};

QString withPrefix(const QString& prefix, PrefixUse use, qsizetype index, qsizetype count) {
    switch (use) {
        case PrefixUse::FirstLine:
            return index == 0 ? prefix : blanks(prefix.size());
        case PrefixUse::SingleLineOnly:
            return count == 1 ? prefix : QString();
        case PrefixUse::None:
            break;
    }
    return QString();
}

// One side of an entry as it is written: its lines, the numbers before them and its look.
struct Half {
    QStringList lines;
    QString prefix;    // the comparer's text prefix
    QString combined;  // numbers of the combined grid and text
    QString pane;      // numbers of the side-by-side grid
    std::vector<DiffGridRow>* paneGrid;
    qint32 color;
    bool marked;      // the first line carries the change marker
    bool textStruck;  // in the combined text and grid
    bool paneStruck;
    PrefixUse textUse;      // the prefix in the combined text
    PrefixUse combinedUse;  // in the combined grid
    PrefixUse paneUse;      // in the side-by-side grid
};

}  // namespace

QStringList ReportDiff::DiffDisplayNames(const QString& path1, const QString& path2, bool trimmed) {
    // A temporary copy of the first report, as the designer saves it while the report is open;
    // the designer writes the extension in one case throughout.
    if (path2.endsWith(QLatin1StringView(".TMP")) || path2.endsWith(QLatin1StringView(".tmp"))) {
        const QString name = path1.trimmed();
        return {name + QStringLiteral(" (original)"), name + QStringLiteral(" (revised)")};
    }
    if (trimmed) return {path1.trimmed(), path2.trimmed()};
    return {path1, path2};
}

void ReportDiff::OpenDiffReports(const QString& path1, const QString& path2) {
    const QStringList names = DiffDisplayNames(path1, path2, false);
    const ExtractOptions& settings = options_;
    auto load = [this, &settings](const QString& path, const QString& name) {
        tvLoadingOptions loading{
            qint16(settings.ShowSQL), qint16(settings.PromptForParameters), logon_, {}};
        CurrentReportName = name;
        ShowStatus(QStringLiteral("Mining: ") + name);
        // The list's folders are expanded for the other utilities only: a comparison takes the
        // entry as it stands.
        if (QFileInfo(path).isDir()) {
            throw rt::Error(rt::kErrUnableToOpen,
                            QStringLiteral("Tavrin is unable to open this report"),
                            QStringLiteral("a folder, not a report: a comparison takes two report "
                                           "files"));
        }
        auto report = std::make_unique<tvReport>();
        report->init(path, loading);
        return report;
    };
    // Both are loaded before either is replaced: a report that fails to open leaves the
    // comparison held before whole, its paths and its models alike.
    auto left = load(path1, names[0]);
    auto right = load(path2, names[1]);
    setReports(std::move(left), std::move(right), path1, path2);
}

void ReportDiff::setReports(std::unique_ptr<tvReport> left, std::unique_ptr<tvReport> right,
                            const QString& path1, const QString& path2) {
    LeftReportPath = path1;
    RightReportPath = path2;
    LeftReport = std::move(left);
    RightReport = std::move(right);
    ShowAllLines = true;
}

void ReportDiff::AnalyzeDifferences() {
    if (!LeftReport || !RightReport) tvObjectRequired();
    LeftLineCount = 0;
    RightLineCount = 0;
    grdDiff.clear();
    grd1.clear();
    grd2.clear();
    lines.clear();
    CurrentReportName = LeftReportPath + u':' + RightReportPath;
    ShowStatus(QStringLiteral("Analyzing differences "));
    CompareReportBlocks(*LeftReport, *RightReport);
    CompareReportTree(*LeftReport, *RightReport);
}

QString ReportDiff::combinedText() const {
    QString text;
    for (const DiffTextPiece& piece : rtbRptDiff) text += piece.text;
    return text;
}

void ReportDiff::appendText(const QString& text, qint32 color, bool struck) {
    if (!rtbRptDiff.empty() && rtbRptDiff.back().color == color &&
        rtbRptDiff.back().struck == struck) {
        rtbRptDiff.back().text += text;
        return;
    }
    rtbRptDiff.push_back({text, color, struck});
}

void ReportDiff::AddDiffLine(qint16 kind, const QString& leftText, const QString& rightText,
                             const QString& leftPrefix, const QString& rightPrefix) {
    if (kind != DiffBothSides && kind != DiffLeftOnly && kind != DiffRightOnly) return;
    // Counted before anything is written: the numbers are positions in each report's whole
    // listing, hidden equal lines included.
    if (kind != DiffRightOnly) ++LeftLineCount;
    if (kind != DiffLeftOnly) ++RightLineCount;
    const QString numL = lineNumber(LeftLineCount);
    const QString numR = lineNumber(RightLineCount);
    const QString leftSide = numL + blanks(6);
    const QString rightSide = blanks(5) + numR + u' ';

    const bool equal = kind == DiffBothSides && DiffLine::sameLines(leftText, rightText);
    if (equal && !ShowAllLines) return;
    lines.push_back({kind, leftText, rightText, leftPrefix, rightPrefix});

    auto write = [this](const Half& half) {
        const qsizetype count = half.lines.size();
        for (qsizetype k = 0; k < count; ++k) {
            const QString& line = half.lines[k];
            const QString mark = half.marked && k == 0 ? QString(kChangeMarker) : blanks(1);
            const QString combined = k == 0 ? half.combined : blanks(kCombinedWidth);
            const QString pane =
                k == 0 ? half.pane
                       : blanks(half.pane.size() == kCombinedWidth ? kCombinedWidth
                                                                   : half.pane.size() + 1);
            appendText(mark + combined, half.color, false);
            appendText(withPrefix(half.prefix, half.textUse, k, count) + line + u'\n', half.color,
                       half.textStruck);
            grdDiff.push_back({mark + combined,
                               withPrefix(half.prefix, half.combinedUse, k, count) + line,
                               half.color, half.textStruck});
            if (half.paneGrid) {
                half.paneGrid->push_back({mark + pane,
                                          withPrefix(half.prefix, half.paneUse, k, count) + line,
                                          half.color, half.paneStruck});
            }
        }
    };
    const QStringList leftLines = textLines(leftText);
    const QStringList rightLines = textLines(rightText);

    if (equal) {
        const QString numbered = numL + u' ' + numR + u' ';
        for (qsizetype k = 0; k < leftLines.size(); ++k) {
            const QString mark = blanks(1);
            const bool first = k == 0;
            const QString& line = leftLines[k];
            appendText(mark + (first ? numbered : blanks(kCombinedWidth)) + line + u'\n', DiffBlack,
                       false);
            const QString diffText =
                withPrefix(leftPrefix, PrefixUse::SingleLineOnly, k, leftLines.size()) + line;
            grdDiff.push_back({mark + (first ? numbered : blanks(kCombinedWidth)), diffText});
            grd1.push_back(
                {mark + (first ? numL + u' ' : blanks(6)),
                 withPrefix(leftPrefix, PrefixUse::FirstLine, k, leftLines.size()) + line});
            grd2.push_back({mark + (first ? numR + u' ' : blanks(6)),
                            withPrefix(rightPrefix, PrefixUse::FirstLine, k, leftLines.size()) +
                                rightLines.value(k)});
        }
        return;
    }
    if (kind == DiffBothSides) {
        write({leftLines, leftPrefix, leftSide, leftSide, &grd1, DiffBlue, true, true, false,
               PrefixUse::FirstLine, PrefixUse::FirstLine, PrefixUse::FirstLine});
        write({rightLines, rightPrefix, rightSide, numR + u' ', &grd2, DiffBlue, false, false,
               false, PrefixUse::SingleLineOnly, PrefixUse::FirstLine, PrefixUse::FirstLine});
    } else if (kind == DiffLeftOnly) {
        write({leftLines, leftPrefix, leftSide, leftSide, &grd1, DiffRed, true, true, true,
               PrefixUse::SingleLineOnly, PrefixUse::SingleLineOnly, PrefixUse::SingleLineOnly});
    } else {
        write({rightLines, rightPrefix, rightSide, rightSide, &grd2, DiffGreen, true, false, false,
               PrefixUse::SingleLineOnly, PrefixUse::SingleLineOnly, PrefixUse::SingleLineOnly});
    }
}

void ReportDiff::AlignKeyedLists(const QStringList& first, const QStringList& second) {
    const qsizetype n = first.size();
    const qsizetype m = second.size();
    auto leftOnly = [&](qsizetype from, qsizetype to) {
        for (qsizetype k = from; k < to; ++k) AddDiffLine(DiffLeftOnly, first[k], QString());
    };
    auto rightOnly = [&](qsizetype from, qsizetype to) {
        for (qsizetype k = from; k < to; ++k) AddDiffLine(DiffRightOnly, QString(), second[k]);
    };
    if (n == 0 || m == 0) {
        leftOnly(0, n);
        rightOnly(0, m);
        return;
    }
    const QLocale locale;
    auto keyed = [&locale](const QStringList& list) {
        std::vector<KeyedRecord> records;
        records.reserve(static_cast<size_t>(list.size()));
        for (const QString& record : list) records.emplace_back(record, locale);
        return records;
    };
    const std::vector<KeyedRecord> keys1 = keyed(first);
    const std::vector<KeyedRecord> keys2 = keyed(second);
    KeyIndex ahead1(keys1);
    KeyIndex ahead2(keys2);

    qsizetype i = 0;
    qsizetype j = 0;
    while (i < n && j < m) {
        const QString& r1 = first[i];
        const QString& r2 = second[j];
        if (r1 == r2) {
            // Written even when equal lines are hidden: the line numbers count it.
            AddDiffLine(DiffBothSides, r1, r2);
            ++i;
            ++j;
            continue;
        }
        const KeyedRecord& k1 = keys1[static_cast<size_t>(i)];
        const KeyedRecord& k2 = keys2[static_cast<size_t>(j)];
        if (k1.sameItem(k2)) {
            const bool numbered = k1.numbered && k2.numbered;
            const QString leftPrefix = numbered ? k1.first + QStringLiteral(", ") : QString();
            const QString rightPrefix = numbered ? k2.first + QStringLiteral(", ") : QString();
            AddDiffLine(DiffBothSides, r1.mid(leftPrefix.size()), r2.mid(rightPrefix.size()),
                        leftPrefix, rightPrefix);
            ++i;
            ++j;
            continue;
        }
        // Look ahead for the other list's current item by its key, first in the first list
        // (items removed), then in the second (items added).
        if (const qsizetype found = ahead1.nextAfter(k2, i); found >= 0) {
            leftOnly(i, found);
            AddDiffLine(DiffBothSides, first[found], r2);
            i = found + 1;
            ++j;
            continue;
        }
        if (const qsizetype found = ahead2.nextAfter(k1, j); found >= 0) {
            rightOnly(j, found);
            AddDiffLine(DiffBothSides, r1, second[found]);
            ++i;
            j = found + 1;
            continue;
        }
        // Neither is in the other list: each stands alone, and the records after them are
        // still lined up, so that an equal record further on never shows as removed and added.
        leftOnly(i, i + 1);
        rightOnly(j, j + 1);
        ++i;
        ++j;
    }
    leftOnly(i, n);
    rightOnly(j, m);
}

void ReportDiff::CompareReportBlocks(const tvReport& left, const tvReport& right) {
    const QStringList names = DiffDisplayNames(LeftReportPath, RightReportPath, true);
    const QString title = QStringLiteral("Tavrin RptDiff    ") +
                          QLocale().toString(Clock::today(), QLocale::ShortFormat);
    const QString file1 = QStringLiteral("File 1 = ") + names[0];
    const QString file2 = QStringLiteral("File 2 = ") + names[1];
    for (const QString& row : {title, file1, file2, QStringLiteral(" ")}) {
        grdDiff.push_back({QString(), row});
    }
    for (const QString& row : {title, file1, QString(), QStringLiteral(" ")}) {
        grd1.push_back({QString(), row});
    }
    for (const QString& row : {title, QString(), file2, QStringLiteral(" ")}) {
        grd2.push_back({QString(), row});
    }

    bool inBlock = false;
    for (const BlockRow& row : kReportBlocks) {
        const QString text = QString::fromLatin1(row.text);
        if (row.value) {
            AddDiffLine(DiffBothSides, text + row.value(left), text + row.value(right));
            continue;
        }
        if (inBlock) AddDiffLine(DiffBothSides, QString(), QString());
        AddDiffLine(DiffBothSides, text, text);
        inBlock = true;
    }
    AddDiffLine(DiffBothSides, QString(), QString());
    AddDiffLine(DiffBothSides, QStringLiteral("Report Definition"),
                QStringLiteral("Report Definition"));
    AddDiffLine(DiffBothSides, QString(), QString());
}

void ReportDiff::CompareReportTree(const tvReport& left, const tvReport& right) {
    const qsizetype leftCount = left.subReports.Count();
    const qsizetype rightCount = right.subReports.Count();
    // Subreports pair by their position in the report, not by name.
    for (qsizetype i = 0; i <= std::max(leftCount, rightCount); ++i) {
        const tvReport* l = i <= leftCount ? &GetReportOrSubreport(left, i) : nullptr;
        const tvReport* r = i <= rightCount ? &GetReportOrSubreport(right, i) : nullptr;
        CompareReportPair(l, r, i > 0);
    }
}

void ReportDiff::CompareReportPair(const tvReport* left, const tvReport* right, bool isSubreport) {
    const ExtractOptions& settings = options_;
    auto text = [](const tvReport* report, QString tvReport::*member) {
        return report ? report->*member : QString();
    };
    // A text of each report: heading, the two texts, a blank line. `sided` gives the three
    // lines the side kind; `titleBySide` puts a one-sided heading on its own side only.
    auto textPair = [this, &text, left, right](QString tvReport::*member, const char* heading,
                                               bool sided, bool titleBySide) {
        const QString l = text(left, member);
        const QString r = text(right, member);
        if (l.isEmpty() && r.isEmpty()) return;
        const qint16 kind = sided ? sideKind(!l.isEmpty(), !r.isEmpty()) : qint16{DiffBothSides};
        const QString title = QString::fromLatin1(heading);
        AddDiffLine(kind, titleBySide && kind == DiffRightOnly ? QString() : title,
                    titleBySide && kind == DiffLeftOnly ? QString() : title);
        AddDiffLine(kind, l, r);
        AddDiffLine(kind, QString(), QString());
    };
    auto listBlock = [this](const ListBlock& block) {
        if (block.left.isEmpty() && block.right.isEmpty()) return;
        const qint16 side = sideKind(!block.left.isEmpty(), !block.right.isEmpty());
        for (const QString& heading : block.headings) {
            AddDiffLine(block.headingsBySide ? side : qint16{DiffBothSides}, heading, heading);
        }
        AlignKeyedLists(block.left, block.right);
        AddDiffLine(block.closingBySide ? side : qint16{DiffBothSides}, QString(), QString());
    };
    auto ofBoth = [left, right](auto member, auto record) {
        auto items = [member](const tvReport* report) {
            return report ? &(report->*member) : nullptr;
        };
        return std::pair{recordsOf(items(left), record), recordsOf(items(right), record)};
    };
    auto list = [&](auto member, auto record, QStringList headings, bool headingsBySide,
                    bool closingBySide) {
        auto [l, r] = ofBoth(member, record);
        listBlock({headings, l, r, headingsBySide, closingBySide});
    };

    // Each block on its own: a block that fails is reported and the next one runs.
    auto step = [](auto&& block) {
        try {
            block();
        } catch (const rt::Error& e) {
            ShowMessage(e.description());
        } catch (const doctext::DetailError& e) {
            ShowMessage(e.description());
        }
    };

    if (isSubreport) {
        const QString l = text(left, &tvReport::reportTitle);
        const QString r = text(right, &tvReport::reportTitle);
        const QString label = QStringLiteral("Subreport: ");
        if (!l.isEmpty() || !r.isEmpty()) {
            const qint16 kind = sideKind(!l.isEmpty(), !r.isEmpty());
            AddDiffLine(kind, l.isEmpty() ? QString() : label + l,
                        r.isEmpty() ? QString() : label + r);
        }
    }
    step([&] {
        list(&tvReport::reportAlerts, alertRecord, {QStringLiteral("Report Alerts")}, false, true);
    });
    if (settings.ShowFormula) {
        step([&] { textPair(&tvReport::recordSelectionFormula, "Selection Formula", true, true); });
        step([&] {
            textPair(&tvReport::groupSelectionFormula, "Group Selection Formula", false, false);
        });
        step([&] {
            list(&tvReport::tvFormulaFields, formulaRecord,
                 {QStringLiteral("Formulas"), QStringLiteral("Name, Formula")}, false, false);
        });
    }
    if (settings.ShowParameters) {
        step([&] {
            list(&tvReport::tvParameters, parameterRecord,
                 {QStringLiteral("Parameters"), QStringLiteral("Name, Description, Data Type")},
                 false, false);
        });
    }
    if (settings.ShowGroups) {
        step([&] {
            listBlock({{QStringLiteral("Groups"),
                        QStringLiteral("Group, Field, Break On, Sort Direction")},
                       groupRecords(left),
                       groupRecords(right),
                       false,
                       false});
        });
    }
    if (settings.ShowSort) {
        step([&] {
            list(&tvReport::tvGroupSortFields, sortRecord,
                 {QStringLiteral("Sorts"), QStringLiteral("Sort Field, Direction")}, true, true);
        });
    }
    if (settings.ShowSQL) {
        step([&] { textPair(&tvReport::sqlQueryString, "SQL Query", true, false); });
    }
    if (settings.ShowTables) {
        step([&] {
            auto tables = [](const tvReport* report) {
                return report && report->tvDatabase ? &report->tvDatabase->tables : nullptr;
            };
            listBlock(
                {{QStringLiteral("Tables"), QStringLiteral("Tables, Alias, Location, Driver")},
                 recordsOf(tables(left), tableRecord),
                 recordsOf(tables(right), tableRecord),
                 false,
                 false});
        });
    }
    step([&] { CompareSections(left, right); });
}

void ReportDiff::CompareSections(const tvReport* left, const tvReport* right) {
    const qsizetype n = left ? left->tvAreas.Count() : 0;
    const qsizetype m = right ? right->tvAreas.Count() : 0;
    // Without areas on either side, two reports share the block's heading as equal lines; a
    // report without a counterpart keeps it on its own side.
    const qint16 side =
        n == 0 && m == 0 ? sideKind(left != nullptr, right != nullptr) : sideKind(n > 0, m > 0);
    AddDiffLine(side, QStringLiteral("Sections"), QStringLiteral("Sections"));
    AddDiffLine(side, QString(), QString());
    if (n == 0 && m == 0) return;
    if (m == 0 || n == 0) {
        for (qsizetype i = 1; i <= std::max(n, m); ++i) {
            if (m == 0) {
                CompareAreaSections(left, i, right, 0);
            } else {
                CompareAreaSections(left, 0, right, i);
            }
        }
        AddDiffLine(side, QString(), QString());
        return;
    }
    // Areas merge by kind, in the order of the kinds.
    qsizetype i = 1;
    qsizetype j = 1;
    while (i <= n || j <= m) {
        const qint16 leftKind = i <= n ? left->tvAreas.Item(i).kind : 0;
        const qint16 rightKind = j <= m ? right->tvAreas.Item(j).kind : 0;
        if (j > m || (i <= n && leftKind < rightKind)) {
            CompareAreaSections(left, i++, right, 0);
        } else if (i > n || leftKind > rightKind) {
            CompareAreaSections(left, 0, right, j++);
        } else {
            CompareAreaSections(left, i++, right, j++);
        }
    }
}

void ReportDiff::CompareAreaSections(const tvReport* left, qsizetype leftArea,
                                     const tvReport* right, qsizetype rightArea) {
    const qsizetype n = sectionCount(left, leftArea);
    const qsizetype m = sectionCount(right, rightArea);
    if (n == 0 && m == 0) return;
    // Sections pair by position; a section beyond the other area's last keeps a both-sides
    // kind, so it shows as changed against nothing.
    const qint16 kind = sideKind(n > 0, m > 0);
    for (qsizetype s = 1; s <= std::max(n, m); ++s) {
        const qsizetype ls = s <= n ? s : 0;
        const qsizetype rs = s <= m ? s : 0;
        const tvSection* l = sectionOf(left, leftArea, ls);
        const tvSection* r = sectionOf(right, rightArea, rs);
        AddDiffLine(kind, l ? GetSectionDisplayName(*left, leftArea, s) : QString(),
                    r ? GetSectionDisplayName(*right, rightArea, s) : QString());
        AddDiffLine(kind, l ? sectionFlags(*l) : QString(), r ? sectionFlags(*r) : QString());
        CompareSectionObjects(l, r);
        AddDiffLine(kind, QString(), QString());
    }
}

void ReportDiff::CompareSectionObjects(const tvSection* left, const tvSection* right) {
    AlignKeyedLists(objectRecords(left), objectRecords(right));
}

}  // namespace tav::utilities
