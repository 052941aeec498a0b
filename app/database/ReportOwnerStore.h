#pragma once

#include <QString>

#include "ReportOwner.h"

namespace tav::database {

// The owner store: reads and changes the table ReportOwner. Each call opens its own connection
// to the database file and closes it before it returns. Names are bound values, so any text,
// apostrophes included, is stored and found as typed. A call that fails answers false with the
// reason in `error`.
namespace ReportOwnerStore {

// One owner per row into `owners`; the owners read so far when the database cannot be read.
bool LoadReportOwners(const QString& path, ReportOwners& owners, QString* error = nullptr);

// False when nothing was deleted: no such owner (no reason then), or a report still names it.
bool DeleteReportOwner(const QString& path, qint32 id, QString* error = nullptr);

// Renames the owner with the owner's id; false when no row changed.
bool UpdateReportOwner(const QString& path, const ReportOwner& owner, QString* error = nullptr);

// Adds the owner; false with the reason ("Could not add Report Owner to database: " and the
// cause) for a name already present (compared ignoring case) or the database's failure.
bool AddReportOwner(const QString& path, const QString& name, QString* error = nullptr);

}  // namespace ReportOwnerStore

}  // namespace tav::database
