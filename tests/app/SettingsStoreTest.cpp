#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>

#include "SettingsStore.h"
#include "UserMessages.h"

namespace {

// A store on a file of its own, with the program's folder beside it: nothing reaches the user's
// configuration.
class SettingsStoreTest : public ::testing::Test {
protected:
    QString path(const QString& relative) const { return dir_.filePath(relative); }

    std::unique_ptr<SettingsStore> store() const {
        return std::make_unique<SettingsStore>(
            std::make_unique<QSettings>(path("Tavrin.conf"), QSettings::IniFormat),
            path("program"));
    }

    // Writes raw values into the file, as another program or an older version may have left them.
    void stored(const QString& key, const QString& value) const {
        QSettings(path("Tavrin.conf"), QSettings::IniFormat).setValue(key, value);
    }

    Settings loaded() const {
        Settings settings;
        store()->load(settings);
        return settings;
    }

    QTemporaryDir dir_;
};

TEST_F(SettingsStoreTest, FirstStartTakesEveryDefaultAndStoresIt) {
    Settings settings;
    settings.WordStarted = -1;
    const auto first = store();
    first->load(settings);

    const QString output = path("program") + QStringLiteral("/Output/");
    EXPECT_EQ(settings.RptPath, path("program") + u'/');
    EXPECT_EQ(settings.DocPath, output);
    EXPECT_EQ(settings.TVDPath, output);
    EXPECT_EQ(settings.DBPath, output);
    EXPECT_TRUE(QDir(output).exists());
    EXPECT_EQ(settings.OutputTemplate, QStringLiteral("Classic"));
    EXPECT_EQ(settings.ReportOwner, QString());
    EXPECT_EQ(settings.CreateTVDFile, 1);
    EXPECT_EQ(settings.CreateWordDocument, 0);
    EXPECT_EQ(settings.UseTemplate, 0);
    EXPECT_EQ(settings.PromptForParameters, 0);
    EXPECT_EQ(settings.UpdateDB, 0);
    EXPECT_EQ(settings.ShowTOC, 1);
    EXPECT_EQ(settings.ShowRptSummary, 1);
    EXPECT_EQ(settings.ShowExport, 1);
    EXPECT_EQ(settings.ShowAllValues, 0);
    EXPECT_EQ(settings.SummaryOnly, 0);
    EXPECT_EQ(settings.WordStarted, 0);
    EXPECT_EQ(settings.HeadingFont.FontName, QStringLiteral("Arial"));
    EXPECT_EQ(settings.HeadingFont.FontSize, QStringLiteral("11"));
    EXPECT_EQ(settings.SectionFont.FontSize, QStringLiteral("10"));
    EXPECT_EQ(settings.SettingFont.FontStyle, QStringLiteral("Italics"));
    EXPECT_EQ(settings.TableFont.FontColor, QStringLiteral("Black"));
    EXPECT_EQ(settings.HeadingFont.Bold, -1);
    EXPECT_EQ(settings.SettingFont.Italic, -1);
    EXPECT_EQ(settings.ValueFont.Bold, 0);

    ASSERT_TRUE(first->save(settings));
    QSettings file(path("Tavrin.conf"), QSettings::IniFormat);
    EXPECT_EQ(file.value(QStringLiteral("RptPath")).toString(), settings.RptPath);
    file.beginGroup(QStringLiteral("Extract"));
    EXPECT_EQ(file.childKeys().size(), 45);  // every setting but the report folder
    EXPECT_EQ(file.value(QStringLiteral("ShowTOC")).toString(), QStringLiteral("1"));
    EXPECT_EQ(file.value(QStringLiteral("SettingFontStyle")).toString(), QStringLiteral("Italics"));
    EXPECT_FALSE(file.contains(QStringLiteral("HeadingFontBold")));
}

TEST_F(SettingsStoreTest, SavedValuesComeBackAsStored) {
    Settings settings;
    store()->load(settings);
    settings.RptPath = path("reports/");
    settings.ShowTOC = -1;
    settings.ShowSQL = 0;
    settings.CreateWordDocument = 1;
    settings.ReportOwner = QStringLiteral("Finance");
    settings.TableFont.FontStyle = QStringLiteral("Bold Italic");
    ASSERT_TRUE(store()->save(settings));

    EXPECT_EQ(QSettings(path("Tavrin.conf"), QSettings::IniFormat)
                  .value(QStringLiteral("Extract/ShowTOC"))
                  .toString(),
              QStringLiteral("-1"));
    const Settings again = loaded();
    EXPECT_EQ(again.RptPath, path("reports/"));
    EXPECT_EQ(again.ShowTOC, -1);
    EXPECT_EQ(again.ShowSQL, 0);
    EXPECT_EQ(again.CreateWordDocument, 1);
    EXPECT_EQ(again.ReportOwner, QStringLiteral("Finance"));
    EXPECT_EQ(again.TableFont.Bold, -1);
    EXPECT_EQ(again.TableFont.Italic, -1);
}

TEST_F(SettingsStoreTest, FoldersDerivedFromADocumentFolderGetASeparator) {
    // The folder lies below folders that do not exist yet: they are created with it.
    const QString documents = path("deep/er/documents");
    stored(QStringLiteral("Extract/DocPath"), documents);
    const Settings settings = loaded();
    EXPECT_EQ(settings.DocPath, documents);
    EXPECT_EQ(settings.TVDPath, documents + u'/');
    EXPECT_EQ(settings.DBPath, documents + u'/');
    EXPECT_TRUE(QDir(documents).exists());
}

TEST_F(SettingsStoreTest, TextFolderIsCreatedWithItsParents) {
    const QString text = path("a/b/text/");
    stored(QStringLiteral("Extract/TVDPath"), text);
    stored(QStringLiteral("Extract/DBPath"), path("db/"));
    const Settings settings = loaded();
    EXPECT_EQ(settings.TVDPath, text);
    EXPECT_TRUE(QDir(text).exists());
    EXPECT_FALSE(QDir(path("db")).exists());  // the database folder is left to its users
}

TEST_F(SettingsStoreTest, FontFlagsFollowEachRecordsOwnStyle) {
    struct Case {
        const char* style;
        qint16 bold;
        qint16 italic;
    };
    const Case cases[] = {{"Bold Italic", -1, -1}, {"Italics", 0, -1}, {"bold", 0, 0},
                          {"Normal", 0, 0},        {"Bold", -1, 0},    {"", 0, 0}};
    for (const Case& c : cases) {
        stored(QStringLiteral("Extract/TableFontStyle"), QString::fromLatin1(c.style));
        stored(QStringLiteral("Extract/ValueFontStyle"), QStringLiteral("Italic"));
        const Settings settings = loaded();
        EXPECT_EQ(settings.TableFont.Bold, c.bold) << c.style;
        EXPECT_EQ(settings.TableFont.Italic, c.italic) << c.style;
        EXPECT_EQ(settings.ValueFont.Italic, -1) << c.style;
    }
}

TEST_F(SettingsStoreTest, ReportOwnerStoredAsZeroLoadsEmpty) {
    const std::pair<const char*, const char*> cases[] = {
        {"0", ""}, {"0.0", ""}, {" 0 ", ""}, {"Finance", "Finance"}, {"10", "10"}, {"0a", "0a"}};
    for (const auto& [stored_, expected] : cases) {
        stored(QStringLiteral("Extract/ReportOwner"), QString::fromLatin1(stored_));
        EXPECT_EQ(loaded().ReportOwner, QString::fromLatin1(expected)) << stored_;
    }
}

// A missing value takes the default; a stored one that is no number, or does not fit, leaves the
// variable as it was (0 at the start), and the next save stores that value.
TEST_F(SettingsStoreTest, NumbersThatDoNotConvertKeepTheVariablesValue) {
    struct Case {
        const char* stored;
        qint16 showTOC;     // default 1
        qint32 createWord;  // default 0
    };
    const Case cases[] = {
        {"-1", -1, -1}, {"0", 0, 0}, {" 5 ", 5, 5},       {"1.5", 2, 2},        {"2.5", 2, 2},
        {"abc", 0, 0},  {"", 0, 0},  {"70000", 0, 70000}, {"3000000000", 0, 0},
    };
    for (const Case& c : cases) {
        stored(QStringLiteral("Extract/ShowTOC"), QString::fromLatin1(c.stored));
        stored(QStringLiteral("Extract/CreateWordDocument"), QString::fromLatin1(c.stored));
        const Settings settings = loaded();
        EXPECT_EQ(settings.ShowTOC, c.showTOC) << c.stored;
        EXPECT_EQ(settings.CreateWordDocument, c.createWord) << c.stored;
    }

    Settings settings;
    settings.ShowTOC = -1;  // a value loaded before
    stored(QStringLiteral("Extract/ShowTOC"), QStringLiteral("abc"));
    store()->load(settings);
    EXPECT_EQ(settings.ShowTOC, -1);
    settings.ShowTOC = 0;
    store()->load(settings);
    ASSERT_TRUE(store()->save(settings));
    EXPECT_EQ(QSettings(path("Tavrin.conf"), QSettings::IniFormat).value("Extract/ShowTOC"),
              QStringLiteral("0"));
}

// A settings file that cannot be read is kept aside with ".bad" added and the user is told where;
// the defaults apply, and the next save writes a sound file in its place.
TEST_F(SettingsStoreTest, AFileThatCannotBeReadIsKeptAsideAndTheDefaultsApply) {
    struct Case {
        const char* name;
        std::function<void(const QString& file)> put;
    };
    const Case cases[] = {
        {"corrupt",
         [](const QString& file) {
             QFile corrupt(file);
             ASSERT_TRUE(corrupt.open(QIODevice::WriteOnly));
             corrupt.write("[Extract]\nShowTOC=0\n\x01\x02garbage without a value\n");
         }},
        {"a folder", [](const QString& file) { ASSERT_TRUE(QDir().mkpath(file + "/inner")); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = path("Tavrin.conf");
        c.put(file);
        QStringList messages;
        const MessageHandler previous = setMessageHandler(
            [&messages](const QString& text, const QString&) { messages << text; });
        const auto settingsStore = store();
        Settings settings;
        settingsStore->load(settings);
        setMessageHandler(previous);

        EXPECT_EQ(settings.ShowTOC, 1);
        EXPECT_EQ(settings.DocPath, path("program") + QStringLiteral("/Output/"));
        ASSERT_EQ(messages.size(), 1);
        EXPECT_TRUE(messages[0].contains(QDir::toNativeSeparators(file)))
            << messages[0].toStdString();
        EXPECT_TRUE(messages[0].contains(QDir::toNativeSeparators(file + ".bad")))
            << messages[0].toStdString();
        EXPECT_TRUE(QFileInfo::exists(file + ".bad"));

        ASSERT_TRUE(settingsStore->save(settings));
        EXPECT_TRUE(QFileInfo(file).isFile());
        EXPECT_EQ(loaded().ShowTOC, 1);
        QFile::remove(file);
    }
}

TEST_F(SettingsStoreTest, NamesMatchWhateverLetterCaseTheyWereWrittenWith) {
    stored(QStringLiteral("Extract/ShowRptSUmmary"), QStringLiteral("0"));
    stored(QStringLiteral("rptpath"), path("reports/"));
    stored(QStringLiteral("Extract/showtoc"), QStringLiteral("0"));
    Settings settings = loaded();
    EXPECT_EQ(settings.ShowRptSummary, 0);
    EXPECT_EQ(settings.RptPath, path("reports/"));
    EXPECT_EQ(settings.ShowTOC, 0);

    // A save updates the value in place: one value a setting, whatever its spelling.
    settings.ShowRptSummary = -1;
    ASSERT_TRUE(store()->save(settings));
    QSettings file(path("Tavrin.conf"), QSettings::IniFormat);
    file.beginGroup(QStringLiteral("Extract"));
    EXPECT_EQ(file.childKeys().size(), 45);
    EXPECT_EQ(file.value(QStringLiteral("ShowRptSUmmary")).toString(), QStringLiteral("-1"));
    EXPECT_EQ(loaded().ShowRptSummary, -1);
}

TEST_F(SettingsStoreTest, GroupMatchesWhateverLetterCaseItWasWrittenWith) {
    stored(QStringLiteral("EXTRACT/ShowSQL"), QStringLiteral("0"));
    Settings settings = loaded();
    EXPECT_EQ(settings.ShowSQL, 0);
    ASSERT_TRUE(store()->save(settings));
    EXPECT_EQ(QSettings(path("Tavrin.conf"), QSettings::IniFormat).childGroups(),
              QStringList{QStringLiteral("EXTRACT")});
}

TEST_F(SettingsStoreTest, SaveReportsAStoreThatCannotBeWritten) {
    // A file where the store's folder should be: the store can be neither created nor written.
    QFile blocker(path("blocked"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    SettingsStore blocked(
        std::make_unique<QSettings>(path("blocked/Tavrin.conf"), QSettings::IniFormat),
        path("program"));
    Settings settings;
    blocked.load(settings);
    EXPECT_EQ(settings.ShowTOC, 1);
    EXPECT_FALSE(blocked.save(settings));
    EXPECT_EQ(blocked.saveFailedText(),
              QStringLiteral("Unable to save the settings: %1 cannot be written.")
                  .arg(QDir::toNativeSeparators(path("blocked/Tavrin.conf"))));
}

TEST_F(SettingsStoreTest, GlobalSettingsGoThroughTheGlobalStore) {
    setGlobalSettingsStore(store());
    stored(QStringLiteral("Extract/OutputTemplate"), QStringLiteral("Modern"));
    LoadGlobalSettings();
    EXPECT_EQ(REPORTS().OutputTemplate, QStringLiteral("Modern"));
    REPORTS().OutputTemplate = QStringLiteral("Plain");
    EXPECT_TRUE(SaveGlobalSettings());
    EXPECT_EQ(loaded().OutputTemplate, QStringLiteral("Plain"));
    setGlobalSettingsStore(nullptr);
}

}  // namespace
