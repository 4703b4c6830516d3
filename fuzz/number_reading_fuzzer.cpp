// Any bytes as a typed answer. Once the characters an input method types for a number are taken as
// ASCII, the reader must take exactly the texts that the grammar below describes (written here as
// a regular expression, independently of the reader's own scanner), give them the value the C
// library's correctly rounded conversion gives, refuse a number only when it is out of the type's
// range (as the infinity or zero that conversion gives), and show a decimal of up to six
// significant digits so that it comes back at six digits; at seven, exactly where the single's
// spacing allows it.
#include "core/number_reading.h"
#include "core/number_text.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <regex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

using velmora::NumberProblem;

namespace {

[[noreturn]] void fail(const std::string& text, const char* why) {
    std::fprintf(stderr, "answer \"%s\" (%zu bytes): %s\n", text.c_str(), text.size(), why);
    std::abort();
}

// The characters a Chinese input method types for the keys of a number, and the ASCII they stand
// for: full-width digits, signs, point and exponent, U+2212, the ideographic full stop, and every
// Unicode space separator.
std::vector<std::pair<std::string, char>> inputMethodForms() {
    std::vector<std::pair<std::string, char>> forms = {
        {"＋", '+'},     {"－", '-'},     {"．", '.'},     {"Ｅ", 'E'},
        {"ｅ", 'e'},     {"\u2212", '-'}, {"。", '.'},     {"\u00A0", ' '},
        {"\u1680", ' '}, {"\u202F", ' '}, {"\u205F", ' '}, {"\u3000", ' '}};
    for (char digit = 0; digit < 10; ++digit)
        forms.emplace_back(std::string("\xEF\xBC") + static_cast<char>('\x90' + digit),
                           static_cast<char>('0' + digit));
    for (char space = 0; space <= 0x0A; ++space)
        forms.emplace_back(std::string("\xE2\x80") + static_cast<char>('\x80' + space), ' ');
    return forms;
}

// Replacements never make a new match, since every form is a whole UTF-8 sequence and every
// replacement ASCII, so the order of the forms does not matter.
std::string inAscii(std::string text) {
    static const auto forms = inputMethodForms();
    for (const auto& [form, ascii] : forms)
        for (auto at = text.find(form); at != std::string::npos; at = text.find(form, at + 1))
            text.replace(at, form.size(), 1, ascii);
    return text;
}

bool isBlanks(const std::string& text) {
    return text.find_first_not_of(" \t") == std::string::npos;
}

// A decimal number with its significant digits and the power of ten of the last one:
// "-0.01200e3" -> {true, "12", 0}. Zero has no digits.
struct Decimal {
    bool negative = false;
    std::string digits;
    long exponent = 0;

    bool operator==(const Decimal&) const = default;
};

// Reads a text that the grammar accepts (or that a general number text gives); exponents beyond
// what a long holds do not reach here, since they are out of range.
Decimal decimalOf(const std::string& text) {
    static const std::regex parts(
        R"([ \t]*([+-]?)([0-9]*)\.?([0-9]*)(?:[eE]([+-]?[0-9]+))?[ \t]*)");
    std::smatch match;
    if (!std::regex_match(text, match, parts))
        fail(text, "not a decimal after all");
    Decimal decimal;
    decimal.negative = match[1] == "-";
    std::string digits = match[2].str() + match[3].str();
    long exponent = match[4].matched ? std::stol(match[4].str()) : 0;
    exponent -= static_cast<long>(match[3].length());
    const auto last = digits.find_last_not_of('0');
    if (last == std::string::npos)
        return {};
    exponent += static_cast<long>(digits.size() - last - 1);
    digits.erase(last + 1);
    decimal.digits = digits.substr(digits.find_first_not_of('0'));
    decimal.exponent = exponent;
    return decimal;
}

// The decimal rounded to six significant digits, ties to even.
Decimal toSixDigits(Decimal decimal) {
    constexpr std::size_t six = 6;
    if (decimal.digits.size() <= six)
        return decimal;
    const std::string rest = decimal.digits.substr(six);
    decimal.exponent += static_cast<long>(rest.size());
    decimal.digits.resize(six);
    const bool tie = rest.front() == '5' && rest.find_first_not_of('0', 1) == std::string::npos;
    const bool up = rest.front() > '5' || (rest.front() == '5' && !tie) ||
                    (tie && (decimal.digits.back() - '0') % 2 == 1);
    if (up) {
        auto digit = decimal.digits.rbegin();
        for (; digit != decimal.digits.rend() && *digit == '9'; ++digit)
            *digit = '0';
        if (digit == decimal.digits.rend())
            decimal.digits.insert(decimal.digits.begin(), '1');
        else
            ++*digit;
    }
    const auto last = decimal.digits.find_last_not_of('0');
    decimal.exponent += static_cast<long>(decimal.digits.size() - last - 1);
    decimal.digits.erase(last + 1);
    return decimal;
}

// Exponents of more digits than this are out of range for any nonzero digit string the fuzzer can
// produce, and std::stol could not hold them.
bool hasModestExponent(const std::string& text) {
    static const std::regex longExponent("[eE][+-]?0*[0-9]{7,}");
    return !std::regex_search(text, longExponent);
}

// Whether the spacing of singles at `magnitude`, the single nearest to the nonzero `decimal`, is at
// most one unit of the seventh significant digit on both of them: 1e28 is the single
// 9.999999778e27, whose seventh digit is worth ten times less than that of 1e28. Spacings are
// powers of two and units powers of ten, never close enough for the doubles below to misjudge.
bool spacingWithin(float magnitude, const Decimal& decimal) {
    const auto single = static_cast<double>(magnitude);
    const double spacing =
        static_cast<double>(std::nextafter(magnitude, std::numeric_limits<float>::infinity())) -
        single;
    const long leading = std::min(decimal.exponent + static_cast<long>(decimal.digits.size()) - 1,
                                  static_cast<long>(std::floor(std::log10(single))));
    return spacing <= std::pow(10.0, static_cast<double>(leading - 6));
}

template <class T> T conversion(const std::string& number);
template <> float conversion<float>(const std::string& number) {
    return std::strtof(number.c_str(), nullptr);
}
template <> double conversion<double>(const std::string& number) {
    return std::strtod(number.c_str(), nullptr);
}

std::uint32_t bitsOf(float value) {
    return std::bit_cast<std::uint32_t>(value);
}
std::uint64_t bitsOf(double value) {
    return std::bit_cast<std::uint64_t>(value);
}

template <class T>
void checkReading(const std::string& text, const velmora::NumberReading<T>& reading,
                  bool grammatical) {
    if (!grammatical) {
        const NumberProblem expected =
            isBlanks(text) ? NumberProblem::empty : NumberProblem::notANumber;
        if (reading.problem != expected)
            fail(text, "outside the grammar, but not refused as such");
        return;
    }
    if (reading.problem == NumberProblem::empty || reading.problem == NumberProblem::notANumber)
        fail(text, "inside the grammar, but refused as no number");
    const T expected = conversion<T>(text);
    const bool hasNonZeroDigit =
        text.find_first_of("123456789") < std::min(text.find_first_of("eE"), text.size());
    const bool outOfRange = std::isinf(expected) || (expected == T{} && hasNonZeroDigit);
    if (outOfRange != (reading.problem == NumberProblem::outOfRange))
        fail(text, outOfRange ? "beyond the range, but read" : "within the range, but refused");
    if (bitsOf(reading.value) != bitsOf(expected))
        fail(text, "read as a different value than the correctly rounded one");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 256)
        return 0;
    const std::string typed(reinterpret_cast<const char*>(data), size);
    const std::string text = inAscii(typed);
    static const std::regex grammar(
        R"([ \t]*[+-]?([0-9]+\.?[0-9]*|\.[0-9]+)([eE][+-]?[0-9]+)?[ \t]*)");
    const bool grammatical = std::regex_match(text, grammar);

    const velmora::NumberReading<float> single = velmora::readSingle(typed);
    checkReading(text, single, grammatical);
    checkReading(text, velmora::readDouble(typed), grammatical);

    if (!single || !hasModestExponent(text))
        return 0;
    const Decimal typedDecimal = decimalOf(text);
    const float magnitude = std::abs(single.value);
    if (typedDecimal.digits.size() > 6 ||
        (magnitude < std::numeric_limits<float>::min() && magnitude > 0))
        return 0;
    // Zero has no digits and no sign here: "-0" is shown as "0".
    const Decimal shown = decimalOf(velmora::generalText(single.value));
    // Six significant digits always come back from a single (FLT_DIG), and rounding the
    // seven-digit text to six cannot land on another six-digit number, since the text is within
    // half a unit of its seventh digit of the single.
    if (toSixDigits(shown) != typedDecimal)
        fail(text, ("six digits did not survive: " + velmora::generalText(single.value)).c_str());
    // The seven-digit text is the typed number itself only where the single's spacing is at most
    // one unit of the seventh digit. Elsewhere the single may sit closer to another seven-digit
    // number: 0.000976565 is the single 0.00097656494..., shown 0.0009765649, and 9e9 is
    // 8999999488, shown 8.999999e+09.
    if (typedDecimal.digits.empty()
            ? shown != typedDecimal
            : spacingWithin(magnitude, typedDecimal) && shown != typedDecimal)
        fail(text,
             ("seven digits did not show the typed number: " + velmora::generalText(single.value))
                 .c_str());
    return 0;
}
