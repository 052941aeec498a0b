#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

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
        SettingsStore first(std::make_unique<QSettings>(original, QSettings::IniFormat),
                            dir.filePath(QStringLiteral("program")));
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
        SettingsStore store(std::make_unique<QSettings>(path, QSettings::IniFormat),
                            dir.filePath(QStringLiteral("program")));
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
