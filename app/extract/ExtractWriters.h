#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class tvReport;

namespace tav::extract {

class ExtractRun;

// What the Extract driver asks of the writers of one report's documentation. A writer lives for
// one report. A call that fails answers false and puts its reason (the operating system's or
// the database's) in `error`; that ends the output as a failed one, and the report's other
// outputs are still written.

// The plain-text documentation file (.tvd).
class ExtractTextWriter {
public:
    virtual ~ExtractTextWriter() = default;
    // Prepares the text file for the report file `fileName` in `outputFolder`.
    virtual bool init(const QString& fileName, const QString& outputFolder,
                      const QString& reportPath, QString* error) = 0;
    virtual bool WriteReport(const tvReport& report, const QString& fileName, QString* error) = 0;
    // The parts of a written file that could not be written, each already told to the user:
    // the report counts as failed, though its file stands.
    virtual QStringList bodyFaults() const { return {}; }
    // Ends the writer's work; a file not written whole is thrown away.
    virtual void cleanUp() = 0;
};

// The document: made by init, released by closeDocument.
class ExtractWordWriter {
public:
    virtual ~ExtractWordWriter() = default;
    virtual bool init(const QString& fileName, const QString& outputFolder,
                      const QString& reportPath, const QString& templateName, QString* error) = 0;
    virtual bool WriteReport(const tvReport& report, const QString& fileName, QString* error) = 0;
    virtual void closeDocument() = 0;
};

// The documentation database. It may give the subreports' models new statistics, so it takes
// the model to change.
class ExtractDatabaseWriter {
public:
    virtual ~ExtractDatabaseWriter() = default;
    virtual bool WriteReport(const tvReport& report, const QString& fileName,
                             const QString& databasePath, const QString& reportPath,
                             QString* error) = 0;
};

// Makes the writers of one report of a run: they take its options, and write to its log, its
// reporter and its database session.
struct ExtractWriterFactory {
    std::function<std::unique_ptr<ExtractTextWriter>(ExtractRun&)> textWriter;
    std::function<std::unique_ptr<ExtractWordWriter>(ExtractRun&)> wordWriter;
    std::function<std::unique_ptr<ExtractDatabaseWriter>(ExtractRun&)> databaseWriter;
};

}  // namespace tav::extract
