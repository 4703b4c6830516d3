#include "fuzz/exact_decimal.h"

#include <algorithm>
#include <bit>
#include <cstdint>

namespace velmora::fuzz {

namespace {

// Decimal digits, least significant first.
using Digits = std::string;

void multiply(Digits& digits, int factor) {
    int carry = 0;
    for (char& digit : digits) {
        const int product = (digit - '0') * factor + carry;
        digit = static_cast<char>('0' + product % 10);
        carry = product / 10;
    }
    for (; carry > 0; carry /= 10)
        digits.push_back(static_cast<char>('0' + carry % 10));
}

std::string withoutLeadingZeros(const std::string& digits) {
    const auto first = digits.find_first_not_of('0');
    return first == std::string::npos ? "0" : digits.substr(first);
}

// Adds one unit in the last place of a most-significant-first digit string; the string grows by a
// digit when the carry runs out of it.
void addUnit(std::string& digits) {
    for (std::size_t at = digits.size(); at-- > 0;) {
        if (digits[at] != '9') {
            ++digits[at];
            return;
        }
        digits[at] = '0';
    }
    digits.insert(digits.begin(), '1');
}

// Whether dropping `rest` (the digits after the last one kept) rounds the kept digits up.
bool roundsUp(std::string_view rest, char lastKept, Ties ties) {
    if (rest.empty() || rest.front() < '5')
        return false;
    if (rest.front() > '5' || rest.find_first_not_of('0', 1) != std::string_view::npos)
        return true;
    return ties == Ties::awayFromZero || (lastKept - '0') % 2 == 1;
}

} // namespace

ExactDecimal exactDecimal(float value) {
    const auto bits = std::bit_cast<std::uint32_t>(value);
    const auto biased = static_cast<int>((bits >> 23) & 0xffu);
    std::uint32_t significand = bits & 0x7fffffu;
    int exponent = -149;
    if (biased != 0) {
        significand |= 0x800000u;
        exponent = biased - 150;
    }

    Digits digits;
    for (; significand > 0; significand /= 10)
        digits.push_back(static_cast<char>('0' + significand % 10));
    if (digits.empty())
        digits = "0";
    const int fractionLength = std::max(0, -exponent);
    for (int i = 0; i < exponent; ++i)
        multiply(digits, 2);
    for (int i = 0; i < fractionLength; ++i)
        multiply(digits, 5);
    if (digits.size() <= static_cast<std::size_t>(fractionLength))
        digits.resize(static_cast<std::size_t>(fractionLength) + 1, '0');
    std::reverse(digits.begin(), digits.end());

    ExactDecimal exact;
    exact.negative = (bits >> 31) != 0;
    const std::size_t point = digits.size() - static_cast<std::size_t>(fractionLength);
    exact.integerDigits = withoutLeadingZeros(digits.substr(0, point));
    exact.fractionDigits = digits.substr(point);
    exact.fractionDigits.erase(exact.fractionDigits.find_last_not_of('0') + 1);
    return exact;
}

std::string roundedText(const ExactDecimal& exact, int decimals, Ties ties) {
    const auto places = static_cast<std::size_t>(decimals);
    std::string fraction = exact.fractionDigits;
    if (fraction.size() < places)
        fraction.resize(places, '0');
    std::string kept = exact.integerDigits + fraction.substr(0, places);
    if (roundsUp(std::string_view(fraction).substr(places), kept.back(), ties))
        addUnit(kept);

    const std::string integer = withoutLeadingZeros(kept.substr(0, kept.size() - places));
    std::string text = integer;
    if (places > 0)
        text += "." + kept.substr(kept.size() - places);
    const bool showsNonZero = kept.find_first_not_of('0') != std::string::npos;
    return exact.negative && showsNonZero ? "-" + text : text;
}

std::string significantText(const ExactDecimal& exact) {
    const std::string all = exact.integerDigits + exact.fractionDigits;
    const auto first = all.find_first_not_of('0');
    if (first == std::string::npos)
        return "0";
    constexpr std::size_t precision = 7;
    long exponent = static_cast<long>(exact.integerDigits.size()) - static_cast<long>(first) - 1;
    std::string significant = all.substr(first);
    std::string kept = significant.substr(0, precision);
    kept.resize(precision, '0');
    if (roundsUp(std::string_view(significant).substr(std::min(precision, significant.size())),
                 kept.back(), Ties::toEven))
        addUnit(kept);
    if (kept.size() > precision) {
        kept.pop_back();
        ++exponent;
    }
    kept.erase(kept.find_last_not_of('0') + 1);

    std::string text = exact.negative ? "-" : "";
    if (exponent < -4 || exponent >= static_cast<long>(precision)) {
        text += kept.substr(0, 1);
        if (kept.size() > 1)
            text += "." + kept.substr(1);
        const std::string magnitude = std::to_string(exponent < 0 ? -exponent : exponent);
        text +=
            std::string(exponent < 0 ? "e-" : "e+") + (magnitude.size() < 2 ? "0" : "") + magnitude;
    } else if (exponent >= 0) {
        const auto integerLength = static_cast<std::size_t>(exponent) + 1;
        if (kept.size() < integerLength)
            kept.resize(integerLength, '0');
        text += kept.substr(0, integerLength);
        if (kept.size() > integerLength)
            text += "." + kept.substr(integerLength);
    } else {
        text += "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + kept;
    }
    return text;
}

} // namespace velmora::fuzz
