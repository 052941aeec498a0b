#include "LogonPrompt.h"

#include <array>

#include "tvTypes.h"

namespace {

// Which connection properties hold the server and the database for each driver, when logon
// values are read from a table.
struct LogonReadRule {
    const char* driver;
    const char* server;
    const char* serverWhenEmpty;  // read when the first server property is empty
    const char* database;
    const char* databaseWhenEmpty;  // read when the first is empty or cannot be read
};

constexpr std::array kLogonReadRules = {
    LogonReadRule{"crdb_odbc.dll", "DSN", "FILEDSN", "Database", nullptr},
    LogonReadRule{"crdb_ado.dll", "Data Source", nullptr, "Database", "Initial Catalog"},
    LogonReadRule{"crdb_dao.dll", "System Database Path", nullptr, "Database", nullptr},
    LogonReadRule{"crdb_oracle.dll", "Server", nullptr, nullptr, nullptr},
    LogonReadRule{"crdb_p2b*.dll", "Database Path", nullptr, nullptr, nullptr},
    LogonReadRule{"crdb_p2s*.dll", "Server", nullptr, "Database", nullptr},
    LogonReadRule{"crdb_query.dll", "Repository Object Name", nullptr, "Description", nullptr},
};

// Which connection properties OK writes the server and database texts into.
struct LogonWriteRule {
    const char* driver;
    const char* server;
    const char* serverWhenEmpty;  // written instead when the server property's value is empty
    const char* database;
};

constexpr std::array kLogonWriteRules = {
    LogonWriteRule{"crdb_odbc.dll", "DSN", "FileDSN", "Database"},
    LogonWriteRule{"crdb_ado.dll", "Data Source", nullptr, "Initial Catalog"},
    LogonWriteRule{"crdb_dao.dll", "System Database Path", nullptr, "Database"},
    LogonWriteRule{"crdb_oracle.dll", "Server", nullptr, nullptr},
    LogonWriteRule{"crdb_p2b*.dll", "Database Path", nullptr, "Database"},
    LogonWriteRule{"crdb_p2s*.dll", "Server", nullptr, "Database"},
};

template <class Rules>
const auto* ruleFor(const Rules& rules, const QString& dllName) {
    for (const auto& rule : rules) {
        if (DriverMatches(QString::fromLatin1(rule.driver), dllName)) return &rule;
    }
    return static_cast<const typename Rules::value_type*>(nullptr);
}

QString property(const rt::Object& table, const char* name) {
    return table.connectionProperty(QString::fromLatin1(name));
}

std::unique_ptr<rt::Object> firstTable(rt::Object& crDatabase) {
    return crDatabase.collection("Tables")->item(1);
}

}  // namespace

bool DriverMatches(QStringView pattern, QStringView dllName) {
    const qsizetype star = pattern.indexOf(u'*');
    if (star < 0) return pattern == dllName;
    const QStringView head = pattern.left(star);
    const QStringView tail = pattern.mid(star + 1);
    return dllName.size() >= head.size() + tail.size() && dllName.startsWith(head) &&
           dllName.endsWith(tail);
}

tvLogonValues ReadLogonValues(const rt::Object& crTable) {
    tvLogonValues values;
    try {
        const QString dllName = crTable.text("dllName");
        if (const LogonReadRule* rule = ruleFor(kLogonReadRules, dllName)) {
            values.server = property(crTable, rule->server);
            if (values.server.isEmpty() && rule->serverWhenEmpty) {
                values.server = property(crTable, rule->serverWhenEmpty);
            }
            if (rule->database) {
                if (rule->databaseWhenEmpty) {
                    try {
                        values.database = property(crTable, rule->database);
                    } catch (const rt::Error&) {
                        values.database.clear();
                    }
                    if (values.database.isEmpty()) {
                        values.database = property(crTable, rule->databaseWhenEmpty);
                    }
                } else {
                    values.database = property(crTable, rule->database);
                }
            }
        }
        values.userId = property(crTable, "User ID");
    } catch (const rt::Error&) {
        values.database.clear();
    }
    return values;
}

void LogonPrompt::setVars(rt::Object& crDatabase, const QString& dllName, const QString& serverName,
                          const QString& dbName, const QString& reportPath, const QString& userName,
                          rt::Object* crReport) {
    crDatabase_ = &crDatabase;
    dllName_ = dllName;
    serverName_ = serverName;
    dbName_ = dbName;
    userName_ = userName;
    crReport_ = crReport;
    // The server label follows the table of this report, not of the first report shown.
    readServerLabel();
    txtServer = serverName;
    txtDatabase = dbName;
    txtUserName = userName;

    lblInstruction =
        QStringLiteral("Enter the database login information for report ") + tvFileName(reportPath);
    LoginSucceeded = false;
}

void LogonPrompt::readServerLabel() {
    const QString dllName = firstTable(*crDatabase_)->text("dllName");
    lblServer = dllName == u"crdb_odbc.dll" ? QStringLiteral("DSN") : QStringLiteral("Server");
}

bool LogonPrompt::pressOK() {
    // Every step is tried on its own: a property the driver does not have is skipped, and only
    // the final connectivity test decides.
    auto attempt = [](auto&& step) {
        try {
            step();
        } catch (const rt::Error&) {
        }
    };
    std::unique_ptr<rt::Object> table;
    QString dllName;
    attempt([&] { table = firstTable(*crDatabase_); });
    if (table) {
        attempt([&] { dllName = table->text("dllName"); });
        if (const LogonWriteRule* rule = ruleFor(kLogonWriteRules, dllName)) {
            attempt([&] {
                const char* serverProperty = rule->server;
                if (rule->serverWhenEmpty && property(*table, rule->server).isEmpty()) {
                    serverProperty = rule->serverWhenEmpty;
                }
                table->setConnectionProperty(QString::fromLatin1(serverProperty), txtServer);
            });
            if (rule->database) {
                attempt([&] {
                    table->setConnectionProperty(QString::fromLatin1(rule->database), txtDatabase);
                });
            }
        }
        attempt([&] { table->setConnectionProperty(QStringLiteral("User ID"), txtUserName); });
        attempt([&] { table->setConnectionProperty(QStringLiteral("Password"), txtPassword); });
        attempt([&] {
            table->setConnectionProperty(QStringLiteral("UseDSNProperties"),
                                         QStringLiteral("False"));
        });
    }
    bool connects = false;
    attempt([&] { connects = table && table->testConnectivity(); });
    if (connects) {
        LoginSucceeded = true;
        visible = false;
        return true;
    }
    showMessage(QString::fromLatin1(kInvalidLogin), QString::fromLatin1(kCaption));
    return false;
}

void LogonPrompt::pressCancel() {
    LoginSucceeded = false;
    visible = false;
}
