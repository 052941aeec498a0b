#include "CommandLine.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <utility>

#include "ExtractDriver.h"
#include "ExtractOptions.h"
#include "LogonPrompt.h"
#include "ReportDiff.h"
#include "ReportFolder.h"
#include "ReportListFile.h"
#include "RunReporter.h"
#include "TextUtilities.h"

namespace tav::shell {

using namespace core;
using namespace doctext;
using namespace utilities;
using namespace extract;

namespace {

constexpr QChar kQuote = u'"';

constexpr const char* kSyntaxLines[] = {
    "",
    "Syntax:",
    " for Extract of Report1:",
    "<path>tavdesk4 -E,<FullPathReport1>",
    "or",
    " for Extract of the reports of a list file:",
    "<path>tavdesk4 -B,<list.RML>",
    "or",
    " for RptDiff between Report1 and Report2:",
    "<path>tavdesk4 -D,<FullPathReport1>,<FullPathReport2>",
};

int syntaxMessage(RunReporter& reporter) {
    reporter.message(commandLineSyntaxText(), commandLineSyntaxTitle());
    return kUsageError;
}

bool isHelpRequest(const QString& commandText) {
    const QString text = commandText.trimmed();
    return text.compare(QLatin1StringView("-h"), Qt::CaseInsensitive) == 0 ||
           text.compare(QLatin1StringView("--help"), Qt::CaseInsensitive) == 0;
}

// Writes `text` whole to standard output as UTF-8; false when it could not be.
bool writeToStandardOutput(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    return std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout) ==
               static_cast<size_t>(bytes.size()) &&
           std::fflush(stdout) == 0;
}

// Asked for, the syntax is the run's output, not a complaint.
int printSyntax() {
    return writeToStandardOutput(commandLineSyntaxTitle() + u'\n' + commandLineSyntaxText() + u'\n')
               ? kAllDocumented
               : kRunFailed;
}

// A path as given: wrapped in double quotes, or bare. Only a quote at its start opens a wrapping;
// a quote inside a bare path is part of the path, as file systems allow. Nothing when the
// wrapping is not closed.
std::optional<QString> unquoted(const QString& text) {
    if (!text.startsWith(kQuote)) return text;
    if (text.size() > 1 && text.endsWith(kQuote)) return text.mid(1, text.size() - 2);
    return std::nullopt;
}

// Where the first of two comma-separated paths ends: at its first comma, or, when it is quoted,
// at the first comma after a closing quote, so that a quoted path may hold commas. -1 without one.
qsizetype pathSeparatorComma(const QString& text) {
    if (!text.startsWith(kQuote)) return text.indexOf(u',');
    for (qsizetype quote = text.indexOf(kQuote, 1); quote > 0;
         quote = text.indexOf(kQuote, quote + 1)) {
        qsizetype next = quote + 1;
        while (next < text.size() && text[next].isSpace()) ++next;
        if (next < text.size() && text[next] == u',') return next;
    }
    return -1;
}

int statusOf(bool documented) { return documented ? kAllDocumented : kRunFailed; }

// Nobody is there to fill in a logon on the command line: its prompt is cancelled, which leaves
// the report's SQL text out, and the user hears so once for each report.
void tellSqlLeftOut(const QString& report, RunReporter& reporter) {
    reporter.message(QStringLiteral("The SQL text of Report: %1 is left out: its "
                                    "database needs a logon, which a command-line run "
                                    "cannot ask for")
                         .arg(withVisibleControls(report)));
}

// An Extract from the command line.
class CommandLineExtract {
public:
    CommandLineExtract(const ExtractOptions& options, RunReporter& reporter)
        : reporter(reporter),
          run(options, reporter),
          driver(run, defaultExtractWriters(), [logon = logon_, &reporter](LogonPrompt& prompt) {
              if (!std::exchange(logon->told, true)) tellSqlLeftOut(logon->report, reporter);
              prompt.pressCancel();
          }) {}

    bool report(const QString& path, const QString& fileName) const {
        *logon_ = {fileName, false};
        return driver.ExtractReport(path, fileName);
    }

private:
    struct LogonNotice {
        QString report;  // the report being extracted
        bool told = false;
    };
    std::shared_ptr<LogonNotice> logon_ = std::make_shared<LogonNotice>();

public:
    RunReporter& reporter;
    ExtractRun run;
    const ExtractDriver driver;
};

// The reports of a folder or a list, in order. A folder or a list that was not read whole is told,
// after the reports read before the failure ran, and fails the run.
template <class Source>
int extractAll(CommandLineExtract& extract, const Source& source) {
    extract.run.groupCommits();
    bool documented = true;
    for (const QString& report : source.reports)
        documented = extract.report(report, reportFileName(report)) && documented;
    documented = extract.run.end() && documented;
    if (!source.readWhole()) extract.reporter.message(source.error);
    return statusOf(source.readWhole() && documented);
}

// -E: one report, or the report files of one folder.
int extractPath(CommandLineExtract& extract, const QString& path) {
    if (!path.endsWith(u'/') && !path.endsWith(u'\\')) {
        return statusOf(extract.report(path, reportFileName(path)));
    }
    return extractAll(extract, ReportFolder::read(path, ReportFolder::Subfolders::Left,
                                                  ReportFolder::Hidden::Left));
}

// -B: the report files named in a list file, in the list's order. Other lines are skipped.
int extractList(CommandLineExtract& extract, const QString& listFile) {
    if (!listFile.endsWith(QLatin1StringView(".RML"), Qt::CaseInsensitive)) {
        extract.reporter.message(QStringLiteral("Not a report list file (.RML): ") +
                                 withVisibleControls(listFile));
        return kUsageError;
    }
    return extractAll(extract, ReportListFile::read(listFile));
}

// -D: two reports compared. No printer is needed: the combined difference text, the one the
// difference window prints, goes to standard output as UTF-8 text.
int compareReports(const ExtractOptions& options, const QString& argumentText,
                   RunReporter& reporter) {
    const qsizetype comma = pathSeparatorComma(argumentText);
    const std::optional<QString> path1 = unquoted(argumentText.left(comma).trimmed());
    const std::optional<QString> path2 =
        comma < 0 ? std::nullopt : unquoted(argumentText.mid(comma + 1).trimmed());
    if (!path1 || !path2 || reportFileName(*path1).isEmpty() || reportFileName(*path2).isEmpty()) {
        reporter.message(
            QStringLiteral("Report Difference needs two reports, separated by a comma: ") +
            withVisibleControls(argumentText));
        return kUsageError;
    }
    ReportDiff diff(options);
    diff.setReporter(reporter);
    DiffResults results;
    QString reason;
    bool compared = diff.open(*path1, *path2, &reason);
    if (compared) {
        for (const QString& report : diff.sqlLeftOut()) tellSqlLeftOut(report, reporter);
        compared = diff.compare(true, results, &reason);
    }
    if (!compared) {
        // The report being mined or compared when it failed.
        reporter.message(reportFailureText(QStringLiteral("Unable to open Report: "),
                                           diff.currentReportName(), reason));
        return kRunFailed;
    }
    const bool written = writeToStandardOutput(results.combinedText());
    if (!written) reporter.message(QStringLiteral("Unable to write the difference text"));
    return written ? kAllDocumented : kRunFailed;
}

}  // namespace

QString commandTextOf(const QStringList& arguments) { return arguments.join(u' ').trimmed(); }

bool isCommandLineJob(const QString& commandText) {
    return commandText.trimmed().size() > 3 || isHelpRequest(commandText);
}

int HandleCommandLine(const QString& commandText, const ExtractOptions& options,
                      RunReporter& reporter) {
    if (isHelpRequest(commandText)) return printSyntax();
    const QString text = commandText.trimmed();
    // The switch, then a blank or a comma, then the argument.
    if (text.size() < 4 || (text[2] != u' ' && text[2] != u',')) return syntaxMessage(reporter);
    const QString switchText = text.left(2);
    // Two paths, each of which may be quoted.
    if (switchText.compare(QLatin1StringView("-D"), Qt::CaseInsensitive) == 0) {
        return compareReports(options, text.mid(3).trimmed(), reporter);
    }
    const std::optional<QString> argument = unquoted(text.mid(3).trimmed());
    if (!argument || argument->isEmpty()) return syntaxMessage(reporter);

    if (switchText.compare(QLatin1StringView("-E"), Qt::CaseInsensitive) == 0) {
        CommandLineExtract extract(options, reporter);
        const int status = extractPath(extract, *argument);
        return extract.run.close() ? status : std::max<int>(status, kRunFailed);
    }
    if (switchText.compare(QLatin1StringView("-B"), Qt::CaseInsensitive) == 0) {
        CommandLineExtract extract(options, reporter);
        const int status = extractList(extract, *argument);
        return extract.run.close() ? status : std::max<int>(status, kRunFailed);
    }
    return syntaxMessage(reporter);
}

QString commandLineSyntaxTitle() { return QStringLiteral("Tavrin Command Line Syntax"); }

QString commandLineSyntaxText() {
    QStringList lines;
    for (const char* line : kSyntaxLines) lines << QString::fromLatin1(line);
    return lines.join(u'\n');
}

}  // namespace tav::shell
