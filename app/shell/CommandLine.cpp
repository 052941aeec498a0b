#include "CommandLine.h"

#include <QDir>
#include <cstdio>
#include <memory>
#include <optional>
#include <utility>

#include "ExtractDriver.h"
#include "ExtractOptions.h"
#include "LogonPrompt.h"
#include "ReportDiff.h"
#include "ReportListFile.h"
#include "TextUtilities.h"
#include "UserMessages.h"

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

int syntaxMessage() {
    ShowMessage(commandLineSyntaxText(), commandLineSyntaxTitle());
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
void tellSqlLeftOut(const QString& report) {
    ShowMessage(QStringLiteral("The SQL text of Report: %1 is left out: its "
                               "database needs a logon, which a command-line run "
                               "cannot ask for")
                    .arg(report));
}

// An Extract from the command line.
class CommandLineExtract {
public:
    explicit CommandLineExtract(const ExtractOptions& options)
        : driver(options, defaultExtractWriters(), [logon = logon_](LogonPrompt& prompt) {
              if (!std::exchange(logon->told, true)) tellSqlLeftOut(logon->report);
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
    const ExtractDriver driver;
};

// -E: one report, or the report files of one folder.
int extractPath(const CommandLineExtract& extract, const QString& path) {
    if (!path.endsWith(u'/') && !path.endsWith(u'\\')) {
        return statusOf(extract.report(path, reportFileName(path)));
    }
    const QDir folder(path);
    if (!folder.exists()) {
        ShowMessage(QStringLiteral("Folder not found: ") + path);
        return kRunFailed;
    }
    ExtractDriver::Run run(extract.driver);
    bool documented = true;
    for (const QString& fileName : folder.entryList(QDir::Files, QDir::Name)) {
        if (ReportListFile::namesReport(fileName))
            documented = extract.report(path + fileName, fileName) && documented;
    }
    return statusOf(run.end() && documented);
}

// -B: the report files named in a list file, in the list's order. Other lines are skipped.
int extractList(const CommandLineExtract& extract, const QString& listFile) {
    if (!listFile.endsWith(QLatin1StringView(".RML"), Qt::CaseInsensitive)) {
        ShowMessage(QStringLiteral("Not a report list file (.RML): ") + listFile);
        return kUsageError;
    }
    const ReportListFile list = ReportListFile::read(listFile);
    if (list.outcome == ReportListFile::Outcome::NotRegularFile ||
        list.outcome == ReportListFile::Outcome::NotOpened) {
        ShowMessage(list.error);
        return kRunFailed;
    }
    ExtractDriver::Run run(extract.driver);
    bool documented = true;
    for (const QString& report : list.reports)
        documented = extract.report(report, reportFileName(report)) && documented;
    documented = run.end() && documented;
    if (list.outcome == ReportListFile::Outcome::ReadFailed) {
        ShowMessage(list.error);
        return kRunFailed;
    }
    return statusOf(documented);
}

// -D: two reports compared. No printer is needed: the combined difference text, the one the
// difference window prints, goes to standard output as UTF-8 text.
int compareReports(const ExtractOptions& options, const QString& argumentText) {
    const qsizetype comma = pathSeparatorComma(argumentText);
    const std::optional<QString> path1 = unquoted(argumentText.left(comma).trimmed());
    const std::optional<QString> path2 =
        comma < 0 ? std::nullopt : unquoted(argumentText.mid(comma + 1).trimmed());
    if (!path1 || !path2 || reportFileName(*path1).isEmpty() || reportFileName(*path2).isEmpty()) {
        ShowMessage(QStringLiteral("Report Difference needs two reports, separated by a comma: ") +
                    argumentText);
        return kUsageError;
    }
    ReportDiff diff(options);
    DiffResults results;
    try {
        diff.open(*path1, *path2);
        for (const QString& report : diff.sqlLeftOut()) tellSqlLeftOut(report);
        results = diff.compare(true);
    } catch (const rt::Error& e) {
        // The report being mined or compared when it failed.
        ShowMessage(reportFailureText(QStringLiteral("Unable to open Report: "),
                                      diff.currentReportName(), e.reason()));
        return kRunFailed;
    }
    const bool written = writeToStandardOutput(results.combinedText());
    if (!written) ShowMessage(QStringLiteral("Unable to write the difference text"));
    return written ? kAllDocumented : kRunFailed;
}

}  // namespace

QString commandTextOf(const QStringList& arguments) { return arguments.join(u' ').trimmed(); }

bool isCommandLineJob(const QString& commandText) {
    return commandText.trimmed().size() > 3 || isHelpRequest(commandText);
}

int HandleCommandLine(const QString& commandText, const ExtractOptions& options) {
    if (isHelpRequest(commandText)) return printSyntax();
    const QString text = commandText.trimmed();
    // The switch, then a blank or a comma, then the argument.
    if (text.size() < 4 || (text[2] != u' ' && text[2] != u',')) return syntaxMessage();
    const QString switchText = text.left(2);
    // Two paths, each of which may be quoted.
    if (switchText.compare(QLatin1StringView("-D"), Qt::CaseInsensitive) == 0) {
        return compareReports(options, text.mid(3).trimmed());
    }
    const std::optional<QString> argument = unquoted(text.mid(3).trimmed());
    if (!argument || argument->isEmpty()) return syntaxMessage();

    if (switchText.compare(QLatin1StringView("-E"), Qt::CaseInsensitive) == 0) {
        return extractPath(CommandLineExtract(options), *argument);
    }
    if (switchText.compare(QLatin1StringView("-B"), Qt::CaseInsensitive) == 0) {
        return extractList(CommandLineExtract(options), *argument);
    }
    return syntaxMessage();
}

QString commandLineSyntaxTitle() { return QStringLiteral("Tavrin Command Line Syntax"); }

QString commandLineSyntaxText() {
    QStringList lines;
    for (const char* line : kSyntaxLines) lines << QString::fromLatin1(line);
    return lines.join(u'\n');
}

}  // namespace tav::shell
