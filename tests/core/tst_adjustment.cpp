#include "core/adjustment.h"
#include "core/number_text.h"

#include <QTest>
#include <bit>
#include <cstdint>
#include <limits>
#include <vector>

using namespace velmora;

namespace {

struct Section {
    float length;
    float heightDiff;
};
using Sections = std::vector<Section>;

struct Adjusted {
    LevelingRoute route;
    SectionMeasurements sections;
};

// Runs the three steps over a whole route in the order the calculation run calls them.
Adjusted adjust(float startHeight, float endHeight, const Sections& measured) {
    Adjusted a;
    a.route.startHeight = startHeight;
    a.route.endHeight = endHeight;
    a.sections = startRoute(a.route, static_cast<std::int16_t>(measured.size()));
    for (long i = 1; i <= a.route.closingIndex; ++i) {
        const Section& s = measured[static_cast<std::size_t>(i - 1)];
        a.sections.sectionLengths.at(i) = s.length;
        a.sections.heightDiffs.at(i) = s.heightDiff;
        accumulateSection(a.route, a.sections, i);
    }
    computeMisclosure(a.route);
    distribute(a.route, a.sections);
    return a;
}

QString heightTexts(const LevelingRoute& route) {
    QStringList texts;
    for (long i = 0; i <= route.closingIndex; ++i)
        texts << QString::fromStdString(roundedFixedText(route.adjustedHeights.at(i), 3));
    return texts.join(' ');
}

} // namespace

Q_DECLARE_METATYPE(Sections)

class TestAdjustment : public QObject {
    Q_OBJECT

private slots:
    // The worked route, bit for bit: every value is the single the stated order of rounding gives.
    void workedRouteBits() {
        LevelingRoute route;
        route.startHeight = 10.0f;
        route.endHeight = 12.0f;
        SectionMeasurements sections = startRoute(route, 2);
        sections.sectionLengths.at(1) = 100.0f;
        sections.heightDiffs.at(1) = 1.01f;
        sections.sectionLengths.at(2) = 100.0f;
        sections.heightDiffs.at(2) = 1.0f;
        accumulateSection(route, sections, 1);
        accumulateSection(route, sections, 2);
        QCOMPARE(std::bit_cast<std::uint32_t>(route.sumHeightDiff),
                 std::bit_cast<std::uint32_t>(1.01f + 1.0f));
        QCOMPARE(std::bit_cast<std::uint32_t>(route.totalLength),
                 std::bit_cast<std::uint32_t>(200.0f));

        const float fhMillimetres = computeMisclosure(route);
        const float fh = (1.01f + 1.0f + 10.0f) - 12.0f;
        QCOMPARE(std::bit_cast<std::uint32_t>(route.misclosure), std::bit_cast<std::uint32_t>(fh));
        QCOMPARE(std::bit_cast<std::uint32_t>(fhMillimetres),
                 std::bit_cast<std::uint32_t>(fh * 1000.0f));
        QCOMPARE(roundedFixedText(fhMillimetres, 2), std::string("10.00"));

        distribute(route, sections);
        const float k = -fh / 200.0f;
        QCOMPARE(std::bit_cast<std::uint32_t>(sections.correctionPerMetre),
                 std::bit_cast<std::uint32_t>(k));
        const float h1 = (10.0f + 1.01f) + 100.0f * k;
        const float h2 = (h1 + 1.0f) + 100.0f * k;
        QCOMPARE(std::bit_cast<std::uint32_t>(route.adjustedHeights.at(0)),
                 std::bit_cast<std::uint32_t>(10.0f));
        QCOMPARE(std::bit_cast<std::uint32_t>(route.adjustedHeights.at(1)),
                 std::bit_cast<std::uint32_t>(h1));
        QCOMPARE(std::bit_cast<std::uint32_t>(route.adjustedHeights.at(2)),
                 std::bit_cast<std::uint32_t>(h2));
    }

    void adjustedHeights_data() {
        QTest::addColumn<float>("startHeight");
        QTest::addColumn<float>("endHeight");
        QTest::addColumn<Sections>("sections");
        QTest::addColumn<QString>("heights");
        QTest::newRow("worked route")
            << 10.0f << 12.0f << Sections{{100, 1.01f}, {100, 1}} << "10.000 11.005 12.000";
        QTest::newRow("no misclosure keeps the running sums")
            << 5.0f << 6.5f << Sections{{30, 0.5f}, {70, 1}} << "5.000 5.500 6.500";
        QTest::newRow("section of length 0 takes no correction")
            << 0.0f << 0.0f << Sections{{0, 0.02f}, {50, 0}, {50, 0}} << "0.000 0.020 0.010 0.000";
        QTest::newRow("negative length takes the opposite correction")
            << 0.0f << 0.0f << Sections{{-10, 0}, {30, 0.02f}} << "0.000 0.010 0.000";
        QTest::newRow("no points to be determined")
            << 100.0f << 99.0f << Sections{{250, -0.99f}} << "100.000 99.000";
    }
    void adjustedHeights() {
        QFETCH(float, startHeight);
        QFETCH(float, endHeight);
        QFETCH(Sections, sections);
        QFETCH(QString, heights);
        const Adjusted a = adjust(startHeight, endHeight, sections);
        QCOMPARE(heightTexts(a.route), heights);
    }

    // A fault stops the step before anything is stored, so the record never holds an infinity.
    void faultsStopBeforeStoring_data() {
        QTest::addColumn<float>("startHeight");
        QTest::addColumn<Sections>("sections");
        QTest::addColumn<QString>("message");
        const float big = std::numeric_limits<float>::max();
        const QString zeroLength = QStringLiteral(
            "路线全长为 0（各段的前后视距都为 "
            "0，或正负相抵），闭合差无法按距离分配。请检查各段的前后视距后重新计算。");
        const QString tooLarge = QStringLiteral("太大，超出了本程序能计算的范围（绝对值最大约为 "
                                                "3.4e38）。请检查输入的数值后重新计算。");
        QTest::newRow("zero total length") << 0.0f << Sections{{0, 1}, {0, 0}} << zeroLength;
        QTest::newRow("zero over zero") << 0.0f << Sections{{0, 0}} << zeroLength;
        QTest::newRow("lengths cancel out") << 0.0f << Sections{{5, 1}, {-5, 0}} << zeroLength;
        QTest::newRow("lengths overflow")
            << 0.0f << Sections{{big, 0}, {big, 0}} << "路线全长" + tooLarge;
        QTest::newRow("misclosure in millimetres overflows")
            << big << Sections{{1, 0}} << "以毫米计的高差闭合差" + tooLarge;
    }
    void faultsStopBeforeStoring() {
        QFETCH(float, startHeight);
        QFETCH(Sections, sections);
        QFETCH(QString, message);
        try {
            adjust(startHeight, 0.0f, sections);
            QFAIL("no error");
        } catch (const ArithmeticError& error) {
            QCOMPARE(QString::fromUtf8(error.what()), message);
        }
    }

    void faultKeepsEarlierValues() {
        LevelingRoute route;
        route.misclosure = 0.25f;
        SectionMeasurements sections = startRoute(route, 1);
        sections.sectionLengths.at(1) = std::numeric_limits<float>::max();
        route.totalLength = std::numeric_limits<float>::max();
        QVERIFY_THROWS_EXCEPTION(ArithmeticError, accumulateSection(route, sections, 1));
        QCOMPARE(std::bit_cast<std::uint32_t>(route.totalLength),
                 std::bit_cast<std::uint32_t>(std::numeric_limits<float>::max()));
        QCOMPARE(std::bit_cast<std::uint32_t>(route.misclosure),
                 std::bit_cast<std::uint32_t>(0.25f));
    }
};

QTEST_APPLESS_MAIN(TestAdjustment)
#include "tst_adjustment.moc"
