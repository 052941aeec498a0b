#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <functional>

#include "OutputFiles.h"
#include "SettingsStore.h"

using namespace tav::core;

namespace {

// A store on a file of its own, with the program's folder beside it: nothing reaches the user's
// configuration.
class SettingsStoreTest : public ::testing::Test {
protected:
    QString path(const QString& relative) const { return dir_.filePath(relative); }

    std::unique_ptr<SettingsStore> store() const {
        return std::make_unique<SettingsStore>(path("Tavrin.conf"), path("program"));
    }

    // Writes raw values into the file, as another program or an older version may have left them.
    void stored(const QString& key, const QString& value) const {
        QSettings(path("Tavrin.conf"), QSettings::IniFormat).setValue(key, value);
    }

    ExtractOptions loaded() const {
        ExtractOptions settings;
        store()->load(settings);
        return settings;
    }

    QTemporaryDir dir_;
};

TEST_F(SettingsStoreTest, FirstStartTakesEveryDefaultAndStoresIt) {
    ExtractOptions settings;
    const auto first = store();
    first->load(settings);

    const QString output = path("program") + QStringLiteral("/Output/");
    EXPECT_EQ(settings.RptPath, path("program") + u'/');
    EXPECT_EQ(settings.DocPath, output);
    EXPECT_EQ(settings.TVDPath, output);
    EXPECT_EQ(settings.DBPath, output);
    // Loading only reads: the output folders are made by the caller.
    EXPECT_FALSE(QDir(output).exists());
    createOutputFolders(settings);
    EXPECT_TRUE(QDir(output).exists());
    EXPECT_EQ(settings.OutputTemplate, QStringLiteral("Classic"));
    EXPECT_EQ(settings.ReportOwner, QString());
    EXPECT_TRUE(settings.CreateTVDFile);
    EXPECT_FALSE(settings.CreateWordDocument);
    EXPECT_FALSE(settings.UseTemplate);
    EXPECT_EQ(settings.PromptForParameters, ParameterPrompt(0));
    EXPECT_FALSE(settings.UpdateDB);
    EXPECT_TRUE(settings.ShowTOC);
    EXPECT_TRUE(settings.ShowRptSummary);
    EXPECT_TRUE(settings.ShowExport);
    EXPECT_FALSE(settings.ShowAllValues);
    EXPECT_FALSE(settings.SummaryOnly);
    EXPECT_EQ(settings.HeadingFont.FontName, QStringLiteral("Arial"));
    EXPECT_EQ(settings.HeadingFont.FontSize, QStringLiteral("11"));
    EXPECT_EQ(settings.SectionFont.FontSize, QStringLiteral("10"));
    EXPECT_EQ(settings.SettingFont.FontStyle, QStringLiteral("Italics"));
    EXPECT_EQ(settings.TableFont.FontColor, QStringLiteral("Black"));
    EXPECT_TRUE(settings.HeadingFont.Bold);
    EXPECT_TRUE(settings.SettingFont.Italic);
    EXPECT_FALSE(settings.ValueFont.Bold);

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
    ExtractOptions settings;
    store()->load(settings);
    settings.RptPath = path("reports/");
    settings.ShowTOC = true;
    settings.ShowSQL = false;
    settings.CreateWordDocument = true;
    settings.SummaryOnly = true;
    settings.ReportOwner = QStringLiteral("Finance");
    settings.TableFont.FontStyle = QStringLiteral("Bold Italic");
    ASSERT_TRUE(store()->save(settings));

    EXPECT_EQ(QSettings(path("Tavrin.conf"), QSettings::IniFormat)
                  .value(QStringLiteral("Extract/ShowTOC"))
                  .toString(),
              QStringLiteral("1"));
    EXPECT_EQ(QSettings(path("Tavrin.conf"), QSettings::IniFormat)
                  .value(QStringLiteral("Extract/SummaryOnly"))
                  .toString(),
              QStringLiteral("-1"));
    const ExtractOptions again = loaded();
    EXPECT_EQ(again.RptPath, path("reports/"));
    EXPECT_TRUE(again.ShowTOC);
    EXPECT_FALSE(again.ShowSQL);
    EXPECT_TRUE(again.CreateWordDocument);
    EXPECT_EQ(again.ReportOwner, QStringLiteral("Finance"));
    EXPECT_TRUE(again.TableFont.Bold);
    EXPECT_TRUE(again.TableFont.Italic);
}

// A save that changes nothing leaves the file as it is (a note of the user's, which a rewrite
// drops, stays); a changed value rewrites it, and a store that cannot be written fails only then.
TEST_F(SettingsStoreTest, FileIsWrittenOnlyWhenAValueChanged) {
    ExtractOptions settings;
    const auto first = store();
    first->load(settings);
    ASSERT_TRUE(first->save(settings));
    const QString file = path("Tavrin.conf");
    {
        QFile note(file);
        ASSERT_TRUE(note.open(QIODevice::Append));
        note.write("; the user's note\n");
    }
    const auto readBack = [&file] {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    const QByteArray written = readBack();

    const auto again = store();
    again->load(settings);
    ASSERT_TRUE(again->save(settings));
    ASSERT_TRUE(again->save(settings));
    EXPECT_EQ(readBack(), written);

    // Nothing to write: a file the user made read-only is no failure.
    QFile::setPermissions(file, QFile::ReadOwner);
    const auto readOnly = store();
    readOnly->load(settings);
    EXPECT_TRUE(readOnly->save(settings));
    settings.ShowSQL = false;
    if (!QFileInfo(file).isWritable()) {
        EXPECT_FALSE(readOnly->save(settings));
    }
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);

    ASSERT_TRUE(again->save(settings));
    EXPECT_FALSE(readBack().contains("the user's note"));
    EXPECT_FALSE(loaded().ShowSQL);
}

TEST_F(SettingsStoreTest, FoldersDerivedFromADocumentFolderGetASeparator) {
    // The folder lies below folders that do not exist yet: they are created with it.
    const QString documents = path("deep/er/documents");
    stored(QStringLiteral("Extract/DocPath"), documents);
    const ExtractOptions settings = loaded();
    EXPECT_EQ(settings.DocPath, documents);
    EXPECT_EQ(settings.TVDPath, documents + u'/');
    EXPECT_EQ(settings.DBPath, documents + u'/');
    createOutputFolders(settings);
    EXPECT_TRUE(QDir(documents).exists());
}

// An empty or blank folder is no folder: stored, or typed into the form, it takes the default,
// never the file system's root or a folder named by the blanks.
TEST_F(SettingsStoreTest, AnEmptyOrBlankFolderTakesItsDefault) {
    const QString output = path("program") + QStringLiteral("/Output/");
    const QString documents = path("documents/");
    const struct {
        const char* key;
        QString ExtractOptions::*folder;
        const char* docPath;  // stored beside it, or none
        QString expected;
    } cases[] = {
        {"DocPath", &ExtractOptions::DocPath, nullptr, output},
        {"TVDPath", &ExtractOptions::TVDPath, nullptr, output},
        {"DBPath", &ExtractOptions::DBPath, nullptr, output},
        {"TVDPath", &ExtractOptions::TVDPath, "documents/", documents},
        {"DBPath", &ExtractOptions::DBPath, "documents/", documents},
    };
    for (const auto& c : cases) {
        for (const QString& value : {QString(), QStringLiteral("   ")}) {
            SCOPED_TRACE(std::string(c.key) + " = '" + value.toStdString() + "'");
            QFile::remove(path("Tavrin.conf"));
            if (c.docPath) stored(QStringLiteral("Extract/DocPath"), path(c.docPath));
            stored(QStringLiteral("Extract/") + c.key, value);
            const auto settingsStore = store();
            ExtractOptions settings;
            settingsStore->load(settings);
            EXPECT_EQ(settings.*c.folder, c.expected);

            settings.*c.folder = value;
            settingsStore->fillEmptyFolders(settings);
            EXPECT_EQ(settings.*c.folder, c.expected);
        }
    }
}

// A NUL cannot be part of a folder's name: the setting is named and its default used.
TEST_F(SettingsStoreTest, AFolderHoldingANulIsNamedAndTakesItsDefault) {
    stored(QStringLiteral("Extract/TVDPath"), path("a") + QChar(u'\0') + QStringLiteral("b/"));
    stored(QStringLiteral("Extract/DBPath"), QString(QChar(u'\0')));
    ExtractOptions settings;
    const SettingsStore::LoadOutcome outcome = store()->load(settings);
    const QString output = path("program") + QStringLiteral("/Output/");
    EXPECT_EQ(settings.TVDPath, output);
    EXPECT_EQ(settings.DBPath, output);
    EXPECT_EQ(outcome.file, SettingsStore::LoadOutcome::File::Read);
    EXPECT_EQ(outcome.message,
              QStringLiteral("The setting TVDPath holds a NUL character, which no folder name can "
                             "hold: the default folder is used.\nThe setting DBPath holds a NUL "
                             "character, which no folder name can hold: the default folder is "
                             "used."));
}

TEST_F(SettingsStoreTest, TextFolderIsCreatedWithItsParents) {
    const QString text = path("a/b/text/");
    stored(QStringLiteral("Extract/TVDPath"), text);
    stored(QStringLiteral("Extract/DBPath"), path("db/"));
    const ExtractOptions settings = loaded();
    EXPECT_EQ(settings.TVDPath, text);
    createOutputFolders(settings);
    EXPECT_TRUE(QDir(text).exists());
    EXPECT_FALSE(QDir(path("db")).exists());  // the database folder is left to its users
}

TEST_F(SettingsStoreTest, FontFlagsFollowEachRecordsOwnStyle) {
    struct Case {
        const char* style;
        bool bold;
        bool italic;
    };
    const Case cases[] = {{"Bold Italic", true, true}, {"Italics", false, true},
                          {"bold", false, false},      {"Normal", false, false},
                          {"Bold", true, false},       {"", false, false}};
    for (const Case& c : cases) {
        stored(QStringLiteral("Extract/TableFontStyle"), QString::fromLatin1(c.style));
        stored(QStringLiteral("Extract/ValueFontStyle"), QStringLiteral("Italic"));
        const ExtractOptions settings = loaded();
        EXPECT_EQ(settings.TableFont.Bold, c.bold) << c.style;
        EXPECT_EQ(settings.TableFont.Italic, c.italic) << c.style;
        EXPECT_TRUE(settings.ValueFont.Italic) << c.style;
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

// A flag is set when its stored number is not 0, whatever its size; a stored value that is no
// number leaves the flag as it was (clear at the start), and the next save stores that value.
TEST_F(SettingsStoreTest, FlagsAreSetWhenNotZeroAndNonNumbersKeepTheFlag) {
    struct Case {
        const char* stored;
        bool set;
    };
    const Case cases[] = {
        {"-1", true},   {"0", false},   {" 5 ", true}, {"1.5", true},   {"2.5", true},
        {"0.4", false}, {"abc", false}, {"", false},   {"70000", true}, {"3000000000", true},
    };
    for (const Case& c : cases) {
        stored(QStringLiteral("Extract/ShowTOC"), QString::fromLatin1(c.stored));
        stored(QStringLiteral("Extract/SummaryOnly"), QString::fromLatin1(c.stored));
        const ExtractOptions settings = loaded();
        EXPECT_EQ(settings.ShowTOC, c.set) << c.stored;
        EXPECT_EQ(settings.SummaryOnly, c.set) << c.stored;
    }

    ExtractOptions settings;
    settings.ShowTOC = true;  // a value loaded before
    stored(QStringLiteral("Extract/ShowTOC"), QStringLiteral("abc"));
    store()->load(settings);
    EXPECT_TRUE(settings.ShowTOC);
    settings.ShowTOC = false;
    store()->load(settings);
    ASSERT_TRUE(store()->save(settings));
    EXPECT_EQ(QSettings(path("Tavrin.conf"), QSettings::IniFormat).value("Extract/ShowTOC"),
              QStringLiteral("0"));
}

// A flag that keeps its meaning is stored again as it was written; one that changed is stored as
// the settings form writes it.
TEST_F(SettingsStoreTest, UnchangedFlagsKeepTheNumberTheyWereStoredAs) {
    stored(QStringLiteral("Extract/ShowTOC"), QStringLiteral("-1"));
    stored(QStringLiteral("Extract/ShowSQL"), QStringLiteral("7"));
    stored(QStringLiteral("Extract/SummaryOnly"), QStringLiteral("1"));
    stored(QStringLiteral("Extract/ShowSort"), QStringLiteral("5"));
    const auto settingsStore = store();
    ExtractOptions settings;
    settingsStore->load(settings);
    EXPECT_TRUE(settings.SummaryOnly);  // the document leaves out the objects' details
    settings.ShowSort = false;
    ASSERT_TRUE(settingsStore->save(settings));
    const QSettings file(path("Tavrin.conf"), QSettings::IniFormat);
    EXPECT_EQ(file.value("Extract/ShowTOC").toString(), QStringLiteral("-1"));
    EXPECT_EQ(file.value("Extract/ShowSQL").toString(), QStringLiteral("7"));
    EXPECT_EQ(file.value("Extract/SummaryOnly").toString(), QStringLiteral("1"));
    EXPECT_EQ(file.value("Extract/ShowSort").toString(), QStringLiteral("0"));
}

// A settings file that cannot be read is kept aside with ".bad" added and the user is told where;
// the defaults apply, and the next save writes a sound file in its place.
// What already stands under the name ".bad" and is no plain file (a folder, a link to one) is
// left as it is: the unreadable file goes beside it under a free name.
TEST_F(SettingsStoreTest, KeepingAFileAsideLeavesFoldersAndLinksOfItsNameAlone) {
    const QString file = path("Tavrin.conf");
    QTemporaryDir target;
    ASSERT_TRUE(QFile(target.filePath("keep.txt")).open(QIODevice::WriteOnly));
    const struct {
        const char* name;
        std::function<void()> put;
    } cases[] = {
        {"a folder", [&] { ASSERT_TRUE(QDir().mkpath(file + ".bad/inner")); }},
        {"a link to a folder", [&] { ASSERT_TRUE(QFile::link(target.path(), file + ".bad")); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.put();
        {
            QFile corrupt(file);
            ASSERT_TRUE(corrupt.open(QIODevice::WriteOnly));
            corrupt.write("[Extract]\nShowTOC=0\n\x01\x02garbage without a value\n");
        }
        ExtractOptions settings;
        EXPECT_EQ(store()->load(settings).file, SettingsStore::LoadOutcome::File::KeptAside);
        EXPECT_TRUE(QFileInfo::exists(target.filePath("keep.txt")));
        EXPECT_TRUE(QFileInfo(file + ".bad").isDir());
        EXPECT_TRUE(QFileInfo(file + ".bad.1").isFile());  // the unreadable file, kept
        QFile::remove(file + ".bad.1");
        if (QFileInfo(file + ".bad").isSymLink()) {
            QFile::remove(file + ".bad");
        } else {
            QDir(file + ".bad").removeRecursively();
        }
    }
}

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
        const auto settingsStore = store();
        ExtractOptions settings;
        const SettingsStore::LoadOutcome outcome = settingsStore->load(settings);

        EXPECT_TRUE(settings.ShowTOC);
        EXPECT_EQ(settings.DocPath, path("program") + QStringLiteral("/Output/"));
        EXPECT_EQ(outcome.file, SettingsStore::LoadOutcome::File::KeptAside);
        EXPECT_EQ(
            outcome.message,
            QStringLiteral("The settings file %1 cannot be read: it is kept as %2 and the "
                           "default settings are used.")
                .arg(QDir::toNativeSeparators(file), QDir::toNativeSeparators(file + ".bad")));
        EXPECT_TRUE(QFileInfo::exists(file + ".bad"));

        ASSERT_TRUE(settingsStore->save(settings));
        EXPECT_TRUE(QFileInfo(file).isFile());
        EXPECT_TRUE(loaded().ShowTOC);
        QFile::remove(file);
    }
}

TEST_F(SettingsStoreTest, NamesMatchWhateverLetterCaseTheyWereWrittenWith) {
    stored(QStringLiteral("Extract/ShowRptSUmmary"), QStringLiteral("0"));
    stored(QStringLiteral("rptpath"), path("reports/"));
    stored(QStringLiteral("Extract/showtoc"), QStringLiteral("0"));
    ExtractOptions settings = loaded();
    EXPECT_FALSE(settings.ShowRptSummary);
    EXPECT_EQ(settings.RptPath, path("reports/"));
    EXPECT_FALSE(settings.ShowTOC);

    // A save updates the value in place: one value a setting, whatever its spelling.
    settings.ShowRptSummary = true;
    ASSERT_TRUE(store()->save(settings));
    QSettings file(path("Tavrin.conf"), QSettings::IniFormat);
    file.beginGroup(QStringLiteral("Extract"));
    EXPECT_EQ(file.childKeys().size(), 45);
    EXPECT_EQ(file.value(QStringLiteral("ShowRptSUmmary")).toString(), QStringLiteral("1"));
    EXPECT_TRUE(loaded().ShowRptSummary);
}

TEST_F(SettingsStoreTest, GroupMatchesWhateverLetterCaseItWasWrittenWith) {
    stored(QStringLiteral("EXTRACT/ShowSQL"), QStringLiteral("0"));
    ExtractOptions settings = loaded();
    EXPECT_FALSE(settings.ShowSQL);
    ASSERT_TRUE(store()->save(settings));
    EXPECT_EQ(QSettings(path("Tavrin.conf"), QSettings::IniFormat).childGroups(),
              QStringList{QStringLiteral("EXTRACT")});
}

// Two instances of the program save what each changed: neither takes back the other's values.
TEST_F(SettingsStoreTest, ASaveKeepsWhatAnotherInstanceSavedSinceTheLoad) {
    ExtractOptions first;
    ExtractOptions second;
    const auto earlier = store();
    earlier->load(first);
    ASSERT_TRUE(earlier->save(first));
    const auto one = store();
    const auto other = store();
    one->load(first);
    other->load(second);
    first.ShowSQL = false;
    ASSERT_TRUE(one->save(first));
    second.ShowTOC = false;
    ASSERT_TRUE(other->save(second));
    const ExtractOptions both = loaded();
    EXPECT_FALSE(both.ShowSQL);
    EXPECT_FALSE(both.ShowTOC);
}

// A link in the settings file's place is read through, and a save replaces the link itself: the
// file it points at, maybe another program's, stays as it was.
TEST_F(SettingsStoreTest, ASaveReplacesALinkAtTheFileNotTheFileItPointsAt) {
    QTemporaryDir elsewhere;
    const QString target = elsewhere.filePath(QStringLiteral("shared.conf"));
    const QByteArray earlier = "[Extract]\nShowTOC=0\n";
    {
        QFile file(target);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(earlier);
    }
    ASSERT_TRUE(QFile::link(target, path("Tavrin.conf")));
    ExtractOptions settings;
    const auto linked = store();
    linked->load(settings);
    EXPECT_FALSE(settings.ShowTOC);
    ASSERT_TRUE(linked->save(settings));

    QFile file(target);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), earlier);
    EXPECT_FALSE(QFileInfo(path("Tavrin.conf")).isSymLink());
    EXPECT_FALSE(loaded().ShowTOC);
    EXPECT_EQ(loaded().DocPath, settings.DocPath);
}

TEST_F(SettingsStoreTest, SaveReportsAStoreThatCannotBeWritten) {
    // A file where the store's folder should be: the store can be neither created nor written.
    QFile blocker(path("blocked"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    SettingsStore blocked(path("blocked/Tavrin.conf"), path("program"));
    ExtractOptions settings;
    blocked.load(settings);
    EXPECT_TRUE(settings.ShowTOC);
    QString error;
    EXPECT_FALSE(blocked.save(settings, &error));
    EXPECT_EQ(error,
              QStringLiteral("Unable to save the settings: %1 cannot be written: Not a directory")
                  .arg(QDir::toNativeSeparators(path("blocked/Tavrin.conf"))));
}

}  // namespace
