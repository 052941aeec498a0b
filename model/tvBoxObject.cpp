#include "tvBoxObject.h"

#include "tvSectionSpan.h"
#include "tvTypes.h"

void tvBoxObject::init(const rt::Object& cr, tvSection& objectParent) {
    closeAtPageBreak = cr.flag("closeAtPageBreak");
    cornerEllipseHeight = tvLong(cr.integer("cornerEllipseHeight"));
    cornerEllipseWidth = tvNumberText(cr.integer("cornerEllipseWidth"));
    cssClass = cr.text("cssClass");
    extendToBottomOfSection = cr.flag("extendToBottomOfSection");
    fillColor = tvColor(cr.integer("fillColor"));
    hasDropShadow = cr.flag("hasDropShadow");
    lineColor = tvColor(cr.integer("lineColor"));
    lineStyle = tvNumberText(cr.integer("lineStyle"));
    lineThickness = tvNumberText(cr.integer("lineThickness"));
    name = cr.text("name");

    // The sections come first, then the corners the height needs, then the rest of the place.
    const tvSectionSpan span(cr, QStringLiteral("Box \"%1\"").arg(name));
    const qint64 top = cr.integer("top");
    position.height = span.boxHeight(top, cr.integer("bottom"));
    const qint64 left = cr.integer("left");
    position.left = tvLong(left);
    position.top = tvLong(top);
    position.width = tvLong(tvDifference(cr.integer("right"), left));
    parent = &objectParent;
    suppress = cr.flag("suppress");
    objectName = QStringLiteral("Box");
}
