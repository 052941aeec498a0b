#include "RowBatch.h"

#include <algorithm>

#include "DatabaseConnection.h"
#include "DatabaseSchema.h"
#include "InsertStatements.h"
#include "RunLog.h"
#include "RunLogStep.h"

namespace tav::database {

using namespace core;

namespace {

// The most rows that one statement stores; waiting rows are stored when a table has this many.
constexpr qsizetype kRowsPerStatement = 64;

// How many of `waiting` rows the next statement stores. Each statement costs the engine a good
// deal beyond its rows, so few rows are stored by one statement of their exact number, and more
// by the largest of a few sizes, then the rest: at most two statements up to a full one, and few
// statements to keep prepared per table.
qsizetype rowsForStatement(qsizetype waiting) {
    constexpr qsizetype kExactUpTo = 16;
    if (waiting <= kExactUpTo) return waiting;
    for (const qsizetype size : {kRowsPerStatement, qsizetype(48), qsizetype(32), qsizetype(24)}) {
        if (size <= waiting) return size;
    }
    return kExactUpTo;
}

// Adds one row's values to `values`, each as its column keeps it.
void appendValues(const DatabaseWriter::InsertShape& shape, const char* table,
                  std::span<const DatabaseWriter::Column> columns, QVariantList& values,
                  RunLog& log) {
    for (size_t i = 0; i < columns.size(); ++i) {
        const QVariant& value = columns[i].value;
        const ColumnDef* def = shape.columns[qsizetype(i)];
        if (value.typeId() == QMetaType::QString) {
            const QString& text = *static_cast<const QString*>(value.constData());
            if (text.isNull()) {
                // An unset text is the empty text, not a missing value.
                values << QString(QLatin1String(""));
                continue;
            }
            if (def) {
                const QString fitted = fitText(*def, text);
                if (fitted.size() != text.size()) {
                    // The column holds no more; the rest of the report is still worth having.
                    values << fitted;
                    logStep(log, QStringLiteral("Text cut to %1 characters: %2.%3")
                                     .arg(def->definedSize)
                                     .arg(QLatin1String(table), QLatin1String(columns[i].name)));
                    continue;
                }
            }
        }
        values << value;
    }
}

// Whether rows of the table at `place` in the schema may name rows of the table at `other`: the
// table itself, every table that its keys name, and every table that those name in turn.
bool mayName(qsizetype place, qsizetype other) {
    static const std::vector<std::vector<bool>> named = [] {
        const auto tables = schemaTables();
        std::vector<std::vector<bool>> made(tables.size(), std::vector<bool>(tables.size()));
        // Every table comes after the tables its keys name, whose lists are complete by then.
        for (size_t table = 0; table < tables.size(); ++table) {
            made[table][table] = true;
            for (const KeyDef& key : tables[table].keys) {
                const TableDef* parent = key.kind == KeyKind::Foreign
                                             ? schemaTable(QLatin1String(key.relatedTable))
                                             : nullptr;
                if (!parent) continue;
                const std::vector<bool> inherited = made[size_t(parent - tables.data())];
                for (size_t i = 0; i < tables.size(); ++i) {
                    if (inherited[i]) made[table][i] = true;
                }
            }
        }
        return made;
    }();
    if (place < 0 || place >= qsizetype(named.size())) return true;
    return other >= 0 && other < qsizetype(named.size()) && named[size_t(place)][size_t(other)];
}

}  // namespace

RowBatch::RowBatch(InsertStatements& statements, RunLog& log)
    : statements_(statements), log_(log) {}
RowBatch::~RowBatch() = default;

void RowBatch::clear() {
    for (const auto& list : lists_) {
        list->values.clear();
        list->rows = 0;
    }
}

RowBatch::Rows& RowBatch::of(const DatabaseWriter::InsertShape& shape) {
    Rows*& found = byShape_[&shape];
    if (!found) {
        const auto place = std::upper_bound(lists_.begin(), lists_.end(), shape.order,
                                            [](qsizetype order, const std::unique_ptr<Rows>& list) {
                                                return order < list->shape->order;
                                            });
        found = lists_.insert(place, std::make_unique<Rows>(Rows{&shape, {}, 0}))->get();
    }
    return *found;
}

void RowBatch::add(DatabaseConnection& connection, const char* table,
                   std::span<const DatabaseWriter::Column> columns) {
    const DatabaseWriter::InsertShape& shape = statements_.shape(table, columns);
    Rows& pending = of(shape);
    if (pending.values.capacity() == 0)
        pending.values.reserve(shape.mostRows * qsizetype(columns.size()));
    appendValues(shape, table, columns, pending.values, log_);
    if (++pending.rows >= kRowsPerStatement) flush(connection, table);
}

qint64 RowBatch::insertNow(DatabaseConnection& connection, const char* table,
                           std::span<const DatabaseWriter::Column> columns) {
    flush(connection, table);
    const DatabaseWriter::InsertShape& shape = statements_.shape(table, columns);
    QVariantList values;
    values.reserve(qsizetype(columns.size()));
    appendValues(shape, table, columns, values, log_);
    return connection.write(shape.statement(1), values.constData(), values.size());
}

// Parents go first, so that every reference finds its row; a table's rows keep their order. The
// rows of other tables wait on, to be stored with more of their kind.
void RowBatch::flush(DatabaseConnection& connection, const char* table) {
    const qsizetype place = table ? statements_.schemaPlace(table) : -1;
    for (const auto& list : lists_) {
        if (list->rows == 0 || (table && !mayName(place, list->shape->order))) continue;
        const qsizetype width = list->shape->columns.size();
        list->shape->mostRows = std::max(list->shape->mostRows, list->rows);
        for (qsizetype row = 0; row < list->rows;) {
            const qsizetype size = rowsForStatement(list->rows - row);
            connection.write(list->shape->statement(size), list->values.constData() + row * width,
                             size * width);
            row += size;
        }
        list->rows = 0;
        list->values.clear();
    }
}

}  // namespace tav::database
