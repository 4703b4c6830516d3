#include "tests/tools/scripted_user.h"

#include <QTest>
#include <array>
#include <bit>
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

    // An abandoned run keeps what it stored: here the sums and the misclosure, but no heights.
    void zeroTotalLengthKeepsTheRecordAsFarAsItGot() {
        LevelingRoute route;
        const std::string record = playRun(route, routeScript(1, "10", "12", "0", "1.5"));
        QVERIFY2(endsWith(record,
                          "error 路线全长为 0（各段的前后视距都为 0，或正负相抵），闭合差无法"
                          "按距离分配。请检查各段的前后视距后重新计算。\n"),
                 record.c_str());
        QCOMPARE(bits(route.sumHeightDiff), bits(3.0f));
        QCOMPARE(bits(route.misclosure), bits(1.0f));
        QCOMPARE(route.pointNames.at(2), std::string("B"));
        QCOMPARE(bits(route.adjustedHeights.at(0)), bits(0.0f));
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
};

QTEST_APPLESS_MAIN(TestCalculationRun)
#include "tst_calculation_run.moc"
