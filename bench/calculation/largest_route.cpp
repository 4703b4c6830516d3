#include "bench/calculation/largest_route.h"

#include <array>
#include <charconv>
#include <cstddef>

namespace velmora::bench {

namespace {

// Texts as a user types them: at most three decimals.
std::string typed(float value) {
    std::array<char, 32> text{};
    const auto result =
        std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed, 3);
    return {text.data(), result.ptr};
}

Measurements makeLargestRoute() {
    Measurements m{100.0f, 100.5f, std::vector<float>(largestClosingIndex + 1),
                   std::vector<float>(largestClosingIndex + 1)};
    std::uint32_t state = 12345u; // a fixed linear congruential sequence
    for (std::size_t i = 1; i < m.sectionLengths.size(); ++i) {
        state = state * 1664525u + 1013904223u;
        m.sectionLengths[i] = static_cast<float>(20u + state % 100u);
        m.heightDiffs[i] =
            static_cast<float>(static_cast<int>(state >> 16u) % 2001 - 1000) / 1000.0f;
    }
    return m;
}

std::vector<std::string> makeAnswers() {
    const Measurements& m = largestRoute();
    std::vector<std::string> answers{std::to_string(largestClosingIndex - 1), typed(m.startHeight),
                                     "", typed(m.endHeight), ""};
    // Appended, not "P" + std::to_string(...): GCC 12 at -O3 warns falsely (-Wrestrict) on that.
    for (std::size_t i = 1; i < m.sectionLengths.size(); ++i) {
        for (const std::string& answer : {std::string("P").append(std::to_string(i - 1)),
                                          typed(m.sectionLengths[i]), typed(m.heightDiffs[i])}) {
            answers.push_back(answer);
            answers.emplace_back();
        }
    }
    answers.insert(answers.end(), {"B", ""});
    answers.resize(answers.size() + largestClosingIndex + 1);
    return answers;
}

} // namespace

const Measurements& largestRoute() {
    static const Measurements route = makeLargestRoute();
    return route;
}

const std::vector<std::string>& largestRouteAnswers() {
    static const std::vector<std::string> answers = makeAnswers();
    return answers;
}

} // namespace velmora::bench
