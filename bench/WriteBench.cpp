#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>

#include "TvdWriter.h"
#include "tvReport.h"

using namespace tav::core;
using namespace tav::doctext;

// Loads each sample report once, then writes its .tvd file once per iteration.
static void BM_WriteTvdSamples(benchmark::State& state) {
    const QDir dir(QStringLiteral(TAV_SAMPLES));
    const QStringList files = dir.entryList({QStringLiteral("*.rpt")}, QDir::Files, QDir::Name);
    std::vector<std::unique_ptr<tvReport>> reports;
    for (const QString& f : files) {
        reports.push_back(std::make_unique<tvReport>());
        reports.back()->init(dir.filePath(f), 0, 0);
    }
    QTemporaryDir out;
    const QString folder = out.path() + u'/';
    for (auto _ : state) {
        for (size_t i = 0; i < reports.size(); ++i) {
            StandardErrorReporter reporter;
            TvdWriter writer{ExtractOptions(), reporter};
            writer.init(files[static_cast<qsizetype>(i)], folder,
                        dir.filePath(files[static_cast<qsizetype>(i)]));
            benchmark::DoNotOptimize(
                writer.WriteReport(*reports[i], files[static_cast<qsizetype>(i)]));
            writer.cleanUp();
        }
    }
    state.counters["reports"] = static_cast<double>(files.size());
}
BENCHMARK(BM_WriteTvdSamples)->Unit(benchmark::kMillisecond);
