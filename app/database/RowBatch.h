#pragma once

#include <QHash>
#include <QVariantList>
#include <memory>
#include <span>
#include <vector>

#include "DatabaseWriter.h"

namespace tav::core {
class RunLog;
}  // namespace tav::core

namespace tav::database {

class DatabaseConnection;
class InsertStatements;

// The rows that a session's writer has written but not yet stored. They are stored together, a
// statement for many rows of one table, parents before children, so that a report costs the
// engine few statements; at the latest when the writer asks for every waiting row. A main
// report's writer and its subreports' share the waiting rows.
class RowBatch final {
public:
    // Rows take their shapes from `statements`; a text cut to its column is told to `log`.
    RowBatch(InsertStatements& statements, core::RunLog& log);
    ~RowBatch();
    RowBatch(const RowBatch&) = delete;
    RowBatch& operator=(const RowBatch&) = delete;

    // Forgets the waiting rows, such as those that a failed report left.
    void clear();
    // Adds one row of `table` to the waiting rows; a table with a statement's worth of them is
    // stored on `connection` at once.
    void add(DatabaseConnection& connection, const char* table,
             std::span<const DatabaseWriter::Column> columns);
    // Stores one row now, after every waiting row that it may name, and returns the row id the
    // database gave it: for a row whose id the writer needs, or whose failure it handles itself.
    qint64 insertNow(DatabaseConnection& connection, const char* table,
                     std::span<const DatabaseWriter::Column> columns);
    // Stores the waiting rows of `table` and of every table that its keys name, and theirs in
    // turn: every row that a row of `table` may name. Without a table, every waiting row.
    void flush(DatabaseConnection& connection, const char* table = nullptr);

private:
    // The waiting rows of one insert shape.
    struct Rows {
        const DatabaseWriter::InsertShape* shape;
        QVariantList values;
        qsizetype rows = 0;
    };

    // The list of `shape`'s rows, made in its place when first asked for.
    Rows& of(const DatabaseWriter::InsertShape& shape);

    InsertStatements& statements_;
    core::RunLog& log_;
    // A list per insert shape, the lists in the order of their tables in the schema (shapes of
    // one table in the order they first came). A list keeps its room when its rows are stored,
    // for the rows that follow.
    std::vector<std::unique_ptr<Rows>> lists_;
    QHash<const DatabaseWriter::InsertShape*, Rows*> byShape_;
};

}  // namespace tav::database
