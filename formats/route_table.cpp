#include "formats/route_table.h"

#include "core/errors.h"
#include "core/number_reading.h"
#include "core/number_text.h"
#include "dialogue/shortened_text.h"
#include "formats/delimited_text.h"
#include "formats/text_decoding.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace velmora {

namespace {

// What a column holds, and the name messages call it by.
enum Role : std::size_t { nameRole, lengthRole, heightDiffRole, heightRole, roleCount };
constexpr std::array<std::string_view, roleCount> roleNames = {"点名", "距离", "实测高差", "高程"};

using Columns = std::array<std::size_t, roleCount>;
// Where a results table puts them.
constexpr Columns resultsTableColumns = {0, 1, 2, 5};

std::string countText(std::size_t count) {
    return integerText(static_cast<long>(count));
}
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
    for (std::size_t role = 0; role < roleCount; ++role) {
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
    table.points.push_back({std::string(unguarded(cellAt(row, startColumns[nameRole]))), {}, {}});
    table.startHeight = unguarded(cellAt(row, startColumns[heightRole]));
    checkBenchmarkHeight(table.startHeight, rowNumber, "起始点 A", "Ha");
}

// Takes the row of a later point: its name and the section that ends there.
void readPointRow(const TableRow& row, std::size_t rowNumber, const Columns& columns,
                  RouteTable& table) {
    TablePoint& point = table.points.emplace_back();
    point.name = unguarded(cellAt(row, columns[nameRole]));
    point.sectionLength = unguarded(cellAt(row, columns[lengthRole]));
    checkNumber(point.sectionLength, rowNumber, lengthRole);
    point.heightDiff = unguarded(cellAt(row, columns[heightDiffRole]));
    checkNumber(point.heightDiff, rowNumber, heightDiffRole);
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
