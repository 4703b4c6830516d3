#pragma once

#include "core/leveling_route.h"

#include <QString>
#include <stop_token>

namespace velmora {

// Keeps the report of `route` as a PDF file: the very pages the printer would get, on the default
// printer's sheet where one is known, else on A4. The file appears only complete; a failure leaves
// nothing half-written and raises Error naming the file and what went wrong. Raises
// NothingToPrint before any run, or after one that stopped half-way, and Abandoned when `stop` is
// requested before the file is written. Waits on the print server and the disk, so it belongs on a
// worker thread when a window is waiting.
//   saveReportPdf(workedRoute, "/home/u/BM1-BM2.pdf") -> one A4 page on a machine without printers
//   saveReportPdf(workedRoute, "/usr/a.pdf") -> Error
//   "无法保存“/usr/a.pdf”：文件夹“/usr”不允许写入，请换一个文件夹。"
void saveReportPdf(const LevelingRoute& route, const QString& fileName,
                   const std::stop_token& stop = {});

} // namespace velmora
