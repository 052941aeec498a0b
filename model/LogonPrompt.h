#pragma once

#include <QString>
#include <functional>

#include "RtObject.h"

// The database logon prompt, without widgets: the captions, the texts the user edits and what
// OK and Cancel do. A load that needs a logon makes one and hands it to the presenter of its
// options, which shows it modally and forwards the two buttons; without a presenter Cancel is
// pressed, so a load never waits for a user who is not there.
class LogonPrompt {
public:
    // Shows the prompt modally and returns when it has closed.
    using Presenter = std::function<void(LogonPrompt&)>;

    void setVars(rt::Object& crDatabase, const QString& dllName, const QString& serverName,
                 const QString& dbName, const QString& reportPath, const QString& userName,
                 rt::Object* crReport);

    // Applies the texts to the first table and tests its connection. True when the dialog
    // closes; false after the message "Invalid Login, try again!", the dialog staying open.
    bool pressOK();
    void pressCancel();

    // The message shown after a failed OK (text, title); a view replaces it with a message box.
    std::function<void(const QString&, const QString&)> showMessage = [](const QString&,
                                                                         const QString&) {};

    static constexpr const char* kCaption = "Login";
    static constexpr const char* kInvalidLogin = "Invalid Login, try again!";

    QString txtDatabase;
    QString txtServer;
    QString txtUserName;
    QString txtPassword;
    QString lblServer = QStringLiteral("&Server");
    QString lblInstruction;
    bool LoginSucceeded = false;
    bool visible = false;

private:
    void readServerLabel();

    rt::Object* crDatabase_ = nullptr;
    rt::Object* crReport_ = nullptr;
    QString dllName_;
    QString serverName_;
    QString dbName_;
    QString userName_;
};

// The logon values a report's first table carries, read by its driver's property names.
struct tvLogonValues {
    QString server;
    QString database;
    QString userId;
};

// Reads server, database and user id from a table's connection properties. A failing read ends
// the reading: the database value is then empty and the values already read stay.
tvLogonValues ReadLogonValues(const rt::Object& crTable);

// True when `dllName` names the driver (or driver family, with a star) `pattern`; case-sensitive.
bool DriverMatches(QStringView pattern, QStringView dllName);
