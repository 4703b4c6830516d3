#include "dialogue/calculation_run.h"
#include "formats/misclosure_limits.h"
#include "formats/results_file_name.h"
#include "formats/table_run.h"
#include "formats/table_text.h"
#include "tests/tools/scripted_user.h"

#include <QTest>
#include <array>
#include <bit>
#include <functional>
#include <limits>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>

using namespace velmora;

namespace {

// Answers for a route whose sections all have the given length and height difference; every
// confirmation and result prompt is answered with an empty OK.
std::string routeScript(long points, const std::string& ha, const std::string& hb,
                        const std::string& length, const std::string& heightDiff) {
    std::string script = std::to_string(points) + '\n' + ha + "\n\n" + hb + "\n\n";
    for (long k = 0; k <= points; ++k)
        script.append("P")
            .append(std::to_string(k))
            .append("\n\n")
            .append(length)
            .append("\n\n")
            .append(heightDiff)
            .append("\n\n");
    script += "B\n\n";
    script.append(static_cast<std::size_t>(points) + 2, '\n');
    return script;
}

std::uint32_t bits(float value) {
    return std::bit_cast<std::uint32_t>(value);
}

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// A finished route of one 100 m section from A to B, every height 0.
LevelingRoute namedRoute(const QString& a, const QString& b) {
    LevelingRoute route;
    route.sections = startRoute(route, 1);
    route.pointNames.at(0) = a.toStdString();
    route.pointNames.at(1) = b.toStdString();
    route.sections.sectionLengths.at(1) = route.totalLength = 100.0f;
    route.resultsReached = true;
    return route;
}

const std::string workedScript =
    "1\n10\n\n12\n\nBM1\n\n100\n\n1.01\n\nP1\n\n100\n\n1\n\nBM2\n\n\n\n\n";

// The worked route as a table whose sections have the given station counts.
std::string countedTable(const std::string& first, const std::string& second) {
    return "点名,距离,实测高差,高程,测站数\nBM1,,,10,\nP1,100,1.01,," + first + "\nBM2,100,1,12," +
           second + "\n";
}

// The clipboard's text of the worked route's results table, "|" for a tab.
const char* const workedResults =
    "点名|距离（米）|实测高差（米）|改正数（毫米）|改正后高差（米）|高程（米）\n"
    "BM1|||||10.000\n"
    "P1|100|1.01|-5.0|1.005|11.005\n"
    "BM2|100|1|-5.0|0.995|12.000\n"
    "Σ|200|2.01|-10.0|2.000|\n"
    "\n"
    "闭合差 fh（毫米）|10.00\n"
    "路线全长 L（千米）|0.200\n"
    "二等平地限差 ±4√L（毫米）|1.8|超限\n"
    "三等平地限差 ±12√L（毫米）|5.4|超限\n"
    "四等平地限差 ±20√L（毫米）|8.9|超限\n"
    "五等平地限差 ±30√L（毫米）|13.4|合格\n"
    "图根平地限差 ±40√L（毫米）|17.9|合格\n"
    "结论（平地）|满足五等限差\n"
    "说明|山地限差按测站数计算，本程序不输入测站数，故只列平地限差\n";

} // namespace

class TestCalculationRun : public QObject {
    Q_OBJECT

private slots:
    void workedExampleFillsTheRecord() {
        LevelingRoute route;
        const std::string record =
            playRun(route, "1\n10\n\n12\n\nBM1\n\n100\n\n1.01\n\nP1\n\n100\n\n1\n\nBM2\n\n\n\n\n");
        QVERIFY2(record.find("error") == std::string::npos, record.c_str());
        QCOMPARE(route.closingIndex, std::int16_t{2});
        QCOMPARE(bits(route.startHeight), bits(10.0f));
        QCOMPARE(bits(route.endHeight), bits(12.0f));
        QCOMPARE(bits(route.sumHeightDiff), bits(1.01f + 1.0f));
        QCOMPARE(bits(route.totalLength), bits(200.0f));
        QCOMPARE(bits(route.misclosure), bits((1.01f + 1.0f + 10.0f) - 12.0f));
        const float perMetre = -route.misclosure / 200.0f;
        const float p1 = (10.0f + 1.01f) + 100.0f * perMetre;
        const float b = (p1 + 1.0f) + 100.0f * perMetre;
        const std::array expected{10.0f, p1, b};
        for (long i = 0; i <= 2; ++i)
            QCOMPARE(bits(route.adjustedHeights.at(i)),
                     bits(expected.at(static_cast<std::size_t>(i))));
        QCOMPARE(route.pointNames.at(0), std::string("BM1"));
        QCOMPARE(route.pointNames.at(1), std::string("P1"));
        QCOMPARE(route.pointNames.at(2), std::string("BM2"));
    }

    void secondShorterRunLeavesNoTraceOfTheFirst() {
        LevelingRoute route;
        playRun(route, routeScript(3, "10", "12", "50", "0.5"));
        QCOMPARE(route.pointNames.size(), std::size_t{5});
        playRun(route, routeScript(0, "1", "2", "10", "1"));
        QCOMPARE(route.closingIndex, std::int16_t{1});
        QCOMPARE(route.pointNames.size(), std::size_t{2});
        QCOMPARE(route.adjustedHeights.size(), std::size_t{2});
        QCOMPARE(route.pointNames.at(1), std::string("B"));
        QCOMPARE(bits(route.adjustedHeights.at(1)), bits(2.0f));
        QVERIFY_THROWS_EXCEPTION(SubscriptOutOfRange, route.pointNames.at(2));
    }

    // The largest count fills every table; one more overflows before anything is shown or reset.
    void countLimits() {
        LevelingRoute route;
        const std::string largest = playRun(route, routeScript(32766, "0", "0", "1", "0"));
        QVERIFY(largest.find("error") == std::string::npos);
        QCOMPARE(route.closingIndex, std::int16_t{32767});
        QCOMPARE(route.adjustedHeights.size(), std::size_t{32768});
        QCOMPARE(bits(route.totalLength), bits(32767.0f));

        const std::string tooMany = playRun(route, "32767\n");
        QCOMPARE(tooMany.substr(0, tooMany.find('\n')),
                 std::string("ask ") +
                     "请输入待定点的点数 N  : ( 不包括起始点 A 和闭合点 B,仅限于待定点 )");
        QVERIFY(tooMany.find("show") == std::string::npos);
        QVERIFY(tooMany.find("error 待定点的点数 32767 太大：本程序最多能计算 32766 个待定点。") !=
                std::string::npos);
        QCOMPARE(route.closingIndex, std::int16_t{32767});
        QCOMPARE(route.adjustedHeights.size(), std::size_t{32768});
    }

    // A driver's counts are kept with the sections; counts that do not fit its own answers stop
    // the run before the record changes.
    void driverCountsGoWithTheSections() {
        LevelingRoute route;
        StationCounts counts;
        counts.reset(3);
        counts.at(1) = 8;
        counts.at(2) = mostSectionStations;
        const auto runWith = [&route](StationCounts given) {
            std::istringstream script(workedScript);
            std::ostringstream record;
            ScriptedUser user(script, record);
            run(route, user, user, std::move(given));
        };
        runWith(counts);
        QCOMPARE(route.sections.stationCounts.at(2), mostSectionStations);
        QCOMPARE(totalStations(route.sections), std::optional<long>(8 + mostSectionStations));

        StationCounts longer;
        longer.reset(4);
        StationCounts empty = counts;
        empty.at(1) = 0;
        StationCounts tooMany = counts;
        tooMany.at(2) = mostSectionStations + 1;
        for (StationCounts& wrong : {std::ref(longer), std::ref(empty), std::ref(tooMany)}) {
            QVERIFY_THROWS_EXCEPTION(std::invalid_argument, runWith(wrong));
            QVERIFY(route.resultsReached);
            QCOMPARE(route.sections.stationCounts.at(1), 8);
        }
        runWith(StationCounts());
        QVERIFY(!totalStations(route.sections));
    }

    // The count is rounded after 1 is added, half-way to even; a count below 0 is asked again.
    void countRounding_data() {
        QTest::addColumn<QString>("count");
        QTest::addColumn<int>("closingIndex");
        QTest::newRow("whole") << "3" << 4;
        QTest::newRow("blanks and sign") << " +2 " << 3;
        QTest::newRow("half to even down") << "1.5" << 2;
        QTest::newRow("half to even up") << "2.5" << 4;
        QTest::newRow("below half") << "0.4" << 1;
        QTest::newRow("small negative fraction rounds to no points") << "-0.4" << 1;
        // -0.5 + 1 rounds to even 0, a count of -1: refused, so the record is never reset.
        QTest::newRow("half below zero is refused") << "-0.5" << 0;
        QTest::newRow("last that fits") << "32765.5" << 32766;
        QTest::newRow("exponent") << "2e0" << 3;
    }
    void countRounding() {
        QFETCH(QString, count);
        QFETCH(int, closingIndex);
        LevelingRoute route;
        playRun(route, count.toStdString() + '\n');
        QCOMPARE(int{route.closingIndex}, closingIndex);
    }

    // An abandoned run keeps what it stored: here the sums and the misclosure, but no heights, and
    // none of the sections of the finished run before it.
    void zeroTotalLengthKeepsTheRecordAsFarAsItGot() {
        LevelingRoute route;
        playRun(route, workedScript);
        const std::string record = playRun(route, routeScript(1, "10", "12", "0", "1.5"));
        QVERIFY2(endsWith(record,
                          "error 路线全长为 0（各段的前后视距都为 0，或正负相抵），闭合差无法"
                          "按距离分配。请检查各段的前后视距后重新计算。\n"),
                 record.c_str());
        QCOMPARE(bits(route.sumHeightDiff), bits(3.0f));
        QCOMPARE(bits(route.misclosure), bits(1.0f));
        QCOMPARE(route.pointNames.at(2), std::string("B"));
        QCOMPARE(bits(route.adjustedHeights.at(0)), bits(0.0f));
        QVERIFY(!route.sections.heightDiffs.present());
    }

    // A refused answer stores nothing: the value in the record is the one finally accepted.
    void refusedAnswersStoreNothing_data() {
        QTest::addColumn<QString>("answers");
        QTest::addColumn<float>("startHeight");
        QTest::newRow("retried") << "abc\n\n7.5\n" << 7.5f;
        QTest::newRow("cancel then retried") << "<Cancel>\n\n-2\n" << -2.0f;
        QTest::newRow("rejected and re-entered") << "3\n0\n4\n" << 4.0f;
    }
    void refusedAnswersStoreNothing() {
        QFETCH(QString, answers);
        QFETCH(float, startHeight);
        LevelingRoute route;
        playRun(route, "0\n" + answers.toStdString() + "\n");
        QCOMPARE(bits(route.startHeight), bits(startHeight));
    }

    // The results table as the clipboard's text ("|" stands for a tab), for finished runs and
    // stopped ones, typed or read from a table with station counts.
    void resultsTable_data() {
        QTest::addColumn<QString>("answers"); // typed after the table; none when empty
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("table"); // a route table run first; none when empty
        QTest::newRow("worked route") << QString::fromStdString(workedScript)
                                      << QString::fromUtf8(workedResults) << QString();
        QTest::newRow("negative heights, one section")
            << "0\n-5\n\n-7.5\n\nA\n\n50\n\n-2.49\n\nB\n\n\n\n"
            << QString::fromUtf8(
                   "点名|距离（米）|实测高差（米）|改正数（毫米）|改正后高差（米）|高程（米）\n"
                   "A|||||-5.000\n"
                   "B|50|-2.49|-10.0|-2.500|-7.500\n"
                   "Σ|50|-2.49|-10.0|-2.500|\n"
                   "\n"
                   "闭合差 fh（毫米）|10.00\n"
                   "路线全长 L（千米）|0.050\n"
                   "二等平地限差 ±4√L（毫米）|0.9|超限\n"
                   "三等平地限差 ±12√L（毫米）|2.7|超限\n"
                   "四等平地限差 ±20√L（毫米）|4.5|超限\n"
                   "五等平地限差 ±30√L（毫米）|6.7|超限\n"
                   "图根平地限差 ±40√L（毫米）|8.9|超限\n"
                   "结论（平地）|超出图根限差\n"
                   "说明|山地限差按测站数计算，本程序不输入测站数，故只列平地限差\n")
            << QString();
        const QString nothingToKeep = QString::fromUtf8(
            "还没有可以打印的计算结果：请先单击“进行计算”，完成一次计算后再打印。");
        QTest::newRow("stopped run")
            << QString::fromStdString(routeScript(1, "10", "12", "0", "1.5")) << nothingToKeep
            << QString();
        const QString countedHead = QString::fromUtf8(
            "点名|距离（米）|实测高差（米）|改正数（毫米）|改正后高差（米）|高程（米）|测站数\n"
            "BM1|||||10.000|\n");
        const QString flatLimits = QString::fromUtf8("二等平地限差 ±4√L（毫米）|1.8|超限\n"
                                                     "三等平地限差 ±12√L（毫米）|5.4|超限\n"
                                                     "四等平地限差 ±20√L（毫米）|8.9|超限\n"
                                                     "五等平地限差 ±30√L（毫米）|13.4|合格\n"
                                                     "图根平地限差 ±40√L（毫米）|17.9|合格\n");
        QTest::newRow("counts, 10 stations a kilometre")
            << QString()
            << countedHead +
                   QString::fromUtf8("P1|100|1.01|-5.0|1.005|11.005|1\n"
                                     "BM2|100|1|-5.0|0.995|12.000|1\n"
                                     "Σ|200|2.01|-10.0|2.000||2\n"
                                     "\n"
                                     "闭合差 fh（毫米）|10.00\n"
                                     "路线全长 L（千米）|0.200\n"
                                     "测站数 n|2\n") +
                   flatLimits +
                   QString::fromUtf8("三等山地限差 ±4√n（毫米）|5.7|超限\n"
                                     "四等山地限差 ±6√n（毫米）|8.5|超限\n"
                                     "图根山地限差 ±12√n（毫米）|17.0|合格\n"
                                     "结论（平地）|满足五等限差\n"
                                     "说明|每公里 10.0 站，不多于 16 站，按平地限差评定\n")
            << QString::fromStdString(countedTable("1", "1"));
        QTest::newRow("counts, 20 stations a kilometre")
            << QString()
            << countedHead +
                   QString::fromUtf8("P1|100|1.01|-5.0|1.005|11.005|3\n"
                                     "BM2|100|1|-5.0|0.995|12.000|1\n"
                                     "Σ|200|2.01|-10.0|2.000||4\n"
                                     "\n"
                                     "闭合差 fh（毫米）|10.00\n"
                                     "路线全长 L（千米）|0.200\n"
                                     "测站数 n|4\n") +
                   flatLimits +
                   QString::fromUtf8("三等山地限差 ±4√n（毫米）|8.0|超限\n"
                                     "四等山地限差 ±6√n（毫米）|12.0|合格\n"
                                     "图根山地限差 ±12√n（毫米）|24.0|合格\n"
                                     "结论（山地）|满足四等限差\n"
                                     "说明|每公里 20.0 站，多于 16 站，按山地限差评定\n")
            << QString::fromStdString(countedTable("3", "1"));
        // A typed run knows no counts: those of the table before it must not be taken for its own.
        QTest::newRow("typed run after counts")
            << QString::fromStdString(workedScript) << QString::fromUtf8(workedResults)
            << QString::fromStdString(countedTable("3", "1"));
        QTest::newRow("stopped run after counts")
            << QString::fromStdString(routeScript(1, "10", "12", "0", "1.5")) << nothingToKeep
            << QString::fromStdString(countedTable("3", "1"));
    }
    void resultsTable() {
        QFETCH(QString, answers);
        QFETCH(QString, expected);
        QFETCH(QString, table);
        LevelingRoute route;
        if (!table.isEmpty())
            route = runTable(table.toStdString()).route;
        if (!answers.isEmpty())
            playRun(route, answers.toStdString());
        try {
            QCOMPARE(QString::fromStdString(tabSeparatedText(velmora::resultsTable(route))),
                     expected.replace('|', '\t'));
        } catch (const Error& error) {
            QCOMPARE(QString::fromUtf8(error.what()), expected);
        }
    }

    // A's name as the first cell of its row in each text form; numbers keep their own cells.
    void textForms_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("tsv");
        QTest::addColumn<QString>("csv");
        QTest::addColumn<QString>("html");
        const std::array<std::array<const char*, 5>, 12> rows = {{
            {"formula", "=SUM(2)", "'=SUM(2)", "'=SUM(2)", "&#39;=SUM(2)"},
            {"plus", "+1", "'+1", "'+1", "&#39;+1"},
            {"minus", "-x", "'-x", "'-x", "&#39;-x"},
            {"at", "@a", "'@a", "'@a", "&#39;@a"},
            {"tab", "\tx", "\"'\tx\"", "'\tx", "&#39;\tx"},
            {"carriage return", "\rx", "\"'\rx\"", "\"'\rx\"", "&#39;\rx"},
            {"comma", "a,b", "a,b", "\"a,b\"", "a,b"},
            {"apostrophe", "'P", "''P", "''P", "&#39;&#39;P"},
            // moc does not read raw string literals that hold a quote.
            // NOLINTNEXTLINE(modernize-raw-string-literal)
            {"quote", "5\"", "\"5\"\"\"", "\"5\"\"\"", "5&quot;"},
            {"newline", "a\nb", "\"a\nb\"", "\"a\nb\"", "a\nb"},
            {"markup", "<P&1>", "<P&1>", "<P&1>", "&lt;P&amp;1&gt;"},
            {"plain", "点 1", "点 1", "点 1", "点 1"},
        }};
        for (const auto& row : rows)
            QTest::newRow(row[0]) << QString::fromUtf8(row[1]) << QString::fromUtf8(row[2])
                                  << QString::fromUtf8(row[3]) << QString::fromUtf8(row[4]);
    }
    void textForms() {
        QFETCH(QString, name);
        QFETCH(QString, tsv);
        QFETCH(QString, csv);
        QFETCH(QString, html);
        const ResultsTable table = velmora::resultsTable(namedRoute(name, "B"));
        const std::string tsvText = tabSeparatedText(table);
        const std::string csvForm = csvText(table);
        const std::string htmlForm = htmlText(table);
        QVERIFY2(tsvText.find("\n" + tsv.toStdString() + "\t\t\t\t\t0.000\nB\t100\t0\t") !=
                     std::string::npos,
                 tsvText.c_str());
        QVERIFY2(csvForm.find("\r\n" + csv.toStdString() + ",,,,,0.000\r\nB,100,0,") !=
                     std::string::npos,
                 csvForm.c_str());
        QVERIFY2(htmlForm.find("<tr><td style=\"mso-number-format:'\\@'\">" + html.toStdString() +
                               "</td>") != std::string::npos,
                 htmlForm.c_str());
        QVERIFY(csvForm.starts_with("\xEF\xBB\xBF点名,距离（米）,"));
        // Excel reads mso-number-format, LibreOffice Calc sdval and sdnum.
        QVERIFY(
            htmlForm.find(
                "<td style=\"mso-number-format:General\" sdval=\"100\" sdnum=\"2052;\">100</td>"
                "<td style=\"mso-number-format:General\" sdval=\"0\" sdnum=\"2052;\">0</td>"
                "<td style=\"mso-number-format:'0.0'\" sdval=\"0.0\" sdnum=\"2052;0;0.0\">0.0</td>"
                "<td style=\"mso-number-format:'0.000'\" sdval=\"0.000\" "
                "sdnum=\"2052;0;0.000\">0.000</td>") != std::string::npos);
        QVERIFY(htmlForm.find("<td style=\"mso-number-format:'0.00'\" sdval=\"0.00\" "
                              "sdnum=\"2052;0;0.00\">0.00</td>") != std::string::npos);
    }

    // The misclosure field's tooltip; the unrounded fh is compared with each limit.
    void misclosureLimits_data() {
        QTest::addColumn<float>("misclosure");
        QTest::addColumn<float>("totalLength");
        QTest::addColumn<QString>("tail");
        QTest::addColumn<int>("stations"); // of the route's one section; unknown when 0
        QTest::newRow("worked route")
            << (1.01f + 1.0f + 10.0f) - 12.0f << 200.0f
            << QString::fromUtf8("闭合差 fh = 10.00 毫米，路线全长 L = 0.200 千米\n"
                                 "平地限差 ±k√L（毫米）：\n二等 ±1.8 超限\n三等 ±5.4 超限\n"
                                 "四等 ±8.9 超限\n五等 ±13.4 合格\n图根 ±17.9 合格\n满足五等限差")
            << 0;
        QTest::newRow("at the limit") << -0.004f << 1000.0f
                                      << QString::fromUtf8("二等 ±4.0 合格\n三等 ±12.0 合格\n"
                                                           "四等 ±20.0 合格\n五等 ±30.0 合格\n"
                                                           "图根 ±40.0 合格\n满足二等限差")
                                      << 0;
        QTest::newRow("just over") << 0.0041f << 1000.0f
                                   << QString::fromUtf8("二等 ±4.0 超限\n三等 ±12.0 合格\n"
                                                        "四等 ±20.0 合格\n五等 ±30.0 合格\n"
                                                        "图根 ±40.0 合格\n满足三等限差")
                                   << 0;
        QTest::newRow("beyond every grade")
            << 0.05f << 1000.0f << QString::fromUtf8("图根 ±40.0 超限\n超出图根限差") << 0;
        QTest::newRow("negative length")
            << 0.01f << -100.0f
            << QString::fromUtf8("闭合差 fh = 10.00 毫米，路线全长 L = -0.100 千米\n"
                                 "路线全长为负，无法计算平地限差")
            << 0;
        // 15 mm on 1 km is 四等 on flat ground and 三等 on hilly ground of 16 stations or more.
        QTest::newRow("16 stations a kilometre")
            << 0.015f << 1000.0f
            << QString::fromUtf8("图根 ±40.0 合格\n测站数 n = 16\n山地限差 ±k√n（毫米）：\n"
                                 "三等 ±16.0 合格\n四等 ±24.0 合格\n图根 ±48.0 合格\n"
                                 "每公里 16.0 站，不多于 16 站，按平地限差评定\n满足四等限差")
            << 16;
        QTest::newRow("17 stations a kilometre")
            << 0.015f << 1000.0f
            << QString::fromUtf8("图根 ±40.0 合格\n测站数 n = 17\n山地限差 ±k√n（毫米）：\n"
                                 "三等 ±16.5 合格\n四等 ±24.7 合格\n图根 ±49.5 合格\n"
                                 "每公里 17.0 站，多于 16 站，按山地限差评定\n满足三等限差")
            << 17;
        QTest::newRow("16.04 stations a kilometre")
            << 0.065f << 25000.0f
            << QString::fromUtf8("三等 ±80.1 合格\n四等 ±120.1 合格\n图根 ±240.3 合格\n"
                                 "每公里 16.0 站，多于 16 站，按山地限差评定\n满足三等限差")
            << 401;
        QTest::newRow("stations on a negative length")
            << 0.01f << -100.0f
            << QString::fromUtf8("闭合差 fh = 10.00 毫米，路线全长 L = -0.100 千米\n测站数 n = 5\n"
                                 "山地限差 ±k√n（毫米）：\n三等 ±8.9 超限\n四等 ±13.4 合格\n"
                                 "图根 ±26.8 合格\n"
                                 "路线全长为负，无法计算每公里的测站数，按平地限差评定\n"
                                 "路线全长为负，无法计算平地限差")
            << 5;
        QTest::newRow("stations on a length that is 0 in kilometres")
            << 0.0f << std::numeric_limits<float>::denorm_min()
            << QString::fromUtf8("每公里的测站数太多，超出了本程序能计算的范围，按山地限差评定\n"
                                 "满足三等限差")
            << 1;
    }
    void misclosureLimits() {
        QFETCH(float, misclosure);
        QFETCH(float, totalLength);
        QFETCH(QString, tail);
        QFETCH(int, stations);
        LevelingRoute route = namedRoute("A", "B");
        if (stations > 0) {
            route.sections.stationCounts.reset(2);
            route.sections.stationCounts.at(1) = stations;
        }
        route.misclosure = misclosure;
        route.totalLength = totalLength;
        const std::string text = misclosureLimitsText(route);
        QVERIFY2(endsWith(text, tail.toStdString()), text.c_str());
    }

    void fileName_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << "BM1"
                               << "BM2"
                               << "2026-12-09"
                               << "BM1-BM2-2026-12-09";
        QTest::newRow("forbidden characters") << "a/b\\c:d*e"
                                              << "?\"<>|\t"
                                              << "2026-12-09"
                                              << "a_b_c_d_e-______-2026-12-09";
        QTest::newRow("trailing dots and blanks") << "A. "
                                                  << "B.."
                                                  << "d"
                                                  << "A-B-d";
        QTest::newRow("nothing left") << ""
                                      << " ."
                                      << "" << QString::fromUtf8("水准成果表");
        QTest::newRow("long name cut at a whole character")
            << QString("x") + QString::fromUtf8("点").repeated(40) << "B"
            << "d" << QString("x") + QString::fromUtf8("点").repeated(26) + "-B-d";
    }
    void fileName() {
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(QString, date);
        QFETCH(QString, expected);
        const std::string name = suggestedFileName(namedRoute(start, end), date.toStdString());
        QCOMPARE(QString::fromStdString(name), expected);
    }
};

QTEST_APPLESS_MAIN(TestCalculationRun)
#include "tst_calculation_run.moc"
