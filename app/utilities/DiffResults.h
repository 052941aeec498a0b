#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace tav::utilities {

// What a comparison of two reports produced, held without any widget: the compared lines that
// are shown, the rows of the combined view and of the two sides, and the coloured combined text
// that is printed and written by the command line. The comparison adds its entries one by one;
// each entry is laid out here, numbered by its place in each report's whole listing.

// Which report a difference line belongs to.
enum DiffLineKind : qint16 {
    DiffBothSides = 0,  // equal when the two texts are equal, changed otherwise
    DiffLeftOnly = 1,   // the first report only
    DiffRightOnly = 2,  // the second report only
};

// Cell and text colours, red in the low byte.
enum DiffColor : qint32 {
    DiffBlack = 0,
    DiffRed = 255,
    DiffGreen = 65280,
    DiffBlue = 16711680,
};

// The ellipsis (code 133 of the Windows Latin page) starts the first line of every changed pair
// and one-sided entry, so that a viewer can jump from change to change.
inline constexpr QChar kChangeMarker = QChar(0x2026);

// One row of a view: the marker and line numbers, then the text.
struct DiffRow {
    QString numbers;
    QString text;
    qint32 color = DiffBlack;
    bool struck = false;
};

// One piece of the combined text, in one colour.
struct DiffTextPiece {
    QString text;
    qint32 color = DiffBlack;
    bool struck = false;
};

// One compared entry that was shown.
struct DiffLine {
    qint16 kind = DiffBothSides;
    QString leftText;
    QString rightText;
    QString leftPrefix;
    QString rightPrefix;

    bool changed() const { return kind == DiffBothSides && !sameLines(leftText, rightText); }

    // Texts compare line by line: CR LF, CR and LF end a line alike.
    static bool sameLines(const QString& left, const QString& right);
};

struct DiffResults {
    explicit DiffResults(bool allLines = true) : allLines(allLines) {}

    // The three lines above the entries, and a blank one, in each view and in runHeader; not in
    // the combined text.
    void addRunHeader(const QString& title, const QString& leftFile, const QString& rightFile);

    // Lays out one entry in every view and the text; see DiffLineKind. An equal pair is counted
    // but left out unless all lines are shown; a kind that is none of the three is ignored.
    void add(qint16 kind, const QString& leftText, const QString& rightText,
             const QString& leftPrefix = QString(), const QString& rightPrefix = QString());

    // The combined text as printed: its pieces run together.
    QString combinedText() const;

    // Equal pairs are shown too, not only the changes.
    bool allLines = true;
    // The lines of each report counted so far, hidden equal ones included.
    qint64 leftLineCount = 0;
    qint64 rightLineCount = 0;

    // The title and the two files' names, then a blank line: printed above the combined text.
    QStringList runHeader;
    // The entries shown, as compared.
    std::vector<DiffLine> lines;
    // The views: both reports in one, and each report on its own side. The two sides have as
    // many rows: a line of one report alone, or the longer half of a changed pair, faces empty
    // rows on the other side, so that facing rows always belong to one entry.
    std::vector<DiffRow> combinedRows;
    std::vector<DiffRow> leftRows;
    std::vector<DiffRow> rightRows;
    // The combined text, printed and written by the command line, in its colours.
    std::vector<DiffTextPiece> textPieces;

private:
    void appendText(const QString& text, qint32 color, bool struck);
};

}  // namespace tav::utilities
