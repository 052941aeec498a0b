#include "tvSectionSpan.h"

#include "tvRuntime.h"
#include "tvTypes.h"

namespace {

// Twips added for each section boundary a line or box crosses.
constexpr qint64 kLineBoundary = 60;
constexpr qint64 kBoxBoundary = 55;

}  // namespace

tvSectionSpan::tvSectionSpan(const rt::Object& crObject, const QString& what) {
    const auto crStart = tvRequiredObject(crObject, "section");
    startName_ = crStart->text("sectionName");
    endName_ = tvRequiredObject(crObject, "endSection")->text("sectionName");
    sections_ =
        tvRequiredObject(*tvRequiredObject(*crStart, "area"), "report")->collection("Sections");
    start_ = sections_->indexOf("sectionName", startName_);
    end_ = sections_->indexOf("sectionName", endName_);
    // The section that holds the object has a height to start from only within the list.
    if (start_ == 0) {
        throw rt::Error(
            rt::kErrInvalidCall,
            QStringLiteral("%1 in section \"%2\" is not in its report's list of sections")
                .arg(what, startName_));
    }
}

qint32 tvSectionSpan::lineHeight(qint64 top, qint64 bottom) const {
    if (start_ == end_) return tvLong(tvDifference(bottom, top));
    qint64 extent = tvDifference(sections_->item(start_)->integer("height"), top);
    for (int i = start_ + 1; i < end_; ++i)
        extent = tvSum(extent, sections_->item(i)->integer("height"));
    return tvLong(tvSum(tvSum(extent, kLineBoundary * (end_ - start_)), bottom));
}

qint32 tvSectionSpan::boxHeight(qint64 top, qint64 bottom) const {
    if (startName_ == endName_) return tvLong(tvDifference(bottom, top));
    qint64 sum = 0;
    bool started = false;
    const int count = sections_->count();
    for (int i = 1; i <= count; ++i) {
        const auto section = sections_->item(i);
        const QString name = section->text("sectionName");
        if (name == endName_) break;
        if (started) sum = tvSum(sum, tvSum(section->integer("height"), kBoxBoundary));
        if (name == startName_) started = true;
    }
    const qint64 rest = tvDifference(sections_->item(start_)->integer("height"), top);
    return tvLong(tvSum(tvSum(tvSum(rest, sum), kBoxBoundary), bottom));
}
