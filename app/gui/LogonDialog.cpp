#include "LogonDialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "LogonPrompt.h"

namespace tav::gui {

namespace {

QLabel* label(const QString& text, const char* name, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1StringView(name));
    return l;
}

QLineEdit* edit(const QString& text, const char* name, QWidget* parent) {
    auto* e = new QLineEdit(text, parent);
    e->setObjectName(QLatin1StringView(name));
    return e;
}

}  // namespace

LogonDialog::LogonDialog(LogonPrompt& controller, QWidget* parent)
    : QDialog(parent), controller_(controller) {
    setObjectName(QStringLiteral("frmLogin"));
    setWindowTitle(QString::fromLatin1(LogonPrompt::kCaption));
    setModal(true);

    txtDatabase_ = edit(controller.txtDatabase, "txtDatabase", this);
    txtServer_ = edit(controller.txtServer, "txtServer", this);
    txtUserName_ = edit(controller.txtUserName, "txtUserName", this);
    cmdOK_ = new QPushButton(QStringLiteral("OK"), this);
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdOK_->setDefault(true);
    cmdCancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
    txtPassword_ = edit(QString(), "txtPassword", this);
    txtPassword_->setEchoMode(QLineEdit::Password);

    auto* form = new QFormLayout;
    auto* lblServer = label(controller.lblServer, "lblServer", this);
    lblServer->setBuddy(txtServer_);
    auto* lblDatabase = label(QStringLiteral("&Database"), "lblDatabase", this);
    lblDatabase->setBuddy(txtDatabase_);
    auto* lblUser = label(QStringLiteral("&User Name:"), "lblLabels", this);
    lblUser->setBuddy(txtUserName_);
    auto* lblPassword = label(QStringLiteral("&Password:"), "lblLabels", this);
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
    auto* instruction = label(controller.lblInstruction, "lblInstruction", this);
    instruction->setWordWrap(true);
    layout->addWidget(instruction);
    layout->addLayout(form);
    layout->addLayout(buttons);

    connect(cmdOK_, &QPushButton::clicked, this, &LogonDialog::okClicked);
    connect(cmdCancel_, &QPushButton::clicked, this, &LogonDialog::cancelClicked);
    connect(this, &QDialog::rejected, this, [this] { controller_.pressCancel(); });
}

std::function<void(QWidget*, const QString&, const QString&)>& LogonDialog::messageBox() {
    static std::function<void(QWidget*, const QString&, const QString&)> box =
        [](QWidget* parent, const QString& text, const QString& title) {
            QMessageBox::information(parent, title, text, QMessageBox::Ok);
        };
    return box;
}

void LogonDialog::present(LogonPrompt& controller) {
    LogonDialog dialog(controller);
    dialog.exec();
}

void LogonDialog::okClicked() {
    controller_.txtServer = txtServer_->text();
    controller_.txtDatabase = txtDatabase_->text();
    controller_.txtUserName = txtUserName_->text();
    controller_.txtPassword = txtPassword_->text();
    controller_.showMessage = [this](const QString& text, const QString& title) {
        messageBox()(this, text, title);
    };
    if (controller_.pressOK()) accept();
}

void LogonDialog::cancelClicked() {
    controller_.pressCancel();
    reject();
}

}  // namespace tav::gui
