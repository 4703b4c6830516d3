// Every finite single, at every number of decimals the texts support: the fixed and rounded texts
// must be the exact binary value rounded by hand, with exactly the decimals asked for, and the
// general text the exact value to seven significant digits.
#include "core/number_text.h"
#include "fuzz/exact_decimal.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

using velmora::fuzz::Ties;

namespace {

void mustEqual(const char* what, float value, int decimals, const std::string& actual,
               const std::string& expected) {
    if (actual == expected)
        return;
    std::fprintf(stderr, "%s(%a, %d): \"%s\", exact rounding gives \"%s\"\n", what,
                 static_cast<double>(value), decimals, actual.c_str(), expected.c_str());
    std::abort();
}

std::size_t decimalsIn(const std::string& text) {
    const auto point = text.find('.');
    return point == std::string::npos ? 0 : text.size() - point - 1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 5)
        return 0;
    std::uint32_t bits = 0;
    std::memcpy(&bits, data, sizeof bits);
    const auto value = std::bit_cast<float>(bits);
    if (!std::isfinite(value))
        return 0;
    const int decimals = data[4] % 13;

    const velmora::fuzz::ExactDecimal exact = velmora::fuzz::exactDecimal(value);
    const std::string fixed = velmora::fixedText(value, decimals);
    const std::string rounded = velmora::roundedFixedText(value, decimals);
    if (decimalsIn(fixed) != static_cast<std::size_t>(decimals) ||
        decimalsIn(rounded) != static_cast<std::size_t>(decimals)) {
        std::fprintf(stderr, "%a at %d decimals: \"%s\", \"%s\"\n", static_cast<double>(value),
                     decimals, fixed.c_str(), rounded.c_str());
        std::abort();
    }
    mustEqual("fixedText", value, decimals, fixed,
              velmora::fuzz::roundedText(exact, decimals, Ties::awayFromZero));
    mustEqual("roundedFixedText", value, decimals, rounded,
              velmora::fuzz::roundedText(exact, decimals, Ties::toEven));
    mustEqual("generalText", value, 7, velmora::generalText(value),
              velmora::fuzz::significantText(exact));
    return 0;
}
