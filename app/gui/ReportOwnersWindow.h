#pragma once

#include <QDialog>

#include "WindowReporter.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tav::gui {

// The window in which the user keeps the report owners of the documentation database. It is of
// use only while the database output is configured; otherwise it explains that and offers Close.
class ReportOwnersWindow : public QDialog {
    Q_OBJECT
public:
    // The database's messages and status go to `reporter`; without one, to the window's own.
    explicit ReportOwnersWindow(QWidget* parent = nullptr, core::RunReporter* reporter = nullptr);

    void closeWindow();
    void modifyOwner();
    void addOwner();
    void deleteOwner();
    void saveOwner();
    void cancelOwnerEdit();

    QPushButton* cmdClose;
    QGroupBox* frmRptOwner;
    QComboBox* cmbRptOwners;
    QPushButton* cmdModifyRptOwner;
    QPushButton* cmdAddRptOwner;
    QPushButton* cmdDeleteRptOwner;
    QLineEdit* rptOwnerText;
    QPushButton* cmdRptOwnerSave;
    QPushButton* cmdRptOwnerCancel;
    QLabel* lblRptOwners;
    QLabel* lblRptOwnerInstr;
    QLabel* lblRptOwnerInfo;

private:
    void loadOwners();
    void EnableOwnerList(bool flag);
    void ShowOwnerEditor(bool flag);
    void growToFit();
    void LoadOwnerList();
    // True when an entry of the list is chosen, not text typed over it or the empty marker.
    bool ownerSelected() const;
    void message(const QString& text, bool exclamation = false);
    QString databasePath() const;

    WindowReporter ownReporter_;
    core::RunReporter& reporter_;
};

// Shows the one report-owner window, modeless, creating it on first use.
void ShowReportOwners(QWidget* parent, core::RunReporter& reporter);

}  // namespace tav::gui
