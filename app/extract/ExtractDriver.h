#pragma once

#include <QString>
#include <QStringList>

#include "ExtractOptions.h"
#include "ExtractRun.h"
#include "ExtractWriterFactory.h"
#include "LogonPrompt.h"

namespace tav::extract {

// The Extract driver: mines each report into a fresh model and hands it to the writers that
// the options switch on (text, document, database, in that order), keeping the Extract result
// list in step with the output files. One driver serves one run, through which it and its
// writers get the options, the run log, the reporter and the database session.
class ExtractDriver {
public:
    // A report whose database refuses the connection shows its logon prompt through `logon`;
    // without one the prompt is cancelled.
    explicit ExtractDriver(ExtractRun& run, ExtractWriterFactory writers = defaultExtractWriters(),
                           LogonPrompt::Presenter logon = {});

    // Mines every report of `reportList` (full paths) in order and keeps `resultList` naming the
    // expected outputs of each report once, at the end, whether the report succeeded or not. The
    // reports share the database's commits, saved at the end (ExtractRun::end()). True when
    // every report was documented and their rows saved.
    bool ExtractReportList(const QStringList& reportList, QStringList& resultList) const;

    // Mines one report and runs the enabled writers. Never fails to its caller; the result is
    // false when anything of the report failed. A report that cannot be loaded shows "Unable to
    // open Report: ", its file name and the runtime's reason, and reaches no writer. A writer
    // that fails ends its own output alone: the message names the output, the report and the
    // writer's reason, and the other outputs are still written. The messages of a report go to
    // the user in one message and into the run log.
    bool ExtractReport(const QString& reportPath, const QString& reportFileName) const;

    // The output files of a report stem, in the options' folders.
    QString textOutputPath(const QString& stem) const;
    QString wordOutputPath(const QString& stem) const;

    // Removes the first entry equal to `name` and, when document output is on, the first entry
    // naming the document of the same folder and stem.
    void RemoveListItem(QStringList& list, const QString& name) const;

private:
    void writeOutputs(tvReport& report, const QString& reportPath, const QString& reportFileName,
                      QStringList& failures, QStringList& told) const;

    ExtractRun& run_;
    const core::ExtractOptions& options_;
    ExtractWriterFactory writers_;
    LogonPrompt::Presenter logon_;
};

// `what` (such as "Unable to open Report: "), the report's file name, then the cause in
// parentheses when one is known.
QString reportFailureText(const QString& what, const QString& reportFileName,
                          const QString& reason);

}  // namespace tav::extract
