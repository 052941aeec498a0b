#include <sys/resource.h>

#include <QDate>
#include <QFileInfo>
#include <QSqlQuery>
#include <QTextStream>
#include <cerrno>
#include <csignal>
#include <memory>

#include "Clock.h"
#include "DatabaseFixture.h"
#include "DatabaseSchema.h"
#include "FullDiskSeam.h"
#include "TestSupport.h"

using namespace tav::database;

using namespace DatabaseCreator;

namespace {

QStringList goldenSchema() {
    QFile file(testData(QStringLiteral("database/schema.txt")));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// Lines as one text, so that a failure shows the lines that differ.
std::string text(const QStringList& lines) { return lines.join(QLatin1Char('\n')).toStdString(); }

QStringList viewNames(const QString& path) {
    DatabaseConnection db(path);
    QSqlQuery views = db.exec(
        QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'view' ORDER BY rowid"));
    QStringList names;
    while (views.next()) names << views.value(0).toString();
    return names;
}

QString versionOf(const QString& path) {
    DatabaseConnection db(path);
    QSqlQuery row = db.exec(
        QStringLiteral("SELECT ControlValue FROM TVDBControl WHERE ControlKey = 'version'"));
    return row.next() ? row.value(0).toString() : QStringLiteral("(no version row)");
}

// A file as the release before the control table left it: no TVDBControl, ReportOwner or
// HyperlinkFormatting; Reports without the style and owner columns; CrossTabGroups without Type,
// FieldElementsMapping without FieldElementSeq; ConditionalFormulas one formula per object.
// Two reports with an object each, three formulas of which one names an object that is gone.
void makeOldFile(const QString& path, bool withHyperlinkTable = false) {
    static const QStringList added = {QStringLiteral("Reports.ReportFormatStyle"),
                                      QStringLiteral("Reports.ReportOwner_Id"),
                                      QStringLiteral("CrossTabGroups.Type"),
                                      QStringLiteral("FieldElementsMapping.FieldElementSeq")};
    DatabaseConnection db(path, true);
    db.exec(QStringLiteral("PRAGMA foreign_keys = OFF"));
    for (const TableDef& table : schemaTables()) {
        const QString name = QLatin1String(table.name);
        if (name == QLatin1String("TVDBControl") || name == QLatin1String("ReportOwner") ||
            (name == QLatin1String("HyperlinkFormatting") && !withHyperlinkTable)) {
            continue;
        }
        if (name == QLatin1String("ConditionalFormulas")) {
            db.exec(QStringLiteral(
                "CREATE TABLE ConditionalFormulas (Report_Id INTEGER NOT NULL, ReportObject_Id "
                "INTEGER "
                "NOT NULL, Name TEXT NOT NULL, FormulaText TEXT NOT NULL, CONSTRAINT PrimaryKey "
                "PRIMARY KEY (Report_Id, ReportObject_Id, Name), CONSTRAINT "
                "fk_ConditionalFormulas_reports "
                "FOREIGN KEY (Report_Id) REFERENCES Reports (Report_Id) ON DELETE CASCADE)"));
            continue;
        }
        db.exec(createTableSql(table, QString(), [&name](const ColumnDef& column) {
            return !added.contains(name + QLatin1Char('.') + QLatin1String(column.name));
        }));
    }
    for (const ViewDef& view : schemaViews()) db.exec(QLatin1String(view.sql));
    for (int id : {1, 2}) {
        insertRow(db, QStringLiteral("Reports"),
                  {{QStringLiteral("Report_Id"), id},
                   {QStringLiteral("ReportFileName"), QStringLiteral("r%1.rpt").arg(id)}});
        insertRow(
            db, QStringLiteral("ReportObjects"),
            {{QStringLiteral("Report_Id"), id}, {QStringLiteral("ReportObject_Id"), id * 10}});
    }
    insertRow(db, QStringLiteral("FieldElementsMapping"),
              {{QStringLiteral("Report_Id"), 1},
               {QStringLiteral("ReportObject_Id"), 10},
               {QStringLiteral("FieldElement_Id"), 5}});
    const QString insert = QStringLiteral("INSERT INTO ConditionalFormulas VALUES (?, ?, ?, ?)");
    db.exec(insert, {1, 10, QStringLiteral("Suppress"), QStringLiteral("{a} = 'x'")});
    db.exec(insert, {1, 99, QStringLiteral("Gone"), QStringLiteral("line1\r\nline2")});
    db.exec(insert, {2, 20, QStringLiteral("Two\r\nlines"), QStringLiteral("true")});
}

}  // namespace

using DatabaseCreatorTest = DatabaseFixture;

TEST_F(DatabaseCreatorTest, NewFileHasEveryTableKeyQueryAndTheVersionRow) {
    ASSERT_TRUE(CreateDatabase(path(), progress));
    const QStringList golden = goldenSchema();
    ASSERT_EQ(golden.size(), 680);
    const QStringList live = dumpSchema(path());
    for (qsizetype i = 0; i < std::max(golden.size(), live.size()); ++i) {
        ASSERT_EQ(live.value(i).toStdString(), golden.value(i).toStdString()) << "line " << i + 1;
    }
    EXPECT_EQ(versionOf(path()), QStringLiteral("4.0"));
    const QStringList views = viewNames(path());
    EXPECT_EQ(views, (QStringList{QStringLiteral("AllDatabaseFieldsUsedInReport"),
                                  QStringLiteral("ReportsWhereFieldIsUsed"),
                                  QStringLiteral("TextObjectsUsedInReport"),
                                  QStringLiteral("viewReportMetrics"),
                                  QStringLiteral("viewReportColumnCrossRef")}));
    DatabaseConnection db(path());
    for (const QString& view : views) {
        EXPECT_NO_THROW(db.exec(QStringLiteral("SELECT * FROM ") + view)) << view.toStdString();
    }
    EXPECT_EQ(statuses, QStringList{QStringLiteral("Creating new Tavrin database")});
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(DatabaseCreatorTest, CreateRefusesAnExistingFileAndLeavesIt) {
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("not a database");
    }
    EXPECT_FALSE(CreateDatabase(path(), progress));
    EXPECT_EQ(bytes(path()), QByteArray("not a database"));
    EXPECT_EQ(messages.size(), 1);
    EXPECT_FALSE(statusShown);
}

TEST_F(DatabaseCreatorTest, CurrentFileIsLeftUntouched) {
    ASSERT_TRUE(CreateDatabase(path(), progress));
    statuses.clear();
    const QByteArray before = bytes(path());
    EXPECT_TRUE(OpenAndUpgradeDatabase(path(), progress));
    EXPECT_EQ(bytes(path()), before);
    EXPECT_TRUE(backups().isEmpty());
    EXPECT_TRUE(statuses.isEmpty());
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(DatabaseCreatorTest, OldFileIsUpgradedOnceWithOneBackup) {
    makeOldFile(path());
    const QByteArray old = bytes(path());
    const tav::core::Clock::Fixed clock(QDateTime(QDate(2026, 2, 3), QTime(10, 0)));
    ASSERT_TRUE(OpenAndUpgradeDatabase(path(), progress));

    const QString backup = QStringLiteral("tv_Backup20260203.db");
    ASSERT_EQ(backups(), QStringList{backup});
    EXPECT_EQ(bytes(dir.filePath(backup)), old);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(
        messages.front().endsWith(QLatin1String("backed up as:\r\n\r\n") + dir.filePath(backup)));
    EXPECT_EQ(versionOf(path()), QStringLiteral("4.0"));
    EXPECT_TRUE(statuses.contains(QStringLiteral("Creating FieldElementsMapping Table")));
    EXPECT_TRUE(statuses.contains(QStringLiteral("Upgrading Conditional Formula table")));

    // The same schema as a new file, but the style column that old rows lack stays optional.
    QStringList expected = goldenSchema();
    expected.replaceInStrings(QStringLiteral("Reports column ReportFormatStyle TEXT notnull"),
                              QStringLiteral("Reports column ReportFormatStyle TEXT null"));
    expected.sort();
    QStringList live = dumpSchema(path());
    live.sort();
    EXPECT_EQ(text(live), text(expected));

    {
        DatabaseConnection db(path());
        QSqlQuery rows = db.exec(QStringLiteral(
            "SELECT Report_Id, ConditionalFormula_Id, Area_Id, Section_Id, ReportObject_Id, Name, "
            "FormulaText FROM ConditionalFormulas ORDER BY ConditionalFormula_Id"));
        QStringList got;
        while (rows.next()) {
            QStringList fields;
            for (int i = 0; i < 7; ++i) {
                fields << (rows.value(i).isNull() ? QStringLiteral("NULL")
                                                  : rows.value(i).toString());
            }
            got << fields.join(QLatin1Char('|'));
        }
        EXPECT_EQ(got, (QStringList{QStringLiteral("1|1|NULL|NULL|10|Suppress|{a} = 'x'"),
                                    QStringLiteral("1|2|NULL|NULL|NULL|Gone|line1\r\nline2"),
                                    QStringLiteral("2|3|NULL|NULL|20|Two\r\nlines|true")}));
        QSqlQuery seq = db.exec(QStringLiteral("SELECT FieldElementSeq FROM FieldElementsMapping"));
        ASSERT_TRUE(seq.next());
        EXPECT_EQ(seq.value(0).toInt(), 1);
    }

    // A second call finds the file current.
    const QByteArray upgraded = bytes(path());
    messages.clear();
    EXPECT_TRUE(OpenAndUpgradeDatabase(path(), progress));
    EXPECT_EQ(bytes(path()), upgraded);
    EXPECT_EQ(backups().size(), 1);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(DatabaseCreatorTest, FailedUpgradeLeavesTheFileAsItWas) {
    makeOldFile(path(), true);
    {
        // A table in the way of the conditional formula step, the last one.
        DatabaseConnection db(path());
        db.exec(QStringLiteral("CREATE TABLE temp_ConditionalFormulas (x INTEGER)"));
    }
    const QByteArray before = bytes(path());
    QString error;
    EXPECT_FALSE(OpenAndUpgradeDatabase(path(), progress, &error));
    EXPECT_EQ(bytes(path()), before);
    ASSERT_EQ(messages.size(), 2);  // the backup, then the failure
    EXPECT_TRUE(messages.back().startsWith(
        QLatin1String("Tavrin Database Schema Update: Error updating database\r\n\r\n")));
    EXPECT_TRUE(messages.back().contains(QLatin1String("temp_ConditionalFormulas")));
    EXPECT_FALSE(statuses.contains(QStringLiteral("Creating HyperlinkFormatting Table")));
    EXPECT_TRUE(error.contains(QLatin1String("temp_ConditionalFormulas")));

    // Trying again fails the same way, without another copy of the same file.
    EXPECT_FALSE(OpenAndUpgradeDatabase(path(), progress));
    EXPECT_EQ(bytes(path()), before);
    EXPECT_EQ(backups().size(), 1);
}

TEST_F(DatabaseCreatorTest, OldCrossTabGroupsAreRowsFromWhereTheirNumberingStartsAgain) {
    makeOldFile(path());
    {
        DatabaseConnection db(path());
        // Object 10: column groups 1, 2 then row group 1; object 20: column group 1, then row
        // groups 1 and 2.
        for (int report : {1, 2}) {
            insertRow(db, QStringLiteral("CrossTabObjects"),
                      {{QStringLiteral("Report_Id"), report},
                       {QStringLiteral("ReportObject_Id"), report * 10}});
            insertRow(db, QStringLiteral("Fields"),
                      {{QStringLiteral("Report_Id"), report}, {QStringLiteral("Field_Id"), 5}});
        }
        const int rows[][2] = {{10, 1}, {10, 2}, {10, 1}, {20, 1}, {20, 1}, {20, 2}};
        for (const auto& [object, group] : rows) {
            insertRow(db, QStringLiteral("CrossTabGroups"),
                      {{QStringLiteral("Report_Id"), object / 10},
                       {QStringLiteral("ReportObject_Id"), object},
                       {QStringLiteral("Group_Id"), group},
                       {QStringLiteral("Field_Id"), 5},
                       {QStringLiteral("Condition"), QStringLiteral("row %1").arg(object)}});
        }
    }
    ASSERT_TRUE(OpenAndUpgradeDatabase(path(), progress)) << messages.join(u'\n').toStdString();
    DatabaseConnection db(path());
    QSqlQuery rows = db.exec(QStringLiteral(
        "SELECT ReportObject_Id, Group_Id, Type, Field_Id FROM CrossTabGroups ORDER BY rowid"));
    QStringList got;
    while (rows.next()) {
        got << QStringLiteral("%1/%2/%3/%4")
                   .arg(rows.value(0).toString(), rows.value(1).toString(),
                        rows.value(2).toString(), rows.value(3).toString());
    }
    EXPECT_EQ(got, (QStringList{QStringLiteral("10/1/Column/5"), QStringLiteral("10/2/Column/5"),
                                QStringLiteral("10/1/Row/5"), QStringLiteral("20/1/Column/5"),
                                QStringLiteral("20/1/Row/5"), QStringLiteral("20/2/Row/5")}));
}

TEST_F(DatabaseCreatorTest, AnEmptyFileIsANewDatabase) {
    { QFile(path()).open(QIODevice::WriteOnly); }
    ASSERT_EQ(QFileInfo(path()).size(), 0);
    EXPECT_TRUE(OpenAndUpgradeDatabase(path(), progress));
    EXPECT_TRUE(backups().isEmpty());
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(versionOf(path()), QStringLiteral("4.0"));
    EXPECT_EQ(text(dumpSchema(path())), text(goldenSchema()));
}

TEST_F(DatabaseCreatorTest, AFileThatRequiredFieldsGetsThemOptionalWithItsRows) {
    ASSERT_TRUE(CreateDatabase(path(), progress));
    {
        DatabaseConnection db(path());
        db.exec(QStringLiteral("PRAGMA foreign_keys = OFF"));
        for (const char* table : {"FieldObjects", "SortFields"}) {
            db.exec(QStringLiteral("DROP TABLE ") + QLatin1String(table));
            db.exec(createTableSql(*schemaTable(QLatin1String(table)))
                        .replace(QStringLiteral("\"Field_Id\" INTEGER"),
                                 QStringLiteral("\"Field_Id\" INTEGER NOT NULL")));
        }
        const QVariantMap report{{QStringLiteral("Report_Id"), 1}};
        insertRow(db, QStringLiteral("Reports"), report);
        insertRow(db, QStringLiteral("Fields"),
                  {{QStringLiteral("Report_Id"), 1}, {QStringLiteral("Field_Id"), 3}});
        insertRow(db, QStringLiteral("ReportObjects"),
                  {{QStringLiteral("Report_Id"), 1}, {QStringLiteral("ReportObject_Id"), 10}});
        insertRow(db, QStringLiteral("FieldObjects"),
                  {{QStringLiteral("Report_Id"), 1},
                   {QStringLiteral("ReportObject_Id"), 10},
                   {QStringLiteral("Field_Id"), 3}});
        // A sort, and the group that refers to it: rebuilding the sorts keeps it.
        insertRow(db, QStringLiteral("SortFields"),
                  {{QStringLiteral("SortField_Id"), 7},
                   {QStringLiteral("Report_Id"), 1},
                   {QStringLiteral("Field_Id"), 3}});
        insertRow(db, QStringLiteral("GroupSortFields"),
                  {{QStringLiteral("Report_Id"), 1}, {QStringLiteral("SortField_Id"), 7}});
    }
    EXPECT_TRUE(OpenAndUpgradeDatabase(path(), progress)) << messages.join(u'\n').toStdString();
    EXPECT_EQ(backups().size(), 1);
    // The rebuilt table comes last.
    QStringList live = dumpSchema(path());
    QStringList golden = goldenSchema();
    live.sort();
    golden.sort();
    EXPECT_EQ(text(live), text(golden));
    DatabaseConnection db(path());
    QSqlQuery row = db.exec(QStringLiteral(
        "SELECT (SELECT Field_Id FROM FieldObjects), (SELECT g.SortField_Id || '/' || s.Field_Id "
        "FROM GroupSortFields g JOIN SortFields s ON s.SortField_Id = g.SortField_Id)"));
    ASSERT_TRUE(row.next());
    EXPECT_EQ(row.value(0).toInt(), 3);
    EXPECT_EQ(row.value(1).toString(), QStringLiteral("7/3"));
}

TEST_F(DatabaseCreatorTest, VersionsCompareAsText) {
    const struct {
        const char* version;
        bool upgraded;
    } cases[] = {{"3.0.54", true}, {"4", true},    {"10.0", true},
                 {"", true},       {"4.0", false}, {"4.1", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.version);
        QFile::remove(path());
        for (const QString& b : backups()) QFile::remove(dir.filePath(b));
        ASSERT_TRUE(CreateDatabase(path(), progress));
        {
            DatabaseConnection db(path());
            setVersion(db, QLatin1String(c.version));
        }
        EXPECT_TRUE(OpenAndUpgradeDatabase(path(), progress));
        EXPECT_EQ(backups().size(), c.upgraded ? 1 : 0);
        EXPECT_EQ(versionOf(path()), c.upgraded ? QStringLiteral("4.0") : QLatin1String(c.version));
        EXPECT_EQ(text(dumpSchema(path())), text(goldenSchema()));
    }
}

TEST_F(DatabaseCreatorTest, BackupTakesTheFirstFreeName) {
    makeOldFile(path());
    const QByteArray old = bytes(path());
    for (const char* taken : {"tv_Backup20061231.db", "tv_Backup20061231_1.db"}) {
        QFile file(dir.filePath(QLatin1String(taken)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const tav::core::Clock::Fixed clock(QDateTime(QDate(2006, 12, 31), QTime(10, 0)));
    ASSERT_TRUE(OpenAndUpgradeDatabase(path(), progress));
    const QString copy = dir.filePath(QStringLiteral("tv_Backup20061231_2.db"));
    EXPECT_EQ(bytes(copy), old);
    EXPECT_EQ(backups().size(), 3);  // no temporary file left beside them
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 4);
}

// A file of a later version than this program's is left as it is, columns this program does not
// know and a field reference that it would make optional included: no backup, no rebuild.
TEST_F(DatabaseCreatorTest, AFileOfALaterVersionIsLeftAsItIs) {
    for (const char* version : {"4.1", "5.0"}) {
        SCOPED_TRACE(version);
        QFile::remove(path());
        ASSERT_TRUE(CreateDatabase(path(), progress));
        {
            DatabaseConnection db(path());
            db.exec(QStringLiteral("PRAGMA foreign_keys = OFF"));
            db.exec(QStringLiteral("DROP TABLE FieldObjects"));
            db.exec(createTableSql(*schemaTable(QStringLiteral("FieldObjects")))
                        .replace(QStringLiteral("\"Field_Id\" INTEGER"),
                                 QStringLiteral("\"Field_Id\" INTEGER NOT NULL, \"Later\" TEXT")));
            insertRow(db, QStringLiteral("FieldObjects"),
                      {{QStringLiteral("Field_Id"), 1}, {QStringLiteral("Later"), "kept"}});
            setVersion(db, QLatin1String(version));
        }
        const QByteArray before = bytes(path());
        messages.clear();
        EXPECT_TRUE(OpenAndUpgradeDatabase(path(), progress));
        EXPECT_EQ(bytes(path()), before);
        EXPECT_TRUE(backups().isEmpty());
        EXPECT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
    }
}

// A backup that cannot be written (a disk that fills, a file size limit) names the system's
// cause; the file stays as it was.
TEST_F(DatabaseCreatorTest, AFailedBackupNamesItsCause) {
    makeOldFile(path());
    const QByteArray before = bytes(path());
    ASSERT_GT(before.size(), 8192);
    struct rlimit kept {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &kept), 0);
    struct rlimit limited = kept;
    // Part of the first block goes in, as on a disk that fills midway.
    limited.rlim_cur = rlim_t(before.size() / 2 + 100);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    QString error;
    const bool upgraded = OpenAndUpgradeDatabase(path(), progress, &error);
    setrlimit(RLIMIT_FSIZE, &kept);
    std::signal(SIGXFSZ, previous);
    EXPECT_FALSE(upgraded);
    EXPECT_TRUE(error.endsWith(QLatin1Char('(') + qt_error_string(EFBIG) + QLatin1Char(')')))
        << error.toStdString();
    EXPECT_EQ(bytes(path()), before);
    EXPECT_TRUE(backups().isEmpty());
}

// A backup that meets a full disk leaves no part of itself, and the earlier backups as they were;
// a name that a link holds, even one that leads nowhere, is passed over, the link kept.
TEST_F(DatabaseCreatorTest, AFailedBackupLeavesNoPartAndEarlierBackupsUntouched) {
    makeOldFile(path());
    const QByteArray before = bytes(path());
    const QString earlier = dir.filePath(QStringLiteral("tv_Backup20260203.db"));
    const QString link = dir.filePath(QStringLiteral("tv_Backup20260203_1.db"));
    {
        QFile file(earlier);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("an earlier backup");
    }
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("nowhere")), link));
    const QStringList files = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    const tav::core::Clock::Fixed clock(QDateTime(QDate(2026, 2, 3), QTime(10, 0)));
    QString error;
    {
        const FullDiskSeam full(before.size() / 2);
        EXPECT_FALSE(OpenAndUpgradeDatabase(path(), progress, &error));
    }
    EXPECT_EQ(error, QStringLiteral("Could not copy %1 to %2 (%3)")
                         .arg(path(), dir.filePath(QStringLiteral("tv_Backup20260203_2.db")),
                              qt_error_string(ENOSPC)));
    EXPECT_EQ(bytes(path()), before);
    EXPECT_EQ(bytes(earlier), QByteArray("an earlier backup"));
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), dir.filePath(QStringLiteral("nowhere")));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System), files);

    // With room, the copy takes the first name free of files and links.
    ASSERT_TRUE(OpenAndUpgradeDatabase(path(), progress));
    EXPECT_EQ(bytes(dir.filePath(QStringLiteral("tv_Backup20260203_2.db"))), before);
    EXPECT_EQ(bytes(earlier), QByteArray("an earlier backup"));
}

// Failures of opening the file are told as such, apart from the upgrade: a file the engine finds
// damaged is named so, with the way back; a lock that outlasts the wait is the engine's text.
TEST_F(DatabaseCreatorTest, OpeningFailuresAreToldApartFromTheUpgrade) {
    enum Fault { NotADatabase, DamagedPages, Locked };
    const struct {
        Fault fault;
        const char* cause;
    } cases[] = {{NotADatabase, "is damaged (file is not a database"},
                 {DamagedPages, "is damaged ("},
                 {Locked, "database is locked"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cause);
        QFile::remove(path());
        std::unique_ptr<DatabaseConnection> holder;
        if (c.fault == NotADatabase) {
            QFile file(path());
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(QByteArray(4096, 'x'));
        } else {
            ASSERT_TRUE(CreateDatabase(path(), progress));
            if (c.fault == Locked) {
                holder = std::make_unique<DatabaseConnection>(path());
                holder->begin();
            } else {
                // Every page past the first, where the tables' definitions go on, overwritten.
                QFile file(path());
                ASSERT_TRUE(file.open(QIODevice::ReadWrite));
                ASSERT_TRUE(file.seek(4096));
                file.write(QByteArray(int(file.size() - 4096), '\x5a'));
            }
        }
        messages.clear();
        QString error;
        EXPECT_FALSE(OpenOrCreateDatabase(path(), progress, &error, 100));
        holder.reset();
        ASSERT_EQ(messages.size(), 1);
        EXPECT_TRUE(messages.front().startsWith(QStringLiteral("Tavrin Database: Could not open "
                                                               "the database ") +
                                                path()))
            << messages.front().toStdString();
        EXPECT_TRUE(error.contains(QLatin1String(c.cause))) << error.toStdString();
        EXPECT_EQ(error.contains(QLatin1String("Restore it from its latest backup copy")),
                  c.fault != Locked);
    }
}
