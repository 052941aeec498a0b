#include "DocxLineSink.h"

#include "DocumentSetup.h"

namespace tav::word {

using namespace doctext;
using tvdocx::Alignment;
using tvdocx::RunFormat;

void DocxLineSink::setStyle(const QString& styleName) {
    style_ = styleName;
    paragraphFormat_ = {};
}

tvdocx::Paragraph& DocxLineSink::paragraph() {
    if (!paragraph_) {
        paragraph_ = document_.body().addParagraph(style_);
        paragraph_->format(paragraphFormat_);
    }
    return *paragraph_;
}

void DocxLineSink::typeText(const QString& text, const RunFormat& format) {
    tvdocx::Paragraph& open = paragraph();
    if (!text.isEmpty()) open.text(text, format);
}

void DocxLineSink::typeParagraph() {
    typeText(QString());
    paragraph_.reset();
}

void DocxLineSink::pageBreak() {
    typeText(QString());
    paragraph_->pageBreak();
    paragraph_.reset();
}

void DocxLineSink::line(const QString& text, qint32 level, LineRole role) {
    WriteDetails(role, LineKind::Caption, text, QString(), level);
}

void DocxLineSink::blank(LineRole role) { line(QString(), 1, role); }

void DocxLineSink::heading(const QString& text) {
    setStyle(profile_.heading2StyleName);
    line(text);
}

void DocxLineSink::WriteDetails(LineRole role, LineKind kind, const QString& text,
                                const QString& value, qint32 level) {
    if (role == LineRole::Title) {
        setStyle(profile_.normalStyleName);
        RunFormat bold;
        bold.bold = true;
        typeText(text, bold);
        typeParagraph();
        setStyle(profile_.normalStyleName);
    } else if (kind == LineKind::Caption && level >= 1) {
        if (level == 3) {
            paragraphFormat_.alignment = Alignment::Left;
            paragraphFormat_.leftIndentPt = 1.5 * ptHalfInch;
            paragraphFormat_.firstLineIndentPt = 0;
        }
        typeText(text);
        typeParagraph();
    } else if (kind == LineKind::LabelValue) {
        setStyle(profile_.propertyTitleStyleName);
        if (level != 2) paragraphFormat_.leftIndentPt = level * ptHalfInch;
        typeText(text);
        RunFormat valueFont;
        if (!options_.UseTemplate) {
            valueFont = fontOf(options_.ValueFont);
            valueFont.sizePt = 0;
        }
        valueFont.underline = false;
        if (options_.UseTemplate) valueFont.italic = false;
        typeText(QStringLiteral(" ") + value, valueFont);
        typeParagraph();
    } else {
        typeParagraph();
    }
}

}  // namespace tav::word
