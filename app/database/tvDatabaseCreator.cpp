#include "tvDatabaseCreator.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QVariant>

#include "tvDbConnection.h"

namespace tvDatabaseCreator {
namespace {

tvDatabaseProgress& progress() {
    static tvDatabaseProgress instance;
    return instance;
}

void showStatus(bool show, const QString& text) {
    if (progress().status) progress().status(show, text);
}

void showMessage(const QString& text, const QString& title) {
    if (progress().message) progress().message(text, title);
}

QString applicationTitle() {
    const QString name = QCoreApplication::applicationName();
    return name.isEmpty() ? QStringLiteral("Tavrin") : name;
}

const tvTableDef& schemaTable(const char* name) {
    const tvTableDef* table = tvSchemaTable(QLatin1String(name));
    if (!table)
        throw tvDbError(QStringLiteral("No table %1 in the schema").arg(QLatin1String(name)));
    return *table;
}

void createTable(tvDbConnection& db, const char* name) {
    db.exec(tvCreateTableSql(schemaTable(name)));
}

// Builds a table anew in its present shape and copies its rows over; the columns that the old
// shape lacks take the values given. Used where a column joins a key, which the engine cannot
// change in place.
void rebuildTable(tvDbConnection& db, const char* name,
                  const QList<std::pair<QString, QVariant>>& fill) {
    const tvTableDef& table = schemaTable(name);
    const QString rebuilt = QLatin1String("new_") + QLatin1String(name);
    const QStringList old = db.columns(QLatin1String(name));
    db.exec(tvCreateTableSql(table, rebuilt));
    QStringList into;
    QStringList from;
    QVariantList values;
    for (const tvColumnDef& column : table.columns) {
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
    db.exec(QStringLiteral("DROP TABLE \"%1\"").arg(QLatin1String(name)));
    db.exec(
        QStringLiteral("ALTER TABLE \"%1\" RENAME TO \"%2\"").arg(rebuilt, QLatin1String(name)));
}

// The old ConditionalFormulas held one formula per report object, keyed without a number of its
// own. Each row comes back numbered across the table, with no area and section, and without an
// object when its object is gone. The texts are bound, so they come back exactly as they were.
void UpgradeConditionalFormulas(tvDbConnection& db) {
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
void upgradeToCurrent(tvDbConnection& db) {
    if (!db.hasTable(QStringLiteral("HyperlinkFormatting"))) {
        showStatus(true, QStringLiteral("Creating HyperlinkFormatting Table"));
        createTable(db, "HyperlinkFormatting");
    }
    showStatus(true, QStringLiteral("Adding CrossTabGroups Table Type"));
    if (!db.hasColumn(QStringLiteral("CrossTabGroups"), QStringLiteral("Type"))) {
        rebuildTable(db, "CrossTabGroups", {{QStringLiteral("Type"), QString(QLatin1String(""))}});
    }
    showStatus(true, QStringLiteral("Adding Report OwnerTable and ID"));
    if (!db.hasTable(QStringLiteral("ReportOwner"))) createTable(db, "ReportOwner");
    const tvTableDef& reports = schemaTable("Reports");
    if (!db.hasColumn(QStringLiteral("Reports"), QStringLiteral("ReportFormatStyle"))) {
        // Rows already there have no style: an upgraded file takes the column as optional.
        tvColumnDef style = *reports.column(QStringLiteral("ReportFormatStyle"));
        style.nullable = true;
        AddColumn(db, QStringLiteral("Reports"), style);
    }
    if (!db.hasColumn(QStringLiteral("Reports"), QStringLiteral("ReportOwner_Id"))) {
        const tvKeyDef* ownerKey = nullptr;
        for (const tvKeyDef& key : reports.keys) {
            if (key.kind == tvKeyKind::Foreign &&
                QLatin1String(key.relatedTable) == QLatin1String("ReportOwner")) {
                ownerKey = &key;
            }
        }
        AddColumn(db, QStringLiteral("Reports"), *reports.column(QStringLiteral("ReportOwner_Id")),
                  ownerKey);
    }
    if (!db.hasColumn(QStringLiteral("ConditionalFormulas"),
                      QStringLiteral("ConditionalFormula_Id"))) {
        showStatus(true, QStringLiteral("Upgrading Conditional Formula table"));
        UpgradeConditionalFormulas(db);
    }
}

}  // namespace

void setProgress(tvDatabaseProgress p) { progress() = std::move(p); }

QString DatabasePath(const QString& folder) { return folder + QLatin1String(kDatabaseFileName); }

void AddColumn(tvDbConnection& db, const QString& table, const tvColumnDef& column,
               const tvKeyDef* foreignKey) {
    if (column.autoIncrement) {
        throw tvDbError(QStringLiteral("A numbered column cannot be added to %1").arg(table));
    }
    QString sql = QStringLiteral("ALTER TABLE \"%1\" ADD COLUMN ").arg(table) + tvColumnSql(column);
    if (!column.nullable) {
        sql += tvSqlType(column.type) == QLatin1String("TEXT") ? QLatin1String(" DEFAULT ''")
                                                               : QLatin1String(" DEFAULT 0");
    }
    if (foreignKey) {
        sql += QStringLiteral(" CONSTRAINT \"%1\" REFERENCES \"%2\" (\"%3\")")
                   .arg(QLatin1String(foreignKey->name), QLatin1String(foreignKey->relatedTable),
                        QLatin1String(foreignKey->relatedColumns));
        if (foreignKey->deleteRule == tvDeleteRule::Cascade)
            sql += QLatin1String(" ON DELETE CASCADE");
    }
    db.exec(sql);
}

void SetDatabaseVersion(tvDbConnection& db, const QString& version, const QString& mode) {
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

QString DatabaseVersion(tvDbConnection& db) {
    QSqlQuery query = db.exec(
        QStringLiteral("SELECT ControlValue FROM TVDBControl WHERE ControlKey = 'version'"));
    if (!query.next()) throw tvDbError(QStringLiteral("The control table holds no version row."));
    return query.value(0).toString();
}

bool CreateDatabase(const QString& path) {
    showStatus(true, QStringLiteral("Creating new Tavrin database"));
    if (QFileInfo::exists(path)) {
        showMessage(QStringLiteral("The database file %1 already exists.").arg(path),
                    applicationTitle());
        return false;
    }
    try {
        tvDbConnection db(path, true);
        try {
            db.begin();
            for (const tvTableDef& table : tvSchemaTables()) db.exec(tvCreateTableSql(table));
            SetDatabaseVersion(db, QLatin1String(kCurrentVersion), QStringLiteral("I"));
            for (const tvViewDef& view : tvSchemaViews()) db.exec(QLatin1String(view.sql));
            db.commit();
            return true;
        } catch (const tvDbError&) {
            db.rollback();
            throw;
        }
    } catch (const tvDbError& error) {
        // A file that was only begun is no database; the next call starts afresh.
        QFile::remove(path);
        showMessage(error.text(), applicationTitle());
        return false;
    }
}

QString BackupDatabase(const QString& path, const QDate& today) {
    showStatus(true, QStringLiteral("Making backup copy of Tavrin database"));
    const QFileInfo info(path);
    const QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    const QString base = path.left(path.size() - suffix.size()) + QLatin1String("_Backup") +
                         today.toString(QStringLiteral("yyyyMMdd"));
    QString name = base + suffix;
    for (qint64 n = 1; QFileInfo::exists(name); ++n)
        name = base + QLatin1Char('_') + QString::number(n) + suffix;

    const QString temporary = name + QLatin1String(".part");
    QFile::remove(temporary);
    if (!QFile::copy(path, temporary) || !QFile::rename(temporary, name)) {
        QFile::remove(temporary);
        throw tvDbError(QStringLiteral("Could not copy %1 to %2").arg(path, name));
    }
    showMessage(QStringLiteral("The original Tavrin datbase has been backed up as:\r\n\r\n") + name,
                applicationTitle());
    return name;
}

bool OpenAndUpgradeDatabase(const QString& path) {
    bool ok = true;
    try {
        tvDbConnection db(path);
        const bool hasControl = db.hasTable(QStringLiteral("TVDBControl"));
        const QString version = hasControl ? DatabaseVersion(db) : QLatin1String(kOldestVersion);
        // Versions compare as text, character by character.
        if (!hasControl || version < QLatin1String(kCurrentVersion)) {
            BackupDatabase(path);
            db.begin();
            try {
                if (!hasControl) {
                    showStatus(true, QStringLiteral("Creating TVDBControl table"));
                    createTable(db, "TVDBControl");
                    SetDatabaseVersion(db, QLatin1String(kOldestVersion), QStringLiteral("I"));
                    if (!db.hasColumn(QStringLiteral("FieldElementsMapping"),
                                      QStringLiteral("FieldElementSeq"))) {
                        showStatus(true, QStringLiteral("Creating FieldElementsMapping Table"));
                        rebuildTable(db, "FieldElementsMapping",
                                     {{QStringLiteral("FieldElementSeq"), 1}});
                    }
                }
                upgradeToCurrent(db);
                SetDatabaseVersion(db, QLatin1String(kCurrentVersion), QStringLiteral("U"));
                db.commit();
            } catch (const tvDbError&) {
                db.rollback();
                throw;
            }
        }
    } catch (const tvDbError& error) {
        showMessage(QStringLiteral("Error updating database\r\n\r\n") + error.text(),
                    QStringLiteral("Tavrin Database Schema Update"));
        ok = false;
    }
    showStatus(false, QString());
    return ok;
}

}  // namespace tvDatabaseCreator
