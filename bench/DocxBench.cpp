#include <benchmark/benchmark.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include "DesignDocument.h"
#include "DocxWriter.h"
#include "ExtractOptions.h"
#include "GeneratedDesigns.h"
#include "RunLog.h"
#include "RunReporter.h"
#include "SharedBlocks.h"
#include "TvdWriter.h"
#include "tvArea.h"
#include "tvReport.h"
#include "tvSection.h"

using namespace tav::core;
using namespace tav::doctext;
using namespace tav::word;

// Word documents of the samples and of generated reports, with the time and the peak memory that
// one document takes per report object. Peak memory is the process's high-water mark, reset
// before each document (Linux).

namespace {

void resetPeakMemory() {
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly)) clear.write("5");
}

// A figure of /proc/self/status ("VmHWM", "VmRSS") in megabytes.
double memoryMB(const QByteArray& figure) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(figure + ':'))
            return line.mid(figure.size() + 1).trimmed().split(' ').value(0).toDouble() / 1024;
    return 0;
}

qsizetype objectCount(const tvReport& report) {
    qsizetype count = 0;
    for (const tvArea& area : report.tvAreas)
        for (const tvSection& section : area.tvSections) count += section.reportObjects.Count();
    return count;
}

// A report of `objects` field objects, twenty to a detail section.
std::unique_ptr<tvReport> generatedReport(int objects) {
    const QByteArray xml = fieldObjectsDesign(objects, "top=\"0\" width=\"1440\" height=\"240\"");
    auto report = std::make_unique<tvReport>();
    auto runtime = rt::DesignDocument::parse(xml, QStringLiteral("generated"))->report();
    report->init(QStringLiteral("generated.rpt"), 0, 0, runtime, false);
    return report;
}

void writeDocument(const tvReport& report, const QString& name, const QString& folder,
                   const ExtractOptions& options) {
    RunLog log(folder);
    StandardErrorReporter reporter;
    auto writer = std::make_shared<DocxWriter>(options, log, reporter);
    QString error;
    const bool written = writer->init(name, folder, folder + name, {}, &error) &&
                         writer->WriteReport(report, name, &error);
    writer->closeDocument();
    if (!written) throw std::runtime_error(error.toStdString());
}

void measure(benchmark::State& state, const tvReport& report, const QString& name,
             const ExtractOptions& options = {}) {
    QTemporaryDir out;
    const QString folder = out.path() + u'/';
    double peak = 0;
    qint64 nanoseconds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const double before = memoryMB("VmRSS");
        resetPeakMemory();
        QElapsedTimer timer;
        timer.start();
        state.ResumeTiming();
        writeDocument(report, name, folder, options);
        state.PauseTiming();
        nanoseconds += timer.nsecsElapsed();
        peak = std::max(peak, memoryMB("VmHWM") - before);
        state.ResumeTiming();
    }
    const double objects = double(std::max<qsizetype>(1, objectCount(report)));
    state.counters["objects"] = objects;
    state.counters["peak_MB"] = peak;
    state.counters["peak_KB_per_object"] = peak * 1024 / objects;
    state.counters["us_per_object"] =
        double(nanoseconds) / 1000 / double(std::max<qint64>(1, state.iterations())) / objects;
}

void sampleDocument(benchmark::State& state, const char* sample,
                    const ExtractOptions& options = {}) {
    const QDir dir(QStringLiteral(TAV_SAMPLES));
    tvReport report;
    report.init(dir.filePath(QLatin1String(sample)), 0, 0);
    measure(state, report, QLatin1String(sample), options);
}

// The same with the layout picture of each report drawn in, as the shipped settings have it.
void sampleDocumentWithLayout(benchmark::State& state, const char* sample) {
    ExtractOptions options;
    options.ShowLayout = true;
    sampleDocument(state, sample, options);
}

// The .tvd of the same sample, for comparison.
void sampleTvd(benchmark::State& state, const char* sample) {
    const QDir dir(QStringLiteral(TAV_SAMPLES));
    tvReport report;
    report.init(dir.filePath(QLatin1String(sample)), 0, 0);
    QTemporaryDir out;
    for (auto _ : state) {
        StandardErrorReporter reporter;
        TvdWriter writer{ExtractOptions(), reporter};
        writer.init(QLatin1String(sample), out.path() + u'/', dir.filePath(QLatin1String(sample)));
        benchmark::DoNotOptimize(writer.WriteReport(report, QLatin1String(sample)));
        writer.cleanUp();
    }
}

void generatedDocument(benchmark::State& state) {
    const auto report = generatedReport(int(state.range(0)));
    measure(state, *report, QStringLiteral("generated.rpt"));
}

}  // namespace

BENCHMARK_CAPTURE(sampleTvd, objects, "objects.rpt")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(sampleDocument, objects, "objects.rpt")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(sampleDocument, fields, "fields.rpt")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(sampleDocument, layout, "layout.rpt")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(sampleDocumentWithLayout, objects, "objects.rpt")->Unit(benchmark::kMillisecond);
BENCHMARK(generatedDocument)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(50000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
