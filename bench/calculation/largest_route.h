#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace velmora::bench {

// The largest route a run accepts: 32766 points to be determined, 32767 sections.
inline constexpr std::int16_t largestClosingIndex = 32767;

// Measurements of the largest route, the same on every run: section i (1-based at index i, index
// 0 unused and 0) is 20 to 119 m long and climbs or falls by up to about a metre.
struct Measurements {
    float startHeight;
    float endHeight;
    std::vector<float> sectionLengths;
    std::vector<float> heightDiffs;
};
const Measurements& largestRoute();

// Every answer a user gives in a run of the largest route, accepting each value at once.
const std::vector<std::string>& largestRouteAnswers();

} // namespace velmora::bench
