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
    txtServer_ = named(new QLineEdit(controller.txtServer, this), "txtServer");
    txtDatabase_ = named(new QLineEdit(controller.txtDatabase, this), "txtDatabase");
    txtUserName_ = named(new QLineEdit(controller.txtUserName, this), "txtUserName");
    txtPassword_ = named(new QLineEdit(QString(), this), "txtPassword");
    txtPassword_->setEchoMode(QLineEdit::Password);
    cmdOK_ = namedButton("cmdOK", "OK", this);
    cmdOK_->setDefault(true);
    cmdCancel_ = namedButton("cmdCancel", "Cancel", this);
    txtServer_->setFocus();

    auto* form = new QFormLayout;
    auto* lblServer = named(new QLabel(controller.lblServer, this), "lblServer");
    lblServer->setBuddy(txtServer_);
    auto* lblDatabase = named(new QLabel(QStringLiteral("&Database"), this), "lblDatabase");
    lblDatabase->setBuddy(txtDatabase_);
    auto* lblUser = named(new QLabel(QStringLiteral("&User Name:"), this), "lblLabels");
    lblUser->setBuddy(txtUserName_);
    auto* lblPassword = named(new QLabel(QStringLiteral("&Password:"), this), "lblLabels");
    lblPassword->setBuddy(txtPassword_);
    form->addRow(lblServer, txtServer_);
    form->addRow(lblDatabase, txtDatabase_);
    form->addRow(lblUser, txtUserName_);
    form->addRow(lblPassword, txtPassword_);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdCancel_);

    auto* layout = new QVBoxLayout(this);
    auto* instruction = named(new QLabel(controller.lblInstruction, this), "lblInstruction");
    instruction->setWordWrap(true);
    layout->addWidget(instruction);
    layout->addLayout(form);
    layout->addLayout(buttons);

    connect(cmdOK_, &QPushButton::clicked, this, &LogonDialog::logOn);
    connect(cmdCancel_, &QPushButton::clicked, this, &LogonDialog::cancel);
    connect(this, &QDialog::rejected, this, [this] { controller_.pressCancel(); });
}

void LogonDialog::present(LogonPrompt& controller) {
    LogonDialog dialog(controller);
    dialog.exec();
}

void LogonDialog::logOn() {
    controller_.txtServer = txtServer_->text();
    controller_.txtDatabase = txtDatabase_->text();
    controller_.txtUserName = txtUserName_->text();
    controller_.txtPassword = txtPassword_->text();
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
