#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <vector>

#include "ProgramRuns.h"

namespace {

constexpr int kCopies = 100;

// Runs with the .tvd output alone, its settings kept under `folder`, its files written to `out`.
ProgramRuns textRuns(const QString& folder, const QString& out) {
    ProgramRuns runs(folder + QStringLiteral("/config"));
    QSettings settings(runs.settingsFile(), QSettings::IniFormat);
    for (const char* key : {"DocPath", "TVDPath", "DBPath"})
        settings.setValue(QStringLiteral("Extract/") + QLatin1String(key), out);
    settings.setValue(QStringLiteral("Extract/CreateTVDFile"), 1);
    settings.setValue(QStringLiteral("Extract/CreateWordDocument"), 0);
    settings.setValue(QStringLiteral("Extract/UpdateDB"), 0);
    return runs;
}

}  // namespace

// The text path as a user meets it, against an earlier build of the program (its path in
// TAVBENCH_REFERENCE; without one the benchmark is skipped): an Extract of the .tvd files alone
// over kCopies copies of objects.rpt, the two programs run in turns, CPU time (user and system)
// of each process; medians. The output folder is emptied before each run when `state.range(0)`
// is 1 (every save makes a new file) and kept when 0 (every save replaces one). The "ratio" is
// this build's cost over the reference's.
static void BM_TextPathAgainstReference(benchmark::State& state) {
    if (!qEnvironmentVariableIsSet("TAVBENCH_REFERENCE")) {
        state.SkipWithError("TAVBENCH_REFERENCE names no earlier build to measure against");
        return;
    }
    const bool fresh = state.range(0) == 1;
    QTemporaryDir dir;
    const QString reports = dir.filePath(QStringLiteral("reports/"));
    QDir().mkpath(reports);
    for (int i = 0; i < kCopies; ++i)
        if (!QFile::copy(QStringLiteral(TAV_SAMPLES "/objects.rpt"),
                         reports + QStringLiteral("objects%1.rpt").arg(i, 3, 10, QChar(u'0')))) {
            state.SkipWithError("the sample report cannot be copied");
            return;
        }
    const QByteArray programs[] = {QByteArray(TAVDESK4), qgetenv("TAVBENCH_REFERENCE")};
    const QString outs[] = {dir.filePath(QStringLiteral("out/")),
                            dir.filePath(QStringLiteral("reference-out/"))};
    const ProgramRuns runs[] = {textRuns(dir.filePath(QStringLiteral("this")), outs[0]),
                                textRuns(dir.filePath(QStringLiteral("reference")), outs[1])};
    const QList<QByteArray> extract{"-E", QFile::encodeName(reports)};
    // A first run of each writes its settings and its output folder.
    for (int i = 0; i < 2; ++i) runs[i].run(programs[i], extract);
    std::vector<double> cpu[2];
    for (auto _ : state) {
        for (int i = 0; i < 2; ++i) {
            if (fresh) {
                QDir(outs[i]).removeRecursively();
                QDir().mkpath(outs[i]);
            }
            const ProgramRuns::Cost cost = runs[i].run(programs[i], extract);
            if (!ranWell(state, {cost})) return;
            cpu[i].push_back(cost.cpu);
        }
    }
    state.counters["this ms"] = median(cpu[0]);
    state.counters["reference ms"] = median(cpu[1]);
    state.counters["ratio"] = median(cpu[0]) / median(cpu[1]);
}
BENCHMARK(BM_TextPathAgainstReference)
    ->Arg(0)
    ->Arg(1)
    ->Iterations(15)
    ->Unit(benchmark::kMillisecond);
