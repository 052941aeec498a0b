#include "LayoutPictureWorker.h"

#include <system_error>

#include "PngImage.h"
#include "tvReport.h"

namespace tav::word {

LayoutPictureWorker::LayoutPictureWorker(const LayoutPicture& painter, const tvReport& mainReport,
                                         bool aside)
    : painter_(painter), report_(mainReport) {
    if (!aside) return;
    const qsizetype count = mainReport.subReports.Count() + 1;
    made_.resize(std::size_t(count));
    for (std::promise<QByteArray>& made : made_) files_.push_back(made.get_future().share());
    try {
        worker_ = std::thread([this] {
            for (std::size_t index = 0; index < made_.size() && !stop_; ++index) {
                try {
                    made_[index].set_value(make(qsizetype(index)));
                } catch (...) {
                    made_[index].set_exception(std::current_exception());
                }
            }
        });
    } catch (const std::system_error&) {  // no thread to be had: each is made when asked for
        made_.clear();
        files_.clear();
    }
}

LayoutPictureWorker::~LayoutPictureWorker() {
    stop_ = true;
    if (worker_.joinable()) worker_.join();
}

QByteArray LayoutPictureWorker::make(qsizetype index) const {
    return tvdocx::pngOf(painter_.DrawReport(report_, index));
}

std::shared_future<QByteArray> LayoutPictureWorker::PngOf(qsizetype index) {
    if (index >= 0 && index < qsizetype(files_.size())) return files_[std::size_t(index)];
    std::promise<QByteArray> made;
    made.set_value(make(index));
    return made.get_future().share();
}

}  // namespace tav::word
