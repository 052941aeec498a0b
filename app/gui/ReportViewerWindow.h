#pragma once

#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include "ViewerReport.h"

class QLabel;
class QTextBrowser;
class QTextDocument;

namespace tav::gui {

// The report as a printable document: its title, then one table of its rows, each group under a
// line naming it, the totals last.
void RenderReport(const utilities::ViewerReport& report, QTextDocument& document);

// "Tavrin Viewer": shows one rendered report at a time and prints it.
class ReportViewerWindow : public QWidget {
    Q_OBJECT
public:
    explicit ReportViewerWindow(QWidget* parent = nullptr);

    void showReport(const utilities::ViewerReport& report);
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
