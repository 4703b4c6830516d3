#include "core/number_reading.h"

#include <charconv>

namespace velmora {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// Not std::isdigit: that one follows the locale.
bool isDigit(char c) {
    return c >= '0' && c <= '9';
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

template <class T> NumberReading<T> readNumber(std::string_view text) {
    std::string_view number = withoutBlanks(text);
    if (number.empty())
        return {T{}, NumberProblem::empty};
    if (!isDecimalNumber(number))
        return {T{}, NumberProblem::notANumber};
    if (number.front() == '+')
        number.remove_prefix(1);
    T value{};
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range)
        return {T{}, NumberProblem::outOfRange};
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
