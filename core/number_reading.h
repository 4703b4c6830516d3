#pragma once

#include <string_view>

namespace velmora {

// Why a text could not be read as a number.
enum class NumberProblem {
    none,       // read
    empty,      // nothing but blanks
    notANumber, // some character outside the grammar below
    outOfRange, // a number, but too large for the type, or so small it would round to zero
};

// A reading's value is the number when it was read; for a number out of range it is an infinity
// (too large) or a zero (too small) of the typed sign, so that a caller can tell the two apart;
// otherwise it is 0.
template <class T> struct NumberReading {
    T value{};
    NumberProblem problem = NumberProblem::none;

    explicit operator bool() const noexcept { return problem == NumberProblem::none; }
};

// Reads a decimal number typed by the user. Accepted, and nothing else:
//   blanks (spaces, tabs) around; an optional sign "+" or "-"; digits with an optional decimal
//   point, at least one digit on one side of it (".5" and "5." included); an optional exponent
//   "e" or "E", optional sign, one or more digits.
// A Chinese input method in full-width or Chinese-punctuation mode types other characters for
// the same keys, so before the grammar is applied these are taken as their ASCII counterparts:
// the full-width digits "０".."９", "＋", "－" and "．", the minus sign U+2212, the ideographic
// full stop "。" (typed for the decimal point), the full-width "Ｅ" and "ｅ", and every Unicode
// space (the ideographic space U+3000, the no-break space U+00A0, U+2000..U+200A and the others)
// as a blank. Nothing else is: the full-width comma is refused like the ASCII one, and digits of
// other scripts are no number.
// The value is rounded correctly straight into the result type, never through a wider one.
//   readSingle(" 12.5 ") -> 12.5f        readSingle("+3") -> 3.0f     readSingle("-0") -> -0.0f
//   readSingle(".5") -> 0.5f             readSingle("5.") -> 5.0f     readSingle("1e3") -> 1000.0f
//   readSingle("１２．５") -> 12.5f      readSingle("12。5") -> 12.5f  readSingle("－2") -> -2.0f
//   readSingle("\u2212" "2") -> -2.0f    readSingle("１ｅ３") -> 1000.0f
//   readSingle("\u3000" "12\u00A0") -> 12.0f                  readSingle("０") -> 0.0f
//   readSingle("") -> empty              readSingle("   ") -> empty  readSingle("\u3000") -> empty
//   readSingle("1,5"), ("1，5"), ("1 000"), ("1\u3000" "000"), ("inf"), ("nan"), ("0x10"),
//     ("1e"), ("."), ("١٢") -> notANumber
//   readSingle("1e39") -> outOfRange, value +inf     readSingle("-1e-50") -> outOfRange, value -0
NumberReading<float> readSingle(std::string_view text);

// The same grammar read into a double, for the count of points.
//   readDouble("32766.5") -> 32766.5    readDouble("1e39") -> 1e39    readDouble("３") -> 3
//   readDouble("1e309") -> outOfRange, value +inf    readDouble("1e-400") -> outOfRange, value 0
NumberReading<double> readDouble(std::string_view text);

} // namespace velmora
