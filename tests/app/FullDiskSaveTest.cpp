#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>

#include "DocumentTemplate.h"
#include "FileBytes.h"
#include "FullDiskSeam.h"
#include "RunLog.h"
#include "SettingsStore.h"
#include "TemplateStore.h"

using namespace tav::core;
using namespace tav::word;

namespace {

QByteArray profiles(int count) {
    QByteArray text = "<templates>";
    for (int i = 0; i < count; ++i) {
        const QByteArray name = "P" + QByteArray::number(i);
        text += "<tavrin_template name=\"" + name + "\"><path>" + name +
                ".dotx</path><normalStyle>Normal</normalStyle><tocStyle>TOC 1</tocStyle>"
                "<heading1Style>Heading 1</heading1Style><heading2Style>Heading 2"
                "</heading2Style><heading3Style>Heading 3</heading3Style><tableStyle>Table Grid"
                "</tableStyle></tavrin_template>";
    }
    return text + "</templates>";
}

struct Case {
    const char* what;
    const char* file;  // in the test's folder
    QByteArray earlier;
    // Saves the file anew on a disk that is full: false, with the cause, as it answers.
    std::function<bool(const QString& folder, QString* error)> save;
};

}  // namespace

// On a full disk the template profiles, the run log and the settings file keep their earlier file
// byte for byte,
// and the failure names the cause: a profile deleted on a full disk once emptied the file.
TEST(FullDiskSave, TheEarlierFileStaysWholeAndTheCauseIsNamed) {
    const Case cases[] = {
        {"template profiles, a profile deleted", "Templates/template_config.xml", profiles(15),
         [](const QString& folder, QString* error) {
             DocumentTemplate gone;
             gone.templateName = QStringLiteral("P3");
             return TemplateStore(folder).DeleteTemplate(gone, error);
         }},
        {"run log", "tvLog.txt", "earlier log\n",
         [](const QString& folder, QString* error) {
             RunLog log(folder);
             for (int i = 0; i < 200; ++i) log.write(QStringLiteral("a line of the run log"));
             return log.close(error);
         }},
        {"settings file, the defaults added", "Tavrin.conf", "[Extract]\nShowTOC=0\n",
         [](const QString& folder, QString* error) {
             SettingsStore store(folder + QStringLiteral("/Tavrin.conf"),
                                 folder + QStringLiteral("/program"));
             ExtractOptions settings;
             store.load(settings);
             settings.RptPath = folder + QStringLiteral("/reports/") + QString(2000, u'r');
             return store.save(settings, error);
         }},
    };
    for (const Case& c : cases) {
        for (const long room : {0L, 1000L}) {
            SCOPED_TRACE(std::string(c.what) + ", room " + std::to_string(room));
            QTemporaryDir dir;
            ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("Templates")));
            const QString path = dir.filePath(QString::fromLatin1(c.file));
            {
                QFile file(path);
                ASSERT_TRUE(file.open(QIODevice::WriteOnly));
                file.write(c.earlier);
            }
            QString error;
            bool saved = true;
            {
                const FullDiskSeam full(room);
                saved = c.save(dir.path(), &error);
            }
            EXPECT_FALSE(saved);
            EXPECT_TRUE(error.contains(path)) << error.toStdString();
            EXPECT_TRUE(error.endsWith(QStringLiteral(": No space left on device")))
                << error.toStdString();
            EXPECT_EQ(readAll(path), c.earlier);
            EXPECT_EQ(QDir(QFileInfo(path).path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
        }
    }
}
