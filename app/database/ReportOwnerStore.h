#pragma once

#include <QString>

#include "ReportOwner.h"

namespace tav::database {

// The owner store: reads and changes the table ReportOwner. Each call opens its own connection
// to the database file and closes it before it returns. Names are bound values, so any text,
// apostrophes included, is stored and found as typed. Every call tells whether it did what it
// was asked; when it did not, `error` (when given) says why.
namespace ReportOwnerStore {

// One owner per row into `owners`. False when the database cannot be read: `owners` then holds
// the owners read before.
bool LoadReportOwners(const QString& path, ReportOwners* owners, QString* error = nullptr);

// False when nothing was deleted: no such owner, or a report still names the owner.
bool DeleteReportOwner(const QString& path, qint32 id, QString* error = nullptr);

// The longest name the table holds, and the reason given for a longer one.
int MaxNameLength();
QString NameTooLong();

// Renames the owner with the owner's id; the reason of a failure starts "Could not rename Report
// Owner: ".
bool UpdateReportOwner(const QString& path, const ReportOwner& owner, QString* error = nullptr);

// False when the name is already present (compared ignoring case), too long, or the database
// fails; the reason starts "Could not add Report Owner to database: ".
bool AddReportOwner(const QString& path, const QString& name, QString* error = nullptr);

}  // namespace ReportOwnerStore

}  // namespace tav::database
