#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

#include "QtPrinters.h"
#include "RecordingReporter.h"
#include "TemplateStore.h"

using namespace tav::core;
using namespace tav::word;

namespace {

const QByteArray kCorporate =
    "<tavrin_template name=\"Corporate\"><path>Corp.dotx</path><normalStyle>Body</normalStyle>"
    "<tocStyle>Contents</tocStyle><heading1Style>Title 1</heading1Style><heading2Style>Title "
    "2</heading2Style>"
    "<heading3Style>Title 3</heading3Style><tableStyle>Grid Table</tableStyle></tavrin_template>";

// Lets a reader that waits on a pipe go on, by opening the pipe for writing, once 10 seconds have
// passed: a read that waits for ever then fails its test instead of holding up the suite.
class PipeWatch {
public:
    explicit PipeWatch(const QString& pipe)
        : thread_([this, name = QFile::encodeName(pipe)] {
              std::unique_lock lock(mutex_);
              if (stopping_.wait_for(lock, std::chrono::seconds(10), [this] { return stopped_; }))
                  return;
              fired_ = true;
              while (!stopping_.wait_for(lock, std::chrono::milliseconds(100),
                                         [this] { return stopped_; })) {
                  const int writer = ::open(name.constData(), O_WRONLY | O_NONBLOCK);
                  if (writer >= 0) ::close(writer);
              }
          }) {}
    ~PipeWatch() { stop(); }

    // Whether a reader had to be let go.
    bool stop() {
        {
            const std::lock_guard lock(mutex_);
            stopped_ = true;
        }
        stopping_.notify_all();
        if (thread_.joinable()) thread_.join();
        return fired_;
    }

private:
    std::mutex mutex_;
    std::condition_variable stopping_;
    bool stopped_ = false;
    bool fired_ = false;
    std::thread thread_;  // last: it starts once the members it uses are made
};

// A program folder of its own with a Templates folder, and the messages shown to the user.
class TemplateStoreTest : public ::testing::Test {
protected:
    TemplateStoreTest() { QDir(dir_.path()).mkpath(QStringLiteral("Templates")); }

    TemplateStore store() const { return TemplateStore(dir_.path()); }

    // The store's answers where they are expected to succeed.
    std::vector<DocumentTemplate> storedProfiles() const {
        std::vector<DocumentTemplate> profiles;
        QString error;
        EXPECT_TRUE(store().LoadAllTemplates(profiles, &error)) << error.toStdString();
        return profiles;
    }
    void add(const DocumentTemplate& profile) const {
        QString error;
        EXPECT_TRUE(store().AddTemplate(profile, &error)) << error.toStdString();
    }
    void remove(const DocumentTemplate& profile) const {
        QString error;
        EXPECT_TRUE(store().DeleteTemplate(profile, &error)) << error.toStdString();
    }
    bool inUse(const QString& fileName) const {
        bool used = false;
        QString error;
        EXPECT_TRUE(store().IsTemplateFileInUse(fileName, used, &error)) << error.toStdString();
        return used;
    }
    QString folder() const { return dir_.path() + QStringLiteral("/Templates/"); }
    QString configPath() const { return folder() + QStringLiteral("template_config.xml"); }

    void writeConfig(const QByteArray& content) const {
        QFile file(configPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    }
    QByteArray config() const {
        QFile file(configPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static QByteArray profile(const QByteArray& name, const QByteArray& normal) {
        return "<tavrin_template name=\"" + name + "\"><path>" + name +
               ".dotx</path><normalStyle>" + normal +
               "</normalStyle><tocStyle>TOC 1</tocStyle><heading1Style>Heading 1</heading1Style>"
               "<heading2Style>Heading 2</heading2Style><heading3Style>Heading 3</heading3Style>"
               "<tableStyle>Table Grid</tableStyle></tavrin_template>";
    }

    // A profile whose last element holds elements nested so that the file is `depth` levels
    // deep.
    static QByteArray nested(int depth) {
        const QByteArray head =
            "<tavrin_template name=\"Deep\"><path>Deep.dotx</path>"
            "<normalStyle>Normal</normalStyle><tocStyle>TOC 1</tocStyle>"
            "<heading1Style>Heading 1</heading1Style><heading2Style>Heading "
            "2</heading2Style><heading3Style>Heading 3</heading3Style>";
        // The root, the profile and its tableStyle are three levels.
        const int inner = depth - 3;
        return head + "<tableStyle>" + QByteArray("<b>").repeated(inner) + "Grid" +
               QByteArray("</b>").repeated(inner) + "</tableStyle></tavrin_template>";
    }
    // A profile element of `attributes` attributes, its name the first.
    static QByteArray crowded(int attributes) {
        QByteArray element = "<tavrin_template name=\"Crowded\"";
        for (int i = 1; i < attributes; ++i) element += " a" + QByteArray::number(i) + "=\"=\"";
        return element + "/>";
    }

    QTemporaryDir dir_;
    RecordingReporter reporter_;
    QStringList& messages_ = reporter_.messages;
};

TEST_F(TemplateStoreTest, AddedProfileReadsBackWithItsFolder) {
    writeConfig("<tavrin_templates/>");
    DocumentTemplate added;
    added.templateName = QStringLiteral("Corporate & <Co>");
    added.templatePath = QStringLiteral("Corp.dotx");  // the window stores the bare file name
    added.normalStyleName = QStringLiteral("Body");
    added.tocStyleName = QStringLiteral("Contents");
    added.heading1StyleName = QStringLiteral("Title 1");
    added.heading2StyleName = QStringLiteral("Title 2");
    added.heading3StyleName = QStringLiteral("Title 3");
    added.heading4StyleName = QStringLiteral("Title 4");
    added.tableStyle = QStringLiteral("Grid Table");
    added.tableFontStyle = QStringLiteral("Table Text");
    added.propertyTitleStyleName = QStringLiteral("Label");
    add(added);

    const std::vector<DocumentTemplate> all = storedProfiles();
    ASSERT_EQ(all.size(), 1u);
    const DocumentTemplate& back = all[0];
    EXPECT_EQ(back.templateName, added.templateName);
    EXPECT_EQ(back.templatePath, folder() + QStringLiteral("Corp.dotx"));
    EXPECT_EQ(back.normalStyleName, added.normalStyleName);
    EXPECT_EQ(back.tocStyleName, added.tocStyleName);
    EXPECT_EQ(back.heading1StyleName, added.heading1StyleName);
    EXPECT_EQ(back.heading2StyleName, added.heading2StyleName);
    EXPECT_EQ(back.heading3StyleName, added.heading3StyleName);
    EXPECT_EQ(back.tableStyle, added.tableStyle);
    EXPECT_TRUE(back.heading4StyleName.isEmpty());
    EXPECT_TRUE(back.tableFontStyle.isEmpty());
    EXPECT_TRUE(back.propertyTitleStyleName.isEmpty());

    // The file holds the seven children in their order, and no declaration ahead of the root.
    QDomDocument file;
    ASSERT_TRUE(file.setContent(config()));
    EXPECT_TRUE(file.firstChild().isElement());
    QStringList children;
    for (QDomElement e = file.documentElement().firstChildElement().firstChildElement();
         !e.isNull(); e = e.nextSiblingElement())
        children.append(e.tagName());
    EXPECT_EQ(children, QStringList({"path", "normalStyle", "tocStyle", "heading1Style",
                                     "heading2Style", "heading3Style", "tableStyle"}));
    EXPECT_EQ(store().LoadTemplate(added.templateName)->templateName, added.templateName);

    // A character that XML cannot carry is left out: written as it is, it would make the whole
    // file unreadable, every profile with it.
    DocumentTemplate odd;
    odd.templateName = QStringLiteral("Odd\x01Name");
    add(odd);
    const std::vector<DocumentTemplate> both = storedProfiles();
    ASSERT_EQ(both.size(), 2u);
    EXPECT_EQ(both[1].templateName, QStringLiteral("OddName"));
}

TEST_F(TemplateStoreTest, LayoutDeclarationsAndCommentsDoNotHideTheProfiles) {
    struct Case {
        const char* what;
        QByteArray file;
    };
    const Case cases[] = {
        {"compact", "<templates>" + kCorporate + profile("Plain", "Normal") + "</templates>"},
        {"pretty-printed",
         "<templates>\n  " + kCorporate + "\n  " + profile("Plain", "Normal") + "\n</templates>\n"},
        {"declaration first", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<templates>" +
                                  kCorporate + profile("Plain", "Normal") + "</templates>"},
        {"comments", "<!-- profiles --><templates>" + kCorporate + "<!-- the plain one -->" +
                         profile("Plain", "Normal") + "</templates>"},
    };
    for (const Case& c : cases) {
        writeConfig(c.file);
        const std::vector<DocumentTemplate> all = storedProfiles();
        ASSERT_EQ(all.size(), 2u) << c.what;
        EXPECT_EQ(all[0].templateName, QStringLiteral("Corporate")) << c.what;
        EXPECT_EQ(all[0].tableStyle, QStringLiteral("Grid Table")) << c.what;
        EXPECT_EQ(all[1].templateName, QStringLiteral("Plain")) << c.what;
        EXPECT_EQ(store().GetTemplate(QStringLiteral("Corporate"), reporter_).heading3StyleName,
                  QStringLiteral("Title 3"))
            << c.what;
    }
    EXPECT_TRUE(messages_.isEmpty());
}

TEST_F(TemplateStoreTest, AFileInAnotherEncodingKeepsItsNamesWhenChanged) {
    writeConfig("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<templates>" +
                profile("Caf\xe9", "Normal") + "</templates>");
    DocumentTemplate added;
    added.templateName = QStringLiteral("Stra\u00dfe");
    add(added);
    // The file is written anew in UTF-8, with no declaration that would say otherwise; an older
    // reader of the file wants none ahead of the root either.
    EXPECT_TRUE(config().startsWith("<templates>"));
    const std::vector<DocumentTemplate> all = storedProfiles();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].templateName, QStringLiteral("Caf\u00e9"));
    EXPECT_EQ(all[1].templateName, QStringLiteral("Stra\u00dfe"));
}

TEST_F(TemplateStoreTest, TheFirstOfTwoProfilesOfOneNameIsFoundAndDeleted) {
    writeConfig("<templates>" + profile("Twin", "First") + profile("Twin", "Second") +
                profile("Other", "Normal") + "</templates>");
    EXPECT_EQ(storedProfiles().size(), 3u);
    EXPECT_EQ(store().GetTemplate(QStringLiteral("Twin"), reporter_).normalStyleName,
              QStringLiteral("First"));
    // Names count their letter case.
    EXPECT_FALSE(store().LoadTemplate(QStringLiteral("twin")).has_value());

    DocumentTemplate twin;
    twin.templateName = QStringLiteral("Twin");
    remove(twin);
    EXPECT_EQ(store().GetTemplate(QStringLiteral("Twin"), reporter_).normalStyleName,
              QStringLiteral("Second"));

    // Modifying is deleting and adding: the profile moves to the end.
    DocumentTemplate changed = *store().LoadTemplate(QStringLiteral("Twin"));
    changed.templatePath = QStringLiteral("Twin.dotx");
    changed.normalStyleName = QStringLiteral("Changed");
    remove(changed);
    add(changed);
    const std::vector<DocumentTemplate> all = storedProfiles();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].templateName, QStringLiteral("Other"));
    EXPECT_EQ(all[1].normalStyleName, QStringLiteral("Changed"));
}

TEST_F(TemplateStoreTest, AProfileNotStoredGivesTheFallbackAfterAMessage) {
    writeConfig("<templates>" + kCorporate + "</templates>");
    const DocumentTemplate fallback = store().GetTemplate(QStringLiteral("Missing"), reporter_);
    ASSERT_EQ(messages_.size(), 1);
    // The message names the file just looked in, even when nothing else has read the store yet.
    EXPECT_EQ(
        messages_[0],
        QStringLiteral("Selected Profile not found, using the default profile. Please ensure: \n"
                       "1). That the template_config.xml exists in the following folder: ") +
            configPath() +
            QStringLiteral(
                "\n2). That the selected template \"Missing\" is in the template_config.xml"));
    EXPECT_TRUE(fallback.templateName.isEmpty());
    EXPECT_TRUE(fallback.tableStyle.isEmpty());
    EXPECT_EQ(fallback.normalStyleName, QStringLiteral("Normal"));
    EXPECT_EQ(fallback.tocStyleName, QStringLiteral("TOC 1"));
    EXPECT_EQ(fallback.heading1StyleName, QStringLiteral("Heading 1"));
    EXPECT_EQ(fallback.heading4StyleName, QStringLiteral("Heading 4"));
    EXPECT_TRUE(fallback.templatePath.startsWith(folder()));

    const DocumentTemplate builtIn = TemplateStore::GetDefaultTemplate();
    EXPECT_EQ(builtIn.templateName, QStringLiteral("Default"));
    EXPECT_EQ(builtIn.templatePath, QStringLiteral("Default"));
    EXPECT_EQ(builtIn.tableStyle, QStringLiteral("Table Grid"));
}

TEST_F(TemplateStoreTest, AnUnusableFileFailsWithoutChangingIt) {
    struct Case {
        const char* what;
        std::optional<QByteArray> file;  // nothing: no file at all
        const char* cause;               // what the reason says after the file's path
    };
    // Parsed whole, a file nested this deep took minutes, on every document written.
    const QByteArray deep = "<templates>" + kCorporate + nested(100000) + "</templates>";
    const Case cases[] = {
        {"no file", std::nullopt, " cannot be read: No such file or directory"},
        {"not well formed", QByteArray("<templates>") + kCorporate, " is not well formed"},
        {"nested deeper than the bound",
         "<templates>\n" + kCorporate + nested(513) + "</templates>",
         " cannot be read (line 2: elements are nested more than 512 levels deep)"},
        {"nested very deep", deep,
         " cannot be read (line 1: elements are nested more than 512 levels deep)"},
        {"an element of very many attributes",
         "<templates>\n\n" + crowded(1001) + kCorporate + "</templates>",
         " cannot be read (line 3: an element has more than 1000 attributes)"},
    };
    DocumentTemplate added;
    added.templateName = QStringLiteral("New");
    for (const Case& c : cases) {
        QFile::remove(configPath());
        if (c.file) writeConfig(*c.file);
        const QByteArray before = config();
        std::vector<DocumentTemplate> profiles;
        QString error;
        EXPECT_FALSE(store().LoadAllTemplates(profiles, &error)) << c.what;
        EXPECT_TRUE(error.startsWith(configPath() + QLatin1String(c.cause)))
            << c.what << ": " << error.toStdString();
        bool used = false;
        EXPECT_FALSE(store().IsTemplateFileInUse(QStringLiteral("Corp.dotx"), used, nullptr))
            << c.what;
        EXPECT_FALSE(store().AddTemplate(added, nullptr)) << c.what;
        EXPECT_FALSE(store().DeleteTemplate(added, nullptr)) << c.what;
        EXPECT_EQ(config(), before) << c.what;
        EXPECT_EQ(QFile::exists(configPath()), c.file.has_value()) << c.what;
        // A document made meanwhile takes the default profile, and the message says why the
        // file could not be read.
        messages_.clear();
        store().GetTemplate(QStringLiteral("Corporate"), reporter_);
        ASSERT_EQ(messages_.size(), 1) << c.what;
        EXPECT_TRUE(messages_[0].endsWith(u'(' + error + u')')) << messages_[0].toStdString();
    }

    writeConfig("<templates>" + kCorporate + "</templates>");
    const QByteArray before = config();
    QString error;
    EXPECT_FALSE(store().DeleteTemplate(added, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("holds no profile \"New\""))) << error.toStdString();
    EXPECT_EQ(config(), before);
}

// A pipe, a folder or a device in the file's place is refused at once, as a file that cannot be
// read: the documents take the default profile, the lists stay empty, and it is left in place.
// A link to a sound file is read through.
TEST_F(TemplateStoreTest, OnlyARegularFileIsReadAsTheProfiles) {
    const QString sound = dir_.filePath(QStringLiteral("elsewhere.xml"));
    {
        QFile file(sound);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("<templates>" + kCorporate + "</templates>");
    }
    const struct {
        const char* what;
        std::function<bool(const QString&)> make;
        bool regular;
    } cases[] = {
        {"a pipe",
         [](const QString& path) {
             return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
         },
         false},
        {"a folder", [](const QString& path) { return QDir().mkdir(path); }, false},
        {"a device", [](const QString& path) { return QFile::link("/dev/null", path); }, false},
        {"a link to a pipe",
         [&](const QString& path) {
             const QString pipe = dir_.filePath(QStringLiteral("pipe"));
             return ::mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0 &&
                    QFile::link(pipe, path);
         },
         false},
        {"a link to a sound file", [&](const QString& path) { return QFile::link(sound, path); },
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(configPath());
        QDir().rmdir(configPath());
        QFile::remove(dir_.filePath(QStringLiteral("pipe")));
        ASSERT_TRUE(c.make(configPath()));
        const QFileInfo before(configPath());
        PipeWatch watch(before.canonicalFilePath());
        messages_.clear();

        std::vector<DocumentTemplate> profiles;
        QString error;
        const bool listed = store().LoadAllTemplates(profiles, &error);
        const DocumentTemplate corporate =
            store().GetTemplate(QStringLiteral("Corporate"), reporter_);
        DocumentTemplate added;
        added.templateName = QStringLiteral("New");
        const bool addedOne = store().AddTemplate(added, nullptr);
        EXPECT_FALSE(watch.stop()) << "the store waited on the pipe";

        if (c.regular) {
            EXPECT_TRUE(listed) << error.toStdString();
            EXPECT_EQ(corporate.tocStyleName, QStringLiteral("Contents"));
            EXPECT_TRUE(messages_.isEmpty());
            EXPECT_TRUE(addedOne);
            continue;
        }
        const QString cause =
            configPath() + QStringLiteral(" cannot be read: it is not a regular file");
        EXPECT_FALSE(listed);
        EXPECT_EQ(error, cause);
        EXPECT_TRUE(corporate.templateName.isEmpty());
        ASSERT_EQ(messages_.size(), 1);
        EXPECT_TRUE(messages_[0].endsWith(u'(' + cause + u')')) << messages_[0].toStdString();
        EXPECT_FALSE(addedOne);
        const QFileInfo after(configPath());
        EXPECT_EQ(after.isSymLink(), before.isSymLink());
        EXPECT_EQ(after.isDir(), before.isDir());
        EXPECT_FALSE(after.isFile());
    }
}

// Files at the bounds, and a file of many profiles, are read whole.
TEST_F(TemplateStoreTest, FilesAtTheBoundsAndLargeFilesAreRead) {
    writeConfig("<templates>" + kCorporate + nested(512) + crowded(1000) + "</templates>");
    std::vector<DocumentTemplate> profiles;
    QString error;
    QStringList incomplete;
    ASSERT_TRUE(store().LoadAllTemplates(profiles, &error, &incomplete)) << error.toStdString();
    ASSERT_EQ(profiles.size(), 2u);
    EXPECT_EQ(profiles[1].tableStyle, QStringLiteral("Grid"));
    // The crowded element is read, and is incomplete only for lacking its elements.
    ASSERT_EQ(incomplete.size(), 1);
    EXPECT_TRUE(incomplete[0].startsWith(QStringLiteral("profile \"Crowded\" lacks")));

    QByteArray many = "<templates>\n";
    constexpr int kProfiles = 2000;
    for (int i = 0; i < kProfiles; ++i)
        many += "  " + profile("P" + QByteArray::number(i), "Body " + QByteArray::number(i)) + '\n';
    writeConfig(many + "</templates>\n");
    const std::vector<DocumentTemplate> all = storedProfiles();
    ASSERT_EQ(all.size(), size_t(kProfiles));
    EXPECT_EQ(all.back().normalStyleName, QStringLiteral("Body 1999"));
    EXPECT_EQ(store().GetTemplate(QStringLiteral("P1999"), reporter_).templatePath,
              folder() + QStringLiteral("P1999.dotx"));
    EXPECT_TRUE(messages_.isEmpty());
}

// An incomplete profile, as a hand edit leaves one, is named and left out; the sound ones around
// it are listed, found and in use.
TEST_F(TemplateStoreTest, AnIncompleteProfileIsLeftOutAndNamedWhileTheOthersAreListed) {
    writeConfig("<templates>" + kCorporate +
                "<tavrin_template name=\"Short\"><path>S.dotx</path></tavrin_template>" +
                profile("Plain", "Normal") + "</templates>");
    std::vector<DocumentTemplate> profiles;
    QString error;
    QStringList incomplete;
    ASSERT_TRUE(store().LoadAllTemplates(profiles, &error, &incomplete)) << error.toStdString();
    QStringList names;
    for (const DocumentTemplate& p : profiles) names << p.templateName;
    EXPECT_EQ(names, QStringList({"Corporate", "Plain"}));
    ASSERT_EQ(incomplete.size(), 1);
    EXPECT_TRUE(incomplete[0].contains(QStringLiteral("\"Short\""))) << incomplete[0].toStdString();
    EXPECT_TRUE(inUse(QStringLiteral("Plain.dotx")));
    EXPECT_FALSE(store().LoadTemplate(QStringLiteral("Short")).has_value());
    EXPECT_EQ(store().GetTemplate(QStringLiteral("Corporate"), reporter_).tocStyleName,
              QStringLiteral("Contents"));
}

// A profile's elements are found by their names, in any order, others among them passed over; a
// profile that lacks some is told by their names.
TEST_F(TemplateStoreTest, AProfileIsReadByItsElementNamesAndNamesThoseItLacks) {
    const auto children = [](std::initializer_list<const char*> names) {
        QByteArray xml;
        for (const char* name : names)
            xml += QByteArray("<") + name + ">" + name + "</" + name + ">";
        return xml;
    };
    const QString whole = QStringLiteral(
        "path|normalStyle|tocStyle|heading1Style|heading2Style|heading3Style|tableStyle");
    const struct {
        const char* what;
        QByteArray children;
        QString read;       // the members from the path on, joined by '|'
        const char* lacks;  // or what the incomplete profile is told
    } cases[] = {
        {"lacking tocStyle",
         children({"path", "normalStyle", "heading1Style", "heading2Style", "heading3Style",
                   "tableStyle"}),
         {},
         "element tocStyle"},
        {"lacking two",
         children({"path", "tocStyle", "heading1Style", "heading3Style", "tableStyle"}),
         {},
         "elements normalStyle, heading2Style"},
        {"lacking tocStyle, with another element in its stead",
         children({"path", "normalStyle", "heading1Style", "heading2Style", "heading3Style",
                   "tableStyle", "note"}),
         {},
         "element tocStyle"},
        {"empty",
         {},
         {},
         "elements path, normalStyle, tocStyle, heading1Style, heading2Style, heading3Style, "
         "tableStyle"},
        {"in another order",
         children({"tableStyle", "heading3Style", "heading2Style", "heading1Style", "tocStyle",
                   "normalStyle", "path"}),
         whole, nullptr},
        {"another element first",
         children({"note", "path", "normalStyle", "tocStyle", "heading1Style", "heading2Style",
                   "heading3Style", "tableStyle"}),
         whole, nullptr},
        // Read by position, as they always were.
        {"elements of other names", children({"a", "b", "c", "d", "e", "f", "g"}),
         QStringLiteral("a|b|c|d|e|f|g"), nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        writeConfig("<templates><tavrin_template name=\"P\">" + c.children +
                    "</tavrin_template></templates>");
        std::vector<DocumentTemplate> profiles;
        QString error;
        QStringList incomplete;
        ASSERT_TRUE(store().LoadAllTemplates(profiles, &error, &incomplete)) << error.toStdString();
        if (c.lacks) {
            EXPECT_TRUE(profiles.empty());
            EXPECT_EQ(incomplete, QStringList(QStringLiteral("profile \"P\" lacks its ") +
                                              QLatin1String(c.lacks)));
            continue;
        }
        ASSERT_EQ(profiles.size(), 1u);
        const DocumentTemplate& p = profiles[0];
        EXPECT_EQ(QStringList({p.templatePath.mid(folder().size()), p.normalStyleName,
                               p.tocStyleName, p.heading1StyleName, p.heading2StyleName,
                               p.heading3StyleName, p.tableStyle})
                      .join(u'|'),
                  c.read);
        EXPECT_TRUE(incomplete.isEmpty());
    }
}

TEST_F(TemplateStoreTest, ATemplateFileIsInUseOnlyUnderTheTemplatesFolder) {
    writeConfig(
        "<templates>" + kCorporate +
        "<tavrin_template name=\"Elsewhere\"><path>/other/Far.dotx</path><normalStyle/><tocStyle/>"
        "<heading1Style/><heading2Style/><heading3Style/><tableStyle/></tavrin_template></"
        "templates>");
    EXPECT_TRUE(inUse(QStringLiteral("Corp.dotx")));
    EXPECT_FALSE(inUse(QStringLiteral("corp.dotx")));
    EXPECT_FALSE(inUse(QStringLiteral("Far.dotx")));
    EXPECT_FALSE(inUse(QStringLiteral("Unused.dotx")));
}

TEST_F(TemplateStoreTest, WithoutATemplatesFolderTheFileIsLookedForInTheWorkingFolder) {
    QDir(dir_.path()).rmpath(QStringLiteral("Templates"));
    QTemporaryDir working;
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(working.path()));
    {
        QFile file(QStringLiteral("template_config.xml"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("<templates>" + kCorporate + "</templates>");
    }
    EXPECT_TRUE(store().GetTemplatesFolder().isEmpty());
    EXPECT_EQ(store().GetTemplateConfigPath(), QStringLiteral("template_config.xml"));
    const std::vector<DocumentTemplate> all = storedProfiles();
    QDir::setCurrent(previous);
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0].templatePath, QStringLiteral("Corp.dotx"));
}

}  // namespace
