// Any bytes as a digital level's field file. The reader must refuse them with an Error, or return
// lines that hold together: each with a station at least, every figure an exact decimal text in
// metres, each sum the sum of its stations' texts to the nanometre, each worst figure the worst
// of its stations', the BFFB figure present exactly for BFFB lines, and a line without a name at
// either end never usable.
#include "core/errors.h"
#include "formats/field_file.h"
#include "formats/field_text.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <optional>
#include <string>
#include <string_view>

namespace {

[[noreturn]] void fail(const velmora::FieldLine& line, const char* why, std::string_view text) {
    std::fprintf(stderr, "field file, line %zu: %s: \"%.*s\"\n", line.number, why,
                 static_cast<int>(text.size()), text.data());
    std::abort();
}

// The nanometres of a text as the reader must write it: an optional minus never before zero, an
// integer part without a leading zero, at most nine decimals and none of them a trailing zero.
std::optional<long long> nanometresOf(std::string_view text) {
    const bool negative = text.starts_with('-');
    if (negative)
        text.remove_prefix(1);
    const std::size_t point = std::min(text.find('.'), text.size());
    const std::string_view integer = text.substr(0, point);
    const std::string_view fraction = text.substr(std::min(point + 1, text.size()));
    if (integer.empty() || integer.size() > 9 || (integer.size() > 1 && integer[0] == '0') ||
        !std::ranges::all_of(integer, velmora::isAsciiDigit) ||
        !std::ranges::all_of(fraction, velmora::isAsciiDigit) || fraction.size() > 9 ||
        (point < text.size() && (fraction.empty() || fraction.back() == '0')))
        return std::nullopt;
    // Nine decimals make nanometres.
    const std::string digits =
        std::string(integer) + std::string(fraction) + std::string(9 - fraction.size(), '0');
    const long long nanometres =
        std::accumulate(digits.begin(), digits.end(), 0LL,
                        [](long long sum, char digit) { return sum * 10 + (digit - '0'); });
    if (negative && nanometres == 0)
        return std::nullopt;
    return negative ? -nanometres : nanometres;
}

long long exactValue(const velmora::FieldLine& line, const std::string& text) {
    const std::optional<long long> nanometres = nanometresOf(text);
    if (!nanometres)
        fail(line, "not an exact decimal text", text);
    return *nanometres;
}

void check(const velmora::FieldLine& line) {
    if (line.stationCount() == 0)
        fail(line, "no station", line.from);
    if ((line.from.empty() || line.to.empty()) && line.usable())
        fail(line, "usable without a name at an end", line.to);
    const bool bffb = line.method == velmora::LevelingMethod::bffb;
    long long distance = 0;
    long long heightDifference = 0;
    long long accumulated = 0;
    long long shortest = 0;
    long long longest = 0;
    for (std::size_t k = 0; k < line.stationCount(); ++k) {
        const velmora::FieldStation& station = line.stations[k];
        const long long backsight = exactValue(line, station.backsightDistance.metres);
        const long long foresight = exactValue(line, station.foresightDistance.metres);
        if (exactValue(line, station.distance) != backsight + foresight)
            fail(line, "station distance is not its two sights", station.distance);
        if (exactValue(line, station.distanceDifference.metres) != backsight - foresight)
            fail(line, "distance difference is not its two sights",
                 station.distanceDifference.metres);
        accumulated += backsight - foresight;
        if (exactValue(line, station.accumulatedDifference.metres) != accumulated)
            fail(line, "accumulated difference is not the sum",
                 station.accumulatedDifference.metres);
        if (bffb != !station.heightDifferenceDisagreement.metres.empty())
            fail(line, "BFFB figure present for the wrong method",
                 station.heightDifferenceDisagreement.metres);
        if (bffb)
            exactValue(line, station.heightDifferenceDisagreement.metres);
        distance += backsight + foresight;
        heightDifference += exactValue(line, station.heightDifference);
        shortest =
            k == 0 ? std::min(backsight, foresight) : std::min({shortest, backsight, foresight});
        longest =
            k == 0 ? std::max(backsight, foresight) : std::max({longest, backsight, foresight});
    }
    if (exactValue(line, line.distance) != distance)
        fail(line, "line distance is not the sum of its stations'", line.distance);
    if (exactValue(line, line.heightDifference) != heightDifference)
        fail(line, "line height difference is not the sum of its stations'", line.heightDifference);
    if (exactValue(line, line.worst.shortestSight.metres) != shortest ||
        exactValue(line, line.worst.longestSight.metres) != longest)
        fail(line, "worst sights are not the stations'", line.worst.shortestSight.metres);
    if (bffb == line.worst.heightDifferenceDisagreement.metres.empty())
        fail(line, "worst BFFB figure present for the wrong method",
             line.worst.heightDifferenceDisagreement.metres);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    try {
        for (const velmora::FieldLine& line : velmora::readFieldFile(bytes))
            check(line);
    } catch (const velmora::Error&) {
    }
    return 0;
}
