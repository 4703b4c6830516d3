#pragma once

#include "core/checked_result.h"
#include "core/leveling_route.h"

namespace velmora {

// The simple adjustment of an attached route, in single precision. Every result is rounded to
// a single as it is formed and checked before it is stored: a result that is not a finite
// single (overflow, division by zero, 0 / 0) raises ArithmeticError and leaves the record as it
// was, so a stopped run never holds an infinity. The route used in the examples below:
// Ha = 10, Hb = 12, sections of 100 m and 100 m with height differences 1.01 and 1.

// Adds section i to the running sums: sumHeightDiff += heightDiffs(i), totalLength +=
// sectionLengths(i). Called once for each section, i = 1 .. closingIndex in increasing order,
// after both sums were set to 0.
//   after both sections: sumHeightDiff -> 2.01f, totalLength -> 200.0f
// Inline: it runs once per section, and a call would keep both sums in memory.
inline void accumulateSection(LevelingRoute& route, const SectionMeasurements& sections, long i) {
    route.sumHeightDiff = checked(sections.heightDiffs.at(i) + route.sumHeightDiff, "高差总和");
    route.totalLength = checked(sections.sectionLengths.at(i) + route.totalLength, "路线全长");
}

// Stores the misclosure fh = (sumHeightDiff + startHeight) - endHeight in metres and returns it
// in millimetres, fh * 1000, for the window.
//   misclosure -> 0.01f (0.0100002...), returns 10.0002...f
float computeMisclosure(LevelingRoute& route);

// The correction section i receives once correctionPerMetre is set: sectionLengths(i) *
// correctionPerMetre, the single the adjusted heights are carried with.
//   section 1 of the example -> -0.005f
inline float sectionCorrection(const SectionMeasurements& sections, long i) {
    return checked(sections.sectionLengths.at(i) * sections.correctionPerMetre, "高差改正数");
}

// Spreads -fh over the sections in proportion to their lengths: correctionPerMetre = -fh / [s];
// adjustedHeights(0) = Ha; adjustedHeights(i) = (adjustedHeights(i - 1) + heightDiffs(i)) +
// sectionCorrection(i), carried forward point by point.
//   correctionPerMetre -> -5.0e-5f, adjustedHeights -> 10, 11.005, 12.000 (to three decimals)
// A total length of 0 raises ArithmeticError, whether fh is 0 too (0 / 0) or not (division by
// zero): there is no length to spread the misclosure by.
void distribute(LevelingRoute& route, SectionMeasurements& sections);

} // namespace velmora
