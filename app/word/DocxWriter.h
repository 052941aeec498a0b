#pragma once

#include <QString>
#include <memory>
#include <optional>

#include "DocumentTemplate.h"
#include "DocxDocument.h"
#include "ExtractOptions.h"
#include "LineSink.h"
#include "ObjectDetailWriter.h"
#include "RunLog.h"
#include "RunReporter.h"
#include "tvCollections.h"

class tvReport;
class tvSection;

namespace tav::word {

class DocxLineSink;
class LayoutPictureWorker;
class SurfaceMemory;

// Assembles the Word documentation (.docx) of one report and its subreports: its lines and
// tables go in at a DocxLineSink, the sink that the shared blocks write into too. "Starting
// Word" makes the document builder, "quitting" releases it. The document is written on the
// template profile's styles when UseTemplate is on, else on a new document that DocumentSetup
// styles from the font settings.
//
// Each body starts with the report's heading and, when ShowLayout is on, its layout picture;
// a LayoutPictureWorker makes the pictures, each in its place unless they are made aside.
// The document is saved in one piece at the end: any failure while it is written ends the
// report as a failed one (WriteReport answers false) and an earlier document of the same name
// stays as it was.
class DocxWriter {
public:
    // Steps go to `log`, messages to `reporter`.
    DocxWriter(const core::ExtractOptions& options, core::RunLog& log, core::RunReporter& reporter);
    ~DocxWriter();
    DocxWriter(const DocxWriter&) = delete;
    DocxWriter& operator=(const DocxWriter&) = delete;

    // Makes the document for the report file `fileName` (extension kept) whose full path is
    // `reportPath`; `documentFolder` ends in a separator. False when the document cannot be
    // prepared, with the step that failed and the reason in `error`: "preparing the document: ...".
    bool init(const QString& fileName, const QString& documentFolder, const QString& reportPath,
              const QString& templateName, QString* error = nullptr);
    // Writes the whole document and saves it as `documentFolder` + the name less its last four
    // characters + ".docx"; false, with nothing saved, when any step fails, with the step and
    // the reason in `error`: "saving the document: ...".
    bool WriteReport(const tvReport& report, const QString& fileName, QString* error = nullptr);
    // Releases the document; harmless when there is none.
    void closeDocument();
    // On, the layout pictures are drawn and stored on a thread of their own while the body is
    // written; off (as it starts), each is made in its place on the caller's thread. The
    // document is the same. In place costs less: a thread of each report's own would load its
    // fonts afresh and make every release of memory stop the other processors.
    void setPicturesAside(bool aside) { picturesAside_ = aside; }

    // Where documentation lines go into the document, once init has made it.
    doctext::LineSink& lineSink();

    // The file that the document is saved as; empty before WriteReport.
    QString documentPath() const { return documentPath_; }
    const DocumentTemplate& profile() const { return profile_; }

private:
    // The template's document when the profile's template can be read, else a new one; a
    // template's document that lacks styles of the profile gets them, and the user is told once.
    void PrepareDocument(const QString& templateName, const QString& reportPath,
                         const QString& fileName);
    void SaveDocument(const QString& fileName);

    // Assembly.
    void WriteTitlePage(const tvReport& report);
    void WriteReportBody(const tvReport& report, const tvReport& mainReport, qsizetype index);
    void WriteLayoutPicture(const tvReport& mainReport, qsizetype index);
    void WriteSectionDetails(const tvReport& report, const tvSection& section, qsizetype areaIndex,
                             qsizetype sectionIndex);
    void WriteObjectTable(const tvSection& section, double idBase);

    // The body blocks.
    void WriteAlertsTable(const tvReport& report);
    void WriteSelectionFormula(const QString& heading, const QString& formula);
    void WriteFormulaTable(const tvReport& report);
    void WriteParameterTable(const tvReport& report);
    void WriteGroupTable(const tvReport& report);
    void WriteSortFieldTable(const QString& title, const tvCollection<tvSortField>& sortFields);
    void WriteSQLQuery(const tvReport& report);
    void WriteTableList(const tvReport& report);
    void WriteTableColumnTables(const tvReport& report);
    void WriteRunningTotalTable(const tvReport& report);
    void WriteSections(const tvReport& report);

    // A table of `rows` + 1 rows (captions first, bold, repeated on every page) after the
    // insertion point, in the profile's table style.
    tvdocx::Table addTable(qsizetype rows, std::initializer_list<const char*> captions);
    void MoveToEndOfTable();

    std::unique_ptr<tvdocx::Document> wordDocument_;
    std::unique_ptr<DocxLineSink> sink_;             // at the end of the document's body
    std::unique_ptr<LayoutPictureWorker> pictures_;  // while a report with its pictures is written
    // Under the pictures of every report of the run: each draws over the memory of the one before.
    std::shared_ptr<SurfaceMemory> pictureMemory_;
    bool picturesAside_ = false;
    DocumentTemplate profile_;
    QString documentFolder_;
    QString documentPath_;
    bool newDocument_ = true;
    QString step_;  // what is being done, for the failure's reason
    // Moves on to `step`; a failure of the document in the step before stops the report there.
    void beginStep(const QString& step);
    // Stops the report when an operation on the document has failed.
    void checkDocument() const;
    // The reason of the failure that stopped the step: the document's own when it failed first.
    QString failureReason(const std::exception& met) const;
    core::ExtractOptions options_;
    core::RunLog& log_;
    core::RunReporter& reporter_;
};

}  // namespace tav::word
