#include "tvExtract.h"

#include "tvDatabaseCreator.h"

#include <algorithm>
#include <stdexcept>

#include "ExtractWriterFactory.h"
#include "TVSettings.h"
#include "TVSettingsStore.h"
#include "TVWriterHelper.h"
#include "UserMessages.h"
#include "tvLogWriter.h"

namespace {

const QString kTextExtension = QStringLiteral(".tvd");
const QString kWordExtension = QStringLiteral(".docx");

// A step of a report that did not succeed; the report ends as a failed one.
void require(bool succeeded) {
    if (!succeeded) throw std::runtime_error("a documentation writer failed");
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

QString textOutputPath(const QString& stem) {
    return withTrailingSeparator(REPORTS().TVDPath) + stem + kTextExtension;
}

QString wordOutputPath(const QString& stem) {
    return withTrailingSeparator(REPORTS().DocPath) + stem + kWordExtension;
}

bool ExtractReportList(const QStringList& reportList, QStringList& resultList) {
    TVSettings& settings = REPORTS();
    bool documented = true;
    for (const QString& path : reportList) {
        const QString fileName = reportFileName(path);
        const QString stem = reportStem(fileName);
        if (settings.CreateTVDFile != 0) RemoveListItem(resultList, textOutputPath(stem));
        if (settings.CreateWordDocument != 0) RemoveListItem(resultList, wordOutputPath(stem));
        if (settings.RunMode >= 2) {
            settings.CurrentReportName = fileName;
            ShowStatus(fileName + QStringLiteral(" - Mining"));
        }
        documented = ExtractReport(path, fileName) && documented;
        if (settings.CreateTVDFile != 0) resultList.append(textOutputPath(stem));
        if (settings.CreateWordDocument != 0) resultList.append(wordOutputPath(stem));
    }
    return documented;
}

void RemoveListItem(QStringList& list, const QString& name) {
    removeFirst(list, name);
    // With the text and Word folders the same, a report's text name also takes its Word name.
    if (REPORTS().CreateWordDocument != 0) removeFirst(list, withExtension(name, kWordExtension));
}

bool ExtractReport(const QString& reportPath, const QString& reportFileName) {
    TVSettings& settings = REPORTS();
    const QString& name = settings.CurrentReportName;
    bool documented = false;
    try {
        const ExtractWriterFactory& writers = extractWriters();
        const std::shared_ptr<ExtractWordWriter> wordWriter = writers.wordWriter();
        const std::shared_ptr<ExtractTextWriter> textWriter = writers.textWriter();
        const auto databaseWriter = writers.databaseWriter();
        // The shared documentation blocks reach each writer by its kind.
        SetWordDocWriter(std::dynamic_pointer_cast<tvIReportWriter>(wordWriter));
        SetTVDWriter(std::dynamic_pointer_cast<tvIReportWriter>(textWriter));

        settings.CurrentReport = std::make_unique<tvReport>();
        settings.CurrentReport->init(reportPath, settings.ShowSQL, settings.PromptForParameters);
        const tvReport& report = *settings.CurrentReport;
        ShowStatus(name + QStringLiteral(" - Initializing"));

        if (settings.CreateTVDFile != 0) {
            require(textWriter->init(reportFileName, withTrailingSeparator(settings.TVDPath),
                                     reportPath));
            require(textWriter->WriteReport(report, reportFileName));
            textWriter->cleanUp();
        }
        if (settings.CreateWordDocument != 0) {
            ShowStatus(name + QStringLiteral(" - Initializing Word"));
            require(wordWriter->init(reportFileName, withTrailingSeparator(settings.DocPath),
                                     reportPath, settings.OutputTemplate));
            ShowStatus(name + QStringLiteral(" - Generating Word Document"));
            require(wordWriter->WriteReport(report, reportFileName));
            wordWriter->QuitWord();
        }
        if (settings.UpdateDB != 0) {
            ShowStatus(name + QStringLiteral(" - Initializing database output"));
            require(databaseWriter->WriteReport(
                *settings.CurrentReport, reportFileName,
                withTrailingSeparator(settings.DBPath) + QString::fromLatin1(tvDatabaseCreator::kDatabaseFileName), reportPath));
        }
        require(CloseLog());
        documented = true;
    } catch (...) {
        // Every failure of a report ends that report alone; the run goes on with the next.
    }
    if (!documented) {
        ShowMessage(QStringLiteral("Unable to open Report: ") + reportFileName);
        CloseLog();
    }
    settings.CurrentReport.reset();
    return documented;
}
