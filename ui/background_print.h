#pragma once

#include "core/leveling_route.h"

class QWidget;

namespace velmora {

// Prints the report of `route` as sendReport does, from a copy of it on a worker thread, while
// `window`'s thread keeps turning its event loop: the window repaints, and never waits on the
// disk or the print server. After about half a second a modal progress box with 取消 appears
// over `window`, so none of its buttons can be pressed until the job is settled; 取消 stops the
// work wherever it is and leaves nothing on the queue. Returns when the job is settled, raising
// on the calling thread what sendReport raised (Abandoned after 取消).
//   printInBackground(route, window) -> returns once the server holds the job
//   printInBackground(route, window) with 取消 pressed -> Abandoned, nothing on the queue
void printInBackground(const LevelingRoute& route, QWidget& window);

} // namespace velmora
