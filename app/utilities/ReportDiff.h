#pragma once

#include <QString>
#include <QStringList>
#include <memory>

#include "DiffResults.h"
#include "ExtractOptions.h"
#include "LogonPrompt.h"
#include "RunReporter.h"
#include "tvReport.h"

namespace tav::utilities {

// Report Difference: two report models compared line by line. The engine loads and holds the
// two reports and compares what the options switch on; what it finds comes out as DiffResults,
// which the difference window shows and prints and the command line writes.
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
    core::RunReporter& reporter() { return reporter_ ? *reporter_ : standardError_; }

    // Loads both report files, replacing the models held. False when a report cannot be
    // opened, with the reason of its load error in `error` (currentReportName() names the
    // report); what was held stays unchanged.
    bool open(const QString& leftPath, const QString& rightPath, QString* error = nullptr);

    // Holds models loaded elsewhere, as open does with the files' models.
    void setReports(std::unique_ptr<tvReport> left, std::unique_ptr<tvReport> right,
                    const QString& leftPath, const QString& rightPath);

    bool hasReports() const { return left_ && right_; }
    const tvReport* leftReport() const { return left_.get(); }
    const QString& leftPath() const { return leftPath_; }
    const QString& rightPath() const { return rightPath_; }

    // Compares the two models held, afresh, into `results`; the changes only unless `allLines`.
    // False, with the reason in `error`, when the comparison could not end (currentReportName()
    // names the pair); `results` then holds no line of it.
    bool compare(bool allLines, DiffResults& results, QString* error = nullptr);

    // The reports held, by the names under which they are shown, whose SQL text was left out:
    // their database needed a logon that was not given. The comparison cannot tell the SQL texts
    // of these reports apart, so the user must hear of it.
    const QStringList& sqlLeftOut() const { return sqlLeftOut_; }

    // The report being loaded or compared: the one a failure names.
    const QString& currentReportName() const { return currentReportName_; }

    // The names under which the two reports are shown: the paths, or for a second file that
    // is a temporary copy (".TMP" or ".tmp") the first path marked "(original)" and "(revised)".
    static QStringList displayNames(const QString& leftPath, const QString& rightPath,
                                    bool trimmed);

private:
    core::ExtractOptions options_;
    LogonPrompt::Presenter logon_;
    core::RunReporter* reporter_ = nullptr;
    core::StandardErrorReporter standardError_;
    QString currentReportName_;
    QStringList sqlLeftOut_;
    QString leftPath_;
    QString rightPath_;
    std::unique_ptr<tvReport> left_;
    std::unique_ptr<tvReport> right_;
};

// Lines up two lists of records whose first field (or second, after a number) is their key,
// and adds them to `results` as difference lines. One forward pass: a record whose key is not
// found ahead in the other list stands alone, and the pass goes on with the next pair.
void alignKeyedLists(const QStringList& first, const QStringList& second, DiffResults& results);

}  // namespace tav::utilities
