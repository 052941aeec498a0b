#include <QDir>
#include <benchmark/benchmark.h>

#include "tvReport.h"

// Loads every sample report once per iteration.
static void BM_LoadSamples(benchmark::State& state) {
    const QDir dir(QStringLiteral(TAV_SAMPLES));
    const QStringList files = dir.entryList({QStringLiteral("*.rpt")}, QDir::Files, QDir::Name);
    for (auto _ : state) {
        for (const QString& f : files) {
            tvReport report;
            report.init(dir.filePath(f), 0, 0);
            benchmark::DoNotOptimize(report.tvAreas.Count());
        }
    }
    state.counters["reports"] = static_cast<double>(files.size());
}
BENCHMARK(BM_LoadSamples)->Unit(benchmark::kMillisecond);
