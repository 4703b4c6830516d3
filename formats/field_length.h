#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// A length or height of a field file, exactly: a whole number of nanometres. Every last digit a
// level writes is an even number of them (1/100 mm is 10 000, 1/10 000 ft is 30 480), so the mean
// of two readings is a whole number too and all of a line's arithmetic stays exact.
using Nanometres = std::int64_t;

inline constexpr Nanometres nanometresPerMetre = 1'000'000'000;
inline constexpr Nanometres nanometresPerFoot = 304'800'000;

// A reading or sight distance of 10 km, or a height or running distance of 10 000 km, is no
// levelling figure. Under these bounds no sum over a file of mostTableBytes can overflow: a station
// takes at least 128 bytes, so a file holds at most 65 536 of them, each adding less than 2 *
// 10^13.
inline constexpr Nanometres mostSightNanometres = 10'000 * nanometresPerMetre;
inline constexpr Nanometres mostRunningNanometres = 10'000'000 * nanometresPerMetre;

// A value as the instrument wrote it, and the last digit it wrote it to.
struct InstrumentFigure {
    Nanometres value = 0;
    Nanometres lastDigit = 0;
};

// The figure whose digits count `lastDigit` each, refused with the file line when the digits are
// no whole number or its size reaches `most`. `what` names the value in the message ("WI 32",
// "HD").
//   exactFigure("00030439", false, 1'000'000, mostSightNanometres, "WI 32", 4)
//     -> {30'439'000'000, 1'000'000}   (30.439 m written in millimetres)
//   exactFigure("14", true, 30'480, ...) -> {-426'720, 30'480}   (-0.0014 ft)
//   exactFigure("9999999999999999", false, 10'000, mostSightNanometres, "WI 331", 7) raises
//     "第 7 行：WI 331 的值太大，不像水准测量的记录。"
InstrumentFigure exactFigure(std::string_view digits, bool negative, Nanometres lastDigit,
                             Nanometres most, std::string_view what, std::size_t fileLine);

// The exact value in metres with at least `leastDecimals` decimals and no trailing zero beyond
// them, a minus sign only before a value that is not zero.
//   metresText(-1'406'750'000) -> "-1.40675"   metresText(61'212'000'000) -> "61.212"
//   metresText(0) -> "0"   metresText(660'000'000, 5) -> "0.66000"   metresText(3'048) ->
//   "0.000003048"   metresText(-12'000'000'000, 3) -> "-12.000"
std::string metresText(Nanometres length, int leastDecimals = 0);

// The exact value in millimetres, written as metresText writes metres.
//   millimetresText(-1'030'000) -> "-1.03"   millimetresText(1'099'900'000) -> "1099.9"
//   millimetresText(1'280'000, 2) -> "1.28"   millimetresText(0, 2) -> "0.00"
std::string millimetresText(Nanometres length, int leastDecimals = 0);

// The length a text of metresText stands for, exactly; nothing for any other text (more than nine
// decimals, no digit before the point, a plus sign, a blank, a value beyond a Nanometres).
//   metresValue("-1.40675") -> -1'406'750'000   metresValue("61.212") -> 61'212'000'000
//   metresValue("0") -> 0   metresValue("1e3"), ("0.0000000001"), (".5") -> nothing
std::optional<Nanometres> metresValue(std::string_view text);

// The decimals metresText needs for a whole number of `lastDigit`: decimalsOf(10'000) -> 5
// (1/100 mm), decimalsOf(1'000'000) -> 3, decimalsOf(30'480) -> 8 (1/10 000 ft).
int decimalsOf(Nanometres lastDigit);

} // namespace velmora
