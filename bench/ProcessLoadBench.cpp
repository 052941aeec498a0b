#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <vector>

#include "GeneratedDesigns.h"
#include "ProgramRuns.h"

// Loading a design as a user meets it: CPU time (user and system) of an Extract with every output
// off over a folder holding the design, less that of one over an empty folder, against a process
// making a plain stream-reader pass over the same file, less that process over an empty file;
// medians of interleaved rounds. A fresh process pays for its allocations and page faults, which
// a warm in-process loop hides: the load is to cost at most 1.8 times the pass (the "ratio").
// `passOptions` come before the file in the pass's arguments.
static void measureProcessLoad(benchmark::State& state, const QByteArray& designText,
                               const QList<QByteArray>& passOptions) {
    QTemporaryDir dir;
    const QString full = dir.filePath(QStringLiteral("full/"));
    const QString empty = dir.filePath(QStringLiteral("empty/"));
    const QString emptyFile = dir.filePath(QStringLiteral("empty.xml"));
    QDir().mkpath(full);
    QDir().mkpath(empty);
    const QString design = full + QStringLiteral("fields.rpt");
    {
        QFile file(design);
        QFile none(emptyFile);
        if (!file.open(QIODevice::WriteOnly) || file.write(designText) < 0 ||
            !none.open(QIODevice::WriteOnly)) {
            state.SkipWithError("the design cannot be written");
            return;
        }
    }
    const ProgramRuns runs(dir.filePath(QStringLiteral("config")));
    {
        QSettings settings(runs.settingsFile(), QSettings::IniFormat);
        for (const char* key : {"DocPath", "TVDPath", "DBPath"})
            settings.setValue(QStringLiteral("Extract/") + QLatin1String(key),
                              dir.filePath(QStringLiteral("out/")));
        for (const char* output : {"CreateTVDFile", "CreateWordDocument", "UpdateDB"})
            settings.setValue(QStringLiteral("Extract/") + QLatin1String(output), 0);
    }
    // Another build of the program, an earlier one say, may be measured in its place.
    const QByteArray program = qEnvironmentVariableIsSet("TAVBENCH_PROGRAM")
                                   ? qgetenv("TAVBENCH_PROGRAM")
                                   : QByteArray(TAVDESK4);
    const QList<QByteArray> loadFull{"-E", QFile::encodeName(full)};
    const QList<QByteArray> loadNone{"-E", QFile::encodeName(empty)};
    const QList<QByteArray> passFull = passOptions + QList<QByteArray>{QFile::encodeName(design)};
    const QList<QByteArray> passNone =
        passOptions + QList<QByteArray>{QFile::encodeName(emptyFile)};
    runs.run(program, loadNone);  // the first run writes the settings
    std::vector<double> load, loadStart, pass, passStart;
    for (auto _ : state) {
        const ProgramRuns::Cost passNoneCost = runs.run(PLAIN_XML_PASS, passNone);
        const ProgramRuns::Cost loadNoneCost = runs.run(program, loadNone);
        const ProgramRuns::Cost passFullCost = runs.run(PLAIN_XML_PASS, passFull);
        const ProgramRuns::Cost loadFullCost = runs.run(program, loadFull);
        if (!ranWell(state, {passNoneCost, loadNoneCost, passFullCost, loadFullCost})) return;
        passStart.push_back(passNoneCost.cpu);
        loadStart.push_back(loadNoneCost.cpu);
        pass.push_back(passFullCost.cpu);
        load.push_back(loadFullCost.cpu);
    }
    const double loadMs = median(load) - median(loadStart);
    const double passMs = median(pass) - median(passStart);
    state.counters["load ms"] = loadMs;
    state.counters["pass ms"] = passMs;
    state.counters["ratio"] = loadMs / passMs;
}

// The 10,000-object design of formatted field objects, against a pass that counts attributes.
static void BM_ProcessLoadAgainstPlainPass(benchmark::State& state) {
    measureProcessLoad(state, fieldsDesign(10000), {});
}
BENCHMARK(BM_ProcessLoadAgainstPlainPass)->Iterations(20)->Unit(benchmark::kMillisecond);

// The load benchmark's own design of 12,500 objects (field, text and line objects, fonts and the
// attributes the model reads), against a pass that reads every attribute's name and value.
static void BM_ProcessLoadOfBenchDesign(benchmark::State& state) {
    measureProcessLoad(state, loadBenchDesign(10000), {"--values"});
}
BENCHMARK(BM_ProcessLoadOfBenchDesign)->Iterations(20)->Unit(benchmark::kMillisecond);
