#include "DiffResults.h"

namespace tav::utilities {

namespace {

constexpr qsizetype kCombinedWidth = 10;

QString blanks(qsizetype n) { return QString(n, u' '); }

// The lines of a text. Texts come from report files saved on any system, so a line may end in
// CR LF, CR or LF alike; a text that ends in a line end ends in an empty line.
QStringList textLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype k = 0; k < text.size(); ++k) {
        const QChar c = text[k];
        if (c != u'\r' && c != u'\n') continue;
        lines << text.mid(start, k - start);
        if (c == u'\r' && k + 1 < text.size() && text[k + 1] == u'\n') ++k;
        start = k + 1;
    }
    lines << text.mid(start);
    return lines;
}

// A line number right-aligned in four characters; a larger number shows its last four digits.
QString lineNumber(qint64 count) { return (blanks(5) + QString::number(count)).right(4); }

// How a line's prefix text stands before the line.
enum class PrefixUse {
    None,            // never
    FirstLine,       // on the first line, blanks of its length on the later ones
    SingleLineOnly,  // only when the text has one line
};

QString withPrefix(const QString& prefix, PrefixUse use, qsizetype index, qsizetype count) {
    switch (use) {
        case PrefixUse::FirstLine:
            return index == 0 ? prefix : blanks(prefix.size());
        case PrefixUse::SingleLineOnly:
            return count == 1 ? prefix : QString();
        case PrefixUse::None:
            break;
    }
    return QString();
}

// One side of an entry as it is written: its lines, the numbers before them and its look.
struct Half {
    QStringList lines;
    QString prefix;    // the comparer's text prefix
    QString combined;  // numbers of the combined view and text
    QString side;      // numbers of the side's own view
    std::vector<DiffRow>* sideRows;
    qint32 color;
    bool marked;      // the first line carries the change marker
    bool textStruck;  // in the combined text and view
    bool sideStruck;
    PrefixUse textUse;      // the prefix in the combined text
    PrefixUse combinedUse;  // in the combined view
    PrefixUse sideUse;      // in the side's own view
};

}  // namespace

bool DiffLine::sameLines(const QString& left, const QString& right) {
    return left == right || textLines(left) == textLines(right);
}

void DiffResults::addRunHeader(const QString& title, const QString& leftFile,
                               const QString& rightFile) {
    runHeader = {title, leftFile, rightFile, QStringLiteral(" ")};
    for (const QString& row : runHeader) combinedRows.push_back({QString(), row});
    for (const QString& row : {title, leftFile, QString(), QStringLiteral(" ")}) {
        leftRows.push_back({QString(), row});
    }
    for (const QString& row : {title, QString(), rightFile, QStringLiteral(" ")}) {
        rightRows.push_back({QString(), row});
    }
}

QString DiffResults::combinedText() const {
    QString text;
    for (const DiffTextPiece& piece : textPieces) text += piece.text;
    return text;
}

void DiffResults::appendText(const QString& text, qint32 color, bool struck) {
    if (!textPieces.empty() && textPieces.back().color == color &&
        textPieces.back().struck == struck) {
        textPieces.back().text += text;
        return;
    }
    textPieces.push_back({text, color, struck});
}

void DiffResults::add(qint16 kind, const QString& leftText, const QString& rightText,
                      const QString& leftPrefix, const QString& rightPrefix) {
    if (kind != DiffBothSides && kind != DiffLeftOnly && kind != DiffRightOnly) return;
    // Counted before anything is written: the numbers are positions in each report's whole
    // listing, hidden equal lines included.
    if (kind != DiffRightOnly) ++leftLineCount;
    if (kind != DiffLeftOnly) ++rightLineCount;
    const QString numL = lineNumber(leftLineCount);
    const QString numR = lineNumber(rightLineCount);
    const QString leftSide = numL + blanks(6);
    const QString rightSide = blanks(5) + numR + u' ';

    const bool equal = kind == DiffBothSides && DiffLine::sameLines(leftText, rightText);
    if (equal && !allLines) return;
    lines.push_back({kind, leftText, rightText, leftPrefix, rightPrefix});

    auto write = [this](const Half& half) {
        const qsizetype count = half.lines.size();
        for (qsizetype k = 0; k < count; ++k) {
            const QString& line = half.lines[k];
            const QString mark = half.marked && k == 0 ? QString(kChangeMarker) : blanks(1);
            const QString combined = k == 0 ? half.combined : blanks(kCombinedWidth);
            const QString side =
                k == 0 ? half.side
                       : blanks(half.side.size() == kCombinedWidth ? kCombinedWidth
                                                                   : half.side.size() + 1);
            appendText(mark + combined, half.color, false);
            appendText(withPrefix(half.prefix, half.textUse, k, count) + line + u'\n', half.color,
                       half.textStruck);
            combinedRows.push_back({mark + combined,
                                    withPrefix(half.prefix, half.combinedUse, k, count) + line,
                                    half.color, half.textStruck});
            if (half.sideRows) {
                half.sideRows->push_back({mark + side,
                                          withPrefix(half.prefix, half.sideUse, k, count) + line,
                                          half.color, half.sideStruck});
            }
        }
    };
    const QStringList leftLines = textLines(leftText);
    const QStringList rightLines = textLines(rightText);

    if (equal) {
        const QString numbered = numL + u' ' + numR + u' ';
        for (qsizetype k = 0; k < leftLines.size(); ++k) {
            const QString mark = blanks(1);
            const bool first = k == 0;
            const QString& line = leftLines[k];
            appendText(mark + (first ? numbered : blanks(kCombinedWidth)) + line + u'\n', DiffBlack,
                       false);
            const QString combinedText =
                withPrefix(leftPrefix, PrefixUse::SingleLineOnly, k, leftLines.size()) + line;
            combinedRows.push_back(
                {mark + (first ? numbered : blanks(kCombinedWidth)), combinedText});
            leftRows.push_back(
                {mark + (first ? numL + u' ' : blanks(6)),
                 withPrefix(leftPrefix, PrefixUse::FirstLine, k, leftLines.size()) + line});
            rightRows.push_back(
                {mark + (first ? numR + u' ' : blanks(6)),
                 withPrefix(rightPrefix, PrefixUse::FirstLine, k, leftLines.size()) +
                     rightLines.value(k)});
        }
    } else if (kind == DiffBothSides) {
        write({leftLines, leftPrefix, leftSide, leftSide, &leftRows, DiffBlue, true, true, false,
               PrefixUse::FirstLine, PrefixUse::FirstLine, PrefixUse::FirstLine});
        write({rightLines, rightPrefix, rightSide, numR + u' ', &rightRows, DiffBlue, false, false,
               false, PrefixUse::SingleLineOnly, PrefixUse::FirstLine, PrefixUse::FirstLine});
    } else if (kind == DiffLeftOnly) {
        write({leftLines, leftPrefix, leftSide, leftSide, &leftRows, DiffRed, true, true, true,
               PrefixUse::SingleLineOnly, PrefixUse::SingleLineOnly, PrefixUse::SingleLineOnly});
    } else {
        write({rightLines, rightPrefix, rightSide, rightSide, &rightRows, DiffGreen, true, false,
               false, PrefixUse::SingleLineOnly, PrefixUse::SingleLineOnly,
               PrefixUse::SingleLineOnly});
    }
    // Side by side, the rows of one entry face each other: the shorter side is padded with empty
    // rows, so that every later pair of rows still belongs together.
    while (leftRows.size() < rightRows.size()) leftRows.emplace_back();
    while (rightRows.size() < leftRows.size()) rightRows.emplace_back();
}

}  // namespace tav::utilities
