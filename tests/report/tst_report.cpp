#include "dialogue/report.h"
#include "tests/tools/report_recorder.h"
#include "tests/tools/scripted_user.h"

#include <QTest>
#include <sstream>
#include <string>
#include <vector>

using namespace velmora;

Q_DECLARE_METATYPE(velmora::LevelingRoute)

namespace {

// What the report printed, in ReportRecorder's format, ending in "error <message>" where it
// stopped.
QString recordOf(const LevelingRoute& route) {
    std::ostringstream record;
    ReportRecorder printer(record);
    try {
        printReport(route, printer);
    } catch (const Error& error) {
        record << "error " << error.what() << '\n';
    }
    return QString::fromStdString(record.str());
}

// A record as a completed run leaves it, with the names and adjusted heights of points 0 ..
// closingIndex.
LevelingRoute completedRoute(float ha, float hb, float fh, float length,
                             const std::vector<std::string>& names,
                             const std::vector<float>& heights) {
    LevelingRoute route;
    startRoute(route, static_cast<std::int16_t>(names.size() - 1));
    route.startHeight = ha;
    route.endHeight = hb;
    route.misclosure = fh;
    route.totalLength = length;
    for (std::size_t i = 0; i < names.size(); ++i) {
        route.pointNames.at(static_cast<long>(i)) = names[i];
        route.adjustedHeights.at(static_cast<long>(i)) = heights[i];
    }
    route.resultsReached = true;
    return route;
}

LevelingRoute workedRoute() {
    LevelingRoute route;
    playRun(route, "1\n10\n\n12\n\nBM1\n\n100\n\n1.01\n\nP1\n\n100\n\n1\n\nBM2\n\n\n\n\n");
    return route;
}

LevelingRoute twoDigitRoute() {
    std::vector<std::string> names{"A"};
    std::vector<float> heights{0.0f};
    // Appended, not "P" + std::to_string(...): GCC 12 at -O3 warns falsely (-Wrestrict) on that.
    for (int i = 1; i <= 10; ++i) {
        names.push_back(std::string("P").append(std::to_string(i)));
        heights.push_back(static_cast<float>(i));
    }
    names.emplace_back("B");
    heights.push_back(11.0f);
    return completedRoute(0.0f, 11.0f, 0.0f, 110.0f, names, heights);
}

const QString titleLines = QString::fromUtf8("line 30 12 --- 水准简易平差 ---\n"
                                             "empty\n");

QString stoppedBy(const Error& error) {
    return QStringLiteral("error ") + QString::fromUtf8(error.what()) + QLatin1Char('\n');
}

// Logs the settings as well as the lines.
class SettingsLog : public ReportRecorder {
public:
    explicit SettingsLog(std::ostream& record)
        : ReportRecorder(record)
        , record_(record) {}
    void setHorizontalPosition(int twips) override { record_ << "x " << twips << '\n'; }
    void setVerticalPosition(int twips) override { record_ << "y " << twips << '\n'; }
    void setFontName(std::string_view name) override { record_ << "font " << name << '\n'; }
    void setFontSize(int points) override {
        record_ << "size " << points << '\n';
        ReportRecorder::setFontSize(points);
    }

private:
    std::ostream& record_;
};

} // namespace

class TestReport : public QObject {
    Q_OBJECT

private slots:
    void printsTheRecord_data() {
        QTest::addColumn<LevelingRoute>("route");
        QTest::addColumn<QString>("expected");

        QTest::newRow("worked example, twelve lines")
            << workedRoute()
            << QString::fromUtf8("line 30 12 --- 水准简易平差 ---\n"
                                 "empty\n"
                                 "line 23 10 起始点BM1 高程  :   Ha=10.000\n"
                                 "line 23 10 闭合点BM2 高程  :   Hb=12.000\n"
                                 "empty\n"
                                 "line 24 10 平差结果 (米) :\n"
                                 "line 26 10 BM1 :  h(0)=10.000\n"
                                 "line 26 10 P1 :  h(1)=11.005\n"
                                 "line 26 10 BM2 :  h(2)=12.000\n"
                                 "empty\n"
                                 "line 24 10   路线闭合差 :    fh=0.010 米\n"
                                 "line 24 10 水准路线全长 : [ s ]=200.000 米\n"
                                 "end\n");
        QTest::newRow("no point to be determined")
            << completedRoute(5.0f, 6.5f, 0.0f, 120.5f, {"A", "B"}, {5.0f, 6.5f})
            << QString::fromUtf8("line 30 12 --- 水准简易平差 ---\n"
                                 "empty\n"
                                 "line 23 10 起始点A 高程  :   Ha=5.000\n"
                                 "line 23 10 闭合点B 高程  :   Hb=6.500\n"
                                 "empty\n"
                                 "line 24 10 平差结果 (米) :\n"
                                 "line 26 10 A :  h(0)=5.000\n"
                                 "line 26 10 B :  h(1)=6.500\n"
                                 "empty\n"
                                 "line 24 10   路线闭合差 :    fh=0.000 米\n"
                                 "line 24 10 水准路线全长 : [ s ]=120.500 米\n"
                                 "end\n");
        QTest::newRow("empty start name")
            << completedRoute(1.0f, 2.0f, 0.0f, 10.0f, {"", "B"}, {1.0f, 2.0f})
            << QString::fromUtf8("line 30 12 --- 水准简易平差 ---\n"
                                 "empty\n"
                                 "line 23 10 起始点 高程  :   Ha=1.000\n"
                                 "line 23 10 闭合点B 高程  :   Hb=2.000\n"
                                 "empty\n"
                                 "line 24 10 平差结果 (米) :\n"
                                 "line 26 10  :  h(0)=1.000\n"
                                 "line 26 10 B :  h(1)=2.000\n"
                                 "empty\n"
                                 "line 24 10   路线闭合差 :    fh=0.000 米\n"
                                 "line 24 10 水准路线全长 : [ s ]=10.000 米\n"
                                 "end\n");
        QTest::newRow("negative misclosure")
            << completedRoute(1.0f, 2.0f, -0.0123f, 10.0f, {"A", "B"}, {1.0f, 2.0f})
            << QString::fromUtf8("line 30 12 --- 水准简易平差 ---\n"
                                 "empty\n"
                                 "line 23 10 起始点A 高程  :   Ha=1.000\n"
                                 "line 23 10 闭合点B 高程  :   Hb=2.000\n"
                                 "empty\n"
                                 "line 24 10 平差结果 (米) :\n"
                                 "line 26 10 A :  h(0)=1.000\n"
                                 "line 26 10 B :  h(1)=2.000\n"
                                 "empty\n"
                                 "line 24 10   路线闭合差 :    fh=-0.012 米\n"
                                 "line 24 10 水准路线全长 : [ s ]=10.000 米\n"
                                 "end\n");
        QTest::newRow("two-digit point numbers, nothing padded")
            << twoDigitRoute()
            << QString::fromUtf8("line 30 12 --- 水准简易平差 ---\n"
                                 "empty\n"
                                 "line 23 10 起始点A 高程  :   Ha=0.000\n"
                                 "line 23 10 闭合点B 高程  :   Hb=11.000\n"
                                 "empty\n"
                                 "line 24 10 平差结果 (米) :\n"
                                 "line 26 10 A :  h(0)=0.000\n"
                                 "line 26 10 P1 :  h(1)=1.000\n"
                                 "line 26 10 P2 :  h(2)=2.000\n"
                                 "line 26 10 P3 :  h(3)=3.000\n"
                                 "line 26 10 P4 :  h(4)=4.000\n"
                                 "line 26 10 P5 :  h(5)=5.000\n"
                                 "line 26 10 P6 :  h(6)=6.000\n"
                                 "line 26 10 P7 :  h(7)=7.000\n"
                                 "line 26 10 P8 :  h(8)=8.000\n"
                                 "line 26 10 P9 :  h(9)=9.000\n"
                                 "line 26 10 P10 :  h(10)=10.000\n"
                                 "line 26 10 B :  h(11)=11.000\n"
                                 "empty\n"
                                 "line 24 10   路线闭合差 :    fh=0.000 米\n"
                                 "line 24 10 水准路线全长 : [ s ]=110.000 米\n"
                                 "end\n");
        // 1.0625 is exactly half-way at three decimals.
        QTest::newRow("half-way: away from zero for benchmarks, to even in the list")
            << completedRoute(1.0625f, 1.0625f, 0.0f, 1.0f, {"A", "B"}, {1.0625f, 1.0625f})
            << QString::fromUtf8("line 30 12 --- 水准简易平差 ---\n"
                                 "empty\n"
                                 "line 23 10 起始点A 高程  :   Ha=1.063\n"
                                 "line 23 10 闭合点B 高程  :   Hb=1.063\n"
                                 "empty\n"
                                 "line 24 10 平差结果 (米) :\n"
                                 "line 26 10 A :  h(0)=1.062\n"
                                 "line 26 10 B :  h(1)=1.062\n"
                                 "empty\n"
                                 "line 24 10   路线闭合差 :    fh=0.000 米\n"
                                 "line 24 10 水准路线全长 : [ s ]=1.000 米\n"
                                 "end\n");
        QTest::newRow("before any run: nothing at all")
            << LevelingRoute{} << stoppedBy(NothingToPrint());
        LevelingRoute halfWay = twoDigitRoute();
        startRoute(halfWay, 2);
        halfWay.startHeight = 5.0f;
        QTest::newRow("a run that stopped half-way: nothing at all")
            << halfWay << stoppedBy(NothingToPrint());

        // startRoute gives fresh tables; the report must follow closingIndex, not what was there
        LevelingRoute second = twoDigitRoute();
        startRoute(second, 1);
        second.startHeight = 3.0f;
        second.endHeight = 4.0f;
        second.totalLength = 7.0f;
        // A std::string, not the bare literal: GCC 12 at -O3 warns falsely (-Wrestrict) on
        // assigning that.
        second.pointNames.at(0) = std::string("C");
        second.pointNames.at(1) = std::string("D");
        second.adjustedHeights.at(0) = 3.0f;
        second.adjustedHeights.at(1) = 4.0f;
        second.resultsReached = true;
        QTest::newRow("a second, shorter route prints only itself")
            << second
            << QString::fromUtf8("line 30 12 --- 水准简易平差 ---\n"
                                 "empty\n"
                                 "line 23 10 起始点C 高程  :   Ha=3.000\n"
                                 "line 23 10 闭合点D 高程  :   Hb=4.000\n"
                                 "empty\n"
                                 "line 24 10 平差结果 (米) :\n"
                                 "line 26 10 C :  h(0)=3.000\n"
                                 "line 26 10 D :  h(1)=4.000\n"
                                 "empty\n"
                                 "line 24 10   路线闭合差 :    fh=0.000 米\n"
                                 "line 24 10 水准路线全长 : [ s ]=7.000 米\n"
                                 "end\n");

        LevelingRoute inconsistent;
        startRoute(inconsistent, 1);
        // A std::string, not the bare literal: GCC 12 at -O3 warns falsely (-Wrestrict) on
        // assigning that.
        inconsistent.pointNames.at(0) = std::string("A");
        inconsistent.startHeight = 1.0f;
        inconsistent.closingIndex = 3;
        inconsistent.resultsReached = true;
        QTest::newRow("tables shorter than the route: stops at the first element missing")
            << inconsistent
            << titleLines + QString::fromUtf8("line 23 10 起始点A 高程  :   Ha=1.000\n") +
                   stoppedBy(SubscriptOutOfRange(3, 2, true));
    }

    void printsTheRecord() {
        QFETCH(LevelingRoute, route);
        QFETCH(QString, expected);
        QCOMPARE(recordOf(route), expected);
    }

    void settingsComeBeforeTheirLines() {
        std::ostringstream record;
        SettingsLog printer(record);
        printReport(workedRoute(), printer);
        const QStringList ops = QString::fromStdString(record.str()).split(QLatin1Char('\n'));
        const QStringList settings{QStringLiteral("x 2000"), QStringLiteral("y 1000"),
                                   QStringLiteral("font ") + QString::fromUtf8("宋体"),
                                   QStringLiteral("size 12")};
        QCOMPARE(ops.mid(0, 4), settings);
        QVERIFY(ops.at(4).startsWith(QStringLiteral("line 30 12 ")));
        QCOMPARE(ops.at(5), QStringLiteral("empty"));
        QCOMPARE(ops.at(6), QStringLiteral("size 10"));
        QCOMPARE(ops.filter(QStringLiteral("size ")).size(), 2);
    }

    void pressingTwicePrintsTheSameTwice() {
        const LevelingRoute route = workedRoute();
        const QString first = recordOf(route);
        QVERIFY(first.endsWith(QStringLiteral("\nend\n")));
        QCOMPARE(recordOf(route), first);
    }
};

QTEST_APPLESS_MAIN(TestReport)
#include "tst_report.moc"
