#include "formats/field_line_list.h"

#include "core/number_text.h"
#include "formats/field_route.h"
#include "formats/two_way_misclosure.h"

#include <optional>

namespace velmora {

namespace {

constexpr std::string_view exceededMark = " 超限";

std::string figureText(const LimitedFigure& figure) {
    return figure.exceeded ? figure.metres + std::string(exceededMark) : figure.metres;
}

std::string& cell(ListedLine& listed, ListedColumn column) {
    return listed.cells.at(static_cast<std::size_t>(column));
}

} // namespace

std::vector<ListedLine> listedLines(const std::vector<FieldLine>& lines) {
    const std::vector<std::optional<TwoWayMisclosure>> twoWay = twoWayMisclosures(lines);
    std::vector<ListedLine> listed(lines.size());
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const FieldLine& line = lines[k];
        ListedLine& row = listed[k];
        row.number = line.number;
        cell(row, ListedColumn::number) = countText(line.number);
        cell(row, ListedColumn::from) = line.from;
        cell(row, ListedColumn::to) = line.to;
        cell(row, ListedColumn::method) = methodName(line.method);
        cell(row, ListedColumn::stations) = countText(line.stationCount());
        cell(row, ListedColumn::distance) = line.distance;
        cell(row, ListedColumn::heightDifference) = line.heightDifference;
        cell(row, ListedColumn::shortestSight) = figureText(line.worst.shortestSight);
        cell(row, ListedColumn::longestSight) = figureText(line.worst.longestSight);
        cell(row, ListedColumn::distanceDifference) = figureText(line.worst.distanceDifference);
        cell(row, ListedColumn::accumulatedDifference) =
            figureText(line.worst.accumulatedDifference);
        cell(row, ListedColumn::heightDifferenceDisagreement) =
            figureText(line.worst.heightDifferenceDisagreement);
        if (const std::optional<TwoWayMisclosure>& misclosure = twoWay[k]) {
            cell(row, ListedColumn::twoWayMisclosure) =
                misclosure->millimetres +
                std::string(misclosure->exceeded ? exceededMark : std::string_view()) +
                "（与线号 " + countText(misclosure->otherLine) + "）";
            cell(row, ListedColumn::twoWayLimit) = "±" + misclosure->limitMillimetres;
        }
        cell(row, ListedColumn::refusal) = sectionRefusal(line);
        row.tickable = cell(row, ListedColumn::refusal).empty();
    }
    return listed;
}

} // namespace velmora
