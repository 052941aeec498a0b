#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>

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

// What a killed run left beside a file (its name, a dot and six letters or digits) goes when the
// file is saved again; a file of any other name stays, and so does one that another save is
// still writing.
TEST(SaveFile, LeftoversOfKilledRunsAreRemovedAndNothingElse) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("r002.tvd"));
    const QStringList kept{"r002.tvd",        "r002.tvd.CuLNu",  "r002.tvd.CuLNuZ7",
                           "r003.tvd.CuLNuZ", "r002.tvd.Cu-NuZ", "r002.tvdxCuLNuZ"};
    for (const QString& name : kept) writeFile(dir.filePath(name), "keep");
    writeFile(dir.filePath(QStringLiteral("r002.tvd.CuLNuZ")), "left by a killed run");
    writeFile(dir.filePath(QStringLiteral("~tav.a1B2c3")), "left by a killed run");
    rt::SaveFile running(path);
    ASSERT_TRUE(running.open(QIODevice::WriteOnly));
    rt::SaveFile second(path);
    ASSERT_TRUE(second.open(QIODevice::WriteOnly));
    QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    EXPECT_EQ(left.size(), kept.size() + 2) << left.join(u' ').toStdString();
    for (const QString& name : kept) EXPECT_TRUE(left.contains(name)) << name.toStdString();
    EXPECT_FALSE(left.contains(QStringLiteral("r002.tvd.CuLNuZ")));
    EXPECT_FALSE(left.contains(QStringLiteral("~tav.a1B2c3")));
    EXPECT_TRUE(running.commit()) << running.errorString().toStdString();
}
