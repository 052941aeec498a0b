#include "tvReportViewer.h"

#include <QApplication>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QVBoxLayout>

#include "GuiSeams.h"
#include "RtError.h"
#include "TVSettings.h"
#include "TVSettingsStore.h"
#include "tvArea.h"
#include "tvDatabase.h"
#include "tvDatabaseCreator.h"
#include "tvDatabaseFieldDefinition.h"
#include "tvDatabaseSchema.h"
#include "tvDatabaseTable.h"
#include "tvDbConnection.h"
#include "tvFieldObject.h"
#include "tvReport.h"
#include "tvSection.h"
#include "tvSortField.h"
#include "tvTableLink.h"

namespace {

constexpr qint16 kDetailsAreaKind = 4;
constexpr qint16 kLeftOuterJoin = 5;
constexpr const char* kDescending = "1";

[[noreturn]] void fail(const QString& text) { throw rt::Error(rt::kErrBadDocument, text); }

QString quoted(const QString& identifier) {
    return QLatin1Char('"') + identifier + QLatin1Char('"');
}

// The schema's own spelling of a table or saved query; fails for any other name.
QString checkedTable(const QString& name, tvDbConnection& db) {
    if (const tvTableDef* table = tvSchemaTable(name)) return QString::fromLatin1(table->name);
    for (const tvViewDef& view : tvSchemaViews()) {
        const QString viewName = QString::fromLatin1(view.name);
        if (viewName.compare(name, Qt::CaseInsensitive) == 0 && !db.columns(viewName).isEmpty())
            return viewName;
    }
    fail(QStringLiteral("The report reads \"%1\", which the database does not hold.").arg(name));
}

// "Table"."Column" for a database field of the report, both checked against the database.
QString checkedColumn(const tvDatabaseFieldDefinition& field, tvDbConnection& db) {
    const QString table = checkedTable(field.tableAliasName, db);
    const tvTableDef* def = tvSchemaTable(table);
    const tvColumnDef* column = def ? def->column(field.databaseFieldName) : nullptr;
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

// The columns shown: the database fields placed in the report's details, in layout order.
QList<tvDatabaseFieldDefinition*> shownFields(const tvReport& report) {
    QList<tvDatabaseFieldDefinition*> fields;
    for (tvArea& area : report.tvAreas) {
        if (area.kind != kDetailsAreaKind) continue;
        for (tvSection& section : area.tvSections)
            for (tvIReportObject& object : section.reportObjects)
                if (auto* fieldObject = dynamic_cast<tvFieldObject*>(&object))
                    if (auto* field = databaseField(fieldObject->field)) fields.append(field);
    }
    return fields;
}

// FROM with one join for each link of the report, each joining a table not yet read to one
// already read.
QString fromClause(const tvReport& report, tvDbConnection& db) {
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

}  // namespace

tvViewerReport RunReportDefinition(const QString& reportPath, const QString& databasePath,
                                   const QStringList& sortFields) {
    tvReport report;
    report.init(reportPath, 0, 0);
    if (!report.tvDatabase) fail(QStringLiteral("The report reads no table."));
    for (qsizetype n = 0; n < sortFields.size(); ++n) {
        if (sortFields[n].isEmpty()) continue;
        if (n >= report.tvRecordSortFields.Count())
            fail(QStringLiteral("The report has no sort field %1.").arg(n + 1));
        report.tvRecordSortFields.Item(n + 1).field = findField(report, sortFields[n]);
    }

    tvDbConnection db(databasePath);
    tvViewerReport result;
    result.title = report.reportTitle;
    QStringList columns;
    for (tvDatabaseFieldDefinition* field : shownFields(report)) {
        columns << checkedColumn(*field, db);
        result.headers << field->databaseFieldDisplayName;
    }
    if (columns.isEmpty()) fail(QStringLiteral("The report shows no database field."));
    QStringList order;
    for (tvSortField& sort : report.tvRecordSortFields) {
        tvDatabaseFieldDefinition* field = databaseField(sort.field);
        if (!field) fail(QStringLiteral("A sort field of the report is not a database field."));
        order << checkedColumn(*field, db) + QStringLiteral(" COLLATE NOCASE") +
                     (sort.sortDirection == QLatin1String(kDescending) ? QStringLiteral(" DESC")
                                                                       : QString());
    }
    QString sql = QStringLiteral("SELECT ") + columns.join(QStringLiteral(", ")) +
                  QStringLiteral(" FROM ") + fromClause(report, db);
    if (!order.isEmpty()) sql += QStringLiteral(" ORDER BY ") + order.join(QStringLiteral(", "));
    QSqlQuery query = db.exec(sql);
    while (query.next()) {
        QStringList row;
        for (qsizetype i = 0; i < columns.size(); ++i)
            row << query.value(static_cast<int>(i)).toString();
        result.rows << row;
    }
    return result;
}

void RenderReport(const tvViewerReport& report, QTextDocument& document) {
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
    QTextTableFormat tableFormat;
    tableFormat.setHeaderRowCount(1);
    tableFormat.setCellPadding(3);
    tableFormat.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    QTextTable* table = cursor.insertTable(static_cast<int>(report.rows.size()) + 1,
                                           static_cast<int>(report.headers.size()), tableFormat);
    QTextCharFormat headerText;
    headerText.setFontWeight(QFont::Bold);
    for (int column = 0; column < report.headers.size(); ++column)
        table->cellAt(0, column).firstCursorPosition().insertText(report.headers[column],
                                                                  headerText);
    for (int row = 0; row < report.rows.size(); ++row)
        for (int column = 0; column < report.rows[row].size(); ++column)
            table->cellAt(row + 1, column)
                .firstCursorPosition()
                .insertText(report.rows[row][column]);
}

TVCRViewer::TVCRViewer(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("TVCRViewer"));
    setWindowTitle(QStringLiteral("Tavrin Viewer"));
    viewer = new QTextBrowser;
    viewer->setObjectName(QStringLiteral("viewer"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* cmdPrint = new QPushButton(QStringLiteral("&Print"));
    cmdPrint->setObjectName(QStringLiteral("cmdPrint"));
    connect(cmdPrint, &QPushButton::clicked, this, &TVCRViewer::print);
    layout->addWidget(cmdPrint, 0, Qt::AlignLeft);
    layout->addWidget(viewer);
    resize(580, 333);
}

void TVCRViewer::showReport(const tvViewerReport& report) {
    RenderReport(report, *viewer->document());
    show();
    raise();
}

void TVCRViewer::print() {
    QPrinter printer;
    if (!guiSeams().preparePrinter || !guiSeams().preparePrinter(this, printer)) return;
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        const QString title = viewer->document()->metaInformation(QTextDocument::DocumentTitle);
        printer.setOutputFileName(
            QFileInfo(printer.outputFileName()).absolutePath() + QLatin1Char('/') +
            QString(title).replace(QLatin1Char('/'), QLatin1Char('-')) + QStringLiteral(".pdf"));
    }
    viewer->document()->print(&printer);
}

TVCRViewer& reportViewer() {
    static TVCRViewer* window = new TVCRViewer;
    return *window;
}

void DisplayReport(QWidget* owner, const QString& rptName, const QString& sSeq1,
                   const QString& sSeq2, const QString& sSeq3) {
    if (owner) owner->setCursor(Qt::WaitCursor);
    const QString databasePath = withTrailingSeparator(REPORTS().DBPath) +
                                 QString::fromLatin1(tvDatabaseCreator::kDatabaseFileName);
    QString failure;
    if (!QFileInfo(databasePath).isFile()) {
        failure = QStringLiteral(
            "The Tavrin database (tv.db) is not found or has not yet been created by running an "
            "Extract.  Please check Settings and/run Extract.");
    } else {
        try {
            const QString path =
                globalSettingsStore().programFolder() + QStringLiteral("Reports/") + rptName;
            reportViewer().showReport(
                RunReportDefinition(path, databasePath, {sSeq1, sSeq2, sSeq3}));
        } catch (const rt::Error& e) {
            failure = e.description();
        } catch (const tvDbError& e) {
            failure = e.text();
        }
    }
    if (!failure.isEmpty()) guiSeams().message(owner, failure, QString(), QMessageBox::NoIcon);
    if (owner) owner->unsetCursor();
}

namespace {

// The Reports menu: an item, or a submenu item when `submenu` is set, and what it opens.
struct tvReportMenuItem {
    const char* submenuName;
    const char* submenu;
    const char* name;
    const char* caption;
    const char* rptName;
    const char* sSeq1;
    const char* sSeq2;
    const char* sSeq3;
};

constexpr tvReportMenuItem kReportMenu[] = {
    {nullptr, nullptr, "miRptList", "Report List", "TVReportList.rpt", "", "", ""},
    {"miRptRTCR", "Report-Table Cross Reference", "miRptRTCRR", "by Report", "TVReportRTCR.rpt",
     "{Reports.ReportName}", "{Tables.Name}", ""},
    {"miRptRTCR", "Report-Table Cross Reference", "miRptRTCRT", "by Table", "TVReportRTCR.rpt",
     "{Tables.Name}", "{Reports.ReportName}", ""},
    {"miRptRCCR", "Report-Column Cross Reference", "miRptRCCRR", "by Report", "TVReportRCCR.rpt",
     "{Reports.ReportName}", "{viewReportColumnCrossRef.TableAliasName}",
     "{viewReportColumnCrossRef.DatabaseFieldDisplayName}"},
    {"miRptRCCR", "Report-Column Cross Reference", "miRptRCCRC", "by Column", "TVReportRCCR.rpt",
     "{viewReportColumnCrossRef.TableAliasName}",
     "{viewReportColumnCrossRef.DatabaseFieldDisplayName}", "{Reports.ReportName}"},
    {nullptr, nullptr, "miRptMetrics", "Report Metrics", "TVReportMetrics.rpt", "", "", ""},
    {"miRptOwner", "Reports by Owner", "miRptOwnerR", "by Report", "TVReportOwner.rpt",
     "{Reports.ReportName}", "{ReportOwner.Name}", ""},
    {"miRptOwner", "Reports by Owner", "miRptOwnerO", "by Owner", "TVReportOwner.rpt",
     "{ReportOwner.Name}", "{Reports.ReportName}", ""},
};

}  // namespace

void AddReportsMenu(QMainWindow* window) {
    QMenu* reports = window->menuBar()->addMenu(QStringLiteral("&Reports"));
    reports->setObjectName(QStringLiteral("miRpt"));
    QMenu* submenu = nullptr;
    for (const tvReportMenuItem& item : kReportMenu) {
        QMenu* menu = reports;
        if (item.submenu) {
            if (!submenu || submenu->objectName() != QLatin1String(item.submenuName)) {
                submenu = reports->addMenu(QString::fromLatin1(item.submenu));
                submenu->setObjectName(QString::fromLatin1(item.submenuName));
            }
            menu = submenu;
        }
        QAction* action = menu->addAction(QString::fromLatin1(item.caption));
        action->setObjectName(QString::fromLatin1(item.name));
        QObject::connect(action, &QAction::triggered, window, [window, &item] {
            DisplayReport(window, QString::fromLatin1(item.rptName),
                          QString::fromLatin1(item.sSeq1), QString::fromLatin1(item.sSeq2),
                          QString::fromLatin1(item.sSeq3));
        });
    }
}
