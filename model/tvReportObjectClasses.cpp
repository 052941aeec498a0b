#include "tvReportObjectClasses.h"

#include <algorithm>
#include <iterator>

#include "tvBlobObject.h"
#include "tvBoxObject.h"
#include "tvCrossTabObject.h"
#include "tvFieldObject.h"
#include "tvGraphObject.h"
#include "tvLineObject.h"
#include "tvMapObject.h"
#include "tvOLAPGridObject.h"
#include "tvOleObject.h"
#include "tvReport.h"
#include "tvSubReportObject.h"
#include "tvTextObject.h"

namespace {

template <class T>
std::unique_ptr<tvIReportObject> create() {
    return std::make_unique<T>();
}

// A report lists every subreport of its sections, in the order they are built.
void listSubreport(tvIReportObject& object, tvReport& report) {
    report.subReports.Add(static_cast<tvSubReportObject*>(&object));
}

// One row per kind the model copies; a kind without a row is skipped where it is placed.
constexpr tvReportObjectClass kClasses[] = {
    {tvMapObjectKind, create<tvMapObject>, nullptr},
    {tvOLAPGridObjectKind, create<tvOLAPGridObject>, nullptr},
    {tvOleObjectKind, create<tvOleObject>, nullptr},
    {tvFieldObjectKind, create<tvFieldObject>, nullptr},
    {tvTextObjectKind, create<tvTextObject>, nullptr},
    {tvLineObjectKind, create<tvLineObject>, nullptr},
    {tvBoxObjectKind, create<tvBoxObject>, nullptr},
    {tvSubReportObjectKind, create<tvSubReportObject>, listSubreport},
    {tvGraphObjectKind, create<tvGraphObject>, nullptr},
    {tvCrossTabObjectKind, create<tvCrossTabObject>, nullptr},
    {tvBlobObjectKind, create<tvBlobObject>, nullptr},
};

}  // namespace

const tvReportObjectClass* tvReportObjectClassOf(qint64 kind) {
    const auto* row = std::find_if(std::begin(kClasses), std::end(kClasses),
                                   [kind](const tvReportObjectClass& c) { return c.kind == kind; });
    return row == std::end(kClasses) ? nullptr : row;
}
