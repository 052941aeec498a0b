#include <gtest/gtest.h>

#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QSettings>
#include <QTemporaryDir>

#include "DatabaseCreator.h"
#include "GuiSeams.h"
#include "GuiTestSupport.h"
#include "MiningSettingsWindow.h"
#include "ProgramSettings.h"
#include "RecordingReporter.h"
#include "ReportOwnerStore.h"
#include "SettingsStore.h"
#include "UtilitiesWindow.h"

using namespace tav::core;
using namespace tav::database;
using namespace tav::gui;

namespace {

// The window on a settings file of its own, with two printer fonts, and its message boxes and
// folder picker answered here.
class MiningSettings : public ::testing::Test {
protected:
    mutable RecordingReporter reporter_;  // what loading the settings tells
    void SetUp() override {
        guiSeams().printerFonts = [] { return std::optional<QStringList>({"Verdana", "Arial"}); };
        guiSeams().message = [this](QWidget*, const QString& text, const QString&,
                                    QMessageBox::Icon) { messages << text; };
        guiSeams().browseForFolder = [this](QWidget*, const QString& title,
                                            const QString& initial) {
            browsed << title + u':' + initial;
            return nextFolder;
        };
        stored(QStringLiteral("Extract/DBPath"), dir_.path() + u'/');
    }

    QString path(const QString& relative) const { return dir_.filePath(relative); }

    void stored(const QString& key, const QString& value) const {
        QSettings(path("Tavrin.conf"), QSettings::IniFormat).setValue(key, value);
    }

    std::unique_ptr<SettingsStore> store(
        const QString& file = QStringLiteral("Tavrin.conf")) const {
        return std::make_unique<SettingsStore>(path(file), path("program"));
    }

    // The window as the utilities window opens it, on the settings stored so far.
    std::unique_ptr<MiningSettingsWindow> open() {
        programSettings().setStore(store());
        programSettings().load(reporter_);
        auto form = std::make_unique<MiningSettingsWindow>();
        form->show();
        return form;
    }

    ExtractOptions reloaded() const {
        ExtractOptions settings;
        store()->load(settings);
        return settings;
    }

    // The user leaves the control, which is when it writes its setting.
    static void leave(QWidget* widget) {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(widget, &out);
    }

    const KeptGuiSeams seams_;
    const ProgramSettings::Scope settings_;
    QStringList messages;
    QStringList browsed;
    QString nextFolder;
    QTemporaryDir dir_;
};

TEST_F(MiningSettings, ShowsTheSettingsAndSaveStoresEveryEdit) {
    stored(QStringLiteral("Extract/ShowTOC"), QStringLiteral("-1"));
    stored(QStringLiteral("Extract/SummaryOnly"), QStringLiteral("-1"));
    stored(QStringLiteral("Extract/ShowFormula"), QStringLiteral("0"));
    stored(QStringLiteral("Extract/CreateWordDocument"), QStringLiteral("1"));
    stored(QStringLiteral("Extract/UseTemplate"), QStringLiteral("1"));
    stored(QStringLiteral("Extract/OutputTemplate"), QStringLiteral("Not listed"));
    stored(QStringLiteral("Extract/TVDPath"), path("out/tvd/"));
    stored(QStringLiteral("Extract/HeadingFontName"), QStringLiteral("Verdana"));
    stored(QStringLiteral("Extract/HeadingFontStyle"), QStringLiteral("Bold"));
    const auto form = open();

    EXPECT_EQ(form->windowTitle(), QStringLiteral("Tavrin - Mining Settings"));
    EXPECT_TRUE(control<QCheckBox>(*form, "chkTOC")->isChecked());
    EXPECT_TRUE(programOptions().ShowTOC);  // a ticked box stores 1 for any flag that is set
    EXPECT_FALSE(control<QCheckBox>(*form, "ChkSummary")->isChecked());
    EXPECT_TRUE(programOptions().SummaryOnly);
    EXPECT_TRUE(control<QCheckBox>(*form, "chkCreateWordDoc")->isChecked());
    EXPECT_TRUE(control<QRadioButton>(*form, "optUseTemplate")->isChecked());
    EXPECT_TRUE(control<QComboBox>(*form, "cboTemplate")->isEnabled());
    EXPECT_EQ(control<QComboBox>(*form, "cboTemplate")->currentText(),
              QStringLiteral("Not listed"));
    EXPECT_EQ(control<QLineEdit>(*form, "txtTVDOutputPath")->text(), path("out/tvd/"));
    EXPECT_EQ(control<QLineEdit>(*form, "txtDBOutputPath")->text(), dir_.path() + u'/');
    auto* headingFont = control<QComboBox>(*form, "cboHeadingFont");
    EXPECT_EQ(headingFont->currentText(), QStringLiteral("Verdana"));
    EXPECT_EQ(headingFont->itemText(0), QStringLiteral("Arial"));
    EXPECT_EQ(control<QComboBox>(*form, "cboHeadingStyle")->currentText(), QStringLiteral("Bold"));
    EXPECT_EQ(control<QComboBox>(*form, "cboValueCOlor")->count(), 13);
    EXPECT_EQ(control<QComboBox>(*form, "cboTableSize")->itemText(6), QStringLiteral("14"));

    control<QCheckBox>(*form, "chkFormulas")->click();
    control<QCheckBox>(*form, "ChkSummary")->click();
    auto* style = control<QComboBox>(*form, "cboSectionStyle");
    style->setEditText(QStringLiteral("Bold Italic"));
    leave(style);
    auto* tvdPath = control<QLineEdit>(*form, "txtTVDOutputPath");
    tvdPath->setText(path("other"));
    leave(tvdPath);
    EXPECT_EQ(tvdPath->text(), path("other/"));
    control<QPushButton>(*form, "cmdSave")->click();

    EXPECT_FALSE(form->isVisible());
    const ExtractOptions saved = reloaded();
    EXPECT_TRUE(saved.ShowTOC);
    EXPECT_TRUE(saved.ShowFormula);
    EXPECT_FALSE(saved.SummaryOnly);
    EXPECT_TRUE(saved.UseTemplate);
    EXPECT_EQ(saved.OutputTemplate, QStringLiteral("Not listed"));
    EXPECT_EQ(saved.TVDPath, path("other/"));
    EXPECT_EQ(saved.SectionFont.FontStyle, QStringLiteral("Bold Italic"));
    EXPECT_TRUE(saved.SectionFont.Bold);
    EXPECT_TRUE(saved.SectionFont.Italic);
    EXPECT_TRUE(messages.isEmpty());
}

// The style, size and colour of a font come from their lists: a text typed that is not an entry
// changes nothing, and the combo shows the setting again; an entry typed is taken.
TEST_F(MiningSettings, FontStyleSizeAndColourAreTakenFromTheirListsOnly) {
    const auto form = open();
    struct Case {
        const char* combo;
        const char* typed;
        const char* shown;  // after the focus left
    };
    const Case cases[] = {
        {"cboTableSize", "abc", "9"},         {"cboTableSize", "0", "9"},
        {"cboTableSize", "16", "9"},          {"cboTableColor", "Purple", "Black"},
        {"cboTableStyle", "bold", "Normal"},  {"cboTableSize", "12", "12"},
        {"cboTableColor", "Maroon", "Maroon"}};
    for (const Case& c : cases) {
        auto* combo = control<QComboBox>(*form, c.combo);
        combo->setEditText(QString::fromLatin1(c.typed));
        leave(combo);
        EXPECT_EQ(combo->currentText(), QString::fromLatin1(c.shown)) << c.combo << ' ' << c.typed;
    }
    const FontSetting& table = programOptions().TableFont;
    EXPECT_EQ(table.FontSize, QStringLiteral("12"));
    EXPECT_EQ(table.FontColor, QStringLiteral("Maroon"));
    EXPECT_EQ(table.FontStyle, QStringLiteral("Normal"));
    EXPECT_FALSE(table.Bold);
}

TEST_F(MiningSettings, EditsWaitForTheFocusToLeaveAndResetBringsTheStoredValuesBack) {
    stored(QStringLiteral("Extract/PromptForParameters"), QStringLiteral("2"));
    const auto form = open();
    auto* prompt = control<QCheckBox>(*form, "chkParameterPrompt");
    EXPECT_EQ(prompt->checkState(), Qt::PartiallyChecked);
    prompt->click();
    EXPECT_EQ(programOptions().PromptForParameters, ParameterPrompt(2));
    leave(prompt);
    EXPECT_EQ(programOptions().PromptForParameters, ParameterPrompt(1));

    auto* dbPath = control<QLineEdit>(*form, "txtDBOutputPath");
    dbPath->clear();
    leave(dbPath);
    EXPECT_EQ(programOptions().DBPath, dir_.path() + u'/');  // an empty box keeps the folder

    control<QCheckBox>(*form, "chkSort")->click();
    control<QPushButton>(*form, "cmdReset")->click();
    EXPECT_EQ(programOptions().PromptForParameters, ParameterPrompt(2));
    EXPECT_EQ(prompt->checkState(), Qt::PartiallyChecked);
    EXPECT_EQ(control<QCheckBox>(*form, "chkSort")->isChecked(), reloaded().ShowSort);
    EXPECT_EQ(dbPath->text(), dir_.path() + u'/');
    EXPECT_EQ(control<QComboBox>(*form, "cboHeadingColor")->count(), 13);
}

TEST_F(MiningSettings, BoxesSwitchTheirDependentsOffAndOn) {
    stored(QStringLiteral("Extract/CreateWordDocument"), QStringLiteral("1"));
    struct Case {
        const char* master;
        const char* dependent;
        bool ExtractOptions::*flag;
    };
    for (const Case& c :
         {Case{"chkLayout", "chkHiddenSections", &ExtractOptions::ShowHiddenSections},
          Case{"ChkRptSummary", "chkPrinter", &ExtractOptions::ShowPrinter},
          Case{"ChkRptSummary", "chkExport", &ExtractOptions::ShowExport},
          Case{"chkShowTables", "chkIncludeFields", &ExtractOptions::ShowDBCols}}) {
        SCOPED_TRACE(c.dependent);
        const auto form = open();
        auto* master = control<QCheckBox>(*form, c.master);
        auto* dependent = control<QCheckBox>(*form, c.dependent);
        master->setChecked(true);
        dependent->setChecked(true);
        EXPECT_TRUE(programOptions().*c.flag);
        master->click();
        EXPECT_FALSE(dependent->isChecked());
        EXPECT_FALSE(dependent->isEnabled());
        EXPECT_EQ(programOptions().*c.flag, 0);
        master->click();
        EXPECT_TRUE(dependent->isEnabled());
        EXPECT_FALSE(dependent->isChecked());
    }
}

TEST_F(MiningSettings, WordOutputOpensItsControlsAndTheTemplateListOnlyForATemplate) {
    stored(QStringLiteral("Extract/CreateWordDocument"), QStringLiteral("1"));
    stored(QStringLiteral("Extract/UseTemplate"), QStringLiteral("0"));
    const auto form = open();
    auto* templates = control<QComboBox>(*form, "cboTemplate");
    EXPECT_TRUE(control<QRadioButton>(*form, "optUseFonts")->isChecked());
    EXPECT_FALSE(templates->isEnabled());
    control<QRadioButton>(*form, "optUseTemplate")->click();
    EXPECT_TRUE(templates->isEnabled());
    EXPECT_TRUE(programOptions().UseTemplate);
    control<QRadioButton>(*form, "optUseFonts")->click();
    EXPECT_FALSE(programOptions().UseTemplate);

    control<QCheckBox>(*form, "chkCreateWordDoc")->click();
    EXPECT_FALSE(programOptions().CreateWordDocument);
    for (const char* name :
         {"txtWordDocOutputPath", "cmdGetWordDocOutputPath", "chkTOC", "chkLayout",
          "chkHiddenSections", "optUseFonts", "optUseTemplate", "cboTemplate"})
        EXPECT_FALSE(control(*form, name)->isEnabled()) << name;
    // Word output back on with fonts chosen: the template list stays closed.
    control<QCheckBox>(*form, "chkCreateWordDoc")->click();
    EXPECT_TRUE(control(*form, "chkTOC")->isEnabled());
    EXPECT_FALSE(templates->isEnabled());
}

TEST_F(MiningSettings, FolderButtonsAskForAFolderAndACancelChangesNothing) {
    stored(QStringLiteral("Extract/CreateTVDFile"), QStringLiteral("1"));
    stored(QStringLiteral("Extract/TVDPath"), path("out/tvd/"));
    const auto form = open();
    auto* button = control<QPushButton>(*form, "cmdGetTVDOutputPath");
    button->click();
    EXPECT_EQ(programOptions().TVDPath, path("out/tvd/"));
    nextFolder = QStringLiteral("/chosen");
    button->click();
    EXPECT_EQ(browsed, QStringList(2, QStringLiteral("Enter the output path for the generated "
                                                     "text(.tvd) files:") +
                                          path("out/tvd/")));
    EXPECT_EQ(programOptions().TVDPath, QStringLiteral("/chosen/"));
    EXPECT_EQ(control<QLineEdit>(*form, "txtTVDOutputPath")->text(), QStringLiteral("/chosen/"));
}

// Enter in a field presses Save, which stores what the field holds; a folder is chosen only
// with its own button.
TEST_F(MiningSettings, EnterInAnyFieldSavesAndNeverBrowses) {
    struct Case {
        const char* field;
        QString ExtractOptions::*folder;  // the setting that the field's text goes to, if any
    };
    const Case cases[] = {{"txtTVDOutputPath", &ExtractOptions::TVDPath},
                          {"txtWordDocOutputPath", &ExtractOptions::DocPath},
                          {"txtDBOutputPath", &ExtractOptions::DBPath},
                          {"chkSQL", nullptr},
                          {"cboTemplate", nullptr},
                          {"cmbGeneralRptOwners", nullptr},
                          {"cboHeadingSize", nullptr}};
    for (const auto& [field, folder] : cases) {
        SCOPED_TRACE(field);
        for (const char* output : {"CreateTVDFile", "CreateWordDocument", "UpdateDB"})
            stored(QStringLiteral("Extract/") + QLatin1String(output), QStringLiteral("1"));
        stored(QStringLiteral("Extract/UseTemplate"), QStringLiteral("1"));
        browsed.clear();
        const auto form = open();
        EXPECT_TRUE(control<QPushButton>(*form, "cmdSave")->isDefault());
        auto* edit = control(*form, field);
        form->activateWindow();
        QCoreApplication::processEvents();
        // The focus passes a browse button on its way, which is the default only meanwhile.
        control(*form, "cmdGetTVDOutputPath")->setFocus();
        edit->setFocus();
        if (folder) qobject_cast<QLineEdit*>(edit)->setText(path("typed"));
        pressKey(edit, Qt::Key_Return);
        EXPECT_TRUE(browsed.isEmpty()) << browsed.join(u'\n').toStdString();
        EXPECT_FALSE(form->isVisible());
        if (folder) {
            EXPECT_EQ(reloaded().*folder, path("typed/"));
        }
    }
}

TEST_F(MiningSettings, OwnerListStartsEmptyAndSelectsTheStoredOwner) {
    ASSERT_TRUE(DatabaseCreator::CreateDatabase(path("tv.db")));
    ASSERT_TRUE(ReportOwnerStore::AddReportOwner(path("tv.db"), QStringLiteral("Ann")));
    ASSERT_TRUE(ReportOwnerStore::AddReportOwner(path("tv.db"), QStringLiteral("Bob")));
    stored(QStringLiteral("Extract/UpdateDB"), QStringLiteral("1"));
    stored(QStringLiteral("Extract/ReportOwner"), QStringLiteral("Bob"));
    auto form = open();
    auto* owners = control<QComboBox>(*form, "cmbGeneralRptOwners");
    ASSERT_EQ(owners->count(), 3);
    EXPECT_EQ(owners->itemText(0), QString());
    EXPECT_EQ(owners->currentText(), QStringLiteral("Bob"));
    owners->setCurrentIndex(0);
    leave(owners);
    EXPECT_EQ(programOptions().ReportOwner, QString());

    stored(QStringLiteral("Extract/ReportOwner"), QStringLiteral("Zed"));
    form = open();
    owners = control<QComboBox>(*form, "cmbGeneralRptOwners");
    EXPECT_EQ(owners->currentText(), QString());
    EXPECT_EQ(programOptions().ReportOwner, QStringLiteral("Zed"));
}

TEST_F(MiningSettings, NoPrinterLeavesTheFontListsEmptyButShowsTheFonts) {
    guiSeams().printerFonts = [] { return std::optional<QStringList>(); };
    stored(QStringLiteral("Extract/ValueFontName"), QStringLiteral("Verdana"));
    const auto form = open();
    EXPECT_EQ(
        messages,
        QStringList{QStringLiteral("Printer not installed; font data will not be available")});
    auto* valueFont = control<QComboBox>(*form, "cboValueFont");
    EXPECT_EQ(valueFont->count(), 0);
    EXPECT_EQ(valueFont->currentText(), QStringLiteral("Verdana"));
}

// A family that several foundries supply is offered once, by the name a word processor
// resolves; the installed fonts of this machine are offered that way too.
TEST_F(MiningSettings, FontListsOfferFamilyNamesOnlyOnceEach) {
    EXPECT_EQ(fontFamilyNames({"C059 [urw]", "Nimbus Sans [URW ]", "Nimbus Sans [UKWN]",
                               "DejaVu Sans", "C059 [UKWN]", "Wingdings [x] Pro"}),
              QStringList({"C059", "Nimbus Sans", "DejaVu Sans", "Wingdings [x] Pro"}));
    guiSeams().printerFonts = installedFontFamilies;
    const auto form = open();
    for (const char* combo : {"cboHeadingFont", "cboValueFont"}) {
        QStringList offered;
        auto* fonts = control<QComboBox>(*form, combo);
        for (int i = 0; i < fonts->count(); ++i) offered << fonts->itemText(i);
        ASSERT_FALSE(offered.isEmpty()) << combo;
        EXPECT_EQ(offered.size(), QSet<QString>(offered.begin(), offered.end()).size()) << combo;
        for (const QString& name : offered)
            EXPECT_FALSE(name.endsWith(u']')) << combo << " offers " << name.toStdString();
    }
}

TEST_F(MiningSettings, AFailedSaveIsReportedAndTheWindowStaysOpen) {
    const auto form = open();
    QFile blocker(path("blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    programSettings().setStore(store(QStringLiteral("blocker/Tavrin.conf")));
    control<QPushButton>(*form, "cmdSave")->click();
    // The message names the file that could not be written.
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(path("blocker/Tavrin.conf"))) << messages[0].toStdString();
    EXPECT_TRUE(form->isVisible());
}

TEST_F(MiningSettings, TheUtilitiesWindowOpensOneInstanceNotModal) {
    programSettings().setStore(store());
    programSettings().load(reporter_);
    UtilitiesWindow utilities;
    auto* settings = control<QAction>(utilities, "miFSettings");
    settings->trigger();
    control<QPushButton>(*utilities.findChild<MiningSettingsWindow*>(), "cmdExit")->click();
    settings->trigger();
    settings->trigger();
    const auto forms = utilities.findChildren<MiningSettingsWindow*>();
    ASSERT_EQ(forms.size(), 1);
    EXPECT_TRUE(forms.front()->isVisible());
    EXPECT_FALSE(forms.front()->isModal());
}

}  // namespace

TEST_F(MiningSettings, TabFollowsTheGeneralTabAsItReads) {
    const auto form = open();
    const QStringList reading = {"chkParameterPrompt",
                                 "chkSQL",
                                 "chkCreateTvdDoc",
                                 "txtTVDOutputPath",
                                 "cmdGetTVDOutputPath",
                                 "chkCreateWordDoc",
                                 "txtWordDocOutputPath",
                                 "cmdGetWordDocOutputPath",
                                 "chkTOC",
                                 "chkLayout",
                                 "chkHiddenSections",
                                 "optUseFonts",
                                 "optUseTemplate",
                                 "cboTemplate",
                                 "chkWriteToDB",
                                 "txtDBOutputPath",
                                 "cmdGetDBOutputPath",
                                 "cmbGeneralRptOwners",
                                 "ChkRptSummary",
                                 "chkPrinter",
                                 "chkExport",
                                 "chkFormulas",
                                 "chkParameters",
                                 "chkGroups",
                                 "chkSort",
                                 "chkShowTables",
                                 "chkIncludeFields",
                                 "ChkSummary"};
    QStringList visited;
    QWidget* first = control(*form, "chkParameterPrompt");
    QWidget* widget = first;
    do {
        if (reading.contains(widget->objectName()) && !visited.contains(widget->objectName()))
            visited << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != first);
    EXPECT_EQ(visited, reading);
}

// Tab goes from control to control, round the whole form: never to the scrolling panel itself,
// where no focus shows.
TEST_F(MiningSettings, TabStopsOnlyOnControls) {
    const auto form = open();
    form->activateWindow();
    QApplication::processEvents();
    QWidget* first = control(*form, "chkParameterPrompt");
    first->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(QApplication::focusWidget(), first);
    QStringList stops;
    for (int press = 0; press < 200; ++press) {
        pressKey(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        EXPECT_EQ(qobject_cast<QAbstractScrollArea*>(focus), nullptr)
            << "after " << stops.join(u' ').toStdString();
        if (focus == first) break;
        stops << focus->objectName();
    }
    EXPECT_TRUE(stops.contains(QStringLiteral("ChkSummary"))) << stops.join(u' ').toStdString();
}
