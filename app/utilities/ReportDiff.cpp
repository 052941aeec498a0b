#include "ReportDiff.h"

#include <QDate>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <algorithm>

#include "Clock.h"
#include "CodeTexts.h"
#include "DocumentedValue.h"
#include "ExtractOptions.h"
#include "ReportLoad.h"
#include "ReportValues.h"
#include "RunReporter.h"
#include "SharedBlocks.h"
#include "TextUtilities.h"
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

QString blanks(qsizetype n) { return QString(n, u' '); }

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

// A number as it converts to one: a sign, digits and one decimal separator (the locale's or '.'),
// with blanks only around it. Names that merely hold digits, such as "1.2.3" or "10 20", and
// names that a reader of numbers would take for one ("nan", "inf") are no numbers.
bool isNumeric(const QString& text, const QLocale& locale) {
    const QString trimmed = text.trimmed();
    if (!std::any_of(trimmed.begin(), trimmed.end(), [](QChar c) { return c.isDigit(); }))
        return false;
    bool ok = false;
    locale.toDouble(trimmed, &ok);
    if (!ok) QLocale::c().toDouble(trimmed, &ok);
    return ok;
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
                   GetSortDirectionText(documented(CodeOfText(sort.sortDirection)))});
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
        QString text = documented(GetObjectDetailsText(*section, k, static_cast<double>(k)));
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

// One comparison of two reports: walks both models and adds what it finds to the results.
class Comparison {
public:
    // The messages of blocks that fail go to `reporter`.
    Comparison(const ExtractOptions& options, DiffResults& results, RunReporter& reporter)
        : options_(options), results_(results), reporter_(reporter) {}

    void compareReportBlocks(const tvReport& left, const tvReport& right, const QString& leftPath,
                             const QString& rightPath);
    void compareReportTree(const tvReport& left, const tvReport& right);

private:
    void compareReportPair(const tvReport* left, const tvReport* right, bool isSubreport);
    void compareSections(const tvReport* left, const tvReport* right);
    void compareAreaSections(const tvReport* left, qsizetype leftArea, const tvReport* right,
                             qsizetype rightArea);
    void compareSectionObjects(const tvSection* left, const tvSection* right);
    void add(qint16 kind, const QString& leftText, const QString& rightText) {
        results_.add(kind, leftText, rightText);
    }

    const ExtractOptions& options_;
    DiffResults& results_;
    RunReporter& reporter_;
};

void Comparison::compareReportBlocks(const tvReport& left, const tvReport& right,
                                     const QString& leftPath, const QString& rightPath) {
    const QStringList names = ReportDiff::displayNames(leftPath, rightPath, true);
    results_.addRunHeader(QStringLiteral("Tavrin RptDiff    ") +
                              QLocale().toString(Clock::today(), QLocale::ShortFormat),
                          QStringLiteral("File 1 = ") + names[0],
                          QStringLiteral("File 2 = ") + names[1]);

    bool inBlock = false;
    for (const BlockRow& row : kReportBlocks) {
        const QString text = QString::fromLatin1(row.text);
        if (row.value) {
            add(DiffBothSides, text + row.value(left), text + row.value(right));
            continue;
        }
        if (inBlock) add(DiffBothSides, QString(), QString());
        add(DiffBothSides, text, text);
        inBlock = true;
    }
    add(DiffBothSides, QString(), QString());
    add(DiffBothSides, QStringLiteral("Report Definition"), QStringLiteral("Report Definition"));
    add(DiffBothSides, QString(), QString());
}

void Comparison::compareReportTree(const tvReport& left, const tvReport& right) {
    const qsizetype leftCount = left.subReports.Count();
    const qsizetype rightCount = right.subReports.Count();
    // Subreports pair by their position in the report, not by name.
    for (qsizetype i = 0; i <= std::max(leftCount, rightCount); ++i) {
        const tvReport* l = i <= leftCount ? documented(GetReportOrSubreport(left, i)) : nullptr;
        const tvReport* r = i <= rightCount ? documented(GetReportOrSubreport(right, i)) : nullptr;
        compareReportPair(l, r, i > 0);
    }
}

void Comparison::compareReportPair(const tvReport* left, const tvReport* right, bool isSubreport) {
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
        add(kind, titleBySide && kind == DiffRightOnly ? QString() : title,
            titleBySide && kind == DiffLeftOnly ? QString() : title);
        add(kind, l, r);
        add(kind, QString(), QString());
    };
    auto listBlock = [this](const ListBlock& block) {
        if (block.left.isEmpty() && block.right.isEmpty()) return;
        const qint16 side = sideKind(!block.left.isEmpty(), !block.right.isEmpty());
        for (const QString& heading : block.headings) {
            add(block.headingsBySide ? side : qint16{DiffBothSides}, heading, heading);
        }
        alignKeyedLists(block.left, block.right, results_);
        add(block.closingBySide ? side : qint16{DiffBothSides}, QString(), QString());
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
    auto step = [this](auto&& block) {
        try {
            block();
        } catch (const rt::Error& e) {
            reporter_.message(e.description());
        } catch (const DocumentationFailure& e) {
            reporter_.message(e.reason());
        }
    };

    if (isSubreport) {
        const QString l = text(left, &tvReport::reportTitle);
        const QString r = text(right, &tvReport::reportTitle);
        const QString label = QStringLiteral("Subreport: ");
        if (!l.isEmpty() || !r.isEmpty()) {
            const qint16 kind = sideKind(!l.isEmpty(), !r.isEmpty());
            add(kind, l.isEmpty() ? QString() : label + l, r.isEmpty() ? QString() : label + r);
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
    step([&] { compareSections(left, right); });
}

void Comparison::compareSections(const tvReport* left, const tvReport* right) {
    const qsizetype n = left ? left->tvAreas.Count() : 0;
    const qsizetype m = right ? right->tvAreas.Count() : 0;
    // Without areas on either side, two reports share the block's heading as equal lines; a
    // report without a counterpart keeps it on its own side.
    const qint16 side =
        n == 0 && m == 0 ? sideKind(left != nullptr, right != nullptr) : sideKind(n > 0, m > 0);
    add(side, QStringLiteral("Sections"), QStringLiteral("Sections"));
    add(side, QString(), QString());
    if (n == 0 && m == 0) return;
    if (m == 0 || n == 0) {
        for (qsizetype i = 1; i <= std::max(n, m); ++i) {
            if (m == 0) {
                compareAreaSections(left, i, right, 0);
            } else {
                compareAreaSections(left, 0, right, i);
            }
        }
        add(side, QString(), QString());
        return;
    }
    // Areas merge by kind, in the order of the kinds.
    qsizetype i = 1;
    qsizetype j = 1;
    while (i <= n || j <= m) {
        const qint16 leftKind = i <= n ? left->tvAreas.Item(i).kind : 0;
        const qint16 rightKind = j <= m ? right->tvAreas.Item(j).kind : 0;
        if (j > m || (i <= n && leftKind < rightKind)) {
            compareAreaSections(left, i++, right, 0);
        } else if (i > n || leftKind > rightKind) {
            compareAreaSections(left, 0, right, j++);
        } else {
            compareAreaSections(left, i++, right, j++);
        }
    }
}

void Comparison::compareAreaSections(const tvReport* left, qsizetype leftArea,
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
        add(kind, l ? GetSectionDisplayName(*left, leftArea, s) : QString(),
            r ? GetSectionDisplayName(*right, rightArea, s) : QString());
        add(kind, l ? sectionFlags(*l) : QString(), r ? sectionFlags(*r) : QString());
        compareSectionObjects(l, r);
        add(kind, QString(), QString());
    }
}

void Comparison::compareSectionObjects(const tvSection* left, const tvSection* right) {
    alignKeyedLists(objectRecords(left), objectRecords(right), results_);
}

}  // namespace

QStringList ReportDiff::displayNames(const QString& leftPath, const QString& rightPath,
                                     bool trimmed) {
    // A temporary copy of the first report, as the designer saves it while the report is open;
    // the designer writes the extension in one case throughout.
    if (rightPath.endsWith(QLatin1StringView(".TMP")) ||
        rightPath.endsWith(QLatin1StringView(".tmp"))) {
        const QString name = leftPath.trimmed();
        return {name + QStringLiteral(" (original)"), name + QStringLiteral(" (revised)")};
    }
    if (trimmed) return {leftPath.trimmed(), rightPath.trimmed()};
    return {leftPath, rightPath};
}

bool ReportDiff::open(const QString& leftPath, const QString& rightPath, QString* error) {
    const QStringList names = displayNames(leftPath, rightPath, false);
    const ExtractOptions& settings = options_;
    QStringList sqlLeftOut;
    auto load = [this, &settings, &sqlLeftOut, error](
                    const QString& path, const QString& name) -> std::unique_ptr<tvReport> {
        tvLoadingOptions loading{
            qint16(settings.ShowSQL), qint16(settings.PromptForParameters), logon_, {}};
        currentReportName_ = name;
        reporter().status(QStringLiteral("Mining: ") + name);
        // The list's folders are expanded for the other utilities only: a comparison takes the
        // entry as it stands.
        if (QFileInfo(path).isDir()) {
            if (error) {
                *error = QStringLiteral(
                    "a folder, not a report: a comparison takes two report "
                    "files");
            }
            return nullptr;
        }
        auto report = std::make_unique<tvReport>();
        LoadFailure failure;
        if (!loadReport(*report, path, loading, &failure)) {
            if (error) *error = failure.reason();
            return nullptr;
        }
        // A logon not given clears the switch for the rest of the load.
        if (settings.ShowSQL && !loading.showSQL && !sqlLeftOut.contains(name)) sqlLeftOut << name;
        return report;
    };
    // Both are loaded before either is replaced: a report that fails to open leaves the
    // comparison held before whole, its paths and its models alike.
    auto left = load(leftPath, names[0]);
    if (!left) return false;
    auto right = load(rightPath, names[1]);
    if (!right) return false;
    setReports(std::move(left), std::move(right), leftPath, rightPath);
    sqlLeftOut_ = sqlLeftOut;
    return true;
}

void ReportDiff::setReports(std::unique_ptr<tvReport> left, std::unique_ptr<tvReport> right,
                            const QString& leftPath, const QString& rightPath) {
    leftPath_ = leftPath;
    rightPath_ = rightPath;
    left_ = std::move(left);
    right_ = std::move(right);
    sqlLeftOut_.clear();
}

bool ReportDiff::compare(bool allLines, DiffResults& results, QString* error) {
    // What the model and documentation fail with stays here: the caller hears the reason.
    try {
        if (!hasReports()) tvObjectRequired();
        DiffResults found(allLines);
        currentReportName_ = leftPath_ + u':' + rightPath_;
        reporter().status(QStringLiteral("Analyzing differences "));
        Comparison comparison(options_, found, reporter());
        comparison.compareReportBlocks(*left_, *right_, leftPath_, rightPath_);
        comparison.compareReportTree(*left_, *right_);
        results = std::move(found);
        return true;
    } catch (const rt::Error& e) {
        if (error) *error = e.reason();
    } catch (const DocumentationFailure& e) {
        if (error) *error = e.reason();
    }
    results = DiffResults(allLines);
    return false;
}

void alignKeyedLists(const QStringList& first, const QStringList& second, DiffResults& results) {
    const qsizetype n = first.size();
    const qsizetype m = second.size();
    auto leftOnly = [&](qsizetype from, qsizetype to) {
        for (qsizetype k = from; k < to; ++k) results.add(DiffLeftOnly, first[k], QString());
    };
    auto rightOnly = [&](qsizetype from, qsizetype to) {
        for (qsizetype k = from; k < to; ++k) results.add(DiffRightOnly, QString(), second[k]);
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
            results.add(DiffBothSides, r1, r2);
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
            results.add(DiffBothSides, r1.mid(leftPrefix.size()), r2.mid(rightPrefix.size()),
                        leftPrefix, rightPrefix);
            ++i;
            ++j;
            continue;
        }
        // Look ahead for the other list's current item by its key, first in the first list
        // (items removed), then in the second (items added).
        if (const qsizetype found = ahead1.nextAfter(k2, i); found >= 0) {
            leftOnly(i, found);
            results.add(DiffBothSides, first[found], r2);
            i = found + 1;
            ++j;
            continue;
        }
        if (const qsizetype found = ahead2.nextAfter(k1, j); found >= 0) {
            rightOnly(j, found);
            results.add(DiffBothSides, r1, second[found]);
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

}  // namespace tav::utilities
