#pragma once

#include "tvIReportObject.h"

// A line drawn in a section. A vertical line may run down into a later section; its height then
// spans the sections in between.
class tvLineObject final : public tvIReportObject {
public:
    tvLineObject() : tvIReportObject(tvLineObjectKind) {}

    void init(const rt::Object& crLineObject, tvSection& objectParent) override;

    bool suppress = false;
    QString name;
    qint32 lineThickness = 0;
    qint16 lineStyle = 0;
    qint32 lineColor = 0;
    bool extendToBottomOfSection = false;
    // Not filled: the sections below the line's own are not built yet when it is read.
    tvSection* endSection = nullptr;
    QString cssClass;
};
