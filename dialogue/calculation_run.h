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

} // namespace velmora
