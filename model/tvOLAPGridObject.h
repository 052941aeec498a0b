#pragma once

#include "tvCollections.h"
#include "tvConditionalFormula.h"
#include "tvFormattings.h"
#include "tvIReportObject.h"

// An OLAP grid. Every grid is named "OLAP Grid"; it has no CSS class and no hyperlink.
class tvOLAPGridObject final : public tvIReportObject {
public:
    tvOLAPGridObject() : tvIReportObject(tvOLAPGridObjectKind) {}

    void init(const rt::Object& crOlapGridObject, tvSection& objectParent) override;

    tvConditionalFormulas ConditionalFormulas;  // border, then common
    tvCommonFormatting commonFormatting;
    tvBorderFormatting borderFormatting;
};
