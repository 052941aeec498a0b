#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "ExtractOptions.h"
#include "LogonPrompt.h"
#include "RunReporter.h"
#include "tvReport.h"

namespace tav::utilities {

// Report Difference: two report models compared line by line. The engine holds no widget; it
// builds what the difference window shows and prints: the combined grid, the two side-by-side
// grids and the coloured combined text.

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

// One row of a result grid: the marker and line numbers, then the text.
struct DiffGridRow {
    QString firstCell;
    QString secondCell;
    qint32 color = DiffBlack;
    bool struck = false;
};

// One piece of the combined text, in one colour.
struct DiffTextPiece {
    QString text;
    qint32 color = DiffBlack;
    bool struck = false;
};

// One entry handed to AddDiffLine that was shown.
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

class ReportDiff {
public:
    // Compares what `options` switch on, loading reports as they say.
    // A report whose database refuses the connection shows its logon prompt through `logon`.
    explicit ReportDiff(const core::ExtractOptions& options, LogonPrompt::Presenter logon = {})
        : options_(options), logon_(std::move(logon)) {}
    // The options of the next comparison.
    void setOptions(const core::ExtractOptions& options) { options_ = options; }
    // Where progress texts and the messages of blocks that fail go; standard error until set.
    void setReporter(core::RunReporter& reporter) { reporter_ = &reporter; }

    // Loads both report files, replacing the models held and showing all lines again. A report
    // that cannot be opened fails with its load error and leaves what was held unchanged.
    void OpenDiffReports(const QString& path1, const QString& path2);

    // Compares models loaded elsewhere, as OpenDiffReports does with the files' models.
    void setReports(std::unique_ptr<tvReport> left, std::unique_ptr<tvReport> right,
                    const QString& path1, const QString& path2);

    // Builds every result afresh from the two models held. The combined text is added to, so
    // that a caller that wants a clean text empties it first (clearText).
    void AnalyzeDifferences();

    // Writes one entry to every result; see DiffLineKind. A kind that is none of the three is
    // ignored.
    void AddDiffLine(qint16 kind, const QString& leftText, const QString& rightText,
                     const QString& leftPrefix = QString(), const QString& rightPrefix = QString());

    // Lines up two lists of records whose first field (or second, after a number) is their key,
    // and writes them as difference lines. One forward pass: a record whose key is not found
    // ahead in the other list stands alone, and the pass goes on with the next pair.
    void AlignKeyedLists(const QStringList& first, const QStringList& second);

    // The combined text as printed: its pieces run together.
    QString combinedText() const;
    void clearText() { rtbRptDiff.clear(); }

    // The names under which the two reports are shown: the paths, or for a second file that
    // is a temporary copy (".TMP" or ".tmp") the first path marked "(original)" and "(revised)".
    static QStringList DiffDisplayNames(const QString& path1, const QString& path2, bool trimmed);

    // The report being mined or compared: the one a failure of the comparison names.
    QString CurrentReportName;
    QString LeftReportPath;
    QString RightReportPath;
    std::unique_ptr<tvReport> LeftReport;
    std::unique_ptr<tvReport> RightReport;
    bool ShowAllLines = true;
    qint64 LeftLineCount = 0;
    qint64 RightLineCount = 0;

    // The results of the last analysis.
    std::vector<DiffGridRow> grdDiff;
    std::vector<DiffGridRow> grd1;
    std::vector<DiffGridRow> grd2;
    std::vector<DiffTextPiece> rtbRptDiff;
    std::vector<DiffLine> lines;

private:
    core::RunReporter& reporter() { return reporter_ ? *reporter_ : standardError_; }

    core::ExtractOptions options_;
    LogonPrompt::Presenter logon_;
    core::RunReporter* reporter_ = nullptr;
    core::StandardErrorReporter standardError_;
    void CompareReportBlocks(const tvReport& left, const tvReport& right);
    void CompareReportTree(const tvReport& left, const tvReport& right);
    void CompareReportPair(const tvReport* left, const tvReport* right, bool isSubreport);
    void CompareSections(const tvReport* left, const tvReport* right);
    void CompareAreaSections(const tvReport* left, qsizetype leftArea, const tvReport* right,
                             qsizetype rightArea);
    void CompareSectionObjects(const tvSection* left, const tvSection* right);

    void writeLines(const QString& text, const QString& prefix, qint32 color, bool struck,
                    const QString& combined, const QString& pane, std::vector<DiffGridRow>* grid,
                    bool marked, bool prefixOnSeveral);
    void appendText(const QString& text, qint32 color, bool struck);
};

}  // namespace tav::utilities
