#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include "FileBytes.h"
#include "SettingsFile.h"

using namespace tav::core;

namespace {

// The value of every key, as read: the last line of a key counts.
QMap<QString, QString> valuesOf(const SettingsFile& file) {
    QMap<QString, QString> values;
    for (qsizetype i = 0; i < file.size(); ++i) values.insert(file.keyAt(i), file.textAt(i));
    return values;
}

QMap<QString, QString> valuesOf(QSettings& settings) {
    QMap<QString, QString> values;
    for (const QString& key : settings.allKeys())
        values.insert(key, settings.value(key).toString());
    return values;
}

// Texts that need escapes, quotes or a mark of their type, under keys and groups that need
// escapes: the settings library has written them so since the program's first settings file.
const std::pair<const char*, QString> kValues[] = {
    {"RptPath", QStringLiteral("/home/u/reports/")},
    {"Extract/DocPath", QStringLiteral("/home/u/my documents/")},
    {"Extract/List", QStringLiteral("a, b")},
    {"Extract/Lead", QStringLiteral(" lead")},
    {"Extract/Trail", QStringLiteral("trail ")},
    {"Extract/Semi", QStringLiteral("semi;colon")},
    {"Extract/Equals", QStringLiteral("eq=x")},
    {"Extract/At", QStringLiteral("@at")},
    {"Extract/Quote", QStringLiteral("q\"uote")},
    {"Extract/Back", QStringLiteral("C:\\Reports\\")},
    {"Extract/Controls", QStringLiteral("tab\there\nnl\r\a\b\f\v\x01x\x1f"
                                        "1")},
    {"Extract/Accents", QStringLiteral("café ü € \U0001F600")},
    {"Extract/Nul", QStringLiteral("a") + QChar(u'\0') + QStringLiteral("1b")},
    {"Extract/Empty", QString()},
    {"Extract/HalfAPair", QStringLiteral("x") + QChar(0xD800) + QStringLiteral("y")},
    {"Extract/ByteArrayText", QStringLiteral("@ByteArray(x)")},
    {"Weird Key/a b%c", QStringLiteral("v")},
    {"general/x", QStringLiteral("1")},
    {"a/b/c", QStringLiteral("deep")},
    {"Zeta/\u00e9\u4e2d", QStringLiteral("wide")},
};

}  // namespace

// A file written by the store is the file the settings library writes, byte for byte, for every
// kind of text: a user's settings file stays as it was when the program saves it anew.
TEST(SettingsFile, WritesWhatTheSettingsLibraryWrites) {
    QTemporaryDir dir;
    const QString library = dir.filePath(QStringLiteral("library.conf"));
    {
        QSettings settings(library, QSettings::IniFormat);
        for (const auto& [key, value] : kValues) settings.setValue(QString::fromUtf8(key), value);
    }
    SettingsFile ours;
    for (const auto& [key, value] : kValues) ours.setValue(QString::fromUtf8(key), value);
    EXPECT_EQ(ours.text(), readAll(library));

    // Read back, and once more written with one value changed, the file holds what the library
    // writes. A file of another name each time: the library keeps files it has read.
    const SettingsFile read = SettingsFile::read(library);
    const QString copy = dir.filePath(QStringLiteral("copy.conf"));
    ASSERT_TRUE(QFile::copy(library, copy));
    QSettings(copy, QSettings::IniFormat).setValue(QStringLiteral("Extract/At"), "changed");
    SettingsFile changed = read;
    changed.setValue(QStringLiteral("Extract/At"), QStringLiteral("changed"));
    EXPECT_EQ(changed.text().toStdString(), readAll(copy).toStdString());
}

// Files written by hand or by other programs read as the settings library reads them: comments,
// quotes, continued lines, escapes, a key twice, groups in any order and letter case.
TEST(SettingsFile, ReadsWhatTheSettingsLibraryReads) {
    const struct {
        const char* name;
        QByteArray text;
    } cases[] = {
        {"comments and blanks",
         "; a note\n\n[Extract]  ; the group\nShowTOC = 0 ; why\n  DocPath=  /a b/  \n"},
        {"quotes and lists",
         "[Extract]\nA=\"a, b\"\nB=a, b\nC=\"x;y\"\nD=\"two\nlines\"\nE=\" padded \"\nF=x \"y\" "
         "z\n"},
        {"escapes", "[Extract]\nA=\\x41\\102\\n\\q\\\"\nB=a\\\n  b\nC=tail  \\\nD=\\x\n"},
        {"marks of types",
         "[Extract]\nA=@@at\nB=@String(a\\0b)\nC=@ByteArray(caf\\xe9)\nD=@Invalid()\nE=@Rect(1 2 3 "
         "4)\nF=@odd\n"},
        {"a key twice, groups twice and escaped",
         "[Extract]\nA=1\n[Other]\nA=2\n[Extract]\nA=3\n[%General]\nx=4\n[general]\ny=5\n[a%20b]\n"
         "k\\l=6\n%55=7\n"},
        {"line ends of other systems", "[Extract]\r\nA=1\r\nB=\xC3\xA9\r\rC=3\n\rD=4\r\n"},
        {"values before any group", "top=1\n[Extract]\nA=2\n"},
    };
    QTemporaryDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QString::fromLatin1(c.name) + ".conf");
        writeFile(path, c.text);
        QSettings settings(path, QSettings::IniFormat);
        SettingsFile::Status status = SettingsFile::Status::Malformed;
        const SettingsFile ours = SettingsFile::read(path, &status);
        EXPECT_EQ(status, SettingsFile::Status::Read);
        EXPECT_EQ(valuesOf(ours), valuesOf(settings));
        EXPECT_EQ(settings.status(), QSettings::NoError);

        // Written anew, the file still reads the same to the settings library.
        const QString again = dir.filePath(QString::fromLatin1(c.name) + ".again");
        writeFile(again, ours.text());
        QSettings rewritten(again, QSettings::IniFormat);
        EXPECT_EQ(valuesOf(rewritten), valuesOf(settings));
    }

    // What the settings library finds malformed, so do we (a mark of UTF-8 too); a file that is
    // not there is empty.
    int n = 0;
    for (const QByteArray& malformed :
         {QByteArray("[Extract]\nShowTOC=0\n\x01\x02garbage without a value\n"),
          QByteArray("[Extract\nA=1\n"), QByteArray("\xEF\xBB\xBF[Extract]\nA=1\n")}) {
        const QString path = dir.filePath(QStringLiteral("malformed%1.conf").arg(++n));
        writeFile(path, malformed);
        QSettings settings(path, QSettings::IniFormat);
        settings.allKeys();
        EXPECT_EQ(settings.status(), QSettings::FormatError);
        SettingsFile::Status status = SettingsFile::Status::Read;
        SettingsFile::read(path, &status);
        EXPECT_EQ(status, SettingsFile::Status::Malformed) << malformed.constData();
    }
    SettingsFile::Status status = SettingsFile::Status::Malformed;
    EXPECT_EQ(SettingsFile::read(dir.filePath(QStringLiteral("none.conf")), &status).size(), 0);
    EXPECT_EQ(status, SettingsFile::Status::Read);
}
