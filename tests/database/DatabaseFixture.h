#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariantMap>

#include "DatabaseConnection.h"
#include "DatabaseCreator.h"

using namespace tav::database;

// A temporary database folder, and the texts that the database module shows while a test runs.
class DatabaseFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        progress.status = [this](bool show, const QString& text) {
            if (show) statuses << text;
            statusShown = show;
        };
        progress.message = [this](const QString& text, const QString& title) {
            messages << title + QLatin1String(": ") + text;
        };
    }

    QString path() const { return DatabaseCreator::DatabasePath(dir.path() + QLatin1Char('/')); }

    QStringList backups() const {
        return QDir(dir.path()).entryList({QStringLiteral("tv_Backup*")}, QDir::Files, QDir::Name);
    }

    static QByteArray bytes(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    DatabaseProgress progress;  // catches what the database module tells
    QStringList statuses;
    bool statusShown = false;  // whether the status is shown still
    QStringList messages;
};

// A row with every column of the live table filled: the values given, else 0 or "".
inline void insertRow(DatabaseConnection& db, const QString& table, const QVariantMap& values) {
    QSqlQuery info =
        db.exec(QStringLiteral("SELECT name, type FROM pragma_table_info(?)"), {table});
    QStringList names;
    QStringList marks;
    QVariantList bound;
    while (info.next()) {
        const QString name = info.value(0).toString();
        names << name;
        marks << QStringLiteral("?");
        bound << (values.contains(name) ? values.value(name)
                  : info.value(1).toString() == QLatin1String("TEXT")
                      ? QVariant(QString(QLatin1String("")))
                      : QVariant(0));
    }
    db.exec(QStringLiteral("INSERT INTO \"%1\" (\"%2\") VALUES (%3)")
                .arg(table, names.join(QLatin1String("\", \"")), marks.join(QLatin1String(", "))),
            bound);
}

// The control table's version row, as a file of another version holds it.
inline void setVersion(DatabaseConnection& db, const QString& version) {
    db.exec(QStringLiteral("UPDATE TVDBControl SET ControlValue = ? WHERE ControlKey = 'version'"),
            {version});
}

// The live schema, one line per column (in column order), unique key and foreign key, in the
// form of the golden schema file.
inline QStringList dumpSchema(const QString& path) {
    DatabaseConnection db(path);
    QStringList lines;
    QSqlQuery tables = db.exec(QStringLiteral(
        "SELECT name, sql FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%' "
        "ORDER BY rowid"));
    while (tables.next()) {
        const QString table = tables.value(0).toString();
        const bool numbered = tables.value(1).toString().contains(QLatin1String("AUTOINCREMENT"));
        QSqlQuery columns = db.exec(
            QStringLiteral(
                "SELECT name, type, \"notnull\", pk FROM pragma_table_info(?) ORDER BY cid"),
            {table});
        while (columns.next()) {
            const int pk = columns.value(3).toInt();
            lines << table + QLatin1String(" column ") + columns.value(0).toString() +
                         QLatin1Char(' ') + columns.value(1).toString() +
                         (columns.value(2).toBool() ? QLatin1String(" notnull")
                                                    : QLatin1String(" null")) +
                         (pk ? QStringLiteral(" pk%1").arg(pk) : QString()) +
                         (pk == 1 && numbered &&
                                  columns.value(1).toString() == QLatin1String("INTEGER")
                              ? QLatin1String(" autoincrement")
                              : QLatin1String(""));
        }
        QStringList keys;
        QSqlQuery unique = db.exec(
            QStringLiteral("SELECT name FROM pragma_index_list(?) WHERE origin = 'u'"), {table});
        while (unique.next()) {
            QSqlQuery cols =
                db.exec(QStringLiteral("SELECT group_concat(name, ',') FROM "
                                       "(SELECT name FROM pragma_index_info(?) ORDER BY seqno)"),
                        {unique.value(0)});
            cols.next();
            keys << table + QLatin1String(" unique ") + cols.value(0).toString();
        }
        QSqlQuery foreign =
            db.exec(QStringLiteral(
                        "SELECT \"table\", group_concat(\"from\", ','), group_concat(\"to\", ','), "
                        "on_delete FROM "
                        "(SELECT * FROM pragma_foreign_key_list(?) ORDER BY id, seq) GROUP BY id"),
                    {table});
        QStringList foreignKeys;
        while (foreign.next()) {
            foreignKeys << table + QLatin1String(" foreign ") + foreign.value(1).toString() +
                               QLatin1String(" -> ") + foreign.value(0).toString() +
                               QLatin1Char('(') + foreign.value(2).toString() +
                               QLatin1String(") on delete ") + foreign.value(3).toString();
        }
        keys.sort();
        foreignKeys.sort();
        lines << keys << foreignKeys;
    }
    return lines;
}
