#include "tvLineObject.h"

#include "tvSectionSpan.h"
#include "tvTypes.h"

void tvLineObject::init(const rt::Object& cr, tvSection& objectParent) {
    cssClass = cr.text("cssClass");
    extendToBottomOfSection = cr.flag("extendToBottomOfSection");
    lineColor = tvColor(cr.integer("lineColor"));
    lineStyle = tvInteger(cr.integer("lineStyle"));
    lineThickness = tvLong(cr.integer("lineThickness"));
    name = cr.text("name");
    suppress = cr.flag("suppress");

    const qint64 left = cr.integer("left");
    const qint64 right = cr.integer("right");
    // A horizontal line has no height, whatever section it names as its end: only a vertical
    // line looks its sections up, measures across them and reads its bottom.
    const qint64 top = cr.integer("top");
    if (left == right) {
        const tvSectionSpan span(cr, QStringLiteral("Line \"%1\"").arg(name));
        position.height = span.lineHeight(top, cr.integer("bottom"));
    } else {
        position.height = 0;
    }
    position.top = tvLong(top);
    position.left = tvLong(left);
    position.width = tvLong(tvDifference(right, left));
    parent = &objectParent;
    objectName =
        position.width != 0 ? QStringLiteral("Horizontal Line") : QStringLiteral("Vertical Line");
}
