#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <memory>

#include "ExtractDriver.h"
#include "ExtractOptions.h"
#include "ExtractWriters.h"
#include "FullDiskFile.h"
#include "RecordingReporter.h"
#include "SharedBlocks.h"
#include "TestSupport.h"
#include "TvdWriter.h"
#include "tvArea.h"
#include "tvFieldObject.h"
#include "tvSection.h"
#include "tvSortField.h"
#include "tvSummaryFieldDefinition.h"

using namespace tav::core;
using namespace tav::doctext;
using namespace tav::extract;

namespace {

// A report whose body has something in each step, fields and sort fields included.
const QByteArray kReport = R"(<Report reportTitle="Sales">
  <Database><Tables><Table name="Orders"><Fields>
    <Field kind="1" name="Orders.ID" databaseFieldName="ID" valueType="5"/>
    <Field kind="1" name="Orders.Region" databaseFieldName="Region" valueType="12"/>
  </Fields></Table></Tables></Database>
  <ExportOptions/>
  <RecordSortFields><SortField field="1:Orders.ID" sortDirection="1"/></RecordSortFields>
  <Areas><Area kind="4" name="D"><Sections><Section backColor="-1"><ReportObjects>
    <FieldObject kind="1" field="1:Orders.ID" backgroundColor="-1"/>
    <FieldObject kind="1" field="1:Orders.Region" backgroundColor="-1"/>
  </ReportObjects></Section></Sections></Area></Areas>
</Report>)";

// Settings with every block on, a folder of its own, the writer registered as the driver
// registers it, and the user's messages caught.
class TvdWriterTest : public ::testing::Test {
protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        ExtractOptions& settings = options_;
        for (bool ExtractOptions::*flag :
             {&ExtractOptions::ShowRptSummary, &ExtractOptions::ShowExport,
              &ExtractOptions::ShowFormula, &ExtractOptions::ShowParameters,
              &ExtractOptions::ShowGroups, &ExtractOptions::ShowSort, &ExtractOptions::ShowSQL,
              &ExtractOptions::ShowTables, &ExtractOptions::ShowDBCols}) {
            settings.*flag = 1;
        }
        settings.TVDPath = dir_.filePath(QStringLiteral("out/"));
        settings.DBPath = settings.TVDPath;  // the run log's folder
        settings.CreateTVDFile = 1;
        ASSERT_TRUE(QDir().mkpath(settings.TVDPath));
        reportPath_ = dir_.filePath(QStringLiteral("Sales.rpt"));
        QFile report(reportPath_);
        ASSERT_TRUE(report.open(QIODevice::WriteOnly));
        report.write(kReport);
    }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }

    // Writes `report` with a new, registered writer; the writer's answer.
    bool write(const tvReport& report, TvdWriter::OutputOpener opener = {}) {
        const auto writer = std::make_shared<TvdWriter>(options_, reporter_, std::move(opener));
        if (!writer->init(QStringLiteral("Sales.rpt"), options_.TVDPath, reportPath_)) {
            return false;
        }
        lastReason_.clear();
        const bool written = writer->WriteReport(report, QStringLiteral("Sales.rpt"), &lastReason_);
        writer->cleanUp();
        return written;
    }

    // A driver of a new run, with the options as they stand.
    ExtractDriver driver() {
        run_ = std::make_unique<ExtractRun>(options_, reporter_);
        return ExtractDriver(*run_);
    }

    QString outputPath() const { return options_.TVDPath + QStringLiteral("Sales.tvd"); }

    QString output() const {
        QFile file(outputPath());
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll())
                                              : QStringLiteral("<none>");
    }

    void putOldFile() const {
        QFile file(outputPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("the old documentation\r\n");
    }

    QTemporaryDir dir_;
    QString reportPath_;
    QString lastReason_;  // the writer's reason for its last failure
    ExtractOptions options_;
    RecordingReporter reporter_;
    QStringList& messages_ = reporter_.messages;
    std::unique_ptr<ExtractRun> run_;
};

TEST_F(TvdWriterTest, WritesTheFileNamedAfterTheReport) {
    const auto report = loadReport(kReport);
    ASSERT_TRUE(write(*report));
    const QString text = output();
    EXPECT_TRUE(
        text.startsWith(QStringLiteral("Report File: Sales.rpt\r\nReport File DateTime: ")));
    EXPECT_TRUE(text.contains(QStringLiteral("\r\n\r\nTavrin, Version 4.0\r\n  \r\n")));
    EXPECT_TRUE(text.endsWith(QStringLiteral("    \r\n  \r\n  \r\n")));
    EXPECT_FALSE(text.contains(QRegularExpression(QStringLiteral("[^\r]\n"))));
    EXPECT_TRUE(messages_.isEmpty());
}

// A read that fails inside one block costs that block's rest and one message, which names the
// object by the number the file gives it (counted from 0 across the body); the next block, and
// the next object, are still written.
TEST_F(TvdWriterTest, AFailingStepOfABodyCostsThatStepAndOneMessage) {
    const auto report = loadReport(kReport);
    report->tvRecordSortFields.Item(1).sortDirection = QStringLiteral("down");
    auto& section = report->tvAreas.Item(1).tvSections.Item(1);
    tvSummaryFieldDefinition ring;  // summarizes itself
    ring.summarizedField = &ring;
    dynamic_cast<tvFieldObject&>(section.reportObjects.Item(2)).field = &ring;
    ASSERT_TRUE(write(*report));
    const QStringList faults{
        QStringLiteral("Unable to write the Record Sort Fields of Report: Sales.rpt (Type "
                       "mismatch)"),
        QStringLiteral("Unable to write the object 1 of section 1 of area 1 of Report: Sales.rpt "
                       "(The summaries of this report refer to one another in a ring)")};
    EXPECT_EQ(messages_, faults);
    const QString text = output();
    EXPECT_TRUE(
        text.contains(QStringLiteral("  Record Sort Fields\r\n  Sort Field, Direction\r\n"
                                     "  Tables\r\n")));
    EXPECT_TRUE(
        text.contains(QStringLiteral("Contents, Suppress\r\n    0, Field Object: (\"ID\")")));
    EXPECT_TRUE(text.contains(QStringLiteral("      Field: Database Field=Orders.ID\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("\r\n    \r\n    1, Field Object: (\"Sum of ")));
}

// A summary whose summarized field has no definition is shown as a field without one: the
// objects and sort rows that show it keep every line, with empty texts, and the report is whole.
TEST_F(TvdWriterTest, ASummaryOfAFieldWithoutDefinitionIsWrittenWithEmptyTexts) {
    QFile file(reportPath_);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(kReport)
                   .replace("<ExportOptions/>", R"(<ExportOptions/><SummaryFields>
                      <SummaryField kind="3" name="Lost"><summarizedField kind="9" name="X"/>
                      </SummaryField>
                      <SummaryField kind="3" name="Over" summarizedField="3:Lost"/>
                      </SummaryFields>)")
                   .replace(R"(<SortField field="1:Orders.ID")", R"(<SortField field="3:Lost")")
                   .replace(R"(<FieldObject kind="1" field="1:Orders.ID")",
                            R"(<FieldObject kind="1" field="3:Lost")")
                   .replace(R"(<FieldObject kind="1" field="1:Orders.Region")",
                            R"(<FieldObject kind="1" field="3:Over")"));
    file.close();
    EXPECT_TRUE(driver().ExtractReport(reportPath_, QStringLiteral("Sales.rpt")));
    EXPECT_EQ(messages_, QStringList());
    const QString text = output();
    for (const char* line :
         {"\r\n  Sort Field, Direction\r\n    , Descending\r\n",
          "Contents, Suppress\r\n    0, Field Object: (\"\"), Position=", "\r\n      Field: \r\n",
          "\r\n    1, Field Object: (\"Sum of Lost\"), Position=",
          "\r\n      Field: Summarized Field = [Sum of ]\r\n"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(line))) << line;
    }
}

// Through the driver a report whose body lost a step is written, told once, logged, and counted
// as failed.
TEST_F(TvdWriterTest, TheDriverCountsAReportWithAFailedStepAsFailed) {
    QFile report(reportPath_);
    ASSERT_TRUE(report.open(QIODevice::WriteOnly));
    // Two summaries that summarize each other load, but cannot be described.
    report.write(QByteArray(kReport)
                     .replace("<ExportOptions/>", R"(<ExportOptions/><SummaryFields>
                        <SummaryField kind="3" name="A" summarizedField="3:B"/>
                        <SummaryField kind="3" name="B" summarizedField="3:A"/></SummaryFields>)")
                     .replace(R"(<FieldObject kind="1" field="1:Orders.ID")",
                              R"(<FieldObject kind="1" field="3:A")"));
    report.close();
    EXPECT_FALSE(driver().ExtractReport(reportPath_, QStringLiteral("Sales.rpt")));
    const QString fault = QStringLiteral(
        "Unable to write the object 0 of section 1 of area 1 of Report: Sales.rpt (The summaries "
        "of this report refer to one another in a ring)");
    EXPECT_EQ(messages_, QStringList{fault});
    EXPECT_TRUE(output().contains(QStringLiteral("  Tables\r\n")));
    QFile log(options_.DBPath + QStringLiteral("tvLog.txt"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(log.readAll()).contains(fault));
}

// Outside the bodies a failure stops the writer; the file that was there stays whole.
TEST_F(TvdWriterTest, AWriterThatStopsLeavesTheOldFileWhole) {
    struct Case {
        const char* what;
        std::function<void(tvReport&)> spoil;
        TvdWriter::OutputOpener opener;
    };
    const Case cases[] = {
        {"summary", [](tvReport& r) { r.reportFormatStyle = QStringLiteral("Table"); }, {}},
        {"full disk", [](tvReport&) {},
         [](const QString& path) { return std::make_unique<FullDiskFile>(path, 300); }},
        {"full disk in a body", [](tvReport&) {},
         [](const QString& path) { return std::make_unique<FullDiskFile>(path, 2500); }},
        {"report file gone", [this](tvReport&) { QFile::remove(reportPath_); }, {}},
    };
    for (const Case& c : cases) {
        putOldFile();
        const auto report = loadReport(kReport);
        c.spoil(*report);
        EXPECT_FALSE(write(*report, c.opener)) << c.what;
        EXPECT_TRUE(lastReason_.startsWith(outputPath() + QStringLiteral(": ")) &&
                    lastReason_.size() > outputPath().size() + 2)
            << c.what << ' ' << lastReason_.toStdString();
        EXPECT_EQ(output(), QStringLiteral("the old documentation\r\n")) << c.what;
        EXPECT_TRUE(messages_.isEmpty()) << c.what;
        EXPECT_EQ(QDir(options_.TVDPath).entryList(QDir::Files), QStringList{"Sales.tvd"});
    }
}

TEST_F(TvdWriterTest, InitRefusesWhatItCannotOpen) {
    TvdWriter writer(options_, reporter_);
    EXPECT_FALSE(writer.init(QStringLiteral("rpt"), options_.TVDPath, reportPath_));
    QString error;
    EXPECT_FALSE(
        writer.init(QStringLiteral("Sales.rpt"), dir_.filePath("missing/"), reportPath_, &error));
    EXPECT_EQ(error,
              dir_.filePath("missing/Sales.tvd") + QStringLiteral(": No such file or directory"));
    EXPECT_TRUE(writer.init(QStringLiteral("Sales.rpt"), options_.TVDPath, reportPath_));
    EXPECT_EQ(writer.filePath(), outputPath());
    writer.cleanUp();
    writer.cleanUp();                           // twice does no harm
    EXPECT_FALSE(QFile::exists(outputPath()));  // nothing was put in place
}

// Through the Extract driver: the writer is the program's own, and a writer that stops fails
// the report with its file name.
TEST_F(TvdWriterTest, TheDriverWritesAndReportsAWriterThatStops) {
    EXPECT_TRUE(driver().ExtractReport(reportPath_, QStringLiteral("Sales.rpt")));
    EXPECT_TRUE(output().startsWith(QStringLiteral("Report File: Sales.rpt\r\n")));
    EXPECT_TRUE(messages_.isEmpty());

    putOldFile();
    QFile report(reportPath_);
    ASSERT_TRUE(report.open(QIODevice::WriteOnly));
    report.write(QByteArray(kReport).replace("reportTitle", "reportFormatStyle=\"x\" reportTitle"));
    report.close();
    EXPECT_FALSE(driver().ExtractReport(reportPath_, QStringLiteral("Sales.rpt")));
    EXPECT_EQ(messages_,
              QStringList{QStringLiteral("Unable to open Report: Sales.rpt (Type mismatch: "
                                         "Report.reportFormatStyle = \"x\" (line 1))")});
    EXPECT_EQ(output(), QStringLiteral("the old documentation\r\n"));
}

}  // namespace

// A formula's own line breaks end in CR LF like every line of the file, whether written CR LF or
// LF, at the end of the text too; what is no line break (a CR alone, a TAB) and text beyond ASCII
// are written as they stand.
TEST_F(TvdWriterTest, AValuesOwnLineBreaksEndInCrLf) {
    const auto report = loadReport(
        "<Report reportTitle=\"Sales\"><Database/><ExportOptions/><FormulaFields>"
        "<FormulaField kind=\"2\" name=\"crlf\" text=\"a1&#13;&#10;a2\"/>"
        "<FormulaField kind=\"2\" name=\"lf\" text=\"b1&#10;b2&#10;\"/>"
        "<FormulaField kind=\"2\" name=\"cr\" text=\"c1&#13;c2\"/>"
        "<FormulaField kind=\"2\" name=\"tab\" text=\"d1&#9;d2 \xc3\xbc\xe0\xb8\x81\"/>"
        "</FormulaFields></Report>");
    ASSERT_TRUE(write(*report)) << lastReason_.toStdString();
    const QString text = output();
    for (const char* expected :
         {"a1\r\na2\r\n", "b1\r\nb2\r\n\r\n", "c1\rc2\r\n", "d1\td2 \xc3\xbc\xe0\xb8\x81\r\n"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected;
    EXPECT_FALSE(text.contains(QRegularExpression(QStringLiteral("[^\r]\n"))));
}
