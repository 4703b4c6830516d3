#pragma once

#include <string>

namespace velmora::fuzz {

// The exact value of a finite single in decimal, worked out digit by digit from its significand
// and binary exponent, without any floating-point arithmetic: every single is an integer times a
// power of two, and 2^-k = 5^k / 10^k, so the expansion always ends.
struct ExactDecimal {
    bool negative = false;
    std::string integerDigits;  // at least "0", no leading zeros otherwise
    std::string fractionDigits; // without trailing zeros, empty for an integer
};

//   exactDecimal(1.0625f) -> {false, "1", "0625"}    exactDecimal(-0.0f) -> {true, "0", ""}
//   exactDecimal(0.1f) -> {false, "0", "100000001490116119384765625"}
ExactDecimal exactDecimal(float value);

enum class Ties { awayFromZero, toEven };

// The exact value rounded to `decimals` decimals and written with exactly that many after the
// point (no point for 0), without a minus sign when only zeros are left.
//   roundedText(exactDecimal(1.0625f), 3, Ties::toEven) -> "1.062"
std::string roundedText(const ExactDecimal& exact, int decimals, Ties ties);

// The exact value rounded to seven significant digits, ties to even, trailing zeros dropped;
// plain decimal for decimal exponents -4 .. 6, else mantissa, "e", sign, two or more digits.
//   significantText(exactDecimal(12345678.0f)) -> "1.234568e+07"
std::string significantText(const ExactDecimal& exact);

} // namespace velmora::fuzz
