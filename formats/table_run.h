#pragma once

#include "core/leveling_route.h"
#include "dialogue/display_field.h"
#include "dialogue/prompter.h"
#include "formats/route_table.h"

#include <array>
#include <string>
#include <string_view>

namespace velmora {

// A finished run of a route read from a table: the record and the final text of every field, to
// be applied to the window together, and only when the run got this far.
struct TableRun {
    LevelingRoute route;
    std::array<std::string, displayFieldCount> fieldTexts; // indexed by DisplayField
};

// Watches a table's run as a user would see it: every prompt, every field written.
class RunObserver : public FieldWriter {
public:
    virtual void asked(std::string_view message) = 0;
};

// Watches nothing: for a run whose result is all its caller needs.
class NoObserver final : public RunObserver {
public:
    void asked(std::string_view /*message*/) override {}
    void show(DisplayField /*field*/, std::string_view /*text*/) override {}
};

// Reads a route from a table file's bytes (readRouteTable) and runs it through the calculation
// run, each cell's text answered to its prompt as if typed and every value confirmed with Enter:
// the same route gives the same digits whether it was typed or read. A 测站数 column's counts are
// handed to the run beside the answers and kept in route.sections.stationCounts; without one they
// are unknown, as after a typed run. Pure: it touches nothing but what it returns, so it may run on
// any thread.
//   runTable(bytes of "点名,距离,实测高差,高程\nBM1,,,10\nP1,100,1.01,\nBM2,100,1,12")
//     -> fieldTexts[misclosureField] " 10.00 毫米", fieldTexts[resultHeightField] "12.000",
//        route.pointNames.at(1) "P1", route.sections.stationCounts absent
//   the same with a 测站数 column of 8 and 7 -> the same fields, stationCounts.at(1) 8, .at(2) 7
// Raises Error with the message for the user when the table is refused or the run stops (a total
// length of 0 gives the run's own message); nothing of such a table is returned.
TableRun runTable(std::string_view bytes);

// The same, with `observer` told of every prompt and field write as they happen, for a
// transcript of the run.
TableRun runTable(std::string_view bytes, RunObserver& observer);

// Runs a route already read as runTable runs it, except that A's and B's heights are not the
// table's (its startHeight and endHeight are not read): every prompt from Ha's to Hb's
// confirmation, values asked again and refusals included, is handed on to `heights`, who shows
// them to the user; `observer` is told of the prompts the table answers and of every field.
// For a route whose heights no file knows, as a field file knows none.
//   runTableAskingHeights(BM1 -> P1 -> BM2, 100 m and 1.01, 100 m and 1, heights answering
//     "10", "", "12", "") -> the same fields as runTable of the worked route
//   the same with heights answering "10", "0", "11", "", "12", "" -> Ha 11, the same Hb
// Raises what the run raises, Abandoned where `heights` gives up at a refusal; nothing of the
// route is returned then.
TableRun runTableAskingHeights(const RouteTable& table, Prompter& heights, RunObserver& observer);

} // namespace velmora
