#include "ReportOwnerStore.h"

#include <QSqlQuery>
#include <QVariant>

#include "DatabaseConnection.h"

namespace tav::database {

namespace ReportOwnerStore {

bool LoadReportOwners(const QString& path, ReportOwners& owners, QString* error) {
    try {
        DatabaseConnection db(path);
        QSqlQuery rows = db.exec(QStringLiteral("SELECT Name, ReportOwner_id FROM ReportOwner"));
        while (rows.next()) {
            auto owner = std::make_unique<ReportOwner>();
            owner->Name = rows.value(0).toString();
            owner->ReportOwnerId = rows.value(1).toInt();
            owners.Add(std::move(owner));
        }
        return true;
    } catch (const DatabaseError& failure) {
        if (error) *error = failure.text();
        return false;
    }
}

namespace {
// Runs one change and tells whether it changed a row.
bool changeOne(const QString& path, const QString& sql, const QVariantList& values,
               QString* error) {
    try {
        DatabaseConnection db(path);
        return db.exec(sql, values).numRowsAffected() > 0;
    } catch (const DatabaseError& failure) {
        if (error) *error = failure.text();
        return false;
    }
}
}  // namespace

bool DeleteReportOwner(const QString& path, qint32 id, QString* error) {
    return changeOne(path, QStringLiteral("DELETE FROM ReportOwner WHERE ReportOwner_id = ?"), {id},
                     error);
}

bool UpdateReportOwner(const QString& path, const ReportOwner& owner, QString* error) {
    return changeOne(path,
                     QStringLiteral("UPDATE ReportOwner SET Name = ? WHERE ReportOwner_id = ?"),
                     {owner.Name, owner.ReportOwnerId}, error);
}

bool AddReportOwner(const QString& path, const QString& name, QString* error) {
    const QString refused = QStringLiteral("Could not add Report Owner to database: ");
    try {
        DatabaseConnection db(path);
        // Compared here rather than in SQL, which folds the case of ASCII letters only.
        QSqlQuery rows = db.exec(QStringLiteral("SELECT Name FROM ReportOwner"));
        while (rows.next()) {
            if (rows.value(0).toString().compare(name, Qt::CaseInsensitive) == 0) {
                if (error) *error = refused + QStringLiteral("Report Owner already exists.");
                return false;
            }
        }
        rows.finish();
        db.exec(QStringLiteral("INSERT INTO ReportOwner (Name) VALUES (?)"), {name});
        return true;
    } catch (const DatabaseError& failure) {
        if (error) *error = refused + failure.text();
        return false;
    }
}

}  // namespace ReportOwnerStore

}  // namespace tav::database
