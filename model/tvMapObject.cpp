#include "tvMapObject.h"

#include "tvConditionalFormulaHelper.h"

void tvMapObject::init(const rt::Object& cr, tvSection& objectParent) {
    tvReadBorderFormatting(borderFormatting, cr);
    using M = tvCommonMember;
    tvReadCommonFormatting(
        commonFormatting, cr,
        {M::closeBorderonPageBreak, M::cssClass, M::keepTogether, M::name, M::suppress});
    tvReadHyperlinkFormatting(hyperlinkFormatting, cr);
    tvReadPosition(position, cr);
    AddCommonConditionalFormulas(cr, ConditionalFormulas, false);
    AddBorderConditionalFormulas(cr, ConditionalFormulas);
    parent = &objectParent;
    objectName = cr.text("name");
}
