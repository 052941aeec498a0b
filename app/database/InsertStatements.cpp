#include "InsertStatements.h"

#include <algorithm>

namespace tav::database {

namespace {

// A hash of a shape's table and column names: their addresses.
size_t shapeHash(const char* table, std::span<const DatabaseWriter::Column> columns) {
    size_t hash = qHash(static_cast<const void*>(table));
    for (const auto& column : columns)
        hash = hash * 1000003u ^ qHash(static_cast<const void*>(column.name));
    return hash;
}

}  // namespace

bool DatabaseWriter::InsertShape::is(const char* otherTable,
                                     std::span<const Column> otherColumns) const {
    return tableName == otherTable && names.size() == otherColumns.size() &&
           std::equal(names.begin(), names.end(), otherColumns.begin(),
                      [](const char* name, const Column& column) { return name == column.name; });
}

const QString& DatabaseWriter::InsertShape::statement(qsizetype rows) const {
    auto found = sql.constFind(rows);
    if (found != sql.cend()) return *found;
    QString text = QStringLiteral("INSERT INTO \"%1\" (%2) VALUES ").arg(table, columnList);
    for (qsizetype row = 0; row < rows; ++row) {
        text += row > 0 ? QStringLiteral(",(") : QStringLiteral("(");
        for (qsizetype i = 0; i < columns.size(); ++i) {
            if (i > 0) text += u',';
            text += u'?';
        }
        text += u')';
    }
    return *sql.insert(rows, text);
}

InsertStatements::InsertStatements() = default;
InsertStatements::~InsertStatements() = default;

const DatabaseWriter::InsertShape& InsertStatements::shape(
    const char* table, std::span<const DatabaseWriter::Column> columns) {
    const size_t hash = shapeHash(table, columns);
    for (auto found = shapesByHash_.constFind(hash);
         found != shapesByHash_.cend() && found.key() == hash; ++found) {
        if ((*found)->is(table, columns)) return **found;
    }
    const TableDef* definition = schemaTable(QLatin1String(table));
    auto& shape = *shapes_.emplace_back(std::make_unique<DatabaseWriter::InsertShape>());
    shape.tableName = table;
    shape.table = QLatin1String(table);
    const auto tables = schemaTables();
    shape.order = definition ? definition - tables.data() : qsizetype(tables.size());
    QStringList names;
    for (const auto& column : columns) {
        shape.names.push_back(column.name);
        shape.columns << (definition ? definition->column(QLatin1String(column.name)) : nullptr);
        names << QLatin1Char('"') + QLatin1String(column.name) + QLatin1Char('"');
    }
    shape.columnList = names.join(u',');
    shapesByHash_.insert(hash, &shape);
    return shape;
}

qsizetype InsertStatements::schemaPlace(const char* table) {
    auto found = places_.constFind(table);
    if (found == places_.cend()) {
        const TableDef* definition = schemaTable(QLatin1String(table));
        found = places_.insert(table, definition ? definition - schemaTables().data() : -1);
    }
    return *found;
}

// Table by table, the rows that refer to others first, each table whose keys begin with the
// report found through them: the engine's cascade from the report row would look into every
// table once for each row. The cascade takes the rest. One statement per table takes the rows
// of the report and of its subreports alike.
const QStringList& InsertStatements::deletes(qsizetype reports) {
    static const QStringList tables = [] {
        QStringList names;
        const auto schema = schemaTables();
        for (auto table = schema.rbegin(); table != schema.rend(); ++table) {
            const bool keyedByReport =
                std::any_of(table->keys.begin(), table->keys.end(), [](const KeyDef& key) {
                    return keyColumns(key.columns).value(0) == QLatin1String("Report_Id");
                });
            if (keyedByReport && QLatin1String(table->name) != QLatin1String("Reports"))
                names << QLatin1String(table->name);
        }
        names << QStringLiteral("Reports");
        return names;
    }();
    QStringList& statements = deletes_[reports];
    if (statements.isEmpty()) {
        const QString marks = QStringLiteral("?,").repeated(reports).chopped(1);
        // A sort on no field is reached by no cascade: it goes through its report's links to it,
        // before they go.
        statements << QStringLiteral(
                          "DELETE FROM SortFields WHERE Field_Id IS NULL AND "
                          "SortField_Id IN (SELECT SortField_Id FROM GroupSortFields "
                          "WHERE Report_Id IN (%1) UNION ALL SELECT SortField_Id FROM "
                          "RecordSortFields WHERE Report_Id IN (%1))")
                          .arg(marks);
        for (const QString& table : tables) {
            statements
                << QStringLiteral("DELETE FROM \"%1\" WHERE Report_Id IN (%2)").arg(table, marks);
        }
    }
    return statements;
}

}  // namespace tav::database
