#include "tvFormattings.h"

#include "tvConditionalFormulaHelper.h"
#include "tvTypes.h"

namespace {

QString flagText(const rt::Object& crObject, const char* member) {
    return tvBooleanText(crObject.flag(member));
}

QString numberText(const rt::Object& crObject, const char* member) {
    return tvNumberText(crObject.integer(member));
}

}  // namespace

void tvReadBorderFormatting(tvBorderFormatting& bag, const rt::Object& cr,
                            bool withTightHorizontal) {
    bag.backgroundColor = tvColor(cr.integer("backgroundColor"));
    bag.borderColor = tvColor(cr.integer("borderColor"));
    bag.bottomStyle = numberText(cr, "bottomStyle");
    bag.dropshadow = flagText(cr, "dropshadow");
    bag.leftStyle = numberText(cr, "leftStyle");
    bag.rightStyle = numberText(cr, "rightStyle");
    if (withTightHorizontal) bag.tightHorizontal = flagText(cr, "tightHorizontal");
    bag.topStyle = numberText(cr, "topStyle");
}

void tvReadHyperlinkFormatting(tvHyperlinkFormatting& bag, const rt::Object& cr) {
    bag.hyperlinkText = cr.text("hyperlinkText");
    bag.hyperlinkType = tvLong(cr.integer("hyperlinkType"));
}

void tvReadCommonFormatting(tvCommonFormatting& bag, const rt::Object& cr,
                            std::initializer_list<tvCommonMember> members) {
    tvReadCommonFormatting(bag, cr, std::span(members.begin(), members.size()));
}

void tvReadCommonFormatting(tvCommonFormatting& bag, const rt::Object& cr,
                            std::span<const tvCommonMember> members) {
    for (const tvCommonMember member : members) {
        switch (member) {
            case tvCommonMember::canGrow:
                bag.canGrow = flagText(cr, "canGrow");
                break;
            case tvCommonMember::closeBorderonPageBreak:
                bag.closeBorderonPageBreak = flagText(cr, "closeBorderonPageBreak");
                break;
            case tvCommonMember::cssClass:
                bag.cssClass = cr.text("cssClass");
                break;
            case tvCommonMember::horizontalAlignment:
                bag.horizontalAlignment = tvInteger(cr.integer("horizontalAlignment"));
                break;
            case tvCommonMember::keepTogether:
                bag.keepTogether = flagText(cr, "keepTogether");
                break;
            case tvCommonMember::maxLines:
                bag.maxLines = tvInteger(cr.integer("maxLines"));
                break;
            case tvCommonMember::name:
                bag.name = cr.text("name");
                break;
            case tvCommonMember::suppress:
                bag.suppress = flagText(cr, "suppress");
                break;
            case tvCommonMember::suppressIfDuplicated:
                bag.suppressIfDuplicated = cr.flag("suppressIfDuplicated");
                break;
            case tvCommonMember::textRotationAngle:
                bag.textRotationAngle = tvInteger(cr.integer("textRotationAngle"));
                break;
        }
    }
}

void tvReadCommonFormatting(tvCommonFormatting& bag, const rt::Object& cr) {
    using M = tvCommonMember;
    tvReadCommonFormatting(bag, cr,
                           {M::canGrow, M::closeBorderonPageBreak, M::cssClass,
                            M::horizontalAlignment, M::keepTogether, M::maxLines, M::name,
                            M::suppress, M::suppressIfDuplicated, M::textRotationAngle});
}

void tvReadFontFormatting(tvFontFormatting& bag, const rt::Object& cr, bool fontBeforeColor) {
    bag.characterSpacing = tvLong(cr.integer("characterSpacing"));
    if (fontBeforeColor) bag.font = tvReadFont(cr);
    bag.color = tvDecimalText(tvColor(cr.integer("color")));
    if (!fontBeforeColor) bag.font = tvReadFont(cr);
}

void tvReadObjectFormatting(const rt::Object& cr, tvBorderFormatting& border,
                            tvCommonFormatting& common, tvHyperlinkFormatting& hyperlink,
                            std::span<const tvCommonMember> commonMembers) {
    tvReadBorderFormatting(border, cr);
    tvReadCommonFormatting(common, cr, commonMembers);
    tvReadHyperlinkFormatting(hyperlink, cr);
}

void tvAddObjectConditionalFormulas(const rt::Object& cr, tvConditionalFormulas& formulas) {
    AddCommonConditionalFormulas(cr, formulas, false);
    AddBorderConditionalFormulas(cr, formulas);
}

tvFont tvReadFont(const rt::Object& crObject, const char* member) {
    tvFont font;
    const auto crFont = crObject.object(member);
    if (!crFont) return font;
    font.name = crFont->text("name");
    font.size = crFont->real("size");
    font.bold = crFont->flag("bold");
    font.italic = crFont->flag("italic");
    font.underline = crFont->flag("underline");
    font.strikethrough = crFont->flag("strikethrough");
    font.weight = tvInteger(crFont->integer("weight"));
    font.charset = tvInteger(crFont->integer("charset"));
    return font;
}
