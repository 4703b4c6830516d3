#include "formats/field_line_reduction.h"

#include "core/number_text.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <numeric>
#include <optional>
#include <vector>

namespace velmora {

namespace {

constexpr Nanometres shortestSight = 3 * nanometresPerMetre;
constexpr Nanometres longestSight = 50 * nanometresPerMetre;
constexpr Nanometres mostDistanceDifference = 1'500'000'000;
constexpr Nanometres mostAccumulatedDifference = 6 * nanometresPerMetre;
constexpr Nanometres mostHeightDifferenceDisagreement = 600'000;

// The instrument rounds each running figure to its last digit, from means that may end in half
// a unit, and may carry a few more digits inside than it writes: three units hold every honest
// rounding, while a station edited, deleted or measured again parts by far more.
constexpr Nanometres toleranceInLastDigits = 3;

Nanometres magnitude(Nanometres value) {
    return value < 0 ? -value : value;
}

bool sightExceeds(Nanometres sight) {
    return sight < shortestSight || sight > longestSight;
}

LimitedFigure sightFigure(Nanometres sight) {
    return {metresText(sight), sightExceeds(sight)};
}

LimitedFigure boundedFigure(Nanometres value, Nanometres most) {
    return {metresText(value), magnitude(value) > most};
}

// Exact: a mean is of one or two values, each an even number of nanometres.
Nanometres mean(const std::vector<Sight>& sights, Nanometres Sight::*figure) {
    const Nanometres sum = std::accumulate(
        sights.begin(), sights.end(), Nanometres{0},
        [figure](Nanometres total, const Sight& sight) { return total + sight.*figure; });
    return sum / static_cast<Nanometres>(sights.size());
}

// The line's figures so far, as the instrument's running figures state them.
struct Running {
    Nanometres height = 0;
    Nanometres distanceBalance = 0;
    Nanometres totalDistance = 0;
    Nanometres backsightTotal = 0;
    Nanometres foresightTotal = 0;
};

std::string stationWhere(std::size_t station, const RecordLabel& label) {
    return "第 " + countText(station) + " 站（" + label + "）";
}

std::string startWhere(const RecordLabel& label) {
    return "起点（" + label + "）";
}

std::string nameText(const std::string& point) {
    return point.empty() ? "（无名点）" : point;
}

struct FigureCheck {
    const char* figure;
    const char* basis;
    std::optional<InstrumentFigure> stated;
    Nanometres computed;
};

std::string instrumentDisagreement(const StationEnd& end, const Running& running,
                                   const std::string& where) {
    const std::array<FigureCheck, 5> checks = {{
        {"高程", "读数", end.height, running.height},
        {"视距差累积", "视距", end.distanceBalance, running.distanceBalance},
        {"累积视距", "视距", end.totalDistance, running.totalDistance},
        {"后视距总和", "视距", end.backsightTotal, running.backsightTotal},
        {"前视距总和", "视距", end.foresightTotal, running.foresightTotal},
    }};
    for (const FigureCheck& check : checks) {
        if (!check.stated)
            continue;
        const Nanometres apart = magnitude(check.stated->value - check.computed);
        if (apart <= toleranceInLastDigits * check.stated->lastDigit)
            continue;
        const int decimals = decimalsOf(check.stated->lastDigit);
        return where + "：仪器记录的" + check.figure + " " +
               metresText(check.stated->value, decimals) + " m，按" + check.basis + "推算为 " +
               metresText(check.computed, decimals) + " m，相差 " + metresText(apart, decimals) +
               " m，这条线的记录可能被删改或重测过。";
    }
    return {};
}

std::string markedDisagreement(const std::vector<const Sight*>& sights, const StationEnd& end,
                               std::size_t station) {
    const auto marked =
        std::ranges::find_if(sights, [](const Sight* sight) { return sight->markedErroneous; });
    if (marked != sights.end())
        return stationWhere(station, (*marked)->label) +
               "：仪器把这条记录标为有误（e），这条线不能照原样使用。";
    if (end.markedErroneous)
        return stationWhere(station, end.label) +
               "：仪器把这条记录标为有误（e），这条线不能照原样使用。";
    return {};
}

std::vector<Sight>::const_iterator firstSightNotAt(const std::vector<Sight>& sights,
                                                   const std::string& point) {
    return std::ranges::find_if(sights,
                                [&point](const Sight& sight) { return sight.point != point; });
}

std::string pointDisagreement(const RecordedStation& station, std::size_t number,
                              const std::string& chainPoint) {
    const auto unchained = firstSightNotAt(station.backsights, chainPoint);
    if (unchained != station.backsights.end())
        return stationWhere(number, unchained->label) + "：后视点是 " + nameText(unchained->point) +
               "，但" + (number == 1 ? "这条线的起点" : "上一站的前视点") + "是 " +
               nameText(chainPoint) + "，测站没有首尾相接，这条线的记录可能被删改过。";
    const std::string& foresight = station.foresights.front().point;
    const auto strayForesight = firstSightNotAt(station.foresights, foresight);
    if (strayForesight != station.foresights.end())
        return stationWhere(number, strayForesight->label) + "：这一站的前视点先记为 " +
               nameText(foresight) + "，这里却是 " + nameText(strayForesight->point) +
               "，这条线的记录可能被删改过。";
    if (station.end.point != foresight)
        return stationWhere(number, station.end.label) + "：这一站结束在点 " +
               nameText(station.end.point) + "，但它的前视点是 " + nameText(foresight) +
               "，这条线的记录可能被删改过。";
    return {};
}

std::string stationDisagreement(const RecordedStation& station, std::size_t number,
                                const std::string& chainPoint, const Running& running) {
    std::vector<const Sight*> sights;
    for (const auto* group : {&station.backsights, &station.foresights})
        std::ranges::transform(*group, std::back_inserter(sights),
                               [](const Sight& sight) { return &sight; });
    const std::array<std::string, 3> reasons = {
        markedDisagreement(sights, station.end, number),
        pointDisagreement(station, number, chainPoint),
        instrumentDisagreement(station.end, running, stationWhere(number, station.end.label))};
    const auto* const first =
        std::ranges::find_if(reasons, [](const std::string& reason) { return !reason.empty(); });
    return first != reasons.end() ? *first : std::string();
}

std::string startDisagreement(const StationEnd& start, const Running& running) {
    if (start.markedErroneous)
        return startWhere(start.label) + "：仪器把这条记录标为有误（e），这条线不能照原样使用。";
    if (start.point.empty())
        return startWhere(start.label) + "没有点名，这条线不能用作路线的一段。";
    return instrumentDisagreement(start, running, startWhere(start.label));
}

// (B1 - F1) - (B2 - F2), for a station read twice.
std::optional<Nanometres> heightDifferenceDisagreement(const RecordedStation& station) {
    const std::vector<Sight>& b = station.backsights;
    const std::vector<Sight>& f = station.foresights;
    if (b.size() < 2)
        return std::nullopt;
    return (b[0].reading - f[0].reading) - (b[1].reading - f[1].reading);
}

// The worst of each station figure so far, the first station's where two are as bad.
class Extremes {
public:
    void note(Nanometres backsight, Nanometres foresight, Nanometres accumulated,
              std::optional<Nanometres> disagreement) {
        for (const Nanometres sight : {backsight, foresight}) {
            if (!shortest_ || sight < *shortest_)
                shortest_ = sight;
            if (!longest_ || sight > *longest_)
                longest_ = sight;
        }
        keepLargest(distanceDifference_, backsight - foresight);
        keepLargest(accumulatedDifference_, accumulated);
        if (disagreement)
            keepLargest(disagreement_, *disagreement);
    }

    // Requires a station noted.
    LineWorst worst() const {
        LineWorst worst;
        worst.shortestSight = sightFigure(*shortest_);
        worst.longestSight = sightFigure(*longest_);
        worst.distanceDifference = boundedFigure(*distanceDifference_, mostDistanceDifference);
        worst.accumulatedDifference =
            boundedFigure(*accumulatedDifference_, mostAccumulatedDifference);
        if (disagreement_)
            worst.heightDifferenceDisagreement =
                boundedFigure(*disagreement_, mostHeightDifferenceDisagreement);
        return worst;
    }

private:
    static void keepLargest(std::optional<Nanometres>& largest, Nanometres value) {
        if (!largest || magnitude(value) > magnitude(*largest))
            largest = value;
    }

    std::optional<Nanometres> shortest_;
    std::optional<Nanometres> longest_;
    std::optional<Nanometres> distanceDifference_;
    std::optional<Nanometres> accumulatedDifference_;
    std::optional<Nanometres> disagreement_;
};

} // namespace

FieldLine reducedLine(const RecordedLine& recorded, std::size_t number) {
    FieldLine line;
    line.number = number;
    line.fileLine = recorded.fileLine;
    line.from = recorded.start.point;
    line.method = recorded.method;

    Running running{.height = recorded.start.height.value};
    line.unusableReason = startDisagreement(recorded.start, running);
    Extremes extremes;
    const std::string* chainPoint = &recorded.start.point;
    for (std::size_t k = 0; k < recorded.stations.size(); ++k) {
        const RecordedStation& recordedStation = recorded.stations[k];
        const Nanometres backsight = mean(recordedStation.backsights, &Sight::distance);
        const Nanometres foresight = mean(recordedStation.foresights, &Sight::distance);
        const Nanometres rise = mean(recordedStation.backsights, &Sight::reading) -
                                mean(recordedStation.foresights, &Sight::reading);
        const std::optional<Nanometres> disagreement =
            heightDifferenceDisagreement(recordedStation);
        running.height += rise;
        running.distanceBalance += backsight - foresight;
        running.totalDistance += backsight + foresight;
        running.backsightTotal += backsight;
        running.foresightTotal += foresight;
        extremes.note(backsight, foresight, running.distanceBalance, disagreement);

        FieldStation& station = line.stations.emplace_back();
        station.label = recordedStation.end.label;
        station.backsightPoint = recordedStation.backsights.front().point;
        station.foresightPoint = recordedStation.foresights.front().point;
        station.distance = metresText(backsight + foresight);
        station.heightDifference = metresText(rise);
        station.backsightDistance = sightFigure(backsight);
        station.foresightDistance = sightFigure(foresight);
        station.distanceDifference = boundedFigure(backsight - foresight, mostDistanceDifference);
        station.accumulatedDifference =
            boundedFigure(running.distanceBalance, mostAccumulatedDifference);
        if (disagreement)
            station.heightDifferenceDisagreement =
                boundedFigure(*disagreement, mostHeightDifferenceDisagreement);

        if (line.unusableReason.empty())
            line.unusableReason = stationDisagreement(recordedStation, k + 1, *chainPoint, running);
        chainPoint = &recordedStation.foresights.front().point;
    }
    line.to = *chainPoint;
    if (line.unusableReason.empty() && line.to.empty())
        line.unusableReason = stationWhere(line.stations.size(), line.stations.back().label) +
                              "：终点没有点名，这条线不能用作路线的一段。";
    line.distance = metresText(running.totalDistance);
    line.heightDifference = metresText(running.height - recorded.start.height.value);
    line.worst = extremes.worst();
    return line;
}

} // namespace velmora
