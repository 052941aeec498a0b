#pragma once

#include <QString>
#include <optional>

#include "DocumentTemplate.h"
#include "DocxDocument.h"
#include "ExtractOptions.h"
#include "LineSink.h"

namespace tav::word {

// The insertion point at the end of a document's body, and the line sink over it: text goes
// into the open paragraph, which is made on first use in the current style and paragraph
// formatting; a paragraph break closes it. A documentation line becomes a paragraph in the
// style of its role, its value in the value font.
class DocxLineSink final : public doctext::LineSink {
public:
    // The document, the profile and the options stay the caller's, and must outlive the sink.
    DocxLineSink(tvdocx::Document& document, const DocumentTemplate& profile,
                 core::ExtractOptions& options)
        : document_(document), profile_(profile), options_(options) {}

    // One documentation line as a paragraph of the document.
    void WriteDetails(doctext::LineRole role, doctext::LineKind kind, const QString& text,
                      const QString& value, qint32 level) override;

    // The style, and plain paragraph formatting, of the paragraphs from here on.
    void setStyle(const QString& styleName);
    // The formatting of the paragraphs from here on, until the style changes.
    tvdocx::ParagraphFormat& paragraphFormat() { return paragraphFormat_; }
    void typeText(const QString& text, const tvdocx::RunFormat& format = {});
    void typeParagraph();
    void pageBreak();
    // The open paragraph, made when there is none.
    tvdocx::Paragraph& paragraph();
    // What follows goes into a new paragraph, after whatever was added to the body since.
    void closeParagraph() { paragraph_.reset(); }

    void line(const QString& text, qint32 level = 1,
              doctext::LineRole role = doctext::LineRole::Detail);
    void blank(doctext::LineRole role = doctext::LineRole::Detail);
    // A heading of the second level.
    void heading(const QString& text);

private:
    tvdocx::Document& document_;
    const DocumentTemplate& profile_;
    core::ExtractOptions& options_;
    std::optional<tvdocx::Paragraph> paragraph_;
    QString style_;
    tvdocx::ParagraphFormat paragraphFormat_;
};

}  // namespace tav::word
