#pragma once

#include <QByteArray>
#include <QSize>
#include <atomic>
#include <future>
#include <thread>
#include <vector>

#include "LayoutPicture.h"

class tvReport;

namespace tav::word {

// The layout pictures of a report and of each of its subreports as PNG files. Made `aside`, they
// are drawn and stored one after the other on a worker thread from the start, while the caller
// goes on with the document; otherwise each is made on the caller's thread when asked for. The
// files are the same either way. The report must stay as it is while the object lives; the
// destructor lets the worker finish the picture in hand, start no other and end.
class LayoutPictureWorker {
public:
    LayoutPictureWorker(const LayoutPicture& painter, const tvReport& mainReport, bool aside);
    ~LayoutPictureWorker();
    LayoutPictureWorker(const LayoutPictureWorker&) = delete;
    LayoutPictureWorker& operator=(const LayoutPictureWorker&) = delete;

    // The size in pixels of the index-th picture (0 the main report's); throws as
    // LayoutPicture::SizeOfReport does.
    QSize SizeOf(qsizetype index) const { return painter_.SizeOfReport(report_, index); }
    // The PNG file of the index-th picture, made or being made: empty when it could not be
    // stored, the drawing's exception when it could not be drawn.
    std::shared_future<QByteArray> PngOf(qsizetype index);

private:
    QByteArray make(qsizetype index) const;

    const LayoutPicture painter_;
    const tvReport& report_;
    std::vector<std::promise<QByteArray>> made_;  // one for each report, aside
    std::vector<std::shared_future<QByteArray>> files_;
    std::atomic<bool> stop_{false};
    std::thread worker_;
};

}  // namespace tav::word
