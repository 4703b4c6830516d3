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

template <class T> struct NumberReading {
    T value{};
    NumberProblem problem = NumberProblem::none;

    explicit operator bool() const noexcept { return problem == NumberProblem::none; }
};

// Reads a decimal number typed by the user. Accepted, and nothing else:
//   blanks (spaces, tabs) around; an optional sign "+" or "-"; digits with an optional decimal
//   point, at least one digit on one side of it (".5" and "5." included); an optional exponent
//   "e" or "E", optional sign, one or more digits.
// The value is rounded correctly straight into the result type, never through a wider one.
//   readSingle(" 12.5 ") -> 12.5f        readSingle("+3") -> 3.0f     readSingle("-0") -> -0.0f
//   readSingle(".5") -> 0.5f             readSingle("5.") -> 5.0f     readSingle("1e3") -> 1000.0f
//   readSingle("") -> empty              readSingle("   ") -> empty
//   readSingle("1,5"), ("inf"), ("nan"), ("0x10"), ("1e"), ("."), ("１２") -> notANumber
//   readSingle("1e39"), ("1e-50") -> outOfRange
NumberReading<float> readSingle(std::string_view text);

// The same grammar read into a double, for the count of points.
//   readDouble("32766.5") -> 32766.5    readDouble("1e39") -> 1e39
//   readDouble("1e999") -> outOfRange
NumberReading<double> readDouble(std::string_view text);

} // namespace velmora
