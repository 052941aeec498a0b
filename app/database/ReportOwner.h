#pragma once

#include <QList>
#include <QString>

namespace tav::database {

// A person or team that reports are stamped with: a row of the table ReportOwner.
struct ReportOwner {
    QString Name;
    qint32 ReportOwnerId = 0;
};

// The owners read from the database, in the order the database returned them.
using ReportOwners = QList<ReportOwner>;

}  // namespace tav::database
