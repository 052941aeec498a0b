#include "tvReportAlert.h"

void tvReportAlert::init(const rt::Object& crAlert, tvReport& objectParent) {
    parent = &objectParent;
    name = crAlert.text("name");
}
