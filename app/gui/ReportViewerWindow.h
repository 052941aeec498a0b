#pragma once

#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

class QLabel;
class QTextBrowser;
class QTextDocument;

namespace tav::gui {

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

// The report as a printable document: its title, then one table of its rows, each group under a
// line naming it, the totals last.
void RenderReport(const ViewerReport& report, QTextDocument& document);

// "Tavrin Viewer": shows one rendered report at a time and prints it.
class ReportViewerWindow : public QWidget {
    Q_OBJECT
public:
    explicit ReportViewerWindow(QWidget* parent = nullptr);

    void showReport(const ViewerReport& report);
    // Prints through the printer seam (a PDF file where there is no printer).
    void print();

private:
    QTextBrowser* viewer_;
    // Where the last printout went, when it went to a file.
    QLabel* status_;
};

// Opens `rptName` from the Reports folder of the program against DBPath's database, re-sorted
// by the given sort-field names ("" keeps a sort field as it is), and shows it in `viewer`, made
// first when there is none; every failure is told in a message box and opens nothing. `owner`
// gets the busy cursor meanwhile.
void DisplayReport(QWidget* owner, QPointer<ReportViewerWindow>& viewer, const QString& rptName,
                   const QString& sSeq1, const QString& sSeq2, const QString& sSeq3);

}  // namespace tav::gui
