#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// One row of a table as a spreadsheet holds it: its cells, texts as they stand once quoting is
// undone.
using TableRow = std::vector<std::string>;

// Splits a table copied or saved from a spreadsheet into rows and cells. The separator is chosen
// once for the whole text: a tab wherever one occurs, else a comma wherever one occurs, else runs
// of blanks (spaces and ideographic spaces), for a table typed into a plain text editor. A row
// ends at LF, CRLF or CR; a last row needs no line end. A cell that starts with a double quote is
// quoted: it runs to the next lone quote, a doubled quote inside stands for one, and separators
// and line ends inside belong to the cell. Elsewhere a quote is an ordinary character.
// In tab and comma tables an empty line is a row of one empty cell, and empty cells are kept; in
// a blank-separated table blanks at the start and end of a line separate nothing.
//   splitRows("A\t1\nB\t2\n") -> {{"A", "1"}, {"B", "2"}}
//   splitRows("A,\"1,5\",\"x \"\"y\"\"\"\r\n") -> {{"A", "1,5", "x \"y\""}}
//   splitRows("  A   1\u3000" "2 \n") -> {{"A", "1", "2"}}
//   splitRows("A,,1\n\nB") -> {{"A", "", "1"}, {""}, {"B"}}
//   splitRows("\"A\nB\",1") -> {{"A\nB", "1"}}
// A quote that is never closed raises Error naming the row where it opened:
//   splitRows("A\n\"B,1\n") raises "第 2 行的引号没有配对：..."
std::vector<TableRow> splitRows(std::string_view text);

} // namespace velmora
