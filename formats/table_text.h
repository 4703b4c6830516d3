#pragma once

#include "formats/results_table.h"

#include <string>

namespace velmora {

// The results table as texts to paste or save, UTF-8, row by row and cell by cell. A text cell
// that begins with = + - @, a tab or a carriage return gets an apostrophe in front, so that no
// spreadsheet runs a point name as a formula, and so does one that begins with an apostrophe, which
// a spreadsheet would otherwise take away; number cells never do ("-5.0" stays "-5.0").

// Tab-separated lines ending in "\n", for the clipboard's text/plain. A cell holding a tab,
// carriage return, line feed or quote is put in quotes with its quotes doubled.
//   row {"BM1", "10.000"} -> "BM1\t10.000\n";  cell "=SUM(2)" -> "'=SUM(2)"
//   cell "a\tb" -> "\"a\tb\"";  cell "5\"" -> "\"5\"\"\""
std::string tabSeparatedText(const ResultsTable& table);

// Comma-separated lines ending in "\r\n" after a UTF-8 byte order mark, for a .csv file. A cell
// holding a comma, quote, carriage return or line feed is put in quotes with its quotes doubled.
//   row {"BM1", "10.000"} -> "\xEF\xBB\xBF" "BM1,10.000\r\n";  cell "a,b" -> "\"a,b\""
std::string csvText(const ResultsTable& table);

// An HTML document with one table, for the clipboard's text/html. Every cell carries the number
// format that keeps its text (mso-number-format '0.000', General, or '\@' for a text cell), a
// number cell also its value and format as LibreOffice Calc reads them (sdval, and sdnum with
// 2052, zh-CN, the language its text is written in), and texts are escaped.
//   number cell "10.000" ->
//     <td style="mso-number-format:'0.000'" sdval="10.000" sdnum="2052;0;0.000">10.000</td>
//   number cell "1.01" of General ->
//     <td style="mso-number-format:General" sdval="1.01" sdnum="2052;">1.01</td>
//   text cell "A&B" -> <td style="mso-number-format:'\@'">A&amp;B</td>
std::string htmlText(const ResultsTable& table);

} // namespace velmora
