// velmora-transcript: drives one real calculation run with answers read from standard input and
// writes everything the user would see to standard output, in the order it happens; golden
// transcripts of whole runs are compared against it. The formats are ScriptedUser's; a run that
// is abandoned ends with the line "error <message>".
//
// With `--table FILE` the run's answers come from a route table file instead, through runTable,
// as a pasted or opened table would give them: the same ask and show lines, and "error <message>"
// for a refused table, whose record is then left as it was before the run.
//
// After the run, whether it completed or not, follows the report that the print button would
// send for the record as the run left it, in ReportRecorder's format:
//   line <column> <size> <text>   one report line: its items joined, the font size in points
//   empty                         an empty line
//   end                           the end of the document
//   error <message>               the report stopped here; nothing follows
//
// With --results-table, standard output holds only the results table as CSV (UTF-8 with a byte
// order mark, CRLF), or "error <message>" when there is none; with --results-table=tab, as the
// tab-separated text that Ctrl+C puts on the clipboard.
#include "dialogue/report.h"
#include "formats/table_run.h"
#include "formats/table_text.h"
#include "tests/tools/report_recorder.h"
#include "tests/tools/scripted_user.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string_view>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

// Writes a table's run down as ScriptedUser writes a typed one.
class RunTranscript : public velmora::RunObserver {
public:
    explicit RunTranscript(std::ostream& record)
        : record_(record) {}
    void asked(std::string_view message) override { record_ << "ask " << message << '\n'; }
    void show(velmora::DisplayField field, std::string_view text) override {
        record_ << "show " << velmora::roleName(field) << ' ' << text << '\n';
    }

private:
    std::ostream& record_;
};

void playTable(velmora::LevelingRoute& route, const std::string& bytes, std::ostream& record) {
    RunTranscript transcript(record);
    try {
        route = velmora::runTable(bytes, transcript).route;
    } catch (const velmora::Error& error) {
        record << "error " << error.what() << '\n';
    }
}

} // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    // A transcript is compared byte for byte with Linux's: no line may end in CR LF.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    // Untied, reading an answer no longer flushes what was written before it, and the output goes
    // out in whole buffers: a run of the largest route reads and writes a few hundred thousand
    // lines. Whatever is buffered is written at exit.
    std::ios::sync_with_stdio(false);
    std::cin.tie(nullptr);
    velmora::LevelingRoute route;
    std::string_view table;
    bool resultsTable = false;
    bool tabSeparated = false;
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--table" && i + 1 < argc)
            table = argv[++i];
        else if (std::string_view(argv[i]) == "--results-table")
            resultsTable = true;
        else if (std::string_view(argv[i]) == "--results-table=tab")
            resultsTable = tabSeparated = true;
        else {
            std::cerr << "usage: velmora-transcript [--table FILE] [--results-table[=tab]] < "
                         "answers\n";
            return 2;
        }
    }
    std::ostringstream discarded;
    std::ostream& record = resultsTable ? discarded : std::cout;
    if (!table.empty()) {
        std::ifstream file{std::string(table), std::ios::binary};
        if (!file) {
            std::cerr << "velmora-transcript: cannot read " << table << '\n';
            return 2;
        }
        playTable(route, {std::istreambuf_iterator<char>(file), {}}, record);
    } else {
        velmora::playRun(route, std::cin, record);
    }
    if (resultsTable) {
        try {
            const velmora::ResultsTable results = velmora::resultsTable(route);
            std::cout << (tabSeparated ? velmora::tabSeparatedText(results)
                                       : velmora::csvText(results));
        } catch (const velmora::Error& error) {
            std::cout << "error " << error.what() << '\n';
        }
        return 0;
    }
    velmora::ReportRecorder printer(std::cout);
    try {
        velmora::printReport(route, printer);
    } catch (const velmora::Error& error) {
        std::cout << "error " << error.what() << '\n';
    }
    return 0;
}
