// A whole calculation run of the largest route, every prompt answered from a list and the fields
// written into a sink, beside reading the same answers with from_chars and writing the same
// values with to_chars; the results table of that route with its three text forms; and the same
// route read from a tab-separated table file and run.
#include "bench/calculation/largest_route.h"
#include "dialogue/calculation_run.h"
#include "formats/table_run.h"
#include "formats/table_text.h"

#include <array>
#include <benchmark/benchmark.h>
#include <charconv>
#include <cstddef>

namespace velmora::bench {
namespace {

class ListedAnswers : public Prompter {
public:
    explicit ListedAnswers(const std::vector<std::string>& answers)
        : answers_(answers) {}
    Answer ask(std::string_view /*message*/) override { return {answers_[next_++], false}; }
    bool offerRetry(std::string_view /*reason*/) override { return false; }

private:
    const std::vector<std::string>& answers_;
    std::size_t next_ = 0;
};

class FieldSink : public FieldWriter {
public:
    void show(DisplayField /*field*/, std::string_view text) override {
        benchmark::DoNotOptimize(text.data());
    }
};

void wholeRun(benchmark::State& state) {
    const std::vector<std::string>& answers = largestRouteAnswers();
    LevelingRoute route;
    FieldSink fields;
    for (auto _ : state) {
        ListedAnswers user(answers);
        run(route, user, fields);
        benchmark::DoNotOptimize(route.adjustedHeights.at(largestClosingIndex));
    }
}

// Reads every answer that is a number and writes every value a run shows, nothing else.
void charsBaseline(benchmark::State& state) {
    const std::vector<std::string>& answers = largestRouteAnswers();
    const Measurements& m = largestRoute();
    std::vector<float> read(answers.size());
    std::array<char, 32> text{};
    for (auto _ : state) {
        for (std::size_t i = 0; i < answers.size(); ++i) {
            const std::string& a = answers[i];
            std::from_chars(a.data(), a.data() + a.size(), read[i]);
        }
        // Each echo is written twice, on entry and on acceptance; each height once, at the end.
        for (std::size_t i = 1; i < m.sectionLengths.size(); ++i) {
            for (const float shown :
                 {m.sectionLengths[i], m.sectionLengths[i], m.heightDiffs[i], m.heightDiffs[i]}) {
                const auto written = std::to_chars(text.data(), text.data() + text.size(), shown,
                                                   std::chars_format::general, 7);
                benchmark::DoNotOptimize(written.ptr);
            }
            const auto height = std::to_chars(text.data(), text.data() + text.size(),
                                              m.heightDiffs[i], std::chars_format::fixed, 3);
            benchmark::DoNotOptimize(height.ptr);
        }
        benchmark::DoNotOptimize(read.data());
    }
}

// The table and its texts for the finished largest route, the run itself done once beforehand.
void resultsTableTexts(benchmark::State& state) {
    LevelingRoute route;
    FieldSink fields;
    ListedAnswers user(largestRouteAnswers());
    run(route, user, fields);
    for (auto _ : state) {
        const ResultsTable table = resultsTable(route);
        for (const std::string& text : {tabSeparatedText(table), htmlText(table), csvText(table)})
            benchmark::DoNotOptimize(text.data());
    }
}

// The largest route's answers as a table file in the results table's layout: a header, A's row
// with Ha, a row for every later point with the section that ends there, B's row with Hb.
std::string largestRouteTable() {
    const std::vector<std::string>& answers = largestRouteAnswers();
    std::string table = "点名\t距离\t实测高差\t改正数\t改正后高差\t高程\n" + answers[5] +
                        "\t\t\t\t\t" + answers[1] + '\n';
    for (std::size_t section = 1; section <= largestClosingIndex; ++section) {
        // The answers of section i (1-based) begin with its first point's name at 5 + 6 (i - 1):
        // the name, the length and the height difference, each before an empty confirmation; B's
        // name follows the last section.
        const std::size_t at = 5 + 6 * section;
        table += answers[at] + '\t' + answers[at - 4] + '\t' + answers[at - 2] + "\t\t\t" +
                 (section == largestClosingIndex ? answers[3] : std::string()) + '\n';
    }
    return table;
}

void tableRun(benchmark::State& state) {
    const std::string table = largestRouteTable();
    for (auto _ : state) {
        const TableRun result = runTable(table);
        benchmark::DoNotOptimize(result.route.adjustedHeights.at(largestClosingIndex));
    }
    state.counters["bytes"] = static_cast<double>(table.size());
}

BENCHMARK(wholeRun)->Name("run/scripted")->Unit(benchmark::kMillisecond);
BENCHMARK(charsBaseline)->Name("run/chars_baseline")->Unit(benchmark::kMillisecond);
BENCHMARK(resultsTableTexts)->Name("run/results_table_texts")->Unit(benchmark::kMillisecond);
BENCHMARK(tableRun)->Name("run/table")->Unit(benchmark::kMillisecond);

} // namespace
} // namespace velmora::bench
