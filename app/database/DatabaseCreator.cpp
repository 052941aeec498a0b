#include "DatabaseCreator.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSqlQuery>
#include <QVariant>

#include "Clock.h"
#include "DatabaseConnection.h"
#include "RunReporter.h"
#include "SaveFile.h"

namespace tav::database {

using namespace core;

DatabaseProgress DatabaseProgress::reportingTo(RunReporter& reporter) {
    DatabaseProgress progress;
    progress.status = [&reporter](bool show, const QString& text) {
        reporter.workStatus(show, text);
    };
    progress.message = [&reporter](const QString& text, const QString& title) {
        reporter.message(text, title);
    };
    return progress;
}

namespace DatabaseCreator {
namespace {

// Unless the caller gave handlers of its own, texts go where those of a run without a window
// go: status texts nowhere, messages to standard error. Messages go to the caller's log as well.
void showStatus(const DatabaseProgress& progress, bool show, const QString& text) {
    if (progress.status) progress.status(show, text);
}

void showMessage(const DatabaseProgress& progress, const QString& text, const QString& title) {
    if (progress.log) progress.log(text);
    if (progress.message) {
        progress.message(text, title);
    } else {
        StandardErrorReporter().message(text, title);
    }
}

const TableDef& schemaTable(const char* name) {
    const TableDef* table = database::schemaTable(QLatin1String(name));
    if (!table)
        throw DatabaseError(QStringLiteral("No table %1 in the schema").arg(QLatin1String(name)));
    return *table;
}

// Versions compare as text, character by character.
bool isNewer(const QString& version) { return version > QLatin1String(kCurrentVersion); }

void createTable(DatabaseConnection& db, const char* name) {
    db.exec(createTableSql(schemaTable(name)));
}

// Builds a table anew in its present shape and copies its rows over; the columns that the old
// shape lacks take the values given. Used where a column joins a key, which the engine cannot
// change in place.
// The tables whose rows go when rows of `table` are deleted, through keys that cascade, and the
// tables that theirs take along in turn: each after the table it refers to.
QStringList cascadingChildren(DatabaseConnection& db, const QString& table) {
    QSqlQuery all = db.exec(QStringLiteral(
        "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite%'"));
    QStringList tables;
    while (all.next()) tables << all.value(0).toString();
    all.finish();
    QStringList found;
    for (qsizetype next = -1; next < found.size(); ++next) {
        const QString parent = next < 0 ? table : found[next];
        for (const QString& child : tables) {
            if (child.compare(table, Qt::CaseInsensitive) == 0 || found.contains(child)) continue;
            QSqlQuery key = db.exec(
                QStringLiteral("SELECT 1 FROM pragma_foreign_key_list(?) WHERE \"table\" = ? "
                               "COLLATE NOCASE AND on_delete = 'CASCADE'"),
                {child, parent});
            if (key.next()) found << child;
        }
    }
    return found;
}

void rebuildTable(DatabaseConnection& db, const char* name,
                  const QList<std::pair<QString, QVariant>>& fill) {
    const TableDef& table = schemaTable(name);
    const QString rebuilt = QLatin1String("new_") + QLatin1String(name);
    const QStringList old = db.columns(QLatin1String(name));
    db.exec(createTableSql(table, rebuilt));
    QStringList into;
    QStringList from;
    QVariantList values;
    for (const ColumnDef& column : table.columns) {
        const QString columnName = QLatin1String(column.name);
        if (old.contains(columnName, Qt::CaseInsensitive)) {
            into << columnName;
            from << QLatin1Char('"') + columnName + QLatin1Char('"');
            continue;
        }
        for (const auto& [fillName, value] : fill) {
            if (fillName == columnName) {
                into << columnName;
                from << QStringLiteral("?");
                values << value;
            }
        }
    }
    db.exec(QStringLiteral("INSERT INTO \"%1\" (\"%2\") SELECT %3 FROM \"%4\" ORDER BY rowid")
                .arg(rebuilt, into.join(QLatin1String("\", \"")), from.join(QLatin1String(", ")),
                     QLatin1String(name)),
            values);
    // Dropping the old table deletes the rows that refer to it, through their cascading keys:
    // they are kept aside and come back once the new table holds their parents again.
    const QStringList children = cascadingChildren(db, QLatin1String(name));
    for (const QString& child : children) {
        db.exec(QStringLiteral(
                    "CREATE TEMP TABLE \"keep_%1\" AS SELECT * FROM main.\"%1\" ORDER BY rowid")
                    .arg(child));
    }
    db.exec(QStringLiteral("DROP TABLE \"%1\"").arg(QLatin1String(name)));
    db.exec(
        QStringLiteral("ALTER TABLE \"%1\" RENAME TO \"%2\"").arg(rebuilt, QLatin1String(name)));
    for (const QString& child : children) {
        db.exec(
            QStringLiteral("INSERT INTO main.\"%1\" SELECT * FROM temp.\"keep_%1\" ORDER BY rowid")
                .arg(child));
        db.exec(QStringLiteral("DROP TABLE temp.\"keep_%1\"").arg(child));
    }
}

// The old CrossTabGroups had no Type: an object's column groups and its row groups were each
// numbered from 1, the column groups stored first. So where a group id comes again for one
// object, its first row is the column group and its later row the row group; an object whose ids
// never repeat cannot be told apart and keeps the empty Type.
void UpgradeCrossTabGroups(DatabaseConnection& db) {
    const TableDef& table = schemaTable("CrossTabGroups");
    db.exec(createTableSql(table, QStringLiteral("new_CrossTabGroups")));
    QStringList into;
    QStringList from;
    for (const ColumnDef& column : table.columns) {
        const QString name = QLatin1String(column.name);
        into << QLatin1Char('"') + name + QLatin1Char('"');
        if (name == QLatin1String("Type")) {
            // An object's column groups came first, numbered from 1, then its row groups,
            // numbered from 1 again: the rows begin where the numbering starts again. Without
            // a new start the kind cannot be told.
            from << QStringLiteral(
                "CASE WHEN NOT restarts THEN '' WHEN restarted THEN 'Row' ELSE 'Column' END");
        } else {
            from << QLatin1String("g.\"") + name + QLatin1Char('"');
        }
    }
    db.exec(
        QStringLiteral(
            "INSERT INTO new_CrossTabGroups (%1) SELECT %2 FROM (SELECT *, max(restart) OVER "
            "(PARTITION BY Report_Id, ReportObject_Id ORDER BY r) AS restarted, max(restart) "
            "OVER (PARTITION BY Report_Id, ReportObject_Id) AS restarts FROM (SELECT *, rowid AS "
            "r, coalesce(Group_Id <= lag(Group_Id) OVER (PARTITION BY Report_Id, "
            "ReportObject_Id ORDER BY rowid), 0) AS restart FROM CrossTabGroups)) g ORDER BY g.r")
            .arg(into.join(QLatin1String(", ")), from.join(QLatin1String(", "))));
    db.exec(QStringLiteral("DROP TABLE CrossTabGroups"));
    db.exec(QStringLiteral("ALTER TABLE new_CrossTabGroups RENAME TO CrossTabGroups"));
}

// A file in `folder` whose name matches `pattern` and whose bytes are those of the database
// as `db` reads them, or nothing. Files are compared a block at a time.
QString sameFileAmong(DatabaseConnection& db, const QString& folder, const QString& pattern) {
    for (const QFileInfo& other : QDir(folder).entryInfoList({pattern}, QDir::Files, QDir::Name)) {
        QFile file(other.filePath());
        if (!file.open(QIODevice::ReadOnly)) continue;
        bool same = true;
        db.readFile([&](QByteArrayView block) {
            same = file.read(block.size()) == block;
            return same;
        });
        if (same && file.atEnd()) return other.filePath();
    }
    return {};
}

// A name that a file or a link (even one that leads nowhere) already has: a backup never takes
// its place.
bool nameTaken(const QString& name) {
    const QFileInfo info(name);
    return info.exists() || info.isSymLink();
}

QString backup(DatabaseConnection& db, const QString& path, const DatabaseProgress& progress) {
    showStatus(progress, true, QStringLiteral("Making backup copy of Tavrin database"));
    const QFileInfo info(path);
    const QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    const QString stem = path.left(path.size() - suffix.size()) + QLatin1String("_Backup");
    // An upgrade of the same file that failed before made this very copy: it serves again.
    const QString earlier = sameFileAmong(db, info.absolutePath(),
                                          QFileInfo(stem).fileName() + QLatin1Char('*') + suffix);
    if (!earlier.isEmpty()) return earlier;

    const QString base = stem + Clock::today().toString(QStringLiteral("yyyyMMdd"));
    QString name = base + suffix;
    for (qint64 n = 1; nameTaken(name); ++n)
        name = base + QLatin1Char('_') + QString::number(n) + suffix;
    // Written whole to a new file of its own, on the disk before it takes its name (and before
    // the upgrade that it guards commits); a copy that fails leaves nothing behind.
    rt::SaveFile copy(name);
    const auto failed = [&](const QString& cause) {
        copy.cancelWriting();
        return DatabaseError(QStringLiteral("Could not copy %1 to %2 (%3)").arg(path, name, cause));
    };
    if (!copy.open(QIODevice::WriteOnly)) throw failed(copy.errorString());
    try {
        db.readFile([&copy](QByteArrayView block) {
            return copy.write(block.data(), block.size()) == block.size();
        });
    } catch (const DatabaseError& failure) {
        throw failed(failure.text());
    }
    if (!copy.commit()) throw failed(copy.errorString());
    showMessage(
        progress,
        QStringLiteral("The original Tavrin database has been backed up as:\r\n\r\n") + name,
        applicationTitle());
    return name;
}

// The copy before the first change of a file, made once per transaction (`made` says whether
// it was) through the connection that holds the file's lock.
void backupOnce(DatabaseConnection& db, const QString& path, const DatabaseProgress& progress,
                bool& made) {
    if (made) return;
    made = true;
    backup(db, path, progress);
}

void addColumn(DatabaseConnection& db, const QString& table, const ColumnDef& column,
               const KeyDef* foreignKey = nullptr) {
    if (column.autoIncrement) {
        throw DatabaseError(QStringLiteral("A numbered column cannot be added to %1").arg(table));
    }
    QString sql = QStringLiteral("ALTER TABLE \"%1\" ADD COLUMN ").arg(table) + columnSql(column);
    if (!column.nullable) {
        sql += sqlType(column.type) == QLatin1String("TEXT") ? QLatin1String(" DEFAULT ''")
                                                             : QLatin1String(" DEFAULT 0");
    }
    if (foreignKey) {
        sql += QStringLiteral(" CONSTRAINT \"%1\" REFERENCES \"%2\" (\"%3\")")
                   .arg(QLatin1String(foreignKey->name), QLatin1String(foreignKey->relatedTable),
                        QLatin1String(foreignKey->relatedColumns));
        if (foreignKey->deleteRule == DeleteRule::Cascade)
            sql += QLatin1String(" ON DELETE CASCADE");
    }
    db.exec(sql);
}

void setVersion(DatabaseConnection& db, const QString& version, const QString& mode) {
    if (mode == QLatin1String("U")) {
        db.exec(
            QStringLiteral("UPDATE TVDBControl SET ControlValue = ? WHERE ControlKey = 'version'"),
            {version});
    } else {
        db.exec(QStringLiteral(
                    "INSERT INTO TVDBControl (ControlKey, ControlValue) VALUES ('version', ?)"),
                {version});
    }
}

QString versionOf(DatabaseConnection& db) {
    QSqlQuery query = db.exec(
        QStringLiteral("SELECT ControlValue FROM TVDBControl WHERE ControlKey = 'version'"));
    if (!query.next())
        throw DatabaseError(QStringLiteral("The control table holds no version row."));
    return query.value(0).toString();
}

// A field reference that may now be null (an object without a field definition): a file made
// while it was required gets the table rebuilt, rows kept.
void AllowMissingFields(DatabaseConnection& db, const QString& path,
                        const DatabaseProgress& progress, bool& backedUp) {
    const std::pair<const char*, const char*> optional[] = {
        {"FieldObjects", "Field_Id"},
        {"BlobObjects", "DatabaseField_Id"},
        {"CrossTabGroups", "Field_Id"},
        {"SortFields", "Field_Id"},
        {"SummaryFields", "SummarizedField_Id"}};
    for (const auto& [table, column] : optional) {
        QSqlQuery info =
            db.exec(QStringLiteral("SELECT \"notnull\" FROM pragma_table_info(?) WHERE name = ?"),
                    {QLatin1String(table), QLatin1String(column)});
        const bool required = info.next() && info.value(0).toBool();
        info.finish();
        if (required) {
            backupOnce(db, path, progress, backedUp);
            rebuildTable(db, table, {});
        }
    }
}

// The indexes beside the keys; a file from before them gets them here.
void CreateIndexes(DatabaseConnection& db) {
    QSqlQuery existing =
        db.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'index'"));
    QSet<QString> names;
    while (existing.next()) names.insert(existing.value(0).toString());
    existing.finish();
    for (const IndexDef& index : schemaIndexes()) {
        if (!names.contains(index.name)) db.exec(index.sql);
    }
}

// The old ConditionalFormulas held one formula per report object, keyed without a number of its
// own. Each row comes back numbered across the table, with no area and section, and without an
// object when its object is gone. The texts are bound, so they come back exactly as they were.
void UpgradeConditionalFormulas(DatabaseConnection& db) {
    db.exec(QStringLiteral("ALTER TABLE ConditionalFormulas RENAME TO temp_ConditionalFormulas"));
    createTable(db, "ConditionalFormulas");
    QSqlQuery rows = db.exec(QStringLiteral(
        "SELECT cf.Report_Id, cf.ReportObject_Id, cf.Name, cf.FormulaText, "
        "EXISTS (SELECT 1 FROM ReportObjects ro WHERE ro.Report_Id = cf.Report_Id "
        "AND ro.ReportObject_Id = cf.ReportObject_Id) FROM temp_ConditionalFormulas cf "
        "ORDER BY cf.rowid"));
    qint64 counter = 1;
    while (rows.next()) {
        const QVariant objectId = rows.value(4).toBool() ? rows.value(1) : QVariant();
        db.exec(QStringLiteral("INSERT INTO ConditionalFormulas (Report_Id, ConditionalFormula_Id, "
                               "Area_Id, Section_Id, ReportObject_Id, Name, FormulaText) "
                               "VALUES (?, ?, NULL, NULL, ?, ?, ?)"),
                {rows.value(0), counter++, objectId, rows.value(2), rows.value(3)});
    }
    rows.finish();
    db.exec(QStringLiteral("DROP TABLE temp_ConditionalFormulas"));
}

// The steps that bring a file below the current version to it. Each step looks first, so that a
// file that already has part of the current shape keeps it and goes on.
void upgradeToCurrent(DatabaseConnection& db, const DatabaseProgress& progress) {
    if (!db.hasTable(QStringLiteral("HyperlinkFormatting"))) {
        showStatus(progress, true, QStringLiteral("Creating HyperlinkFormatting Table"));
        createTable(db, "HyperlinkFormatting");
    }
    showStatus(progress, true, QStringLiteral("Adding CrossTabGroups Table Type"));
    if (!db.hasColumn(QStringLiteral("CrossTabGroups"), QStringLiteral("Type"))) {
        UpgradeCrossTabGroups(db);
    }
    showStatus(progress, true, QStringLiteral("Adding Report OwnerTable and ID"));
    if (!db.hasTable(QStringLiteral("ReportOwner"))) createTable(db, "ReportOwner");
    const TableDef& reports = schemaTable("Reports");
    if (!db.hasColumn(QStringLiteral("Reports"), QStringLiteral("ReportFormatStyle"))) {
        // Rows already there have no style: an upgraded file takes the column as optional.
        ColumnDef style = *reports.column(QStringLiteral("ReportFormatStyle"));
        style.nullable = true;
        addColumn(db, QStringLiteral("Reports"), style);
    }
    if (!db.hasColumn(QStringLiteral("Reports"), QStringLiteral("ReportOwner_Id"))) {
        const KeyDef* ownerKey = nullptr;
        for (const KeyDef& key : reports.keys) {
            if (key.kind == KeyKind::Foreign &&
                QLatin1String(key.relatedTable) == QLatin1String("ReportOwner")) {
                ownerKey = &key;
            }
        }
        addColumn(db, QStringLiteral("Reports"), *reports.column(QStringLiteral("ReportOwner_Id")),
                  ownerKey);
    }
    if (!db.hasColumn(QStringLiteral("ConditionalFormulas"),
                      QStringLiteral("ConditionalFormula_Id"))) {
        showStatus(progress, true, QStringLiteral("Upgrading Conditional Formula table"));
        UpgradeConditionalFormulas(db);
    }
}

}  // namespace

QString DatabasePath(const QString& folder) { return folder + QLatin1String(kDatabaseFileName); }

QString NewerVersion(DatabaseConnection& db) {
    if (!db.hasTable(QStringLiteral("TVDBControl"))) return {};
    const QString version = versionOf(db);
    return isNewer(version) ? version : QString();
}

namespace {

void createSchema(DatabaseConnection& db, const DatabaseProgress& progress) {
    showStatus(progress, true, QStringLiteral("Creating new Tavrin database"));
    for (const TableDef& table : schemaTables()) db.exec(createTableSql(table));
    setVersion(db, QLatin1String(kCurrentVersion), QStringLiteral("I"));
    for (const ViewDef& view : schemaViews()) db.exec(QLatin1String(view.sql));
}

// Brings the file to the current version; a file of a later version than this program's is left
// as it is, since a change made in ignorance of its schema may lose what it holds. Answers
// whether the file is of such a version.
bool upgrade(DatabaseConnection& db, const QString& path, const DatabaseProgress& progress,
             bool& backedUp) {
    const bool hasControl = db.hasTable(QStringLiteral("TVDBControl"));
    const QString version = hasControl ? versionOf(db) : QLatin1String(kOldestVersion);
    if (hasControl && version >= QLatin1String(kCurrentVersion)) return isNewer(version);
    backupOnce(db, path, progress, backedUp);
    if (!hasControl) {
        showStatus(progress, true, QStringLiteral("Creating TVDBControl table"));
        createTable(db, "TVDBControl");
        setVersion(db, QLatin1String(kOldestVersion), QStringLiteral("I"));
        if (!db.hasColumn(QStringLiteral("FieldElementsMapping"),
                          QStringLiteral("FieldElementSeq"))) {
            showStatus(progress, true, QStringLiteral("Creating FieldElementsMapping Table"));
            rebuildTable(db, "FieldElementsMapping", {{QStringLiteral("FieldElementSeq"), 1}});
        }
    }
    upgradeToCurrent(db, progress);
    setVersion(db, QLatin1String(kCurrentVersion), QStringLiteral("U"));
    return false;
}

// Creating and upgrading happen inside one write transaction: a second process waits for the
// first and then finds the file made. A file without tables (new, 0 bytes, or a creation that
// never completed) is a new database. Nothing is ever deleted: the file may be another
// process's.
bool prepareDatabase(const QString& path, bool mayCreate, const DatabaseProgress& progress,
                     QString* error,
                     int busyTimeoutMs = DatabaseConnection::kDefaultBusyTimeoutMs) {
    bool creating = false;
    // Until the file is open, its lock held and its tables read, a failure is the opening's
    // (not a database, locked by another process), whatever comes after.
    bool opened = false;
    try {
        DatabaseConnection db(path, mayCreate, busyTimeoutMs);
        db.begin();
        try {
            creating = db.isEmpty();
            opened = true;
            bool newer = false;
            if (creating) {
                createSchema(db, progress);
            } else {
                bool backedUp = false;
                newer = upgrade(db, path, progress, backedUp);
                if (!newer) AllowMissingFields(db, path, progress, backedUp);
            }
            if (!newer) CreateIndexes(db);
            db.commit();
        } catch (const DatabaseError&) {
            db.rollback();
            throw;
        }
    } catch (const DatabaseError& failure) {
        if (error) *error = failure.text();
        if (!opened) {
            showMessage(
                progress,
                QStringLiteral("Could not open the database %1\r\n\r\n").arg(path) + failure.text(),
                QStringLiteral("Tavrin Database"));
        } else if (creating) {
            showMessage(progress, failure.text(), applicationTitle());
        } else {
            showMessage(progress,
                        QStringLiteral("Error updating database\r\n\r\n") + failure.text(),
                        QStringLiteral("Tavrin Database Schema Update"));
        }
        showStatus(progress, false, QString());
        return false;
    }
    showStatus(progress, false, QString());
    return true;
}

}  // namespace

bool CreateDatabase(const QString& path, const DatabaseProgress& progress, QString* error) {
    const QFileInfo info(path);
    if (info.exists() && info.size() > 0) {
        const QString exists = QStringLiteral("The database file %1 already exists.").arg(path);
        if (error) *error = exists;
        showStatus(progress, true, QStringLiteral("Creating new Tavrin database"));
        showMessage(progress, exists, applicationTitle());
        showStatus(progress, false, QString());
        return false;
    }
    return prepareDatabase(path, true, progress, error);
}

bool OpenAndUpgradeDatabase(const QString& path, const DatabaseProgress& progress, QString* error) {
    return prepareDatabase(path, false, progress, error);
}

bool OpenOrCreateDatabase(const QString& path, const DatabaseProgress& progress, QString* error,
                          int busyTimeoutMs) {
    return prepareDatabase(path, true, progress, error, busyTimeoutMs);
}

}  // namespace DatabaseCreator

}  // namespace tav::database
