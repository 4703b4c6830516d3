#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// How a station's staff was read: backsight then foresight, or B1, F1, F2, B2.
enum class LevelingMethod { bf, bffb };

// The method as levels name it:  methodName(LevelingMethod::bffb) -> "BFFB"
std::string_view methodName(LevelingMethod method);

// A figure of the stations that second-order leveling limits, in metres, and whether it is
// outside the limit. The text is empty where the method has no such figure.
struct LimitedFigure {
    std::string metres;
    bool exceeded = false;
};

// One station as its readings give it. Every length is an exact decimal text in metres.
struct FieldStation {
    std::string label; // where the station ends: "块 0042" (GSI block number), "记录 8" (M5 Adr)
    std::string backsightPoint;
    std::string foresightPoint;
    std::string distance;                       // mean backsight + mean foresight distance
    std::string heightDifference;               // mean backsight - mean foresight reading
    LimitedFigure backsightDistance;            // mean; 3 m to 50 m
    LimitedFigure foresightDistance;            // mean; 3 m to 50 m
    LimitedFigure distanceDifference;           // backsight - foresight; at most 1.5 m either way
    LimitedFigure accumulatedDifference;        // along the line so far; at most 6.0 m either way
    LimitedFigure heightDifferenceDisagreement; // BFFB: (B1 - F1) - (B2 - F2); at most 0.6 mm
};

// The worst of each station figure along a line: shortest and longest sight, and the largest of
// the others either way (the first station's where two are as large).
struct LineWorst {
    LimitedFigure shortestSight;
    LimitedFigure longestSight;
    LimitedFigure distanceDifference;
    LimitedFigure accumulatedDifference;
    LimitedFigure heightDifferenceDisagreement; // empty for BF
};

// One levelling line of a field file: one section, from the point of its first block to the
// foresight point of its last station; its turning points are inside it.
struct FieldLine {
    std::size_t number = 0;   // in the file, from 1
    std::size_t fileLine = 0; // the file's line where it begins (GSI WI 41, M5 Start-Line)
    std::string from;
    std::string to;
    LevelingMethod method = LevelingMethod::bf;
    std::string distance;         // the sum of its stations' distances, exact, in metres
    std::string heightDifference; // the sum of its stations' height differences
    std::vector<FieldStation> stations;
    LineWorst worst;
    // Empty while the instrument's own figures agree with the readings; else why the line
    // cannot be taken as it stands, in the user's words, naming the station and its block.
    std::string unusableReason;

    std::size_t stationCount() const noexcept { return stations.size(); }
    bool usable() const noexcept { return unusableReason.empty(); }
};

// The levelling lines of a digital level's field file, from its bytes alone: GSI-16 (blocks
// beginning with "*"), GSI-8 (blocks beginning with a word index) or M5 (records beginning with
// "For M5"), lines ending in LF or CR LF. Pure: it touches nothing but what it returns. How each
// format's blocks make lines: gsi_file.h, m5_file.h.
//
// Every value is taken exactly in its own unit (mm, 1/10 mm, 1/100 mm, 1/1000 ft, 1/10 000 ft;
// M5 m, mm, ft with its decimals), and every sum and figure is exact: a text in metres with no
// trailing zero, "0" for nothing. Passed over unread: GSI blocks that begin with no levelling
// word (settings, counts, free text in any code page), a point block's words other than 32,
// 330 to 336, 83, 573 and 574, M5 texts other than Start-Line, End-Line and Station repeated, M5
// values of other types, KN records, and intermediate sights (GSI 330, 333, 334; M5 Rz).
//
// The instrument is checked at the start and at every station end: its height (GSI 83, M5 Z),
// and where written its distance balance (GSI 573), total distance (574), backsight and
// foresight totals (M5 Db, Df), must agree with the running figures of the readings within three
// units of the last digit it wrote. A backsight must stand on the previous foresight point, both
// foresights and the station end on the same point, and no M5 record of the line may be marked
// erroneous ("e" in column 119; a station replaced by a repeat is no longer the line's). A line
// failing any of these is kept, with its first failure as unusableReason:
//   "第 3 站（块 0042）：仪器记录的高程 12.34567 m，按读数推算为 11.68567 m，"
//   "相差 0.66000 m，这条线的记录可能被删改或重测过。"
//
// Examples, each file given by its blocks:
//   readFieldFile("*410001+?..............1 \n"
//                 "*110002+0000000005793MPI 83..18+0000000000000000 \n"
//                 "*110003+0000000005793MPI 32...8+0000000003043900 331.08+0000000000023395 \n"
//                 "*110004+0000000000000001 32...8+0000000003077300 332.08+0000000000164070 \n"
//                 "*110005+0000000000000001 573..8-0000000000033400 574..8+0000000006121200 "
//                 "83..08-0000000000140675 \n")
//     -> 1 line: number 1, fileLine 1, "5793MPI" to "1", BF, 1 station, distance "61.212",
//        heightDifference "-1.40675"; stations[0] label "块 0005", backsightDistance "30.439",
//        distanceDifference "-0.334"; usable
//   readFieldFile(the same station as M5 records, Adr 4 to 9) -> the same line, label "记录 8"
//   readFieldFile(tests/dialogue/golden/gsi16_bffb.gsi) -> 2 lines, "A" to "B" (distance
//     "101.5045", heightDifference "1.502455") and, from fileLine 13, "B" to "A" ("102.001",
//     "-1.503485"); the first station's heightDifferenceDisagreement "0.00002"
//
// Raises Error, its message in plain Chinese naming the file's line, for a file that cannot be
// taken:
//   more than mostTableBytes
//     -> "文件太大：观测文件最多 8 MB（8388608 字节），…"
//   a NUL byte
//     -> "第 4 行有空字符（NUL）：这不是水准仪的观测文件，…"
//   neither format
//     -> "这个文件不是水准仪的观测文件：第 1 行既不是 GSI 块（GSI-8、GSI-16），"
//        "也不是 M5 记录。"
//   an angle unit
//     -> "第 3 行：WI 32 的单位代码 3 是角度单位，视距、读数和高程不能用角度单位。"
//   a station missing a reading
//     -> "第 4 行：这一站在这里结束，但缺少前视读数 F1（BF 测站的读数应依次为 B1、F1）。"
//   an unknown method
//     -> "第 1 行：线路开始块（WI 41）的测量方法代码 3 不认识（已知 1 为 BF，…"
// and likewise for an unknown unit digit, a truncated or malformed word, a block of readings
// without WI 11, a reading without WI 32 or HD, a line without a station, a point name with a
// control character, an M5 record of the wrong width.
std::vector<FieldLine> readFieldFile(std::string_view bytes);

// Whether `bytes` are meant as a field file rather than a route table, from how they begin: the
// first line that is not blank starts as an M5 record ("For M5") or as a GSI word (maybe "*", six
// digits or dots, a sign). So a field file broken further on is still one, for readFieldFile to
// say where, while no route table begins so, not even one without a header.
//   isFieldFile("*410001+?..............2 \r\n…") -> true    isFieldFile("410001+?......1 \n…") ->
//   true isFieldFile("For M5|Adr     1|TO  Start-Line …") -> true
//   isFieldFile("点名,距离,实测高差,高程\n…") -> false     isFieldFile("1\t\t\t\t\t10\n…") -> false
bool isFieldFile(std::string_view bytes);

} // namespace velmora
