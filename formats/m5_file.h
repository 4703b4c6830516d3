#pragma once

#include "formats/field_line_assembly.h"

#include <string_view>
#include <vector>

namespace velmora {

// The lines of an M5 file as recorded. Records are fixed columns, 119 characters before the line
// end (118 where an editor dropped the last blank), "For M5|Adr" first. A text record (TO)
// "Start-Line <BF|BFFB> <n>" opens a line, "End-Line" closes it, "Station repeated" makes the
// next station replace the one before it; other texts are notes. A point record (KD1, KD2) with a
// reading Rb or Rf (German Lr, Lv) and its distance HD (E) is a sight, its first Rb B1 and its
// second B2; one without a reading and with a height Z is the line's start or a station's end
// (Db, Df checked where written); one with Rz (Lz) is an intermediate sight, outside the chain. A
// blank name is the point the record must stand on: a backsight's the previous foresight point,
// a station end's or second foresight's the station's foresight point; a first foresight's stays
// blank (an unnamed turning point). KN records are passed over. Raises Error naming the file line:
//   records Start-Line BF 1 (Adr 4); 5793MPI Z 0 (5); 5793MPI Rb 0.23395 m HD 30.439 m (6);
//   1 Rf 1.64070 m HD 30.773 m (7); 1 Z -1.40675 m (8); End-Line (9)
//     -> 1 line from "5793MPI" (label "记录 5") with one station to "1" ending at "记录 8"
//   a record of 100 characters -> "第 3 行：不是完整的 M5 记录：…"
std::vector<RecordedLine> readM5Lines(std::string_view text);

} // namespace velmora
