#include "CommandLine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <cstdio>
#include <optional>

#include "ExtractDriver.h"
#include "ExtractOptions.h"
#include "ReportDiff.h"
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
    "<path>TVUtility.exe -E,<FullPathRreport1>",
    "or",
    " for RptDiff between Rpeort1 and Report2:",
    "<path>TVUtility.exe D,<FullPathReport1>,<FullPathReport2>",
};

int syntaxMessage() {
    ShowMessage(commandLineSyntaxText(), commandLineSyntaxTitle());
    return kUsageError;
}

// A path as given: wrapped in double quotes, or bare. Only a quote at its start opens a wrapping;
// a quote inside a bare path is part of the path, as file systems allow. Nothing when the
// wrapping is not closed.
std::optional<QString> unquoted(const QString& text) {
    if (!text.startsWith(kQuote)) return text;
    if (text.size() > 1 && text.endsWith(kQuote)) return text.mid(1, text.size() - 2);
    return std::nullopt;
}

bool isReportFile(const QString& path) {
    return path.endsWith(QLatin1StringView(".rpt"), Qt::CaseInsensitive);
}

int statusOf(bool documented) { return documented ? kAllDocumented : kRunFailed; }

// -E: one report, or the report files of one folder.
int extractPath(const ExtractDriver& driver, const QString& path) {
    if (!path.endsWith(u'/') && !path.endsWith(u'\\')) {
        return statusOf(driver.ExtractReport(path, reportFileName(path)));
    }
    const QDir folder(path);
    if (!folder.exists()) {
        ShowMessage(QStringLiteral("Folder not found: ") + path);
        return kRunFailed;
    }
    ExtractDriver::Run run(driver);
    bool documented = true;
    for (const QString& fileName : folder.entryList(QDir::Files, QDir::Name)) {
        if (isReportFile(fileName))
            documented = driver.ExtractReport(path + fileName, fileName) && documented;
    }
    return statusOf(run.end() && documented);
}

// -B: the report files named in a list file, in the list's order. Other lines are skipped.
int extractList(const ExtractDriver& driver, const QString& listFile) {
    if (!listFile.endsWith(QLatin1StringView(".RML"), Qt::CaseInsensitive)) {
        ShowMessage(QStringLiteral("Not a report list file (.RML): ") + listFile);
        return kUsageError;
    }
    // A device or a pipe is no list: reading one would never end, or wait for ever.
    const QFileInfo info(listFile);
    if (info.exists() && !info.isFile()) {
        ShowMessage(listFile + QStringLiteral(": not a regular file"));
        return kRunFailed;
    }
    QFile file(listFile);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        ShowMessage(listFile + QStringLiteral(": ") + file.errorString());
        return kRunFailed;
    }
    ExtractDriver::Run run(driver);
    bool documented = true;
    while (!file.atEnd()) {
        // No path is longer than this; a longer line is no path and is passed over whole.
        constexpr qint64 kLongestLine = 32768;
        QByteArray bytes = file.readLine(kLongestLine);
        if (bytes.isEmpty() && file.error() != QFileDevice::NoError) break;
        if (!bytes.endsWith('\n') && !file.atEnd()) {
            while (!file.atEnd() && !file.readLine(kLongestLine).endsWith('\n')) {
            }
            continue;
        }
        while (bytes.endsWith('\n') || bytes.endsWith('\r')) bytes.chop(1);
        const QString line = QString::fromUtf8(bytes);
        if (isReportFile(line))
            documented = driver.ExtractReport(line, reportFileName(line)) && documented;
    }
    documented = run.end() && documented;
    if (file.error() != QFileDevice::NoError) {
        ShowMessage(listFile + QStringLiteral(": ") + file.errorString());
        return kRunFailed;
    }
    return statusOf(documented);
}

// -D: two reports compared. No printer is needed: the combined difference text, the one the
// difference window prints, goes to standard output as UTF-8 text.
int compareReports(const ExtractOptions& options, const QString& argumentText) {
    const qsizetype comma = argumentText.indexOf(u',');
    const std::optional<QString> path1 = unquoted(argumentText.left(comma).trimmed());
    const std::optional<QString> path2 =
        comma < 0 ? std::nullopt : unquoted(argumentText.mid(comma + 1).trimmed());
    if (!path1 || !path2 || reportFileName(*path1).isEmpty() || reportFileName(*path2).isEmpty()) {
        ShowMessage(QStringLiteral("Report Difference needs two reports, separated by a comma: ") +
                    argumentText);
        return kUsageError;
    }
    ReportDiff diff(options);
    try {
        diff.OpenDiffReports(*path1, *path2);
        diff.AnalyzeDifferences();
    } catch (const rt::Error& e) {
        // The report being mined or compared when it failed.
        ShowMessage(reportFailureText(QStringLiteral("Unable to open Report: "),
                                      diff.CurrentReportName, e.reason()));
        return kRunFailed;
    }
    const QByteArray text = diff.combinedText().toUtf8();
    const bool written = std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()),
                                     stdout) == static_cast<size_t>(text.size()) &&
                         std::fflush(stdout) == 0;
    if (!written) ShowMessage(QStringLiteral("Unable to write the difference text"));
    return written ? kAllDocumented : kRunFailed;
}

}  // namespace

QString commandTextOf(const QStringList& arguments) { return arguments.join(u' ').trimmed(); }

bool isCommandLineJob(const QString& commandText) { return commandText.trimmed().size() > 3; }

int HandleCommandLine(const QString& commandText, const ExtractOptions& options) {
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
        return extractPath(ExtractDriver(options), *argument);
    }
    if (switchText.compare(QLatin1StringView("-B"), Qt::CaseInsensitive) == 0) {
        return extractList(ExtractDriver(options), *argument);
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
