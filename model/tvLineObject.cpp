#include "tvLineObject.h"

#include "tvSectionSpan.h"
#include "tvTypes.h"

namespace {

// Twips added for each section boundary a vertical line crosses.
constexpr qint32 kLineBoundary = 60;

}  // namespace

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
    // Every line's sections are checked, so that a design whose line ends nowhere is refused
    // whichever way the line runs; only a vertical line measures across them, and only it
    // reads its bottom.
    const tvSectionSpan span(cr, QStringLiteral("Line \"%1\"").arg(name));
    const qint64 top = cr.integer("top");
    position.height = left != right ? 0 : span.height(top, cr.integer("bottom"), kLineBoundary);
    position.top = tvLong(top);
    position.left = tvLong(left);
    position.width = tvLong(right - left);
    parent = &objectParent;
    objectName =
        position.width != 0 ? QStringLiteral("Horizontal Line") : QStringLiteral("Vertical Line");
}
