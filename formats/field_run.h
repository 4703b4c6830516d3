#pragma once

#include "dialogue/prompter.h"
#include "formats/field_file.h"
#include "formats/table_run.h"

#include <cstddef>
#include <vector>

namespace velmora {

// Runs the route of the lines `numbers` of a field file (see checkRoute) through the calculation
// run, as a table's route is run: the lines answer the count (their number less one), the points'
// names (the first line's start, then every line's end), each section's length and height
// difference (the line's distance and height difference texts, read as typed numbers are) with
// Enter at their confirmations and at every result; the run keeps the lines' station counts. A
// field file does not know A's and B's heights, so their prompts and confirmations go to `heights`
// as in a typed run (runTableAskingHeights).
//   runFieldRoute(lines of gsi8_bf.gsi, {1, 2}, heights answering "45.123", "", "45.18", "")
//     -> route BM1 -> BM2 -> BM3, sections 200.4 m and 151.5 m, station counts 3 and 2,
//        fieldTexts[misclosureField] " -6.48 毫米"
// Raises Error with checkRoute's message, before anything is asked, for lines that make no route,
// and otherwise what the run raises (Abandoned where the user gives up at a height); nothing of
// the route is returned then.
TableRun runFieldRoute(const std::vector<FieldLine>& lines, const std::vector<std::size_t>& numbers,
                       Prompter& heights);

// The same, with `observer` told of the prompts the lines answer and of every field write.
TableRun runFieldRoute(const std::vector<FieldLine>& lines, const std::vector<std::size_t>& numbers,
                       Prompter& heights, RunObserver& observer);

} // namespace velmora
