#pragma once

#include "LineSink.h"

namespace tav::doctext {

// Collects the lines written to it as one text, without line breaks between them: the detail
// text of one report object, for comparing reports. One instance serves one object.
class CollectingLineSink final : public LineSink {
public:
    void WriteDetails(LineRole role, LineKind kind, const QString& text, const QString& value,
                      qint32 level) override;

    QString getDetails() const { return details_; }

private:
    QString details_;
};

}  // namespace tav::doctext
