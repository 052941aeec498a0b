#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <stdexcept>
#include <string>

#include "DatabaseCreator.h"
#include "DatabaseWriter.h"
#include "DocxDocument.h"
#include "ExtractOptions.h"
#include "GuiSeams.h"
#include "GuiTestSupport.h"
#include "ProgramSettings.h"
#include "RecordingReporter.h"
#include "ReportOwnerStore.h"
#include "ReportOwnersWindow.h"
#include "RunLog.h"
#include "SettingsStore.h"
#include "TemplatesWindow.h"
#include "TestSupport.h"
#include "UtilitiesWindow.h"
#include "tvReport.h"

using namespace tav::core;
using namespace tav::database;
using namespace tav::word;
using namespace tav::gui;

namespace {

// Message boxes and questions answered by the test, and a temporary folder.
class AdministrationWindow : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        guiSeams().message = [this](QWidget*, const QString& text, const QString&,
                                    QMessageBox::Icon) { messages << text; };
        guiSeams().askYesNo = [this](QWidget*, const QString& text) {
            questions << text;
            return answerYes;
        };
    }
    // The last message shown, and forgets the rest.
    QString lastMessage() {
        const QString last = messages.isEmpty() ? QString() : messages.last();
        messages.clear();
        return last;
    }

    const KeptGuiSeams seams_;
    const ProgramSettings::Scope settings_;
    QTemporaryDir dir;
    QStringList messages;
    QStringList questions;
    bool answerYes = true;
};

using ReportOwnerWindow = AdministrationWindow;

QStringList entries(const QComboBox& combo) {
    QStringList result;
    for (int i = 0; i < combo.count(); ++i) result << combo.itemText(i);
    return result;
}

void select(QComboBox& combo, const QString& text) {
    combo.setCurrentIndex(combo.findText(text));
    ASSERT_GE(combo.currentIndex(), 0) << text.toStdString();
}

// The owner window's controls, found by their object names.
template <class T>
T* control(const QWidget& window, const char* name) {
    T* found = window.findChild<T*>(QLatin1String(name));
    if (!found) throw std::logic_error(std::string("no control named ") + name);
    return found;
}
QPushButton* closeButton(const QWidget& w) { return control<QPushButton>(w, "cmdClose"); }
QGroupBox* ownerFrame(const QWidget& w) { return control<QGroupBox>(w, "frmRptOwner"); }
QLabel* unavailableNote(const QWidget& w) { return control<QLabel>(w, "lblRptOwnerInfo"); }
QComboBox* ownerList(const QWidget& w) { return control<QComboBox>(w, "cmbRptOwners"); }
QLineEdit* ownerEdit(const QWidget& w) { return control<QLineEdit>(w, "rptOwnerText"); }

// The name of the label that a screen reader reads for the control: the first that labels it.
QString accessibleLabel(QWidget* widget) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    if (!face) return QString();
    const auto labels = face->relations(QAccessible::Label);
    return labels.isEmpty() ? QString() : labels.first().first->text(QAccessible::Name);
}

TEST_F(ReportOwnerWindow, WithoutTheDatabaseOutputOnlyCloseIsOffered) {
    programOptions().DBPath = dir.path() + u'/';
    programOptions().UpdateDB = 0;
    ReportOwnersWindow window;
    EXPECT_FALSE(ownerFrame(window)->isEnabled());
    EXPECT_FALSE(unavailableNote(window)->isHidden());
    EXPECT_TRUE(closeButton(window)->isEnabled());
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(ReportOwnerWindow, AddsRenamesAndDeletesOwners) {
    programOptions().DBPath = dir.path() + u'/';
    programOptions().UpdateDB = 1;
    RecordingReporter reporter;
    const QStringList& statuses = reporter.statuses;
    ReportOwnersWindow window(nullptr, &reporter);
    // The window made the file; the status of its making is gone afterwards.
    ASSERT_FALSE(statuses.isEmpty());
    EXPECT_TRUE(statuses.contains(QStringLiteral("Creating new Tavrin database")));
    EXPECT_TRUE(statuses.last().isEmpty());
    const QString path = dir.path() + u'/' + QLatin1String(DatabaseCreator::kDatabaseFileName);
    ASSERT_TRUE(QFileInfo::exists(path));
    EXPECT_EQ(ownerList(window)->currentText(), QStringLiteral("(None Defined)"));
    EXPECT_TRUE(unavailableNote(window)->isHidden());
    EXPECT_TRUE(ownerEdit(window)->isHidden());

    window.modifyOwner();
    EXPECT_EQ(lastMessage(), QStringLiteral("Please select a valid Report Owner to modify"));

    window.addOwner();
    EXPECT_FALSE(ownerList(window)->isEnabled());
    EXPECT_FALSE(ownerEdit(window)->isHidden());
    window.saveOwner();
    EXPECT_EQ(lastMessage(), QStringLiteral("Please enter a new valid Report Owner"));
    EXPECT_FALSE(ownerEdit(window)->isHidden());
    ownerEdit(window)->setText(QStringLiteral("Admin"));
    window.saveOwner();
    window.addOwner();
    ownerEdit(window)->setText(QStringLiteral("ADMIN"));
    window.saveOwner();
    EXPECT_EQ(lastMessage(), QStringLiteral("Could not add Report Owner to database: Report "
                                            "Owner already exists."));
    window.addOwner();
    ownerEdit(window)->setText(QStringLiteral("Ops"));
    window.saveOwner();
    EXPECT_EQ(entries(*ownerList(window)), (QStringList{"Admin", "Ops"}));
    EXPECT_TRUE(ownerEdit(window)->isHidden());
    EXPECT_TRUE(ownerList(window)->isEnabled());

    // A name with an apostrophe is stored as typed.
    select(*ownerList(window), QStringLiteral("Ops"));
    window.modifyOwner();
    EXPECT_EQ(ownerEdit(window)->text(), QStringLiteral("Ops"));
    ownerEdit(window)->setText(QStringLiteral("O'Brien"));
    window.saveOwner();
    EXPECT_EQ(entries(*ownerList(window)), (QStringList{"Admin", "O'Brien"}));
    EXPECT_TRUE(messages.isEmpty());

    // Text typed over a chosen entry names no owner.
    select(*ownerList(window), QStringLiteral("Admin"));
    ownerList(window)->setEditText(QStringLiteral("Someone"));
    window.deleteOwner();
    EXPECT_EQ(lastMessage(), QStringLiteral("Please select a valid Report Owner to Delete"));

    programOptions().ReportOwner = QStringLiteral("o'brien");  // as the writer matches it
    select(*ownerList(window), QStringLiteral("O'Brien"));
    window.deleteOwner();
    EXPECT_TRUE(lastMessage().startsWith(
        QStringLiteral("The Report Owner currently selected as the Report Owner on the 'General' "
                       "tab cannot be deleted.  Please deselect")));
    EXPECT_TRUE(questions.isEmpty());

    programOptions().ReportOwner.clear();
    answerYes = false;
    window.deleteOwner();
    EXPECT_EQ(questions,
              QStringList{"Are you sure you would like to delete the selected Report Owner?"});
    EXPECT_EQ(entries(*ownerList(window)), (QStringList{"Admin", "O'Brien"}));
    EXPECT_TRUE(ownerList(window)->isEnabled());

    answerYes = true;
    select(*ownerList(window), QStringLiteral("O'Brien"));
    window.deleteOwner();
    EXPECT_EQ(entries(*ownerList(window)), QStringList{"Admin"});
    ReportOwners stored;
    ASSERT_TRUE(ReportOwnerStore::LoadReportOwners(path, &stored));
    EXPECT_EQ(stored.size(), 1);

    // An owner that a stored report names is kept, and the user is told why.
    RunLog log(dir.path());
    tvReport report;
    report.init(sampleReport(QStringLiteral("fields.rpt")), 0, 0);
    ASSERT_TRUE(
        DatabaseWriter(QStringLiteral("admin"), log, reporter)
            .WriteReport(report, QStringLiteral("fields.rpt"), path, report.reportFileName));
    messages.clear();
    select(*ownerList(window), QStringLiteral("Admin"));
    window.deleteOwner();
    EXPECT_EQ(entries(*ownerList(window)), QStringList{"Admin"});
    EXPECT_EQ(lastMessage(), QStringLiteral("The Report Owner could not be deleted: reports in the "
                                            "documentation database still name it."));
}

// A name longer than the database holds is refused in the window's words, added or renamed, and
// the editor stays open with the name as typed, for the user to shorten it.
TEST_F(ReportOwnerWindow, ANameTooLongIsToldAndLeftInTheEditor) {
    programOptions().DBPath = dir.path() + u'/';
    programOptions().UpdateDB = 1;
    ReportOwnersWindow window;
    window.addOwner();
    ownerEdit(window)->setText(QStringLiteral("Admin"));
    window.saveOwner();
    const QString tooLong(256, u'x');
    const QString words = QStringLiteral(
        "The Report Owner is too long: please enter a Report Owner of at most 255 characters");
    for (const bool renaming : {false, true}) {
        SCOPED_TRACE(renaming ? "renaming" : "adding");
        messages.clear();
        if (renaming) {
            select(*ownerList(window), QStringLiteral("Admin"));
            window.modifyOwner();
        } else {
            window.addOwner();
        }
        ownerEdit(window)->setText(tooLong);
        window.saveOwner();
        EXPECT_EQ(messages, QStringList{words});
        EXPECT_FALSE(ownerEdit(window)->isHidden());
        EXPECT_EQ(ownerEdit(window)->text(), tooLong);
        window.cancelOwnerEdit();
        EXPECT_EQ(entries(*ownerList(window)), QStringList{QStringLiteral("Admin")});
    }
}

// A keyboard user adds and renames an owner: the step puts the focus in the editor, and Enter
// there saves, whatever button had the focus before; the window stays open.
TEST_F(ReportOwnerWindow, TheKeyboardAddsAndRenamesOwners) {
    programOptions().DBPath = dir.path() + u'/';
    programOptions().UpdateDB = 1;
    ReportOwnersWindow window;
    window.show();
    window.activateWindow();
    QApplication::processEvents();
    const auto press = [](const char* button) {
        return [button](QWidget& w) {
            auto* pressed = control<QPushButton>(w, button);
            pressed->setFocus(Qt::TabFocusReason);
            pressKey(pressed, Qt::Key_Space);
        };
    };
    const auto focus = [] { return QApplication::focusWidget(); };
    // Close held the focus last: Enter in the editor must not press it.
    control<QPushButton>(window, "cmdClose")->setFocus(Qt::TabFocusReason);
    press("cmdAddRptOwner")(window);
    ASSERT_EQ(focus(), ownerEdit(window));
    pressKey(focus(), Qt::Key_Return);
    EXPECT_EQ(lastMessage(), QStringLiteral("Please enter a new valid Report Owner"));
    EXPECT_EQ(focus(), ownerEdit(window));
    typeText(focus(), QStringLiteral("Admin"));
    pressKey(focus(), Qt::Key_Return);
    EXPECT_EQ(entries(*ownerList(window)), QStringList{"Admin"});
    EXPECT_TRUE(ownerEdit(window)->isHidden());
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(focus(), ownerList(window));

    select(*ownerList(window), QStringLiteral("Admin"));
    press("cmdModifyRptOwner")(window);
    ASSERT_EQ(focus(), ownerEdit(window));
    ownerEdit(window)->selectAll();
    typeText(focus(), QStringLiteral("Ops"));
    pressKey(focus(), Qt::Key_Enter);
    EXPECT_EQ(entries(*ownerList(window)), QStringList{"Ops"});
    EXPECT_TRUE(window.isVisible());

    // Cancel by the keyboard leaves the names as they were.
    press("cmdAddRptOwner")(window);
    typeText(focus(), QStringLiteral("Typed"));
    press("cmdRptOwnerCancel")(window);
    EXPECT_EQ(entries(*ownerList(window)), QStringList{"Ops"});
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
}

// A screen reader names each box by its own label, not by the frame around it.
TEST_F(ReportOwnerWindow, EachBoxIsNamedByItsLabel) {
    programOptions().DBPath = dir.path() + u'/';
    programOptions().UpdateDB = 1;
    ReportOwnersWindow window;
    window.addOwner();
    EXPECT_EQ(accessibleLabel(ownerEdit(window)),
              control<QLabel>(window, "lblRptOwnerInstr")->text());
    EXPECT_EQ(accessibleLabel(ownerList(window)), QStringLiteral("Report Owners"));
}

// A program folder with an empty template store, and a template file outside it.
class TemplateWindow : public AdministrationWindow {
protected:
    void SetUp() override {
        AdministrationWindow::SetUp();
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("Templates")));
        QFile config(templates() + QStringLiteral("template_config.xml"));
        ASSERT_TRUE(config.open(QIODevice::WriteOnly));
        config.write("<tavrin_templates/>");
        config.close();
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("elsewhere")));
        ASSERT_TRUE(tvdocx::Document().save(source()));
    }
    QString templates() const { return dir.path() + QStringLiteral("/Templates/"); }
    QString source() const { return dir.path() + QStringLiteral("/elsewhere/Corp.dotx"); }
};

TEST_F(TemplateWindow, AddsCopiesAndDeletesProfiles) {
    RecordingReporter work;  // where reading a template's styles tells its status
    TemplatesWindow window(dir.path(), &work);
    auto* profiles = control<QComboBox>(window, "cmbAvailableTemplates");
    auto* save = control<QPushButton>(window, "cmdSaveTemplate");
    auto* name = control<QLineEdit>(window, "txtTemplateName");
    auto* path = control<QLineEdit>(window, "txtTemplatePath");
    auto* deleteButton = control<QPushButton>(window, "cmdDelete");
    auto* normalStyle = control<QComboBox>(window, "cmbNormalStyle");
    auto* tocStyle = control<QComboBox>(window, "cmbTOCStyle");
    auto* heading1Style = control<QComboBox>(window, "cmbHeading1Style");
    auto* heading3Style = control<QComboBox>(window, "cmbHeading3Style");
    auto* tableStyle = control<QComboBox>(window, "cmbTableStyle");
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Templates"));
    EXPECT_EQ(profiles->count(), 0);
    window.saveTemplate();
    EXPECT_EQ(lastMessage(),
              QStringLiteral("Value entered for Normal Font Style is not a valid style"));

    window.newTemplate();
    EXPECT_FALSE(save->isEnabled());
    name->setText(QStringLiteral("Corporate"));
    window.nextStep();
    EXPECT_EQ(lastMessage(), QStringLiteral("Please enter the path for the template"));
    path->setText(templates() + QStringLiteral("Missing.dotx"));
    window.nextStep();
    EXPECT_TRUE(lastMessage().startsWith(QStringLiteral("The template specified could not")));

    guiSeams().openFileName = [this](QWidget*, const QString& folder, const QString&) {
        EXPECT_EQ(folder, templates());
        return source();
    };
    path->clear();
    window.browseTemplateFile();
    EXPECT_EQ(path->text(), source());
    work.statuses.clear();
    window.nextStep();
    EXPECT_EQ(work.statuses, (QStringList{QStringLiteral("Loading styles from template"), {}}));
    EXPECT_EQ(normalStyle->currentText(), QStringLiteral("Normal"));
    EXPECT_EQ(tocStyle->currentText(), QStringLiteral("TOC 1"));
    EXPECT_EQ(heading3Style->currentText(), QStringLiteral("Heading 3"));
    EXPECT_EQ(tableStyle->findText(QStringLiteral("Table Grid")), 0);
    EXPECT_TRUE(save->isEnabled());
    // The table style has no default here, so Save asks for one.
    window.saveTemplate();
    EXPECT_EQ(lastMessage(), QStringLiteral("Value entered for Table Style is not a valid style"));
    tableStyle->setCurrentIndex(0);
    window.saveTemplate();
    EXPECT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
    EXPECT_TRUE(QFileInfo::exists(templates() + QStringLiteral("Corp.dotx")));
    EXPECT_EQ(entries(*profiles), QStringList{"Corporate"});
    const TemplateStore store(dir.path());
    const auto stored = store.LoadTemplate(QStringLiteral("Corporate"));
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->templatePath, templates() + QStringLiteral("Corp.dotx"));
    EXPECT_EQ(stored->tableStyle, QStringLiteral("Table Grid"));

    // A copy to a name whose file exists is refused, as is a second profile of a stored name.
    profiles->setCurrentIndex(0);
    window.copyTemplate();
    name->setText(QStringLiteral("Corp"));
    window.saveTemplate();
    EXPECT_TRUE(lastMessage().startsWith(
        QStringLiteral("A file with this name already exists in the template directory: ") +
        templates()));
    name->setText(QStringLiteral("Corporate"));
    window.saveTemplate();
    EXPECT_TRUE(lastMessage().startsWith(QStringLiteral("A template named \"Corporate\"")));
    name->setText(QStringLiteral("Plain"));
    window.saveTemplate();
    EXPECT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
    EXPECT_TRUE(QFileInfo::exists(templates() + QStringLiteral("Plain.dotx")));
    EXPECT_EQ(entries(*profiles), (QStringList{"Corporate", "Plain"}));
    EXPECT_EQ(store.LoadTemplate(QStringLiteral("Plain"))->normalStyleName,
              QStringLiteral("Normal"));

    // Modifying replaces the stored profile of the name.
    profiles->setCurrentIndex(1);
    window.modifyTemplate();
    EXPECT_EQ(path->text(), templates() + QStringLiteral("Plain.dotx"));
    EXPECT_FALSE(name->isEnabled());
    select(*heading1Style, QStringLiteral("Heading 2"));
    window.saveTemplate();
    EXPECT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
    EXPECT_EQ(entries(*profiles), (QStringList{"Corporate", "Plain"}));
    EXPECT_EQ(store.LoadTemplate(QStringLiteral("Plain"))->heading1StyleName,
              QStringLiteral("Heading 2"));

    // The output template cannot be deleted; another one can, and its file stays.
    programOptions().OutputTemplate = QStringLiteral("Corporate");
    profiles->setCurrentIndex(0);
    window.modifyTemplate();
    EXPECT_FALSE(deleteButton->isHidden());
    window.deleteTemplate();
    EXPECT_TRUE(lastMessage().startsWith(QStringLiteral("The selected template is currently")));
    window.cancelTemplateEdit();
    profiles->setCurrentIndex(1);
    window.modifyTemplate();
    window.deleteTemplate();
    EXPECT_EQ(questions,
              QStringList{"Are you sure you would like to delete the selected Template?"});
    EXPECT_EQ(entries(*profiles), QStringList{"Corporate"});
    EXPECT_TRUE(QFileInfo::exists(templates() + QStringLiteral("Plain.dotx")));
}

QByteArray storedProfile(const char* name, const char* file) {
    return QByteArray("<tavrin_template name=\"") + name + "\"><path>" + file +
           "</path><normalStyle>Normal</normalStyle><tocStyle>TOC 1</tocStyle><heading1Style>"
           "Heading 1</heading1Style><heading2Style>Heading 2</heading2Style><heading3Style>"
           "Heading 3</heading3Style><tableStyle>Table Grid</tableStyle></tavrin_template>";
}

// A profile left incomplete by a hand edit is named; the sound ones stay listed and usable.
TEST_F(TemplateWindow, AnIncompleteProfileIsNamedAndTheOthersStayListed) {
    QFile config(templates() + QStringLiteral("template_config.xml"));
    ASSERT_TRUE(config.open(QIODevice::WriteOnly));
    config.write("<tavrin_templates>" + storedProfile("Corporate", "Corp.dotx") +
                 "<tavrin_template name=\"Short\"><path>S.dotx</path><normalStyle>Normal"
                 "</normalStyle></tavrin_template>" +
                 storedProfile("Plain", "Plain.dotx") + "</tavrin_templates>");
    config.close();
    TemplatesWindow window(dir.path());
    EXPECT_EQ(entries(*control<QComboBox>(window, "cmbAvailableTemplates")),
              (QStringList{"Corporate", "Plain"}));
    const QString message = lastMessage();
    EXPECT_TRUE(message.contains(QStringLiteral("\"Short\""))) << message.toStdString();
    EXPECT_FALSE(message.contains(QStringLiteral("Corporate"))) << message.toStdString();
}

// A file that is no template, a profile whose template is gone and Delete with no profile shown
// each say what is wrong, rather than passing in silence or blaming a style.
TEST_F(TemplateWindow, EachMistakeIsToldForWhatItIs) {
    QFile config(templates() + QStringLiteral("template_config.xml"));
    ASSERT_TRUE(config.open(QIODevice::WriteOnly));
    config.write("<tavrin_templates>" + storedProfile("Gone", "Gone.dotx") + "</tavrin_templates>");
    config.close();
    QFile notZip(dir.path() + QStringLiteral("/elsewhere/Notes.dotx"));
    ASSERT_TRUE(notZip.open(QIODevice::WriteOnly));
    notZip.write("these are notes, not a template");
    notZip.close();
    TemplatesWindow window(dir.path());
    auto* profiles = control<QComboBox>(window, "cmbAvailableTemplates");
    auto* normalStyle = control<QComboBox>(window, "cmbNormalStyle");

    profiles->setCurrentIndex(-1);
    window.deleteTemplate();
    EXPECT_EQ(lastMessage(), QStringLiteral("Please select a template to delete"));
    EXPECT_TRUE(questions.isEmpty());
    profiles->setCurrentIndex(0);

    window.newTemplate();
    control<QLineEdit>(window, "txtTemplateName")->setText(QStringLiteral("Notes"));
    control<QLineEdit>(window, "txtTemplatePath")->setText(notZip.fileName());
    window.nextStep();
    EXPECT_TRUE(
        lastMessage().startsWith(QStringLiteral("The template specified could not be read")));
    EXPECT_FALSE(normalStyle->isEnabled());
    window.cancelTemplateEdit();

    select(*profiles, QStringLiteral("Gone"));
    window.modifyTemplate();
    const QString missing =
        QStringLiteral("The template file %1 could not be located.").arg(templates() + "Gone.dotx");
    EXPECT_EQ(lastMessage(), missing);
    window.saveTemplate();
    EXPECT_EQ(lastMessage(), missing);
    // The profile can still be deleted.
    window.deleteTemplate();
    EXPECT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
    EXPECT_EQ(profiles->count(), 0);
}

// A keyboard user makes a new profile: New Template puts the focus in the name, Enter there takes
// the next step (never Cancel or Close), and Enter in a style saves.
TEST_F(TemplateWindow, TheKeyboardMakesANewProfile) {
    TemplatesWindow window(dir.path());
    window.show();
    window.activateWindow();
    QApplication::processEvents();
    const auto focus = [] { return QApplication::focusWidget(); };
    auto* newTemplate = control<QPushButton>(window, "cmdNewTemplate");
    control<QPushButton>(window, "cmdClose")->setFocus(Qt::TabFocusReason);
    newTemplate->setFocus(Qt::TabFocusReason);
    pressKey(newTemplate, Qt::Key_Space);
    ASSERT_EQ(focus(), control<QLineEdit>(window, "txtTemplateName"));
    typeText(focus(), QStringLiteral("Corporate"));
    pressKey(focus(), Qt::Key_Return);
    EXPECT_EQ(lastMessage(), QStringLiteral("Please enter the path for the template"));
    EXPECT_TRUE(window.isVisible());
    pressKey(focus(), Qt::Key_Tab);
    ASSERT_EQ(focus(), control<QLineEdit>(window, "txtTemplatePath"));
    typeText(focus(), source());
    pressKey(focus(), Qt::Key_Return);
    EXPECT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
    ASSERT_EQ(focus(), control<QComboBox>(window, "cmbNormalStyle"));
    // The table style has no default in this template: Save asks for one.
    pressKey(focus(), Qt::Key_Return);
    EXPECT_EQ(lastMessage(), QStringLiteral("Value entered for Table Style is not a valid style"));
    control<QComboBox>(window, "cmbTableStyle")->setCurrentIndex(0);
    pressKey(focus(), Qt::Key_Return);
    EXPECT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
    EXPECT_EQ(entries(*control<QComboBox>(window, "cmbAvailableTemplates")),
              QStringList{"Corporate"});
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(focus(), control<QComboBox>(window, "cmbAvailableTemplates"));

    // Copy puts the focus in the new name, and Enter saves the copy.
    auto* copy = control<QPushButton>(window, "cmdCopyTemplate");
    copy->setFocus(Qt::TabFocusReason);
    pressKey(copy, Qt::Key_Space);
    ASSERT_EQ(focus(), control<QLineEdit>(window, "txtTemplateName"));
    typeText(focus(), QStringLiteral("Plain"));
    pressKey(focus(), Qt::Key_Return);
    EXPECT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
    EXPECT_EQ(entries(*control<QComboBox>(window, "cmbAvailableTemplates")),
              (QStringList{"Corporate", "Plain"}));
}

// At 1024x768, New Template makes the window taller: it is moved up to show it whole, buttons and
// all. A window that still fits where it is stays there.
TEST_F(TemplateWindow, AWindowThatGrowsStaysOnTheScreen) {
    const QRect screen(0, 0, 1024, 768);
    guiSeams().screenRoom = [screen](const QWidget*) { return screen; };
    for (const bool nearTheBottom : {true, false}) {
        SCOPED_TRACE(nearTheBottom ? "near the bottom" : "at the top");
        TemplatesWindow window(dir.path());
        window.show();
        QApplication::processEvents();
        const int before = window.frameGeometry().height();
        window.move(40, nearTheBottom ? screen.bottom() - before - 10 : 0);
        QApplication::processEvents();
        const QPoint placed = window.frameGeometry().topLeft();
        auto* newTemplate = control<QPushButton>(window, "cmdNewTemplate");
        newTemplate->setFocus(Qt::TabFocusReason);
        pressKey(newTemplate, Qt::Key_Space);
        QApplication::processEvents();
        const QRect frame = window.frameGeometry();
        ASSERT_GT(frame.height(), before + 20);
        EXPECT_TRUE(screen.contains(frame)) << frame.y() << " " << frame.height();
        EXPECT_TRUE(screen.contains(
            control<QPushButton>(window, "cmdClose")
                ->mapToGlobal(QPoint(0, control<QPushButton>(window, "cmdClose")->height() - 1))));
        EXPECT_EQ(frame.x(), placed.x());
        if (!nearTheBottom) {
            EXPECT_EQ(frame.topLeft(), placed);
        }
    }
}

// Report Owners grows as its editor opens: near the screen's bottom it is moved up to show it.
TEST_F(ReportOwnerWindow, AWindowThatGrowsStaysOnTheScreen) {
    programOptions().DBPath = dir.path() + u'/';
    programOptions().UpdateDB = 1;
    const QRect screen(0, 0, 1024, 768);
    guiSeams().screenRoom = [screen](const QWidget*) { return screen; };
    ReportOwnersWindow window;
    window.show();
    QApplication::processEvents();
    const int before = window.frameGeometry().height();
    window.move(40, screen.bottom() - before - 10);
    QApplication::processEvents();
    auto* add = control<QPushButton>(window, "cmdAddRptOwner");
    add->setFocus(Qt::TabFocusReason);
    pressKey(add, Qt::Key_Space);
    QApplication::processEvents();
    const QRect frame = window.frameGeometry();
    ASSERT_GT(frame.height(), before);
    EXPECT_TRUE(screen.contains(frame)) << frame.y() << " " << frame.height();
    EXPECT_EQ(frame.x(), 40);
}

// Delete before any flow removes the profile that the list shows, once the user agrees.
TEST_F(TemplateWindow, DeleteTakesTheProfileTheListShows) {
    QFile config(templates() + QStringLiteral("template_config.xml"));
    ASSERT_TRUE(config.open(QIODevice::WriteOnly));
    config.write("<tavrin_templates>" + storedProfile("Classic", "Classic.dotx") +
                 storedProfile("Plain", "Plain.dotx") + "</tavrin_templates>");
    config.close();
    TemplatesWindow window(dir.path());
    auto* profiles = control<QComboBox>(window, "cmbAvailableTemplates");
    ASSERT_EQ(profiles->currentText(), QStringLiteral("Classic"));
    auto* deleteButton = control<QPushButton>(window, "cmdDelete");
    ASSERT_FALSE(deleteButton->isHidden());
    const auto pressDelete = [deleteButton] { pressKey(deleteButton, Qt::Key_Space); };
    answerYes = false;
    pressDelete();
    EXPECT_EQ(questions,
              QStringList{"Are you sure you would like to delete the selected Template?"});
    EXPECT_EQ(entries(*profiles), (QStringList{"Classic", "Plain"}));
    answerYes = true;
    select(*profiles, QStringLiteral("Plain"));
    pressDelete();
    EXPECT_EQ(entries(*profiles), QStringList{"Classic"});
    // The output template stays, as it does when shown by Modify.
    programOptions().OutputTemplate = QStringLiteral("Classic");
    questions.clear();
    pressDelete();
    EXPECT_TRUE(lastMessage().startsWith(QStringLiteral("The selected template is currently")));
    EXPECT_TRUE(questions.isEmpty());
    EXPECT_EQ(entries(*profiles), QStringList{"Classic"});
}

// A screen reader names each box and style list by its own label, not by the frame around them.
TEST_F(TemplateWindow, EachBoxIsNamedByItsLabel) {
    TemplatesWindow window(dir.path());
    window.newTemplate();
    const struct {
        const char* box;
        const char* label;
    } pairs[] = {{"txtTemplateName", "Name"},
                 {"txtTemplatePath", "Path"},
                 {"cmbNormalStyle", "Normal Font Style"},
                 {"cmbTOCStyle", "TOC Style"},
                 {"cmbHeading1Style", "Heading 1 Font Style"},
                 {"cmbHeading2Style", "Heading 2 Font Style"},
                 {"cmbHeading3Style", "Heading 3 Font Style"},
                 {"cmbTableStyle", "Table Style"}};
    for (const auto& pair : pairs)
        EXPECT_EQ(accessibleLabel(control<QWidget>(window, pair.box)), QLatin1String(pair.label))
            << pair.box;
}

TEST_F(TemplateWindow, WithoutTheTemplatesFolderNothingIsCopied) {
    ASSERT_TRUE(QDir(templates()).removeRecursively());
    TemplatesWindow window(dir.path());
    auto* name = control<QLineEdit>(window, "txtTemplateName");
    auto* path = control<QLineEdit>(window, "txtTemplatePath");
    messages.clear();
    window.newTemplate();
    name->setText(QStringLiteral("Corporate"));
    path->setText(source());
    window.nextStep();
    EXPECT_TRUE(lastMessage().contains(QStringLiteral("template_config.xml")));
    window.saveTemplate();
    EXPECT_TRUE(lastMessage().startsWith(QStringLiteral("The template directory could not")));
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("Corp.dotx")));
    EXPECT_FALSE(QFileInfo::exists(templates()));
}

TEST_F(AdministrationWindow, TheFileMenuOffersBothWindows) {
    UtilitiesWindow utility;
    for (const char* name : {"miFTemplates", "miFRptOwners"})
        EXPECT_NE(utility.findChild<QAction*>(QLatin1String(name)), nullptr) << name;
}

// The templates window is a window of its own beside the program: asked again, the utilities
// window brings the same one forward; closed, it goes, and the next request makes a new one;
// the utilities window takes it along when it goes.
TEST_F(TemplateWindow, TheUtilitiesWindowKeepsOneTemplatesWindow) {
    programSettings().setStore(std::make_unique<SettingsStore>(
        dir.filePath(QStringLiteral("Tavrin.conf")), dir.path() + u'/'));
    auto utility = std::make_unique<UtilitiesWindow>();
    auto* templates = control<QAction>(*utility, "miFTemplates");
    templates->trigger();
    const QPointer<QWidget> first = openWindow("TVTemplates");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->parentWidget(), nullptr);
    templates->trigger();
    EXPECT_EQ(openWindow("TVTemplates"), first);
    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(first, nullptr);
    templates->trigger();
    const QPointer<QWidget> second = openWindow("TVTemplates");
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(second->isVisible());
    utility.reset();
    EXPECT_EQ(second, nullptr);
    EXPECT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
}

}  // namespace
