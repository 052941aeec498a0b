#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>
#include <span>
#include <vector>

#include "DatabaseSchema.h"
#include "DatabaseWriter.h"

namespace tav::database {

// The statement of one insert shape and the definitions of its columns, and its statements for
// many rows, made when first needed.
struct DatabaseWriter::InsertShape {
    // The writer's own literals, whose addresses tell the shapes apart.
    const char* tableName;
    std::vector<const char*> names;
    QString table;
    QString columnList;
    QList<const ColumnDef*> columns;
    // The table's place in the schema: a table comes after every table its keys name.
    qsizetype order = 0;
    // By row count: the statement that inserts that many rows at once.
    mutable QHash<qsizetype, QString> sql;
    // The most rows of this shape that waited at once so far: room for as many is made at once
    // for the next report's rows, rather than again and again as they come.
    mutable qsizetype mostRows = 1;

    bool is(const char* otherTable, std::span<const Column> otherColumns) const;
    const QString& statement(qsizetype rows) const;
};

// The statements that the writers of one database session work out as they first need them,
// kept for the session's later reports: the insert shapes, the tables' places in the schema,
// and the deletes of a report's earlier copy.
class InsertStatements {
public:
    InsertStatements();
    ~InsertStatements();
    InsertStatements(const InsertStatements&) = delete;
    InsertStatements& operator=(const InsertStatements&) = delete;

    // The shape of a row of `table` with `columns`, both named by the writer's own literals.
    // Waiting rows point at their shapes, which therefore never move while the session lasts.
    const DatabaseWriter::InsertShape& shape(const char* table,
                                             std::span<const DatabaseWriter::Column> columns);
    // The place in the schema of a table that the writer names by one of its own literals, or -1.
    qsizetype schemaPlace(const char* table);
    // The statements that delete the rows of `reports` reports, each naming the reports' ids, the
    // first of them twice.
    const QStringList& deletes(qsizetype reports);

private:
    std::vector<std::unique_ptr<DatabaseWriter::InsertShape>> shapes_;
    QMultiHash<size_t, const DatabaseWriter::InsertShape*> shapesByHash_;
    QHash<const char*, qsizetype> places_;
    QHash<qsizetype, QStringList> deletes_;
};

}  // namespace tav::database
