#pragma once

#include "core/leveling_route.h"

#include <QString>
#include <functional>
#include <stop_token>

class QWidget;

namespace velmora {

// Runs `work` on a worker thread while `window`'s thread keeps turning its event loop: the window
// repaints, and never waits on the disk or the print server. After about half a second a modal
// progress box saying `doing` with 取消 appears over `window`, so none of its buttons can be
// pressed until the work is settled; 取消 requests the work's stop token. Returns when the work
// has returned, raising on the calling thread what it raised.
//   runInBackground(window, "正在保存……", [&](std::stop_token) { saveWhole(name, csv); })
void runInBackground(QWidget& window, const QString& doing,
                     const std::function<void(std::stop_token)>& work);

// Prints the report of `route` as sendReport does, from a copy of it, in the background as above
// with "正在打印……" in the box; 取消 stops the work wherever it is and leaves nothing on the
// queue. Returns when the job is settled, raising what sendReport raised (Abandoned after 取消).
//   printInBackground(route, window) -> returns once the server holds the job
//   printInBackground(route, window) with 取消 pressed -> Abandoned, nothing on the queue
void printInBackground(const LevelingRoute& route, QWidget& window);

} // namespace velmora
