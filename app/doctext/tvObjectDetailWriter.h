#pragma once

#include <QString>

#include "tvFormattings.h"
#include "tvIReportWriter.h"
#include "tvValueFormattings.h"

class tvSubReportLink;

// A number as documentation shows it: no thousands separators, no trailing zeros, up to 15
// significant digits, "." as decimal separator and an exponent only for very large or small
// values ("0.5", "12", "6.66666666666667", "1E+20").
QString FormatGeneralNumber(double value);

// Writes the documentation lines of one report object, and its formatting blocks, to a line
// sink. Each block turns one formatting bag into one line: six blanks, a caption ("Border:"),
// a blank and a comma-separated list of the bag's settings.
class tvObjectDetailWriter {
public:
    void init(tvIReportWriter& sink) { sink_ = &sink; }

    // Text is assembled in a work area of this many characters: what lies beyond is cut.
    static constexpr qsizetype kWorkAreaLength = 50000;

    // Overwrites `workArea` from the 1-based `position` on with `text` and advances `position`
    // by the full length of `text`. `workArea` holds what was written so far; the rest of the
    // work area reads as blanks, and characters beyond kWorkAreaLength are dropped, also when
    // `position` already lies past the end. A position below 1 is an invalid-argument error.
    static void InsertIntoWrkArea(QString& workArea, qsizetype& position, const QString& text);

    // The formatting blocks. A block given a bag by pointer writes nothing when the object has
    // no such bag (nullptr); the others are always given one.
    void WriteBorderFormatting(const tvBorderFormatting& bag);
    void WriteCommonFormatting(const tvCommonFormatting& bag);
    void WriteFontFormatting(const tvFontFormatting& bag);
    void WriteParagraphFormatting(const tvParagraphFormatting* bag);
    void WriteHyperlinkFormatting(const tvHyperlinkFormatting& bag);
    void WritePictureFormatting(const tvPictureFormatting& bag);
    void WriteSubreportFormatting(const tvSubreportFormatting& bag);
    void WriteSubreportLink(const tvSubReportLink& link);

    // The value formatting blocks of a field object or of a field embedded in a text.
    void WriteCurrencyFormatting(const tvCurrencyFormatting* bag);
    void WriteDateFormatting(const tvDateFormatting* bag);
    void WriteDateTimeFormatting(const tvDateTimeFormatting* bag);
    void WriteNumberFormatting(const tvNumberFormatting* bag);
    void WriteBooleanFormatting(const tvBooleanFormatting* bag);
    void WriteTimeFormatting(const tvTimeFormatting* bag);

private:
    // One detail line: `caption`, a blank and `value`, at the indentation of object details.
    void writeDetail(const QString& caption, const QString& value);
    tvIReportWriter& sink();

    tvIReportWriter* sink_ = nullptr;
};
