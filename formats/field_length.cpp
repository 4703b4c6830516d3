#include "formats/field_length.h"

#include "core/errors.h"
#include "formats/field_text.h"

#include <algorithm>

namespace velmora {

namespace {

constexpr int metreDecimals = 9;

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
    const auto magnitude = static_cast<std::uint64_t>(length < 0 ? -length : length);
    const auto perMetre = static_cast<std::uint64_t>(nanometresPerMetre);
    std::string fraction = std::to_string(magnitude % perMetre);
    fraction.insert(0, static_cast<std::size_t>(metreDecimals) - fraction.size(), '0');
    const std::size_t kept =
        std::max(fraction.find_last_not_of('0') + 1, static_cast<std::size_t>(leastDecimals));
    fraction.resize(std::min(kept, fraction.size()));
    std::string text = (length < 0 ? "-" : "") + std::to_string(magnitude / perMetre);
    return fraction.empty() ? text : text + "." + fraction;
}

int decimalsOf(Nanometres lastDigit) {
    int decimals = 0;
    for (Nanometres place = nanometresPerMetre; lastDigit % place != 0; place /= 10)
        ++decimals;
    return decimals;
}

} // namespace velmora
