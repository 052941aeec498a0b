#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "ExtractOptions.h"
#include "LineSink.h"
#include "ObjectDetailWriter.h"
#include "RunReporter.h"
#include "SaveFile.h"

class tvReport;
class tvSection;

namespace tav::doctext {

// Writes the plain-text documentation file (.tvd) of one report and its subreports: a header,
// the summary and export blocks, then one body per report, each block switched on by a
// setting. The file is UTF-8 with CR LF line ends, written to a temporary file that replaces
// the old one only when the whole file was written.
//
// Inside a body a step that fails shows its message and the next step runs, so one bad value
// costs one block, not the file. Any other failure (the header, a write to the file) stops the
// writer: WriteReport answers false and an existing file of the same name stays as it was.
class TvdWriter final : public LineSink {
public:
    // Opens the file that receives the text. Tests put a device of their own in place.
    using OutputOpener = std::function<std::unique_ptr<rt::SaveFile>(const QString& path)>;

    // A step's message goes to `reporter`.
    TvdWriter(const core::ExtractOptions& options, core::RunReporter& reporter,
              OutputOpener openOutput = {});
    ~TvdWriter() override;

    // Opens `outputFolder` + `fileName` less its last four characters + ".tvd" (the folder as
    // given, so it ends in a separator). False when the name is too short or the file cannot
    // be opened, with the reason, naming the file, in `error`.
    bool init(const QString& fileName, const QString& outputFolder, const QString& reportPath,
              QString* error = nullptr);

    // Writes the whole file and puts it in place; false when the writer stopped, with the
    // reason, naming the file, in `error`.
    bool WriteReport(const tvReport& report, const QString& fileName, QString* error = nullptr);

    // Closes the file; what was not put in place is thrown away. Harmless when nothing is open.
    void cleanUp();

    // The "Database Links" block of one report, and its closing blank line in every case. Its
    // failures are passed over: a link that cannot be read leaves out what could not be read.
    void WriteDBLinks(const tvReport& report);

    // One line of the file: the line's indentation by kind and level, then its text.
    void WriteDetails(LineRole role, LineKind kind, const QString& text, const QString& value,
                      qint32 level) override;

    // The file that init opened.
    QString filePath() const { return path_; }

    // The steps of the bodies that failed, each told to the reporter as it failed, naming the
    // report and the part of it that is incomplete. The file was written without them.
    const QStringList& bodyFaults() const { return bodyFaults_; }

private:
    void writeLine(const QString& line);
    void writeHeader(const QString& fileName);
    void writeBody(const tvReport& report);

    // The blocks of a body.
    void writeAlerts(const tvReport& report);
    void writeFormula(const char* title, const QString& formula);
    void writeUserFormulas(const tvReport& report);
    void writeParameters(const tvReport& report);
    void writeGroups(const tvReport& report);
    void writeSortFields(const char* title, const tvReport& report, bool groupSort);
    void writeSqlQuery(const tvReport& report);
    void writeTables(const tvReport& report, bool withColumns);
    void writeRunningTotals(const tvReport& report);
    void writeAreas(const tvReport& report);
    void writeSection(const tvReport& report, qsizetype area, qsizetype section,
                      double& objectNumber);

    // Runs one step of a body: a failure shows its message and the body goes on. A failure of
    // the file itself is no step's and stops the writer.
    template <class Step>
    void step(const QString& part, Step&& body);

    // A caption line (kind 1) and a blank line.
    void caption(const QString& text, qint32 level, LineRole role = LineRole::Detail);
    void blank(qint32 level);

    core::ExtractOptions options_;
    core::RunReporter& reporter_;
    OutputOpener openOutput_;
    std::unique_ptr<rt::SaveFile> file_;
    QString path_;
    QString reportPath_;
    QString fileName_;          // the report being written
    bool inSubreport_ = false;  // a subreport's body is being written
    QString subreportTitle_;
    QStringList bodyFaults_;
    std::unique_ptr<ObjectDetailWriter> detailWriter_;
};

}  // namespace tav::doctext
