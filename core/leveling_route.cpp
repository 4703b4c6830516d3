#include "core/leveling_route.h"

#include <stdexcept>

namespace velmora {

SectionMeasurements startRoute(LevelingRoute& route, std::int16_t closingIndex) {
    if (closingIndex < 1)
        throw std::invalid_argument("a route needs at least one section");
    const auto points = static_cast<std::size_t>(closingIndex) + 1;
    route.closingIndex = closingIndex;
    route.resultsReached = false;
    route.sections = SectionMeasurements();
    route.adjustedHeights.reset(points);
    route.pointNames.reset(points);
    SectionMeasurements sections;
    sections.heightDiffs.reset(points);
    sections.sectionLengths.reset(points);
    return sections;
}

std::optional<long> totalStations(const SectionMeasurements& sections) {
    if (!sections.stationCounts.present())
        return std::nullopt;
    long total = 0;
    for (long i = 1; i < static_cast<long>(sections.stationCounts.size()); ++i)
        total += sections.stationCounts.at(i);
    return total;
}

} // namespace velmora
