#include "ExtractDriver.h"

#include <algorithm>
#include <memory>
#include <stdexcept>

#include "CompoundFile.h"
#include "ExtractWriterFactory.h"
#include "RtError.h"
#include "ExtractOptions.h"
#include "SettingsStore.h"
#include "tvReport.h"
#include "UserMessages.h"
#include "DatabaseCreator.h"
#include "RunLog.h"

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
template <class Writer, class Calls>
void writeOutput(const char* output, const QString& reportFileName, const Writer& writer,
                 Calls&& calls, QStringList& failures) {
    QString reason;
    try {
        if (calls()) return;
    } catch (...) {
        reason = currentExceptionText();
    }
    if (reason.isEmpty() && writer) reason = writer->failureReason();
    if (reason.isEmpty()) reason = QStringLiteral("no reason given");
    failures << reportFailureText(
        QStringLiteral("Unable to write the %1 of Report: ").arg(QLatin1StringView(output)),
        reportFileName, reason);
}

// The enabled outputs of the loaded report, in the order text, Word, database.
void writeOutputs(tvReport& report, const QString& reportPath, const QString& reportFileName,
                  QStringList& failures) {
    const ExtractOptions& settings = REPORTS();
    const QString& name = reportFileName;
    std::shared_ptr<ExtractWordWriter> wordWriter;
    std::shared_ptr<ExtractTextWriter> textWriter;
    std::unique_ptr<ExtractDatabaseWriter> databaseWriter;
    try {
        const ExtractWriterFactory& writers = extractWriters();
        wordWriter = writers.wordWriter();
        textWriter = writers.textWriter();
        databaseWriter = writers.databaseWriter();
    } catch (...) {
        failures << reportFailureText(QStringLiteral("Unable to document Report: "), reportFileName,
                                      currentExceptionText());
        return;
    }

    if (settings.CreateTVDFile && textWriter) {
        writeOutput(
            "text file", reportFileName, textWriter,
            [&] {
                // A writer that stopped has thrown its unfinished file away; the old one stays.
                const bool written =
                    textWriter->init(reportFileName, withTrailingSeparator(settings.TVDPath),
                                     reportPath) &&
                    textWriter->WriteReport(report, reportFileName);
                textWriter->cleanUp();
                return written;
            },
            failures);
    }
    if (settings.CreateWordDocument && wordWriter) {
        writeOutput(
            "document", reportFileName, wordWriter,
            [&] {
                ShowStatus(name + QStringLiteral(" - Initializing Word"));
                if (!wordWriter->init(reportFileName, withTrailingSeparator(settings.DocPath),
                                      reportPath, settings.OutputTemplate)) {
                    return false;
                }
                ShowStatus(name + QStringLiteral(" - Generating Word Document"));
                const bool written = wordWriter->WriteReport(report, reportFileName);
                wordWriter->QuitWord();
                return written;
            },
            failures);
    }
    if (settings.UpdateDB && databaseWriter) {
        writeOutput(
            "database rows", reportFileName, databaseWriter,
            [&] {
                ShowStatus(name + QStringLiteral(" - Initializing database output"));
                return databaseWriter->WriteReport(
                    report, reportFileName,
                    withTrailingSeparator(settings.DBPath) +
                        QString::fromLatin1(DatabaseCreator::kDatabaseFileName),
                    reportPath);
            },
            failures);
    }
}

// `name` with `extension` in place of its own.
QString withExtension(const QString& name, const QString& extension) {
    const qsizetype dot = name.lastIndexOf(u'.');
    const qsizetype separator = std::max(name.lastIndexOf(u'/'), name.lastIndexOf(u'\\'));
    return (dot > separator ? name.left(dot) : name) + extension;
}

void removeFirst(QStringList& list, const QString& name) {
    const qsizetype at = list.indexOf(name);
    if (at >= 0) list.removeAt(at);
}

}  // namespace

void routeLibraryMessagesToRunLog() {
    rt::setLibraryMessageHandler([](const QString& message) {
        try {
            WriteLog(message);
        } catch (const std::exception&) {
            // Without a run log the library's note is dropped: it is no message for the user.
        }
    });
}

QString reportFailureText(const QString& what, const QString& reportFileName,
                          const QString& reason) {
    return what + reportFileName +
           (reason.isEmpty() ? QString() : QStringLiteral(" (") + reason + u')');
}

QString textOutputPath(const QString& stem) {
    return withTrailingSeparator(REPORTS().TVDPath) + stem + kTextExtension;
}

QString wordOutputPath(const QString& stem) {
    return withTrailingSeparator(REPORTS().DocPath) + stem + kWordExtension;
}

bool ExtractReportList(const QStringList& reportList, QStringList& resultList) {
    const ExtractOptions& settings = REPORTS();
    bool documented = true;
    for (const QString& path : reportList) {
        const QString fileName = reportFileName(path);
        const QString stem = reportStem(fileName);
        if (settings.CreateTVDFile) RemoveListItem(resultList, textOutputPath(stem));
        if (settings.CreateWordDocument) RemoveListItem(resultList, wordOutputPath(stem));
        ShowStatus(fileName + QStringLiteral(" - Mining"));
        documented = ExtractReport(path, fileName) && documented;
        if (settings.CreateTVDFile) resultList.append(textOutputPath(stem));
        if (settings.CreateWordDocument) resultList.append(wordOutputPath(stem));
    }
    return documented;
}

void RemoveListItem(QStringList& list, const QString& name) {
    removeFirst(list, name);
    // With the text and Word folders the same, a report's text name also takes its Word name.
    if (REPORTS().CreateWordDocument) removeFirst(list, withExtension(name, kWordExtension));
}

bool ExtractReport(const QString& reportPath, const QString& reportFileName) {
    const ExtractOptions& settings = REPORTS();
    QStringList failures;  // one line for each thing of the report that failed, with its cause
    // The model being mined lives for this report alone.
    auto report = std::make_unique<tvReport>();
    try {
        report->init(reportPath, qint16(settings.ShowSQL), qint16(settings.PromptForParameters));
    } catch (...) {
        report.reset();
        failures << reportFailureText(kUnableToOpen, reportFileName, currentExceptionText());
    }
    if (report) {
        ShowStatus(reportFileName + QStringLiteral(" - Initializing"));
        writeOutputs(*report, reportPath, reportFileName, failures);
    }
    if (!failures.isEmpty()) {
        // The run log tells what the messages told, where a log can be written at all.
        try {
            for (const QString& failure : failures) WriteLog(failure);
        } catch (const std::exception&) {
        }
    }
    if (!CloseLog()) failures << QStringLiteral("Unable to write the run log ") + runLogPath();
    if (!failures.isEmpty()) ShowMessage(failures.join(u'\n'));
    return failures.isEmpty();
}
