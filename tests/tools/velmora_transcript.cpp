// velmora-transcript: drives one real calculation run with answers read from standard input and
// writes everything the user would see to standard output, in the order it happens; golden
// transcripts of whole runs are compared against it. The formats are ScriptedUser's; a run that
// is abandoned ends with the line "error <message>".
//
// After the run, whether it completed or not, follows the report that the print button would
// send for the record as the run left it, in ReportRecorder's format:
//   line <column> <size> <text>   one report line: its items joined, the font size in points
//   empty                         an empty line
//   end                           the end of the document
//   error <message>               the report stopped here; nothing follows
//
// With --results-table, standard output holds only the results table as CSV (UTF-8 with a byte
// order mark, CRLF), or "error <message>" when there is none.
#include "dialogue/report.h"
#include "dialogue/table_text.h"
#include "tests/tools/report_recorder.h"
#include "tests/tools/scripted_user.h"

#include <iostream>
#include <sstream>
#include <string_view>

int main(int argc, char** argv) {
    // Untied, reading an answer no longer flushes what was written before it, and the output goes
    // out in whole buffers: a run of the largest route reads and writes a few hundred thousand
    // lines. Whatever is buffered is written at exit.
    std::ios::sync_with_stdio(false);
    std::cin.tie(nullptr);
    velmora::LevelingRoute route;
    if (argc > 1 && std::string_view(argv[1]) == "--results-table") {
        std::ostringstream record;
        velmora::playRun(route, std::cin, record);
        try {
            std::cout << velmora::csvText(velmora::resultsTable(route));
        } catch (const velmora::Error& error) {
            std::cout << "error " << error.what() << '\n';
        }
        return 0;
    }
    velmora::playRun(route, std::cin, std::cout);
    velmora::ReportRecorder printer(std::cout);
    try {
        velmora::printReport(route, printer);
    } catch (const velmora::Error& error) {
        std::cout << "error " << error.what() << '\n';
    }
    return 0;
}
