#pragma once

#include "core/errors.h"

#include <chrono>
#include <stop_token>
#include <string>
#include <utility>
#include <vector>

namespace velmora {

// The longest silence of the print server that any one exchange waits through before the print is
// given up. A server that is merely busy answers well within it; one that has stopped never does.
inline constexpr std::chrono::seconds printServerPatience{15};

// A sheet size, in hundredths of a millimetre as the print server gives it.
struct PaperSize {
    int width = 0;
    int length = 0;
};

// The user pressed 取消 while the report was being made or sent; the press itself was the message.
class PrintCancelled : public Abandoned {
public:
    PrintCancelled()
        : Abandoned("打印已取消。") {}
};

// The user's default print destination, as the print server and the user's own settings describe
// it at the moment of the call.
struct PrintQueue {
    std::string name;  // the queue's name, with "/instance" for an instance of it
    std::string queue; // the queue the jobs go to
    std::vector<std::pair<std::string, std::string>> options; // the user's options for the jobs
    PaperSize paper; // the destination's default sheet; zero when it names none
};

// Finds the user's default destination (LPDEST or PRINTER, else the user's and the system's
// lpoptions default with its instance, else the server's default), with its options and default
// sheet, and makes sure it will take a job now. Every exchange with the server is bounded by
// printServerPatience of silence. Raises Error naming the destination (or the print server,
// before one is known) and the reason: no server to ask, no answer, no default destination, a
// stopped queue, a queue that refuses jobs; Abandoned once `stop` is requested.
//   readyDefaultQueue() -> {"office/two", "office", {{"copies", "2"}}, {21590, 27940}}
//   readyDefaultQueue() -> Error "无法打印：默认打印机“office”已停止（paper jam）。"
PrintQueue readyDefaultQueue(std::stop_token stop = {});

// Hands the finished PDF file to `queue` as one job titled `title`, with the queue's options, asks
// the job back from the server and returns its id once the server holds it with its document
// (pending, processing or completed). Raises Error naming the destination and the reason
// otherwise, Abandoned once `stop` is requested; a job that was created but not held so is
// cancelled first, so nothing of it stays on the queue.
//   submitPdf(queue, "/tmp/report.pdf", "Velmora") -> 17
//   submitPdf(queue, ...) -> Error "无法打印：默认打印机“office”没有应答（等了 15
//   秒），打印任务已取消。"
int submitPdf(const PrintQueue& queue, const std::string& fileName, const std::string& title,
              std::stop_token stop = {});

} // namespace velmora
