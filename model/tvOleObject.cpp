#include "tvOleObject.h"

#include "tvConditionalFormulaHelper.h"
#include "tvTypes.h"

void tvOleObject::init(const rt::Object& cr, tvSection& objectParent) {
    parent = &objectParent;
    tvReadBorderFormatting(borderFormatting, cr);
    tvReadHyperlinkFormatting(hyperlinkFormatting, cr);

    pictureFormatting.bottomCropping = tvLong(cr.integer("bottomCropping"));
    pictureFormatting.leftCropping = tvLong(cr.integer("leftCropping"));
    pictureFormatting.rightCropping = tvLong(cr.integer("rightCropping"));
    pictureFormatting.topCropping = tvLong(cr.integer("topCropping"));
    pictureFormatting.xScaling = cr.real("xScaling");
    pictureFormatting.yScaling = cr.real("yScaling");

    using M = tvCommonMember;
    tvReadCommonFormatting(
        commonFormatting, cr,
        {M::closeBorderonPageBreak, M::cssClass, M::keepTogether, M::name, M::suppress});
    AddCommonConditionalFormulas(cr, ConditionalFormulas, false);
    AddBorderConditionalFormulas(cr, ConditionalFormulas);
    tvReadPosition(position, cr);
    objectName = QStringLiteral("Ole");
}
