#include "formats/field_length.h"

#include "core/errors.h"
#include "formats/field_text.h"

#include <algorithm>
#include <limits>

namespace velmora {

namespace {

constexpr int metreDecimals = 9;
constexpr int millimetreDecimals = 6;
constexpr Nanometres nanometresPerMillimetre = 1'000'000;

// `length` in a unit of `perUnit` nanometres, whose smallest part is a nanometre at `unitDecimals`.
std::string unitText(Nanometres length, Nanometres perUnit, int unitDecimals, int leastDecimals) {
    const auto magnitude = static_cast<std::uint64_t>(length < 0 ? -length : length);
    const auto perWhole = static_cast<std::uint64_t>(perUnit);
    std::string fraction = std::to_string(magnitude % perWhole);
    fraction.insert(0, static_cast<std::size_t>(unitDecimals) - fraction.size(), '0');
    const std::size_t kept =
        std::max(fraction.find_last_not_of('0') + 1, static_cast<std::size_t>(leastDecimals));
    fraction.resize(std::min(kept, fraction.size()));
    std::string text = (length < 0 ? "-" : "") + std::to_string(magnitude / perWhole);
    return fraction.empty() ? text : text + "." + fraction;
}

} // namespace

InstrumentFigure exactFigure(std::string_view digits, bool negative, Nanometres lastDigit,
                             Nanometres most, std::string_view what, std::size_t fileLine) {
    if (digits.empty() || !std::ranges::all_of(digits, isAsciiDigit))
        throw Error(fileLineText(fileLine) + "：" + std::string(what) + " 的数据不是数字。");
    const Nanometres mostCount = (most - 1) / lastDigit;
    Nanometres count = 0;
    for (const char digit : digits) {
        count = count * 10 + (digit - '0');
        // Checked digit by digit: sixteen nines times a millimetre would not fit.
        if (count > mostCount)
            throw Error(fileLineText(fileLine) + "：" + std::string(what) +
                        " 的值太大，不像水准测量的记录。");
    }
    return {(negative ? -count : count) * lastDigit, lastDigit};
}

std::string metresText(Nanometres length, int leastDecimals) {
    return unitText(length, nanometresPerMetre, metreDecimals, leastDecimals);
}

std::string millimetresText(Nanometres length, int leastDecimals) {
    return unitText(length, nanometresPerMillimetre, millimetreDecimals, leastDecimals);
}

std::optional<Nanometres> metresValue(std::string_view text) {
    const bool negative = text.starts_with('-');
    text.remove_prefix(negative ? 1 : 0);
    const std::size_t point = std::min(text.find('.'), text.size());
    const std::string_view whole = text.substr(0, point);
    std::string fraction(text.substr(std::min(point + 1, text.size())));
    if (whole.empty() || (point < text.size() && fraction.empty()) ||
        fraction.size() > static_cast<std::size_t>(metreDecimals) ||
        !std::ranges::all_of(whole, isAsciiDigit) || !std::ranges::all_of(fraction, isAsciiDigit))
        return std::nullopt;
    fraction.resize(static_cast<std::size_t>(metreDecimals), '0');
    // One metre short of the largest, so that the decimals always fit beside the metres.
    constexpr Nanometres mostMetres =
        std::numeric_limits<Nanometres>::max() / nanometresPerMetre - 1;
    Nanometres metres = 0;
    for (const char digit : whole) {
        metres = metres * 10 + (digit - '0');
        if (metres > mostMetres)
            return std::nullopt;
    }
    const Nanometres value = metres * nanometresPerMetre + std::stoll(fraction);
    return negative ? -value : value;
}

int decimalsOf(Nanometres lastDigit) {
    int decimals = 0;
    for (Nanometres place = nanometresPerMetre; lastDigit % place != 0; place /= 10)
        ++decimals;
    return decimals;
}

} // namespace velmora
