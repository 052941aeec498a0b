#pragma once

#include <memory>

#include "tvCollections.h"
#include "tvConditionalFormula.h"
#include "tvFormattings.h"
#include "tvIReportObject.h"
#include "tvSubReportLink.h"

class tvReport;

// A subreport placed in a section. Its report is loaded into a nested model of its own, with
// its own field definitions, by the loader that loads a main report.
class tvSubReportObject final : public tvIReportObject {
public:
    tvSubReportObject();
    ~tvSubReportObject() override;

    // Loads the subreport with the loading options of the load in progress.
    void init(const rt::Object& crSubReportObject, tvSection& objectParent) override;

    // Common, border, font and subreport formulas, in that order.
    tvConditionalFormulas ConditionalFormulas;
    std::unique_ptr<tvReport> report;  // never null
    // Each link joins a field of the report that holds this object to one of `report`.
    tvSubReportLinks links;
    tvSubreportFormatting subreportFormatting;
    tvCommonFormatting commonFormatting;
    tvBorderFormatting borderFormatting;
};
