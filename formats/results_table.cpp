#include "formats/results_table.h"

#include "core/adjustment.h"
#include "core/checked_result.h"
#include "core/number_text.h"
#include "dialogue/report.h"
#include "formats/misclosure_limits.h"

#include <array>
#include <utility>

namespace velmora {

namespace {

constexpr std::array<std::string_view, 4> fixedFormats = {"0", "0.0", "0.00", "0.000"};

Cell textCell(std::string text) {
    return {std::move(text), {}};
}
Cell generalCell(float value) {
    return {generalText(value), "General"};
}
Cell fixedCell(std::string text, int decimals) {
    return {std::move(text), fixedFormats.at(static_cast<std::size_t>(decimals))};
}
Cell fixedCell(float value, int decimals) {
    return fixedCell(fixedText(value, decimals), decimals);
}
Cell millimetreCell(float metres) {
    return fixedCell(checked(metres * 1000.0f, "以毫米计的改正数"), 1);
}
Cell heightCell(float height) {
    return fixedCell(roundedFixedText(height, 3), 3);
}
Cell countCell(long count) {
    return fixedCell(integerText(count), 0);
}

std::vector<Cell> checkRow(std::string label, Cell value) {
    std::vector<Cell> row;
    row.push_back(textCell(std::move(label)));
    row.push_back(std::move(value));
    return row;
}

// One row a grade: "三等山地限差 ±4√n（毫米）", the limit, 合格 or 超限.
void appendLimits(ResultsTable& table, const auto& limits, std::string_view ground,
                  std::string_view variable) {
    for (const GradeLimit& limit : limits) {
        std::string label(limit.grade);
        label.append(ground)
            .append("限差 ±")
            .append(generalText(limit.coefficient))
            .append("√")
            .append(variable)
            .append("（毫米）");
        std::vector<Cell> row = checkRow(label, fixedCell(limit.limitMillimetres, 1));
        row.push_back(textCell(limit.met ? "合格" : "超限"));
        table.rows.push_back(std::move(row));
    }
}

void appendChecks(const MisclosureCheck& check, ResultsTable& table) {
    table.rows.push_back(checkRow("闭合差 fh（毫米）",
                                  fixedCell(roundedFixedText(check.misclosureMillimetres, 2), 2)));
    table.rows.push_back(checkRow("路线全长 L（千米）", fixedCell(check.kilometres, 3)));
    if (check.stations)
        table.rows.push_back(checkRow("测站数 n", countCell(*check.stations)));
    if (check.limitsKnown)
        appendLimits(table, check.grades, "平地", "L");
    if (check.stations)
        appendLimits(table, check.hillyGrades, "山地", "n");
    table.rows.push_back(
        checkRow(check.hilly ? "结论（山地）" : "结论（平地）", textCell(check.verdict)));
    table.rows.push_back(checkRow(
        "说明",
        textCell(check.stations ? check.rule
                                : "山地限差按测站数计算，本程序不输入测站数，故只列平地限差")));
}

} // namespace

ResultsTable resultsTable(const LevelingRoute& route) {
    if (!route.resultsReached)
        throw NothingToPrint();
    const SectionMeasurements& sections = route.sections;
    const long closing = route.closingIndex;
    const MisclosureCheck check =
        checkMisclosure(route.misclosure, route.totalLength, totalStations(sections));
    // The counts stand last, so that a table whose header is lost still has its columns where a
    // table without counts has them.
    const auto withCount = [&](std::vector<Cell> row, Cell count) {
        if (check.stations)
            row.push_back(std::move(count));
        return row;
    };
    ResultsTable table;
    table.rows.reserve(static_cast<std::size_t>(closing) + 18);
    table.rows.push_back(withCount({textCell("点名"), textCell("距离（米）"),
                                    textCell("实测高差（米）"), textCell("改正数（毫米）"),
                                    textCell("改正后高差（米）"), textCell("高程（米）")},
                                   textCell("测站数")));
    table.rows.push_back(
        withCount({textCell(route.pointNames.at(0)), textCell(""), textCell(""), textCell(""),
                   textCell(""), heightCell(route.adjustedHeights.at(0))},
                  textCell("")));
    float correctionSum = 0.0f;
    float adjustedSum = 0.0f;
    for (long i = 1; i <= closing; ++i) {
        const float correction = sectionCorrection(sections, i);
        const float adjusted = checked(sections.heightDiffs.at(i) + correction, "改正后高差");
        correctionSum = checked(correction + correctionSum, "改正数总和");
        adjustedSum = checked(adjusted + adjustedSum, "改正后高差总和");
        table.rows.push_back(
            withCount({textCell(route.pointNames.at(i)), generalCell(sections.sectionLengths.at(i)),
                       generalCell(sections.heightDiffs.at(i)), millimetreCell(correction),
                       fixedCell(adjusted, 3), heightCell(route.adjustedHeights.at(i))},
                      check.stations ? countCell(sections.stationCounts.at(i)) : Cell()));
    }
    table.rows.push_back(
        withCount({textCell("Σ"), generalCell(route.totalLength), generalCell(route.sumHeightDiff),
                   millimetreCell(correctionSum), fixedCell(adjustedSum, 3), textCell("")},
                  check.stations ? countCell(*check.stations) : Cell()));
    table.rows.emplace_back();
    appendChecks(check, table);
    return table;
}

} // namespace velmora
