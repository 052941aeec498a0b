#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <vector>

#include "ProgramRuns.h"

// Cross Reference (0) and Site Survey (1) in the utilities window, offscreen, the rows showing
// as each report is done, against an Extract from the command line (a .tvd file a report, the
// defaults) over the same copies of a sample report: CPU time of the processes, medians of runs
// made in turns. Each report is to cost the window about the same however many came before: at
// 800 reports the window's run costs at most 3 times the Extract (the "ratio"), and the ratio
// stays about the same from 200 reports on. With TAVBENCH_EARLIER_GRID_RUN naming the window's
// run of another build (an earlier one, say), that run is measured in the same turns and its
// ratio given as "earlier ratio".
static void BM_GridRunAgainstExtract(benchmark::State& state) {
    const auto reports = state.range(0);
    const QByteArray utility = state.range(1) == 0 ? "xref" : "survey";
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("reports/"));
    QDir().mkpath(folder);
    for (qsizetype i = 0; i < reports; ++i)
        if (!QFile::copy(QStringLiteral(TAV_SAMPLES "/objects.rpt"),
                         folder + QStringLiteral("objects-%1.rpt").arg(i))) {
            state.SkipWithError("the reports cannot be copied");
            return;
        }
    const ProgramRuns runs(dir.filePath(QStringLiteral("config")));
    runs.sendOutputsTo(dir.filePath(QStringLiteral("out/")));
    const QList<QByteArray> extract{"-E", QFile::encodeName(folder)};
    const QList<QByteArray> window{utility, QFile::encodeName(folder)};
    const QByteArray earlier = qgetenv("TAVBENCH_EARLIER_GRID_RUN");
    runs.run(TAVDESK4, extract);  // the first run writes the settings
    std::vector<double> extracts, windows, earliers;
    for (auto _ : state) {
        const ProgramRuns::Cost byExtract = runs.run(TAVDESK4, extract);
        const ProgramRuns::Cost byWindow = runs.run(GRID_UTILITY_RUN, window);
        const ProgramRuns::Cost byEarlier =
            earlier.isEmpty() ? ProgramRuns::Cost{0, 0, 0} : runs.run(earlier, window);
        if (!ranWell(state, {byExtract, byWindow, byEarlier})) return;
        extracts.push_back(byExtract.cpu);
        windows.push_back(byWindow.cpu);
        earliers.push_back(byEarlier.cpu);
    }
    state.counters["-E ms"] = median(extracts);
    state.counters["window ms"] = median(windows);
    state.counters["ratio"] = median(windows) / median(extracts);
    if (!earlier.isEmpty()) {
        state.counters["earlier window ms"] = median(earliers);
        state.counters["earlier ratio"] = median(earliers) / median(extracts);
    }
}
BENCHMARK(BM_GridRunAgainstExtract)
    ->ArgsProduct({{200, 400, 800}, {0, 1}})
    ->ArgNames({"reports", "survey"})
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);
