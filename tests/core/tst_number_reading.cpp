#include "core/number_reading.h"

#include <QTest>
#include <bit>
#include <cmath>
#include <cstdint>

Q_DECLARE_METATYPE(velmora::NumberProblem)

namespace {

std::string_view view(const QByteArray& text) {
    return {text.constData(), static_cast<std::size_t>(text.size())};
}

} // namespace

class TestNumberReading : public QObject {
    Q_OBJECT

private slots:
    void singleRead_data();
    void singleRead();
    void refused_data();
    void refused();
    void doubleRead_data();
    void doubleRead();
};

// Bits rather than values, so that a sign of zero or a last-place difference shows.
void TestNumberReading::singleRead_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<quint32>("bits");
    QTest::newRow("blanks around") << QByteArray(" \t12.5 \t") << quint32{0x41480000};
    QTest::newRow("plus sign") << QByteArray("+3") << quint32{0x40400000};
    QTest::newRow("negative zero") << QByteArray("-0") << quint32{0x80000000};
    QTest::newRow("no integer digits") << QByteArray(".5") << quint32{0x3F000000};
    QTest::newRow("no decimals after point") << QByteArray("5.") << quint32{0x40A00000};
    QTest::newRow("exponent") << QByteArray("1e3") << quint32{0x447A0000};
    QTest::newRow("capital exponent, signed") << QByteArray("-.5E+1") << quint32{0xC0A00000};
    QTest::newRow("negative exponent") << QByteArray("25e-1") << quint32{0x40200000};
    QTest::newRow("tenth") << QByteArray("0.1") << quint32{0x3DCCCCCD};
    QTest::newRow("tie to even, down") << QByteArray("16777217") << quint32{0x4B800000};
    QTest::newRow("tie to even, up") << QByteArray("16777219") << quint32{0x4B800002};
    // Through a double this would land exactly half-way and then go down to 1.
    QTest::newRow("not through a double")
        << QByteArray("1.00000005960464478") << quint32{0x3F800001};
    QTest::newRow("largest single") << QByteArray("3.4028235e38") << quint32{0x7F7FFFFF};
    QTest::newRow("subnormal") << QByteArray("1e-45") << quint32{0x00000001};
    QTest::newRow("zero with huge exponent") << QByteArray("0e999") << quint32{0};
    // As a Chinese input method types them.
    QTest::newRow("full-width digits") << QByteArray("１２") << quint32{0x41400000};
    QTest::newRow("full-width point") << QByteArray("１２．５") << quint32{0x41480000};
    QTest::newRow("ideographic full stop as point") << QByteArray("12。5") << quint32{0x41480000};
    QTest::newRow("full-width minus") << QByteArray("－2") << quint32{0xC0000000};
    QTest::newRow("full-width plus, exponent") << QByteArray("＋１ｅ３") << quint32{0x447A0000};
    QTest::newRow("capital full-width exponent") << QByteArray("25Ｅ－1") << quint32{0x40200000};
    QTest::newRow("minus sign") << QByteArray("\u2212"
                                              "0.5")
                                << quint32{0xBF000000};
    QTest::newRow("full-width zero") << QByteArray("０") << quint32{0};
    QTest::newRow("ideographic blanks around") << QByteArray("\u3000"
                                                             "12.5\u3000")
                                               << quint32{0x41480000};
    QTest::newRow("no-break and thin spaces") << QByteArray("\u00A0"
                                                            "12.5\u2009\u202F")
                                              << quint32{0x41480000};
    QTest::newRow("half and full width mixed") << QByteArray("1２.５") << quint32{0x41480000};
}

void TestNumberReading::singleRead() {
    QFETCH(QByteArray, text);
    QFETCH(quint32, bits);
    const auto reading = velmora::readSingle(view(text));
    QCOMPARE(reading.problem, velmora::NumberProblem::none);
    QCOMPARE(std::bit_cast<std::uint32_t>(reading.value), bits);
}

void TestNumberReading::refused_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<velmora::NumberProblem>("problem");
    using velmora::NumberProblem;
    for (const char* text : {"", "   ", "\t", "\u3000", "\u00A0\t\u2003"})
        QTest::addRow("\"%s\"", text) << QByteArray(text) << NumberProblem::empty;
    for (const char* text :
         {"1,5",      "inf",          "-inf",      "infinity", "nan",        "0x10",
          "1e",       "1e+",          "e5",        ".e5",      ".",          "-",
          "+",        "+-3",          "--3",       "1.2.3",    "1 2",        "- 5",
          "12abc",    "12\n",         "١٢",        "1，5",     "1\u3000000", "１２ａ",
          "\xEF\xBC", "\xE0\x80\xB2", "1\xC0\xA0", "－",       "。"})
        QTest::addRow("\"%s\"", text) << QByteArray(text) << NumberProblem::notANumber;
    for (const char* text : {"1e39", "-1e39", "3.4028236e38", "1e-50", "-1e-46"})
        QTest::addRow("\"%s\"", text) << QByteArray(text) << NumberProblem::outOfRange;
}

void TestNumberReading::refused() {
    QFETCH(QByteArray, text);
    QFETCH(velmora::NumberProblem, problem);
    const auto reading = velmora::readSingle(view(text));
    QCOMPARE(reading.problem, problem);
    // Too large reads as an infinity, too small as a zero, with the typed sign.
    if (problem == velmora::NumberProblem::outOfRange) {
        QCOMPARE(std::isinf(reading.value), !text.contains("e-"));
        QCOMPARE(std::signbit(reading.value), text.startsWith('-'));
        QVERIFY(std::isinf(reading.value) || reading.value == 0.0f);
    }
    // The grammar is shared; only the range differs.
    if (problem != velmora::NumberProblem::outOfRange)
        QCOMPARE(velmora::readDouble(view(text)).problem, problem);
}

void TestNumberReading::doubleRead_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<quint64>("bits");
    QTest::addColumn<velmora::NumberProblem>("problem");
    using velmora::NumberProblem;
    QTest::newRow("half") << QByteArray(" 32766.5 ") << std::bit_cast<quint64>(32766.5)
                          << NumberProblem::none;
    QTest::newRow("beyond single")
        << QByteArray("1e39") << std::bit_cast<quint64>(1e39) << NumberProblem::none;
    QTest::newRow("tenth") << QByteArray("+0.1") << quint64{0x3FB999999999999A}
                           << NumberProblem::none;
    QTest::newRow("beyond double")
        << QByteArray("1e999") << quint64{0x7FF0000000000000} << NumberProblem::outOfRange;
    QTest::newRow("just beyond double")
        << QByteArray("1e309") << quint64{0x7FF0000000000000} << NumberProblem::outOfRange;
    QTest::newRow("far beyond double, negative")
        << QByteArray("-0.0001e99999999999999999999") << quint64{0xFFF0000000000000}
        << NumberProblem::outOfRange;
    QTest::newRow("many digits beyond double")
        << QByteArray(400, '9') << quint64{0x7FF0000000000000} << NumberProblem::outOfRange;
    QTest::newRow("below double") << QByteArray("1e-400") << quint64{0}
                                  << NumberProblem::outOfRange;
    QTest::newRow("below double although many digits")
        << QByteArray("-99999999999e-340") << quint64{0x8000000000000000}
        << NumberProblem::outOfRange;
    QTest::newRow("full-width count")
        << QByteArray("３") << std::bit_cast<quint64>(3.0) << NumberProblem::none;
}

void TestNumberReading::doubleRead() {
    QFETCH(QByteArray, text);
    QFETCH(quint64, bits);
    QFETCH(velmora::NumberProblem, problem);
    const auto reading = velmora::readDouble(view(text));
    QCOMPARE(reading.problem, problem);
    QCOMPARE(std::bit_cast<std::uint64_t>(reading.value), bits);
}

QTEST_APPLESS_MAIN(TestNumberReading)
#include "tst_number_reading.moc"
