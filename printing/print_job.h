#pragma once

#include "printing/print_destination.h"

#include <stop_token>
#include <string>

namespace velmora {

// Hands the finished PDF file to `queue` as one job titled `title`, with the queue's options, asks
// the job back from the server and returns its id once the server holds it with its document
// (pending, processing or completed). Raises Error naming the destination and the reason
// otherwise, Abandoned once `stop` is requested. A job that was created but not held so is
// cancelled first, so nothing of it stays on the queue; where the server does not confirm that
// cancel either, the message says that the job may still print, so that the user looks at the
// queue before printing again.
//   submitPdf(queue, "/tmp/report.pdf", "Velmora") -> 17
//   submitPdf(queue, ...) -> Error "无法打印：默认打印机“office”没有应答（等了 15
//   秒），打印任务已取消。"
//   submitPdf(queue, ...) with the server silent from the document on -> Error
//   "无法打印：默认打印机“office”没有应答（等了 15 秒）。打印任务 office-17
//   没能取消，可能还在打印队列里，打印服务恢复应答后可能照样打印出来：请先查看打印队列，再决定是否重新打印。"
int submitPdf(const PrintQueue& queue, const std::string& fileName, const std::string& title,
              std::stop_token stop = {});

} // namespace velmora
