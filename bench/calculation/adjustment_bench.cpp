// The checked adjustment of the largest route beside the same arithmetic as a bare loop.
#include "bench/calculation/largest_route.h"
#include "core/adjustment.h"

#include <benchmark/benchmark.h>
#include <cstddef>
#include <vector>

namespace velmora::bench {
namespace {

void checkedAdjustment(benchmark::State& state) {
    const Measurements& m = largestRoute();
    LevelingRoute route;
    route.startHeight = m.startHeight;
    route.endHeight = m.endHeight;
    SectionMeasurements sections = startRoute(route, largestClosingIndex);
    for (long i = 1; i <= largestClosingIndex; ++i) {
        sections.sectionLengths.at(i) = m.sectionLengths[static_cast<std::size_t>(i)];
        sections.heightDiffs.at(i) = m.heightDiffs[static_cast<std::size_t>(i)];
    }
    for (auto _ : state) {
        route.sumHeightDiff = 0.0f;
        route.totalLength = 0.0f;
        for (long i = 1; i <= largestClosingIndex; ++i)
            accumulateSection(route, sections, i);
        computeMisclosure(route);
        distribute(route, sections);
        benchmark::DoNotOptimize(route.adjustedHeights.at(largestClosingIndex));
    }
}

void bareLoop(benchmark::State& state) {
    const Measurements& m = largestRoute();
    std::vector<float> heights(m.sectionLengths.size());
    for (auto _ : state) {
        float sum = 0.0f;
        float length = 0.0f;
        for (std::size_t i = 1; i < m.sectionLengths.size(); ++i) {
            sum = m.heightDiffs[i] + sum;
            length = m.sectionLengths[i] + length;
        }
        const float fh = (sum + m.startHeight) - m.endHeight;
        benchmark::DoNotOptimize(fh * 1000.0f);
        const float k = -fh / length;
        heights[0] = m.startHeight;
        for (std::size_t i = 1; i < heights.size(); ++i)
            heights[i] = (heights[i - 1] + m.heightDiffs[i]) + m.sectionLengths[i] * k;
        benchmark::DoNotOptimize(heights.back());
    }
}

BENCHMARK(checkedAdjustment)->Name("adjustment/checked");
BENCHMARK(bareLoop)->Name("adjustment/bare_loop");

} // namespace
} // namespace velmora::bench
