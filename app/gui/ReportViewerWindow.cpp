#include "ReportViewerWindow.h"

#include <QApplication>
#include <QColor>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QVBoxLayout>

#include "DatabaseCreator.h"
#include "DatabaseReader.h"
#include "DatabaseSchema.h"
#include "ExtractOptions.h"
#include "GuiSeams.h"
#include "ProgramSettings.h"
#include "ReportLoad.h"
#include "SettingsStore.h"
#include "WindowFit.h"
#include "tvArea.h"
#include "tvDatabase.h"
#include "tvDatabaseFieldDefinition.h"
#include "tvDatabaseTable.h"
#include "tvFieldObject.h"
#include "tvFormulaField.h"
#include "tvReport.h"
#include "tvSection.h"
#include "tvSortField.h"
#include "tvSummaryFieldDefinition.h"
#include "tvTableLink.h"
#include "tvTextObject.h"
#include "tvTypes.h"

namespace tav::gui {

using namespace core;
using namespace database;

namespace {

constexpr qint16 kPageHeaderAreaKind = 2;
constexpr qint16 kGroupHeaderAreaKind = 3;
constexpr qint16 kDetailsAreaKind = 4;
constexpr qint16 kReportFooterAreaKind = 8;
constexpr qint16 kSumSummary = 0;
constexpr qint16 kLeftOuterJoin = 5;
constexpr const char* kDescending = "1";

// Why a definition cannot be run: the viewer's own, caught where the run answers.
class ViewerFailure {
public:
    explicit ViewerFailure(const QString& reason) : reason_(reason) {}
    const QString& reason() const { return reason_; }

private:
    QString reason_;
};

[[noreturn]] void fail(const QString& text) { throw ViewerFailure(text); }

QString quoted(const QString& identifier) {
    return QLatin1Char('"') + identifier + QLatin1Char('"');
}

// The schema's own spelling of a table or saved query; fails for any other name.
QString checkedTable(const QString& name, DatabaseReader& db) {
    if (const TableDef* table = schemaTable(name)) return QString::fromLatin1(table->name);
    for (const ViewDef& view : schemaViews()) {
        const QString viewName = QString::fromLatin1(view.name);
        if (viewName.compare(name, Qt::CaseInsensitive) == 0 && !db.columns(viewName).isEmpty())
            return viewName;
    }
    fail(QStringLiteral("The report reads \"%1\", which the database does not hold.").arg(name));
}

// "Table"."Column" for a database field of the report, both checked against the database.
QString checkedColumn(const tvDatabaseFieldDefinition& field, DatabaseReader& db) {
    const QString table = checkedTable(field.tableAliasName, db);
    const TableDef* def = schemaTable(table);
    const ColumnDef* column = def ? def->column(field.databaseFieldName) : nullptr;
    QString name = column ? QString::fromLatin1(column->name) : QString();
    if (!column) {
        for (const QString& viewColumn : db.columns(table))
            if (viewColumn.compare(field.databaseFieldName, Qt::CaseInsensitive) == 0)
                name = viewColumn;
    }
    if (name.isEmpty())
        fail(QStringLiteral("The report reads \"%1.%2\", which the database does not hold.")
                 .arg(field.tableAliasName, field.databaseFieldName));
    return quoted(table) + QLatin1Char('.') + quoted(name);
}

QString braced(const tvDatabaseFieldDefinition& field) {
    return QLatin1Char('{') + field.tableAliasName + QLatin1Char('.') + field.databaseFieldName +
           QLatin1Char('}');
}

// The report's database field that a sort-field name names, letter case ignored.
tvDatabaseFieldDefinition* findField(const tvReport& report, const QString& fieldName) {
    const QString wanted = fieldName.trimmed();
    if (report.tvDatabase) {
        for (tvDatabaseTable& table : report.tvDatabase->tables)
            for (tvDatabaseFieldDefinition& field : table.fields)
                if (braced(field).compare(wanted, Qt::CaseInsensitive) == 0) return &field;
    }
    fail(QStringLiteral("The sort field %1 names no field of the report.").arg(fieldName));
}

tvDatabaseFieldDefinition* databaseField(tvIFieldDefinition* field) {
    return dynamic_cast<tvDatabaseFieldDefinition*>(field);
}

// Every object placed in an area of the given kind, in layout order.
template <typename Object>
QList<Object*> objectsIn(const tvReport& report, qint16 kind) {
    QList<Object*> objects;
    for (tvArea& area : report.tvAreas) {
        if (area.kind != kind) continue;
        for (tvSection& section : area.tvSections)
            for (tvIReportObject& object : section.reportObjects)
                if (auto* found = dynamic_cast<Object*>(&object)) objects.append(found);
    }
    return objects;
}

bool hasArea(const tvReport& report, qint16 kind) {
    for (tvArea& area : report.tvAreas)
        if (area.kind == kind) return true;
    return false;
}

// A formula of the one form the viewer runs: a database field, or a second one where the
// first is empty: IIf ({T.a} = "", {T.b}, {T.a}). The field and its stand-in; fails for any
// other formula.
std::pair<tvDatabaseFieldDefinition*, tvDatabaseFieldDefinition*> fieldOrStandIn(
    const tvReport& report, const tvFormulaField& formula) {
    static const QRegularExpression form(
        QStringLiteral(R"(^\s*IIf\s*\(\s*(\{[^{}]+\})\s*=\s*""\s*,\s*(\{[^{}]+\})\s*,\s*)"
                       R"((\{[^{}]+\})\s*\)\s*$)"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = form.match(formula.text);
    if (!match.hasMatch() || match.captured(1).compare(match.captured(3), Qt::CaseInsensitive) != 0)
        fail(QStringLiteral("The viewer cannot run the formula %1.").arg(formula.fieldName));
    return {findField(report, match.captured(1)), findField(report, match.captured(2))};
}

// The columns shown: the fields placed in the report's details, in layout order, each with the
// field shown where it is empty (null for none).
struct ShownColumns {
    QList<tvDatabaseFieldDefinition*> fields;
    QList<tvDatabaseFieldDefinition*> standIns;
    QStringList names;
};
ShownColumns shownFields(const tvReport& report) {
    ShownColumns shown;
    for (tvFieldObject* object : objectsIn<tvFieldObject>(report, kDetailsAreaKind)) {
        if (auto* field = databaseField(object->field)) {
            shown.fields << field;
            shown.standIns << nullptr;
            shown.names << field->databaseFieldDisplayName;
        } else if (auto* formula = dynamic_cast<tvFormulaField*>(object->field)) {
            const auto [first, standIn] = fieldOrStandIn(report, *formula);
            shown.fields << first;
            shown.standIns << standIn;
            shown.names << formula->fieldName;
        }
    }
    return shown;
}

// The shown column that `field` is, -1 for none.
int columnOf(const QList<tvDatabaseFieldDefinition*>& shown, tvIFieldDefinition* field) {
    const tvDatabaseFieldDefinition* wanted = databaseField(field);
    for (qsizetype i = 0; wanted && i < shown.size(); ++i)
        if (braced(*shown[i]).compare(braced(*wanted), Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    return -1;
}

QString total(const QList<QStringList>& rows, int column) {
    double sum = 0;
    for (const QStringList& row : rows) sum += row[column].toDouble();
    return sum == static_cast<double>(static_cast<qint64>(sum))
               ? QString::number(static_cast<qint64>(sum))
               : QString::number(sum, 'f', 2);
}

// The totals line of the sums in the report footer; empty when there are none.
QStringList totalsLine(const tvReport& report, const QList<tvDatabaseFieldDefinition*>& shown,
                       const QList<QStringList>& rows) {
    QStringList totals;
    for (tvFieldObject* object : objectsIn<tvFieldObject>(report, kReportFooterAreaKind)) {
        auto* summary = dynamic_cast<tvSummaryFieldDefinition*>(object->field);
        if (!summary || summary->summaryType != kSumSummary)
            fail(QStringLiteral("The report footer holds a field other than a sum."));
        const int column = columnOf(shown, summary->summarizedField);
        if (column < 0) fail(QStringLiteral("The report sums a field it does not show."));
        if (totals.isEmpty()) totals = QStringList(shown.size(), QString());
        totals[column] = total(rows, column);
    }
    return totals;
}

// FROM with one join for each link of the report, each joining a table not yet read to one
// already read.
QString fromClause(const tvReport& report, DatabaseReader& db) {
    const tvDatabase& database = *report.tvDatabase;
    if (database.tables.Count() == 0) fail(QStringLiteral("The report reads no table."));
    QStringList joined{checkedTable(database.tables.Item(1).name, db)};
    QString from = quoted(joined.first());
    for (tvTableLink& link : database.links) {
        if (!link.sourceTable || !link.destinationTable ||
            link.sourceFields.Count() != link.destinationFields.Count() ||
            link.sourceFields.Count() == 0)
            fail(QStringLiteral("A link of the report joins no fields."));
        const QString source = checkedTable(link.sourceTable->name, db);
        const QString destination = checkedTable(link.destinationTable->name, db);
        if (!joined.contains(source) || joined.contains(destination))
            fail(QStringLiteral("The links of the report do not join %1 to the tables before it.")
                     .arg(destination));
        QStringList on;
        for (qsizetype i = 1; i <= link.sourceFields.Count(); ++i)
            on << checkedColumn(link.sourceFields.Item(i), db) + QStringLiteral(" = ") +
                      checkedColumn(link.destinationFields.Item(i), db);
        from += (link.joinType == kLeftOuterJoin ? QStringLiteral(" LEFT JOIN ")
                                                 : QStringLiteral(" JOIN ")) +
                quoted(destination) + QStringLiteral(" ON ") + on.join(QStringLiteral(" AND "));
        joined << destination;
    }
    if (joined.size() != database.tables.Count())
        fail(QStringLiteral("The links of the report do not join all its tables."));
    return from;
}

// The file name of a full path as the program stores it (a report's path, written on this
// system or on Windows); any other value as it is.
QString storedFileName(const QString& value) {
    static const QRegularExpression fullPath(
        QStringLiteral(R"(^(/|[A-Za-z]:[\\/]|\\\\).*[^/\\]$)"));
    if (!fullPath.match(value).hasMatch()) return value;
    return tvFileName(value);
}

// The model of the definition at `path`; a definition that cannot be opened fails with the
// description of its load error.
void loadDefinition(tvReport& report, const QString& path) {
    tvLoadingOptions options;
    utilities::LoadFailure failure;
    if (!utilities::loadReport(report, path, options, &failure)) fail(failure.description);
}

ViewerReport runDefinition(const QString& reportPath, const QString& databasePath,
                           const QStringList& sortFields) {
    tvReport report;
    loadDefinition(report, reportPath);
    if (!report.tvDatabase) fail(QStringLiteral("The report reads no table."));
    for (qsizetype n = 0; n < sortFields.size(); ++n) {
        if (sortFields[n].isEmpty()) continue;
        if (n >= report.tvRecordSortFields.Count())
            fail(QStringLiteral("The report has no sort field %1.").arg(n + 1));
        report.tvRecordSortFields.Item(n + 1).field = findField(report, sortFields[n]);
    }

    DatabaseReader db;
    QString error;
    if (!db.open(databasePath, &error)) fail(error);
    ViewerReport result;
    result.title = report.reportTitle;
    QStringList columns;
    const ShownColumns shownColumns = shownFields(report);
    const QList<tvDatabaseFieldDefinition*>& shown = shownColumns.fields;
    for (qsizetype i = 0; i < shown.size(); ++i) {
        const tvDatabaseFieldDefinition* standIn = shownColumns.standIns[i];
        columns << (standIn ? QStringLiteral("COALESCE(NULLIF(%1, ''), %2)")
                                  .arg(checkedColumn(*shown[i], db), checkedColumn(*standIn, db))
                            : checkedColumn(*shown[i], db));
    }
    result.headers = shownColumns.names;
    if (columns.isEmpty()) fail(QStringLiteral("The report shows no database field."));
    QStringList captions;
    for (tvTextObject* text : objectsIn<tvTextObject>(report, kPageHeaderAreaKind))
        captions << text->text;
    if (captions.size() == result.headers.size()) result.headers = captions;
    if (hasArea(report, kGroupHeaderAreaKind)) {
        if (report.tvRecordSortFields.Count() == 0)
            fail(QStringLiteral("The report groups its rows but has no sort field."));
        result.groupColumn = columnOf(shown, report.tvRecordSortFields.Item(1).field);
        if (result.groupColumn < 0)
            fail(QStringLiteral("The report groups on a field it does not show."));
    }
    QStringList order;
    for (tvSortField& sort : report.tvRecordSortFields) {
        tvDatabaseFieldDefinition* field = databaseField(sort.field);
        if (!field) fail(QStringLiteral("A sort field of the report is not a database field."));
        // A field shown with a stand-in sorts as it is shown.
        const int column = columnOf(shown, field);
        order << (column >= 0 ? columns[column] : checkedColumn(*field, db)) +
                     QStringLiteral(" COLLATE NOCASE") +
                     (sort.sortDirection == QLatin1String(kDescending) ? QStringLiteral(" DESC")
                                                                       : QString());
    }
    QString sql = QStringLiteral("SELECT ") + columns.join(QStringLiteral(", ")) +
                  QStringLiteral(" FROM ") + fromClause(report, db);
    if (!order.isEmpty()) sql += QStringLiteral(" ORDER BY ") + order.join(QStringLiteral(", "));
    if (!db.rows(sql, &result.rows, &error)) fail(error);
    result.totals = totalsLine(report, shown, result.rows);
    return result;
}

}  // namespace

bool RunReportDefinition(const QString& reportPath, const QString& databasePath,
                         const QStringList& sortFields, ViewerReport* report, QString* error) {
    try {
        *report = runDefinition(reportPath, databasePath, sortFields);
        return true;
    } catch (const ViewerFailure& failure) {
        if (error) *error = failure.reason();
        return false;
    }
}

void RenderReport(const ViewerReport& report, QTextDocument& document) {
    document.clear();
    document.setMetaInformation(QTextDocument::DocumentTitle, report.title);
    QTextCursor cursor(&document);
    QTextBlockFormat titleBlock;
    titleBlock.setHeadingLevel(1);
    QTextCharFormat titleText;
    titleText.setFontPointSize(16);
    titleText.setFontWeight(QFont::Bold);
    cursor.setBlockFormat(titleBlock);
    cursor.insertText(report.title, titleText);
    cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());

    // The group's value heads its rows, so its column is not repeated in them.
    QList<int> shown;
    for (int column = 0; column < report.headers.size(); ++column)
        if (column != report.groupColumn) shown << column;
    // A report that shows nothing but its groups still lists their values.
    if (shown.isEmpty() && !report.headers.isEmpty()) shown << report.groupColumn;
    QList<int> groupStarts;
    for (int row = 0; row < report.rows.size(); ++row)
        if (report.groupColumn >= 0 && (row == 0 || report.rows[row][report.groupColumn] !=
                                                        report.rows[row - 1][report.groupColumn]))
            groupStarts << row;
    const bool totals = !report.totals.isEmpty();
    const int lines =
        1 + static_cast<int>(report.rows.size() + groupStarts.size()) + (totals ? 1 : 0);

    QTextTableFormat tableFormat;
    tableFormat.setHeaderRowCount(1);
    tableFormat.setCellPadding(3);
    tableFormat.setCellSpacing(0);
    tableFormat.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    tableFormat.setBorderCollapse(true);
    tableFormat.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    const int width = static_cast<int>(shown.size());
    QTextTable* table = cursor.insertTable(lines, width, tableFormat);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    const auto put = [&](int line, int cell, const QString& text, const QTextCharFormat& format,
                         Qt::Alignment alignment) {
        QTextCursor at = table->cellAt(line, cell).firstCursorPosition();
        QTextBlockFormat block = at.blockFormat();
        block.setAlignment(alignment);
        at.setBlockFormat(block);
        at.insertText(text, format);
    };
    const auto shade = [&](int line, const QColor& colour) {
        for (int cell = 0; cell < table->columns(); ++cell) {
            QTextTableCell tableCell = table->cellAt(line, cell);
            QTextCharFormat format = tableCell.format();
            format.setBackground(colour);
            tableCell.setFormat(format);
        }
    };
    // Totalled columns hold numbers: right-aligned, so that their digits line up.
    const auto alignmentOf = [&](int column) -> Qt::Alignment {
        return totals && !report.totals[column].isEmpty() ? Qt::AlignRight : Qt::AlignLeft;
    };
    for (int cell = 0; cell < width; ++cell)
        put(0, cell, report.headers[shown[cell]], bold, alignmentOf(shown[cell]));
    shade(0, QColor(0xdd, 0xe6, 0xf0));
    int line = 1;
    qsizetype nextGroup = 0;
    for (int row = 0; row < report.rows.size(); ++row) {
        if (nextGroup < groupStarts.size() && groupStarts[nextGroup] == row) {
            ++nextGroup;
            const QString value = report.rows[row][report.groupColumn];
            table->mergeCells(line, 0, 1, width);
            put(line, 0,
                report.headers[report.groupColumn] + QStringLiteral(": ") +
                    (value.isEmpty() ? QStringLiteral("(none)") : value),
                bold, Qt::AlignLeft);
            shade(line, QColor(0xf0, 0xf3, 0xf7));
            ++line;
        }
        for (int cell = 0; cell < width; ++cell) {
            // A stored path shows its file name, the whole path in its tip: a column of full
            // paths would wrap each row over several lines.
            const QString& value = report.rows[row][shown[cell]];
            const QString name = storedFileName(value);
            QTextCharFormat format;
            if (name != value) format.setToolTip(value);
            put(line, cell, name, format, alignmentOf(shown[cell]));
        }
        ++line;
    }
    if (totals) {
        for (int cell = 0; cell < width; ++cell) {
            const QString value = report.totals[shown[cell]];
            put(line, cell, cell == 0 && value.isEmpty() ? QStringLiteral("Total") : value, bold,
                alignmentOf(shown[cell]));
        }
        shade(line, QColor(0xdd, 0xe6, 0xf0));
    }
}

ReportViewerWindow::ReportViewerWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("TVCRViewer"));
    setWindowTitle(QStringLiteral("Tavrin Viewer"));
    viewer_ = new QTextBrowser;
    viewer_->setObjectName(QStringLiteral("viewer"));
    viewer_->setAccessibleName(QStringLiteral("Report view"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* cmdPrint = new QPushButton(QStringLiteral("&Print"));
    cmdPrint->setObjectName(QStringLiteral("cmdPrint"));
    connect(cmdPrint, &QPushButton::clicked, this, &ReportViewerWindow::print);
    status_ = new QLabel;
    status_->setObjectName(QStringLiteral("sbStatus"));
    // A long path is cut rather than widening the window; the whole of it is in its tip.
    status_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(0, 0, 6, 0);
    bar->addWidget(cmdPrint);
    bar->addWidget(status_, 1);
    layout->addLayout(bar);
    layout->addWidget(viewer_);
    resize(8670 / tvTwipsPerPixel, 5250 / tvTwipsPerPixel);
}

void ReportViewerWindow::showReport(const ViewerReport& report) {
    RenderReport(report, *viewer_->document());
    status_->clear();
    status_->setToolTip(QString());
    // The report is read from its title down; the view's cursor would stay where the new text
    // ended.
    viewer_->moveCursor(QTextCursor::Start);
    // Each report opens at the viewer's own size, brought back when it was minimized, so that
    // choosing a report always shows it; a viewer not yet open opens over the main window.
    resize(8600 / tvTwipsPerPixel, 5000 / tvTwipsPerPixel);
    if (!isVisible()) placeOverMainWindow(this);
    showNormal();
    viewer_->verticalScrollBar()->setValue(0);
    viewer_->horizontalScrollBar()->setValue(0);
    raise();
    activateWindow();
}

void ReportViewerWindow::print() {
    QPrinter printer;
    if (!guiSeams().preparePrinter || !guiSeams().preparePrinter(this, printer)) return;
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        const QString title = viewer_->document()->metaInformation(QTextDocument::DocumentTitle);
        printer.setOutputFileName(
            QFileInfo(printer.outputFileName()).absolutePath() + QLatin1Char('/') +
            QString(title).replace(QLatin1Char('/'), QLatin1Char('-')) + QStringLiteral(".pdf"));
    }
    viewer_->document()->print(&printer);
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        status_->setText(QStringLiteral("Printed to ") + printer.outputFileName());
        status_->setToolTip(printer.outputFileName());
    }
}

void DisplayReport(QWidget* owner, QPointer<ReportViewerWindow>& viewer, const QString& rptName,
                   const QString& sSeq1, const QString& sSeq2, const QString& sSeq3) {
    if (owner) owner->setCursor(Qt::WaitCursor);
    const QString databasePath = withTrailingSeparator(programOptions().DBPath) +
                                 QString::fromLatin1(DatabaseCreator::kDatabaseFileName);
    QString failure;
    if (!QFileInfo(databasePath).isFile()) {
        failure = QStringLiteral(
            "The Tavrin database (tv.db) is not found or has not yet been created by running an "
            "Extract.  Please check Settings and/run Extract.");
    } else {
        const QString path =
            programSettings().store().programFolder() + QStringLiteral("Reports/") + rptName;
        ViewerReport report;
        if (RunReportDefinition(path, databasePath, {sSeq1, sSeq2, sSeq3}, &report, &failure)) {
            if (!viewer) viewer = new ReportViewerWindow;
            viewer->showReport(report);
        }
    }
    if (!failure.isEmpty()) guiSeams().message(owner, failure, QString(), QMessageBox::NoIcon);
    if (owner) owner->unsetCursor();
}

}  // namespace tav::gui
