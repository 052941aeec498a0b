#include "tvSectionSpan.h"

#include "tvRuntime.h"
#include "tvTypes.h"

tvSectionSpan::tvSectionSpan(const rt::Object& crObject, const QString& what) {
    const auto crStart = tvRequiredObject(crObject, "section");
    const QString startName = crStart->text("sectionName");
    const QString endName = tvRequiredObject(crObject, "endSection")->text("sectionName");
    sections_ =
        tvRequiredObject(*tvRequiredObject(*crStart, "area"), "report")->collection("Sections");

    start_ = sections_->indexOf("sectionName", startName);
    end_ = sections_->indexOf("sectionName", endName);
    // A height measured towards a section that is missing or above would be meaningless.
    QString reason;
    if (start_ == 0) {
        reason = QStringLiteral("is not in its report's list of sections");
    } else if (end_ == 0) {
        reason =
            QStringLiteral("ends in section \"%1\", which its report does not have").arg(endName);
    } else if (end_ < start_) {
        reason = QStringLiteral("ends in section \"%1\", which comes before it").arg(endName);
    }
    if (!reason.isEmpty()) {
        throw rt::Error(rt::kErrInvalidCall,
                        QStringLiteral("%1 in section \"%2\" %3").arg(what, startName, reason));
    }
}

qint32 tvSectionSpan::height(qint64 top, qint64 bottom, qint32 boundary) const {
    if (start_ == end_) return tvLong(bottom - top);
    qint64 extent = sections_->item(start_)->integer("height") - top;
    for (int i = start_ + 1; i < end_; ++i) extent += sections_->item(i)->integer("height");
    return tvLong(extent + static_cast<qint64>(boundary) * (end_ - start_) + bottom);
}
