#include "ReportOwnerStore.h"

#include <QSqlQuery>
#include <QVariant>

#include "DbConnection.h"

namespace tav::database {

namespace ReportOwnerStore {

std::unique_ptr<ReportOwners> LoadReportOwners(const QString& path) {
    auto owners = std::make_unique<ReportOwners>();
    try {
        DbConnection db(path);
        QSqlQuery rows = db.exec(QStringLiteral("SELECT Name, ReportOwner_id FROM ReportOwner"));
        while (rows.next()) {
            auto owner = std::make_unique<ReportOwner>();
            owner->Name = rows.value(0).toString();
            owner->ReportOwnerId = rows.value(1).toInt();
            owners->Add(std::move(owner));
        }
    } catch (const DbError&) {
        // The list shows what the table gave; the window has nothing better to offer.
    }
    return owners;
}

namespace {
// Runs one change and tells whether it changed a row.
bool changeOne(const QString& path, const QString& sql, const QVariantList& values) {
    try {
        DbConnection db(path);
        return db.exec(sql, values).numRowsAffected() > 0;
    } catch (const DbError&) {
        return false;
    }
}
}  // namespace

bool DeleteReportOwner(const QString& path, qint32 id) {
    return changeOne(path, QStringLiteral("DELETE FROM ReportOwner WHERE ReportOwner_id = ?"),
                     {id});
}

bool UpdateReportOwner(const QString& path, const ReportOwner& owner) {
    return changeOne(path,
                     QStringLiteral("UPDATE ReportOwner SET Name = ? WHERE ReportOwner_id = ?"),
                     {owner.Name, owner.ReportOwnerId});
}

QString AddReportOwner(const QString& path, const QString& name) {
    try {
        DbConnection db(path);
        // Compared here rather than in SQL, which folds the case of ASCII letters only.
        QSqlQuery rows = db.exec(QStringLiteral("SELECT Name FROM ReportOwner"));
        while (rows.next()) {
            if (rows.value(0).toString().compare(name, Qt::CaseInsensitive) == 0) {
                return QStringLiteral(
                    "Could not add Report Owner to database: Report Owner already exists.");
            }
        }
        rows.finish();
        db.exec(QStringLiteral("INSERT INTO ReportOwner (Name) VALUES (?)"), {name});
        return QString();
    } catch (const DbError& error) {
        return QStringLiteral("Could not add Report Owner to database: ") + error.text();
    }
}

}  // namespace ReportOwnerStore

}  // namespace tav::database
