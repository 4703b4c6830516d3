#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// One point of a route as a table gives it: each text as it stands in its cell, and the count of
// stations, which no prompt asks for, as read from its cell.
struct TablePoint {
    std::string name;
    std::string sectionLength;     // the section that ends at this point; empty for A
    std::string heightDiff;        // the same section's observed height difference; empty for A
    std::int32_t stationCount = 0; // the same section's stations; 0 for A and without a 测站数
};

// What a user would type for a route, read from a table: the texts go to a calculation run as
// answers, so every number is read there by the run's own rules; the station counts go to the run
// beside them.
struct RouteTable {
    std::string startHeight;         // A's height, Ha
    std::string endHeight;           // B's height, Hb
    std::vector<TablePoint> points;  // A, the points to be determined, B
    bool stationCountsKnown = false; // the table has a 测站数 column, so every section has one
};

// The most points a run takes: A, B and 32766 points to be determined.
inline constexpr std::size_t mostTablePoints = 32768;

// Reads a route from a table file's bytes (decoded by decodedText, split by RowReader).
//
// Columns: a header row, the first row that is not blank, names them in any order: 点名 or 点号,
// 距离, 实测高差 and 高程, each maybe followed by a unit in brackets (距离（米）, 高程(m)), and
// maybe 测站数. Where no column is called 实测高差, the one column whose name holds 高差 is taken.
// Other columns, such as a results table's corrections and adjusted differences, are ignored.
// When the first row names none of these, there is no header and the columns stand where the
// results table puts them: name, distance, observed difference, correction, adjusted difference,
// height; such a table gives no station counts, whatever stands after the height.
// Rows: one a point, from A to B, up to the first blank row or the first row named Σ (the sums
// a results table writes right after B); what follows is ignored. A section's distance and
// height difference stand on the row of the point where it ends. Only A's and B's heights are
// read; the others are results of an earlier run. A's row of just two cells holds its name and
// height, as a blank-separated results table writes it. An apostrophe put before a text starting
// with = + - @, a tab, a carriage return or an apostrophe is dropped.
// Station counts: with a 测站数 column, every row but A's holds the count of the section that
// ends there, a whole number from 1 to mostSectionStations written as any number is ("8", "８",
// "8.0"); A's cell is ignored. A count left empty on any of those rows refuses the table: judged
// by the stations of the sections that have them, a route would be held to limits too tight or
// too loose, and it cannot be told which sections were left out by mistake.
//   readRouteTable("点名,距离,实测高差,高程\nBM1,,,10\nP1,100,1.01,\nBM2,100,1,12\n")
//     -> Ha "10", Hb "12", points {BM1}, {P1, "100", "1.01"}, {BM2, "100", "1"}
//   readRouteTable("BM1\t\t\t\t\t10\nBM2\t100\t2\t-5.00\t1.995\t12\nΣ\t100\t...") -> the same
//     shape without a header
//   readRouteTable("点名,距离,测站数,实测高差,高程\nBM1,,,,10\nP1,100,8,1.01,\nBM2,100,7,1,12")
//     -> the same, stationCountsKnown, stationCount 8 for P1 and 7 for BM2
// Raises Error, its message naming the row (counted as a spreadsheet counts them) and the column
// in plain words, for a file decodedText or RowReader refuses, a header with a column missing or
// claimed twice, fewer than 2 or more than mostTablePoints points, a missing Ha or Hb, a number
// cell that readSingle does not read, a station count that is missing, no whole number from 1 or
// too large, and a point name holding a control character (a byte below 0x20, tab and line
// breaks included, or 0x7F), which would break the line of every field, report and table it is
// written in:
//   "第 4 行“距离”不是数字：abc"    "第 1 行有两列都是“距离”：第 2 列和第 4 列。..."
//   "第 4 行“测站数”不是正整数：8.5"    "第 3 行没有“测站数”：..."
//   "第 3 行的“点名”里有换行符：..."
RouteTable readRouteTable(std::string_view bytes);

} // namespace velmora
