#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// One row of a table as a spreadsheet holds it: its cells, texts as they stand once quoting is
// undone.
using TableRow = std::vector<std::string>;

// Reads a table copied or saved from a spreadsheet row by row, so that what follows the rows a
// reader wants is never split. The separator is chosen once for the whole text: a tab wherever
// one occurs, else a comma wherever one occurs, else runs of blanks (spaces and ideographic
// spaces), for a table typed into a plain text editor. A row ends at LF, CRLF or CR; a last row
// needs no line end. A cell that starts with a double quote is quoted: it runs to the next lone
// quote, a doubled quote inside stands for one, and separators and line ends inside belong to the
// cell. Elsewhere a quote is an ordinary character. In tab and comma tables an empty line is a
// row of one empty cell, and empty cells are kept; in a blank-separated table blanks at the start
// and end of a line separate nothing.
//   rows of "A\t1\nB\t2\n" -> {"A", "1"}, {"B", "2"}, then nothing
//   rows of "A,\"1,5\",\"x \"\"y\"\"\"\r\n" -> {"A", "1,5", "x \"y\""}
//   rows of "  A   1\u3000" "2 \n" -> {"A", "1", "2"}
//   rows of "A,,1\n\nB" -> {"A", "", "1"}, {""}, {"B"}
//   rows of "\"A\nB\",1" -> {"A\nB", "1"}
// A quote that is never closed raises Error naming the row where it opened, when that row is
// read:  the second row of "A\n\"B,1\n" raises "第 2 行的引号没有配对：..."
// So does a row of more than mostCellsInRow cells, the widest a spreadsheet makes: no table of
// ours is that wide, and a row is held whole while it is read.
class RowReader {
public:
    static constexpr std::size_t mostCellsInRow = 16384;

    explicit RowReader(std::string_view text);

    // The next row, or nothing once the text is used up.
    std::optional<TableRow> next();

    // The rows read so far: the number of the last one, counted from 1 as a spreadsheet counts.
    std::size_t rowsRead() const noexcept { return rowsRead_; }

private:
    enum class Separator { tab, comma, blanks };

    std::size_t blankLength() const;
    void skipBlanks();
    bool atLineEnd() const;
    bool atSeparator() const;
    void readCell(TableRow& row);
    void addCell(TableRow& row, std::string cell) const;
    void readQuoted(std::string& cell);

    std::string_view text_;
    Separator separator_;
    std::size_t at_ = 0;
    std::size_t rowsRead_ = 0;
};

} // namespace velmora
