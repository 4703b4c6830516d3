#include "formats/two_way_misclosure.h"

#include "formats/field_length.h"

#include <cmath>
#include <deque>
#include <map>
#include <stdexcept>
#include <utility>

namespace velmora {

namespace {

Nanometres exactly(const std::string& metres) {
    const std::optional<Nanometres> value = metresValue(metres);
    if (!value)
        throw std::invalid_argument("a field line's figure is no exact metres text");
    return *value;
}

// The largest whole number whose square is at most `value`, for value >= 0.
Nanometres squareRootDown(Nanometres value) {
    auto root = static_cast<Nanometres>(std::sqrt(static_cast<double>(value)));
    while (root > 0 && root * root > value)
        --root;
    while ((root + 1) * (root + 1) <= value)
        ++root;
    return root;
}

// In nanometres the limit 4√K mm, K = S / 2 km for the two lengths' sum S, is √(8 S): a
// misclosure w is within it exactly when |w| <= ⌊√(8 S)⌋, w being whole. Both lines' running
// figures are below mostRunningNanometres, so 8 S fits.
TwoWayMisclosure misclosure(const FieldLine& line, const FieldLine& other) {
    const Nanometres sum = exactly(line.heightDifference) + exactly(other.heightDifference);
    const Nanometres limit = squareRootDown(8 * (exactly(line.distance) + exactly(other.distance)));
    constexpr Nanometres hundredthMillimetre = 10'000;
    const Nanometres limitHundredths = (limit + hundredthMillimetre / 2) / hundredthMillimetre;
    return {other.number, millimetresText(sum),
            millimetresText(limitHundredths * hundredthMillimetre, 2),
            (sum < 0 ? -sum : sum) > limit};
}

} // namespace

std::vector<std::optional<TwoWayMisclosure>>
twoWayMisclosures(const std::vector<FieldLine>& lines) {
    std::vector<std::optional<TwoWayMisclosure>> found(lines.size());
    // The lines still without a partner, by their ends.
    std::map<std::pair<std::string, std::string>, std::deque<std::size_t>> waiting;
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const FieldLine& line = lines[k];
        if (!line.usable() || line.from == line.to)
            continue;
        std::deque<std::size_t>& reverse = waiting[{line.to, line.from}];
        if (reverse.empty()) {
            waiting[{line.from, line.to}].push_back(k);
            continue;
        }
        const std::size_t partner = reverse.front();
        reverse.pop_front();
        found[k] = misclosure(line, lines[partner]);
        found[partner] = misclosure(lines[partner], line);
    }
    return found;
}

} // namespace velmora
