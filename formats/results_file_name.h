#pragma once

#include "core/leveling_route.h"

#include <string>
#include <string_view>

namespace velmora {

// A file name, without extension, for saving the results of the route's last finished run: A's
// name, B's name and `date`, joined by "-". Every character a file name cannot hold on Linux,
// Windows or macOS (/ \ : * ? " < > | and control characters) becomes "_", each part loses its
// trailing dots and blanks and is cut to 80 bytes at a whole character, and an emptied part is
// left out. Never empty: with nothing left it is "水准成果表". Raises NothingToPrint when the route
// has no finished run.
//   names BM1, BM2, date "2026-12-09" -> "BM1-BM2-2026-12-09"
//   names "a/b:c", "B. ", date "2026-12-09" -> "a_b_c-B-2026-12-09"
//   names "", "...", date "" -> "水准成果表"
std::string suggestedFileName(const LevelingRoute& route, std::string_view date);

} // namespace velmora
