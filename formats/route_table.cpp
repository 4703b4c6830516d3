#include "formats/route_table.h"

#include "core/errors.h"
#include "core/leveling_route.h"
#include "core/number_reading.h"
#include "core/number_text.h"
#include "dialogue/shortened_text.h"
#include "formats/delimited_text.h"
#include "formats/text_decoding.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>

namespace velmora {

namespace {

// What a column holds, and the name messages call it by. Every table has a column for each role
// before stationsRole; only the station counts may be left out.
enum Role : std::size_t {
    nameRole,
    lengthRole,
    heightDiffRole,
    heightRole,
    stationsRole,
    roleCount
};
constexpr std::array<std::string_view, roleCount> roleNames = {"点名", "距离", "实测高差", "高程",
                                                               "测站数"};

using Columns = std::array<std::size_t, roleCount>;
constexpr std::size_t noColumn = std::numeric_limits<std::size_t>::max();
// Where a results table puts them, but for its station counts: a headerless table may have lost
// the header that said whether its seventh column holds them.
constexpr Columns resultsTableColumns = {0, 1, 2, 5, noColumn};

std::string rowText(std::size_t rowNumber) {
    return "第 " + countText(rowNumber) + " 行";
}
std::string columnText(std::size_t column) {
    return "第 " + countText(column + 1) + " 列";
}

std::string_view trimmed(std::string_view text) {
    for (bool trimming = true; trimming;) {
        trimming = false;
        for (const std::string_view blank : {" ", "\t", "\u3000", "\u00A0"}) {
            if (text.starts_with(blank)) {
                text.remove_prefix(blank.size());
                trimming = true;
            }
            if (text.ends_with(blank)) {
                text.remove_suffix(blank.size());
                trimming = true;
            }
        }
    }
    return text;
}

std::string_view cellAt(const TableRow& row, std::size_t column) {
    return column < row.size() ? std::string_view(row[column]) : std::string_view();
}

// The cell without the apostrophe put before a text a spreadsheet must not take for a formula, or
// before a text that begins with an apostrophe of its own: "'-P1" -> "-P1", "''P1" -> "'P1",
// "'P1" -> "'P1".
std::string_view unguarded(std::string_view cell) {
    if (cell.size() >= 2 && cell[0] == '\'' &&
        std::string_view("=+-@\t\r'").find(cell[1]) != std::string_view::npos)
        cell.remove_prefix(1);
    return cell;
}

// A header cell's name without its unit: "距离（米）" -> "距离", " 高程 (m)" -> "高程".
std::string_view headerWord(std::string_view cell) {
    cell = trimmed(cell);
    return trimmed(cell.substr(0, std::min(cell.find('('), cell.find("（"))));
}

std::optional<Role> roleOf(std::string_view word) {
    if (word == "点号")
        return nameRole;
    const auto* const named = std::ranges::find(roleNames, word);
    if (named == roleNames.end())
        return std::nullopt;
    return static_cast<Role>(named - roleNames.begin());
}

bool holdsHeightDiff(std::string_view word) {
    return word.find("高差") != std::string_view::npos;
}

bool isHeader(const TableRow& row) {
    return std::ranges::any_of(row, [](const std::string& cell) {
        return roleOf(headerWord(cell)) || holdsHeightDiff(headerWord(cell));
    });
}

bool isBlank(const TableRow& row) {
    return std::ranges::all_of(row, [](const std::string& cell) { return trimmed(cell).empty(); });
}

bool isSumRow(std::string_view name) {
    return trimmed(name) == "Σ" || trimmed(name) == "∑";
}

Columns headerColumns(const TableRow& header, std::size_t rowNumber) {
    std::array<std::optional<std::size_t>, roleCount> found;
    std::vector<std::size_t> heightDiffLike;
    for (std::size_t column = 0; column < header.size(); ++column) {
        const std::string_view word = headerWord(header[column]);
        if (const std::optional<Role> role = roleOf(word)) {
            if (found[*role])
                throw Error(rowText(rowNumber) + "有两列都是“" + std::string(roleNames[*role]) +
                            "”：" + columnText(*found[*role]) + "和" + columnText(column) +
                            "。请删去其中一列或给它改名。");
            found[*role] = column;
        } else if (holdsHeightDiff(word)) {
            heightDiffLike.push_back(column);
        }
    }
    if (!found[heightDiffRole] && heightDiffLike.size() == 1)
        found[heightDiffRole] = heightDiffLike.front();
    if (!found[heightDiffRole] && heightDiffLike.size() > 1)
        throw Error(rowText(rowNumber) + "有几列的名字都含“高差”（" +
                    columnText(heightDiffLike[0]) + "和" + columnText(heightDiffLike[1]) +
                    "等），分不出哪一列是实测的：请把实测高差那一列改名为“实测高差”。");
    Columns columns{};
    columns[stationsRole] = found[stationsRole].value_or(noColumn);
    for (std::size_t role = 0; role < stationsRole; ++role) {
        if (!found[role])
            throw Error(rowText(rowNumber) + "是表头，但没有“" + std::string(roleNames[role]) +
                        (role == nameRole ? "”（或“点号”）" : "”") + "这一列。");
        columns[role] = *found[role];
    }
    return columns;
}

// Refuses a cell that the run would not read as a number, in the words of the run's refusals.
void checkNumber(std::string_view cell, std::size_t rowNumber, Role role) {
    const NumberReading<float> reading = readSingle(cell);
    const std::string where = rowText(rowNumber) + "“" + std::string(roleNames[role]) + "”";
    switch (reading.problem) {
    case NumberProblem::none:
        return;
    case NumberProblem::empty:
        throw Error(rowText(rowNumber) + "没有“" + std::string(roleNames[role]) + "”。");
    case NumberProblem::outOfRange:
        throw Error(where +
                    (std::isinf(reading.value) ? "太大，无法计算：" : "太接近 0，无法计算：") +
                    shortened(cell));
    case NumberProblem::notANumber:
        break;
    }
    throw Error(where + "不是数字：" + shortened(cell));
}

// A count of stations: a whole number from 1 to mostSectionStations, read by the rules of a typed
// number so that a spreadsheet's "8.0" or an input method's "８" are taken.
std::int32_t stationCount(std::string_view cell, std::size_t rowNumber) {
    const NumberReading<double> reading = readDouble(cell);
    const std::string where = rowText(rowNumber) + "“" + std::string(roleNames[stationsRole]) + "”";
    if (reading.problem == NumberProblem::empty)
        throw Error(rowText(rowNumber) +
                    "没有“测站数”：表格有“测站数”这一列时，每一段的测站数都要填在该段终点的那一行。"
                    "不知道测站数，就删去这一列。");
    if ((reading || reading.problem == NumberProblem::outOfRange) &&
        reading.value > mostSectionStations)
        throw Error(where + "太大：一段最多 " + countText(mostSectionStations) + " 站，这里是 " +
                    shortened(cell) + "。");
    if (!reading || reading.value < 1.0 || reading.value != std::trunc(reading.value))
        throw Error(where + "不是正整数：" + shortened(cell));
    return static_cast<std::int32_t>(reading.value);
}

std::string controlCharacterName(char control) {
    switch (control) {
    case '\n':
        return "换行符";
    case '\r':
        return "回车符";
    case '\t':
        return "制表符";
    default:
        break;
    }
    constexpr std::string_view hexDigits = "0123456789ABCDEF";
    const auto code = static_cast<unsigned char>(control);
    return std::string("控制字符 U+00") + hexDigits[code / 16u] + hexDigits[code % 16u];
}

// A quoted cell can hold what no typed name can; shown in a one-line field, printed or written into
// a results table, a line break or another control character would break the line it stands in.
void checkName(std::string_view name, std::size_t rowNumber) {
    const auto* const control = std::ranges::find_if(name, [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20u || byte == 0x7Fu;
    });
    if (control != name.end())
        throw Error(rowText(rowNumber) + "的“点名”里有" + controlCharacterName(*control) +
                    "：点名里不能有换行、制表符等控制字符。请在表格里改正这个点名后再读入。");
}

void checkBenchmarkHeight(std::string_view cell, std::size_t rowNumber, std::string_view benchmark,
                          std::string_view height) {
    if (readSingle(cell).problem == NumberProblem::empty)
        throw Error(rowText(rowNumber) + "是" + std::string(benchmark) +
                    "，但没有“高程”：它的已知高程 " + std::string(height) + " 是计算必需的。");
    checkNumber(cell, rowNumber, heightRole);
}

// Takes A's row: its name and height, Ha. A's row of just two cells holds these two whatever the
// columns, as a blank-separated results table writes it.
void readStartRow(const TableRow& row, std::size_t rowNumber, const Columns& columns,
                  RouteTable& table) {
    Columns startColumns = columns;
    if (row.size() == 2 && std::max(columns[nameRole], columns[heightRole]) > 1) {
        startColumns[nameRole] = columns[nameRole] < columns[heightRole] ? 0 : 1;
        startColumns[heightRole] = 1 - startColumns[nameRole];
    }
    table.points.push_back(
        {std::string(unguarded(cellAt(row, startColumns[nameRole]))), {}, {}, 0});
    checkName(table.points.back().name, rowNumber);
    table.startHeight = unguarded(cellAt(row, startColumns[heightRole]));
    checkBenchmarkHeight(table.startHeight, rowNumber, "起始点 A", "Ha");
}

// Takes the row of a later point: its name and the section that ends there.
void readPointRow(const TableRow& row, std::size_t rowNumber, const Columns& columns,
                  RouteTable& table) {
    TablePoint& point = table.points.emplace_back();
    point.name = unguarded(cellAt(row, columns[nameRole]));
    checkName(point.name, rowNumber);
    point.sectionLength = unguarded(cellAt(row, columns[lengthRole]));
    checkNumber(point.sectionLength, rowNumber, lengthRole);
    point.heightDiff = unguarded(cellAt(row, columns[heightDiffRole]));
    checkNumber(point.heightDiff, rowNumber, heightDiffRole);
    if (columns[stationsRole] != noColumn)
        point.stationCount = stationCount(unguarded(cellAt(row, columns[stationsRole])), rowNumber);
}

RouteTable readRows(RowReader& rows) {
    std::optional<TableRow> row = rows.next();
    while (row && isBlank(*row))
        row = rows.next();
    Columns columns = resultsTableColumns;
    if (row && isHeader(*row)) {
        columns = headerColumns(*row, rows.rowsRead());
        row = rows.next();
    }

    RouteTable table;
    table.stationCountsKnown = columns[stationsRole] != noColumn;
    std::size_t lastRow = 0;
    for (; row && !isBlank(*row) && !isSumRow(unguarded(cellAt(*row, columns[nameRole])));
         row = rows.next()) {
        lastRow = rows.rowsRead();
        if (table.points.size() == mostTablePoints)
            throw Error("表格里的点太多：最多能计算 " + countText(mostTablePoints) +
                        " 个点（起始点 A、闭合点 B 和 " + countText(mostTablePoints - 2) +
                        " 个待定点），" + rowText(lastRow) + "已是第 " +
                        countText(mostTablePoints + 1) + " 个点。");
        if (table.points.empty()) {
            readStartRow(*row, lastRow, columns, table);
        } else {
            readPointRow(*row, lastRow, columns, table);
            // Every point's height is a result but B's, which is only known at the end.
            table.endHeight = unguarded(cellAt(*row, columns[heightRole]));
        }
    }
    if (table.points.size() < 2)
        throw Error("表格里的点太少：至少要有起始点 A 和闭合点 B 两行，从 A 到 B 每个点一行。");
    checkBenchmarkHeight(table.endHeight, lastRow, "闭合点 B", "Hb");
    return table;
}

} // namespace

RouteTable readRouteTable(std::string_view bytes) {
    const std::string text = decodedText(bytes);
    RowReader rows(text);
    return readRows(rows);
}

} // namespace velmora
