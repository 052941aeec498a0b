#include "tvTextObject.h"

#include "tvConditionalFormulaHelper.h"
#include "tvRuntime.h"
#include "tvShownField.h"

void tvTextObject::init(const rt::Object& cr, tvSection& objectParent) {
    parent = &objectParent;
    tvReadBorderFormatting(borderFormatting, cr);
    tvReadCommonFormatting(commonFormatting, cr);
    tvReadHyperlinkFormatting(hyperlinkFormatting, cr);
    tvReadParagraphFormatting(paragraphFormatting, cr, false);
    tvReadFontFormatting(fontFormatting, cr);
    tvReadPosition(position, cr);
    AddBorderConditionalFormulas(cr, ConditionalFormulas);

    // The literal words around the fields are not kept: writers show which fields the text
    // carries. An element is listed, and its name added, once it is complete.
    tvForEachItem(cr, "FieldElements", [this](const rt::Object& crElement) {
        auto element = std::make_unique<tvFieldElement>();
        element->init(crElement, *this);
        fieldElements.Add(std::move(element));
        text += tvShownFieldName(crElement);
    });
    if (fieldElements.isEmpty()) text = cr.text("text");
    objectName = text;
}
