#pragma once

#include "formats/table_run.h"

#include <QString>
#include <string>

class QWidget;

namespace velmora {

// A route brought in as a table rather than typed: read, decoded and run through the calculation
// run in the background behind `window`'s progress box. Each returns the finished run for the
// window to take whole; a table that is refused raises Error with the reason (the row, the column
// and what is wrong) and leaves nothing anywhere.

// The table in `text`, as a spreadsheet copies it (tab-separated) or a file holds it.
//   routeFromText(window, "点名\t距离\t实测高差\t高程\nBM1\t\t\t10\n…") -> the run
//   routeFromText(window, "") -> Error "没有可以读入的路线表：…"
TableRun routeFromText(QWidget& window, const std::string& text);

// The table on the clipboard, as routeFromText reads it.
TableRun routeFromClipboard(QWidget& window);

// The table in `fileName`, named in the message when it cannot be read or is refused.
//   routeFromFile(window, "/home/u/gone.csv") -> Error "无法读入“/home/u/gone.csv”：文件不存在。"
TableRun routeFromFile(QWidget& window, const QString& fileName);

// Asks for a route table file (.csv, .tsv, .txt) in the Documents folder; empty when the user
// closes the dialog.
QString askRouteFile(QWidget& window);

} // namespace velmora
