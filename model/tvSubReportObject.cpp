#include "tvSubReportObject.h"

#include "tvArea.h"
#include "tvConditionalFormulaHelper.h"
#include "tvReport.h"
#include "tvRuntime.h"
#include "tvSection.h"
#include "tvTypes.h"

tvSubReportObject::tvSubReportObject()
    : tvIReportObject(tvSubReportObjectKind), report(std::make_unique<tvReport>()) {}

tvSubReportObject::~tvSubReportObject() = default;

void tvSubReportObject::init(const rt::Object& cr, tvSection& objectParent) {
    tvReadBorderFormatting(borderFormatting, cr);
    using M = tvCommonMember;
    tvReadCommonFormatting(commonFormatting, cr,
                           {M::canGrow, M::closeBorderonPageBreak, M::cssClass, M::keepTogether,
                            M::name, M::suppress});
    subreportFormatting.subreportName = cr.text("subreportName");
    subreportFormatting.enableOnDemand = cr.flag("enableOnDemand");
    tvReadPosition(position, cr);
    AddCommonConditionalFormulas(cr, ConditionalFormulas, false);
    AddBorderConditionalFormulas(cr, ConditionalFormulas);
    AddFontConditionalFormulas(cr, ConditionalFormulas);
    AddSubreportConditionalFormulas(cr, ConditionalFormulas);

    // Given no runtime report, the loader would open a file of the subreport's name instead.
    std::unique_ptr<rt::Object> crSubreport = cr.openSubreport();
    if (!crSubreport) tvObjectRequired();
    // The subreport is part of its main report's load: it takes the flags as they stand now,
    // including a show-SQL flag that a cancelled logon has cleared.
    tvReport* mainReport = objectParent.parent ? objectParent.parent->parent : nullptr;
    tvLoadingOptions standalone;
    tvLoadingOptions& options =
        mainReport && mainReport->loadingOptions ? *mainReport->loadingOptions : standalone;
    report->init(subreportFormatting.subreportName, options, crSubreport, true);

    parent = &objectParent;
    objectName = cr.text("subreportName");
    // `links` stays empty whatever links the runtime holds: no reader of the model relies on
    // them, and the documentation and database keep to what the report's objects show.
}
