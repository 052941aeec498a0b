#include "ExtractDriver.h"

#include <algorithm>
#include <memory>
#include <stdexcept>

#include "CompoundFile.h"
#include "DatabaseCreator.h"
#include "ExtractOptions.h"
#include "ExtractWriterFactory.h"
#include "OutputFiles.h"
#include "RtError.h"
#include "RunLog.h"
#include "RunReporter.h"
#include "SettingsStore.h"
#include "TextUtilities.h"
#include "tvReport.h"

namespace tav::extract {

using namespace core;
using namespace doctext;
using namespace database;

namespace {

const QString kTextExtension = QStringLiteral(".tvd");
const QString kWordExtension = QStringLiteral(".docx");
const QString kUnableToOpen = QStringLiteral("Unable to open Report: ");

// The text of the exception being handled: the runtime's description, with its line where the
// design document gives one, or the library's own text.
QString currentExceptionText() {
    try {
        throw;
    } catch (const rt::Error& e) {
        return e.reason();
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return {};
    }
}

// Runs the calls of one output of a report. A failure is noted with the output's name and its
// cause, and ends that output alone: the report's other outputs are still written.
template <class Calls>
void writeOutput(const char* output, const QString& reportFileName, Calls&& calls,
                 QStringList& failures) {
    QString reason;
    try {
        if (calls(&reason)) return;
    } catch (...) {
        reason = currentExceptionText();
    }
    if (reason.isEmpty()) reason = QStringLiteral("no reason given");
    failures << reportFailureText(
        QStringLiteral("Unable to write the %1 of Report: ").arg(QLatin1StringView(output)),
        reportFileName, reason);
}

// `name` with `extension` in place of its own.
QString withExtension(const QString& name, const QString& extension) {
    const qsizetype dot = name.lastIndexOf(u'.');
    return (dot >= tvFileNameStart(name) ? name.left(dot) : name) + extension;
}

void removeFirst(QStringList& list, const QString& name) {
    const qsizetype at = list.indexOf(name);
    if (at >= 0) list.removeAt(at);
}

}  // namespace

QString reportFailureText(const QString& what, const QString& reportFileName,
                          const QString& reason) {
    // A line of its own in a message and in the run log, whatever the name and the cause hold.
    return what + withVisibleControls(reportFileName) +
           (reason.isEmpty() ? QString()
                             : QStringLiteral(" (") + withVisibleControls(reason) + u')');
}

ExtractDriver::ExtractDriver(ExtractRun& run, ExtractWriterFactory writers,
                             LogonPrompt::Presenter logon)
    : run_(run), options_(run.options()), writers_(std::move(writers)), logon_(std::move(logon)) {}

void ExtractDriver::writeOutputs(tvReport& report, const QString& reportPath,
                                 const QString& reportFileName, QStringList& failures,
                                 QStringList& told) const {
    const QString& name = reportFileName;
    std::unique_ptr<ExtractWordWriter> wordWriter;
    std::unique_ptr<ExtractTextWriter> textWriter;
    std::unique_ptr<ExtractDatabaseWriter> databaseWriter;
    try {
        if (writers_.wordWriter) wordWriter = writers_.wordWriter(run_);
        if (writers_.textWriter) textWriter = writers_.textWriter(run_);
        if (writers_.databaseWriter) databaseWriter = writers_.databaseWriter(run_);
    } catch (...) {
        failures << reportFailureText(QStringLiteral("Unable to document Report: "), reportFileName,
                                      currentExceptionText());
        return;
    }

    if (options_.CreateTVDFile && textWriter) {
        writeOutput(
            "text file", reportFileName,
            [&](QString* error) {
                // A writer that stopped has thrown its unfinished file away; the old one stays.
                const bool written =
                    createOutputFolder(options_.TVDPath, error) &&
                    textWriter->init(reportFileName, withTrailingSeparator(options_.TVDPath),
                                     reportPath, error) &&
                    textWriter->WriteReport(report, reportFileName, error);
                told << textWriter->bodyFaults();
                textWriter->cleanUp();
                return written;
            },
            failures);
    }
    if (options_.CreateWordDocument && wordWriter) {
        writeOutput(
            "document", reportFileName,
            [&](QString* error) {
                run_.reporter().status(name + QStringLiteral(" - Initializing Word"));
                if (!createOutputFolder(options_.DocPath, error)) return false;
                if (!wordWriter->init(reportFileName, withTrailingSeparator(options_.DocPath),
                                      reportPath, options_.OutputTemplate, error)) {
                    return false;
                }
                run_.reporter().status(name + QStringLiteral(" - Generating Word Document"));
                const bool written = wordWriter->WriteReport(report, reportFileName, error);
                wordWriter->closeDocument();
                return written;
            },
            failures);
    }
    if (options_.UpdateDB && databaseWriter) {
        writeOutput(
            "database rows", reportFileName,
            [&](QString* error) {
                run_.reporter().status(name + QStringLiteral(" - Initializing database output"));
                if (!createOutputFolder(options_.DBPath, error)) return false;
                return databaseWriter->WriteReport(
                    report, reportFileName,
                    withTrailingSeparator(options_.DBPath) +
                        QString::fromLatin1(DatabaseCreator::kDatabaseFileName),
                    reportPath, error);
            },
            failures);
    }
}

QString ExtractDriver::textOutputPath(const QString& stem) const {
    return withTrailingSeparator(options_.TVDPath) + stem + kTextExtension;
}

QString ExtractDriver::wordOutputPath(const QString& stem) const {
    return withTrailingSeparator(options_.DocPath) + stem + kWordExtension;
}

bool ExtractDriver::ExtractReportList(const QStringList& reportList,
                                      QStringList& resultList) const {
    run_.groupCommits();
    bool documented = true;
    for (const QString& path : reportList) {
        const QString fileName = reportFileName(path);
        const QString stem = reportStem(fileName);
        if (options_.CreateTVDFile) RemoveListItem(resultList, textOutputPath(stem));
        if (options_.CreateWordDocument) RemoveListItem(resultList, wordOutputPath(stem));
        run_.reporter().status(fileName + QStringLiteral(" - Mining"));
        documented = ExtractReport(path, fileName) && documented;
        if (options_.CreateTVDFile) resultList.append(textOutputPath(stem));
        if (options_.CreateWordDocument) resultList.append(wordOutputPath(stem));
    }
    return run_.end() && documented;
}

void ExtractDriver::RemoveListItem(QStringList& list, const QString& name) const {
    removeFirst(list, name);
    // With the text and document folders the same, a report's text name also takes its
    // document's name.
    if (options_.CreateWordDocument) removeFirst(list, withExtension(name, kWordExtension));
}

bool ExtractDriver::ExtractReport(const QString& reportPath, const QString& reportFileName) const {
    RunLog& log = run_.log();
    QStringList failures;  // one line for each thing of the report that failed, with its cause
    QStringList told;      // failures that their writer told the user of as they happened
    // The model being mined lives for this report alone.
    auto report = std::make_unique<tvReport>();
    try {
        tvLoadingOptions loading{
            qint16(options_.ShowSQL), qint16(options_.PromptForParameters), logon_, {}};
        // The notes of the library that reads compound files go to the run log.
        // Without a run log the library's note is dropped: it is no message for the user.
        loading.libraryNotes = [&log](const QString& note) { log.write(note); };
        report->init(reportPath, loading);
    } catch (...) {
        report.reset();
        failures << reportFailureText(kUnableToOpen, reportFileName, currentExceptionText());
    }
    if (report) {
        run_.reporter().status(reportFileName + QStringLiteral(" - Initializing"));
        writeOutputs(*report, reportPath, reportFileName, failures, told);
    }
    if (!failures.isEmpty() || !told.isEmpty()) {
        // The run log tells what the messages told, where a log can be written at all.
        for (const QString& failure : told + failures) {
            if (!log.write(failure)) break;
        }
    }
    // A lost log is told once: an output that failed for it has named it already.
    QString logError;
    if (!log.close(&logError) && !failures.join(u'\n').contains(logError)) failures << logError;
    if (!failures.isEmpty()) run_.reporter().message(failures.join(u'\n'));
    return failures.isEmpty() && told.isEmpty();
}

}  // namespace tav::extract
