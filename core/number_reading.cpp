#include "core/number_reading.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <string>

namespace velmora {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// Not std::isdigit: that one follows the locale.
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The code point of a two- or three-byte UTF-8 sequence at the start of `text`, with its length;
// length 0 for anything else (ASCII, a stray byte, an overlong form, a four-byte sequence), whose
// bytes are then kept as they are for the grammar to refuse.
struct CodePoint {
    char32_t value = 0;
    std::size_t length = 0;
};

CodePoint leadingCodePoint(std::string_view text) {
    const auto byte = [&](std::size_t i) {
        return static_cast<char32_t>(static_cast<unsigned char>(text[i]));
    };
    const auto continues = [&](std::size_t i) {
        return i < text.size() && (byte(i) & 0xC0u) == 0x80u;
    };
    if (byte(0) >= 0xC2u && byte(0) <= 0xDFu && continues(1))
        return {(byte(0) & 0x1Fu) << 6u | (byte(1) & 0x3Fu), 2};
    if (byte(0) >= 0xE0u && byte(0) <= 0xEFu && continues(1) && continues(2)) {
        const char32_t value =
            (byte(0) & 0x0Fu) << 12u | (byte(1) & 0x3Fu) << 6u | (byte(2) & 0x3Fu);
        if (value >= 0x800u)
            return {value, 3};
    }
    return {};
}

// The ASCII character that an input method's character stands for in a number, or 0. The
// full-width forms U+FF01..U+FF5E mirror ASCII 0x21..0x7E in the same order.
char asciiCounterpart(char32_t c) {
    constexpr char32_t fullWidthOffset = U'０' - U'0';
    if ((c >= U'０' && c <= U'９') || c == U'＋' || c == U'－' || c == U'．' || c == U'Ｅ' ||
        c == U'ｅ')
        return static_cast<char>(c - fullWidthOffset);
    if (c == U'\u2212')
        return '-';
    if (c == U'。')
        return '.';
    // Unicode's space separators, the ordinary space aside.
    if (c == U'\u00A0' || c == U'\u1680' || (c >= U'\u2000' && c <= U'\u200A') || c == U'\u202F' ||
        c == U'\u205F' || c == U'\u3000')
        return ' ';
    return 0;
}

// The text with every input-method character replaced by its ASCII counterpart, in `buffer`. A text
// of ASCII alone, as nearly every answer is, comes back as it is, without a copy.
std::string_view asciiForm(std::string_view text, std::string& buffer) {
    if (std::all_of(text.begin(), text.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x80u; }))
        return text;
    buffer.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const CodePoint code = leadingCodePoint(text.substr(at));
        const char ascii = code.length > 0 ? asciiCounterpart(code.value) : '\0';
        if (ascii != '\0') {
            buffer += ascii;
            at += code.length;
        } else {
            buffer += text[at++];
        }
    }
    return buffer;
}

std::string_view withoutBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool isSign(char c) {
    return c == '+' || c == '-';
}

std::size_t skipDigits(std::string_view text, std::size_t& at) {
    const std::size_t start = at;
    while (at < text.size() && isDigit(text[at]))
        ++at;
    return at - start;
}

// The conversion below accepts more than a user may type ("inf", "nan") and stops quietly at the
// first character it does not expect ("0x10", "1e"), so the whole text is checked first.
bool isDecimalNumber(std::string_view text) {
    std::size_t at = 0;
    if (at < text.size() && isSign(text[at]))
        ++at;
    std::size_t digits = skipDigits(text, at);
    if (at < text.size() && text[at] == '.') {
        ++at;
        digits += skipDigits(text, at);
    }
    if (digits == 0)
        return false;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        if (at < text.size() && isSign(text[at]))
            ++at;
        if (skipDigits(text, at) == 0)
            return false;
    }
    return at == text.size();
}

// Whether a number that the conversion found out of range is too large rather than too small.
// The power of ten of its leading nonzero digit, exponent included, is far above 0 for the one and
// far below for the other, so a rough sum decides; the exponent may have any number of digits and
// is read saturating.
//   tooLarge("1e39") -> true    tooLarge("0.001e-45") -> false    tooLarge("1e99999999999") -> true
bool tooLarge(std::string_view number) {
    constexpr long long saturation = 1'000'000'000'000;
    const std::size_t exponentAt = std::min(number.find_first_of("eE"), number.size());
    const std::string_view mantissa = number.substr(0, exponentAt);
    const std::size_t lead = mantissa.find_first_of("123456789");
    if (lead == std::string_view::npos)
        return false;
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    long long power = lead < point ? static_cast<long long>(point - lead) - 1
                                   : -static_cast<long long>(lead - point);
    long long exponent = 0;
    for (const char c : number.substr(std::min(exponentAt + 1, number.size())))
        if (isDigit(c))
            exponent = std::min(exponent * 10 + (c - '0'), saturation);
    power += number.find('-', exponentAt) == std::string_view::npos ? exponent : -exponent;
    return power >= 0;
}

template <class T> NumberReading<T> readNumber(std::string_view typed) {
    std::string buffer;
    std::string_view number = withoutBlanks(asciiForm(typed, buffer));
    if (number.empty())
        return {T{}, NumberProblem::empty};
    if (!isDecimalNumber(number))
        return {T{}, NumberProblem::notANumber};
    if (number.front() == '+')
        number.remove_prefix(1);
    T value{};
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        const T magnitude = tooLarge(number) ? std::numeric_limits<T>::infinity() : T{};
        return {number.front() == '-' ? -magnitude : magnitude, NumberProblem::outOfRange};
    }
    return {value, NumberProblem::none};
}

} // namespace

NumberReading<float> readSingle(std::string_view text) {
    return readNumber<float>(text);
}

NumberReading<double> readDouble(std::string_view text) {
    return readNumber<double>(text);
}

} // namespace velmora
