#include "ViewerReport.h"

#include <QRegularExpression>

#include "DatabaseReader.h"
#include "DatabaseSchema.h"
#include "ReportLoad.h"
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

namespace tav::utilities {

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

// The model of the definition at `path`; a definition that cannot be opened fails with the
// cause of its load error, which names the file.
void loadDefinition(tvReport& report, const QString& path) {
    tvLoadingOptions options;
    LoadFailure failure;
    if (!loadReport(report, path, options, &failure)) fail(failure.reason());
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

}  // namespace tav::utilities
