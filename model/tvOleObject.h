#pragma once

#include "tvCollections.h"
#include "tvConditionalFormula.h"
#include "tvFormattings.h"
#include "tvIReportObject.h"

// An embedded or linked picture or document. Every OLE object is named "Ole".
class tvOleObject final : public tvIReportObject {
public:
    tvOleObject() : tvIReportObject(tvOleObjectKind) {}

    void init(const rt::Object& crOleObject, tvSection& objectParent) override;

    tvConditionalFormulas ConditionalFormulas;  // common, then border
    QString oleSource;                          // nothing fills it
    tvCommonFormatting commonFormatting;
    tvPictureFormatting pictureFormatting;
    tvBorderFormatting borderFormatting;
    tvHyperlinkFormatting hyperlinkFormatting;
};
