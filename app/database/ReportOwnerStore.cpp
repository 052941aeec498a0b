#include "ReportOwnerStore.h"

#include <QSqlQuery>
#include <QVariant>

#include "DatabaseConnection.h"
#include "DatabaseSchema.h"

namespace tav::database {

namespace ReportOwnerStore {

namespace {

bool failed(QString* error, const QString& reason) {
    if (error) *error = reason;
    return false;
}

// Runs one change that is to change one row.
bool changeOne(const QString& path, const QString& sql, const QVariantList& values,
               const QString& noRow, QString* error) {
    try {
        DatabaseConnection db(path);
        return db.exec(sql, values).numRowsAffected() > 0 || failed(error, noRow);
    } catch (const DatabaseError& e) {
        return failed(error, e.text());
    }
}

QString noSuchOwner(qint32 id) { return QStringLiteral("No Report Owner has the id %1").arg(id); }

// A name the column cannot hold is refused in words, before the engine refuses it in its own.
bool fits(const QString& name, const QString& failure, QString* error) {
    return name.size() <= MaxNameLength() || failed(error, failure + NameTooLong());
}

}  // namespace

bool LoadReportOwners(const QString& path, ReportOwners* owners, QString* error) {
    owners->clear();
    try {
        DatabaseConnection db(path);
        QSqlQuery rows = db.exec(QStringLiteral("SELECT Name, ReportOwner_id FROM ReportOwner"));
        while (rows.next()) owners->append({rows.value(0).toString(), rows.value(1).toInt()});
        return true;
    } catch (const DatabaseError& e) {
        return failed(error, e.text());
    }
}

bool DeleteReportOwner(const QString& path, qint32 id, QString* error) {
    return changeOne(path, QStringLiteral("DELETE FROM ReportOwner WHERE ReportOwner_id = ?"), {id},
                     noSuchOwner(id), error);
}

int MaxNameLength() {
    static const int length = database::schemaTable(QStringLiteral("ReportOwner"))
                                  ->column(QStringLiteral("Name"))
                                  ->definedSize;
    return length;
}

QString NameTooLong() {
    return QStringLiteral("The Report Owner is too long: a Report Owner has at most %1 characters.")
        .arg(MaxNameLength());
}

bool UpdateReportOwner(const QString& path, const ReportOwner& owner, QString* error) {
    if (!fits(owner.Name, QStringLiteral("Could not rename Report Owner: "), error)) return false;
    return changeOne(path,
                     QStringLiteral("UPDATE ReportOwner SET Name = ? WHERE ReportOwner_id = ?"),
                     {owner.Name, owner.ReportOwnerId}, noSuchOwner(owner.ReportOwnerId), error);
}

bool AddReportOwner(const QString& path, const QString& name, QString* error) {
    const QString failure = QStringLiteral("Could not add Report Owner to database: ");
    if (!fits(name, failure, error)) return false;
    try {
        DatabaseConnection db(path);
        // Compared here rather than in SQL, which folds the case of ASCII letters only.
        QSqlQuery rows = db.exec(QStringLiteral("SELECT Name FROM ReportOwner"));
        while (rows.next()) {
            if (rows.value(0).toString().compare(name, Qt::CaseInsensitive) == 0)
                return failed(error, failure + QStringLiteral("Report Owner already exists."));
        }
        rows.finish();
        db.exec(QStringLiteral("INSERT INTO ReportOwner (Name) VALUES (?)"), {name});
        return true;
    } catch (const DatabaseError& e) {
        return failed(error, failure + e.text());
    }
}

}  // namespace ReportOwnerStore

}  // namespace tav::database
