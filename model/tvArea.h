#pragma once

#include "RtObject.h"
#include "tvCollections.h"

class tvReport;

// One area of the report: its kind, options and sections.
class tvArea {
public:
    tvArea();
    ~tvArea();

    void init(const rt::Object& crArea, tvReport& objectParent);

    tvReport* parent = nullptr;
    QString name;
    qint16 kind = 0;
    ::tvSections tvSections;
};
