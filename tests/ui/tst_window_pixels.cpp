// The window as the X server shows it: colours of background, frame and buttons read back from
// the screen, and the faces the captions are really drawn in, so that a lost palette, a broken
// substitution or a locale-dependent fallback face shows up.
#include "ui/application_setup.h"
#include "ui/velmora_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGlyphRun>
#include <QLabel>
#include <QRawFont>
#include <QScreen>
#include <QTest>
#include <QTextLayout>
#include <set>

namespace {

// The families that really draw `text` in `font`, after substitution and fallback, in lower case
// and sorted.
QStringList drawingFamilies(const QString& text, const QFont& font) {
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    std::set<QString> families;
    for (const QGlyphRun& run : layout.glyphRuns())
        families.insert(run.rawFont().familyName().toLower()); // fontconfig's spelling varies
    return {families.begin(), families.end()};
}

QString captionOf(const QWidget* control) {
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return label->text();
    return qobject_cast<const QAbstractButton*>(control)->text();
}

} // namespace

class TestWindowPixels : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void pixelOnScreen_data();
    void pixelOnScreen();
    void captionDrawnInFaces_data();
    void captionDrawnInFaces();

private:
    velmora::Velmora* window_ = nullptr;
    QImage screen_;
};

void TestWindowPixels::initTestCase() {
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
    velmora::prepareApplication(*qApp);
    window_ = new velmora::Velmora;
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_));
    // The first paint can reach the server some time after the window is exposed: wait for two
    // grabs in a row to agree.
    for (int attempt = 0; attempt < 50; ++attempt) {
        QTest::qWait(100);
        const QImage grab = window_->screen()->grabWindow(window_->winId()).toImage();
        if (!grab.isNull() && grab == screen_)
            break;
        screen_ = grab;
    }
    QVERIFY(!screen_.isNull());
}

void TestWindowPixels::pixelOnScreen_data() {
    QTest::addColumn<QPoint>("where");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<int>("tolerance");
    const QColor cyan(192, 255, 255);
    const QColor red(255, 0, 0);
    QTest::newRow("background outside the frame") << QPoint(20, 20) << cyan << 0;
    QTest::newRow("background inside the frame") << QPoint(280, 270) << cyan << 0;
    QTest::newRow("top edge") << QPoint(480, 256) << red << 0;
    QTest::newRow("top edge, upper pixel") << QPoint(480, 255) << red << 0;
    QTest::newRow("top edge, lower pixel") << QPoint(480, 257) << red << 0;
    QTest::newRow("above the top edge") << QPoint(480, 253) << cyan << 0;
    QTest::newRow("top-left corner") << QPoint(263, 255) << red << 0;
    QTest::newRow("calculate button") << QPoint(357, 640) << QColor(255, 192, 192) << 0;
    QTest::newRow("exit button") << QPoint(445, 640) << QColor(255, 192, 192) << 0;
    QTest::newRow("print button") << QPoint(533, 640)
                                  << QApplication::palette().color(QPalette::Button) << 16;
    QTest::newRow("empty field") << QPoint(540, 385) << QColor(255, 255, 255) << 0;
}

void TestWindowPixels::pixelOnScreen() {
    QFETCH(QPoint, where);
    QFETCH(QColor, colour);
    QFETCH(int, tolerance);
    const QColor seen = screen_.pixelColor(where * screen_.devicePixelRatio());
    const int distance =
        std::max({std::abs(seen.red() - colour.red()), std::abs(seen.green() - colour.green()),
                  std::abs(seen.blue() - colour.blue())});
    QVERIFY2(distance <= tolerance,
             qPrintable(QStringLiteral("seen %1, wanted %2").arg(seen.name(), colour.name())));
}

void TestWindowPixels::captionDrawnInFaces_data() {
    QTest::addColumn<QStringList>("families");
    const QString song = QStringLiteral("ar pl uming cn");
    const QString sans = QStringLiteral("dejavu sans");
    QTest::newRow("Label1") << QStringList{song};
    QTest::newRow("Label6") << QStringList{song};
    QTest::newRow("Label12") << QStringList{sans};
    QTest::newRow("Label10") << QStringList{song};
    QTest::newRow("Label4") << QStringList{song, sans};
    QTest::newRow("Command1") << QStringList{song};
    QTest::newRow("Command3") << QStringList{song, sans};
}

void TestWindowPixels::captionDrawnInFaces() {
    QFETCH(QStringList, families);
    const QWidget* control = window_->findChild<QWidget*>(QTest::currentDataTag());
    QVERIFY(control);
    QCOMPARE(drawingFamilies(captionOf(control), control->font()), families);
}

QTEST_MAIN(TestWindowPixels)
#include "tst_window_pixels.moc"
