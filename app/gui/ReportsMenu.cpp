#include "ReportsMenu.h"

#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include "ReportViewerWindow.h"

namespace tav::gui {

namespace {

// The Reports menu: an item, or a submenu item when `submenu` is set, and what it opens.
struct ReportMenuItem {
    const char* submenuName;
    const char* submenu;
    const char* name;
    const char* caption;
    const char* rptName;
    const char* sSeq1;
    const char* sSeq2;
    const char* sSeq3;
};

constexpr ReportMenuItem kReportMenu[] = {
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

ReportsMenu::ReportsMenu(QMainWindow* window) : QObject(window) {
    QMenu* reports = window->menuBar()->addMenu(QStringLiteral("&Reports"));
    reports->setObjectName(QStringLiteral("miRpt"));
    QMenu* submenu = nullptr;
    for (const ReportMenuItem& item : kReportMenu) {
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
        connect(action, &QAction::triggered, this, [this, window, &item] {
            DisplayReport(window, viewer_, QString::fromLatin1(item.rptName),
                          QString::fromLatin1(item.sSeq1), QString::fromLatin1(item.sSeq2),
                          QString::fromLatin1(item.sSeq3));
        });
    }
}

ReportsMenu::~ReportsMenu() { delete viewer_.data(); }

}  // namespace tav::gui
