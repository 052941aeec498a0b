#include "tvCommandLineHandler.h"

#include <QDir>
#include <QFile>
#include <QTextStream>
#include <optional>

#include "TVSettings.h"
#include "UserMessages.h"
#include "tvExtract.h"

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

// The text between the first double quote and the next one, or the text itself when it holds
// no quote; nothing when the closing quote is missing.
std::optional<QString> unquoted(const QString& text) {
    const qsizetype open = text.indexOf(kQuote);
    if (open < 0) return text;
    const qsizetype close = text.indexOf(kQuote, open + 1);
    if (close < 0) return std::nullopt;
    return text.mid(open + 1, close - open - 1);
}

bool isReportFile(const QString& path) {
    return path.endsWith(QLatin1StringView(".rpt"), Qt::CaseInsensitive);
}

bool extract(const QString& path, const QString& fileName) {
    REPORTS().CurrentReportPath = path;
    return ExtractReport(path, fileName);
}

int statusOf(bool documented) { return documented ? kAllDocumented : kRunFailed; }

// -E: one report, or the report files of one folder.
int extractPath(const QString& path) {
    if (!path.endsWith(u'/') && !path.endsWith(u'\\')) {
        return statusOf(extract(path, reportFileName(path)));
    }
    const QDir folder(path);
    if (!folder.exists()) {
        ShowMessage(QStringLiteral("Folder not found: ") + path);
        return kRunFailed;
    }
    bool documented = true;
    for (const QString& fileName : folder.entryList(QDir::Files, QDir::Name)) {
        if (isReportFile(fileName)) documented = extract(path + fileName, fileName) && documented;
    }
    return statusOf(documented);
}

// -B: the report files named in a list file, in the list's order. Other lines are skipped.
int extractList(const QString& listFile) {
    if (!listFile.endsWith(QLatin1StringView(".RML"), Qt::CaseInsensitive)) {
        ShowMessage(QStringLiteral("Not a report list file (.RML): ") + listFile);
        return kUsageError;
    }
    QFile file(listFile);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        ShowMessage(listFile + QStringLiteral(": ") + file.errorString());
        return kRunFailed;
    }
    QTextStream lines(&file);
    bool documented = true;
    QString line;
    while (lines.readLineInto(&line)) {
        if (isReportFile(line)) documented = extract(line, reportFileName(line)) && documented;
    }
    if (file.error() != QFileDevice::NoError) {
        ShowMessage(listFile + QStringLiteral(": ") + file.errorString());
        return kRunFailed;
    }
    return statusOf(documented);
}

}  // namespace

QString commandTextOf(const QStringList& arguments) { return arguments.join(u' ').trimmed(); }

bool isCommandLineJob(const QString& commandText) { return commandText.trimmed().size() > 3; }

int HandleCommandLine(const QString& commandText) {
    const QString text = commandText.trimmed();
    // The switch, then a blank or a comma, then the argument.
    if (text.size() < 4 || (text[2] != u' ' && text[2] != u',')) return syntaxMessage();
    const std::optional<QString> argument = unquoted(text.mid(3).trimmed());
    if (!argument || argument->isEmpty()) return syntaxMessage();

    const QString switchText = text.left(2);
    if (switchText.compare(QLatin1StringView("-E"), Qt::CaseInsensitive) == 0) {
        return extractPath(*argument);
    }
    if (switchText.compare(QLatin1StringView("-B"), Qt::CaseInsensitive) == 0) {
        return extractList(*argument);
    }
    return syntaxMessage();
}

QString commandLineSyntaxTitle() { return QStringLiteral("Tavrin Command Line Syntax"); }

QString commandLineSyntaxText() {
    QStringList lines;
    for (const char* line : kSyntaxLines) lines << QString::fromLatin1(line);
    return lines.join(u'\n');
}
