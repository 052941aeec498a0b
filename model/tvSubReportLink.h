#pragma once

#include "RtObject.h"

class tvReport;
class tvIFieldDefinition;
class tvSubReportObject;

// A link between a field of a main report and a field of one of its subreports.
class tvSubReportLink {
public:
    // `mainReport` is the report whose section holds the subreport object, `subReport` the
    // subreport object's own model: each field is that report's own definition.
    void init(const rt::Object& crSubReportLink, tvSubReportObject& objectParent,
              tvReport& mainReport, tvReport& subReport);

    tvIFieldDefinition* mainReportField = nullptr;
    tvIFieldDefinition* mainSubReportField = nullptr;
    tvSubReportObject* parent = nullptr;
};
