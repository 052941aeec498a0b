#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "DatabaseCreator.h"
#include "DatabaseSession.h"
#include "DatabaseWriter.h"
#include "ExtractOptions.h"
#include "RunLog.h"
#include "RunReporter.h"
#include "TvdWriter.h"
#include "tvReport.h"
#include "tvReportStatistics.h"

using namespace tav::core;
using namespace tav::doctext;
using namespace tav::database;

// Database-only Extract of one report, beside the .tvd of the same report for scale: the samples,
// generated reports of many fields, and one report as the database grows.

namespace {

QStringList sampleFiles() {
    return QDir(QStringLiteral(TAV_SAMPLES))
        .entryList({QStringLiteral("*.rpt")}, QDir::Files, QDir::Name);
}

// A report of `fields` database fields in one table, each shown by a field object.
QString generatedReport(const QTemporaryDir& dir, int fields) {
    QByteArray xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Report reportTitle=\"Generated\">\n"
        "<Database><Tables><Table name=\"T\" location=\"T\" databaseType=\"2\"><Fields>\n";
    for (int i = 0; i < fields; ++i) {
        xml += QStringLiteral(
                   "<Field kind=\"1\" name=\"T.F%1\" databaseFieldName=\"F%1\" "
                   "databaseFieldDisplayName=\"F%1\" tableAliasName=\"T\" "
                   "numberOfBytes=\"4\" valueType=\"5\"/>\n")
                   .arg(i)
                   .toUtf8();
    }
    xml +=
        "</Fields></Table></Tables></Database>\n<ExportOptions/>\n<Areas><Area kind=\"4\" "
        "name=\"DetailArea1\">"
        "<Sections><Section sectionName=\"DetailSection1\" number=\"0\" height=\"300\" "
        "width=\"10800\"><ReportObjects>\n";
    for (int i = 0; i < fields; ++i) {
        xml += QStringLiteral(
                   "<FieldObject kind=\"1\" name=\"F%1\" field=\"1:T.F%1\" left=\"0\" "
                   "top=\"0\" width=\"840\" height=\"240\"/>\n")
                   .arg(i)
                   .toUtf8();
    }
    xml += "</ReportObjects></Section></Sections></Area></Areas>\n</Report>\n";
    const QString path = dir.filePath(QStringLiteral("generated%1.rpt").arg(fields));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write(xml);
    return path;
}

std::unique_ptr<tvReport> load(const QString& path) {
    auto report = std::make_unique<tvReport>();
    report->init(path, 0, 0);
    return report;
}

// A database folder of its own, where the run log goes too. The program runs with an application
// object, which lets the writer keep its connection from one report to the next.
struct DatabaseFolder {
    DatabaseFolder() {
        if (!QCoreApplication::instance()) {
            static int argc = 1;
            static char name[] = "tavbench";
            static char* argv[] = {name, nullptr};
            static QCoreApplication application(argc, argv);
        }
        database = DatabaseCreator::DatabasePath(dir.path() + u'/');
    }
    // The run log is written by every kind of Extract alike; it is closed when the folder goes.
    ~DatabaseFolder() { log.close(); }
    bool write(tvReport& report) {
        return DatabaseWriter(QString(), session)
            .WriteReport(report, QStringLiteral("bench.rpt"), database, report.reportFileName);
    }
    QTemporaryDir dir;
    QString database;
    RunLog log{dir.path()};
    StandardErrorReporter reporter;
    // The session of a run: the connection serves every report, as in the program.
    DatabaseSession session{log, reporter};
};

void writeDatabase(benchmark::State& state, const QString& path) {
    auto report = load(path);
    DatabaseFolder folder;
    folder.write(*report);  // the file exists before the first measured report
    // The reports of one Extract run share their commits, as the program runs them.
    folder.session.groupCommits();
    for (auto _ : state) {
        if (!folder.write(*report)) state.SkipWithError("the report was not stored");
    }
    if (!folder.session.endGrouping()) state.SkipWithError("the run's rows were not saved");
}

void writeTvd(benchmark::State& state, const QString& path) {
    auto report = load(path);
    QTemporaryDir out;
    const QString name = QFileInfo(path).fileName();
    for (auto _ : state) {
        StandardErrorReporter reporter;
        TvdWriter writer{ExtractOptions(), reporter};
        writer.init(name, out.path() + u'/', path);
        benchmark::DoNotOptimize(writer.WriteReport(*report, name));
        writer.cleanUp();
    }
}

}  // namespace

// Argument: the sample's position in name order. Each report replaces the copy that the one before
// it stored (a run over reports stored before); BM_DatabaseNewReport is a first run.
static void BM_DatabaseSample(benchmark::State& state) {
    const QString name = sampleFiles().value(static_cast<qsizetype>(state.range(0)));
    state.SetLabel(name.toStdString());
    writeDatabase(state, QDir(QStringLiteral(TAV_SAMPLES)).filePath(name));
}
static void BM_TvdSample(benchmark::State& state) {
    const QString name = sampleFiles().value(static_cast<qsizetype>(state.range(0)));
    state.SetLabel(name.toStdString());
    writeTvd(state, QDir(QStringLiteral(TAV_SAMPLES)).filePath(name));
}
BENCHMARK(BM_DatabaseSample)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TvdSample)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

// Argument: the number of database fields, each shown by a field object. Each report replaces the
// copy that the one before it stored, and is long enough to be committed on its own.
static void BM_DatabaseFields(benchmark::State& state) {
    QTemporaryDir dir;
    writeDatabase(state, generatedReport(dir, static_cast<int>(state.range(0))));
}
static void BM_TvdFields(benchmark::State& state) {
    QTemporaryDir dir;
    writeTvd(state, generatedReport(dir, static_cast<int>(state.range(0))));
}
BENCHMARK(BM_DatabaseFields)->Arg(1000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TvdFields)->Arg(1000)->Arg(20000)->Unit(benchmark::kMillisecond);

// Argument: the number of reports stored before; the measured report replaces its own copy.
static void BM_DatabaseGrowth(benchmark::State& state) {
    auto report = load(QDir(QStringLiteral(TAV_SAMPLES)).filePath(QStringLiteral("objects.rpt")));
    DatabaseFolder folder;
    const QString measured = report->reportFileName;
    for (int64_t i = 0; i < state.range(0); ++i) {
        report->reportFileName = QStringLiteral("/stored/report%1.rpt").arg(i);
        folder.write(*report);
    }
    report->reportFileName = measured;
    folder.write(*report);
    folder.session.groupCommits();
    for (auto _ : state) {
        if (!folder.write(*report)) state.SkipWithError("the report was not stored");
    }
    if (!folder.session.endGrouping()) state.SkipWithError("the run's rows were not saved");
}
BENCHMARK(BM_DatabaseGrowth)->Arg(0)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond);

// The 22-object sample stored under a new path each time: a first run, which deletes nothing.
static void BM_DatabaseNewReport(benchmark::State& state) {
    auto report = load(QDir(QStringLiteral(TAV_SAMPLES)).filePath(QStringLiteral("objects.rpt")));
    DatabaseFolder folder;
    folder.write(*report);
    folder.session.groupCommits();
    int64_t stored = 0;
    for (auto _ : state) {
        report->reportFileName = QStringLiteral("/new/report%1.rpt").arg(++stored);
        if (!folder.write(*report)) state.SkipWithError("the report was not stored");
    }
    if (!folder.session.endGrouping()) state.SkipWithError("the run's rows were not saved");
}
BENCHMARK(BM_DatabaseNewReport)->Unit(benchmark::kMillisecond);
