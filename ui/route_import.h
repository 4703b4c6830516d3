#pragma once

#include "formats/field_file.h"
#include "formats/field_line_list.h"
#include "formats/table_run.h"

#include <QString>
#include <string>
#include <variant>
#include <vector>

class QWidget;

namespace velmora {

// A route brought in rather than typed: a table read, decoded and run through the calculation run
// in the background behind `window`'s progress box, or a digital level's field file read there
// and its route picked in the 测段表. Each returns the finished run for the window to take whole;
// a table or file that is refused raises Error with the reason (the row and the column, or the
// file's line, and what is wrong), and 取消 anywhere raises Abandoned; either leaves nothing
// anywhere.

// The table in `text`, as a spreadsheet copies it (tab-separated) or a file holds it.
//   routeFromText(window, "点名\t距离\t实测高差\t高程\nBM1\t\t\t10\n…") -> the run
//   routeFromText(window, "") -> Error "没有可以读入的路线表：…"
TableRun routeFromText(QWidget& window, const std::string& text);

// The table on the clipboard, as routeFromText reads it.
TableRun routeFromClipboard(QWidget& window);

// A field file's lines, and the 测段表's listing of them.
struct FieldFileLines {
    std::vector<FieldLine> lines;
    std::vector<ListedLine> listed;
};

// What `fileName` holds, told apart by its bytes (isFieldFile), read in the background: a route
// table's finished run, or a field file's lines. The message of a refusal names the file.
//   readRouteFile(window, "/home/u/route.csv") -> the table's run
//   readRouteFile(window, "/home/u/0611.gsi") -> its lines, listed
//   readRouteFile(window, "/home/u/bad.gsi") -> Error
//     "无法读入观测文件“bad.gsi”：第 4 行：WI 332 的数据不是数字。"
//   readRouteFile(window, "/home/u/gone.csv") -> Error "无法读入“/home/u/gone.csv”：文件不存在。"
std::variant<TableRun, FieldFileLines> readRouteFile(QWidget& window, const QString& fileName);

// The route in `fileName`: a table's run as readRouteFile gives it, or the route of a field file
// picked in the 测段表 and run with A's and B's heights asked through the run's own prompts, modal
// over `window` (runFieldRoute); the result steps go by without waiting.
//   routeFromFile(window, "/home/u/gsi8_bf.gsi"), lines 1 and 2 picked, Ha 45.123, Hb 45.18
//     -> the run of BM1 -> BM2 -> BM3 with station counts 3 and 2
//   the same with 取消 in the 测段表 -> Abandoned
// A field file's run tells `echo` of every field it writes as it writes it, so that the heights can
// be shown while they are confirmed; a table's run is told to nobody.
TableRun routeFromFile(QWidget& window, const QString& fileName, RunObserver& echo);

// Asks for a route table (.csv, .tsv, .txt) or a field file (.gsi, .dat, .m5, .rec, .din, .txt) in
// the Documents folder; empty when the user closes the dialog.
QString askRouteFile(QWidget& window);

} // namespace velmora
