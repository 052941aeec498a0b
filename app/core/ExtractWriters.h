#pragma once

#include <QString>
#include <functional>
#include <memory>

class tvReport;

// What the Extract driver asks of the writers of one report's documentation. A writer lives for
// one report. A writer traps the faults inside the report's documentation itself; what it
// reports to the driver (false, or an exception) ends that report as a failed one.

// The plain-text documentation file (.tvd).
class ExtractTextWriter {
public:
    virtual ~ExtractTextWriter() = default;
    // Why the last call that failed did so: the operating system's or database's reason; "" when
    // nothing failed.
    virtual QString failureReason() const { return {}; }
    // Prepares the text file for the report file `fileName` in `outputFolder`.
    virtual bool init(const QString& fileName, const QString& outputFolder,
                      const QString& reportPath) = 0;
    virtual bool WriteReport(const tvReport& report, const QString& fileName) = 0;
    virtual void cleanUp() = 0;
};

// The Word document; the word processor is started by init and quit by QuitWord.
class ExtractWordWriter {
public:
    virtual ~ExtractWordWriter() = default;
    // Why the last call that failed did so: the operating system's or database's reason; "" when
    // nothing failed.
    virtual QString failureReason() const { return {}; }
    virtual bool init(const QString& fileName, const QString& outputFolder,
                      const QString& reportPath, const QString& templateName) = 0;
    virtual bool WriteReport(const tvReport& report, const QString& fileName) = 0;
    virtual void QuitWord() = 0;
};

// The documentation database. It may give the subreports' models new statistics, so it takes
// the model to change.
class ExtractDatabaseWriter {
public:
    virtual ~ExtractDatabaseWriter() = default;
    // Why the last call that failed did so: the operating system's or database's reason; "" when
    // nothing failed.
    virtual QString failureReason() const { return {}; }
    virtual bool WriteReport(tvReport& report, const QString& fileName, const QString& databasePath,
                             const QString& reportPath) = 0;
};

// Makes the writers of one report.
struct ExtractWriterFactory {
    std::function<std::unique_ptr<ExtractTextWriter>()> textWriter;
    std::function<std::unique_ptr<ExtractWordWriter>()> wordWriter;
    std::function<std::unique_ptr<ExtractDatabaseWriter>()> databaseWriter;
};
