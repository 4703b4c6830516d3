#pragma once

#include "core/leveling_route.h"

#include <stop_token>

namespace velmora {

// Builds the report of `route` on the default destination's sheet and sends it there as one print
// job. Returns once the server holds the job with its document; raises Error with a message
// naming the printer and the reason otherwise, and Abandoned once `stop` is requested; either way
// nothing of the job stays on the queue. Waits on the disk and the print server, so it belongs on
// a worker thread when a window is waiting. On Windows the job goes through the print spooler to
// the user's default printer, painted by Qt's printer for it, and is held once the spooler has
// taken the whole document.
//   sendReport(workedRoute) -> one job on the default queue, three results lines on A4
//   sendReport(LevelingRoute{}) -> NothingToPrint, and the server is never asked
void sendReport(const LevelingRoute& route, const std::stop_token& stop = {});

} // namespace velmora
