#pragma once

#include "core/single_precision.h"
#include "core/table.h"

#include <cstdint>
#include <optional>
#include <string>

namespace velmora {

// Element i: the number of instrument stations section i was levelled in, 1 ..
// mostSectionStations; element 0 is never filled and stays 0. Absent where the run was not told
// them, as a typed run never is.
using StationCounts = Table<std::int32_t>;

// No section of a real route comes near this many stations (a few hundred kilometres of them), and
// with it the count of the largest route, 9999 * 32767 = 327640233, is a long on every machine.
inline constexpr std::int32_t mostSectionStations = 9999;

// The measurements of one run's sections. Element 0 of every table is never filled and stays 0.
struct SectionMeasurements {
    Table<float> heightDiffs;        // element i: height difference of section i
    Table<float> sectionLengths;     // element i: backsight plus foresight distance of section i
    float correctionPerMetre = 0.0f; // -fh / [s]
    StationCounts stationCounts;     // absent unless whatever drove the run knew them
};

// One attached leveling route: from the start benchmark A (point 0) through the points to be
// determined (1 .. closingIndex - 1) to the closing benchmark B (point closingIndex). Section i
// joins point i - 1 to point i. Heights and lengths are in metres, every real a single.
//
// The window keeps one for its whole life; each calculation run resets and refills it, and the
// report reads it as the last run left it. Before the first run both tables are absent and every
// number is 0.
struct LevelingRoute {
    float startHeight = 0.0f;      // Ha
    float endHeight = 0.0f;        // Hb
    std::int16_t closingIndex = 0; // N + 1
    float misclosure = 0.0f;       // fh = Ha + sum(h) - Hb
    float sumHeightDiff = 0.0f;    // sum(h), in index order
    float totalLength = 0.0f;      // [s], in index order
    Table<float> adjustedHeights;  // 0 .. closingIndex; element 0 is Ha
    Table<std::string> pointNames; // 0 .. closingIndex, as typed
    // Set once a run has computed every adjusted height; a run that stops before leaves it
    // false, so that half a route is never taken for a result.
    bool resultsReached = false;
    // The sections of the run that reached its results, kept for the results table; absent
    // while resultsReached is false.
    SectionMeasurements sections;
};

// Starts a route of closingIndex - 1 points to be determined: sets closingIndex and gives
// adjustedHeights, pointNames and the returned lengths and height differences closingIndex + 1
// fresh elements, so nothing of an earlier route survives, and clears resultsReached and the kept
// sections, station counts included; the returned station counts are absent. Ha, Hb and fh keep
// their values until the run overwrites them. Requires closingIndex >= 1.
//
//   startRoute(route, 2) -> route.closingIndex == 2, route.pointNames.size() == 3,
//                           returned stationCounts.present() == false
SectionMeasurements startRoute(LevelingRoute& route, std::int16_t closingIndex);

// The route's number of stations n, the sum of its sections' counts; nothing where they are
// unknown.
//   stationCounts 0, 8, 7 -> 15;  stationCounts absent -> nothing
std::optional<long> totalStations(const SectionMeasurements& sections);

} // namespace velmora
