#pragma once

#include "core/leveling_route.h"
#include "dialogue/display_field.h"
#include "dialogue/prompter.h"

namespace velmora {

// One calculation run, from the count prompt to the last result: asks for every value through
// `prompter`, echoes it into `fields` and confirms it, adjusts the route and steps through the
// adjusted heights. Leaves the route in `route` for the report.
//
// Returns when the last result has been shown. Raises Error (ArithmeticError for the adjustment,
// Abandoned when the user gives up at a refused answer) and leaves `route` and the fields as far
// as the run got.
void run(LevelingRoute& route, Prompter& prompter, FieldWriter& fields);

// The same run for a driver that knows how many stations each section was levelled in (a route
// table's 测站数 column, a digital level's field file): the route keeps `stationCounts` in
// route.sections.stationCounts once the run reaches its results, as it keeps the lengths, so a
// run that stops keeps them no more than the lengths. An absent table leaves the counts unknown,
// as a typed run does. A present one has an element for every point, as the route's tables:
//   answers for BM1 -> P1 -> BM2 and counts {0, 8, 7} -> route.sections.stationCounts.at(2) == 7
//   the same answers and an absent table -> route.sections.stationCounts.present() == false
// Raises std::invalid_argument, before anything of the record changes, when the answered count
// of points does not give the table's size, or an element from 1 on is outside
// 1 .. mostSectionStations.
void run(LevelingRoute& route, Prompter& prompter, FieldWriter& fields,
         StationCounts stationCounts);

} // namespace velmora
