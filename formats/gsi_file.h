#pragma once

#include "formats/field_line_assembly.h"

#include <string_view>
#include <vector>

namespace velmora {

// The lines of a GSI file as recorded, each block read as GSI-16 when it begins with "*" and as
// GSI-8 otherwise. A block whose first word is WI 41 starts a line (the last character of its
// data the method: 1 BF, 2 BFFB); one whose first word is WI 11 is a point block of the current
// line: a reading (331 B1, 332 F1, 335 B2, 336 F2) with its distance 32, or, without a reading,
// the line's start or a station's end with its height 83 (and 573, 574 where written). A block
// that begins with another levelling word has lost its point and is refused; any other block is
// passed over unread. Raises Error naming the file line:
//   readGsiLines("410001+?......1\n110002+0000000A 83..18+00000000\n"
//                "110003+0000000A 32...0+00030439 331.08+00023395\n"
//                "110004+0000000B 32...0+00030773 332.08+00164070\n"
//                "110005+0000000B 83..08-00140675\n")
//     -> 1 line from A (label "块 0002"), BF, one station to B ending at "块 0005"
//   the same with "32...3" -> "第 3 行：WI 32 的单位代码 3 是角度单位，…"
std::vector<RecordedLine> readGsiLines(std::string_view text);

} // namespace velmora
