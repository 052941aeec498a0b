#pragma once

#include <QString>
#include <optional>

namespace tav::doctext {

// What a documentation line is for, so that sinks that format by role can tell a block's title
// from its lines.
enum class LineRole : qint32 {
    Detail = 1,  // a line of an object's or a section's details
    Label = 2,   // a line of a report block
    Title = 10,  // a block's title
};

// How a line is made up.
enum class LineKind : qint32 {
    Caption = 1,     // the text alone
    LabelValue = 2,  // the text, a blank, the value
};

// The sink of every documentation line. Producers of lines never know the medium they write to.
// `level` is the nesting depth, 0 or more.
class LineSink {
public:
    virtual ~LineSink() = default;
    virtual void WriteDetails(LineRole role, LineKind kind, const QString& text,
                              const QString& value, qint32 level) = 0;
};

// The plain-text form of a line, shared by the text sinks: two blanks a level (one level more
// for a label-value line), then the line. A negative level counts as 0.
QString detailLine(LineKind kind, const QString& text, const QString& value, qint32 level);

}  // namespace tav::doctext
