#include "tvSubReportLink.h"

#include "tvFieldResolver.h"
#include "tvRuntime.h"

void tvSubReportLink::init(const rt::Object& cr, tvSubReportObject& objectParent,
                           tvReport& mainReport, tvReport& subReport) {
    mainReportField = ResolveFieldDefinition(tvRequired(cr.object("mainReportField")), mainReport);
    mainSubReportField =
        ResolveFieldDefinition(tvRequired(cr.object("mainSubReportField")), subReport);
    parent = &objectParent;
}
