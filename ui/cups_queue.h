#pragma once

#include <string>

namespace velmora {

// The system's default print queue, as the print server describes it at the moment of the call.
struct PrintQueue {
    std::string name; // the queue's name, with "/instance" for an instance of it
};

// Asks the print server for the default queue and makes sure it will take a job now. Raises
// Error naming the queue (or the default printer, when there is none) and the reason: no server
// to ask, no default queue, a stopped queue, a queue that refuses jobs.
//   readyDefaultQueue() -> {"office"}, or Error "无法打印：默认打印机“office”已停止（paused）。"
PrintQueue readyDefaultQueue();

// Hands the finished PDF file to `queue` as one job titled `title` and returns the job's id once
// the queue has accepted all of it. Raises Error naming the queue and the server's reason
// otherwise; a job that was begun but not completed is cancelled, so nothing of it prints.
//   submitPdf({"office"}, "/tmp/report.pdf", "Velmora") -> 17
int submitPdf(const PrintQueue& queue, const std::string& fileName, const std::string& title);

} // namespace velmora
