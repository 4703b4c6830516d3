// The largest field file read and listed for the 测段表, beside a bare pass over the same bytes
// that splits its lines and reads every word's digits with from_chars.
#include "bench/field_file/largest_field_file.h"
#include "formats/field_file.h"
#include "formats/field_line_list.h"

#include <benchmark/benchmark.h>
#include <charconv>
#include <cstdint>
#include <numeric>
#include <string_view>

namespace velmora::bench {
namespace {

void readAndList(benchmark::State& state) {
    const std::string& file = largestFieldFile();
    std::vector<FieldLine> lines;
    for (auto _ : state) {
        lines = readFieldFile(file);
        const std::vector<ListedLine> listed = listedLines(lines);
        benchmark::DoNotOptimize(listed.data());
    }
    state.counters["bytes"] = static_cast<double>(file.size());
    state.counters["stations"] =
        std::accumulate(lines.begin(), lines.end(), 0.0, [](double sum, const FieldLine& line) {
            return sum + static_cast<double>(line.stationCount());
        });
}

// Every word's data: the sixteen digits after its sign, GSI-16 words being 24 characters apart.
void digitsBaseline(benchmark::State& state) {
    const std::string_view file = largestFieldFile();
    for (auto _ : state) {
        std::int64_t sum = 0;
        for (std::size_t at = 0; at < file.size();) {
            const std::size_t end = file.find('\n', at);
            const std::string_view line = file.substr(at, end - at);
            for (std::size_t word = 8; word + 16 <= line.size(); word += 24) {
                std::int64_t value = 0;
                std::from_chars(line.data() + word, line.data() + word + 16, value);
                sum += value;
            }
            at = end + 1;
        }
        benchmark::DoNotOptimize(sum);
    }
}

BENCHMARK(readAndList)->Name("field/read_and_list")->Unit(benchmark::kMillisecond);
BENCHMARK(digitsBaseline)->Name("field/digits_baseline")->Unit(benchmark::kMillisecond);

} // namespace
} // namespace velmora::bench
