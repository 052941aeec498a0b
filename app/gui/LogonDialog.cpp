#include "LogonDialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "GuiSeams.h"
#include "LogonPrompt.h"
#include "NamedWidgets.h"

namespace tav::gui {

LogonDialog::LogonDialog(LogonPrompt& controller, QWidget* parent)
    : QDialog(parent), controller_(controller) {
    setObjectName(QStringLiteral("frmLogin"));
    setWindowTitle(QString::fromLatin1(LogonPrompt::kCaption));
    setModal(true);

    // Made in the order they read, which is the order Tab takes, starting on the first box.
    serverEdit_ = named(new QLineEdit(controller.txtServer, this), "txtServer");
    databaseEdit_ = named(new QLineEdit(controller.txtDatabase, this), "txtDatabase");
    userNameEdit_ = named(new QLineEdit(controller.txtUserName, this), "txtUserName");
    passwordEdit_ = named(new QLineEdit(QString(), this), "txtPassword");
    passwordEdit_->setEchoMode(QLineEdit::Password);
    okButton_ = namedButton("cmdOK", "OK", this);
    okButton_->setDefault(true);
    cancelButton_ = namedButton("cmdCancel", "Cancel", this);
    serverEdit_->setFocus();

    auto* form = new QFormLayout;
    auto* lblServer = named(new QLabel(controller.lblServer, this), "lblServer");
    lblServer->setBuddy(serverEdit_);
    auto* lblDatabase = named(new QLabel(QStringLiteral("&Database"), this), "lblDatabase");
    lblDatabase->setBuddy(databaseEdit_);
    auto* lblUser = named(new QLabel(QStringLiteral("&User Name:"), this), "lblLabels");
    lblUser->setBuddy(userNameEdit_);
    auto* lblPassword = named(new QLabel(QStringLiteral("&Password:"), this), "lblLabels");
    lblPassword->setBuddy(passwordEdit_);
    form->addRow(lblServer, serverEdit_);
    form->addRow(lblDatabase, databaseEdit_);
    form->addRow(lblUser, userNameEdit_);
    form->addRow(lblPassword, passwordEdit_);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);

    auto* layout = new QVBoxLayout(this);
    auto* instruction = named(new QLabel(controller.lblInstruction, this), "lblInstruction");
    instruction->setWordWrap(true);
    layout->addWidget(instruction);
    layout->addLayout(form);
    layout->addLayout(buttons);

    connect(okButton_, &QPushButton::clicked, this, &LogonDialog::logOn);
    connect(cancelButton_, &QPushButton::clicked, this, &LogonDialog::cancel);
    connect(this, &QDialog::rejected, this, [this] { controller_.pressCancel(); });
}

void LogonDialog::present(LogonPrompt& controller) {
    LogonDialog dialog(controller);
    dialog.exec();
}

void LogonDialog::logOn() {
    controller_.txtServer = serverEdit_->text();
    controller_.txtDatabase = databaseEdit_->text();
    controller_.txtUserName = userNameEdit_->text();
    controller_.txtPassword = passwordEdit_->text();
    controller_.showMessage = [this](const QString& text, const QString& title) {
        guiSeams().message(this, text, title, QMessageBox::Information);
    };
    if (controller_.pressOK()) accept();
}

void LogonDialog::cancel() {
    controller_.pressCancel();
    reject();
}

}  // namespace tav::gui
