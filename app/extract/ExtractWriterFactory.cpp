#include "ExtractWriterFactory.h"

#include "DatabaseWriter.h"
#include "DocxWriter.h"
#include "ExtractRun.h"
#include "TvdWriter.h"

namespace tav::extract {

using namespace core;
using namespace doctext;
using namespace database;
using namespace word;

namespace {

class TextOutput final : public ExtractTextWriter {
public:
    TextOutput(ExtractRun& run, TvdWriter::OutputOpener openOutput)
        : writer_(run.options(), run.reporter(), std::move(openOutput)) {}
    bool init(const QString& fileName, const QString& outputFolder, const QString& reportPath,
              QString* error) override {
        return writer_.init(fileName, outputFolder, reportPath, error);
    }
    bool WriteReport(const tvReport& report, const QString& fileName, QString* error) override {
        return writer_.WriteReport(report, fileName, error);
    }
    QStringList bodyFaults() const override { return writer_.bodyFaults(); }
    void cleanUp() override { writer_.cleanUp(); }

private:
    TvdWriter writer_;
};

class DocumentOutput final : public ExtractWordWriter {
public:
    explicit DocumentOutput(ExtractRun& run) : writer_(run.options(), run.log(), run.reporter()) {}
    bool init(const QString& fileName, const QString& outputFolder, const QString& reportPath,
              const QString& templateName, QString* error) override {
        return writer_.init(fileName, outputFolder, reportPath, templateName, error);
    }
    bool WriteReport(const tvReport& report, const QString& fileName, QString* error) override {
        return writer_.WriteReport(report, fileName, error);
    }
    void closeDocument() override { writer_.closeDocument(); }

private:
    DocxWriter writer_;
};

class DatabaseOutput final : public ExtractDatabaseWriter {
public:
    // Through the run's session; a run without one gives the writer a session of its own.
    explicit DatabaseOutput(ExtractRun& run)
        : writer_(run.databaseSession()
                      ? std::make_unique<DatabaseWriter>(run.options().ReportOwner,
                                                         *run.databaseSession())
                      : std::make_unique<DatabaseWriter>(run.options().ReportOwner, run.log(),
                                                         run.reporter())) {}
    bool WriteReport(const tvReport& report, const QString& fileName, const QString& databasePath,
                     const QString& reportPath, QString* error) override {
        return writer_->WriteReport(report, fileName, databasePath, reportPath, error);
    }

private:
    std::unique_ptr<DatabaseWriter> writer_;
};

}  // namespace

std::unique_ptr<ExtractTextWriter> makeTextWriter(ExtractRun& run,
                                                  TvdWriter::OutputOpener openOutput) {
    return std::make_unique<TextOutput>(run, std::move(openOutput));
}

ExtractWriterFactory defaultExtractWriters() {
    return {
        [](ExtractRun& run) { return makeTextWriter(run); },
        [](ExtractRun& run) { return std::make_unique<DocumentOutput>(run); },
        [](ExtractRun& run) { return std::make_unique<DatabaseOutput>(run); },
    };
}

}  // namespace tav::extract
