#pragma once

#include <QString>
#include <memory>

#include "ReportOwner.h"

namespace tav::database {

// The owner store: reads and changes the table ReportOwner. Each call opens its own connection
// to the database file and closes it before it returns. Names are bound values, so any text,
// apostrophes included, is stored and found as typed.
namespace ReportOwnerStore {

// One owner per row; the owners read so far when the database cannot be read.
std::unique_ptr<ReportOwners> LoadReportOwners(const QString& path);

// False when nothing was deleted: no such owner, or a report still names the owner.
bool DeleteReportOwner(const QString& path, qint32 id);

// Renames the owner with the owner's id; false when that fails.
bool UpdateReportOwner(const QString& path, const ReportOwner& owner);

// "" when the owner was added, else the reason: a name already present (compared ignoring case)
// or the database's failure.
QString AddReportOwner(const QString& path, const QString& name);

}  // namespace ReportOwnerStore

}  // namespace tav::database
