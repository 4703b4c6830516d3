#pragma once

#include "core/leveling_route.h"

#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// One cell of the results table: the text shown, and for a number the spreadsheet number format
// that shows the same text ("General", "0.0", "0.00" or "0.000"); empty for a text cell.
struct Cell {
    std::string text;
    std::string_view numberFormat;

    bool isNumber() const noexcept { return !numberFormat.empty(); }
};

// The results table (成果表) of a finished route, row by row; a blank row has no cells.
struct ResultsTable {
    std::vector<std::vector<Cell>> rows;
};

// Builds the results table of the route's last finished run:
//   the header 点名 | 距离（米） | 实测高差（米） | 改正数（毫米） | 改正后高差（米） | 高程（米）;
//   one row per point from A to B, each but A's with the section that ends at that point: its
//   length and observed difference as generalText writes them, the correction the run applied
//   (length * correctionPerMetre, a single) in millimetres to one decimal, observed plus
//   correction (a single) to three decimals, and the adjusted height as the report lists it;
//   a Σ row: [s] and Σh are the run's own sums, the corrections and adjusted differences are
//   summed in single precision in index order as the run sums, the corrections in metres;
//   a blank row, then fh in millimetres to two decimals as the window shows it, L in kilometres,
//   each grade's flat-ground limit with 合格 or 超限 (checkMisclosure), the verdict 结论（平地）
//   and a note that hilly limits need the station counts.
// Where every section's station count is known, the header and every row above the blank one
// end in a 测站数 column (empty for A, n on the Σ row), n follows L, the hilly-ground limits
// follow the flat ones, the verdict is 结论（山地） or 结论（平地） by the rule checkMisclosure
// chose, and the note says that rule.
// Fixed decimals round half away from zero, the heights half to even.
//
// The worked route (Ha = 10, Hb = 12, sections of 100 m with 1.01 and 1, names BM1, P1, BM2):
//   BM1 |     |      |      |       | 10.000
//   P1  | 100 | 1.01 | -5.0 | 1.005 | 11.005
//   BM2 | 100 | 1    | -5.0 | 0.995 | 12.000
//   Σ   | 200 | 2.01 | -10.0 | 2.000 |
// and with 2 stations in each section:
//   BM1 |     |      |      |       | 10.000 |
//   P1  | 100 | 1.01 | -5.0 | 1.005 | 11.005 | 2
//   BM2 | 100 | 1    | -5.0 | 0.995 | 12.000 | 2
//   Σ   | 200 | 2.01 | -10.0 | 2.000 |       | 4
//   ...
//   测站数 n | 4
//   ... 图根平地限差 ±40√L（毫米） | 17.9 | 合格
//   三等山地限差 ±4√n（毫米） | 8.0 | 超限
//   四等山地限差 ±6√n（毫米） | 12.0 | 合格
//   图根山地限差 ±12√n（毫米） | 24.0 | 合格
//   结论（山地） | 满足四等限差
//   说明 | 每公里 20.0 站，多于 16 站，按山地限差评定
// Raises NothingToPrint when the route has no finished run, and ArithmeticError where a
// millimetre value or a sum is beyond a single.
ResultsTable resultsTable(const LevelingRoute& route);

} // namespace velmora
