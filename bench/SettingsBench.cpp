#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <vector>

#include "ProgramRuns.h"
#include "SettingsStore.h"

using namespace tav::core;

// A settings file of `keys` values beside the program's own, half of them in the program's group:
// start-up reads it once, so the load is to stay linear in the keys (300,000 in at most 1 s).
static void BM_LoadLargeSettingsFile(benchmark::State& state) {
    const int keys = static_cast<int>(state.range(0));
    QTemporaryDir dir;
    const QString original = dir.filePath(QStringLiteral("large.conf"));
    {
        QByteArray top, extract = "[Extract]\nShowTOC=0\n";
        for (int i = 0; i < keys / 2; ++i) {
            top += "Other" + QByteArray::number(i) + "=value " + QByteArray::number(i) + '\n';
            extract += "Kept" + QByteArray::number(i) + "=" + QByteArray::number(i) + '\n';
        }
        QFile file(original);
        if (!file.open(QIODevice::WriteOnly) || file.write(top + extract) < 0) {
            state.SkipWithError("the settings file cannot be written");
            return;
        }
    }
    {
        // As after the first start: every setting of the program is stored.
        SettingsStore first(original, dir.filePath(QStringLiteral("program")));
        ExtractOptions settings;
        first.load(settings);
        first.save(settings);
    }
    int run = 0;
    for (auto _ : state) {
        // A file of a new name each time: the settings library keeps files it has read.
        state.PauseTiming();
        const QString path = dir.filePath(QStringLiteral("run%1.conf").arg(++run));
        QFile::copy(original, path);
        state.ResumeTiming();
        SettingsStore store(path, dir.filePath(QStringLiteral("program")));
        ExtractOptions settings;
        store.load(settings);
        benchmark::DoNotOptimize(store.save(settings));
        benchmark::DoNotOptimize(settings.ShowTOC);
    }
    state.counters["per key"] = benchmark::Counter(
        static_cast<double>(keys),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_LoadLargeSettingsFile)->Arg(30000)->Arg(300000)->Unit(benchmark::kMillisecond);

// A start of the program (an Extract over an empty folder) with a settings file of `keys` other
// values, against one with the program's own alone, run in turns: the large file is to cost at
// most 2 s, or 5 times the normal start (the "ratio", of the medians). The first start with
// such a file also stores every setting of the program in it.
static void BM_StartWithALargeSettingsFile(benchmark::State& state) {
    const int keys = static_cast<int>(state.range(0));
    QTemporaryDir dir;
    const QString empty = dir.filePath(QStringLiteral("empty/"));
    QDir().mkpath(empty);
    const ProgramRuns normal(dir.filePath(QStringLiteral("normal")));
    const ProgramRuns large(dir.filePath(QStringLiteral("large")));
    QByteArray others = "[Extract]\n";
    for (int i = 0; i < keys / 2; ++i) others += "Kept" + QByteArray::number(i) + "=1\n";
    // The rest two to a group of its own: groups too may be many.
    for (int i = 0; i < keys - keys / 2; ++i) {
        if (i % 2 == 0) others += "[Other" + QByteArray::number(i / 2) + "]\n";
        others += "value" + QByteArray::number(i) + "=text " + QByteArray::number(i) + '\n';
    }
    const QString out = dir.filePath(QStringLiteral("out/"));
    const auto settingsWith = [&](const ProgramRuns& runs, const QByteArray& extra) {
        QDir().mkpath(QFileInfo(runs.settingsFile()).path());
        QFile file(runs.settingsFile());
        return file.open(QIODevice::WriteOnly) &&
               file.write("[Extract]\nDocPath=" + QFile::encodeName(out) + '\n' + extra) > 0;
    };
    const QByteArray program = TAVDESK4;
    const QList<QByteArray> extract{"-E", QFile::encodeName(empty)};
    if (!settingsWith(normal, {}) || !settingsWith(large, others)) {
        state.SkipWithError("the settings files cannot be written");
        return;
    }
    const ProgramRuns::Cost firstLarge = large.run(program, extract);  // stores every setting
    normal.run(program, extract);
    if (!firstLarge.ok()) {
        state.SkipWithError("a program did not run to a good end");
        return;
    }
    const auto [normalRuns, largeRuns] = wallTimesInTurns(
        state, [&] { return normal.run(program, extract); },
        [&] { return large.run(program, extract); });
    if (normalRuns.empty()) return;
    state.counters["normal ms"] = median(normalRuns);
    state.counters["large ms"] = median(largeRuns);
    state.counters["first large ms"] = firstLarge.wall;
    state.counters["ratio"] = median(largeRuns) / median(normalRuns);
}
BENCHMARK(BM_StartWithALargeSettingsFile)
    ->Arg(300000)
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond);
