#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <span>

namespace tav::database {

// The documentation database's schema, held as data: every table with its columns in column
// order and its keys, in creation order (each table after every table that its foreign keys
// name). The creator, the upgrade and the tests all walk these tables.

// Column types keep the numbers of the data types that the database has always been described
// in; the engine's own type follows from them (sqlType).
enum ColumnType : int {
    IntegerColumn = 3,
    DoubleColumn = 5,
    DateColumn = 7,
    BooleanColumn = 11,
    ShortTextColumn = 202,
    LongTextColumn = 203,
};

enum class KeyKind { Primary = 1, Foreign = 2, Unique = 3 };
enum class DeleteRule { None = 0, Cascade = 1 };

struct ColumnDef {
    const char* name;
    ColumnType type;
    int definedSize;  // the maximum length of short text; documentation for the other types
    bool nullable;
    bool autoIncrement;
};

struct KeyDef {
    KeyKind kind;
    const char* name;
    const char* columns;         // comma-separated, in key order
    const char* relatedTable;    // foreign keys only
    const char* relatedColumns;  // foreign keys only, paired with `columns`
    DeleteRule deleteRule;
};

struct TableDef {
    const char* name;
    std::span<const ColumnDef> columns;
    std::span<const KeyDef> keys;

    const ColumnDef* column(const QString& columnName) const;
};

// Every table in creation order.
std::span<const TableDef> schemaTables();
// The table of that name (compared ignoring case), or nullptr.
const TableDef* schemaTable(const QString& name);

// The engine's type of a column: INTEGER, REAL or TEXT (dates as ISO text).
QString sqlType(ColumnType type);
QStringList keyColumns(const char* columns);

// The definition of one column as it stands in CREATE TABLE or ALTER TABLE ... ADD COLUMN; short
// text refuses a value longer than its defined size.
QString columnSql(const ColumnDef& column);

// The first `length` characters of `text`, one fewer where the cut would split a character
// written as two code units.
QString leftWhole(const QString& text, qsizetype length);
// `text` as a column of `column`'s kind keeps it: short text is cut to the column's size. Every
// stored text passes here, and every lookup of a stored name, so that both agree.
QString fitText(const ColumnDef& column, const QString& text);

// The CREATE TABLE statement of a table under `asName` (its own name when empty). `keep` leaves
// out columns, and with them the keys that use them: older shapes of a table are built this way.
QString createTableSql(const TableDef& table, const QString& asName = QString(),
                       const std::function<bool(const ColumnDef&)>& keep = nullptr);

// The saved queries, as (name, CREATE VIEW statement), in creation order.
struct ViewDef {
    const char* name;
    const char* sql;
};
std::span<const ViewDef> schemaViews();

// The indexes that the engine needs beside the keys: one for each foreign key that no key's
// leading columns serve, so that deleting a report's rows through the cascades, and checking a
// new row's references, never scans a whole table. As (name, CREATE INDEX statement).
struct IndexDef {
    QString name;
    QString sql;
};
QList<IndexDef> schemaIndexes();

}  // namespace tav::database
