#pragma once

#include "core/single_precision.h"

#include <cstddef>
#include <string>

namespace velmora {

// The texts in which numbers are shown in the window and printed in the report. Every rounding
// is decided from the exact binary value of the single, never from a decimal text made earlier:
// 2.0005f is 2.000499963..., so it gives "2.000" at three decimals, and only values that are
// exactly half-way between two neighbours (such as 1.0625f) are ties. A value whose text would
// show only zero digits is written without a minus sign.

// Decimal digits with a leading minus for negatives.
//   integerText(0) -> "0", integerText(-12) -> "-12", integerText(32767) -> "32767"
std::string integerText(long value);

// How many of something there are, or which one, for a message:
//   countText(0) -> "0", countText(18600) -> "18600"
std::string countText(std::size_t count);

// The value rounded to seven significant digits (exact ties to even), trailing zeros dropped
// and the point too when no digit follows it, a zero before the point below 1.
//   generalText(100.0f) -> "100", generalText(1.01f) -> "1.01", generalText(0.5f) -> "0.5"
//   generalText(-0.0123f) -> "-0.0123", generalText(1234567.5f) -> "1234568"
//   generalText(-0.0f) -> "0"
// Where seven digits cannot show the value in plain decimal (magnitudes of 10^7 and more, or
// below 10^-4) the text switches to an exponent: mantissa as above, "e", sign, at least two
// exponent digits.
//   generalText(12345678.0f) -> "1.234568e+07", generalText(0.00001f) -> "1e-05"
std::string generalText(float value);

// Fixed text with exactly `decimals` digits after the point (none and no point for 0) and at
// least one before it; a value exactly half-way rounds away from zero. Used with 3 decimals for
// the pattern "0.000" and 2 for "0.00". Requires 0 <= decimals <= 12.
//   fixedText(10.0f, 3) -> "10.000", fixedText(-0.0123f, 3) -> "-0.012"
//   fixedText(1.0625f, 3) -> "1.063", fixedText(-1.0625f, 3) -> "-1.063"
//   fixedText(2.0005f, 3) -> "2.000", fixedText(-0.0004f, 3) -> "0.000"
std::string fixedText(float value, int decimals);

// The value rounded to `decimals` decimals with exact ties going to the even neighbour, then
// written as fixedText would write the rounded value. Both steps are taken at once on the exact
// value, so that no single nearest to the rounded decimal can become a tie of its own.
// Requires 0 <= decimals <= 12.
//   roundedFixedText(1.0625f, 3) -> "1.062", roundedFixedText(1.1875f, 3) -> "1.188"
//   roundedFixedText(9.995f, 2) -> "9.99"  (9.995f is 9.99499988...)
//   roundedFixedText(10.0f, 2) -> "10.00"
std::string roundedFixedText(float value, int decimals);

} // namespace velmora
