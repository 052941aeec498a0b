#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

namespace {

// One run of the program with a configuration folder of its own whose database folder is
// `databaseFolder`; only the database is written.
void startExtract(QProcess& process, const QTemporaryDir& dir, const QString& name,
                  const QString& databaseFolder, const QString& report) {
    const QString config = dir.filePath(name);
    ASSERT_TRUE(QDir().mkpath(config + QStringLiteral("/Ombrel Group")));
    {
        QSettings settings(config + QStringLiteral("/Ombrel Group/Tavrin.conf"),
                           QSettings::IniFormat);
        settings.beginGroup(QStringLiteral("Extract"));
        for (const char* folder : {"TVDPath", "DocPath", "DBPath"}) {
            settings.setValue(QString::fromLatin1(folder), databaseFolder);
        }
        settings.setValue(QStringLiteral("CreateTVDFile"), QStringLiteral("0"));
        settings.setValue(QStringLiteral("CreateWordDocument"), QStringLiteral("0"));
        settings.setValue(QStringLiteral("UpdateDB"), QStringLiteral("-1"));
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("no-such-platform"));
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(dir.path());
    process.start(QStringLiteral(TAVDESK4), {QStringLiteral("-E"), report});
}

QStringList storedReports(const QString& file) {
    QStringList names;
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("check"));
        db.setDatabaseName(file);
        if (db.open()) {
            QSqlQuery query(QStringLiteral("SELECT ReportName FROM Reports ORDER BY ReportName"),
                            db);
            while (query.next()) names << query.value(0).toString();
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("check"));
    return names;
}

}  // namespace

// Two Extracts started together on an empty database folder: the first creates the file, the
// second waits for it, and both reports are stored.
TEST(ConcurrentExtract, TwoFirstRunsStoreBothReports) {
    for (int trial = 0; trial < 10; ++trial) {
        SCOPED_TRACE(trial);
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        const QString databaseFolder = dir.filePath(QStringLiteral("db/"));
        ASSERT_TRUE(QDir().mkpath(databaseFolder));
        ASSERT_TRUE(QFile::copy(QStringLiteral(TAV_SAMPLES "/fields.xml"), dir.filePath("a.rpt")));
        ASSERT_TRUE(QFile::copy(QStringLiteral(TAV_SAMPLES "/layout.xml"), dir.filePath("b.rpt")));

        QProcess first;
        QProcess second;
        startExtract(first, dir, QStringLiteral("one"), databaseFolder, dir.filePath("a.rpt"));
        startExtract(second, dir, QStringLiteral("two"), databaseFolder, dir.filePath("b.rpt"));
        for (QProcess* process : {&first, &second}) {
            ASSERT_TRUE(process->waitForFinished(60000));
            EXPECT_EQ(process->exitStatus(), QProcess::NormalExit);
            EXPECT_EQ(process->exitCode(), 0) << process->readAllStandardError().toStdString();
        }
        EXPECT_EQ(storedReports(databaseFolder + QStringLiteral("tv.db")),
                  (QStringList{QStringLiteral("a.rpt"), QStringLiteral("b.rpt")}));
        EXPECT_TRUE(QDir(databaseFolder).entryList({QStringLiteral("*_Backup*")}).isEmpty());
    }
}
