// velmora-transcript: drives one real calculation run with answers read from standard input and
// writes everything the user would see to standard output, in the order it happens; golden
// transcripts of whole runs are compared against it. The formats are ScriptedUser's; a run that
// is abandoned ends with the line "error <message>".
//
// With `--table FILE` the run's answers come from a route table file instead, through runTable,
// as a pasted or opened table would give them: the same ask and show lines, and "error <message>"
// for a refused table, whose record is then left as it was before the run.
//
// With `--field FILE` standard output holds the lines of a digital level's field file as CSV, one
// row a line: "line,from,to,method,stations,distance,difference,unusable", numbers as the reader
// writes them (exact, in metres), unusable empty or the reason the 测段表 gives; or "error
// <message>" for a file the reader refuses. With `--route 3,5` as well, the route of those lines,
// in that order, is run as the window runs it: the lines answer their prompts, and the prompts of
// Ha, Hb and their confirmations are answered from standard input as typed ones; a route the
// lines cannot make gives "error <message>" in the 测段表's words, and its record is left as it
// was.
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
#include "formats/field_route.h"
#include "formats/field_run.h"
#include "formats/table_run.h"
#include "formats/table_text.h"
#include "tests/tools/report_recorder.h"
#include "tests/tools/scripted_user.h"

#include <charconv>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string_view>
#include <vector>
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

std::optional<std::string> fileBytes(std::string_view name) {
    std::ifstream file{std::string(name), std::ios::binary};
    if (!file) {
        std::cerr << "velmora-transcript: cannot read " << name << '\n';
        return std::nullopt;
    }
    return std::string{std::istreambuf_iterator<char>(file), {}};
}

// "3,5" -> {3, 5}; nothing unless it is whole numbers separated by commas.
std::optional<std::vector<std::size_t>> lineNumbers(std::string_view text) {
    std::vector<std::size_t> numbers;
    for (;;) {
        std::size_t number = 0;
        const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), number);
        if (failure != std::errc())
            return std::nullopt;
        numbers.push_back(number);
        text.remove_prefix(static_cast<std::size_t>(end - text.data()));
        if (text.empty())
            return numbers;
        if (text.front() != ',')
            return std::nullopt;
        text.remove_prefix(1);
    }
}

std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (const char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + '"';
}

void listLines(const std::string& bytes, std::ostream& out) {
    try {
        const std::vector<velmora::FieldLine> lines = velmora::readFieldFile(bytes);
        out << "line,from,to,method,stations,distance,difference,unusable\n";
        for (const velmora::FieldLine& line : lines)
            out << line.number << ',' << csvField(line.from) << ',' << csvField(line.to) << ','
                << velmora::methodName(line.method) << ',' << line.stationCount() << ','
                << line.distance << ',' << line.heightDifference << ','
                << csvField(velmora::sectionRefusal(line)) << '\n';
    } catch (const velmora::Error& error) {
        out << "error " << error.what() << '\n';
    }
}

// The heights are the user's: they write down their own prompts and refusals.
void playFieldRoute(velmora::LevelingRoute& route, const std::string& bytes,
                    const std::vector<std::size_t>& numbers, std::ostream& record) {
    RunTranscript transcript(record);
    velmora::ScriptedUser heights(std::cin, record);
    try {
        route = velmora::runFieldRoute(velmora::readFieldFile(bytes), numbers, heights, transcript)
                    .route;
    } catch (const velmora::Error& error) {
        record << "error " << error.what() << '\n';
    }
}

int usage() {
    std::cerr << "usage: velmora-transcript [--table FILE | --field FILE [--route N,N...]] "
                 "[--results-table[=tab]] < answers\n";
    return 2;
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
    std::string_view field;
    std::optional<std::vector<std::size_t>> fieldRoute;
    bool resultsTable = false;
    bool tabSeparated = false;
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--table" && i + 1 < argc)
            table = argv[++i];
        else if (std::string_view(argv[i]) == "--field" && i + 1 < argc)
            field = argv[++i];
        else if (std::string_view(argv[i]) == "--route" && i + 1 < argc) {
            fieldRoute = lineNumbers(argv[++i]);
            if (!fieldRoute)
                return usage();
        } else if (std::string_view(argv[i]) == "--results-table")
            resultsTable = true;
        else if (std::string_view(argv[i]) == "--results-table=tab")
            resultsTable = tabSeparated = true;
        else
            return usage();
    }
    if ((!table.empty() && !field.empty()) || (fieldRoute && field.empty()) ||
        (!field.empty() && !fieldRoute && resultsTable))
        return usage();
    std::ostringstream discarded;
    std::ostream& record = resultsTable ? discarded : std::cout;
    if (!table.empty()) {
        const std::optional<std::string> bytes = fileBytes(table);
        if (!bytes)
            return 2;
        playTable(route, *bytes, record);
    } else if (!field.empty()) {
        const std::optional<std::string> bytes = fileBytes(field);
        if (!bytes)
            return 2;
        if (!fieldRoute) {
            listLines(*bytes, std::cout);
            return 0;
        }
        playFieldRoute(route, *bytes, *fieldRoute, record);
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
