#pragma once

#include "formats/field_file.h"
#include "formats/field_length.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace velmora {

// How messages name where a figure stands: "块 0042" (GSI block number), "记录 8" (M5 Adr).
using RecordLabel = std::string;

// One reading of a line's chain with the distance to its staff, as the file gives them.
struct Sight {
    std::string point;
    RecordLabel label;
    Nanometres reading = 0;
    Nanometres distance = 0;
    bool markedErroneous = false;
};

// Where the instrument states its running figures at a point: the block or record that starts a
// line or ends a station. The figures other than the height are written by some instruments only.
struct StationEnd {
    std::string point;
    RecordLabel label;
    InstrumentFigure height;                         // GSI 83, M5 Z
    std::optional<InstrumentFigure> distanceBalance; // GSI 573
    std::optional<InstrumentFigure> totalDistance;   // GSI 574
    std::optional<InstrumentFigure> backsightTotal;  // M5 Db
    std::optional<InstrumentFigure> foresightTotal;  // M5 Df
    bool markedErroneous = false;
};

struct RecordedStation {
    std::vector<Sight> backsights; // B1, and B2 for BFFB
    std::vector<Sight> foresights; // F1, and F2 for BFFB
    StationEnd end;
};

// A line as its file recorded it, before any arithmetic: complete stations in the method's order.
struct RecordedLine {
    std::size_t fileLine = 0;
    LevelingMethod method = LevelingMethod::bf;
    StationEnd start;
    std::vector<RecordedStation> stations; // at least one
};

enum class SightSlot { b1, f1, f2, b2 };

// Puts one line together from what a reader meets in file order, refusing, with the file line,
// whatever does not make a line: a reading before the start, readings out of the method's order
// (BF: B1 F1; BFFB: B1 F1 F2 B2), a station ended without all of them, a line without a station.
//   LineAssembly line(bf, 1); line.addEnd(A at 0 m, 2); line.addSight(b1, …, 3);
//   line.addSight(f1, …, 4); line.addEnd(P1, 5); std::move(line).finished(6)
//     -> a line from A with one station
//   line.addSight(f1, …, 3) right after the start raises "第 3 行：BF 测站的读数应依次为
//     B1、F1，然后结束这一站；这里的读数 F1 不合这个次序。"
class LineAssembly {
public:
    LineAssembly(LevelingMethod method, std::size_t fileLine);

    // The point the next station's backsight stands on: the last station's foresight point, or
    // the start.
    const std::string& chainPoint() const;
    // The station in progress's foresight point; empty before its first foresight.
    std::string stationForesight() const;
    // The slot a backsight or a foresight takes next in the station in progress, for a file that
    // does not tell B1 from B2.
    SightSlot nextSlot(bool backsight) const;

    void addSight(SightSlot slot, Sight sight, std::size_t fileLine);
    // The line's start when nothing has come yet, else the end of the station in progress.
    void addEnd(StationEnd end, std::size_t fileLine);
    // Drops the last station: the next one measures it again. Refused in the middle of a station
    // and before the first; a second one before that station is the same repeat.
    void repeatStation(std::size_t fileLine);

    // The line, once `fileLine` (the next line's start, or the file's last line) closes it.
    RecordedLine finished(std::size_t fileLine) &&;

private:
    std::size_t sightsRead() const;
    void checkComplete(std::size_t fileLine, std::string_view ending) const;

    RecordedLine line_;
    bool started_ = false;
    RecordedStation station_;
    bool repeating_ = false;
};

} // namespace velmora
