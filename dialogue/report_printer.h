#pragma once

#include <initializer_list>
#include <string_view>

namespace velmora {

// The printer the report writes on, one operation per call, in the order the report makes them.
// Positions are in 1/1440 inch from the top-left corner of the printable area; font sizes are in
// points. Every operation either does its work or raises Error, which stops the report.
class ReportPrinter {
public:
    virtual ~ReportPrinter() = default;

    // Where the next text begins: the distance from the left edge, and from the top to the top
    // of the next line.
    virtual void setHorizontalPosition(int twips) = 0;
    virtual void setVerticalPosition(int twips) = 0;

    // The face and size of the font every later line is printed in.
    virtual void setFontName(std::string_view name) = 0;
    virtual void setFontSize(int points) = 0;

    // Prints one line: its text begins at `column` (1 is the left edge, one column being the
    // average character width of the current font; a position already right of the column moves
    // to that column of the next line), then `items`, one to three texts, one directly after the
    // other; then the position returns to the left edge one line height further down. Where the
    // paper is too narrow for the line, the printer goes on with it in the rows below at the same
    // column, one line height for each row, so that nothing runs off the paper.
    //   printLine(26, {"P1 :  h(1)=", "11.005"}) prints "P1 :  h(1)=11.005" from column 26
    virtual void printLine(int column, std::initializer_list<std::string_view> items) = 0;

    // Moves down one line height of the current font.
    virtual void printEmptyLine() = 0;

    // Closes the job: everything printed so far is one document, complete.
    virtual void endDocument() = 0;
};

} // namespace velmora
