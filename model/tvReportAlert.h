#pragma once

#include "RtObject.h"

class tvReport;

// One report alert. It does not keep its report.
class tvReportAlert {
public:
    void init(const rt::Object& reportAlert, tvReport& objectParent);

    QString conditionForumla;
    QString defaultMessage;
    bool isEnabled = false;
    QString messageFormula;
    QString name;
};
