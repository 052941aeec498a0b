#pragma once

#include "tvCollection.h"
#include "tvCollections.h"
#include "tvConditionalFormula.h"
#include "tvFieldElement.h"
#include "tvFormattings.h"
#include "tvIReportObject.h"
#include "tvValueFormattings.h"

// Report text that may embed fields. Its `text` is the names of its fields joined together, in
// element order; only text without fields keeps the runtime's text.
class tvTextObject final : public tvIReportObject {
public:
    tvTextObject() : tvIReportObject(tvTextObjectKind) {}

    void init(const rt::Object& crTextObject, tvSection& objectParent) override;

    tvConditionalFormulas ConditionalFormulas;  // border formulas only
    tvHyperlinkFormatting hyperlinkFormatting;
    QString text;
    tvCollection<tvFieldElement> fieldElements;  // runtime order, no keys
    tvBorderFormatting borderFormatting;
    tvParagraphFormatting paragraphFormatting;  // textFormat stays 0
    tvCommonFormatting commonFormatting;
    tvFontFormatting fontFormatting;
};
