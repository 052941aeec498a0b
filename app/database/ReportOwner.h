#pragma once

#include <QString>
#include <memory>

#include "tvCollection.h"

namespace tav::database {

class ReportOwner;

// The owners read from the database, in the order the database returned them.
using ReportOwners = tvCollection<ReportOwner>;

// A person or team that reports are stamped with: a row of the table ReportOwner.
class ReportOwner {
public:
    QString Name;
    qint32 ReportOwnerId = 0;

    // A child collection, created empty on its first read.
    ReportOwners& getReportOwners() {
        if (!reportOwners_) reportOwners_ = std::make_unique<ReportOwners>();
        return *reportOwners_;
    }
    void setReportOwners(std::unique_ptr<ReportOwners> owners) {
        reportOwners_ = std::move(owners);
    }

private:
    std::unique_ptr<ReportOwners> reportOwners_;
};

}  // namespace tav::database
