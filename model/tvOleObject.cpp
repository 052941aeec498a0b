#include "tvOleObject.h"

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
    tvReadCommonFormatting(commonFormatting, cr, tvObjectCommonMembers);
    tvAddObjectConditionalFormulas(cr, ConditionalFormulas);
    tvReadPosition(position, cr);
    objectName = QStringLiteral("Ole");
}
