#include <benchmark/benchmark.h>

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <vector>

#include "ProgramRuns.h"

// An Extract over an empty folder from the command line against a bare offscreen Qt program,
// run in turns: the program's own start and end are to cost at most 1.5 times the bare one's
// (the "ratio", of the medians).
static void BM_StartEmptyExtractAgainstBareQt(benchmark::State& state) {
    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("config"));
    const QString empty = dir.filePath(QStringLiteral("empty/"));
    const ProgramRuns runs(config);
    QDir().mkpath(empty);
    {
        // The user's own settings stay out of it, and so does the program's folder.
        QSettings settings(runs.settingsFile(), QSettings::IniFormat);
        settings.setValue(QStringLiteral("Extract/DocPath"), dir.filePath(QStringLiteral("out/")));
    }
    const QByteArray program = TAVDESK4;
    const QList<QByteArray> extract{"-E", QFile::encodeName(empty)};
    runs.run(program, extract);  // the first run writes the settings
    const auto [bare, tav] = wallTimesInTurns(
        state, [&] { return runs.run(BARE_QT_PROGRAM, {}); },
        [&] { return runs.run(program, extract); });
    if (bare.empty()) return;
    state.counters["bare ms"] = median(bare);
    state.counters["empty -E ms"] = median(tav);
    state.counters["ratio"] = median(tav) / median(bare);
}
BENCHMARK(BM_StartEmptyExtractAgainstBareQt)->Iterations(40)->Unit(benchmark::kMillisecond);
