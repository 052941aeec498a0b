#include "DocxWriter.h"

#include <QScopeGuard>
#include <algorithm>
#include <array>
#include <utility>

#include "CodeTexts.h"
#include "DocumentSetup.h"
#include "DocxLineSink.h"
#include "ExtractOptions.h"
#include "FieldDetails.h"
#include "LayoutPictureWorker.h"
#include "ReportBodyBlocks.h"
#include "RunLog.h"
#include "RunReporter.h"
#include "SharedBlocks.h"
#include "TemplateStore.h"
#include "TextUtilities.h"
#include "WritingFailure.h"
#include "tvArea.h"
#include "tvDatabase.h"
#include "tvDatabaseFieldDefinition.h"
#include "tvDatabaseTable.h"
#include "tvFieldObject.h"
#include "tvFormulaField.h"
#include "tvParameterFieldDefinition.h"
#include "tvReport.h"
#include "tvReportAlert.h"
#include "tvRunningTotalFieldDefinition.h"
#include "tvSection.h"
#include "tvSortField.h"

namespace tav::word {

using namespace core;
using namespace doctext;

namespace {

using tvdocx::Alignment;
using tvdocx::RunFormat;

// Room on the layout picture's page for the report heading, "Report Layout" and the page break.
constexpr double kHeadingsRoomPt = 90;

// Each font setting by the name it is stored under.
struct FontSettingName {
    const char* name;
    FontSetting ExtractOptions::*font;
};
constexpr std::array kFontSettings{FontSettingName{"HeadingFontSize", &ExtractOptions::HeadingFont},
                                   FontSettingName{"SectionFontSize", &ExtractOptions::SectionFont},
                                   FontSettingName{"SettingFontSize", &ExtractOptions::SettingFont},
                                   FontSettingName{"ValueFontSize", &ExtractOptions::ValueFont},
                                   FontSettingName{"TableFontSize", &ExtractOptions::TableFont}};

// Holds the font sizes of the settings to what a document can give; the run log tells of each
// one that was out of range.
void holdFontSizes(ExtractOptions& options, RunLog& log) {
    for (const FontSettingName& setting : kFontSettings) {
        FontSetting& font = options.*setting.font;
        const std::optional<double> size = settingSize(font);
        if (!size || (*size >= kSmallestPointSize && *size <= kLargestPointSize)) continue;
        const double held = std::clamp(*size, kSmallestPointSize, kLargestPointSize);
        const QString line = QStringLiteral("Font size %1 of %2 is out of range: %3 pt is used")
                                 .arg(font.FontSize, QLatin1StringView(setting.name))
                                 .arg(held);
        font.FontSize = QString::number(held);
        // A log that cannot be written is told of when it closes; the document goes on.
        log.write(line);
    }
}

// The text of a cell starts at its edge, whatever indent the paragraph style gives.
tvdocx::ParagraphFormat cellFormat() {
    tvdocx::ParagraphFormat format;
    format.alignment = Alignment::Left;
    format.leftIndentPt = 0;
    format.firstLineIndentPt = 0;
    return format;
}

}  // namespace

DocxWriter::DocxWriter(const ExtractOptions& options, RunLog& log, RunReporter& reporter)
    : options_(options), log_(log), reporter_(reporter) {
    pictureMemory_ = LayoutPicture::NewMemory();
    holdFontSizes(options_, log_);
}
DocxWriter::~DocxWriter() = default;

doctext::LineSink& DocxWriter::lineSink() {
    if (!sink_) throw WritingFailure("no document was prepared");
    return *sink_;
}

bool DocxWriter::init(const QString& fileName, const QString& documentFolder,
                      const QString& reportPath, const QString& templateName, QString* error) {
    step_ = QStringLiteral("preparing the document");
    try {
        // Starting Word: a document builder of our own for this report.
        closeDocument();
        wordDocument_ = std::make_unique<tvdocx::Document>();
        PrepareDocument(templateName, reportPath, fileName);
        checkDocument();
        sink_ = std::make_unique<DocxLineSink>(*wordDocument_, profile_, options_);
        documentFolder_ = documentFolder;
        return true;
    } catch (const std::exception& e) {
        if (error) *error = step_ + QStringLiteral(": ") + failureReason(e);
        closeDocument();
        return false;
    }
}

void DocxWriter::beginStep(const QString& step) {
    checkDocument();
    step_ = step;
}

void DocxWriter::checkDocument() const {
    if (wordDocument_ && wordDocument_->failed())
        throw WritingFailure(wordDocument_->failure().toStdString());
}

QString DocxWriter::failureReason(const std::exception& met) const {
    return wordDocument_ && wordDocument_->failed() ? wordDocument_->failure()
                                                    : QString::fromUtf8(met.what());
}

void DocxWriter::closeDocument() {
    if (!wordDocument_) return;
    sink_.reset();
    wordDocument_.reset();
}

void DocxWriter::PrepareDocument(const QString& templateName, const QString& reportPath,
                                 const QString& fileName) {
    if (options_.UseTemplate) {
        profile_ = TemplateStore(options_.ProgramFolder).GetTemplate(templateName, reporter_);
        QString error;
        if (wordDocument_->loadTemplateStyles(profile_.templatePath, &error) &&
            wordDocument_->loadTemplateContent(profile_.templatePath, &error)) {
            newDocument_ = false;
            DocumentSetup setup(*wordDocument_, profile_, options_);
            QStringList refused;
            const QStringList missing = setup.completeTemplateStyles(&refused);
            for (const QString& refusal : refused) reporter_.message(refusal);
            if (!missing.isEmpty()) {
                reporter_.message(
                    QStringLiteral(
                        "The document template %1 of the profile \"%2\" holds no %3 \"%4\": "
                        "the document uses the default %5 instead.")
                        .arg(profile_.templatePath, profile_.templateName,
                             missing.size() == 1 ? QStringLiteral("style")
                                                 : QStringLiteral("styles"),
                             missing.join(QStringLiteral("\", \"")),
                             missing.size() == 1 ? QStringLiteral("definition")
                                                 : QStringLiteral("definitions")));
            }
            setup.SetupPropertyTitleStyle();
            // Tables of a template document are written in the template's Normal style.
            profile_.tableFontStyle = profile_.normalStyleName;
            return;
        }
        reporter_.message(
            QStringLiteral("The selected document template: ") + profile_.templatePath +
            QStringLiteral(" could not be opened.  Please ensure that this file still "
                           "exists and is not corrupted.  Using the default normal style.  (") +
            error + u')');
        wordDocument_ = std::make_unique<tvdocx::Document>();
    }
    newDocument_ = true;
    profile_ = TemplateStore::GetDefaultTemplate();
    DocumentSetup(*wordDocument_, profile_, options_).SetupNewDocument(reportPath, fileName);
}

void DocxWriter::SaveDocument(const QString& fileName) {
    // The table of contents is marked for Word to bring up to date when it opens the document.
    if (fileName.size() < 4) throw WritingFailure("the report's file name is too short");
    documentPath_ = documentFolder_ + fileName.left(fileName.size() - 4) + QStringLiteral(".docx");
    QString error;
    // The document is saved whole: an earlier one stays until the new one is complete.
    if (!wordDocument_->save(documentPath_, &error)) throw WritingFailure(error.toStdString());
}

// ---------------------------------------------------------------------------------------------
// Assembly

bool DocxWriter::WriteReport(const tvReport& report, const QString& fileName, QString* error) {
    step_ = QStringLiteral("writing the title page");
    try {
        if (!wordDocument_) throw WritingFailure("no document was prepared");
        const ExtractOptions& settings = options_;
        // Pictures made aside are drawn from the start; whatever way this ends, the
        // drawing stops before the report can go.
        const auto drawn = qScopeGuard([this] { pictures_.reset(); });
        // Margins that leave the page no width cost the pictures, not the whole document.
        if (settings.ShowLayout && !LayoutPicture::HasRoom(report)) {
            reporter_.message(QStringLiteral("The margins of the report %1 leave no room on the "
                                             "page: its document is written without the layout "
                                             "picture.")
                                  .arg(fileName));
        } else if (settings.ShowLayout) {
            pictures_ = std::make_unique<LayoutPictureWorker>(
                LayoutPicture(settings.SettingFont.FontName, settings.ShowHiddenSections,
                              pictureMemory_),
                report, picturesAside_);
        }
        DocumentSetup(*wordDocument_, profile_, options_).ReplaceTemplateFields(report, fileName);
        WriteTitlePage(report);
        if (settings.ShowRptSummary) {
            sink_->setStyle(profile_.heading1StyleName);
            sink_->line(QStringLiteral("Report Summary Information"));
            sink_->setStyle(profile_.normalStyleName);
            QString error;
            documented(WriteSummaryInformation(report, *sink_, &error), error);
            sink_->pageBreak();
        }
        if (settings.ShowExport) {
            sink_->line(QStringLiteral("Report Export Information"), 1, LineRole::Title);
            QString error;
            documented(WriteExportInformation(report, *sink_, &error), error);
        }
        for (qsizetype i = 0; i <= report.subReports.Count(); ++i) {
            beginStep(QStringLiteral("writing the body of report %1").arg(i));
            WriteReportBody(*documented(GetReportOrSubreport(report, i)), report, i);
        }
        beginStep(QStringLiteral("saving the document"));
        SaveDocument(fileName);
        return true;
    } catch (const std::exception& e) {
        if (error) *error = step_ + QStringLiteral(": ") + failureReason(e);
        // Nothing is saved: the earlier document, if any, stays as it was.
        closeDocument();
        return false;
    }
}

void DocxWriter::WriteTitlePage(const tvReport& report) {
    const ExtractOptions& settings = options_;
    if (newDocument_ && !settings.UseTemplate) {
        sink_->setStyle(profile_.normalStyleName);
        sink_->paragraphFormat().alignment = Alignment::Center;
        RunFormat bold;
        bold.bold = true;
        sink_->typeText(QStringLiteral("Report Documentation"), bold);
        sink_->typeParagraph();
        sink_->typeText(
            report.reportTitle.isEmpty() ? QStringLiteral("Main Report") : report.reportTitle,
            bold);
        sink_->typeParagraph();
        sink_->typeParagraph();
        sink_->paragraphFormat().alignment = Alignment::Left;
    }
    if (settings.ShowTOC) {
        sink_->closeParagraph();
        wordDocument_->body().addTableOfContents(
            1, 3, profile_.tocStyleName,
            {profile_.heading1StyleName, profile_.heading2StyleName, profile_.heading3StyleName});
    }
    sink_->setStyle(profile_.normalStyleName);
    sink_->blank();
    if (settings.ShowTOC) sink_->pageBreak();
}

void DocxWriter::WriteLayoutPicture(const tvReport& mainReport, qsizetype index) {
    sink_->pageBreak();
    sink_->setStyle(profile_.heading1StyleName);
    const QString title = documented(GetReportOrSubreport(mainReport, index))->reportTitle;
    sink_->line(title.isEmpty() ? reportFileName(mainReport.reportFileName) : title);
    sink_->setStyle(profile_.normalStyleName);
    if (!pictures_) return;
    sink_->setStyle(profile_.heading2StyleName);
    sink_->line(QStringLiteral("Report Layout"));
    sink_->setStyle(profile_.normalStyleName);
    const QString step = step_;
    beginStep(QStringLiteral("drawing the layout picture"));
    const QSize size = pictures_->SizeOf(index);
    step_ = step;
    sink_->typeText(QString());
    // The picture keeps its page with the two headings above it and the break below.
    const tvdocx::PageSetup& page = wordDocument_->page;
    sink_->paragraph().picture(pictures_->PngOf(index), size, LayoutPicture::kDotsPerMeter,
                               page.bodyWidthPt(), page.bodyHeightPt() - kHeadingsRoomPt);
    sink_->typeParagraph();
    sink_->pageBreak();
    sink_->setStyle(profile_.normalStyleName);
}

void DocxWriter::WriteReportBody(const tvReport& report, const tvReport& mainReport,
                                 qsizetype index) {
    WriteLayoutPicture(mainReport, index);
    for (const BodyBlock block : ReportBodyBlocks(options_)) {
        switch (block) {
            case BodyBlock::Alerts:
                WriteAlertsTable(report);
                break;
            case BodyBlock::RecordSelectionFormula:
                WriteSelectionFormula(QStringLiteral("Record Selection Formula"),
                                      report.recordSelectionFormula);
                break;
            case BodyBlock::GroupSelectionFormula:
                WriteSelectionFormula(QStringLiteral("Group Selection Formula"),
                                      report.groupSelectionFormula);
                break;
            case BodyBlock::UserFormulas:
                WriteFormulaTable(report);
                break;
            case BodyBlock::Parameters:
                WriteParameterTable(report);
                break;
            case BodyBlock::Groups:
                WriteGroupTable(report);
                break;
            case BodyBlock::GroupSortFields:
                WriteSortFieldTable(QStringLiteral("Sort Fields"), report.tvGroupSortFields);
                break;
            case BodyBlock::RecordSortFields:
                WriteSortFieldTable(QStringLiteral("Record Sort Fields"),
                                    report.tvRecordSortFields);
                break;
            case BodyBlock::SqlQuery:
                WriteSQLQuery(report);
                break;
            case BodyBlock::Tables:
                WriteTableList(report);
                break;
            case BodyBlock::TableColumns:
                WriteTableColumnTables(report);
                break;
            case BodyBlock::DatabaseLinks:
                break;  // the links of the report's tables are not part of the document
            case BodyBlock::RunningTotals:
                WriteRunningTotalTable(report);
                break;
            case BodyBlock::Sections:
                WriteSections(report);
                break;
        }
    }
}

tvdocx::Table DocxWriter::addTable(qsizetype rows, std::initializer_list<const char*> captions) {
    sink_->setStyle(profile_.tableFontStyle);
    sink_->closeParagraph();
    // A profile that names no table style leaves the table plain.
    const QString style =
        wordDocument_->hasStyle(profile_.tableStyle) ? profile_.tableStyle : QString();
    // The cells' paragraphs are in the table font style, as Word gives a new table the style of
    // the paragraph it is added at.
    tvdocx::Table table = wordDocument_->body().addTable(int(rows) + 1, int(captions.size()), style,
                                                         profile_.tableFontStyle);
    RunFormat bold;
    bold.bold = true;
    int column = 0;
    for (const char* caption : captions)
        table.cell(0, column++).format(cellFormat()).text(QLatin1StringView(caption), bold);
    table.setHeadingRow();
    return table;
}

void DocxWriter::MoveToEndOfTable() {
    sink_->closeParagraph();
    sink_->paragraphFormat().leftIndentPt = ptHalfInch;
    sink_->paragraphFormat().firstLineIndentPt = ptMinusHalfInch;
}

// Fills row `row` (0 the captions) of a table, cell by cell.
static void fillRow(tvdocx::Table& table, qsizetype row, const QStringList& values) {
    for (qsizetype column = 0; column < values.size(); ++column)
        table.cell(int(row), int(column)).format(cellFormat()).text(values[column]);
}

void DocxWriter::WriteAlertsTable(const tvReport& report) {
    if (report.reportAlerts.Count() < 1) return;
    sink_->heading(QStringLiteral("Report Alerts"));
    tvdocx::Table table =
        addTable(report.reportAlerts.Count(),
                 {"Name", "Enabled", "Condition Formula", "Default Message", "Message Formula"});
    qsizetype row = 0;
    for (const tvReportAlert& alert : report.reportAlerts)
        fillRow(table, ++row,
                {alert.name, tvBooleanText(alert.isEnabled), alert.conditionForumla,
                 alert.defaultMessage, alert.messageFormula});
    MoveToEndOfTable();
    sink_->blank();
}

void DocxWriter::WriteSelectionFormula(const QString& title, const QString& formula) {
    if (formula.isEmpty()) return;
    sink_->heading(title);
    sink_->setStyle(profile_.normalStyleName);
    sink_->line(QStringLiteral("\t") + formula, 2);
    sink_->blank();
}

void DocxWriter::WriteSQLQuery(const tvReport& report) {
    if (report.sqlQueryString.isEmpty()) return;
    sink_->heading(QStringLiteral("SQL Query"));
    sink_->setStyle(profile_.normalStyleName);
    sink_->line(report.sqlQueryString, 2);
    sink_->blank();
}

void DocxWriter::WriteFormulaTable(const tvReport& report) {
    if (report.tvFormulaFields.Count() < 1) return;
    sink_->heading(QStringLiteral("User Formulas"));
    tvdocx::Table table = addTable(report.tvFormulaFields.Count(), {"Name", "Definition"});
    qsizetype row = 0;
    for (const tvFormulaField& formula : report.tvFormulaFields)
        fillRow(table, ++row,
                {formula.name + QStringLiteral(" (") + GetValueTypeText(formula.valueType) +
                     QStringLiteral(")"),
                 formula.text});
    MoveToEndOfTable();
    sink_->blank();
}

void DocxWriter::WriteParameterTable(const tvReport& report) {
    if (report.tvParameters.Count() < 1) return;
    sink_->heading(QStringLiteral("Parameters"));
    tvdocx::Table table =
        addTable(report.tvParameters.Count(), {"Parameter", "Prompt Description", "Data Type"});
    qsizetype row = 0;
    for (const tvParameterFieldDefinition& parameter : report.tvParameters)
        fillRow(table, ++row,
                {parameter.parameterFieldName, parameter.prompt,
                 GetValueTypeName(parameter.valueType)});
    MoveToEndOfTable();
    sink_->blank();
}

void DocxWriter::WriteGroupTable(const tvReport& report) {
    const qsizetype groups = report.tvGroupNameFields.Count();
    if (groups < 1) return;
    sink_->heading(QStringLiteral("Groups"));
    tvdocx::Table table = addTable(groups, {"Group", "Field", "Break-on", "Direction", "Formula"});
    for (const tvArea& area : report.tvAreas) {
        if (area.kind != tvGroupHeaderArea) continue;
        // A group numbered outside the table gets a row of its own rather than losing it.
        qsizetype row = area.groupNumber;
        if (row < 1 || row >= table.rowCount()) {
            table.addRow();
            row = table.rowCount() - 1;
        }
        fillRow(
            table, row,
            {QStringLiteral("Group #") + QString::number(area.groupNumber),
             GetFieldDefinitionName(area.groupConditionField),
             GetGroupConditionText(area.groupCondition), GetSortDirectionText(area.sortDirection),
             area.groupNumber >= 1 && area.groupNumber <= groups
                 ? GetGroupNameConditionFormula(report, area.groupNumber)
                 : QString()});
    }
    MoveToEndOfTable();
    sink_->blank();
}

void DocxWriter::WriteSortFieldTable(const QString& title,
                                     const tvCollection<tvSortField>& sortFields) {
    if (sortFields.Count() < 1) return;
    sink_->heading(title);
    tvdocx::Table table = addTable(sortFields.Count(), {"Sort Field", "Direction"});
    qsizetype row = 0;
    for (const tvSortField& sortField : sortFields)
        fillRow(table, ++row,
                {documented(GetFieldDisplayName(sortField.field)),
                 GetSortDirectionText(documented(CodeOfText(sortField.sortDirection)))});
    MoveToEndOfTable();
}

void DocxWriter::WriteTableList(const tvReport& report) {
    if (!report.tvDatabase) WritingFailure::objectRequired();
    const auto& tables = report.tvDatabase->tables;
    if (tables.Count() < 1) return;
    sink_->blank();
    sink_->heading(QStringLiteral("Tables"));
    tvdocx::Table table = addTable(tables.Count(), {"Table", "Alias", "Location", "Driver"});
    qsizetype row = 0;
    for (const tvDatabaseTable& t : tables)
        fillRow(table, ++row,
                {t.name, t.descriptiveName.isEmpty() ? t.name : t.descriptiveName, t.location,
                 t.dllName});
    MoveToEndOfTable();
    sink_->blank();
}

void DocxWriter::WriteTableColumnTables(const tvReport& report) {
    if (!report.tvDatabase) WritingFailure::objectRequired();
    const auto& tables = report.tvDatabase->tables;
    if (tables.Count() < 1) return;
    sink_->setStyle(profile_.heading3StyleName);
    sink_->line(QStringLiteral("Database Table Columns"), 1, LineRole::Label);
    sink_->setStyle(profile_.normalStyleName);
    sink_->blank(LineRole::Label);
    for (const tvDatabaseTable& t : tables) {
        sink_->setStyle(profile_.normalStyleName);
        sink_->line(QStringLiteral("Table: ") + t.name, 1, LineRole::Label);
        if (t.fields.Count() < 1) continue;
        tvdocx::Table table = addTable(t.fields.Count(), {"Column", "DataType", "Size"});
        qsizetype row = 0;
        for (const tvDatabaseFieldDefinition& field : t.fields)
            fillRow(table, ++row,
                    {field.name, GetValueTypeText(field.valueType),
                     QString::number(field.numberOfBytes)});
        MoveToEndOfTable();
        sink_->blank(LineRole::Label);
    }
    MoveToEndOfTable();
    sink_->blank();
}

void DocxWriter::WriteRunningTotalTable(const tvReport& report) {
    if (report.runningTotalFields.Count() < 1) return;
    sink_->heading(QStringLiteral("Running Totals"));
    tvdocx::Table table =
        addTable(report.runningTotalFields.Count(),
                 {"Name", "Total Field", "Total Type", "Evaluation Condition", "Reset Condition"});
    const auto condition = [](qint32 code, const QString& formula) {
        const QString text = GetRunningTotalConditionText(code);
        return text == QLatin1StringView("Formula") ? formula : text;
    };
    qsizetype row = 0;
    for (const tvRunningTotalFieldDefinition& total : report.runningTotalFields)
        fillRow(table, ++row,
                {total.name, total.name, QString::number(total.summaryType),
                 condition(total.evaluateCondition, total.evaluateConditionFormula),
                 condition(total.resetCondition, total.resetConditionFormula)});
    MoveToEndOfTable();
    sink_->blank();
}

void DocxWriter::WriteSections(const tvReport& report) {
    const bool summaryOnly = options_.SummaryOnly;
    sink_->heading(QStringLiteral("Sections"));
    sink_->setStyle(profile_.normalStyleName);
    double objectNumber = 0;  // numbers the objects of every section of this body
    for (qsizetype i = 1; i <= report.tvAreas.Count(); ++i) {
        const tvArea& area = report.tvAreas.Item(i);
        if (area.tvSections.Count() < 1) continue;
        for (qsizetype j = 1; j <= area.tvSections.Count(); ++j) {
            const tvSection& section = area.tvSections.Item(j);
            WriteSectionDetails(report, section, i, j);
            if (summaryOnly) continue;
            const qsizetype objects = section.reportObjects.Count();
            if (objects < 1) {
                sink_->line(QStringLiteral("No objects in this section."), 2);
                sink_->line(QString(), 2);
                continue;
            }
            WriteObjectTable(section, objectNumber);
            for (qsizetype k = 1; k <= objects; ++k) {
                sink_->setStyle(profile_.normalStyleName);
                QString error;
                documented(WriteObjectDetailLines(section, k, objectNumber + 1, *sink_, &error),
                           error);
                objectNumber += 1;
                sink_->blank();
            }
        }
        sink_->blank();
    }
}

void DocxWriter::WriteSectionDetails(const tvReport& report, const tvSection& section,
                                     qsizetype areaIndex, qsizetype sectionIndex) {
    sink_->setStyle(profile_.heading3StyleName);
    sink_->line(GetSectionDisplayName(report, areaIndex, sectionIndex));
    sink_->setStyle(profile_.normalStyleName);
    sink_->line(GetSectionFlagsText(section), 2, LineRole::Label);
    QString error;
    documented(WriteConditionalFormulaLines(section.ConditionalFormulas, *sink_, &error), error);
}

void DocxWriter::WriteObjectTable(const tvSection& section, double idBase) {
    const qsizetype n = section.reportObjects.Count();
    tvdocx::Table table = addTable(n, {"ID", "Text/Field", "Position", "Size (w x h)", "Type"});
    table.setColumnWidth(0, 26);
    for (qsizetype i = 1; i <= n; ++i) {
        const tvIReportObject& object = section.reportObjects.Item(i);
        const auto* field =
            object.kind == tvFieldObjectKind ? static_cast<const tvFieldObject*>(&object) : nullptr;
        const tvPosition& p = object.position;
        fillRow(table, i,
                {FormatGeneralNumber(idBase + double(i)),
                 field ? documented(GetFieldDisplayName(field->field)) : object.objectName,
                 InchesText(p.left) + QStringLiteral(", ") + InchesText(p.top),
                 InchesText(p.width) + QStringLiteral(" x ") + InchesText(p.height),
                 GetObjectKindText(object.kind)});
    }
    MoveToEndOfTable();
    sink_->blank();
}

}  // namespace tav::word
