#include <gtest/gtest.h>

#include "LogonPrompt.h"
#include "TestSupport.h"
#include "tvTypes.h"

namespace {

QByteArray reportWithTable(const QByteArray& table) {
    return "<Report enableParameterPrompting=\"false\"><sqlQueryString>SELECT * FROM Orders"
           "</sqlQueryString><Database><Tables>" +
           table + "</Tables></Database><ExportOptions/></Report>";
}

const QByteArray kOdbcTable = R"(<Table dllName="crdb_odbc.dll" logonUser="sa" logonPassword="pw">
  <ConnectionProperties>
    <Property name="DSN" value="Sales"/><Property name="Database" value="salesdb"/>
    <Property name="User ID" value="guest"/>
  </ConnectionProperties></Table>)";

// Loads with the SQL text asked for, answering the logon dialog with `presenter`; `showSQL`
// tells what the load left of the option.
std::unique_ptr<tvReport> loadWithSql(const QByteArray& xml, LogonPrompt::Presenter presenter = {},
                                      qint16 showSQL = 1, qint16* showSQLAfter = nullptr) {
    auto report = std::make_unique<tvReport>();
    auto crReport = runtimeReport(xml);
    tvLoadingOptions options{showSQL, 1, std::move(presenter), {}};
    report->init(QStringLiteral("/reports/Sales.rpt"), options, crReport, false);
    if (showSQLAfter) *showSQLAfter = options.showSQL;
    return report;
}

TEST(SqlQueryText, ShowSqlOffReadsNothingFromTheDatabase) {
    // Any touch of the table would fail the load.
    QByteArray table = kOdbcTable;
    table.replace("<Table ", "<Table fail=\"testConnectivity connectionProperty\" ");
    const auto report = loadWithSql(reportWithTable(table), {}, 0);
    EXPECT_TRUE(report->sqlQueryString.isEmpty());
}

TEST(SqlQueryText, NoTablesGivesEmptyText) {
    EXPECT_TRUE(loadWithSql(reportWithTable(""))->sqlQueryString.isEmpty());
}

TEST(SqlQueryText, AConnectingTableGivesTheText) {
    QByteArray table = kOdbcTable;
    table.replace("<Table ", "<Table connects=\"true\" ");
    EXPECT_EQ(loadWithSql(reportWithTable(table))->sqlQueryString,
              QStringLiteral("SELECT * FROM Orders"));
}

TEST(SqlQueryText, QueryDriverReturnsItsDatabaseValue) {
    const QByteArray table = R"(<Table dllName="crdb_query.dll"><ConnectionProperties>
      <Property name="Repository Object Name" value="repo"/><Property name="Description" value="Q1"/>
      <Property name="User ID" value="u"/></ConnectionProperties></Table>)";
    EXPECT_EQ(loadWithSql(reportWithTable(table))->sqlQueryString, QStringLiteral("Q1"));
    // Without the repository's object name or the user, the value is empty, and no logon is
    // asked for.
    for (const char* property : {R"(<Property name="Repository Object Name" value="repo"/>)",
                                 R"(<Property name="User ID" value="u"/>)",
                                 R"(<Property name="Description" value="Q1"/>)"}) {
        qint16 showSQL = 0;
        const auto report = loadWithSql(
            reportWithTable(QByteArray(table).replace(property, "")),
            [](LogonPrompt&) { ADD_FAILURE() << "a logon was asked"; }, 1, &showSQL);
        EXPECT_TRUE(report->sqlQueryString.isEmpty()) << property;
        EXPECT_EQ(showSQL, 1) << property;
    }
    // In capitals it still takes that branch, but its values are read as for an unknown driver.
    QByteArray upper = table;
    upper.replace("crdb_query.dll", "CRDB_QUERY.DLL");
    EXPECT_TRUE(loadWithSql(reportWithTable(upper))->sqlQueryString.isEmpty());
}

TEST(SqlQueryText, WrongThenRightLogonGivesTheText) {
    QStringList messages;
    int shown = 0;
    qint16 showSQL = -1;
    const auto report = loadWithSql(
        reportWithTable(kOdbcTable),
        [&](LogonPrompt& dialog) {
            ++shown;
            dialog.showMessage = [&](const QString& text, const QString& title) {
                messages << title + u':' + text;
            };
            EXPECT_EQ(dialog.lblServer, QStringLiteral("DSN"));
            EXPECT_EQ(dialog.txtServer, QStringLiteral("Sales"));
            EXPECT_EQ(dialog.txtDatabase, QStringLiteral("salesdb"));
            EXPECT_EQ(dialog.txtUserName, QStringLiteral("guest"));
            EXPECT_EQ(dialog.lblInstruction,
                      QStringLiteral("Enter the database login information for report Sales.rpt"));
            dialog.txtUserName = QStringLiteral("sa");
            dialog.txtPassword = QStringLiteral("wrong");
            EXPECT_FALSE(dialog.pressOK());
            EXPECT_FALSE(dialog.pressOK());
            dialog.txtPassword = QStringLiteral("pw");
            EXPECT_TRUE(dialog.pressOK());
            EXPECT_TRUE(dialog.LoginSucceeded);
        },
        1, &showSQL);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(messages, QStringList(2, QStringLiteral("Login:Invalid Login, try again!")));
    EXPECT_EQ(report->sqlQueryString, QStringLiteral("SELECT * FROM Orders"));
    EXPECT_EQ(showSQL, 1);
}

TEST(SqlQueryText, CancelGivesEmptyTextAndStopsAskingForTheLoad) {
    // Without a presenter (no display) Cancel is pressed.
    qint16 showSQL = -1;
    const auto report = loadWithSql(reportWithTable(kOdbcTable), {}, 1, &showSQL);
    EXPECT_TRUE(report->sqlQueryString.isEmpty());
    EXPECT_EQ(showSQL, 0);
}

TEST(SqlQueryText, AConnectivityTestThatFailsToRunDoesNotConnect) {
    QByteArray table = kOdbcTable;
    table.replace("<Table ", "<Table fail=\"testConnectivity\" ");
    int shown = 0;
    const auto report = loadWithSql(reportWithTable(table), [&](LogonPrompt& dialog) {
        ++shown;
        dialog.pressCancel();
    });
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(report->sqlQueryString.isEmpty());
}

struct DriverCase {
    const char* dll;
    const char* properties;
    const char* server;
    const char* database;
    const char* user;
};

TEST(LogonValues, ReadByDriver) {
    const DriverCase cases[] = {
        {"crdb_odbc.dll", "DSN=Sales;FILEDSN=f.dsn;Database=db;User ID=u", "Sales", "db", "u"},
        {"crdb_odbc.dll", "DSN=;FILEDSN=f.dsn;Database=db;User ID=u", "f.dsn", "db", "u"},
        {"crdb_ado.dll", "Data Source=srv;Database=db;Initial Catalog=cat;User ID=u", "srv", "db",
         "u"},
        {"crdb_ado.dll", "Data Source=srv;Database=;Initial Catalog=cat;User ID=u", "srv", "cat",
         "u"},
        {"crdb_ado.dll", "Data Source=srv;Initial Catalog=cat;User ID=u", "srv", "cat",
         "u"},  // unreadable
        {"crdb_dao.dll", "System Database Path=sys.mdw;Database=a.mdb;User ID=u", "sys.mdw",
         "a.mdb", "u"},
        {"crdb_oracle.dll", "Server=ora;Database=ignored;User ID=u", "ora", "", "u"},
        {"crdb_p2bxbse.dll", "Database Path=/data;Database=ignored;User ID=u", "/data", "", "u"},
        {"crdb_p2ssql.dll", "Server=sql1;Database=db;User ID=u", "sql1", "db", "u"},
        {"crdb_query.dll", "Repository Object Name=r;Description=d;User ID=u", "r", "d", "u"},
        {"CRDB_ODBC.DLL", "DSN=Sales;Database=db;User ID=u", "", "", "u"},  // compared exactly
        {"crdb_other.dll", "Server=s;User ID=u", "", "", "u"},
        {"crdb_p2ssql.dll", "Server=sql1", "sql1", "", ""},  // a failing read ends the reading
    };
    for (const DriverCase& c : cases) {
        QByteArray props;
        for (const QString& pair : QString::fromLatin1(c.properties).split(u';')) {
            const auto kv = pair.split(u'=');
            props += "<Property name=\"" + kv[0].toUtf8() + "\" value=\"" + kv[1].toUtf8() + "\"/>";
        }
        const auto report = runtimeReport("<Report><Table dllName=\"" + QByteArray(c.dll) +
                                          "\"><ConnectionProperties>" + props +
                                          "</ConnectionProperties></Table></Report>");
        const tvLogonValues v = ReadLogonValues(*report->object("Table"));
        EXPECT_EQ(v.server, QString::fromLatin1(c.server)) << c.dll << " " << c.properties;
        EXPECT_EQ(v.database, QString::fromLatin1(c.database)) << c.dll << " " << c.properties;
        EXPECT_EQ(v.userId, QString::fromLatin1(c.user)) << c.dll << " " << c.properties;
    }
}

struct OkCase {
    const char* dll;
    const char* dsn;       // the table's DSN value before OK
    const char* expected;  // properties after OK, "name=value;..."
};

TEST(LogonDialog, OkWritesTheDriversProperties) {
    const OkCase cases[] = {
        {"crdb_odbc.dll", "",
         "DSN=;Database=D;FileDSN=S;User ID=U;Password=P;UseDSNProperties=False"},
        {"crdb_odbc.dll", "x", "DSN=S;Database=D;User ID=U;Password=P;UseDSNProperties=False"},
        {"crdb_ado.dll", "",
         "DSN=;Data Source=S;Initial Catalog=D;User ID=U;Password=P;UseDSNProperties=False"},
        {"crdb_oracle.dll", "", "DSN=;Server=S;User ID=U;Password=P;UseDSNProperties=False"},
        {"crdb_p2bxbse.dll", "",
         "DSN=;Database Path=S;Database=D;User ID=U;Password=P;UseDSNProperties=False"},
        {"CRDB_ADO.DLL", "", "DSN=;User ID=U;Password=P;UseDSNProperties=False"},
    };
    for (const OkCase& c : cases) {
        auto report = runtimeReport(
            "<Report><Database><Tables><Table dllName=\"" + QByteArray(c.dll) +
            "\"><ConnectionProperties><Property name=\"DSN\" value=\"" + QByteArray(c.dsn) +
            "\"/></ConnectionProperties></Table>"
            "</Tables></Database></Report>");
        auto db = report->object("Database");
        LogonPrompt dialog;
        int messages = 0;
        dialog.showMessage = [&](const QString&, const QString&) { ++messages; };
        dialog.setVars(*db, QString::fromLatin1(c.dll), {}, {}, QStringLiteral("r.rpt"), {},
                       nullptr);
        dialog.txtServer = QStringLiteral("S");
        dialog.txtDatabase = QStringLiteral("D");
        dialog.txtUserName = QStringLiteral("U");
        dialog.txtPassword = QStringLiteral("P");
        EXPECT_FALSE(dialog.pressOK());
        EXPECT_EQ(messages, 1);
        const auto table = db->collection("Tables")->item(1);
        QStringList actual;
        const auto props = QString::fromLatin1(c.expected).split(u';');
        for (const QString& pair : props) {
            const QString name = pair.section(u'=', 0, 0);
            actual << name + u'=' + table->connectionProperty(name);
        }
        EXPECT_EQ(actual.join(u';'), QString::fromLatin1(c.expected)) << c.dll;
        // No property beyond the driver's own was written.
        for (const char* other : {"Server", "Initial Catalog", "FileDSN", "Database"}) {
            if (!QByteArray(c.expected).contains(QByteArray(other) + '=')) {
                EXPECT_THROW(table->connectionProperty(QString::fromLatin1(other)), rt::Error)
                    << c.dll << " " << other;
            }
        }
    }
}

TEST(LogonDialog, ServerLabelFollowsEachReport) {
    auto odbc = runtimeReport(reportWithTable(kOdbcTable));
    auto ado = runtimeReport(reportWithTable("<Table dllName=\"crdb_ado.dll\"/>"));
    LogonPrompt dialog;
    dialog.setVars(*odbc->object("Database"), {}, {}, {}, QStringLiteral("C:\\r\\a.rpt"), {},
                   nullptr);
    EXPECT_EQ(dialog.lblServer, QStringLiteral("DSN"));
    EXPECT_EQ(dialog.lblInstruction,
              QStringLiteral("Enter the database login information for report a.rpt"));
    dialog.setVars(*ado->object("Database"), {}, {}, {}, QStringLiteral("plain"), {}, nullptr);
    EXPECT_EQ(dialog.lblServer, QStringLiteral("Server"));
    EXPECT_EQ(dialog.lblInstruction,
              QStringLiteral("Enter the database login information for report plain"));
}

}  // namespace
