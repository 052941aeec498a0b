#include <benchmark/benchmark.h>

#include "tvRptDiff.h"

namespace {

QString sample(const char* name) {
    return QStringLiteral(TAV_SAMPLES "/") + QLatin1StringView(name);
}

}  // namespace

// Compares two sample reports, loaded once: the analysis alone.
static void BM_AnalyzeDifferences(benchmark::State& state) {
    tvRptDiff diff;
    diff.OpenDiffReports(sample("objects.rpt"), sample("layout.rpt"));
    for (auto _ : state) {
        diff.clearText();
        diff.AnalyzeDifferences();
        benchmark::DoNotOptimize(diff.grdDiff.size());
    }
    state.counters["rows"] = static_cast<double>(diff.grdDiff.size());
}
BENCHMARK(BM_AnalyzeDifferences)->Unit(benchmark::kMillisecond);

// Loads and compares two sample reports, as the command line does.
static void BM_OpenAndCompare(benchmark::State& state) {
    for (auto _ : state) {
        tvRptDiff diff;
        diff.OpenDiffReports(sample("fields.rpt"), sample("charts.rpt"));
        diff.AnalyzeDifferences();
        benchmark::DoNotOptimize(diff.combinedText().size());
    }
}
BENCHMARK(BM_OpenAndCompare)->Unit(benchmark::kMillisecond);
