#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <memory>
#include <vector>

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

// The first column of each row of `sql` (statements separated by semicolons, the last one
// answering) on the database `file`.
QStringList queried(const QString& file, const QString& sql) {
    QStringList values;
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("check"));
        db.setDatabaseName(file);
        if (db.open()) {
            for (const QString& statement : sql.split(u';', Qt::SkipEmptyParts)) {
                QSqlQuery query(db);
                query.exec(statement);
                values.clear();
                while (query.next()) values << query.value(0).toString();
            }
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("check"));
    return values;
}

QStringList storedReports(const QString& file) {
    return queried(file, QStringLiteral("SELECT ReportName FROM Reports ORDER BY ReportName"));
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

// Writers started together on a database of an older version: one of them backs the file up
// and upgrades it under the write lock, the others wait and then find it current. Every report
// is stored, the file stays whole, and there is one backup.
TEST(ConcurrentExtract, WritersOnAnOlderDatabaseMakeOneBackupAndStoreEveryReport) {
    for (const int writers : {2, 4}) {
        for (int trial = 0; trial < 3; ++trial) {
            SCOPED_TRACE(QStringLiteral("%1 writers, trial %2").arg(writers).arg(trial).toStdString());
            QTemporaryDir dir;
            ASSERT_TRUE(dir.isValid());
            const QString databaseFolder = dir.filePath(QStringLiteral("db/"));
            const QString database = databaseFolder + QStringLiteral("tv.db");
            ASSERT_TRUE(QDir().mkpath(databaseFolder));
            const char* samples[] = {"fields.xml", "layout.xml", "grouped.xml", "list.xml"};
            QStringList expected;
            for (int i = 0; i < writers; ++i) {
                const QString report = QStringLiteral("r%1.rpt").arg(i);
                ASSERT_TRUE(QFile::copy(QStringLiteral(TAV_SAMPLES "/") + QLatin1String(samples[i]),
                                        dir.filePath(report)));
                expected << report;
            }
            {
                // A current file first, then made older: its version says so and a table that
                // the upgrade adds is gone.
                QProcess first;
                startExtract(first, dir, QStringLiteral("make"), databaseFolder,
                             dir.filePath(QStringLiteral("r0.rpt")));
                ASSERT_TRUE(first.waitForFinished(60000));
                ASSERT_EQ(first.exitCode(), 0);
                queried(database, QStringLiteral(
                                      "UPDATE TVDBControl SET ControlValue = '3.0.54' WHERE "
                                      "ControlKey = 'version'; DROP TABLE HyperlinkFormatting; "
                                      "SELECT 1"));
                ASSERT_EQ(queried(database, QStringLiteral("SELECT ControlValue FROM TVDBControl")),
                          QStringList{QStringLiteral("3.0.54")});
            }
            std::vector<std::unique_ptr<QProcess>> processes;
            for (int i = 0; i < writers; ++i) {
                processes.push_back(std::make_unique<QProcess>());
                startExtract(*processes.back(), dir, QStringLiteral("w%1").arg(i), databaseFolder,
                             dir.filePath(QStringLiteral("r%1.rpt").arg(i)));
            }
            for (auto& process : processes) {
                ASSERT_TRUE(process->waitForFinished(120000));
                EXPECT_EQ(process->exitStatus(), QProcess::NormalExit);
                EXPECT_EQ(process->exitCode(), 0) << process->readAllStandardError().toStdString();
            }
            EXPECT_EQ(storedReports(database), expected);
            EXPECT_EQ(queried(database, QStringLiteral("PRAGMA integrity_check")),
                      QStringList{QStringLiteral("ok")});
            EXPECT_EQ(queried(database, QStringLiteral("SELECT ControlValue FROM TVDBControl")),
                      QStringList{QStringLiteral("4.0")});
            EXPECT_EQ(QDir(databaseFolder).entryList({QStringLiteral("*_Backup*")}).size(), 1);
        }
    }
}
