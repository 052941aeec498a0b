#include "ExtractWriterFactory.h"

#include "DatabaseWriter.h"
#include "DocxWriter.h"
#include "TvdWriter.h"

namespace tav::extract {

using namespace core;
using namespace doctext;
using namespace database;
using namespace word;

namespace {

// A writer's answer, with its reason where it failed.
template <class Writer>
bool answered(bool ok, const Writer& writer, QString* error) {
    if (!ok && error) *error = writer.failureReason();
    return ok;
}

class TextOutput final : public ExtractTextWriter {
public:
    TextOutput(const ExtractOptions& options, TvdWriter::OutputOpener openOutput)
        : writer_(options, std::move(openOutput)) {}
    bool init(const QString& fileName, const QString& outputFolder, const QString& reportPath,
              QString* error) override {
        return writer_.init(fileName, outputFolder, reportPath, error);
    }
    bool WriteReport(const tvReport& report, const QString& fileName, QString* error) override {
        return writer_.WriteReport(report, fileName, error);
    }
    void cleanUp() override { writer_.cleanUp(); }

private:
    TvdWriter writer_;
};

class DocumentOutput final : public ExtractWordWriter {
public:
    explicit DocumentOutput(const ExtractOptions& options) : writer_(options) {}
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
    explicit DatabaseOutput(const ExtractOptions& options) : writer_(options.ReportOwner) {}
    bool WriteReport(tvReport& report, const QString& fileName, const QString& databasePath,
                     const QString& reportPath, QString* error) override {
        return answered(writer_.WriteReport(report, fileName, databasePath, reportPath), writer_,
                        error);
    }

private:
    DatabaseWriter writer_;
};

}  // namespace

std::unique_ptr<ExtractTextWriter> makeTextWriter(const ExtractOptions& options,
                                                  TvdWriter::OutputOpener openOutput) {
    return std::make_unique<TextOutput>(options, std::move(openOutput));
}

ExtractWriterFactory defaultExtractWriters() {
    return {
        [](const ExtractOptions& options) { return makeTextWriter(options); },
        [](const ExtractOptions& options) { return std::make_unique<DocumentOutput>(options); },
        [](const ExtractOptions& options) { return std::make_unique<DatabaseOutput>(options); },
    };
}

}  // namespace tav::extract
