#include "formats/field_run.h"

#include "core/errors.h"
#include "formats/field_route.h"

#include <cstdint>

namespace velmora {

TableRun runFieldRoute(const std::vector<FieldLine>& lines, const std::vector<std::size_t>& numbers,
                       Prompter& heights) {
    NoObserver observer;
    return runFieldRoute(lines, numbers, heights, observer);
}

TableRun runFieldRoute(const std::vector<FieldLine>& lines, const std::vector<std::size_t>& numbers,
                       Prompter& heights, RunObserver& observer) {
    if (const RouteCheck check = checkRoute(lines, numbers); !check.runnable)
        throw Error(check.message);
    RouteTable table;
    table.stationCountsKnown = true;
    table.points.push_back({lines[numbers.front() - 1].from, {}, {}, 0});
    for (const std::size_t number : numbers) {
        const FieldLine& line = lines[number - 1];
        table.points.push_back({line.to, line.distance, line.heightDifference,
                                static_cast<std::int32_t>(line.stationCount())});
    }
    return runTableAskingHeights(table, heights, observer);
}

} // namespace velmora
