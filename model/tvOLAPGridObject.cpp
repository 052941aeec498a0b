#include "tvOLAPGridObject.h"

#include "tvConditionalFormulaHelper.h"

void tvOLAPGridObject::init(const rt::Object& cr, tvSection& objectParent) {
    tvReadBorderFormatting(borderFormatting, cr);
    using M = tvCommonMember;
    tvReadCommonFormatting(commonFormatting, cr,
                           {M::closeBorderonPageBreak, M::keepTogether, M::name, M::suppress});
    tvReadPosition(position, cr);
    // Unlike every other object, a grid lists its border formulas first.
    AddBorderConditionalFormulas(cr, ConditionalFormulas);
    AddCommonConditionalFormulas(cr, ConditionalFormulas, false);
    parent = &objectParent;
    objectName = QStringLiteral("OLAP Grid");
}
