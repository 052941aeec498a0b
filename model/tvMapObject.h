#pragma once

#include "tvCollections.h"
#include "tvConditionalFormula.h"
#include "tvFormattings.h"
#include "tvIReportObject.h"

// A map, named as the runtime names it.
class tvMapObject final : public tvIReportObject {
public:
    tvMapObject() : tvIReportObject(tvMapObjectKind) {}

    void init(const rt::Object& crMapObject, tvSection& objectParent) override;

    tvConditionalFormulas ConditionalFormulas;  // common, then border
    tvCommonFormatting commonFormatting;
    tvBorderFormatting borderFormatting;
    tvHyperlinkFormatting hyperlinkFormatting;
};
