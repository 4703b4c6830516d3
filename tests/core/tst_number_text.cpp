#include "core/number_text.h"

#include <QTest>
#include <limits>

class TestNumberText : public QObject {
    Q_OBJECT

private slots:
    void integerText_data();
    void integerText();
    void generalText_data();
    void generalText();
    void fixedTexts_data();
    void fixedTexts();
};

void TestNumberText::integerText_data() {
    QTest::addColumn<long>("value");
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("zero") << 0L << QByteArray("0");
    QTest::newRow("negative") << -12L << QByteArray("-12");
    QTest::newRow("16-bit limit") << 32767L << QByteArray("32767");
    QTest::newRow("lowest long") << std::numeric_limits<long>::min()
                                 << QByteArray("-9223372036854775808");
}

void TestNumberText::integerText() {
    QFETCH(long, value);
    QFETCH(QByteArray, text);
    QCOMPARE(QByteArray::fromStdString(velmora::integerText(value)), text);
}

void TestNumberText::generalText_data() {
    QTest::addColumn<float>("value");
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("integral") << 100.0f << QByteArray("100");
    QTest::newRow("trailing zeros dropped") << 1.01f << QByteArray("1.01");
    QTest::newRow("zero before point") << 0.5f << QByteArray("0.5");
    QTest::newRow("negative fraction") << -0.0123f << QByteArray("-0.0123");
    QTest::newRow("exact binary value hidden") << 0.1f << QByteArray("0.1");
    QTest::newRow("tie to even, up") << 1234567.5f << QByteArray("1234568");
    QTest::newRow("tie to even, down") << 1234568.5f << QByteArray("1234568");
    QTest::newRow("negative tie") << -1234566.5f << QByteArray("-1234566");
    QTest::newRow("just below a half") << 1.0000005f << QByteArray("1");
    QTest::newRow("just above a half") << 1.0000006f << QByteArray("1.000001");
    QTest::newRow("negative zero") << -0.0f << QByteArray("0");
    QTest::newRow("seven integer digits") << 9999999.0f << QByteArray("9999999");
    QTest::newRow("ten million") << 1e7f << QByteArray("1e+07");
    QTest::newRow("eight digits") << 12345678.0f << QByteArray("1.234568e+07");
    QTest::newRow("2^24") << 16777216.0f << QByteArray("1.677722e+07");
    QTest::newRow("largest single")
        << std::numeric_limits<float>::max() << QByteArray("3.402823e+38");
    QTest::newRow("smallest plain") << 0.0001f << QByteArray("0.0001");
    QTest::newRow("rounds up to plain") << 0.000099999997f << QByteArray("0.0001");
    QTest::newRow("small exponent") << 0.00001f << QByteArray("1e-05");
    QTest::newRow("smallest subnormal")
        << std::numeric_limits<float>::denorm_min() << QByteArray("1.401298e-45");
    QTest::newRow("negative subnormal")
        << -std::numeric_limits<float>::denorm_min() << QByteArray("-1.401298e-45");
}

void TestNumberText::generalText() {
    QFETCH(float, value);
    QFETCH(QByteArray, text);
    QCOMPARE(QByteArray::fromStdString(velmora::generalText(value)), text);
}

// Both fixed texts side by side: they differ only where the value is exactly half-way.
void TestNumberText::fixedTexts_data() {
    QTest::addColumn<float>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QByteArray>("fixed");
    QTest::addColumn<QByteArray>("rounded");
    auto row = [](const char* name, float value, int decimals, const char* fixed,
                  const char* rounded) {
        QTest::newRow(name) << value << decimals << QByteArray(fixed) << QByteArray(rounded);
    };
    row("padded", 10.0f, 3, "10.000", "10.000");
    row("two decimals", 10.0f, 2, "10.00", "10.00");
    row("no decimals, no point", 12.25f, 0, "12", "12");
    row("negative", -0.0123f, 3, "-0.012", "-0.012");
    row("tie, odd neighbour below", 1.1875f, 3, "1.188", "1.188");
    row("tie, even neighbour below", 1.0625f, 3, "1.063", "1.062");
    row("negative tie", -1.0625f, 3, "-1.063", "-1.062");
    row("tie at two decimals", 0.125f, 2, "0.13", "0.12");
    row("tie at no decimals", 2.5f, 0, "3", "2");
    row("tie carries to a new digit", 99.5f, 0, "100", "100");
    row("tie at twelve decimals", 0.0001220703125f, 12, "0.000122070313", "0.000122070312");
    row("just below a half", 2.0005f, 3, "2.000", "2.000");
    row("just below a half at two decimals", 9.995f, 2, "9.99", "9.99");
    row("all digits at twelve decimals", 0.1f, 12, "0.100000001490", "0.100000001490");
    row("negative zero", -0.0f, 3, "0.000", "0.000");
    row("negative zero, no decimals", -0.0f, 0, "0", "0");
    row("negative rounds to zero", -0.0004f, 3, "0.000", "0.000");
    row("negative tie to even zero", -0.5f, 0, "-1", "0");
    row("negative subnormal", -std::numeric_limits<float>::denorm_min(), 3, "0.000", "0.000");
    row("2^24", 16777216.0f, 3, "16777216.000", "16777216.000");
    row("every integer digit", 3.4e38f, 3, "339999995214436424907732413799364296704.000",
        "339999995214436424907732413799364296704.000");
}

void TestNumberText::fixedTexts() {
    QFETCH(float, value);
    QFETCH(int, decimals);
    QFETCH(QByteArray, fixed);
    QFETCH(QByteArray, rounded);
    QCOMPARE(QByteArray::fromStdString(velmora::fixedText(value, decimals)), fixed);
    QCOMPARE(QByteArray::fromStdString(velmora::roundedFixedText(value, decimals)), rounded);
}

QTEST_APPLESS_MAIN(TestNumberText)
#include "tst_number_text.moc"
