#include "tvMapObject.h"

void tvMapObject::init(const rt::Object& cr, tvSection& objectParent) {
    tvReadObjectFormatting(cr, borderFormatting, commonFormatting, hyperlinkFormatting);
    tvReadPosition(position, cr);
    tvAddObjectConditionalFormulas(cr, ConditionalFormulas);
    parent = &objectParent;
    objectName = cr.text("name");
}
