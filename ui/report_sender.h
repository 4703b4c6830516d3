#pragma once

#include "core/leveling_route.h"

namespace velmora {

// Builds the report of `route` and sends it to the default printer as one print job. Returns once
// the queue has accepted the job; raises Error with a message naming the printer and the reason
// otherwise, and then nothing has been sent.
void sendReport(const LevelingRoute& route);

} // namespace velmora
