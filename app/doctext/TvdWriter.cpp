#include "TvdWriter.h"

#include <QFileInfo>
#include <QLocale>
#include <QVersionNumber>
#include <algorithm>
#include <stdexcept>

#include "CodeTexts.h"
#include "DetailError.h"
#include "DetailPieces.h"
#include "ExtractOptions.h"
#include "FieldDetails.h"
#include "ReportBodyBlocks.h"
#include "SharedBlocks.h"
#include "Version.h"
#include "tvArea.h"
#include "tvDatabase.h"
#include "tvDatabaseFieldDefinition.h"
#include "tvDatabaseTable.h"
#include "tvFieldDefinitions.h"
#include "tvReport.h"
#include "tvReportAlert.h"
#include "tvSection.h"
#include "tvSortField.h"
#include "tvTableLink.h"

namespace tav::doctext {

using namespace core;

namespace {

// The file could not take what was written: no step of a body can go on after it.
class OutputFailure : public std::runtime_error {
public:
    explicit OutputFailure(const QString& reason) : std::runtime_error(reason.toStdString()) {}
};

// A report-level block that could not document a value of the model: the file stops there.
class BlockFailure : public std::runtime_error {
public:
    explicit BlockFailure(const QString& reason) : std::runtime_error(reason.toStdString()) {}
};

// A file that is not there to be written or documented.
class FileFailure : public std::runtime_error {
public:
    explicit FileFailure(const char* reason) : std::runtime_error(reason) {}
};

const QString kTab = QStringLiteral("\t");
const QString kSeparator = QStringLiteral(", ");

std::unique_ptr<rt::SaveFile> openSaveFile(const QString& path) {
    return std::make_unique<rt::SaveFile>(path);
}

// The items of a model collection, each turned into text by `text`.
template <class Collection, class Text>
QStringList texts(const Collection& items, Text text) {
    QStringList list;
    for (const auto& item : items) list << text(item);
    return list;
}

// "Orders.IDOrders.Region": the table's name and each field's column, run together. A piece
// that cannot be read is left out.
QString linkSide(const tvDatabaseTable* table, const tvDatabaseFieldDefinitionRefs& fields) {
    QString side;
    for (const tvDatabaseFieldDefinition& field : fields) {
        if (table) side += table->name + u'.' + field.databaseFieldName;
    }
    return side;
}

}  // namespace

TvdWriter::TvdWriter(const ExtractOptions& options, RunReporter& reporter, OutputOpener openOutput)
    : options_(options),
      reporter_(reporter),
      openOutput_(openOutput ? std::move(openOutput) : OutputOpener(openSaveFile)) {}

TvdWriter::~TvdWriter() = default;

bool TvdWriter::init(const QString& fileName, const QString& outputFolder,
                     const QString& reportPath, QString* error) {
    cleanUp();
    if (fileName.size() < 4) {
        if (error) *error = QStringLiteral("the report file name %1 is too short").arg(fileName);
        return false;
    }
    path_ = outputFolder + fileName.left(fileName.size() - 4) + QStringLiteral(".tvd");
    reportPath_ = reportPath;
    file_ = openOutput_(path_);
    if (!file_ || !file_->open(QIODevice::WriteOnly)) {
        if (error) {
            *error = path_ + QStringLiteral(": ") +
                     (file_ ? file_->errorString() : QStringLiteral("cannot be opened"));
        }
        file_.reset();
        return false;
    }
    detailWriter_ = std::make_unique<ObjectDetailWriter>();
    detailWriter_->init(*this);
    return true;
}

bool TvdWriter::WriteReport(const tvReport& report, const QString& fileName, QString* error) {
    QString reason;
    try {
        const ExtractOptions& settings = options_;
        QString why;  // of a block that stops the file
        writeHeader(fileName);
        if (settings.ShowRptSummary) {
            caption(QStringLiteral("Report Summary Information"), 1, LineRole::Title);
            if (!WriteSummaryInformation(report, *this, &why)) throw BlockFailure(why);
        }
        if (settings.ShowExport) {
            caption(QStringLiteral("Report Export Information"), 1, LineRole::Title);
            if (!WriteExportInformation(report, *this, &why)) throw BlockFailure(why);
        }
        fileName_ = fileName;
        for (qsizetype i = 0; i <= report.subReports.Count(); ++i) {
            const tvReport& body = *valueOf(GetReportOrSubreport(report, i));
            if (i > 0) caption(QStringLiteral("Subreport: ") + body.reportTitle, 1);
            inSubreport_ = i > 0;
            subreportTitle_ = body.reportTitle;
            writeBody(body);
        }
        if (!file_->commit()) throw OutputFailure(file_->errorString());
        file_.reset();
        return true;
    } catch (const rt::Error& e) {
        reason = path_ + QStringLiteral(": ") + e.description();
    } catch (const std::exception& e) {
        reason = path_ + QStringLiteral(": ") + QString::fromUtf8(e.what());
    }
    if (error) *error = reason;
    cleanUp();
    return false;
}

void TvdWriter::cleanUp() {
    // A file that was not committed is thrown away, and the old one stays.
    file_.reset();
    detailWriter_.reset();
}

void TvdWriter::WriteDetails(LineRole, LineKind kind, const QString& text, const QString& value,
                             qint32 level) {
    writeLine(detailLine(kind, text, value, level));
}

void TvdWriter::writeLine(const QString& line) {
    if (!file_) throw FileFailure("Bad file name or number");
    // A value written unchanged may hold line breaks of its own (a formula's, the SQL text's):
    // they end in CR LF like every other line of the file. Most lines hold none and are encoded
    // as they stand, with no copy of the text.
    QByteArray bytes;
    if (line.contains(u'\n')) {
        QString text = line;
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        text.replace(u'\n', QStringLiteral("\r\n"));
        bytes = text.toUtf8();
    } else {
        bytes = line.toUtf8();
    }
    bytes.append("\r\n", 2);
    if (file_->write(bytes) != bytes.size()) throw OutputFailure(file_->errorString());
}

void TvdWriter::writeHeader(const QString& fileName) {
    const QFileInfo report(reportPath_);
    if (!report.exists()) throw FileFailure("File not found");
    writeLine(QStringLiteral("Report File: ") + fileName);
    writeLine(QStringLiteral("Report File DateTime: ") +
              QLocale::c().toString(report.lastModified(), u"dd-MMM-yyyy 'at' HH:mm:ss"));
    writeLine(QString());
    writeLine(QStringLiteral("Tavrin, Version ") + shortVersionText());
    blank(1);
}

template <class Step>
void TvdWriter::step(const QString& part, Step&& body) {
    QString description;
    try {
        body();
        return;
    } catch (const OutputFailure&) {
        throw;
    } catch (const rt::Error& e) {
        description = e.description();
    } catch (const std::exception& e) {
        description = QString::fromLocal8Bit(e.what());
    }
    // The user is told at once which report, and which part of it, is incomplete.
    QString where =
        QStringLiteral("Unable to write the ") + part + QStringLiteral(" of Report: ") + fileName_;
    if (inSubreport_) where += QStringLiteral(", Subreport: ") + subreportTitle_;
    const QString fault = where + QStringLiteral(" (") + description + u')';
    bodyFaults_ << fault;
    reporter_.message(fault);
}

void TvdWriter::caption(const QString& text, qint32 level, LineRole role) {
    WriteDetails(role, LineKind::Caption, text, QString(), level);
}

void TvdWriter::blank(qint32 level) { caption(QString(), level); }

void TvdWriter::writeBody(const tvReport& report) {
    const std::vector<BodyBlock> blocks = ReportBodyBlocks(options_);
    // The columns of each table stand under it, in the tables block.
    const bool withColumns =
        std::find(blocks.begin(), blocks.end(), BodyBlock::TableColumns) != blocks.end();
    for (const BodyBlock block : blocks) {
        switch (block) {
            case BodyBlock::Alerts:
                step(QStringLiteral("Report Alerts"), [&] { writeAlerts(report); });
                break;
            case BodyBlock::RecordSelectionFormula:
                step(QStringLiteral("Record Selection Formula"), [&] {
                    writeFormula("Record Selection Formula", report.recordSelectionFormula);
                });
                break;
            case BodyBlock::GroupSelectionFormula:
                step(QStringLiteral("Group Selection Formula"), [&] {
                    writeFormula("Group Selection Formula", report.groupSelectionFormula);
                });
                break;
            case BodyBlock::UserFormulas:
                step(QStringLiteral("User Formulas"), [&] { writeUserFormulas(report); });
                break;
            case BodyBlock::Parameters:
                step(QStringLiteral("Parameters"), [&] { writeParameters(report); });
                break;
            case BodyBlock::Groups:
                step(QStringLiteral("Groups"), [&] { writeGroups(report); });
                break;
            case BodyBlock::GroupSortFields:
                step(QStringLiteral("Group Sort Fields"),
                     [&] { writeSortFields("Group Sort Fields", report, true); });
                break;
            case BodyBlock::RecordSortFields:
                step(QStringLiteral("Record Sort Fields"),
                     [&] { writeSortFields("Record Sort Fields", report, false); });
                break;
            case BodyBlock::SqlQuery:
                step(QStringLiteral("SQL Query"), [&] { writeSqlQuery(report); });
                break;
            case BodyBlock::Tables:
                step(QStringLiteral("Tables"), [&] { writeTables(report, withColumns); });
                break;
            case BodyBlock::TableColumns:
                break;
            case BodyBlock::DatabaseLinks:
                WriteDBLinks(report);
                break;
            case BodyBlock::RunningTotals:
                step(QStringLiteral("Running Totals"), [&] { writeRunningTotals(report); });
                break;
            case BodyBlock::Sections:
                writeAreas(report);
                break;
        }
    }
}

void TvdWriter::writeAlerts(const tvReport& report) {
    if (report.reportAlerts.Count() < 1) return;
    caption(QStringLiteral("Report Alerts"), 1);
    for (const tvReportAlert& alert : report.reportAlerts) {
        caption(QStringLiteral("Name = ") + alert.name, 2);
        caption(kTab + QStringLiteral("Condition Formula = ") + alert.conditionForumla, 2,
                LineRole::Label);
        caption(kTab + QStringLiteral("Enabled = ") + tvBooleanText(alert.isEnabled), 2,
                LineRole::Label);
        caption(kTab + QStringLiteral("Default Message = ") + alert.defaultMessage, 2,
                LineRole::Label);
        caption(kTab + QStringLiteral("Message Formula = ") + alert.messageFormula, 2,
                LineRole::Label);
    }
    blank(1);
}

void TvdWriter::writeFormula(const char* title, const QString& formula) {
    if (formula.isEmpty()) return;
    caption(QLatin1StringView(title), 1);
    caption(kTab + formula, 2);
    blank(1);
}

void TvdWriter::writeUserFormulas(const tvReport& report) {
    if (report.tvFormulaFields.Count() < 1) return;
    caption(QStringLiteral("User Formulas"), 1);
    caption(QStringLiteral("Name, Formula"), 1);
    for (const tvFormulaField& formula : report.tvFormulaFields) {
        caption(valueOf(GetFieldDisplayName(&formula)) + kSeparator + formula.text, 1);
    }
    blank(1);
}

void TvdWriter::writeParameters(const tvReport& report) {
    if (report.tvParameters.Count() < 1) return;
    caption(QStringLiteral("Parameters"), 1);
    caption(QStringLiteral("Name, Description, Data Type"), 1);
    for (const tvParameterFieldDefinition& parameter : report.tvParameters) {
        caption(QStringList{parameter.parameterFieldName, parameter.prompt,
                            GetValueTypeName(parameter.valueType)}
                    .join(kSeparator),
                2);
    }
    blank(1);
}

void TvdWriter::writeGroups(const tvReport& report) {
    if (report.tvGroupNameFields.Count() != 0) {
        caption(QStringLiteral("Groups"), 1);
        caption(QStringLiteral("Group, Field, Break On, Sort Direction"), 1);
        for (const tvArea& area : report.tvAreas) {
            if (area.kind != tvGroupHeaderArea) continue;
            caption(QStringList{QStringLiteral("Group #") + QString::number(area.groupNumber),
                                GetFieldDefinitionName(area.groupConditionField),
                                GetGroupConditionText(area.groupCondition),
                                GetSortDirectionText(area.sortDirection)}
                        .join(kSeparator),
                    2);
            const QString formula = GetGroupNameConditionFormula(report, area.groupNumber);
            if (!formula.isEmpty()) {
                caption(kTab + QStringLiteral("Group Name Condition Formula = ") + formula, 1);
            }
        }
    }
    blank(1);
}

void TvdWriter::writeSortFields(const char* title, const tvReport& report, bool groupSort) {
    const auto& sortFields = groupSort ? report.tvGroupSortFields : report.tvRecordSortFields;
    if (sortFields.Count() < 1) return;
    caption(QLatin1StringView(title), 1);
    caption(QStringLiteral("Sort Field, Direction"), 1);
    for (const tvSortField& sortField : sortFields) {
        caption(valueOf(GetFieldDisplayName(sortField.field)) + kSeparator +
                    GetSortDirectionText(detail::codeOfText(sortField.sortDirection)),
                2);
    }
    blank(1);
}

void TvdWriter::writeSqlQuery(const tvReport& report) {
    if (report.sqlQueryString.isEmpty()) return;
    caption(QStringLiteral("SQL Query"), 1);
    caption(report.sqlQueryString, 2);
    blank(1);
}

void TvdWriter::writeTables(const tvReport& report, bool withColumns) {
    if (!report.tvDatabase) failObjectRequired();
    if (report.tvDatabase->tables.Count() < 1) return;
    caption(QStringLiteral("Tables"), 1);
    caption(QStringLiteral("Table, Alias, Location, Driver"), 1);
    for (const tvDatabaseTable& table : report.tvDatabase->tables) {
        const QString& shownName =
            table.descriptiveName.isEmpty() ? table.name : table.descriptiveName;
        caption(QStringList{shownName, table.name, table.location, table.dllName}.join(kSeparator),
                2);
        if (!withColumns || table.fields.Count() < 1) continue;
        caption(kTab + QStringLiteral("Column, DataType, Size"), 1);
        for (const tvDatabaseFieldDefinition& field : table.fields) {
            caption(kTab + QStringList{field.name, GetValueTypeText(field.valueType),
                                       QString::number(field.numberOfBytes)}
                               .join(kSeparator),
                    2);
        }
        blank(1);
    }
}

void TvdWriter::WriteDBLinks(const tvReport& report) {
    const auto passOver = [this](auto&& body) {
        try {
            body();
        } catch (const OutputFailure&) {
            throw;
        } catch (const std::exception&) {
            // The links are a courtesy: what cannot be read is left out.
        }
    };
    passOver([&] {
        if (!report.tvDatabase) failObjectRequired();
        const tvTableLinks& links = report.tvDatabase->links;
        if (links.Count() < 1) return;
        caption(QStringLiteral("Database Links"), 1);
        caption(QStringLiteral("SourceTable, JoinType, Destination, LookupType"), 1);
        for (const tvTableLink& link : links) {
            passOver([&] {
                caption(QStringList{linkSide(link.sourceTable, link.sourceFields),
                                    GetJoinTypeText(link.joinType),
                                    linkSide(link.destinationTable, link.destinationFields),
                                    GetLookupTypeText(link.lookupType)}
                            .join(kSeparator),
                        2);
            });
        }
    });
    blank(1);
}

void TvdWriter::writeRunningTotals(const tvReport& report) {
    if (report.runningTotalFields.Count() == 0) return;
    const QString formula = QStringLiteral("Formula");
    caption(QStringLiteral("Running Totals"), 1);
    caption(QStringLiteral("Name, Total Field, Total Type, Evaluation Condition, Reset Condition"),
            1);
    for (const tvRunningTotalFieldDefinition& total : report.runningTotalFields) {
        const QString evaluate = GetRunningTotalConditionText(total.evaluateCondition);
        const QString reset = GetRunningTotalConditionText(total.resetCondition);
        caption(
            QStringList{total.name, total.name, QString::number(total.summaryType), evaluate, reset}
                .join(kSeparator),
            2);
        if (evaluate == formula) {
            caption(
                QStringLiteral("Evaluation Condition Formula = ") + total.evaluateConditionFormula,
                2);
        }
        if (reset == formula) {
            caption(QStringLiteral("Reset Condition Formula = ") + total.resetConditionFormula, 2);
        }
    }
    blank(1);
}

void TvdWriter::writeAreas(const tvReport& report) {
    caption(QStringLiteral("Areas"), 1);
    double objectNumber = 0;  // counts the objects of every section of the body
    for (qsizetype i = 1; i <= report.tvAreas.Count(); ++i) {
        const qsizetype sections = report.tvAreas.Item(i).tvSections.Count();
        if (sections == 0) continue;
        for (qsizetype j = 1; j <= sections; ++j) writeSection(report, i, j, objectNumber);
        blank(1);
    }
}

void TvdWriter::writeSection(const tvReport& report, qsizetype area, qsizetype section,
                             double& objectNumber) {
    const tvSection& s = report.tvAreas.Item(area).tvSections.Item(section);
    const QString place = QStringLiteral("section %1 of area %2").arg(section).arg(area);
    step(place, [&] { caption(GetSectionDisplayName(report, area, section), 1); });
    step(place, [&] { caption(GetSectionFlagsText(s), 1); });
    step(place, [&] { detailWriter_->WriteConditionalFormulas(s.ConditionalFormulas); });
    const qsizetype objects = s.reportObjects.Count();
    if (objects < 1) {
        caption(QStringLiteral("No objects in this section."), 2);
        blank(2);
        return;
    }
    caption(QStringLiteral("Name, Location(LxT), Size (WxH), Type, Contents, Suppress"), 2);
    for (qsizetype k = 1; k <= objects; ++k) {
        // The object is named by the number the file gives it, so that the user can find it; a
        // count is a whole number, written as such without the general format's cost.
        step(QStringLiteral("object ") + QString::number(static_cast<qint64>(objectNumber)) +
                 QStringLiteral(" of ") + place,
             [&] { detailWriter_->WriteObjectDetails(s, k, objectNumber); });
        objectNumber += 1;
        blank(2);
    }
    blank(1);
}

}  // namespace tav::doctext
