#pragma once

#include "core/leveling_route.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace velmora {

// One line of text as it stands on a PDF page, read back with pdftotext. Positions are in
// points from the page's top-left corner.
struct PrintedLine {
    int page = 0;      // from 1
    double top = 0.0;  // top of the line's text box
    double left = 0.0; // where its first character begins
    double bottom = 0.0;
    double right = 0.0;       // where its last character ends
    double columnWidth = 0.0; // the advance of one narrow character
    int fontSize = 0;         // in points
    QString text;             // blanks between the words restored from their gaps

    // The line as a report recorder writes it: "line <column> <size> <text>", columns counted
    // from 1 at `printableLeft`.
    QString record(double printableLeft) const;
};

// The pages' lines in order, top to bottom, page after page. Raises std::runtime_error when the
// file cannot be read. A character is one column wide, a Chinese one two: the report's font
// keeps its Latin characters at half the width of its Chinese ones.
QList<PrintedLine> printedLines(const QString& pdfFile);

// All the text of the file, including what runs past the edges of its pages, which the lines
// above leave out.
QString textBeyondEdges(const QString& pdfFile);

// The number of pages of the file, as pdfinfo gives it.
int pageCount(const QString& pdfFile);

// The size of the file's first page as pdfinfo gives it: "612 x 792 pts (letter)".
QString pageSizeOf(const QString& pdfFile);

// The file's lines as a report recorder writes them, columns counted from the left edge of the
// printable area of the report's pages.
QStringList recordOfPdf(const QString& pdfFile);

// The rows of `lines` gathered into the report's lines `expected` (recordedOnPaper's form): a
// line too wide for the paper goes on in rows at its column, which together have its characters
// besides blanks (those at a break cannot be seen) and each of its numbers whole in one row, with
// its label ("高程  :   Hb=", " :  h(0)=") where it has one.
// Rows that are no such line stay records of their own.
//   "line 23 10 起始点NNN", "line 23 10 NE 高程  :   Ha=10.000"
//     -> "line 23 10 起始点NNNNE 高程  :   Ha=10.000"
QStringList gatheredRecord(const QList<PrintedLine>& lines, const QStringList& expected,
                           double printableLeft);

// The "line" entries of a recorder's record as they can be seen on paper: blanks that begin a
// line are only a position, so they are counted into its column.
//   "line 24 10   路线闭合差 ..." -> "line 26 10 路线闭合差 ..."; "empty" and "end" are left out
QStringList onPaper(const QString& record);

// What the report of `route` puts on paper, in the form of onPaper, taken from the printer
// operations alone; a page read back with recordOfPdf must say the same.
QStringList recordedOnPaper(const LevelingRoute& route);

} // namespace velmora
