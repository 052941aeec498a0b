#pragma once

#include <QString>

namespace tav::core {

// Text helpers of the whole program. Characters compare exactly (upper and lower case differ);
// field numbers count from 1. Positions and counts are not limited to 16 bits.

// The n-th field of `text`, fields being separated by `delimiter`; "" when n is below 1, the
// delimiter is empty or the text has fewer fields.
QString GetDelimitedField(const QString& text, const QString& delimiter, qsizetype n);

// Replaces every occurrence of `find` in `text` by `replacement`, left to right; an inserted
// replacement is not searched again. An empty `find` leaves the text unchanged.
void ReplaceText(QString& text, const QString& find, const QString& replacement);

// The file name of a report path: the text after its last '/' or '\'.
QString reportFileName(const QString& reportPath);
// The stem of a report file name: the name less its last 4 characters (".rpt").
QString reportStem(const QString& fileName);

// `text` with its control characters shown: a NUL as \0, a TAB as \t, a line feed as \n, a
// carriage return as \r, any other as \x and two hexadecimal digits. A name or a text quoted
// from a file thus stays on its line of a message or of the run log, and one report's line
// cannot read as another's.
QString withVisibleControls(const QString& text);

}  // namespace tav::core
