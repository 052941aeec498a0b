#include "tvOleObject.h"

#include "tvTypes.h"

void tvOleObject::init(const rt::Object& cr, tvSection& objectParent) {
    parent = &objectParent;
    tvReadObjectFormatting(cr, borderFormatting, commonFormatting, hyperlinkFormatting,
                           ConditionalFormulas);
    pictureFormatting.bottomCropping = tvLong(cr.integer("bottomCropping"));
    pictureFormatting.leftCropping = tvLong(cr.integer("leftCropping"));
    pictureFormatting.rightCropping = tvLong(cr.integer("rightCropping"));
    pictureFormatting.topCropping = tvLong(cr.integer("topCropping"));
    pictureFormatting.xScaling = cr.real("xScaling");
    pictureFormatting.yScaling = cr.real("yScaling");
    tvReadPosition(position, cr);
    objectName = QStringLiteral("Ole");
}
