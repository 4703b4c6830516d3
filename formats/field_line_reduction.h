#pragma once

#include "formats/field_file.h"
#include "formats/field_line_assembly.h"

#include <cstddef>

namespace velmora {

// A recorded line reduced to its sums and station figures, exactly, and checked against the
// instrument's own figures at its start and at every station end (see readFieldFile). `number`
// is its place in the file, from 1.
//   reducedLine(A at 0 m; B 0.23395 at 30.439 m, F 1.64070 at 30.773 m to P1, P1 at -1.40675 m)
//     -> A to P1, 1 station, distance "61.212", heightDifference "-1.40675", usable
//   the same with P1 at -0.74675 m -> unusableReason "第 1 站（块 0005）：仪器记录的高程
//     -0.74675 m，按读数推算为 -1.40675 m，相差 0.66000 m，这条线的记录可能被删改或重测过。"
FieldLine reducedLine(const RecordedLine& recorded, std::size_t number);

} // namespace velmora
