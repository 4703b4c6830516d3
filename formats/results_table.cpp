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

std::vector<Cell> checkRow(std::string label, Cell value) {
    std::vector<Cell> row;
    row.push_back(textCell(std::move(label)));
    row.push_back(std::move(value));
    return row;
}

void appendChecks(const LevelingRoute& route, ResultsTable& table) {
    const MisclosureCheck check = checkMisclosure(route.misclosure, route.totalLength);
    table.rows.push_back(checkRow("闭合差 fh（毫米）",
                                  fixedCell(roundedFixedText(check.misclosureMillimetres, 2), 2)));
    table.rows.push_back(checkRow("路线全长 L（千米）", fixedCell(check.kilometres, 3)));
    if (check.limitsKnown)
        for (const GradeLimit& limit : check.grades) {
            std::string label(limit.grade);
            label.append("平地限差 ±").append(generalText(limit.coefficient)).append("√L（毫米）");
            std::vector<Cell> row = checkRow(label, fixedCell(limit.limitMillimetres, 1));
            row.push_back(textCell(limit.met ? "合格" : "超限"));
            table.rows.push_back(std::move(row));
        }
    table.rows.push_back(checkRow("结论（平地）", textCell(check.verdict)));
    table.rows.push_back(
        checkRow("说明", textCell("山地限差按测站数计算，本程序不输入测站数，故只列平地限差")));
}

} // namespace

ResultsTable resultsTable(const LevelingRoute& route) {
    if (!route.resultsReached)
        throw NothingToPrint();
    const SectionMeasurements& sections = route.sections;
    const long closing = route.closingIndex;
    ResultsTable table;
    table.rows.reserve(static_cast<std::size_t>(closing) + 13);
    table.rows.push_back({textCell("点名"), textCell("距离（米）"), textCell("实测高差（米）"),
                          textCell("改正数（毫米）"), textCell("改正后高差（米）"),
                          textCell("高程（米）")});
    table.rows.push_back({textCell(route.pointNames.at(0)), textCell(""), textCell(""),
                          textCell(""), textCell(""), heightCell(route.adjustedHeights.at(0))});
    float correctionSum = 0.0f;
    float adjustedSum = 0.0f;
    for (long i = 1; i <= closing; ++i) {
        const float correction = sectionCorrection(sections, i);
        const float adjusted = checked(sections.heightDiffs.at(i) + correction, "改正后高差");
        correctionSum = checked(correction + correctionSum, "改正数总和");
        adjustedSum = checked(adjusted + adjustedSum, "改正后高差总和");
        table.rows.push_back({textCell(route.pointNames.at(i)),
                              generalCell(sections.sectionLengths.at(i)),
                              generalCell(sections.heightDiffs.at(i)), millimetreCell(correction),
                              fixedCell(adjusted, 3), heightCell(route.adjustedHeights.at(i))});
    }
    table.rows.push_back({textCell("Σ"), generalCell(route.totalLength),
                          generalCell(route.sumHeightDiff), millimetreCell(correctionSum),
                          fixedCell(adjustedSum, 3), textCell("")});
    table.rows.emplace_back();
    appendChecks(route, table);
    return table;
}

} // namespace velmora
