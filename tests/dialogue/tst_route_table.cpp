#include "core/errors.h"
#include "core/number_text.h"
#include "formats/field_run.h"
#include "formats/table_run.h"
#include "formats/text_decoding.h"
#include "tests/tools/scripted_user.h"

#include <QFile>
#include <QTest>
#include <charconv>
#include <sstream>
#include <string>
#include <vector>

using namespace velmora;
using namespace std::string_literals;

namespace {

// The worked route, 10 m at BM1 to 12 m at BM2 over P1, in the results table's layout.
const std::string workedTable =
    "点名\t距离（米）\t实测高差（米）\t改正数（毫米）\t改正后高差（米）"
    "\t高程（米）\nBM1\t\t\t\t\t10.000\nP1\t100\t1.01\t-5.00\t1.005\t11."
    "005\nBM2\t100\t1\t-5.00\t0.995\t12.000\n";
// What a run of it gives: Ha, Hb, the names, the total length and the misclosure fields.
const std::string workedOutcome = "10 12 BM1/P1/BM2   200 10.00 毫米";

std::string utf16(const std::string& text, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char16_t unit : QString::fromStdString(text).toStdU16String()) {
        const char high = static_cast<char>(unit >> 8u);
        const char low = static_cast<char>(unit & 0xFFu);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

std::string golden(const char* name) {
    QFile file(QStringLiteral(GOLDEN_DIR "/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read golden %s", name);
    return file.readAll().toStdString();
}

// The run of a table's bytes; or, with `route` ("1,2"), of those lines of a field file, the
// heights answered from `heights` as ScriptedUser reads answers.
TableRun tableOrFieldRun(const std::string& bytes, const std::string& route,
                         const std::string& heights) {
    if (route.empty())
        return runTable(bytes);
    std::vector<std::size_t> numbers;
    for (const char* at = route.data(); at < route.data() + route.size(); ++at)
        at = std::from_chars(at, route.data() + route.size(), numbers.emplace_back()).ptr;
    std::istringstream script(heights);
    std::ostringstream unread;
    ScriptedUser user(script, unread);
    return runFieldRoute(readFieldFile(bytes), numbers, user);
}

std::string outcome(const std::string& bytes, const std::string& route,
                    const std::string& heights) {
    try {
        const TableRun result = tableOrFieldRun(bytes, route, heights);
        std::string names;
        for (long k = 0; k <= result.route.closingIndex; ++k)
            names += (k > 0 ? "/" : "") + result.route.pointNames.at(k);
        const auto field = [&](DisplayField f) {
            return result.fieldTexts[static_cast<std::size_t>(f)];
        };
        std::string stations;
        const StationCounts& counts = result.route.sections.stationCounts;
        for (long i = 1; i < static_cast<long>(counts.size()); ++i)
            stations += (i > 1 ? "/" : " 测站数 ") + std::to_string(counts.at(i));
        return generalText(result.route.startHeight) + ' ' + generalText(result.route.endHeight) +
               ' ' + names + ' ' + field(DisplayField::sectionLengthField) +
               field(DisplayField::misclosureField) + stations;
    } catch (const Error& error) {
        return error.what();
    }
}

} // namespace

class TestRouteTable : public QObject {
    Q_OBJECT

private slots:
    void readsTheRouteOrSaysWhy_data() {
        QTest::addColumn<std::string>("bytes");
        QTest::addColumn<std::string>("route");   // a field file's lines; empty for a table
        QTest::addColumn<std::string>("heights"); // their Ha and Hb answers
        QTest::addColumn<std::string>("expected");
        const auto row = [](const char* name, const std::string& bytes,
                            const std::string& expected) {
            QTest::newRow(name) << bytes << std::string() << std::string() << expected;
        };
        const auto fieldRow = [](const char* name, const std::string& bytes, const char* route,
                                 const char* heights, const std::string& expected) {
            QTest::newRow(name) << bytes << std::string(route) << std::string(heights) << expected;
        };
        row("results table", workedTable + "Σ\t200\t2.01\t-10.00\t2.000\t\n\t\t\n闭合差\t10\n",
            workedOutcome);
        row("header in another order, 点号, units",
            "高程 (m),点号,实测高差(米),距离（米）\n10,BM1,,\n,P1,1.01,100\n12,BM2,1,100\n",
            workedOutcome);
        row("only column holding 高差",
            "点名,高差,距离,高程\nBM1,,,10\nP1,1.01,100,\nBM2,1,100,12\n", workedOutcome);
        row("no header, Σ row ends the points",
            "BM1\t\t\t\t\t10\nP1\t100\t1.01\t\t\t9\nBM2\t100\t1\t\t\t12\nΣ\t1\t1\n", workedOutcome);
        row("blanks, A's row of two cells",
            "  点名  距离 高差\u3000高程\nBM1 10\nP1 100 1.01\nBM2   100 1 12", workedOutcome);
        row("quoted cells, CRLF",
            "点名,距离,实测高差,高程\r\n\"B,M1\",,,10\r\n\"P\"\"1,2\",\"100\",1.01,\r\nBM2,100,1,"
            "12\r\n",
            "10 12 B,M1/P\"1,2/BM2   200 10.00 毫米");
        row("apostrophes", "点名,距离,实测高差,高程\n'=A,,,'+10\n''P1,100,1.01,\n'B,100,'-1,12\n",
            "10 12 =A/'P1/'B   200 -1990.00 毫米");
        row("numbers as typed",
            "点名,距离,实测高差,高程\nBM1,,,１０\nP1, 1e2 ,1。01,\nBM2,100.,1,12\n", workedOutcome);
        row("a blank row ends the points", workedTable + "\nP9\t1\t1\t\t\t1\n", workedOutcome);
        row("测站数 as typed, A's ignored",
            "点名,距离,测站数（站）,实测高差,高程\nBM1,,x,,10\n"
            "P1,100, ８ ,1.01,\nBM2,100,7.0,1,12\n",
            workedOutcome + " 测站数 8/7");
        row("results table with counts",
            "点名\t距离（米）\t实测高差（米）\t改正数（毫米）\t改正后高差（米）\t高程（米）\t"
            "测站数\nBM1\t\t\t\t\t10.000\t\nP1\t100\t1.01\t-5.0\t1.005\t11.005\t9999\n"
            "BM2\t100\t1\t-5.0\t0.995\t12.000\t1\nΣ\t200\t2.01\t-10.0\t2.000\t\t10000\n",
            workedOutcome + " 测站数 9999/1");
        row("no header: no counts",
            "BM1\t\t\t\t\t10\t\nP1\t100\t1.01\t\t\t\t8\nBM2\t100\t1\t\t\t12\t7\n", workedOutcome);
        row("UTF-8 with BOM", "\xEF\xBB\xBF" + workedTable, workedOutcome);
        row("UTF-16LE", utf16(workedTable, false), workedOutcome);
        row("UTF-16BE", utf16(workedTable, true), workedOutcome);
        row("GB18030",
            "\xB5\xE3\xC3\xFB,\xBE\xE0\xC0\xEB,\xB8\xDF\xB2\xEE,\xB8\xDF\xB3\xCC\n"
            "\xCB\xAE\xD7\xBC\xB5\xE3,,,10\nP1,100,1.01,\n\xBC\xD7,100,1,12\n",
            "10 12 水准点/P1/甲   200 10.00 毫米");

        const std::string header = "点名,距离,实测高差,高程\n";
        row("not a number", header + "A,,,10\nB,100,1,\nC,abc,1,12\n",
            "第 4 行“距离”不是数字：abc");
        row("empty distance", header + "A,,,10\nB,,1,12\n", "第 3 行没有“距离”。");
        row("too large", header + "A,,,10\nB,1,1e39,12\n", "第 3 行“实测高差”太大，无法计算：1e39");
        row("too small", header + "A,,,1e-50\nB,1,1,12\n",
            "第 2 行“高程”太接近 0，无法计算：1e-50");
        row("Ha missing", header + "A,,,\nB,1,1,12\n",
            "第 2 行是起始点 A，但没有“高程”：它的已知高程 Ha 是计算必需的。");
        row("Hb missing", header + "A,,,10\nB,1,1,\n",
            "第 3 行是闭合点 B，但没有“高程”：它的已知高程 Hb 是计算必需的。");
        row("one point", header + "A,,,10\n\nB,1,1,12\n",
            "表格里的点太少：至少要有起始点 A 和闭合点 B 两行，从 A 到 B 每个点一行。");
        std::string tooMany = "A\t\t\t\t\t1\n";
        for (int k = 1; k < 32769; ++k)
            tooMany += "P\t1\t1\t\t\t1\n";
        row("32769 points", tooMany,
            "表格里的点太多：最多能计算 32768 个点（起始点 A、闭合点 B 和 32766 个待定点），第 "
            "32769 行已是第 32769 个点。");
        row("two 距离", "点名,距离,高程,距离（米）\n",
            "第 1 行有两列都是“距离”：第 2 列和第 4 "
            "列。请删去其中一列或给它改名。");
        row("点名 and 点号", "点号,距离,实测高差,高程,点名\n",
            "第 1 行有两列都是“点名”：第 1 列和第 5 列。请删去其中一列或给它改名。");
        row("two columns holding 高差", "点名,距离,高差,改正后高差,高程\n",
            "第 1 行有几列的名字都含“高差”（第 3 列和第 4 "
            "列等），分不出哪一列是实测的：请把实测高差那一列改名为“实测高差”。");
        row("a column missing", "点名,实测高差,高程\n", "第 1 行是表头，但没有“距离”这一列。");
        const std::string counted = "点名,距离,实测高差,高程,测站数\nA,,,10,\n";
        for (const char* count : {"8.5", "0", "-3", "abc", "1e-400"})
            row((std::string("测站数 ") + count).c_str(), counted + "B,100,1,12," + count + "\n",
                std::string("第 3 行“测站数”不是正整数：") + count);
        row("测站数 too large", counted + "P,1,1,,10000\nB,1,1,12,1\n",
            "第 3 行“测站数”太大：一段最多 9999 站，这里是 10000。");
        row("测站数 beyond a double", counted + "B,1,1,12,1e400\n",
            "第 3 行“测站数”太大：一段最多 9999 站，这里是 1e400。");
        row("测站数 partly filled", counted + "P,1,1,,8\nB,1,1,12,\n",
            "第 4 行没有“测站数”：表格有“测站数”这一列时，每一段的测站数都要填在该段终点的那一行。"
            "不知道测站数，就删去这一列。");
        row("two 测站数", "点名,测站数,距离,实测高差,高程,测站数\n",
            "第 1 行有两列都是“测站数”：第 2 列和第 6 列。请删去其中一列或给它改名。");
        const auto badName = [](const char* rowNumber, const char* character) {
            return std::string("第 ") + rowNumber + " 行的“点名”里有" + character +
                   "：点名里不能有换行、制表符等控制字符。请在表格里改正这个点名后再读入。";
        };
        row("line break in A's quoted name", header + "\"B\nM1\",,,10\nB,1,1,12\n",
            badName("2", "换行符"));
        row("carriage return in B's name", header + "A,,,10\n\"B\r\",1,1,12\n",
            badName("3", "回车符"));
        row("tab in a quoted name",
            "点名\t距离\t实测高差\t高程\nA\t\t\t10\n\"P\t1\"\t1\t1\nB\t1\t1\t12\n",
            badName("3", "制表符"));
        row("escape in a name", header + "A,,,10\nP\x1B[1m,1,1,\nB,1,1,12\n",
            badName("3", "控制字符 U+001B"));
        row("delete in a name", header + "A,,,10\nB\x7F,1,1,12\n", badName("3", "控制字符 U+007F"));
        row("unclosed quote", header + "A,,,10\n\"B,1,1,12\n",
            "第 3 行的引号没有配对：一个格子以引号开头，但到表格末尾也没有结束它的引号。");
        row("a row wider than a spreadsheet", header + std::string(16384, ','),
            "第 2 行的格子太多：超过了 16384 "
            "格，电子表格的一行没有这么宽，这不是一条水准路线的表格。");
        row("zero total length", header + "A,,,10\nB,0,1,12\n",
            "路线全长为 0（各段的前后视距都为 0，或正负相抵），闭合差无法按距离分配。请检查各段的前"
            "后视距后重新计算。");
        const std::string notText =
            "这个文件不是文字表格：其中有空字符（NUL），像是程序、图片等二进制文件。";
        row("NUL byte", header + "A\0,,,10\n"s, notText);
        row("NUL in UTF-16", utf16("A\0,"s, false), notText);
        const std::string undecodable =
            "无法识别文件的文字编码：这个文件既不是 UTF-8、带字节顺序标记的 UTF-16，也不是 GB18030 "
            "(GBK) 编码的文字。请在电子表格中另存为“CSV UTF-8”或“文本文件（制表符分隔）”后再读入。";
        row("undecodable bytes", header + "\x80\xFF,,,10\n", undecodable);
        row("lone surrogate in UTF-16", "\xFF\xFE\x00\xD8"s, undecodable);
        row("over the size limit", std::string(mostTableBytes + 1, 'a'),
            "文件太大：表格文件最多 8 MB（8388608 字节），这个文件更大，不是一条水准路线的表格。");

        // A field file's lines answer all but the heights, which the user types as in a typed run.
        const std::string gsi8 = golden("gsi8_bf.gsi");
        const std::string gsi16 = golden("gsi16_bffb.gsi");
        fieldRow("field lines chained", gsi8, "1,2", "45.123\n\n45.18\n\n",
                 "45.123 45.18 BM1/BM2/BM3   351.9 -6.48 毫米 测站数 3/2");
        fieldRow("a section both ways, back to its start", gsi16, "1,2", "100\n\n100\n\n",
                 "100 100 A/B/A   203.5055 -1.03 毫米 测站数 2/2");
        fieldRow("one line alone", golden("m5_bf.dat"), "2", "11.3999\n\n11.1\n\n",
                 "11.3999 11.1 BM2/BM1   128.5 -0.10 毫米 测站数 2");
        fieldRow("Ha said wrong and typed again, Hb refused and typed again", gsi16, "1,2",
                 "99\n0\n100\n\nx\n\n100\n\n", "100 100 A/B/A   203.5055 -1.03 毫米 测站数 2/2");
        fieldRow("given up at Ha", gsi16, "1,2", "x\n<Cancel>\n", "已放弃本次计算。");
        fieldRow("lines that do not chain", gsi8, "2,1", "",
                 "第 2 条线（线号 1）从 BM1 开始，但上一条线到 BM3 为止，接不上。");
        fieldRow(
            "a line the instrument's heights part from",
            [&] {
                std::string parted = gsi8;
                return parted.replace(parted.find("83..08+04531558"), 15, "83..08+04597558");
            }(),
            "1,2", "",
            "线号 1 不能使用：第 2 站（块 0008）：仪器记录的高程 45.97558 m，按读数推算为 "
            "45.31558 m，相差 0.66000 m，这条线的记录可能被删改或重测过。");
        fieldRow(
            "a line of no length",
            [&] {
                std::string flat = gsi8;
                for (const char* sight :
                     {"32...0+00045500", "32...0+00045000", "32...0+00030000", "32...0+00031000"})
                    flat.replace(flat.find(sight), 15, "32...0+00000000");
                for (const char* total :
                     {"573..0+00000500 574..0+00090500", "573..0-00000500 574..0+00151500"})
                    flat.replace(flat.find(total), 31, "573..0+00000000 574..0+00000000");
                return flat;
            }(),
            "2", "45\n\n46\n\n",
            "路线全长为 0（各段的前后视距都为 0，或正负相抵），闭合差无法按距离分配。请检查各段"
            "的前后视距后重新计算。");
    }

    void readsTheRouteOrSaysWhy() {
        QFETCH(std::string, bytes);
        QFETCH(std::string, route);
        QFETCH(std::string, heights);
        QFETCH(std::string, expected);
        QCOMPARE(QString::fromStdString(outcome(bytes, route, heights)),
                 QString::fromStdString(expected));
    }
};

QTEST_APPLESS_MAIN(TestRouteTable)
#include "tst_route_table.moc"
