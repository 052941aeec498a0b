#pragma once

#include "RtObject.h"

class tvReport;

// One report alert.
class tvReportAlert {
public:
    void init(const rt::Object& crAlert, tvReport& objectParent);

    tvReport* parent = nullptr;
    QString name;
};
