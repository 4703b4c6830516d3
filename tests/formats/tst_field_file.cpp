#include "core/errors.h"
#include "formats/field_file.h"
#include "formats/field_line_list.h"
#include "formats/field_route.h"
#include "formats/text_decoding.h"

#include <QFile>
#include <QTest>
#include <array>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

using namespace velmora;
using namespace std::string_literals;

namespace {

std::string golden(const char* name) {
    QFile file(QStringLiteral(GOLDEN_DIR "/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read golden %s", name);
    return file.readAll().toStdString();
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    if (at == std::string::npos)
        qFatal("sample lacks %s", from.c_str());
    return text.replace(at, from.size(), to);
}

// One BF station: 5793MPI at 0 m, B 0.23395 at 30.439 m, F 1.64070 at 30.773 m to 1.
const std::string gsi16Station = "*410001+?..............1 \n"
                                 "*110002+0000000005793MPI 83..18+0000000000000000 \n"
                                 "*110003+0000000005793MPI 32...8+0000000003043900 "
                                 "331.08+0000000000023395 \n"
                                 "*110004+0000000000000001 32...8+0000000003077300 "
                                 "332.08+0000000000164070 \n"
                                 "*110005+0000000000000001 573..8-0000000000033400 "
                                 "574..8+0000000006121200 83..08-0000000000140675 \n";
const std::string gsi16StationLine = "1@1 5793MPI-1 BF 1 61.212 -1.40675";

struct M5Value {
    const char* type = "";
    std::string number;
    const char* unit = "";
};

// The fixed columns of one M5 record; the values are the caller's.
std::string m5Record(int address, const char* type, const std::string& information,
                     std::vector<M5Value> values = {}, char mark = ' ') {
    values.resize(3);
    std::array<char, 160> text{};
    std::snprintf(text.data(), text.size(), "For M5|Adr %5d|%-3s %-27s", address, type,
                  information.c_str());
    std::string record = text.data();
    for (const M5Value& value : values) {
        std::snprintf(text.data(), text.size(), "|%-2s %14s %-4s", value.type, value.number.c_str(),
                      value.unit);
        record += text.data();
    }
    return record + "|" + mark + "\r\n";
}

std::string m5Point(const std::string& name) {
    return std::string(8 - std::min<std::size_t>(name.size(), 8), ' ') + name +
           "                  1";
}

const std::string m5Station =
    m5Record(4, "TO", "Start-Line         BF     1") +
    m5Record(5, "KD1", m5Point("5793MPI"), {{}, {}, {"Z", "0.00000", "m"}}) +
    m5Record(6, "KD1", m5Point("5793MPI"), {{"Rb", "0.23395", "m"}, {"HD", "30.439", "m"}}) +
    m5Record(7, "KD1", m5Point("1"), {{"Rf", "1.64070", "m"}, {"HD", "30.773", "m"}}) +
    m5Record(8, "KD1", m5Point("1"), {{}, {}, {"Z", "-1.40675", "m"}}) +
    m5Record(9, "TO", "End-Line                  1");

// "number@fileLine from-to method stations distance heightDifference", and why a line cannot be
// used; or the file's refusal. Files of the same lines in other formats differ only in fileLine.
std::string linesOf(const std::string& bytes, bool withFileLines = true) {
    try {
        std::string text;
        for (const FieldLine& line : readFieldFile(bytes))
            text += (text.empty() ? "" : "\n") + std::to_string(line.number) +
                    (withFileLines ? "@" + std::to_string(line.fileLine) : "") + " " + line.from +
                    "-" + line.to + " " + std::string(methodName(line.method)) + " " +
                    std::to_string(line.stationCount()) + " " + line.distance + " " +
                    line.heightDifference + (line.usable() ? "" : " ✗ " + line.unusableReason);
        return text;
    } catch (const Error& error) {
        return error.what();
    }
}

std::string figureText(const LimitedFigure& figure) {
    return figure.metres + (figure.exceeded ? "!" : "");
}

// Every station's sights, their difference, its accumulation and the BFFB disagreement, then
// the line's worst of each, "!" marking what exceeds its limit.
std::string figuresOf(const FieldLine& line) {
    std::string text;
    const auto add = [&](std::initializer_list<const LimitedFigure*> figures) {
        for (const LimitedFigure* figure : figures)
            text += figureText(*figure) + " ";
        text.back() = '/';
    };
    for (const FieldStation& s : line.stations)
        add({&s.backsightDistance, &s.foresightDistance, &s.distanceDifference,
             &s.accumulatedDifference, &s.heightDifferenceDisagreement});
    const LineWorst& w = line.worst;
    add({&w.shortestSight, &w.longestSight, &w.distanceDifference, &w.accumulatedDifference,
         &w.heightDifferenceDisagreement});
    return text;
}

// A station of the tests' own files: readings and distances in 1/100 mm, in the order B1, F1,
// F2, B2 (BF: the first two only).
struct TestStation {
    std::array<long, 4> readings{};
    std::array<long, 4> distances{};

    // The mean of the backsight or foresight values, in halves of 1/100 mm.
    static long meanHalves(const std::array<long, 4>& values, bool bffb, bool backsight) {
        if (bffb)
            return backsight ? values[0] + values[3] : values[1] + values[2];
        return 2 * (backsight ? values[0] : values[1]);
    }
};

struct TestLine {
    bool bffb = false;
    std::vector<TestStation> stations;
};

// Writes lines as GSI-16 or M5 would hold them, the instrument's figures rounded to 1/100 mm
// from the exact running values, kept here in halves of that unit.
class TestWriter {
public:
    explicit TestWriter(bool m5)
        : m5_(m5) {}

    std::string file(const std::vector<TestLine>& lines) {
        for (std::size_t k = 0; k < lines.size(); ++k)
            line(lines[k], "BM" + std::to_string(k + 1), "BM" + std::to_string(k + 2));
        return text_;
    }

private:
    static std::string gsiWord(const char* index, long units) {
        std::array<char, 32> text{};
        std::snprintf(text.data(), text.size(), "%s%c%016ld ", index, units < 0 ? '-' : '+',
                      std::labs(units));
        return text.data();
    }
    static std::string decimal(long units) {
        std::array<char, 32> text{};
        std::snprintf(text.data(), text.size(), "%s%ld.%05ld", units < 0 ? "-" : "",
                      std::labs(units) / 100000, std::labs(units) % 100000);
        return text.data();
    }
    static long rounded(long halves) { return halves >= 0 ? (halves + 1) / 2 : (halves - 1) / 2; }

    std::string blockNumber() {
        std::array<char, 16> text{};
        std::snprintf(text.data(), text.size(), "%04d", ++block_ % 10000);
        return text.data();
    }

    void sight(const std::string& point, bool backsight, bool second, long reading, long distance) {
        if (m5_) {
            text_ += m5Record(
                ++block_, "KD1", m5Point(point),
                {{backsight ? "Rb" : "Rf", decimal(reading), "m"}, {"HD", decimal(distance), "m"}});
            return;
        }
        const char* index =
            backsight ? (second ? "335.08" : "331.08") : (second ? "336.08" : "332.08");
        text_ += "*11" + blockNumber() + "+" + std::string(16 - point.size(), '0') + point + " " +
                 gsiWord("32...8", distance) + gsiWord(index, reading) + "\n";
    }

    void end(const std::string& point) {
        if (m5_) {
            text_ += m5Record(++block_, "KD1", m5Point(point),
                              {{}, {}, {"Z", decimal(rounded(height_)), "m"}});
            return;
        }
        text_ += "*11" + blockNumber() + "+" + std::string(16 - point.size(), '0') + point + " " +
                 gsiWord("573..8", rounded(balance_)) + gsiWord("574..8", rounded(total_)) +
                 gsiWord("83..08", rounded(height_)) + "\n";
    }

    void line(const TestLine& line, const std::string& from, const std::string& to) {
        if (m5_)
            text_ +=
                m5Record(++block_, "TO",
                         line.bffb ? "Start-Line         BFFB   1" : "Start-Line         BF     1");
        else
            text_ += "*41" + blockNumber() + "+?.............." + (line.bffb ? "2" : "1") + "\n";
        balance_ = total_ = 0;
        end(from);
        for (std::size_t k = 0; k < line.stations.size(); ++k) {
            const TestStation& s = line.stations[k];
            // M5 names a turning point by leaving it blank.
            const std::string back = k == 0 ? from : m5_ ? "" : std::to_string(k);
            const std::string fore = k + 1 == line.stations.size() ? to
                                     : m5_                         ? ""
                                                                   : std::to_string(k + 1);
            sight(back, true, false, s.readings[0], s.distances[0]);
            sight(fore, false, false, s.readings[1], s.distances[1]);
            if (line.bffb) {
                sight(fore, false, true, s.readings[2], s.distances[2]);
                sight(back, true, true, s.readings[3], s.distances[3]);
            }
            const long backsight = TestStation::meanHalves(s.distances, line.bffb, true);
            const long foresight = TestStation::meanHalves(s.distances, line.bffb, false);
            height_ += TestStation::meanHalves(s.readings, line.bffb, true) -
                       TestStation::meanHalves(s.readings, line.bffb, false);
            balance_ += backsight - foresight;
            total_ += backsight + foresight;
            end(fore);
        }
        if (m5_)
            text_ += m5Record(++block_, "TO", "End-Line");
    }

    bool m5_;
    std::string text_;
    int block_ = 0;
    long height_ = 0; // halves of 1/100 mm, as are the two below
    long balance_ = 0;
    long total_ = 0;
};

// The exact text of halves of 1/100 mm (5 micrometres each), written independently of the reader.
std::string halvesText(long halves) {
    std::array<char, 32> text{};
    const long micrometres = std::labs(halves) * 5;
    std::snprintf(text.data(), text.size(), "%s%ld.%06ld", halves < 0 ? "-" : "",
                  micrometres / 1000000, micrometres % 1000000);
    std::string written = text.data();
    written.erase(written.find_last_not_of('0') + 1);
    if (written.back() == '.')
        written.pop_back();
    return written == "-0" ? "0" : written;
}

// A line as the reader gives one, for what is made of lines: its stations are there only to be
// counted.
FieldLine madeLine(std::size_t number, const char* from, const char* to,
                   const char* distance = "90", const char* difference = "1",
                   std::size_t stations = 1, const char* unusable = "") {
    FieldLine line;
    line.number = number;
    line.from = from;
    line.to = to;
    line.distance = distance;
    line.heightDifference = difference;
    line.stations.resize(stations);
    line.unusableReason = unusable;
    return line;
}

// The lines from `made` on, numbered from 1 in their order.
std::vector<FieldLine> numbered(std::vector<FieldLine> made) {
    for (std::size_t k = 0; k < made.size(); ++k)
        made[k].number = k + 1;
    return made;
}

// Every listed line, its cells joined by "|", " ✗" after one that cannot be ticked.
std::string listingOf(const std::vector<FieldLine>& lines) {
    std::string text;
    for (const ListedLine& listed : listedLines(lines)) {
        std::string row;
        for (const std::string& cell : listed.cells)
            row += (row.empty() ? "" : "|") + cell;
        text += (text.empty() ? "" : "\n") + row + (listed.tickable ? "" : " ✗");
    }
    return text;
}

const char* const parted =
    "第 2 站（块 0008）：仪器记录的高程 45.97558 m，按读数推算为 45.31558 m，"
    "相差 0.66000 m，这条线的记录可能被删改或重测过。";
const std::string tooManyStations =
    "这条线有 10000 站，一段最多 9999 站，超出了本程序能计算的范围。";

} // namespace

Q_DECLARE_METATYPE(TestLine)
Q_DECLARE_METATYPE(std::vector<FieldLine>)
Q_DECLARE_METATYPE(std::vector<std::size_t>)

class TestFieldFile : public QObject {
    Q_OBJECT

private slots:
    void readsLinesOrSaysWhy_data() {
        QTest::addColumn<std::string>("bytes");
        QTest::addColumn<std::string>("expected");
        const auto row = [](const char* name, const std::string& bytes,
                            const std::string& expected) {
            QTest::newRow(name) << bytes << expected;
        };
        const std::string gsi16Bffb = golden("gsi16_bffb.gsi");
        const std::string gsi8Bf = golden("gsi8_bf.gsi");
        const std::string m5Bf = golden("m5_bf.dat");
        const std::string gsi8Line2 = "2@12 BM2-BM3 BF 2 151.5 -1.64211";
        const std::string m5Line2 = "2@14 BM2-BM1 BF 2 128.5 -0.3";

        row("GSI-16 BF", gsi16Station, gsi16StationLine);
        row("GSI-16 BFFB, a section both ways, half units", gsi16Bffb,
            "1@1 A-B BFFB 2 101.5045 1.502455\n2@13 B-A BFFB 2 102.001 -1.503485");
        row("GSI-8 BF, mm distances", gsi8Bf, "1@1 BM1-BM2 BF 3 200.4 1.69263\n" + gsi8Line2);
        row("M5 BF, station repeated, intermediate sight", m5Bf,
            "1@1 BM1-BM2 BF 2 90.8 1.3999\n" + m5Line2);
        row("M5 one station", m5Station, "1@1 5793MPI-1 BF 1 61.212 -1.40675");
        row("M5 distance in feet",
            replaced(m5Station, "HD         30.439 m  ", "HD         99.865 ft "),
            "1@1 5793MPI-1 BF 1 61.211852 -1.40675");
        const auto m5Bffb = [](const std::string& totals) {
            return m5Record(1, "TO", "Start-Line         BFFB   1") +
                   m5Record(2, "KD1", m5Point("A"), {{}, {}, {"Z", "0.00000", "m"}}) +
                   m5Record(3, "KD1", m5Point("A"),
                            {{"Rb", "1.00000", "m"}, {"HD", "20.00", "m"}}) +
                   m5Record(4, "KD1", m5Point("P"),
                            {{"Rf", "0.50000", "m"}, {"HD", "21.00", "m"}}) +
                   m5Record(5, "KD1", m5Point(""), {{"Lv", "0.50004", "m"}, {"E", "21.02", "m"}}) +
                   m5Record(6, "KD1", m5Point(""),
                            {{"Rb", "1.00002", "m"}, {"HD", "20020", "mm"}}) +
                   m5Record(7, "KD1", m5Point(""),
                            {{"Db", "20.01", "m"}, {"Df", totals, "m"}, {"Z", "0.49999", "m"}}) +
                   m5Record(8, "TO", "End-Line");
        };
        row("M5 BFFB, German types, a distance in mm", m5Bffb("21.01"),
            "1@1 A-P BFFB 1 41.02 0.49999");
        row("M5 foresight total off by 4 cm", m5Bffb("21.05"),
            "1@1 A-P BFFB 1 41.02 0.49999 ✗ 第 1 站（记录 7）：仪器记录的前视距总和 21.05 m，按视距"
            "推算为 21.01 m，相差 0.04 m，这条线的记录可能被删改或重测过。");
        // B in 1/10 mm, F in 1/100 mm, distances in 1/1000 and 1/10 000 ft, heights in mm and in
        // 1/10 000 ft (101.00002152 m: the instrument's rounding of 100.99999 m).
        row("mixed units",
            "410001+?......1\n110002+0000000A 83..10+00100000\n"
            "110003+0000000A 32...1+00098425 331.06+00015000\n"
            "110004+0000000B 32...7+00984252 332.08+00050001\n110005+0000000B 83..07+03313649\n",
            "1@1 A-B BF 1 59.99994096 0.99999");
        row("settings, counts and Latin-1 text passed over",
            "*510001+Gyors z\xE1r\xE1s\n*290001+0000000000000003 \n" + gsi16Station,
            "1@3 5793MPI-1 BF 1 61.212 -1.40675");
        row("GSI intermediate sight",
            replaced(gsi16Station, "*110004+",
                     "*110004+00000000000000IP 32...8+0000000001500000 333.08+0000000000120000 \n"
                     "*110004+"),
            "1@1 5793MPI-1 BF 1 61.212 -1.40675");
        row("LF and CR LF alike", replaced(gsi16Station, " \n*1100", " \r\n*1100"),
            gsi16StationLine);

        row("heights parting from the readings",
            replaced(gsi8Bf, "83..08+04531558", "83..08+04597558"),
            "1@1 BM1-BM2 BF 3 200.4 1.69263 ✗ 第 2 站（块 0008）：仪器记录的高程 45.97558 m，按读数"
            "推算为 45.31558 m，相差 0.66000 m，这条线的记录可能被删改或重测过。\n" +
                gsi8Line2);
        row("574 three mm off, within the instrument's rounding",
            replaced(gsi8Bf, "574..0+00200400", "574..0+00200403"),
            "1@1 BM1-BM2 BF 3 200.4 1.69263\n" + gsi8Line2);
        row("574 four mm off", replaced(gsi8Bf, "574..0+00200400", "574..0+00200404"),
            "1@1 BM1-BM2 BF 3 200.4 1.69263 ✗ 第 3 站（块 0011）：仪器记录的累积视距 200.404 m，按"
            "视距推算为 200.400 m，相差 0.004 m，这条线的记录可能被删改或重测过。\n" +
                gsi8Line2);
        row("573 of the start",
            replaced(gsi16Station, "83..18+", "573..8+0000000000000009 83..18+"),
            gsi16StationLine + " ✗ 起点（块 0002）：仪器记录的视距差累积 0.00009 m，按视距推算为 "
                               "0.00000 m，相差 0.00009 m，这条线的记录可能被删改或重测过。");
        row("a backsight off the chain", replaced(gsi8Bf, "110006+00000001", "110006+00000009"),
            "1@1 BM1-BM2 BF 3 200.4 1.69263 ✗ 第 2 站（块 0006）：后视点是 9，但上一站的前视点是 "
            "1，测站没有首尾相接，这条线的记录可能被删改过。\n" +
                gsi8Line2);
        const std::string m5Line1 = "1@1 BM1-BM2 BF 2 90.8 1.3999";
        row("M5 record marked erroneous",
            replaced(m5Bf, "|HD         25.200 m   |                      | ",
                     "|HD         25.200 m   |                      |e"),
            m5Line1 +
                " ✗ 第 2 站（记录 11）：仪器把这条记录标为有误（e），这条线不能照原样使用。\n" +
                m5Line2);
        row("M5 erroneous record of a repeated station",
            replaced(m5Bf, "|HD         25.000 m   |                      | \r\nFor M5|Adr     8",
                     "|HD         25.000 m   |                      |e\r\nFor M5|Adr     8"),
            m5Line1 + "\n" + m5Line2);

        row("over the size limit", std::string(mostTableBytes + 1, '*'),
            "文件太大：观测文件最多 8 MB（8388608 字节），这个文件更大，不是水准仪的观测文件。");
        row("NUL byte", replaced(gsi16Station, "?.", "?\0"s),
            "第 1 行有空字符（NUL）：这不是水准仪的观测文件，像是程序、图片等二进制文件。");
        row("neither format", "点名,距离\n",
            "这个文件不是水准仪的观测文件：第 1 行既不是 GSI 块（GSI-8、GSI-16），也不是 M5 "
            "记录。");
        row("only blanks", " \r\n\t\n", "这个文件是空的，里面没有水准仪的观测记录。");
        row("angle unit",
            replaced(gsi16Station, "32...8+0000000003043900", "32...3+0000000003043900"),
            "第 3 行：WI 32 的单位代码 3 是角度单位，视距、读数和高程不能用角度单位。");
        row("unknown unit", replaced(gsi16Station, "332.08", "332.09"),
            "第 4 行：WI 332 的单位代码 9 不认识：长度的单位代码只有 0、1、6、7、8。");
        row("a plain count as a height", replaced(gsi16Station, "83..08", "83...."),
            "第 5 行：WI 83 没有单位（第 6 位是“.”），读不出它是多长。");
        row("truncated word", replaced(gsi16Station, "0000000000164070 \n", "0000000000164 \n"),
            "第 4 行：第 3 个词不完整：GSI-16 的词有 23 个字符，这里只有 20 个。");
        row("malformed data", replaced(gsi16Station, "0000000000164070", "00000000001640x0"),
            "第 4 行：WI 332 的数据不是数字。");
        row("reading too large", replaced(gsi16Station, "0000000000164070", "9999999999999999"),
            "第 4 行：WI 332 的值太大，不像水准测量的记录。");
        row("block without its point",
            replaced(gsi16Station, "*110003+0000000005793MPI 32...8", "*32...8"),
            "第 3 行：这个块以 WI 32 开头，没有点号（WI 11），不知道它属于哪个点。");
        row("reading without its distance", replaced(gsi16Station, "32...8+0000000003077300 ", ""),
            "第 4 行：读数（WI 332）没有视距（WI 32）。");
        row("station missing its foresight",
            replaced(gsi16Station,
                     "*110004+0000000000000001 32...8+0000000003077300 332.08+0000000000164070 \n",
                     ""),
            "第 4 行：这一站在这里结束，但缺少前视读数 F1（BF 测站的读数应依次为 B1、F1）。");
        row("file ending in a station", gsi8Bf.substr(0, gsi8Bf.rfind("110019")),
            "第 18 行：这条线在这里结束，但最后一站的读数之后没有结束这一站的高程（GSI 的 WI "
            "83、M5 的 Z）。");
        row("BFFB readings out of order",
            replaced(gsi16Bffb, "336.08+0000000000098771", "335.08+0000000000098771"),
            "第 5 行：BFFB 测站的读数应依次为 B1、F1、F2、B2，然后结束这一站；这里的读数 B2 "
            "不合这个次序。");
        row("unknown method digit", replaced(gsi16Station, "?..............1", "?..............3"),
            "第 1 行：线路开始块（WI 41）的测量方法代码 3 不认识（已知 1 为 BF，2 为 BFFB），"
            "无法确定测站读数的次序。");
        row("unknown M5 method", replaced(m5Station, "BF     1", "aBF    1"),
            "第 1 行：Start-Line 的测量方法 aBF 不认识（已知 BF、BFFB），无法确定测站读数的次序。");
        row("line without a station",
            "*410001+?..............1 \n*110002+000000000000000A 83..18+0000000000000000 \n" +
                gsi16Station,
            "第 1 行开始的这条线没有一个测站。");
        row("no line at all", "*510001+Gyors z\xE1r\xE1s\n",
            "文件里没有一条水准线：GSI 文件的线从 WI 41 的块开始，M5 文件的线从 Start-Line "
            "记录开始。");
        row("control character in a GSI name",
            replaced(gsi16Station, "05793MPI 32", "05793\x01PI 32"),
            "第 3 行：点名 5793<0x01>PI 含有控制字符，不是仪器记录的点名。");
        row("control character in an M5 name",
            replaced(m5Station, " 5793MPI      ", " 5793MP\x7F      "),
            "第 2 行：点名 5793MP<0x7F> 含有控制字符，不是仪器记录的点名。");
        row("M5 reading without its distance",
            replaced(m5Station, "HD         30.773 m", "                   "),
            "第 4 行：读数 Rf 没有视距（HD）。");
        row("M5 record cut short",
            replaced(m5Station, "   |                      | \r\nFor M5|Adr     5",
                     "\r\nFor M5|Adr     5"),
            "第 1 行：不是完整的 M5 记录：一条记录有 119 个字符（不算行尾），以“For M5|Adr”开头，各"
            "栏以“|”分隔。");
        row("M5 station repeated inside a station",
            replaced(
                m5Bf,
                m5Record(10, "KD1", m5Point(""), {{"Rb", "1.40010", "m"}, {"HD", "25.100", "m"}}),
                m5Record(10, "KD1", m5Point(""), {{"Rb", "1.40010", "m"}, {"HD", "25.100", "m"}}) +
                    m5Record(10, "TO", "Station repeated")),
            "第 11 行：测站重测（Station repeated）出现在一站的读数中间，分不出哪些读数作废。");
    }

    void readsLinesOrSaysWhy() {
        QFETCH(std::string, bytes);
        QFETCH(std::string, expected);
        QCOMPARE(QString::fromStdString(linesOf(bytes)), QString::fromStdString(expected));
    }

    void figuresAgainstLimits_data() {
        QTest::addColumn<TestLine>("line");
        QTest::addColumn<std::string>("expected");
        // Each limit met exactly, then passed: sights of 50 m and 3 m, a difference of 1.5 m and
        // an agreement to 0.6 mm, then 0.7 mm, 1.6 m, 50.5 m and an accumulation of 6.4 m.
        QTest::newRow("BFFB")
            << TestLine{true,
                        {{{150000, 100000, 100020, 150080}, {5000000, 4850000, 4850000, 5000000}},
                         {{120000, 110000, 110000, 120070}, {300000, 460000, 460000, 300000}},
                         {{130000, 120000, 120000, 130000}, {5050000, 4400000, 4400000, 5050000}}}}
            << std::string("50 48.5 1.5 1.5 -0.0006/3 4.6 -1.6! -0.1 -0.0007!/"
                           "50.5! 44 6.5! 6.4! 0/3 50.5! 6.5! 6.4! -0.0007!/");
        // A sight just short of 3 m, then an accumulation of exactly 6 m and one just past it.
        QTest::newRow("BF") << TestLine{false,
                                        {{{150000, 100000}, {299999, 300000}},
                                         {{150000, 100000}, {4500001, 3900000}},
                                         {{150000, 100000}, {1000001, 1000000}}}}
                            << std::string("2.99999! 3 -0.00001 -0.00001 /45.00001 39 6.00001! 6 /"
                                           "10.00001 10 0.00001 6.00001! /"
                                           "2.99999! 45.00001 6.00001! 6.00001! /");
    }

    void figuresAgainstLimits() {
        QFETCH(TestLine, line);
        QFETCH(std::string, expected);
        for (const bool m5 : {false, true}) {
            const std::vector<FieldLine> lines = readFieldFile(TestWriter(m5).file({line}));
            QCOMPARE(QString::fromStdString(figuresOf(lines.at(0))),
                     QString::fromStdString(expected));
            QVERIFY(lines.at(0).usable());
        }
    }

    void listsLinesForPicking_data() {
        QTest::addColumn<std::vector<FieldLine>>("lines");
        QTest::addColumn<std::string>("expected");
        QTest::newRow("GSI-16 BFFB, a section both ways")
            << readFieldFile(golden("gsi16_bffb.gsi"))
            << std::string("1|A|B|BFFB|2|101.5045|1.502455|20.001|30.5005|-1.001|-1.001|0.00002|"
                           "-1.03（与线号 2）|±1.28|\n"
                           "2|B|A|BFFB|2|102.001|-1.503485|20.5|30.4|0.5|0.799|-0.00002|"
                           "-1.03（与线号 1）|±1.28|");
        QTest::newRow("M5 both ways, misclosure over the limit")
            << readFieldFile(golden("m5_bf.dat"))
            << std::string(
                   "1|BM1|BM2|BF|2|90.8|1.3999|20|25.2|-0.5|-0.6||1099.9 超限（与线号 2）|"
                   "±1.32|\n"
                   "2|BM2|BM1|BF|2|128.5|-0.3|29.5|35|1|1.5||1099.9 超限（与线号 1）|±1.32|");
        QTest::newRow("GSI-8 lines one way only")
            << readFieldFile(golden("gsi8_bf.gsi"))
            << std::string("1|BM1|BM2|BF|3|200.4|1.69263|24.8|40.5|-0.5|-0.36||||\n"
                           "2|BM2|BM3|BF|2|151.5|-1.64211|30|45.5|-1|0.5||||");
        const TestLine overLimits{
            true,
            {{{150000, 100000, 100020, 150080}, {5000000, 4850000, 4850000, 5000000}},
             {{120000, 110000, 110000, 120070}, {300000, 460000, 460000, 300000}},
             {{130000, 120000, 120000, 130000}, {5050000, 4400000, 4400000, 5050000}}}};
        QTest::newRow("station figures over their limits")
            << readFieldFile(TestWriter(false).file({overLimits}))
            << std::string("1|BM1|BM2|BFFB|3|200.6|0.70065|3|50.5 超限|6.5 超限|6.4 超限|"
                           "-0.0007 超限|||");
        QTest::newRow("an unusable line: its reason, and no partner")
            << numbered({madeLine(0, "A", "B"), madeLine(0, "B", "A", "90", "-1", 1, parted)})
            << "1|A|B|BF|1|90|1||||||||\n2|B|A|BF|1|90|-1||||||||" + std::string(parted) + " ✗";
        QTest::newRow("a section three times: the first two pair")
            << numbered({madeLine(0, "A", "B"), madeLine(0, "B", "A", "90", "-0.9995"),
                         madeLine(0, "A", "B")})
            << std::string("1|A|B|BF|1|90|1||||||0.5（与线号 2）|±1.20|\n"
                           "2|B|A|BF|1|90|-0.9995||||||0.5（与线号 1）|±1.20|\n"
                           "3|A|B|BF|1|90|1||||||||");
        // 4√K for K = 0.09 km is 1.2 mm exactly.
        QTest::newRow("misclosure at its limit, and a hundredth of a micrometre over")
            << numbered({madeLine(0, "A", "B", "90", "0.0006"),
                         madeLine(0, "B", "A", "90", "0.0006"),
                         madeLine(0, "C", "D", "90", "0.0006"),
                         madeLine(0, "D", "C", "90", "0.00060001")})
            << std::string("1|A|B|BF|1|90|0.0006||||||1.2（与线号 2）|±1.20|\n"
                           "2|B|A|BF|1|90|0.0006||||||1.2（与线号 1）|±1.20|\n"
                           "3|C|D|BF|1|90|0.0006||||||1.20001 超限（与线号 4）|±1.20|\n"
                           "4|D|C|BF|1|90|0.00060001||||||1.20001 超限（与线号 3）|±1.20|");
        QTest::newRow("loops on one point pair with none")
            << numbered({madeLine(0, "A", "A"), madeLine(0, "A", "A")})
            << std::string("1|A|A|BF|1|90|1||||||||\n2|A|A|BF|1|90|1||||||||");
        QTest::newRow("more stations than a section may have")
            << numbered({madeLine(0, "A", "B", "90", "1", 10000)})
            << "1|A|B|BF|10000|90|1||||||||" + tooManyStations + " ✗";
    }

    void listsLinesForPicking() {
        QFETCH(std::vector<FieldLine>, lines);
        QFETCH(std::string, expected);
        QCOMPARE(QString::fromStdString(listingOf(lines)), QString::fromStdString(expected));
    }

    void checksTheRoute_data() {
        QTest::addColumn<std::vector<std::size_t>>("numbers");
        QTest::addColumn<std::string>("expected"); // "✓ " or "✗ ", then what the 测段表 says
        const auto row = [](const char* name, const std::vector<std::size_t>& numbers,
                            const std::string& expected) {
            QTest::newRow(name) << numbers << expected;
        };
        row("chained", {1, 2}, "✓ 路线从 A 到 B，共 2 段，1 个待定点。");
        row("one line", {1}, "✓ 路线从 A 到 P1，共 1 段，0 个待定点。");
        row("back to its start", {1, 2, 4}, "✓ 路线从 A 到 A，共 3 段，2 个待定点。");
        row("a break", {1, 3}, "✗ 第 2 条线（线号 3）从 P2 开始，但上一条线到 P1 为止，接不上。");
        row("ticked in the wrong order", {2, 1},
            "✗ 第 2 条线（线号 1）从 A 开始，但上一条线到 B 为止，接不上。");
        row("nothing ticked", {},
            "✗ 请按路线的次序勾选测段：先勾从起始点 A 出发的那条线，再依次勾到闭合点 B 为止。");
        row("no such line", {1, 7}, "✗ 文件里没有线号 7：这个文件的线号从 1 到 6。");
        row("line 0", {0}, "✗ 文件里没有线号 0：这个文件的线号从 1 到 6。");
        row("a line twice", {1, 2, 4, 1}, "✗ 线号 1 勾选了两次：一条线在路线里只能用一次。");
        row("an unusable line", {1, 5}, "✗ 线号 5 不能使用：" + std::string(parted));
        row("more stations than a section may have", {1, 6},
            "✗ 线号 6 不能使用：" + tooManyStations);
    }

    void checksTheRoute() {
        QFETCH(std::vector<std::size_t>, numbers);
        QFETCH(std::string, expected);
        const std::vector<FieldLine> lines =
            numbered({madeLine(0, "A", "P1"), madeLine(0, "P1", "B"), madeLine(0, "P2", "B"),
                      madeLine(0, "B", "A"), madeLine(0, "P1", "B", "90", "1", 1, parted),
                      madeLine(0, "P1", "C", "90", "1", 10000)});
        const RouteCheck check = checkRoute(lines, numbers);
        QCOMPARE(QString::fromStdString((check.runnable ? "✓ " : "✗ ") + check.message),
                 QString::fromStdString(expected));
    }

    // A record holds 32767 sections, and no more.
    void checksTheRouteSize_data() {
        QTest::addColumn<std::size_t>("sections");
        QTest::addColumn<std::string>("expected");
        QTest::newRow("32767") << std::size_t{32767}
                               << std::string("✓ 路线从 A 到 A，共 32767 段，32766 个待定点。");
        QTest::newRow("32768") << std::size_t{32768}
                               << std::string("✗ 勾选了 32768 条线：本程序最多能计算 32767 段（"
                                              "32766 个待定点）。");
    }

    void checksTheRouteSize() {
        QFETCH(std::size_t, sections);
        QFETCH(std::string, expected);
        const std::vector<FieldLine> lines = numbered(std::vector(sections, madeLine(0, "A", "A")));
        std::vector<std::size_t> numbers(sections);
        for (std::size_t k = 0; k < sections; ++k)
            numbers[k] = k + 1;
        const RouteCheck check = checkRoute(lines, numbers);
        QCOMPARE(QString::fromStdString((check.runnable ? "✓ " : "✗ ") + check.message),
                 QString::fromStdString(expected));
    }

    void opensWithTheWholeRouteOrNone_data() {
        QTest::addColumn<std::vector<FieldLine>>("lines");
        QTest::addColumn<std::vector<std::size_t>>("expected");
        QTest::newRow("a section both ways")
            << readFieldFile(golden("gsi16_bffb.gsi")) << std::vector<std::size_t>{1, 2};
        QTest::newRow("chained around a line that cannot be a section")
            << numbered({madeLine(0, "A", "B"), madeLine(0, "B", "C", "90", "1", 1, parted),
                         madeLine(0, "B", "C"), madeLine(0, "C", "D", "90", "1", 10000)})
            << std::vector<std::size_t>{1, 3};
        QTest::newRow("lines that do not chain")
            << numbered({madeLine(0, "A", "B"), madeLine(0, "C", "D")})
            << std::vector<std::size_t>{};
        QTest::newRow("no line that can be a section")
            << numbered({madeLine(0, "A", "B", "90", "1", 1, parted)})
            << std::vector<std::size_t>{};
    }

    void opensWithTheWholeRouteOrNone() {
        QFETCH(std::vector<FieldLine>, lines);
        QFETCH(std::vector<std::size_t>, expected);
        QCOMPARE(initialRoute(lines), expected);
    }

    // Stations drawn at random, written as GSI-16 and as M5, must come back to their exact sums.
    void randomStationsComeBackExactly() {
        std::mt19937 random(20240611);
        const auto draw = [&](long low, long high) {
            return std::uniform_int_distribution<long>(low, high)(random);
        };
        std::vector<TestLine> lines;
        std::string expected;
        for (int stationsLeft = 300; stationsLeft > 0;) {
            TestLine& line = lines.emplace_back();
            line.bffb = draw(0, 1) == 1;
            const int count = static_cast<int>(std::min<long>(draw(1, 12), stationsLeft));
            stationsLeft -= count;
            long distance = 0;
            long rise = 0;
            for (int k = 0; k < count; ++k) {
                TestStation& s = line.stations.emplace_back();
                for (long& reading : s.readings)
                    reading = draw(30000, 280000);
                for (long& sight : s.distances)
                    sight = draw(300000, 5000000);
                distance += TestStation::meanHalves(s.distances, line.bffb, true) +
                            TestStation::meanHalves(s.distances, line.bffb, false);
                rise += TestStation::meanHalves(s.readings, line.bffb, true) -
                        TestStation::meanHalves(s.readings, line.bffb, false);
            }
            expected += (expected.empty() ? "" : "\n") + std::to_string(lines.size()) + " BM" +
                        std::to_string(lines.size()) + "-BM" + std::to_string(lines.size() + 1) +
                        (line.bffb ? " BFFB " : " BF ") + std::to_string(count) + " " +
                        halvesText(distance) + " " + halvesText(rise);
        }
        for (const bool m5 : {false, true})
            QCOMPARE(QString::fromStdString(linesOf(TestWriter(m5).file(lines), false)),
                     QString::fromStdString(expected));
    }
};

QTEST_APPLESS_MAIN(TestFieldFile)
#include "tst_field_file.moc"
