#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <vector>

#include "CompoundFile.h"
#include "FileBytes.h"
#include "FullDiskSeam.h"
#include "RtError.h"
#include "SaveFile.h"

namespace {

mode_t modeOf(const QString& path) {
    struct stat info {};
    ::stat(QFile::encodeName(path).constData(), &info);
    return info.st_mode & 07777;
}

// A save of `data` to `path`: false, with the cause, when it failed.
using Save = std::function<bool(const QString& path, const QByteArray& data, QString* error)>;

const std::pair<const char*, Save> kSaves[] = {
    {"a whole file", rt::saveWhole},
    {"a compound file (tvpack's)",
     [](const QString& path, const QByteArray& data, QString* error) {
         try {
             rt::writeCompoundFile(path, {{QStringLiteral("Data"), data}});
             return true;
         } catch (const rt::Error& e) {
             *error = e.description();
             return false;
         }
     }},
};

}  // namespace

// A full disk, met at the first write, in the middle of one or at the last bytes, leaves the
// earlier file as it was and no new file beside it, and says why.
TEST(SaveFile, AFullDiskLeavesTheEarlierFileWholeAndNamesTheCause) {
    const QByteArray data(20000, 'x');
    for (const auto& [name, save] : kSaves) {
        for (const long room : {0L, 100L, 4096L, 19999L}) {
            SCOPED_TRACE(std::string(name) + ", room " + std::to_string(room));
            QTemporaryDir dir;
            const QString path = dir.filePath(QStringLiteral("r002.tvd"));
            writeFile(path, "earlier file");
            QString error;
            {
                const FullDiskSeam full(room);
                EXPECT_FALSE(save(path, data, &error));
            }
            EXPECT_TRUE(error.contains(QStringLiteral("No space left on device")))
                << error.toStdString();
            EXPECT_EQ(readAll(path), "earlier file");
            EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                      QStringList{QStringLiteral("r002.tvd")});
        }
    }
}

// A link at the target is replaced by the saved file; the file it pointed at, outside the folder,
// is not written. A file that goes without a commit changes nothing.
TEST(SaveFile, ALinkAtTheTargetIsReplacedAndItsFileIsUntouched) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("out")));
    const QString victim = dir.filePath(QStringLiteral("precious.txt"));
    const QString path = dir.filePath(QStringLiteral("out/r.docx"));
    writeFile(victim, "precious");
    ASSERT_TRUE(QFile::link(victim, path));
    {
        rt::SaveFile dropped(path);
        ASSERT_TRUE(dropped.open(QIODevice::WriteOnly));
        EXPECT_EQ(dropped.write("dropped"), 7);
    }
    EXPECT_TRUE(QFileInfo(path).isSymLink());
    QString error;
    ASSERT_TRUE(rt::saveWhole(path, "new", &error)) << error.toStdString();
    EXPECT_EQ(readAll(victim), "precious");
    EXPECT_FALSE(QFileInfo(path).isSymLink());
    EXPECT_EQ(readAll(path), "new");
    EXPECT_EQ(QDir(dir.filePath(QStringLiteral("out"))).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("r.docx")});
}

// A new file gets what the umask lets through of 0666, not a private temporary file's 0600; an
// earlier file keeps the mode its user gave it.
TEST(SaveFile, ANewFileHasACreatedFilesModeAndAnEarlierFileKeepsItsOwn) {
    const mode_t mask = ::umask(027);
    QTemporaryDir dir;
    const QString created = dir.filePath(QStringLiteral("new.tvd"));
    const QString earlier = dir.filePath(QStringLiteral("old.tvd"));
    writeFile(earlier, "old");
    ASSERT_TRUE(
        QFile::setPermissions(earlier, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther));
    EXPECT_TRUE(rt::saveWhole(created, "new", nullptr));
    EXPECT_TRUE(rt::saveWhole(earlier, "new", nullptr));
    ::umask(mask);
    EXPECT_EQ(modeOf(created), 0640u);
    EXPECT_EQ(modeOf(earlier), 0604u);
}

// What a killed run left beside a file (a hidden file of its name, the program's marker and six
// letters or digits, or the marker alone for a name too long) goes when the file is saved again.
// Nothing else goes: not a user's copies beside each kind of output, not files of the older
// temporary form (they may be a user's too), not names that miss the form by a character, not a
// link, folder or pipe under the name, and not a file that another save is still writing.
TEST(SaveFile, OnlyLeftoversOfTheProgramsOwnSavesAreRemoved) {
    const struct {
        const char* target;
        QStringList kept;  // beside the target, besides the target itself
    } cases[] = {
        {"list.tvd",
         {"list.tvd.backup", "list.tvd.CuLNuZ", "~tav.a1B2c3", ".list.tvd.tavtmp-a1B2c",
          ".list.tvd.tavtmp-a1B2c3d", ".list.tvd.tavtmp-a1-2c3", "list.tvd.tavtmp-a1B2c3",
          ".list.tvdxtavtmp-a1B2c3", ".lisT.tvd.tavtmp-a1B2c3", ".list.tvd.tavtmp-a1B2c3.x",
          ".other.tvd.tavtmp-a1B2c3", ".tavtmp-a1B2c", "tavtmp-a1B2c3"}},
        {"Tavrin.conf", {"Tavrin.conf.backup"}},
        {"list.docx", {"list.docx.before"}},
        {"tvLog.txt", {"tvLog.txt.golden"}},
        {"template_config.xml", {"template_config.xml.backup"}},
    };
    for (const auto& [target, kept] : cases) {
        SCOPED_TRACE(target);
        QTemporaryDir dir;
        const QString path = dir.filePath(QString::fromUtf8(target));
        writeFile(path, "earlier");
        for (const QString& name : kept) writeFile(dir.filePath(name), "keep");
        const QString own = u'.' + QString::fromUtf8(target) + QStringLiteral(".tavtmp-");
        writeFile(dir.filePath(own + QStringLiteral("CuLNuZ")), "left by a killed run");
        writeFile(dir.filePath(QStringLiteral(".tavtmp-a1B2c3")), "left by a killed run");
        QDir(dir.path()).mkdir(own + QStringLiteral("folder"));
        QFile::link(path, dir.filePath(own + QStringLiteral("link12")));
        ::mkfifo(QFile::encodeName(dir.filePath(own + QStringLiteral("pipe12"))).constData(), 0600);
        rt::SaveFile running(path);
        ASSERT_TRUE(running.open(QIODevice::WriteOnly));
        EXPECT_EQ(running.write("running"), 7);
        QString error;
        ASSERT_TRUE(rt::saveWhole(path, "saved", &error)) << error.toStdString();
        const QStringList left =
            QDir(dir.path())
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        QStringList expected = kept;
        expected << QString::fromUtf8(target) << own + QStringLiteral("folder")
                 << own + QStringLiteral("link12") << own + QStringLiteral("pipe12");
        for (const QString& name : expected) EXPECT_TRUE(left.contains(name)) << name.toStdString();
        // The live save's own file is the one more.
        EXPECT_EQ(left.size(), expected.size() + 1) << left.join(u' ').toStdString();
        EXPECT_TRUE(running.commit()) << running.errorString().toStdString();
        EXPECT_EQ(readAll(path), "running");
        EXPECT_EQ(
            QDir(dir.path())
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)
                .size(),
            expected.size());
    }
}

// A name is never read as a pattern: the leftovers of a target whose name holds the characters
// of wildcards and expressions go, quietly, and those of a target it would match stay.
TEST(SaveFile, ATargetsNameIsNeverReadAsAPattern) {
    static QStringList warnings;
    warnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& text) { warnings << text; });
    QTemporaryDir dir;
    for (const QString target :
         {"a[b.tvd", "a[b]c.tvd", "*.tvd", "a?.tvd", "a\\b{1}.tvd", "(a|b).tvd", "a+$^.tvd"}) {
        SCOPED_TRACE(target.toStdString());
        const QString leftover = u'.' + target + QStringLiteral(".tavtmp-a1B2c3");
        writeFile(dir.filePath(leftover), "left by a killed run");
        // What the name would match as a wildcard: "ab.tvd" for "a[b.tvd]", any name for "*".
        writeFile(dir.filePath(QStringLiteral(".ab.tvd.tavtmp-a1B2c3")), "another's");
        writeFile(dir.filePath(QStringLiteral(".ax.tvd.tavtmp-a1B2c3")), "another's");
        EXPECT_TRUE(rt::saveWhole(dir.filePath(target), "saved", nullptr));
        EXPECT_FALSE(QFileInfo::exists(dir.filePath(leftover)));
        EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral(".ab.tvd.tavtmp-a1B2c3"))));
        EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral(".ax.tvd.tavtmp-a1B2c3"))));
    }
    qInstallMessageHandler(previous);
    EXPECT_EQ(warnings, QStringList());
}

// What is written goes to the system in large pieces: a file of many lines in one write call, a
// large one in few; each piece is checked (a full disk at any of them: see above).
TEST(SaveFile, WritesGoToTheSystemInLargePieces) {
    static int calls;
    const auto counting = [](int descriptor, const void* data, unsigned long length) -> long {
        ++calls;
        return ::write(descriptor, data, length);
    };
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("r.tvd"));
    for (const int lines : {1, 500, 5000}) {
        SCOPED_TRACE(lines);
        calls = 0;
        const rt::SaveFile::WriteCall previous = rt::SaveFile::setWriteCall(counting);
        QByteArray expected;
        {
            rt::SaveFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            for (int i = 0; i < lines; ++i) {
                const QByteArray line =
                    "line " + QByteArray::number(i) + QByteArray(60, 'x') + "\r\n";
                ASSERT_EQ(file.write(line), line.size());
                expected += line;
            }
            // A piece larger than the buffer goes as it is, after what was gathered before it.
            const QByteArray large(200000, 'L');
            ASSERT_EQ(file.write(large), large.size());
            expected += large;
            ASSERT_TRUE(file.commit()) << file.errorString().toStdString();
        }
        rt::SaveFile::setWriteCall(previous);
        EXPECT_EQ(readAll(path), expected);
        EXPECT_LE(calls, 3 + expected.size() / 60000);
    }
}

// Runs that save the same files in one folder at once never fail each other: a new file is never
// taken for a killed run's leftover, at any moment of its life, and nothing is left behind.
TEST(SaveFile, ProcessesSavingInOneFolderAtOnceNeverFailEachOther) {
    QTemporaryDir dir;
    std::vector<std::unique_ptr<QProcess>> runs;
    for (int i = 0; i < 6; ++i) {
        runs.push_back(std::make_unique<QProcess>());
        runs.back()->start(QStringLiteral(SAVE_LOOP), {dir.path(), QStringLiteral("300")});
    }
    for (auto& run : runs) {
        ASSERT_TRUE(run->waitForFinished(120000));
        EXPECT_EQ(run->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(run->exitCode(), 0) << run->readAllStandardError().toStdString();
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              (QStringList{"list.tvd", "tvLog.txt"}));
}
