#pragma once

#include <QString>

#include "LineSink.h"
#include "tvCollections.h"
#include "tvFormattings.h"
#include "tvValueFormattings.h"

class tvSection;
class tvPosition;
class tvIReportObject;
class tvSubReportLink;
class tvTextObject;
class tvGraphObject;
class tvCrossTabObject;
class tvCrossTabGroup;

namespace tav::doctext {

// A number as documentation shows it: no thousands separators, no trailing zeros, up to 15
// significant digits, "." as decimal separator and an exponent only for very large or small
// values ("0.5", "12", "6.66666666666667", "1E+20").
QString FormatGeneralNumber(double value);

// Twips as inches to two decimal places, halves to the even neighbour: "1.5", "0.21".
QString InchesText(qint32 twips);

// An object's place in inches, to two decimal places: "Position=(0.5, 1.25), Size=(2 x 0.17)".
QString PositionText(const tvPosition& position);

// Writes the documentation lines of one report object, and its formatting blocks, to a line
// sink. Each block turns one formatting bag into one line: six blanks, a caption ("Border:"),
// a blank and a comma-separated list of the bag's settings.
//
// The writers of this library use it; a value it cannot document fails with a DetailError.
// Code outside this library writes the same lines through WriteObjectDetailLines and
// WriteConditionalFormulaLines, which answer with the reason instead.
class ObjectDetailWriter {
public:
    void init(LineSink& sink) { sink_ = &sink; }

    // Overwrites `target` from the 1-based `position` on with `text` and advances `position`
    // by the length of `text`. `target` holds what was written so far and grows as far as the
    // text reaches, whatever its length; a gap before `position` reads as blanks. A position
    // below 1 fails with DetailFailure::InvalidArgument.
    static void OverwriteAndAdvance(QString& target, qsizetype& position, const QString& text);

    // The lines of the report object at the 1-based `index` of the section's objects: a head
    // line that starts with `objectNumber` and names the object and its place, then its
    // formatting blocks and conditional formulas. An object of an unknown kind writes nothing.
    void WriteObjectDetails(const tvSection& section, qsizetype index, double objectNumber);

    // "Conditional Formulas:" and one line per formula, each the property's caption and the
    // formula; nothing when there are none.
    void WriteConditionalFormulas(const tvConditionalFormulas& formulas);

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

    // The blocks of charts and cross-tabs. `label` is "Column" or "Row".
    void WriteGraphFormatting(const tvGraphObject& graph);
    void WriteCrossTabGroup(const tvCrossTabGroup& group, const QString& label);
    void WriteCrossTabDetails(const tvCrossTabObject& crossTab);

    // The value formatting blocks of a field object or of a field embedded in a text.
    void WriteCurrencyFormatting(const tvCurrencyFormatting* bag);
    void WriteDateFormatting(const tvDateFormatting* bag);
    void WriteDateTimeFormatting(const tvDateTimeFormatting* bag);
    void WriteNumberFormatting(const tvNumberFormatting* bag);
    void WriteBooleanFormatting(const tvBooleanFormatting* bag);
    void WriteTimeFormatting(const tvTimeFormatting* bag);

private:
    // The writers of the object kinds; `number` is the object number as the head line shows it.
    void writeFieldObject(const tvIReportObject& object, const QString& number);
    void writeTextObject(const tvIReportObject& object, const QString& number);
    void writeLineObject(const tvIReportObject& object, const QString& number);
    void writeBoxObject(const tvIReportObject& object, const QString& number);
    void writeSubreportObject(const tvIReportObject& object, const QString& number);
    void writeOleObject(const tvIReportObject& object, const QString& number);
    void writeGraphObject(const tvIReportObject& object, const QString& number);
    void writeCrossTabObject(const tvIReportObject& object, const QString& number);
    void writeBlobObject(const tvIReportObject& object, const QString& number);
    void writeMapObject(const tvIReportObject& object, const QString& number);
    void writeOlapGridObject(const tvIReportObject& object, const QString& number);

    // The fields embedded in a text object, each numbered "n.i".
    void writeEmbeddedFields(const tvTextObject& text, const QString& number);
    // "Summary Field:" lines, one per summary that a chart or cross-tab shows.
    void writeSummaryFields(const tvSummaryFieldDefinitions& summaries);

    // The head line of an object: its number, ", ", `name` (which ends in ": " or ", ") and
    // its place.
    void writeHead(const QString& number, const QString& name, const tvIReportObject& object);

    // One detail line: `caption`, a blank and `value`, at the indentation of object details.
    void writeDetail(const QString& caption, const QString& value);
    LineSink& sink();

    LineSink* sink_ = nullptr;
};

}  // namespace tav::doctext
