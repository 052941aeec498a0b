#pragma once

#include <QDialog>
#include <QPointer>

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

private:
    void loadOwners();
    void enableOwnerList(bool flag);
    void showOwnerEditor(bool flag);
    void growToFit();
    void fillOwnerList();
    // True when an entry of the list is chosen, not text typed over it or the empty marker.
    bool ownerSelected() const;
    QString databasePath() const;

    QPushButton* closeButton_;
    QGroupBox* ownerFrame_;
    QComboBox* ownerList_;
    QPushButton* modifyButton_;
    QPushButton* addButton_;
    QPushButton* deleteButton_;
    QLineEdit* ownerEdit_;
    QPushButton* saveButton_;
    QPushButton* cancelButton_;
    QLabel* ownerListLabel_;
    QLabel* instructions_;
    QLabel* unavailableNote_;

    WindowReporter ownReporter_;
    core::RunReporter& reporter_;
};

}  // namespace tav::gui
