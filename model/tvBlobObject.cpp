#include "tvBlobObject.h"

#include "tvDatabaseFieldDefinition.h"
#include "tvFieldResolver.h"
#include "tvRuntime.h"
#include "tvTypes.h"

namespace {

// At most 15 significant digits, no trailing zeros: 1 gives "1", a half "0.5".
QString scalingText(double factor) { return QString::number(factor, 'g', 15); }

// A BLOB field object takes its keep-together flag first.
constexpr tvCommonMember kCommonMembers[] = {
    tvCommonMember::keepTogether, tvCommonMember::closeBorderonPageBreak, tvCommonMember::cssClass,
    tvCommonMember::name, tvCommonMember::suppress};

}  // namespace

void tvBlobObject::init(const rt::Object& cr, tvSection& objectParent) {
    tvReadObjectFormatting(cr, borderFormatting, commonFormatting, hyperlinkFormatting,
                           kCommonMembers);
    tvAddObjectConditionalFormulas(cr, ConditionalFormulas);
    parent = &objectParent;
    field = tvFieldDefinitionAs<tvDatabaseFieldDefinition>(
        ResolveFieldDefinition(*tvRequiredObject(cr, "field"), requiredReport()));
    tvReadPosition(position, cr);

    leftCropping = tvNumberText(cr.integer("leftCropping"));
    rightCropping = tvNumberText(cr.integer("rightCropping"));
    bottomCropping = tvNumberText(cr.integer("bottomCropping"));
    topCropping = tvNumberText(cr.integer("topCropping"));
    xScaling = scalingText(cr.real("xScaling"));
    yScaling = scalingText(cr.real("yScaling"));
    objectName = QStringLiteral("Blob");
}
