#pragma once

#include "formats/field_file.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// The 测段表's columns, every one a text: what the user reads to pick a route's lines.
enum class ListedColumn {
    number,
    from,
    to,
    method,
    stations,
    distance,
    heightDifference,
    shortestSight,
    longestSight,
    distanceDifference,
    accumulatedDifference,
    heightDifferenceDisagreement,
    twoWayMisclosure,
    twoWayLimit,
    refusal,
};

inline constexpr std::size_t listedColumnCount = 15;

// The columns' titles, in the order of ListedColumn, units in brackets.
inline constexpr std::array<std::string_view, listedColumnCount> listedColumnTitles = {
    "线号",
    "起点",
    "终点",
    "方法",
    "测站数",
    "距离（米）",
    "高差（米）",
    "最短视距（米）",
    "最长视距（米）",
    "最大前后视距差（米）",
    "最大视距差累积（米）",
    "最大两次高差之差（米）",
    "往返不符值（毫米）",
    "往返限差 ±4√K（毫米）",
    "不能使用的原因",
};

// One line of a field file as the 测段表 lists it.
struct ListedLine {
    std::size_t number = 0; // FieldLine::number
    std::array<std::string, listedColumnCount> cells;
    bool tickable = false; // no sectionRefusal: it may be a section of the route
};

// Every line of a field file as the 测段表 lists it, in file order. Figures stand as the reader
// wrote them, in metres; a worst station figure outside the second-order limit is followed by
// " 超限", and a method without such a figure leaves its cell empty (BF has no two height
// differences). A line levelled both ways (twoWayMisclosures) shows the misclosure with the other
// line's number, " 超限" before it where it exceeds its limit, and the limit; a line that cannot be
// a section says why (sectionRefusal).
//   listedLines(lines of gsi16_bffb.gsi)[0].cells
//     -> "1", "A", "B", "BFFB", "2", "101.5045", "1.502455", "20.001", "30.5005", "-1.001",
//        "-1.001", "0.00002", "-1.03（与线号 2）", "±1.28", ""; tickable
//   a line whose longest sight is 50.5 m -> its longestSight cell "50.5 超限"
//   listedLines(lines of m5_bf.dat)[1].cells[twoWayMisclosure] -> "1099.9 超限（与线号 1）"
std::vector<ListedLine> listedLines(const std::vector<FieldLine>& lines);

} // namespace velmora
