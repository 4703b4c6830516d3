#pragma once

#include "formats/field_file.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace velmora {

// A section levelled once in each direction, as two lines of a field file with the same ends
// swapped: their height differences should cancel, and what is left, the section's closing
// difference (往返测高差不符值), is allowed up to ±4√K millimetres, K the mean length of the two
// lines in kilometres.
struct TwoWayMisclosure {
    std::size_t otherLine = 0;    // the number of the line levelled the other way
    std::string millimetres;      // the sum of the two height differences, exact
    std::string limitMillimetres; // 4√K, rounded to 0.01 mm, half-way up
    bool exceeded = false;        // |sum| > 4√K, decided exactly
};

// Every line's two-way misclosure, by its index, where it has a partner. Lines pair in file
// order: a usable line from P to Q (P not Q) with the earliest usable line before it from Q to P
// that has none yet. An unusable line is no partner, since its figures cannot be trusted.
//   twoWayMisclosures(lines of tests/dialogue/golden/gsi16_bffb.gsi: A-B 1.502455 m over
//     101.5045 m, B-A -1.503485 m over 102.001 m)
//     -> [0] {2, "-1.03", "1.28", false}, [1] {1, "-1.03", "1.28", false}
//   lines BM1-BM2 1.3999 m over 90.8 m and BM2-BM1 -0.3 m over 128.5 m
//     -> both {other, "1099.9", "1.32", true}
//   lines A-B, B-C -> nothing for either
std::vector<std::optional<TwoWayMisclosure>> twoWayMisclosures(const std::vector<FieldLine>& lines);

} // namespace velmora
