#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace tav::utilities {

// One report definition run against the documentation database: its title, the captions of its
// columns and its rows as text, in the definition's record sort order.
struct ViewerReport {
    QString title;
    QStringList headers;
    QList<QStringList> rows;
    // The column whose value heads each group of rows, -1 when the rows are not grouped.
    int groupColumn = -1;
    // The totals line, one cell a column ("" where the column has no total); empty for none.
    QStringList totals;
};

// Opens the definition at `reportPath` through the report model and runs it against the database
// at `databasePath`. A non-empty `sortFields[n]` ("{Table.Field}", letter case ignored) replaces
// the field of the definition's record sort field n + 1; its direction stays. Tables and columns
// come from the definition but are used only when the database's schema knows them, so nothing
// of the document reaches the statement text unchecked. The captions are the page header's texts,
// one a column, or else the fields' own names. A definition with a group header groups its rows
// by its first record sort field, a shown column; sums placed in its report footer total their
// columns. False when it cannot be run, with the reason in `error`, the database's or the
// report's own included.
bool RunReportDefinition(const QString& reportPath, const QString& databasePath,
                         const QStringList& sortFields, ViewerReport* report,
                         QString* error = nullptr);

}  // namespace tav::utilities
