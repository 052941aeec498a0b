#pragma once

#include <QString>
#include <optional>

// The sink of every documentation line. Producers of lines never know the medium they write to.
//   code:  the line's role, for sinks that format by role: 10 a block title, 1 and 2 ordinary lines
//   kind:  1 a caption line (text only), 2 a label-value line (text, a blank, value); any other
//          kind writes nothing
//   level: nesting depth, 0 or more
class LineSink {
public:
    virtual ~LineSink() = default;
    virtual void WriteDetails(qint32 code, qint32 kind, const QString& text, const QString& value,
                              qint32 level) = 0;
};

// The plain-text form of a line, shared by the text sinks: two blanks a level (one level more
// for a label-value line), then the line; nothing for a kind that writes nothing. A negative
// level counts as 0.
std::optional<QString> detailLine(qint32 kind, const QString& text, const QString& value,
                                  qint32 level);
