#pragma once

#include <string>

namespace velmora::bench {

// A GSI-16 file of BFFB lines as large as a field file may be (mostTableBytes), the same on every
// run: lines of 20 stations from BM1 to BM2, BM2 to BM3 and so on, every instrument figure
// agreeing with the readings, so that every line is reduced, checked and listed in full.
//   largestFieldFile() -> 8 386 740 bytes: 930 lines, BM1 to BM931, 18 600 stations
const std::string& largestFieldFile();

} // namespace velmora::bench
