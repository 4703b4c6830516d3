#include "core/number_text.h"

#include <array>
#include <cassert>
#include <charconv>
#include <cmath>
#include <limits>

namespace velmora {

namespace {

// The widest text is the largest single in fixed form: a minus, 39 integer digits, the point and
// 12 decimals.
constexpr std::size_t textCapacity = 64;

constexpr int maxDecimals = 12;

// Every power up to 10^12 is exact in a double, and so is a single's value times any of them.
constexpr std::array<double, maxDecimals + 1> powersOfTen = {1e0, 1e1, 1e2, 1e3,  1e4,  1e5, 1e6,
                                                             1e7, 1e8, 1e9, 1e10, 1e11, 1e12};

enum class TieRule { awayFromZero, toEven };

bool showsOnlyZeros(std::string_view digits) {
    return digits.find_first_not_of("0.") == std::string_view::npos;
}

std::string charsText(double value, std::chars_format format, int precision) {
    std::array<char, textCapacity> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, format, precision);
    std::string_view text(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data()));
    if (text.front() == '-' && showsOnlyZeros(text.substr(1)))
        text.remove_prefix(1);
    return std::string(text);
}

// The double is moved off an exact tie by one of its own units, far less than any decimal step
// a single can reach, so the text no longer depends on how the conversion breaks ties.
std::string fixedTextWithTies(float value, int decimals, TieRule rule) {
    assert(decimals >= 0 && decimals <= maxDecimals);
    const auto exact = static_cast<double>(value);
    double decided = exact;
    double whole = 0.0;
    if (std::modf(std::abs(exact) * powersOfTen[static_cast<std::size_t>(decimals)], &whole) ==
        0.5) {
        const bool away = rule == TieRule::awayFromZero || std::fmod(whole, 2.0) != 0.0;
        const double awayFromZero = std::copysign(std::numeric_limits<double>::infinity(), exact);
        decided = std::nextafter(exact, away ? awayFromZero : 0.0);
    }
    return charsText(decided, std::chars_format::fixed, decimals);
}

} // namespace

std::string integerText(long value) {
    return std::to_string(value);
}

std::string countText(std::size_t count) {
    return std::to_string(count);
}

std::string generalText(float value) {
    return charsText(static_cast<double>(value), std::chars_format::general, 7);
}

std::string fixedText(float value, int decimals) {
    return fixedTextWithTies(value, decimals, TieRule::awayFromZero);
}

std::string roundedFixedText(float value, int decimals) {
    return fixedTextWithTies(value, decimals, TieRule::toEven);
}

} // namespace velmora
