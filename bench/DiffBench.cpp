#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPushButton>

#include "DesignDocument.h"
#include "ReportDiff.h"
#include "ReportDiffWindow.h"

using namespace tav::core;
using namespace tav::utilities;

namespace {

QString sample(const char* name) {
    return QStringLiteral(TAV_SAMPLES "/") + QLatin1StringView(name);
}

// How the second report of a generated pair differs from the first.
enum Shape { Identical, OneChange, AllRenamed };

// A design document of `count` formulas and `count` text objects in one section. `renamed`
// gives every formula and object another name; `changed` changes the middle formula's text and
// the middle object's text.
QByteArray generatedReport(int count, bool renamed, bool changed) {
    const QByteArray name = renamed ? "Renamed" : "Formula";
    QByteArray xml = "<Report reportTitle=\"Generated\"><Database/><ExportOptions/><FormulaFields>";
    for (int k = 0; k < count; ++k) {
        const QByteArray n = QByteArray::number(k);
        const QByteArray text =
            changed && k == count / 2 ? "{Orders.Amount} * 3" : "{Orders.Amount} + " + n;
        xml += "<FormulaField kind=\"2\" name=\"" + name + n + "\" text=\"" + text + "\"/>";
    }
    xml += "</FormulaFields><Areas><Area kind=\"4\" name=\"D\"><Sections><Section><ReportObjects>";
    const QByteArray label = renamed ? "Caption " : "Label ";
    for (int k = 0; k < count; ++k) {
        const QByteArray n = QByteArray::number(changed && k == count / 2 ? -k : k);
        xml += "<TextObject kind=\"2\" name=\"Text" + QByteArray::number(k) + "\" text=\"" + label +
               n + "\" left=\"0\" top=\"" + QByteArray::number(k * 240) +
               "\" width=\"1440\" height=\"240\"/>";
    }
    xml += "</ReportObjects></Section></Sections></Area></Areas></Report>";
    return xml;
}

std::unique_ptr<tvReport> generatedModel(int count, bool renamed, bool changed) {
    auto report = std::make_unique<tvReport>();
    auto runtimeReport =
        rt::DesignDocument::parse(generatedReport(count, renamed, changed), QStringLiteral("bench"))
            ->report();
    report->init(QStringLiteral("generated.rpt"), 0, 0, runtimeReport, false);
    return report;
}

// The lines of one comparison of the reports `diff` holds.
DiffResults compared(ReportDiff& diff) {
    DiffResults results;
    diff.compare(true, results);
    return results;
}

}  // namespace

// Compares two sample reports, loaded once: the analysis alone.
static void BM_AnalyzeDifferences(benchmark::State& state) {
    ReportDiff diff{ExtractOptions()};
    diff.open(sample("objects.rpt"), sample("layout.rpt"));
    size_t rows = 0;
    for (auto _ : state) {
        rows = compared(diff).combinedRows.size();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_AnalyzeDifferences)->Unit(benchmark::kMillisecond);

// Loads and compares two sample reports, as the command line does.
static void BM_OpenAndCompare(benchmark::State& state) {
    for (auto _ : state) {
        ReportDiff diff{ExtractOptions()};
        diff.open(sample("fields.rpt"), sample("charts.rpt"));
        benchmark::DoNotOptimize(compared(diff).combinedText().size());
    }
}
BENCHMARK(BM_OpenAndCompare)->Unit(benchmark::kMillisecond);

// Generated pairs of as many formulas as objects, in the three shapes: the analysis alone, all
// lines shown. Each shape is to grow in step with the size, and every item renamed is to cost
// no more than a few times the identical pair (shape 0 identical, 1 one change, 2 renamed).
static void BM_CompareGenerated(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const auto shape = static_cast<Shape>(state.range(1));
    ReportDiff diff{ExtractOptions()};
    diff.setReports(generatedModel(count, false, false),
                    generatedModel(count, shape == AllRenamed, shape == OneChange),
                    QStringLiteral("first.rpt"), QStringLiteral("second.rpt"));
    size_t rows = 0;
    for (auto _ : state) {
        rows = compared(diff).combinedRows.size();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_CompareGenerated)
    ->ArgNames({"items", "shape"})
    ->ArgsProduct({{1000, 4000, 10000}, {Identical, OneChange, AllRenamed}})
    ->Unit(benchmark::kMillisecond);

namespace {

// The windows need an application; without a display they are drawn off screen.
void needApplication() {
    static int argc = 1;
    static char name[] = "tavbench";
    static char* argv[] = {name, nullptr};
    if (QApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication application(argc, argv);
}

// A shown difference window holding a generated pair of `items` formulas and objects.
struct GeneratedWindow {
    explicit GeneratedWindow(const benchmark::State& state) {
        const int count = static_cast<int>(state.range(0));
        const auto shape = static_cast<Shape>(state.range(1));
        window.comparison().setReports(
            generatedModel(count, false, false),
            generatedModel(count, shape == AllRenamed, shape == OneChange),
            QStringLiteral("first.rpt"), QStringLiteral("second.rpt"));
        window.resize(1000, 700);
        window.show();
    }
    tav::gui::ReportDiffWindow window;
};

}  // namespace

// The difference window for a generated pair, from the analysis to the painted grids: it is to
// take at most three times the analysis alone (BM_CompareGenerated of the same arguments).
static void BM_DiffWindowFill(benchmark::State& state) {
    needApplication();
    GeneratedWindow generated(state);
    tav::gui::ReportDiffWindow& window = generated.window;
    for (auto _ : state) {
        window.showDifferences();
        window.repaint();
    }
    state.counters["rows"] = static_cast<double>(window.results().combinedRows.size());
}
BENCHMARK(BM_DiffWindowFill)
    ->ArgNames({"items", "shape"})
    ->ArgsProduct({{10000}, {OneChange, AllRenamed}})
    ->Unit(benchmark::kMillisecond);

// Show Changes and Show All Lines by turns, each analysing again and painting the grids: each is
// to take at most three times the analysis alone.
static void BM_DiffWindowSwitch(benchmark::State& state) {
    needApplication();
    GeneratedWindow generated(state);
    tav::gui::ReportDiffWindow& window = generated.window;
    auto* showChanges = window.findChild<QPushButton*>(QStringLiteral("cmdShowChanges"));
    auto* showAll = window.findChild<QPushButton*>(QStringLiteral("cmdShowAll"));
    bool changes = true;
    for (auto _ : state) {
        (changes ? showChanges : showAll)->click();
        window.repaint();
        changes = !changes;
    }
}
BENCHMARK(BM_DiffWindowSwitch)
    ->ArgNames({"items", "shape"})
    ->ArgsProduct({{10000}, {OneChange, AllRenamed}})
    ->Unit(benchmark::kMillisecond);
