// Whole calculation runs answered from the fuzz input: numbers of every shape, names of any bytes,
// empty answers, cancels and rejections, in any order. No run may crash or hang, and a run that
// completes must leave a record that agrees with what was typed: the values last accepted, the
// sums in index order, and a closing height that misses Hb by no more than the rounding the
// arithmetic can accumulate on this route. Its results table keeps one text record for every row
// in CSV and in tab-separated text, whatever the names hold; and the same values written as a
// results table and read back must give the same record, to the bit, and the same field texts.
#include "core/number_reading.h"
#include "dialogue/calculation_run.h"
#include "dialogue/prompts.h"
#include "dialogue/report.h"
#include "formats/table_run.h"
#include "formats/table_text.h"
#include "formats/text_decoding.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace prompts = velmora::prompts;

namespace {

[[noreturn]] void fail(const char* why) {
    std::fprintf(stderr, "calculation run: %s\n", why);
    std::abort();
}

// The number between `start` and `end` in a numbered prompt: the 3 of the length prompt of
// section 3.
std::optional<long> numberIn(std::string_view message, std::string_view start,
                             std::string_view end) {
    if (!message.starts_with(start) || !message.ends_with(end) ||
        message.size() < start.size() + end.size())
        return std::nullopt;
    const std::string_view digits =
        message.substr(start.size(), message.size() - start.size() - end.size());
    long number = 0;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (result.ec != std::errc{} || result.ptr != digits.data() + digits.size())
        return std::nullopt;
    return number;
}

// What the user has typed so far, as the run should have stored it: a number prompt keeps the
// last answer that reads, a name prompt the last answer whatever it is.
struct TypedRoute {
    float startHeight = 0.0f;
    float endHeight = 0.0f;
    std::map<long, float> lengths;
    std::map<long, float> heightDiffs;
    std::map<long, std::string> names;
    std::optional<std::string> closingName;
    long section = 0; // the section whose length or height difference was asked last

    void note(std::string_view message, const velmora::Answer& answer) {
        const auto number = velmora::readSingle(answer.text);
        const auto store = [&](float& slot) {
            if (number)
                slot = number.value;
        };
        if (message == prompts::startHeightPrompt || message == prompts::startHeightReentryPrompt)
            store(startHeight);
        else if (message == prompts::endHeightPrompt || message == prompts::endHeightReentryPrompt)
            store(endHeight);
        else if (message == prompts::startNamePrompt)
            names[0] = answer.text;
        else if (message == prompts::closingNamePrompt)
            closingName = answer.text;
        else if (const auto point =
                     numberIn(message, prompts::pointNamePromptStart, prompts::pointNamePromptEnd))
            names[*point] = answer.text;
        else if (const auto lengthSection =
                     numberIn(message, prompts::lengthPromptStart, prompts::lengthPromptEnd)) {
            section = *lengthSection;
            store(lengths[section]);
        } else if (message == prompts::lengthReentryPrompt)
            store(lengths[section]);
        else if (const auto diffSection = numberIn(message, prompts::heightDiffPromptStart,
                                                   prompts::heightDiffPromptEnd)) {
            section = *diffSection;
            store(heightDiffs[section]);
        } else if (message == prompts::heightDiffReentryPrompt)
            store(heightDiffs[section]);
    }
};

constexpr std::array<std::string_view, 29> awkwardAnswers = {
    "1e38",     "-3.4e38", "3.4028235e38", "1e-45", "1e-38", "1.17549435e-38",
    "-0",       "0.0",     "1,5",          "inf",   "NaN",   "0x10",
    "1e39",     "1e-50",   " 12.5 ",       "+3",    "32766", "32767",
    "-1",       "-2",      "-0.5",         "2.5",   "１２",  "١٢",
    "１２．５", "－２",    "\u3000０",     "1e309", "1，5"};

// Answers every prompt from the fuzz input and writes down what the run should have stored. When
// the input is used up every prompt is cancelled and every refusal ends the run.
class FuzzedUser : public velmora::Prompter, public velmora::FieldWriter {
public:
    explicit FuzzedUser(FuzzedDataProvider& input)
        : input_(input) {}

    velmora::Answer ask(std::string_view message) override {
        velmora::Answer answer = nextAnswer();
        typed.note(message, answer);
        return answer;
    }

    bool offerRetry(std::string_view /*reason*/) override {
        return input_.remaining_bytes() > 0 && input_.ConsumeIntegralInRange(0, 7) != 0;
    }

    void show(velmora::DisplayField field, std::string_view text) override {
        fieldTexts[static_cast<std::size_t>(field)] = text;
    }

    TypedRoute typed;
    std::array<std::string, velmora::displayFieldCount> fieldTexts;

private:
    velmora::Answer nextAnswer() {
        if (input_.remaining_bytes() == 0)
            return {{}, true};
        switch (input_.ConsumeIntegralInRange(0, 8)) {
        case 0:
            return {{}, true};
        case 1:
            return {};
        case 2:
            return {"0", false};
        case 3:
            return {std::to_string(input_.ConsumeIntegralInRange(0, 4)), false};
        case 4:
            return {input_.ConsumeRandomLengthString(64), false};
        case 5:
            return {composedNumber(), false};
        case 6:
            return {anySingle(), false};
        case 7:
            return {std::string(input_.PickValueInArray(awkwardAnswers)), false};
        default:
            return {std::string(input_.ConsumeIntegralInRange<std::size_t>(0, 4096),
                                input_.ConsumeIntegral<char>()),
                    false};
        }
    }

    // Sign, digits, point and exponent, each present or not, so that huge and tiny exponents and
    // near-misses of the grammar come up as often as well-formed numbers.
    std::string composedNumber() {
        const auto digits = [&](std::size_t most) {
            std::string text;
            for (auto count = input_.ConsumeIntegralInRange<std::size_t>(0, most); count > 0;
                 --count)
                text += static_cast<char>('0' + input_.ConsumeIntegralInRange(0, 9));
            return text;
        };
        std::string text(input_.ConsumeIntegralInRange<std::size_t>(0, 2), ' ');
        text += input_.PickValueInArray({"", "+", "-"});
        text += digits(8);
        if (input_.ConsumeBool())
            text += "." + digits(8);
        if (input_.ConsumeBool())
            text += std::string("e") + input_.PickValueInArray({"", "+", "-"}) + digits(3);
        return text;
    }

    // Any finite single, written with enough digits to come back exactly.
    std::string anySingle() {
        const auto value = std::bit_cast<float>(input_.ConsumeIntegral<std::uint32_t>());
        if (!std::isfinite(value))
            return "nan";
        std::array<char, 32> text{};
        const int length =
            std::snprintf(text.data(), text.size(), "%.9g", static_cast<double>(value));
        return {text.data(), static_cast<std::size_t>(length)};
    }

    FuzzedDataProvider& input_;
};

double wide(float value) {
    return static_cast<double>(value);
}

// How far the closing benchmark's adjusted height may honestly miss Hb. Every single operation
// rounds its exact result r by at most u|r| + eta (eta covers underflow); followed through the
// run's arithmetic, with S the computed total length and S' its exact value, the miss is exactly
//   -E(fh) + fh (S - S') / S + (roundings of the carried heights, the corrections and -fh / S)
// where E(fh) is the error of the computed misclosure. Each term is bounded from the values
// the route itself holds, in double precision, which is exact enough for a bound on singles.
double closingBound(const velmora::LevelingRoute& route, const TypedRoute& typed) {
    constexpr double u = 0x1p-24;
    constexpr double eta = 0x1p-150;
    const long n = route.closingIndex;
    double sumError = 0.0;
    double lengthError = 0.0;
    double absoluteLengths = 0.0;
    // The running sums are carried from one section to the next, so they live outside the loop.
    // cppcheck-suppress variableScope
    float sum = 0.0f;
    // cppcheck-suppress variableScope
    float total = 0.0f;
    for (long i = 1; i <= n; ++i) {
        sum = typed.heightDiffs.at(i) + sum;
        total = typed.lengths.at(i) + total;
        sumError += u * std::abs(wide(sum)) + eta;
        lengthError += u * std::abs(wide(total)) + eta;
        absoluteLengths += std::abs(wide(typed.lengths.at(i)));
    }
    const double fh = std::abs(wide(route.misclosure));
    const double lengthSum = std::abs(wide(route.totalLength));
    const double misclosureError =
        sumError + u * std::abs(wide(route.sumHeightDiff) + wide(route.startHeight)) * (1 + u) +
        u * fh + 2 * eta;
    const double perMetre = fh / lengthSum * (1 + u) + eta;
    double carriedError = 0.0;
    for (long i = 1; i <= n; ++i) {
        const double carried =
            wide(route.adjustedHeights.at(i - 1)) + wide(typed.heightDiffs.at(i));
        carriedError += u * std::abs(carried) * (1 + u) +
                        u * std::abs(wide(route.adjustedHeights.at(i))) + 2 * eta;
    }
    const double bound = misclosureError + fh * lengthError / lengthSum + carriedError +
                         u * perMetre * absoluteLengths + static_cast<double>(n) * eta +
                         (u * perMetre + eta) * (lengthSum + lengthError);
    return bound * (1 + 0x1p-20);
}

// Takes the report's operations and counts what a page would hold; names and numbers of any length
// are accepted as they come.
class CountingPrinter : public velmora::ReportPrinter {
public:
    void setHorizontalPosition(int /*twips*/) override { afterEnd(); }
    void setVerticalPosition(int /*twips*/) override { afterEnd(); }
    void setFontName(std::string_view /*name*/) override { afterEnd(); }
    void setFontSize(int /*points*/) override { afterEnd(); }
    void printLine(int /*column*/, std::initializer_list<std::string_view> items) override {
        afterEnd();
        if (items.size() < 1 || items.size() > 3)
            fail("a report line of no or more than three items");
        ++lines;
    }
    void printEmptyLine() override { afterEnd(); }
    void endDocument() override {
        afterEnd();
        ended = true;
    }

    long lines = 0;
    bool ended = false;

private:
    void afterEnd() const {
        if (ended)
            fail("the report went on after its end");
    }
};

std::uint32_t bits(float value) {
    return std::bit_cast<std::uint32_t>(value);
}

void checkCompletedRun(const velmora::LevelingRoute& route, const TypedRoute& typed) {
    const long n = route.closingIndex;
    if (n < 1 || route.adjustedHeights.size() != static_cast<std::size_t>(n) + 1 ||
        route.pointNames.size() != static_cast<std::size_t>(n) + 1)
        fail("tables do not match the count");
    if (typed.lengths.size() != static_cast<std::size_t>(n) ||
        typed.heightDiffs.size() != static_cast<std::size_t>(n) ||
        typed.names.size() != static_cast<std::size_t>(n) || !typed.closingName)
        fail("the run asked for a different number of sections");
    for (long k = 0; k < n; ++k)
        if (route.pointNames.at(k) != typed.names.at(k))
            fail("a point name is not the one last typed");
    if (route.pointNames.at(n) != *typed.closingName)
        fail("the closing name is not the one last typed");
    if (bits(route.startHeight) != bits(typed.startHeight) ||
        bits(route.endHeight) != bits(typed.endHeight))
        fail("a benchmark height is not the one last typed");

    float sum = 0.0f;
    float total = 0.0f;
    for (long i = 1; i <= n; ++i) {
        sum = typed.heightDiffs.at(i) + sum;
        total = typed.lengths.at(i) + total;
    }
    if (bits(route.sumHeightDiff) != bits(sum) || bits(route.totalLength) != bits(total))
        fail("the sums are not the sums of the typed values in index order");
    if (bits(route.misclosure) != bits((route.sumHeightDiff + route.startHeight) - route.endHeight))
        fail("the misclosure is not (sum + Ha) - Hb");
    if (bits(route.adjustedHeights.at(0)) != bits(route.startHeight))
        fail("the first adjusted height is not Ha");
    const double miss = std::abs(wide(route.adjustedHeights.at(n)) - wide(route.endHeight));
    if (!(miss <= closingBound(route, typed))) {
        std::fprintf(stderr, "closing height %a, Hb %a, miss %a, bound %a\n",
                     wide(route.adjustedHeights.at(n)), wide(route.endHeight), miss,
                     closingBound(route, typed));
        fail("the closing height misses Hb by more than the rounding allows");
    }
}

// The records of a separated text, a quoted field's line breaks and doubled quotes counting as its
// own; a bare line break, or a line end other than `lineEnd`, fails.
std::size_t recordCount(std::string_view text, std::string_view lineEnd) {
    std::size_t records = 0;
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '"')
            quoted = !quoted;
        else if (!quoted && (text[i] == '\n' || text[i] == '\r')) {
            if (text.substr(i, lineEnd.size()) != lineEnd)
                fail("a line break outside quotes that ends no record");
            i += lineEnd.size() - 1;
            ++records;
        }
    }
    if (quoted)
        fail("a quoted field is never closed");
    return records;
}

void checkResultsTable(const velmora::LevelingRoute& route) {
    velmora::ResultsTable table;
    try {
        table = velmora::resultsTable(route);
    } catch (const velmora::ArithmeticError&) {
        return; // a correction in millimetres or a sum beyond a single
    }
    const std::string csv = velmora::csvText(table);
    if (!csv.starts_with("\xEF\xBB\xBF") ||
        recordCount(std::string_view(csv).substr(3), "\r\n") != table.rows.size() ||
        recordCount(velmora::tabSeparatedText(table), "\n") != table.rows.size())
        fail("the results table's texts do not hold one record for every row");
}

std::string shortestText(float value) {
    std::array<char, 32> text{};
    const auto result = std::to_chars(text.data(), text.data() + text.size(), value);
    return {text.data(), result.ptr};
}

// A name as a tab-separated results table holds it: quoted when it holds a quote, a tab or a line
// end, after an apostrophe when a spreadsheet would take it for a formula or its leading
// apostrophe for its own. Nothing for a name that cannot come back as it is: bytes that are not
// UTF-8 text of their own (the file would be decoded otherwise), a Σ, which could end the points,
// or a control character, which a table refuses in a name.
std::optional<std::string> nameCell(const std::string& name) {
    try {
        if (velmora::decodedText(name) != name)
            return std::nullopt;
    } catch (const velmora::Error&) {
        return std::nullopt;
    }
    if (name.find("Σ") != std::string::npos || name.find("∑") != std::string::npos)
        return std::nullopt;
    if (std::any_of(name.begin(), name.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }))
        return std::nullopt;
    std::string cell =
        !name.empty() && std::string_view("=+-@\t\r'").find(name[0]) != std::string_view::npos
            ? "'" + name
            : name;
    if (cell.find_first_of("\"\t\r\n") == std::string::npos)
        return cell;
    std::string quoted = "\"";
    for (const char c : cell)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + '"';
}

// The entered values of a completed run in the results table's layout: a header, A's row with
// its name and height, a row for every later point with the section that ends there, B's row
// with Hb, then the sums.
std::optional<std::string> enteredTable(const velmora::LevelingRoute& route,
                                        const TypedRoute& typed) {
    const long n = route.closingIndex;
    std::string table =
        "点名\t距离（米）\t实测高差（米）\t改正数（毫米）\t改正后高差（米）\t高程（米）\n";
    for (long k = 0; k <= n; ++k) {
        const std::optional<std::string> name = nameCell(route.pointNames.at(k));
        if (!name)
            return std::nullopt;
        table += *name;
        if (k > 0)
            table += '\t' + shortestText(typed.lengths.at(k)) + '\t' +
                     shortestText(typed.heightDiffs.at(k)) + "\t0\t0";
        else
            table += "\t\t\t\t";
        table += '\t';
        if (k == 0 || k == n)
            table += shortestText(k == 0 ? typed.startHeight : typed.endHeight);
        table += '\n';
    }
    return table + "Σ\t" + shortestText(route.totalLength) + '\t' +
           shortestText(route.sumHeightDiff) + "\n\n闭合差\t" + shortestText(route.misclosure) +
           '\n';
}

void checkTableRoundTrip(const velmora::LevelingRoute& route, const FuzzedUser& user) {
    const std::optional<std::string> table = enteredTable(route, user.typed);
    if (!table)
        return;
    velmora::TableRun read;
    try {
        read = velmora::runTable(*table);
    } catch (const velmora::Error& error) {
        std::fprintf(stderr, "%s\n", error.what());
        fail("the table of a completed run was refused");
    }
    const velmora::LevelingRoute& again = read.route;
    if (again.closingIndex != route.closingIndex || !again.resultsReached ||
        bits(again.startHeight) != bits(route.startHeight) ||
        bits(again.endHeight) != bits(route.endHeight) ||
        bits(again.misclosure) != bits(route.misclosure) ||
        bits(again.sumHeightDiff) != bits(route.sumHeightDiff) ||
        bits(again.totalLength) != bits(route.totalLength))
        fail("the table's run gives another record");
    for (long k = 0; k <= route.closingIndex; ++k)
        if (again.pointNames.at(k) != route.pointNames.at(k) ||
            bits(again.adjustedHeights.at(k)) != bits(route.adjustedHeights.at(k)))
            fail("the table's run gives another point");
    if (read.fieldTexts != user.fieldTexts)
        fail("the table's run shows other texts");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    FuzzedUser user(input);
    velmora::LevelingRoute route;
    bool completed = true;
    try {
        velmora::run(route, user, user);
    } catch (const velmora::Error&) {
        completed = false;
    }
    if (completed) {
        checkCompletedRun(route, user.typed);
        checkResultsTable(route);
        checkTableRoundTrip(route, user);
    }

    // A stopped run's record may stop its report too, but never past the record's bounds.
    CountingPrinter printer;
    try {
        velmora::printReport(route, printer);
    } catch (const velmora::Error&) {
        if (completed)
            fail("the report of a completed run did not build");
        return 0;
    }
    // The title, two benchmarks, the heading, every point, the misclosure and the total length.
    if (!printer.ended || printer.lines != route.closingIndex + 7)
        fail("the report does not hold one line for every point");
    return 0;
}
