#pragma once

#include "core/errors.h"
#include "core/leveling_route.h"
#include "dialogue/report_printer.h"

namespace velmora {

// Prints the report of `route` on `printer` as one document and ends it: the title, the two
// benchmarks, the adjusted height of every point from A to B, the misclosure and the total
// length, all in metres. Reads the record as it stands, whether or not its run completed.
//
// The worked route (Ha = 10, Hb = 12, sections of 100 m with height differences 1.01 and 1,
// names BM1, P1, BM2) prints, in 12 points and then in 10 points from the third line on:
//   column 30 "--- 水准简易平差 ---"
//   (empty)
//   column 23 "起始点BM1 高程  :   Ha=10.000"
//   column 23 "闭合点BM2 高程  :   Hb=12.000"
//   (empty)
//   column 24 "平差结果 (米) :"
//   column 26 "BM1 :  h(0)=10.000", "P1 :  h(1)=11.005", "BM2 :  h(2)=12.000"
//   (empty)
//   column 24 "  路线闭合差 :    fh=0.010 米"
//   column 24 "水准路线全长 : [ s ]=200.000 米"
//   end of document
// Benchmark heights, fh and [s] are rounded half away from zero, the listed heights half to
// even: a height of exactly 1.0625 is "1.063" on a benchmark line and "1.062" in the list.
//
// Only a route whose last run reached its results is printed: before any run, or after a run that
// stopped half-way, NothingToPrint is raised before the printer sees anything, since a page of
// 0.000 heights beside real benchmark heights would be a wrong result on paper. Errors of the
// printer's operations stop the report where they are raised.
void printReport(const LevelingRoute& route, ReportPrinter& printer);

// There is no finished calculation to print.
class NothingToPrint : public Error {
public:
    NothingToPrint();
};

} // namespace velmora
