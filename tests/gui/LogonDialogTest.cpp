#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "DesignDocument.h"
#include "GuiTestSupport.h"
#include "LogonDialog.h"
#include "LogonPrompt.h"

using namespace tav::gui;

namespace {

std::unique_ptr<rt::Object> database() {
    static const QByteArray xml = R"(<Report><Database><Tables>
      <Table dllName="crdb_odbc.dll" logonUser="sa" logonPassword="pw"><ConnectionProperties>
        <Property name="DSN" value="Sales"/></ConnectionProperties></Table>
    </Tables></Database></Report>)";
    return rt::DesignDocument::parse(xml, QStringLiteral("t"))->report()->object("Database");
}

// The controller of a report's ODBC table, as the loader hands it to the dialog.
struct Prompt {
    std::unique_ptr<rt::Object> db = database();
    LogonPrompt controller;
    Prompt() {
        controller.setVars(*db, QStringLiteral("crdb_odbc.dll"), {}, {}, QStringLiteral("a.rpt"),
                           {}, nullptr);
    }
};

TEST(LogonDialog, OpensWithTheControllersTextsAndRetriesUntilTheLoginWorks) {
    auto db = database();
    LogonPrompt controller;
    controller.setVars(*db, QStringLiteral("crdb_odbc.dll"), QStringLiteral("Sales"),
                       QStringLiteral("salesdb"), QStringLiteral("/r/Sales.rpt"),
                       QStringLiteral("sa"), nullptr);
    const KeptGuiSeams seams;
    QStringList messages;
    guiSeams().message = [&](QWidget*, const QString& text, const QString& title,
                             QMessageBox::Icon) { messages << title + u':' + text; };
    LogonDialog dialog(controller);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Login"));
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("lblServer"))->text(),
              QStringLiteral("DSN"));
    EXPECT_EQ(dialog.findChild<QLineEdit*>(QStringLiteral("txtServer"))->text(),
              QStringLiteral("Sales"));
    EXPECT_EQ(dialog.findChild<QLineEdit*>(QStringLiteral("txtPassword"))->echoMode(),
              QLineEdit::Password);
    auto* password = dialog.findChild<QLineEdit*>(QStringLiteral("txtPassword"));
    auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("cmdOK"));
    password->setText(QStringLiteral("nope"));
    ok->click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(messages, QStringList{QStringLiteral("Login:Invalid Login, try again!")});
    password->setText(QStringLiteral("pw"));
    ok->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(controller.LoginSucceeded);
}

// The boxes are typed in the order they read, top to bottom, starting on the first: a user who
// types server, database, user and password with Tab between them fills each box.
TEST(LogonDialog, TabGoesDownTheBoxesFromTheFirstThenToTheButtons) {
    Prompt prompt;
    LogonPrompt& controller = prompt.controller;
    LogonDialog dialog(controller);
    dialog.show();
    dialog.activateWindow();
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), control(dialog, "txtServer"));
    EXPECT_EQ(tabOrder(dialog).join(u' ').toStdString(),
              "txtServer txtDatabase txtUserName txtPassword cmdOK cmdCancel");
}

TEST(LogonDialog, CancelClosesIt) {
    Prompt prompt;
    LogonPrompt& controller = prompt.controller;
    LogonDialog dialog(controller);
    QTimer::singleShot(
        0, &dialog, [&] { dialog.findChild<QPushButton*>(QStringLiteral("cmdCancel"))->click(); });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    EXPECT_FALSE(controller.LoginSucceeded);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
