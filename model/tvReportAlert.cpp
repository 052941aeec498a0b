#include "tvReportAlert.h"

void tvReportAlert::init(const rt::Object& reportAlert, tvReport&) {
    conditionForumla = reportAlert.text("conditionForumla");
    defaultMessage = reportAlert.text("defaultMessage");
    isEnabled = reportAlert.flag("isEnabled");
    messageFormula = reportAlert.text("messageFormula");
    name = reportAlert.text("name");
}
