#include <benchmark/benchmark.h>

#include <QDir>
#include <QXmlStreamReader>
#include <algorithm>
#include <chrono>
#include <vector>

#include "DesignDocument.h"
#include "GeneratedDesigns.h"
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

// A design whose detail area holds `lines` vertical lines, four to a section, each ending in the
// section after its own: the end sections are looked up by name across the report.
static QByteArray linesDesign(int lines) {
    const int sections = lines / 4 + 1;
    QByteArray xml =
        "<Report reportTitle=\"Lines\"><Database/><ExportOptions/><Areas>"
        "<Area kind=\"4\" name=\"DetailArea1\"><Sections>";
    for (int s = 1; s <= sections; ++s) {
        xml += "<Section sectionName=\"S" + QByteArray::number(s) +
               "\" height=\"300\"><ReportObjects>";
        for (int l = 0; l < 4 && s < sections && (s - 1) * 4 + l < lines; ++l) {
            xml += "<LineObject kind=\"3\" name=\"L" + QByteArray::number((s - 1) * 4 + l) +
                   "\" left=\"60\" right=\"60\" top=\"10\" bottom=\"20\" endSection=\"S" +
                   QByteArray::number(s + 1) + "\"/>";
        }
        xml += "</ReportObjects></Section>";
    }
    xml += "</Sections></Area></Areas></Report>";
    return xml;
}

// A load of a design, from its text to the model.
static void loadDesign(const QByteArray& xml) {
    tvReport report;
    auto runtime = rt::DesignDocument::parse(xml, QStringLiteral("design"))->report();
    report.init(QStringLiteral("design.rpt"), 0, 0, runtime, false);
    benchmark::DoNotOptimize(report.tvAreas.Count());
}

// Load time per item of a design of state.range(0) items, named `item` in the counter.
static void loadTimePerItem(benchmark::State& state, QByteArray (*design)(int), const char* item) {
    const int items = static_cast<int>(state.range(0));
    const QByteArray xml = design(items);
    for (auto _ : state) loadDesign(xml);
    state.counters[std::string("per ") + item] = benchmark::Counter(
        static_cast<double>(items),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// Load time per line object: a load linear in the objects keeps it flat from 1,000 to 20,000.
static void BM_LoadLinesWithEndSections(benchmark::State& state) {
    loadTimePerItem(state, linesDesign, "object");
}
BENCHMARK(BM_LoadLinesWithEndSections)->Arg(1000)->Arg(20000)->Unit(benchmark::kMillisecond);

// An element with 900 attributes is read; one with 100,000 is refused, in time linear in the size
// of the design rather than quadratic in its attributes.
static void BM_ReadManyAttributes(benchmark::State& state) {
    const int attributes = static_cast<int>(state.range(0));
    QByteArray xml = "<Report";
    for (int i = 0; i < attributes; ++i) xml += " a" + QByteArray::number(i) + "=\"1\"";
    xml += "><Database/><ExportOptions/><Areas/></Report>";
    for (auto _ : state) {
        try {
            benchmark::DoNotOptimize(rt::DesignDocument::parse(xml, QStringLiteral("wide")));
        } catch (const rt::Error&) {
        }
    }
    state.counters["per attribute"] = benchmark::Counter(
        static_cast<double>(attributes),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ReadManyAttributes)->Arg(900)->Arg(100000)->Unit(benchmark::kMillisecond);

// A plain pass of a stream reader over the same text, every attribute of every element read:
// the floor any load has to pay.
static void plainParse(const QByteArray& xml) {
    QXmlStreamReader reader(xml);
    qint64 attributes = 0;
    while (!reader.atEnd())
        if (reader.readNext() == QXmlStreamReader::StartElement)
            attributes += reader.attributes().size();
    benchmark::DoNotOptimize(attributes);
}

static void BM_LoadFieldsDesign(benchmark::State& state) {
    const QByteArray xml = fieldsDesign(static_cast<int>(state.range(0)));
    for (auto _ : state) loadDesign(xml);
}
BENCHMARK(BM_LoadFieldsDesign)->Arg(10000)->Unit(benchmark::kMillisecond);

static void BM_PlainParseFieldsDesign(benchmark::State& state) {
    const QByteArray xml = fieldsDesign(static_cast<int>(state.range(0)));
    for (auto _ : state) plainParse(xml);
}
BENCHMARK(BM_PlainParseFieldsDesign)->Arg(10000)->Unit(benchmark::kMillisecond);

// The two in turns, so that both meet the same machine: loading the 10,000-object design is to
// cost at most 1.8 times the plain pass (the "ratio", of the medians).
static void BM_LoadAgainstPlainParse(benchmark::State& state) {
    const QByteArray xml = fieldsDesign(static_cast<int>(state.range(0)));
    const auto milliseconds = [&xml](void (*run)(const QByteArray&)) {
        const auto start = std::chrono::steady_clock::now();
        run(xml);
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count();
    };
    std::vector<double> load, plain;
    for (auto _ : state) {
        plain.push_back(milliseconds(plainParse));
        load.push_back(milliseconds(loadDesign));
    }
    const auto median = [](std::vector<double> values) {
        std::sort(values.begin(), values.end());
        return values[values.size() / 2];
    };
    state.counters["plain ms"] = median(plain);
    state.counters["load ms"] = median(load);
    state.counters["ratio"] = median(load) / median(plain);
}
BENCHMARK(BM_LoadAgainstPlainParse)->Arg(10000)->Iterations(30)->Unit(benchmark::kMillisecond);

// A chain of `length` summaries, each listed before the one it summarizes and the last
// summarizing a database field.
static QByteArray summaryChainDesign(int length) {
    QByteArray xml =
        "<Report><Database><Tables><Table name=\"Orders\"><Fields><Field kind=\"1\" "
        "name=\"Orders.Amount\" valueType=\"8\"/></Fields></Table></Tables></Database>"
        "<ExportOptions/><SummaryFields>";
    for (int i = 1; i <= length; ++i)
        xml += "<SummaryField kind=\"3\" name=\"S" + QByteArray::number(i) +
               "\" summarizedField=\"" +
               (i == length ? QByteArray("1:Orders.Amount") : "3:S" + QByteArray::number(i + 1)) +
               "\"/>";
    xml += "</SummaryFields></Report>";
    return xml;
}

// Load time per summary of a chain: a load linear in the chain keeps it flat from 500 to 2,000.
static void BM_LoadSummaryChain(benchmark::State& state) {
    loadTimePerItem(state, summaryChainDesign, "summary");
}
BENCHMARK(BM_LoadSummaryChain)->Arg(500)->Arg(2000)->Unit(benchmark::kMillisecond);
