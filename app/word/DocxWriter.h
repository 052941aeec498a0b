#pragma once

#include <QString>
#include <memory>
#include <optional>

#include "DocumentTemplate.h"
#include "DocxDocument.h"
#include "ExtractOptions.h"
#include "LayoutPicture.h"
#include "LineSink.h"
#include "ObjectDetailWriter.h"
#include "RunLog.h"
#include "RunReporter.h"

class tvReport;
class tvSection;

namespace tav::word {

// The Word colour of a font setting's colour name (exact match; 0, black, for any other name).
// An empty name becomes "Black" in the setting itself, so that it is stored that way.
qint32 GetWordColor(QString& colourName);

// Writes the Word documentation (.docx) of one report and its subreports. "Starting Word" makes
// the document builder, "quitting" releases it. The document is written on the template
// profile's styles when UseTemplate is on, else on a new document styled from the font settings.
//
// Each body starts with the report's heading and, when ShowLayout is on, its layout picture;
// the pictures are made on a worker thread as the document is written.
// The document is saved in one piece at the end: any failure while it is written ends the
// report as a failed one (WriteReport answers false) and an earlier document of the same name
// stays as it was.
class DocxWriter final : public doctext::LineSink {
public:
    // Steps go to `log`, messages to `reporter`.
    DocxWriter(const core::ExtractOptions& options, core::RunLog& log, core::RunReporter& reporter);
    ~DocxWriter() override;

    // Makes the document for the report file `fileName` (extension kept) whose full path is
    // `reportPath`; `documentFolder` ends in a separator. False when the document cannot be
    // prepared.
    bool init(const QString& fileName, const QString& documentFolder, const QString& reportPath,
              const QString& templateName);
    // Writes the whole document and saves it as `documentFolder` + the name less its last four
    // characters + ".docx"; false, with nothing saved, when any step fails.
    bool WriteReport(const tvReport& report, const QString& fileName);
    // Releases the document; harmless when there is none.
    void closeDocument();
    // The layout pictures are drawn and stored on a worker thread while the body is written;
    // off, each is made in its place on the caller's thread. The document is the same.
    void setPicturesAside(bool aside) { picturesAside_ = aside; }
    // The step that failed last, with the reason: "saving the document: ...".
    QString failureReason() const { return failure_; }

    // One documentation line as a paragraph of the document.
    void WriteDetails(doctext::LineRole role, doctext::LineKind kind, const QString& text,
                      const QString& value, qint32 level) override;

    // The links of the report's tables are not part of the Word document.
    void WriteDBLinks(const tvReport& report);

    // The file that the document is saved as; empty before WriteReport.
    QString documentPath() const { return documentPath_; }
    const DocumentTemplate& profile() const { return profile_; }

private:
    // Document set-up.
    void PrepareDocument(const QString& templateName, const QString& reportPath,
                         const QString& fileName);
    // Adds each style that the profile names and the template lacks, defined as in a new
    // document, and tells the user once.
    void completeTemplateStyles();
    void prepareNewDocument(const QString& reportPath, const QString& fileName);
    void SetupPage(const QString& reportPath, const QString& fileName);
    void SetupStyles();
    void SetupPropertyTitleStyle();
    void SetupTableFontStyle();
    void SaveDocument(const QString& fileName);

    // Assembly.
    // Fills the fields " ReportName ", " ReportDateTime " and " ReportRevision " of the body,
    // header and footer with the report's values.
    void ReplaceTemplateFields(const tvReport& report, const QString& fileName);
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
    void WriteSortFieldTables(const tvReport& report);
    void WriteSQLQuery(const tvReport& report);
    void WriteTableList(const tvReport& report);
    void WriteTableColumnTables(const tvReport& report);
    void WriteRunningTotalTable(const tvReport& report);
    void WriteSections(const tvReport& report);

    // The insertion point: text goes into the open paragraph, which is made on first use in the
    // current style and paragraph formatting; a paragraph break closes it.
    void setStyle(const QString& styleName);
    void typeText(const QString& text, const tvdocx::RunFormat& format = {});
    void typeParagraph();
    void pageBreak();
    void line(const QString& text, qint32 level = 1,
              doctext::LineRole role = doctext::LineRole::Detail);
    void blank(doctext::LineRole role = doctext::LineRole::Detail);
    void heading(const QString& text);

    // A table of `rows` + 1 rows (captions first, bold, repeated on every page) after the
    // insertion point, in the profile's table style.
    tvdocx::Table addTable(qsizetype rows, std::initializer_list<const char*> captions);
    void MoveToEndOfTable();

    std::unique_ptr<tvdocx::Document> wordDocument_;
    std::optional<tvdocx::Paragraph> paragraph_;
    QString style_;
    tvdocx::ParagraphFormat paragraphFormat_;
    std::unique_ptr<doctext::ObjectDetailWriter> detailWriter_;
    std::unique_ptr<LayoutPictures> pictures_;  // while a report with its pictures is written
    bool picturesAside_ = true;
    DocumentTemplate profile_;
    QString documentFolder_;
    QString documentPath_;
    bool newDocument_ = true;
    QString step_;     // what is being done, for the failure's reason
    QString failure_;  // why the last failing call failed
    core::ExtractOptions options_;
    core::RunLog& log_;
    core::RunReporter& reporter_;
};

}  // namespace tav::word
