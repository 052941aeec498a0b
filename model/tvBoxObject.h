#pragma once

#include "tvIReportObject.h"

// A box drawn in a section; it may run down into a later section, and its height then spans
// the sections in between. Every box is named "Box".
class tvBoxObject final : public tvIReportObject {
public:
    tvBoxObject() : tvIReportObject(tvBoxObjectKind) {}

    void init(const rt::Object& crBoxObject, tvSection& objectParent) override;

    QString key;  // nothing sets it
    bool extendToBottomOfSection = false;
    qint32 fillColor = 0;
    bool hasDropShadow = false;
    QString cssClass;
    bool closeAtPageBreak = false;
    qint32 cornerEllipseHeight = 0;
    QString cornerEllipseWidth = QStringLiteral("0");  // a whole number, as its decimal text
    qint32 lineColor = 0;
    QString lineStyle;      // the runtime's code as decimal text
    QString lineThickness;  // decimal text
    QString name;
    bool suppress = false;
};
