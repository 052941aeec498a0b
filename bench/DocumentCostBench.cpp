#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <map>
#include <vector>

#include "GeneratedDesigns.h"
#include "ProgramRuns.h"

namespace {

// One kind of output of an Extract, with settings of its own.
struct Output {
    const char* name;
    bool tvd, document, layout, database;
};

constexpr int kCopies = 100;

// Runs of the program with settings for `output` alone, kept under `folder`, which its outputs
// go to as well.
ProgramRuns runsFor(const Output& output, const QString& folder) {
    ProgramRuns runs(folder + QStringLiteral("/config"));
    QSettings settings(runs.settingsFile(), QSettings::IniFormat);
    for (const char* key : {"DocPath", "TVDPath", "DBPath"})
        settings.setValue(QStringLiteral("Extract/") + QLatin1String(key),
                          folder + QStringLiteral("/out/"));
    settings.setValue(QStringLiteral("Extract/CreateTVDFile"), int(output.tvd));
    settings.setValue(QStringLiteral("Extract/CreateWordDocument"), int(output.document));
    settings.setValue(QStringLiteral("Extract/ShowLayout"), int(output.layout));
    settings.setValue(QStringLiteral("Extract/UpdateDB"), int(output.database));
    return runs;
}

// Another build of the program, an earlier one say, may be measured in its place.
QByteArray measuredProgram() {
    return qEnvironmentVariableIsSet("TAVBENCH_PROGRAM") ? qgetenv("TAVBENCH_PROGRAM")
                                                         : QByteArray(TAVDESK4);
}

}  // namespace

// The cost of each output as a user meets it: the program run as a process, an Extract over
// kCopies copies of objects.rpt, each output alone, CPU time (user and system) of the whole
// process less that of an Extract over an empty folder, per report; medians of interleaved
// rounds. The picture is to make its document at most 1.5 times dearer ("picture ratio") and a
// full Extract is to cost at most 6 times the .tvd alone ("full ratio").
static void BM_OutputCostPerReport(benchmark::State& state) {
    const Output outputs[] = {
        {"empty", true, false, false, false},
        {"tvd", true, false, false, false},
        {"document", false, true, false, false},
        {"document with picture", false, true, true, false},
        {"full", true, true, true, true},
    };
    QTemporaryDir dir;
    const QString reports = dir.filePath(QStringLiteral("reports/"));
    const QString empty = dir.filePath(QStringLiteral("empty/"));
    QDir().mkpath(reports);
    QDir().mkpath(empty);
    const QString sample = QStringLiteral(TAV_SAMPLES "/objects.rpt");
    for (int i = 0; i < kCopies; ++i)
        if (!QFile::copy(sample,
                         reports + QStringLiteral("objects%1.rpt").arg(i, 3, 10, QChar(u'0')))) {
            state.SkipWithError("the sample report cannot be copied");
            return;
        }
    std::vector<ProgramRuns> runs;
    for (const Output& output : outputs)
        runs.push_back(
            runsFor(output, dir.filePath(QString::fromLatin1(output.name).replace(u' ', u'_'))));
    const QByteArray program = measuredProgram();
    const auto extract = [&](const Output& output) {
        return QList<QByteArray>{
            "-E",
            QFile::encodeName(QString::fromLatin1(output.name) == u"empty" ? empty : reports)};
    };
    // A first run of each writes its settings and creates its database.
    for (std::size_t i = 0; i < runs.size(); ++i) runs[i].run(program, extract(outputs[i]));
    std::map<std::string, std::vector<double>> cpu;
    for (auto _ : state) {
        for (std::size_t i = 0; i < runs.size(); ++i) {
            const ProgramRuns::Cost cost = runs[i].run(program, extract(outputs[i]));
            if (!cost.ok()) {
                state.SkipWithError("the program did not run to a good end");
                return;
            }
            cpu[outputs[i].name].push_back(cost.cpu);
        }
    }
    const double start = median(cpu["empty"]);
    const auto perReport = [&](const char* name) { return (median(cpu[name]) - start) / kCopies; };
    state.counters["start ms"] = start;
    for (const Output& output : outputs)
        if (QLatin1String(output.name) != QLatin1String("empty"))
            state.counters[std::string(output.name) + " ms"] = perReport(output.name);
    state.counters["picture ratio"] = perReport("document with picture") / perReport("document");
    state.counters["full ratio"] = perReport("full") / perReport("tvd");
}
BENCHMARK(BM_OutputCostPerReport)->Iterations(5)->Unit(benchmark::kMillisecond);

// The most memory the program holds for the document (and nothing else) of a design of 50,000
// field objects, whose document.xml runs to a few hundred megabytes: at most 400 MB.
static void BM_LargeDocumentPeak(benchmark::State& state) {
    QTemporaryDir dir;
    const QString reports = dir.filePath(QStringLiteral("reports/"));
    QDir().mkpath(reports);
    QFile design(reports + QStringLiteral("generated.rpt"));
    if (!design.open(QIODevice::WriteOnly) ||
        design.write(fieldObjectsDesign(50000, "top=\"0\" width=\"1440\" height=\"240\"")) < 0) {
        state.SkipWithError("the design cannot be written");
        return;
    }
    design.close();
    const ProgramRuns runs =
        runsFor(Output{"document", false, true, false, false}, dir.filePath(QStringLiteral("run")));
    const QByteArray program = measuredProgram();
    std::vector<double> peaks;
    for (auto _ : state) {
        const ProgramRuns::Cost cost = runs.run(program, {"-E", QFile::encodeName(reports)});
        if (!cost.ok()) {
            state.SkipWithError("the program did not run to a good end");
            return;
        }
        peaks.push_back(cost.peakMb);
    }
    state.counters["peak MB"] = median(peaks);
}
BENCHMARK(BM_LargeDocumentPeak)->Iterations(3)->Unit(benchmark::kMillisecond);
