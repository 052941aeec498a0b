#pragma once

#include <QDateTime>
#include <QString>
#include <memory>

#include "Detailed.h"
#include "LineSink.h"
#include "tvCollections.h"

class tvReport;
class tvSection;
class tvIFieldDefinition;

namespace tav::doctext {

// What the text and Word documentation writers share, so that both document a report in the
// same order and with the same words: the report summary and export blocks, written to the sink
// each writer gives, section names and flags, and the detail text of one report object.
//
// A value of the model that cannot be documented fails a block or a text: a block answers false
// with the reason in `error` (the lines written before it stay in the sink), a text answers
// with Detailed. The sink's own failures pass on as they are.

// The report summary block: the summary information, the file's statistics (when the model
// has them), the report options, the page setup and the printer. The caller writes the block's
// title.
bool WriteSummaryInformation(const tvReport& report, LineSink& sink, QString* error = nullptr);

// The export options block: every option that is set, in one line, then a blank line. The
// caller writes the block's title.
bool WriteExportInformation(const tvReport& report, LineSink& sink, QString* error = nullptr);

// The report itself for index 0, else the model of its index-th subreport (1-based); "Object
// required" for a subreport without its model.
Detailed<const tvReport*> GetReportOrSubreport(const tvReport& report, qsizetype index);

// "Detail", "Group Header #2", "Detailb": the area's kind, a group's number, and the section's
// letter when the area has more than one section. Indexes are 1-based.
QString GetSectionDisplayName(const tvReport& report, qsizetype areaIndex, qsizetype sectionNumber);

// The letters of the n-th section of an area: "a" to "z", then "aa" to "zz", then "aaa" and
// on. "" for n below 1.
QString GetSectionLetterSuffix(qsizetype n);

// The section's formatting in one text: "Suppress if blank, Height = 0.5, Keep Together".
QString GetSectionFlagsText(const tvSection& section);

// The definition's name; "" for no definition.
QString GetFieldDefinitionName(const tvIFieldDefinition* field);

// The group name condition formula of the index-th group name field (1-based).
QString GetGroupNameConditionFormula(const tvReport& report, qsizetype index);

// The detail lines of the report object at the 1-based `objectIndex` of the section, run
// together without line breaks, as report comparison reads them.
Detailed<QString> GetObjectDetailsText(const tvSection& section, qsizetype objectIndex,
                                       double objectNumber);

// The same lines written to `sink`, as the documentation shows them.
bool WriteObjectDetailLines(const tvSection& section, qsizetype objectIndex, double objectNumber,
                            LineSink& sink, QString* error = nullptr);

// "Conditional Formulas:" and one line per formula; nothing when there are none.
bool WriteConditionalFormulaLines(const tvConditionalFormulas& formulas, LineSink& sink,
                                  QString* error = nullptr);

// A code or colour that the model keeps as its decimal text; no text reads as 0, and a text
// that is no whole number is a type mismatch.
Detailed<qint32> CodeOfText(const QString& text);

// A date-time in the general form of the user's locale: the short date, and the long time
// (without a time zone) unless it is midnight; the time alone on day zero (30 December 1899).
// "" for no date-time.
QString FormatGeneralDate(const QDateTime& value);

}  // namespace tav::doctext
