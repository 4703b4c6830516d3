#pragma once

#include <stop_token>
#include <string>
#include <utility>
#include <vector>

namespace velmora {

// A sheet size, in hundredths of a millimetre as the print server gives it.
struct PaperSize {
    int width = 0;
    int length = 0;
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
// lpoptions default with its instance, else the server's default; on Windows the user's default
// printer, whose jobs take no options of their own), with its options and default sheet, and
// makes sure it will take a job now. Every exchange with the server is bounded by
// printServerPatience of silence. Raises Error naming the destination (or the print server,
// before one is known) and the reason: no server to ask, no answer, no default destination, a
// stopped queue, a queue that refuses jobs, on Windows a printer paused, offline or in error
// (NoPrinter where there is no server or no default destination at all); Abandoned once `stop` is
// requested.
//   readyDefaultQueue() -> {"office/two", "office", {{"copies", "2"}}, {21590, 27940}}
//   readyDefaultQueue() -> Error "无法打印：默认打印机“office”已停止（paper jam）。"
//   readyDefaultQueue() on Windows -> Error "无法打印：默认打印机“office”已暂停（卡纸）。"
PrintQueue readyDefaultQueue(std::stop_token stop = {});

// The default destination's sheet, for a report kept as a file rather than printed: asked of the
// print server with a patience of a few seconds, whatever the queue's state. Zero where there is
// no server, no default destination or no sheet it names, or no answer in time, and once `stop`
// is requested.
//   defaultPaper() -> {21000, 29700} for a default queue on A4; {} on a machine without printers
PaperSize defaultPaper(std::stop_token stop = {});

} // namespace velmora
