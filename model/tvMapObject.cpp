#include "tvMapObject.h"

void tvMapObject::init(const rt::Object& cr, tvSection& objectParent) {
    tvReadObjectFormatting(cr, borderFormatting, commonFormatting, hyperlinkFormatting,
                           ConditionalFormulas);
    tvReadPosition(position, cr);
    parent = &objectParent;
    objectName = cr.text("name");
}
