#include "DocxFormats.h"

namespace tvdocx {

std::optional<StyleDefinition> usualStyle(const QString& name) {
    StyleDefinition style;
    style.name = name;
    const QString folded = name.toCaseFolded();
    if (folded == QLatin1String("normal")) return style;
    if (folded == QLatin1String("table grid")) {
        style.type = StyleType::Table;
        return style;
    }
    // Headings and contents levels are based on Normal.
    style.basedOn = style.next = QStringLiteral("Normal");
    bool ok = false;
    if (folded.startsWith(QLatin1String("heading "))) {
        const int level = folded.mid(8).toInt(&ok);
        if (!ok || level < 1 || level > 4) return std::nullopt;
        style.font.bold = true;
        style.font.sizePt = 18 - 2 * level;
        style.outlineLevel = level;
        return style;
    }
    if (folded.startsWith(QLatin1String("toc "))) {
        const int level = folded.mid(4).toInt(&ok);
        if (!ok || level < 1 || level > 3) return std::nullopt;
        style.paragraph.leftIndentPt = 12.0 * (level - 1);
        return style;
    }
    return std::nullopt;
}

}  // namespace tvdocx
