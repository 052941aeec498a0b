#include "ReportOwnersWindow.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "DatabaseCreator.h"
#include "ExtractOptions.h"
#include "GuiSeams.h"
#include "NamedWidgets.h"
#include "ProgramSettings.h"
#include "ReportOwnerStore.h"
#include "SettingsStore.h"
#include "WindowReporter.h"

namespace tav::gui {

using namespace core;
using namespace database;

namespace {

constexpr const char* kNoneDefined = "(None Defined)";
constexpr const char* kAddText =
    "Please enter the new Report Owner, and click the 'Save' button to save your changes.";
constexpr const char* kModifyText =
    "Please enter the new value for the Report Owner, and click the 'Save' button to save your "
    "changes.";

}  // namespace

ReportOwnersWindow::ReportOwnersWindow(QWidget* parent, RunReporter* reporter)
    : QDialog(parent), ownReporter_(this), reporter_(reporter ? *reporter : ownReporter_) {
    setObjectName(QStringLiteral("TVRptOwner"));
    setWindowTitle(QStringLiteral("Report Owners"));

    auto* title = namedLabel(
        "lblRptOwnerTitle",
        QStringLiteral("This screen allows users to administer the report owners that can be tied "
                       "to a report.  Report Owners can only be used if the following conditions "
                       "are met:"),
        this);
    auto* label1 = namedLabel(
        "Label1",
        QStringLiteral("1).  the \"Write To Database\" option has been selected on the General "
                       "Settings screen and a valid database path in                 the "
                       "\"Database Output Directory\" textbox has been specified"),
        this);
    auto* label2 = namedLabel(
        "Label2",
        QStringLiteral("2).  a valid report owner has been selected in the \"Report Owner\" "
                       "drop-down box on the General Settings screen"),
        this);
    lblRptOwnerInfo = namedLabel(
        "lblRptOwnerInfo",
        QStringLiteral("Please select the option \"Write to Database\" and enter a valid path in "
                       "the \"Database Output Directory\" textbox on the General Settings screen "
                       "to use Report Owners"),
        this);

    frmRptOwner = new QGroupBox(QStringLiteral("Report Owner Settings"), this);
    frmRptOwner->setObjectName(QStringLiteral("frmRptOwner"));
    auto* label33 = namedLabel(
        "Label33",
        QStringLiteral("Select the Report Owner to modify in the drop-down box, and select the "
                       "\"Modify\" button to edit the owner.  To add a new Report Owner, select "
                       "the \"New\" button.  To delete an existing Report Owner, select the report "
                       "owner in the drop-down box, and select the \"Delete\" button."),
        frmRptOwner);
    lblRptOwners = namedLabel("lblRptOwners", QStringLiteral("Report Owners"), frmRptOwner);
    cmbRptOwners = new QComboBox(frmRptOwner);
    cmbRptOwners->setObjectName(QStringLiteral("cmbRptOwners"));
    cmbRptOwners->setEditable(true);
    cmbRptOwners->setInsertPolicy(QComboBox::NoInsert);
    cmdModifyRptOwner = namedButton("cmdModifyRptOwner", "Modify", frmRptOwner);
    cmdAddRptOwner = namedButton("cmdAddRptOwner", "Add New", frmRptOwner);
    cmdDeleteRptOwner = namedButton("cmdDeleteRptOwner", "Delete", frmRptOwner);
    lblRptOwnerInstr = namedLabel("lblRptOwnerInstr", QStringLiteral("instructions"), frmRptOwner);
    rptOwnerText = new QLineEdit(frmRptOwner);
    rptOwnerText->setObjectName(QStringLiteral("rptOwnerText"));
    cmdRptOwnerSave = namedButton("cmdRptOwnerSave", "Save", frmRptOwner);
    cmdRptOwnerCancel = namedButton("cmdRptOwnerCancel", "Cancel", frmRptOwner);
    cmdClose = namedButton("cmdClose", "Close", this);

    auto* frame = new QGridLayout(frmRptOwner);
    frame->addWidget(label33, 0, 0, 1, 4);
    frame->addWidget(lblRptOwners, 1, 0);
    frame->addWidget(cmbRptOwners, 1, 1, 1, 3);
    frame->addWidget(cmdModifyRptOwner, 2, 1);
    frame->addWidget(cmdAddRptOwner, 2, 2);
    frame->addWidget(cmdDeleteRptOwner, 2, 3);
    frame->addWidget(lblRptOwnerInstr, 3, 0, 1, 4);
    frame->addWidget(rptOwnerText, 4, 0, 1, 4);
    frame->addWidget(cmdRptOwnerSave, 5, 2);
    frame->addWidget(cmdRptOwnerCancel, 5, 3);

    auto* layout = new QVBoxLayout(this);
    // Wide enough that the long instructions wrap into a few lines.
    setMinimumWidth(520);
    for (QWidget* widget : {static_cast<QWidget*>(title), static_cast<QWidget*>(label1),
                            static_cast<QWidget*>(label2), static_cast<QWidget*>(lblRptOwnerInfo),
                            static_cast<QWidget*>(frmRptOwner)})
        layout->addWidget(widget);
    auto* closeRow = new QHBoxLayout;
    closeRow->addStretch();
    closeRow->addWidget(cmdClose);
    layout->addLayout(closeRow);

    connect(cmdClose, &QPushButton::clicked, this, &ReportOwnersWindow::closeWindow);
    connect(cmdModifyRptOwner, &QPushButton::clicked, this, &ReportOwnersWindow::modifyOwner);
    connect(cmdAddRptOwner, &QPushButton::clicked, this, &ReportOwnersWindow::addOwner);
    connect(cmdDeleteRptOwner, &QPushButton::clicked, this, &ReportOwnersWindow::deleteOwner);
    connect(cmdRptOwnerSave, &QPushButton::clicked, this, &ReportOwnersWindow::saveOwner);
    connect(cmdRptOwnerCancel, &QPushButton::clicked, this, &ReportOwnersWindow::cancelOwnerEdit);

    loadOwners();
}

QString ReportOwnersWindow::databasePath() const {
    return DatabaseCreator::DatabasePath(withTrailingSeparator(programOptions().DBPath));
}

void ReportOwnersWindow::message(const QString& text, bool exclamation) {
    if (guiSeams().message)
        guiSeams().message(this, text, QStringLiteral("Tavrin"),
                           exclamation ? QMessageBox::Warning : QMessageBox::NoIcon);
}

void ReportOwnersWindow::loadOwners() {
    ShowOwnerEditor(false);
    const QString path = databasePath();
    const DatabaseProgress progress = DatabaseProgress::reportingTo(reporter_);
    // A database that cannot be created or brought up to date has been reported already; the
    // window then offers only Close rather than a list that could not be written.
    const bool usable =
        !programOptions().DBPath.isEmpty() && programOptions().UpdateDB &&
        (QFileInfo::exists(path) || DatabaseCreator::CreateDatabase(path, progress)) &&
        DatabaseCreator::OpenAndUpgradeDatabase(path, progress);
    if (usable) {
        LoadOwnerList();
        return;
    }
    frmRptOwner->setEnabled(false);
    lblRptOwnerInfo->setVisible(true);
}

void ReportOwnersWindow::EnableOwnerList(bool flag) {
    for (QWidget* widget :
         {static_cast<QWidget*>(lblRptOwners), static_cast<QWidget*>(cmbRptOwners),
          static_cast<QWidget*>(cmdModifyRptOwner), static_cast<QWidget*>(cmdAddRptOwner),
          static_cast<QWidget*>(cmdDeleteRptOwner)})
        widget->setEnabled(flag);
}

void ReportOwnersWindow::ShowOwnerEditor(bool flag) {
    for (QWidget* widget :
         {static_cast<QWidget*>(lblRptOwnerInstr), static_cast<QWidget*>(rptOwnerText),
          static_cast<QWidget*>(cmdRptOwnerSave), static_cast<QWidget*>(cmdRptOwnerCancel)})
        widget->setVisible(flag);
    growToFit();
}

void ReportOwnersWindow::growToFit() {
    // The wrapped texts need more height than the window has once the editor shows: the window
    // grows rather than laying its labels over one another.
    if (!layout()) return;
    // The layouts learn of the shown and hidden editor only later: they are asked afresh.
    frmRptOwner->layout()->invalidate();
    layout()->invalidate();
    layout()->activate();
    const int needed = layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(width())
                                                     : layout()->totalSizeHint().height();
    if (height() < needed) resize(width(), needed);
}

void ReportOwnersWindow::LoadOwnerList() {
    // A database that cannot be read offers the owners it gave.
    ReportOwners owners;
    ReportOwnerStore::LoadReportOwners(databasePath(), owners);
    cmbRptOwners->clear();
    lblRptOwnerInfo->setVisible(false);
    frmRptOwner->setEnabled(true);
    EnableOwnerList(true);
    ShowOwnerEditor(false);
    for (qsizetype i = 1; i <= owners.Count(); ++i)
        cmbRptOwners->addItem(owners.Item(i).Name, owners.Item(i).ReportOwnerId);
    cmbRptOwners->setCurrentIndex(-1);
    if (owners.Count() == 0) cmbRptOwners->setEditText(QLatin1String(kNoneDefined));
}

bool ReportOwnersWindow::ownerSelected() const {
    // Typing over a chosen entry leaves the combo's index on it; only a text that is the
    // entry's own names that owner.
    return cmbRptOwners->currentIndex() >= 0 &&
           cmbRptOwners->currentText() == cmbRptOwners->itemText(cmbRptOwners->currentIndex()) &&
           cmbRptOwners->currentText() != QLatin1String(kNoneDefined);
}

void ReportOwnersWindow::modifyOwner() {
    if (!ownerSelected()) {
        message(QStringLiteral("Please select a valid Report Owner to modify"));
        return;
    }
    rptOwnerText->setText(cmbRptOwners->currentText());
    EnableOwnerList(false);
    lblRptOwnerInstr->setText(QLatin1String(kModifyText));
    ShowOwnerEditor(true);
}

void ReportOwnersWindow::addOwner() {
    rptOwnerText->clear();
    EnableOwnerList(false);
    // The instruction is in place before the editor shows, so the window makes room for it.
    lblRptOwnerInstr->setText(QLatin1String(kAddText));
    ShowOwnerEditor(true);
}

void ReportOwnersWindow::saveOwner() {
    if (rptOwnerText->text().isEmpty()) {
        message(QStringLiteral("Please enter a new valid Report Owner"));
        return;
    }
    ReportOwner owner;
    owner.Name = rptOwnerText->text();
    if (lblRptOwnerInstr->text() != QLatin1String(kAddText)) {
        owner.ReportOwnerId = cmbRptOwners->currentData().toInt();
        ReportOwnerStore::UpdateReportOwner(databasePath(), owner);
    } else {
        QString refused;
        if (!ReportOwnerStore::AddReportOwner(databasePath(), owner.Name, &refused))
            message(refused);
    }
    EnableOwnerList(true);
    ShowOwnerEditor(false);
    LoadOwnerList();
}

void ReportOwnersWindow::cancelOwnerEdit() {
    EnableOwnerList(true);
    ShowOwnerEditor(false);
}

void ReportOwnersWindow::deleteOwner() {
    if (!ownerSelected()) {
        message(QStringLiteral("Please select a valid Report Owner to Delete"));
        return;
    }
    // Owner names compare ignoring case everywhere, as the database writer matches them.
    if (cmbRptOwners->currentText().compare(programOptions().ReportOwner, Qt::CaseInsensitive) ==
        0) {
        message(QStringLiteral("The Report Owner currently selected as the Report Owner on the "
                               "'General' tab cannot be deleted.  Please deselect the Report Owner "
                               "on the 'General' tab, click 'Save', then return to this screen if "
                               "you wish to delete this Report Owner."),
                true);
        return;
    }
    EnableOwnerList(false);
    if (guiSeams().askYesNo &&
        guiSeams().askYesNo(
            this,
            QStringLiteral("Are you sure you would like to delete the selected Report Owner?")) &&
        !ReportOwnerStore::DeleteReportOwner(databasePath(), cmbRptOwners->currentData().toInt())) {
        message(QStringLiteral("The Report Owner could not be deleted: reports in the "
                               "documentation database still name it."),
                true);
    }
    EnableOwnerList(true);
    ShowOwnerEditor(false);
    LoadOwnerList();
}

void ReportOwnersWindow::closeWindow() { close(); }

void ShowReportOwners(QWidget* parent, RunReporter& reporter) {
    static QPointer<ReportOwnersWindow> window;
    if (!window) window = new ReportOwnersWindow(parent, &reporter);
    showModeless(window);
}

}  // namespace tav::gui
