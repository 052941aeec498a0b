#include "ReportOwnersWindow.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "DatabaseCreator.h"
#include "EnterStep.h"
#include "ExtractOptions.h"
#include "GuiSeams.h"
#include "NamedWidgets.h"
#include "ProgramSettings.h"
#include "ReportOwnerStore.h"
#include "SettingsStore.h"
#include "WindowFit.h"
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
    unavailableNote_ = namedLabel(
        "lblRptOwnerInfo",
        QStringLiteral("Please select the option \"Write to Database\" and enter a valid path in "
                       "the \"Database Output Directory\" textbox on the General Settings screen "
                       "to use Report Owners"),
        this);

    ownerFrame_ = new QGroupBox(QStringLiteral("Report Owner Settings"), this);
    ownerFrame_->setObjectName(QStringLiteral("frmRptOwner"));
    auto* label33 = namedLabel(
        "Label33",
        QStringLiteral("Select the Report Owner to modify in the drop-down box, and select the "
                       "\"Modify\" button to edit the owner.  To add a new Report Owner, select "
                       "the \"New\" button.  To delete an existing Report Owner, select the report "
                       "owner in the drop-down box, and select the \"Delete\" button."),
        ownerFrame_);
    ownerListLabel_ = namedLabel("lblRptOwners", QStringLiteral("Report Owners"), ownerFrame_);
    ownerList_ = new QComboBox(ownerFrame_);
    ownerList_->setObjectName(QStringLiteral("cmbRptOwners"));
    ownerList_->setEditable(true);
    ownerList_->setInsertPolicy(QComboBox::NoInsert);
    modifyButton_ = namedButton("cmdModifyRptOwner", "Modify", ownerFrame_);
    addButton_ = namedButton("cmdAddRptOwner", "Add New", ownerFrame_);
    deleteButton_ = namedButton("cmdDeleteRptOwner", "Delete", ownerFrame_);
    instructions_ = namedLabel("lblRptOwnerInstr", QStringLiteral("instructions"), ownerFrame_);
    ownerEdit_ = new QLineEdit(ownerFrame_);
    ownerEdit_->setObjectName(QStringLiteral("rptOwnerText"));
    saveButton_ = namedButton("cmdRptOwnerSave", "Save", ownerFrame_);
    cancelButton_ = namedButton("cmdRptOwnerCancel", "Cancel", ownerFrame_);
    closeButton_ = namedButton("cmdClose", "Close", this);
    // A screen reader names each box by the label that tells what goes in it.
    ownerListLabel_->setBuddy(ownerList_);
    instructions_->setBuddy(ownerEdit_);
    // Enter in the editor saves: the window's other buttons are no step of it.
    new EnterStep({ownerEdit_}, {saveButton_}, this);

    auto* frame = new QGridLayout(ownerFrame_);
    frame->addWidget(label33, 0, 0, 1, 4);
    frame->addWidget(ownerListLabel_, 1, 0);
    frame->addWidget(ownerList_, 1, 1, 1, 3);
    frame->addWidget(modifyButton_, 2, 1);
    frame->addWidget(addButton_, 2, 2);
    frame->addWidget(deleteButton_, 2, 3);
    frame->addWidget(instructions_, 3, 0, 1, 4);
    frame->addWidget(ownerEdit_, 4, 0, 1, 4);
    frame->addWidget(saveButton_, 5, 2);
    frame->addWidget(cancelButton_, 5, 3);

    auto* layout = new QVBoxLayout(this);
    // Wide enough that the long instructions wrap into a few lines.
    setMinimumWidth(520);
    for (QWidget* widget : {static_cast<QWidget*>(title), static_cast<QWidget*>(label1),
                            static_cast<QWidget*>(label2), static_cast<QWidget*>(unavailableNote_),
                            static_cast<QWidget*>(ownerFrame_)})
        layout->addWidget(widget);
    auto* closeRow = new QHBoxLayout;
    closeRow->addStretch();
    closeRow->addWidget(closeButton_);
    layout->addLayout(closeRow);

    connect(closeButton_, &QPushButton::clicked, this, &ReportOwnersWindow::closeWindow);
    connect(modifyButton_, &QPushButton::clicked, this, &ReportOwnersWindow::modifyOwner);
    connect(addButton_, &QPushButton::clicked, this, &ReportOwnersWindow::addOwner);
    connect(deleteButton_, &QPushButton::clicked, this, &ReportOwnersWindow::deleteOwner);
    connect(saveButton_, &QPushButton::clicked, this, &ReportOwnersWindow::saveOwner);
    connect(cancelButton_, &QPushButton::clicked, this, &ReportOwnersWindow::cancelOwnerEdit);

    loadOwners();
}

QString ReportOwnersWindow::databasePath() const {
    return DatabaseCreator::DatabasePath(withTrailingSeparator(programOptions().DBPath));
}

void ReportOwnersWindow::loadOwners() {
    showOwnerEditor(false);
    const QString path = databasePath();
    const DatabaseProgress progress = DatabaseProgress::reportingTo(reporter_);
    // A database that cannot be created or brought up to date has been reported already; the
    // window then offers only Close rather than a list that could not be written.
    const bool usable =
        !programOptions().DBPath.isEmpty() && programOptions().UpdateDB &&
        (QFileInfo::exists(path) || DatabaseCreator::CreateDatabase(path, progress)) &&
        DatabaseCreator::OpenAndUpgradeDatabase(path, progress);
    if (usable) {
        fillOwnerList();
        return;
    }
    ownerFrame_->setEnabled(false);
    unavailableNote_->setVisible(true);
}

void ReportOwnersWindow::enableOwnerList(bool flag) {
    for (QWidget* widget :
         {static_cast<QWidget*>(ownerListLabel_), static_cast<QWidget*>(ownerList_),
          static_cast<QWidget*>(modifyButton_), static_cast<QWidget*>(addButton_),
          static_cast<QWidget*>(deleteButton_)})
        widget->setEnabled(flag);
}

void ReportOwnersWindow::showOwnerEditor(bool flag) {
    // Once the editor goes, the user picks from the list again; the focus goes there first, so
    // that it does not pass to a button that Enter would press.
    if (!flag && !ownerEdit_->isHidden()) ownerList_->setFocus(Qt::OtherFocusReason);
    for (QWidget* widget :
         {static_cast<QWidget*>(instructions_), static_cast<QWidget*>(ownerEdit_),
          static_cast<QWidget*>(saveButton_), static_cast<QWidget*>(cancelButton_)})
        widget->setVisible(flag);
    growToFit();
}

void ReportOwnersWindow::growToFit() {
    // The wrapped texts need more height than the window has once the editor shows: the window
    // grows rather than laying its labels over one another.
    if (!layout()) return;
    // The layouts learn of the shown and hidden editor only later: they are asked afresh.
    ownerFrame_->layout()->invalidate();
    layout()->invalidate();
    layout()->activate();
    const int needed = layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(width())
                                                     : layout()->totalSizeHint().height();
    if (height() >= needed) return;
    resize(width(), needed);
    // Grown down past the screen's edge, the editor's buttons would be out of reach.
    if (isVisible()) keepOnScreen(this);
}

void ReportOwnersWindow::fillOwnerList() {
    // A database that cannot be read offers the owners it gave.
    ReportOwners owners;
    ReportOwnerStore::LoadReportOwners(databasePath(), &owners);
    ownerList_->clear();
    unavailableNote_->setVisible(false);
    ownerFrame_->setEnabled(true);
    enableOwnerList(true);
    showOwnerEditor(false);
    for (const ReportOwner& owner : owners) ownerList_->addItem(owner.Name, owner.ReportOwnerId);
    ownerList_->setCurrentIndex(-1);
    if (owners.isEmpty()) ownerList_->setEditText(QLatin1String(kNoneDefined));
}

bool ReportOwnersWindow::ownerSelected() const {
    // Typing over a chosen entry leaves the combo's index on it; only a text that is the
    // entry's own names that owner.
    return ownerList_->currentIndex() >= 0 &&
           ownerList_->currentText() == ownerList_->itemText(ownerList_->currentIndex()) &&
           ownerList_->currentText() != QLatin1String(kNoneDefined);
}

void ReportOwnersWindow::modifyOwner() {
    if (!ownerSelected()) {
        guiSeams().message(this, QStringLiteral("Please select a valid Report Owner to modify"),
                           QStringLiteral("Tavrin"), QMessageBox::NoIcon);
        return;
    }
    ownerEdit_->setText(ownerList_->currentText());
    enableOwnerList(false);
    instructions_->setText(QLatin1String(kModifyText));
    showOwnerEditor(true);
    ownerEdit_->setFocus(Qt::OtherFocusReason);
}

void ReportOwnersWindow::addOwner() {
    ownerEdit_->clear();
    enableOwnerList(false);
    // The instruction is in place before the editor shows, so the window makes room for it.
    instructions_->setText(QLatin1String(kAddText));
    showOwnerEditor(true);
    ownerEdit_->setFocus(Qt::OtherFocusReason);
}

void ReportOwnersWindow::saveOwner() {
    if (ownerEdit_->text().isEmpty()) {
        guiSeams().message(this, QStringLiteral("Please enter a new valid Report Owner"),
                           QStringLiteral("Tavrin"), QMessageBox::NoIcon);
        return;
    }
    // The editor stays open with the name as typed, for the user to shorten it.
    if (ownerEdit_->text().size() > ReportOwnerStore::MaxNameLength()) {
        guiSeams().message(this,
                           QStringLiteral("The Report Owner is too long: please enter a Report "
                                          "Owner of at most %1 characters")
                               .arg(ReportOwnerStore::MaxNameLength()),
                           QStringLiteral("Tavrin"), QMessageBox::NoIcon);
        return;
    }
    const QString name = ownerEdit_->text();
    QString error;
    const bool saved = instructions_->text() != QLatin1String(kAddText)
                           ? ReportOwnerStore::UpdateReportOwner(
                                 databasePath(), {name, ownerList_->currentData().toInt()}, &error)
                           : ReportOwnerStore::AddReportOwner(databasePath(), name, &error);
    // A change that fails leaves the names as the list shows them again.
    if (!saved) guiSeams().message(this, error, QStringLiteral("Tavrin"), QMessageBox::NoIcon);
    enableOwnerList(true);
    showOwnerEditor(false);
    fillOwnerList();
}

void ReportOwnersWindow::cancelOwnerEdit() {
    enableOwnerList(true);
    showOwnerEditor(false);
}

void ReportOwnersWindow::deleteOwner() {
    if (!ownerSelected()) {
        guiSeams().message(this, QStringLiteral("Please select a valid Report Owner to Delete"),
                           QStringLiteral("Tavrin"), QMessageBox::NoIcon);
        return;
    }
    // Owner names compare ignoring case everywhere, as the database writer matches them.
    if (ownerList_->currentText().compare(programOptions().ReportOwner, Qt::CaseInsensitive) == 0) {
        guiSeams().message(
            this,
            QStringLiteral("The Report Owner currently selected as the Report Owner on the "
                           "'General' tab cannot be deleted.  Please deselect the Report Owner on "
                           "the 'General' tab, click 'Save', then return to this screen if you "
                           "wish to delete this Report Owner."),
            QStringLiteral("Tavrin"), QMessageBox::Warning);
        return;
    }
    enableOwnerList(false);
    if (guiSeams().askYesNo &&
        guiSeams().askYesNo(
            this,
            QStringLiteral("Are you sure you would like to delete the selected Report Owner?")) &&
        !ReportOwnerStore::DeleteReportOwner(databasePath(), ownerList_->currentData().toInt())) {
        guiSeams().message(this,
                           QStringLiteral("The Report Owner could not be deleted: reports in the "
                                          "documentation database still name it."),
                           QStringLiteral("Tavrin"), QMessageBox::Warning);
    }
    enableOwnerList(true);
    showOwnerEditor(false);
    fillOwnerList();
}

void ReportOwnersWindow::closeWindow() { close(); }

}  // namespace tav::gui
