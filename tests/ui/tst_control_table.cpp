// The window as the user first sees it: every control where the layout puts it, with its caption
// and face, the frame lines, the colours, the tab chain and the opening state.
#include "ui/application_setup.h"
#include "ui/velmora_window.h"

#include <QAccessible>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

namespace {

QColor roleColour(const QWidget* widget, QPalette::ColorRole role) {
    return widget->palette().color(role);
}

// What the controls stand on, inside the window's scroll area.
const QWidget& canvasOf(const QWidget& window) {
    return *window.findChild<QWidget*>(QStringLiteral("Label1"))->parentWidget();
}

const QScrollArea& scrollAreaOf(const QWidget& window) {
    return *window.findChild<QScrollArea*>();
}

} // namespace

class TestControlTable : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { velmora::prepareApplication(*qApp); }

    void controlStandsWhereTheLayoutPutsIt_data();
    void controlStandsWhereTheLayoutPutsIt();
    void lineIsRedSolidAndThreePixelsWide_data();
    void lineIsRedSolidAndThreePixelsWide();
    void noControlCrossesALine();
    void buttonColours_data();
    void buttonColours();
    void windowOpensEmptyWithEverythingVisible();
    void tabVisitsTheFocusableControlsInOrder();
    void smallWindowScrollsToEveryControl_data();
    void smallWindowScrollsToEveryControl();
};

void TestControlTable::controlStandsWhereTheLayoutPutsIt_data() {
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("family");
    QTest::addColumn<double>("pointSize");
    QTest::addColumn<QString>("accessibleName"); // what a screen reader announces; labels: caption
    const auto addControl = [](const char* name, const char* className, const char* caption,
                               QRect geometry, const char* family, double pointSize,
                               const char* accessibleName = nullptr) {
        QTest::newRow(name) << QString::fromLatin1(className) << QString::fromUtf8(caption)
                            << geometry << QString::fromUtf8(family) << pointSize
                            << QString::fromUtf8(accessibleName ? accessibleName : caption);
    };
    addControl("Label1", "QLabel", "Velmora", QRect(392, 296, 201, 25), "宋体", 15.75);
    addControl("Label10", "QLabel", "未知点个数说明", QRect(336, 360, 97, 17),
               "Microsoft Sans Serif", 8.25);
    addControl("Label14", "QLabel", "起始点高程 ", QRect(496, 360, 65, 17), "Microsoft Sans Serif",
               8.25);
    addControl("Label15", "QLabel", "闭合点高程 ", QRect(592, 360, 65, 17), "Microsoft Sans Serif",
               8.25);
    addControl("Text5", "QLineEdit", "", QRect(304, 376, 169, 19), "Microsoft Sans Serif", 8.25,
               "未知点个数说明");
    addControl("Label12", "QLabel", " Ha", QRect(472, 376, 25, 17), "Microsoft Sans Serif", 8.25);
    addControl("Text1", "QLineEdit", "", QRect(496, 376, 73, 19), "Microsoft Sans Serif", 8.25,
               "起始点高程 Ha");
    addControl("Label13", "QLabel", " Hb", QRect(568, 376, 25, 17), "Microsoft Sans Serif", 8.25);
    addControl("Text2", "QLineEdit", "", QRect(592, 376, 81, 19), "Microsoft Sans Serif", 8.25,
               "闭合点高程 Hb");
    addControl("Label11", "QLabel", "点  名  ", QRect(320, 424, 41, 17), "Microsoft Sans Serif",
               8.25);
    addControl("Label4", "QLabel", "距离(前后视距和)", QRect(384, 424, 105, 17),
               "Microsoft Sans Serif", 8.25);
    addControl("Label5", "QLabel", "高   差 ", QRect(512, 424, 41, 17), "Microsoft Sans Serif",
               8.25);
    addControl("Label9", "QLabel", "高差闭合差 ", QRect(600, 424, 65, 17), "Microsoft Sans Serif",
               8.25);
    addControl("Label16", "QLabel", " N$", QRect(280, 440, 25, 17), "Microsoft Sans Serif", 8.25);
    addControl("Text9", "QLineEdit", "", QRect(304, 440, 65, 19), "Microsoft Sans Serif", 8.25,
               "点名 N$");
    addControl("Label18", "QLabel", " S", QRect(376, 440, 17, 17), "Microsoft Sans Serif", 8.25);
    addControl("Text3", "QLineEdit", "", QRect(392, 440, 81, 19), "Microsoft Sans Serif", 8.25,
               "距离(前后视距和) S");
    addControl("Label17", "QLabel", " dh", QRect(472, 440, 25, 17), "Microsoft Sans Serif", 8.25);
    addControl("Text4", "QLineEdit", "", QRect(496, 440, 73, 19), "Microsoft Sans Serif", 8.25,
               "高差 dh");
    addControl("Label19", "QLabel", " Fh", QRect(568, 440, 25, 17), "Microsoft Sans Serif", 8.25);
    addControl("Text8", "QLineEdit", "", QRect(592, 440, 81, 19), "Microsoft Sans Serif", 8.25,
               "高差闭合差 Fh");
    addControl("Label6", "QLabel", "( 计 算 结 果 ）", QRect(416, 504, 145, 17), "宋体", 12);
    addControl("Label2", "QLabel", "点  名", QRect(424, 544, 41, 17), "Microsoft Sans Serif", 8.25);
    addControl("Label7", "QLabel", "高   程", QRect(512, 544, 41, 17), "Microsoft Sans Serif",
               8.25);
    addControl("Label20", "QLabel", " N$", QRect(384, 560, 25, 17), "Microsoft Sans Serif", 8.25);
    addControl("Text6", "QLineEdit", "", QRect(408, 560, 65, 19), "Microsoft Sans Serif", 8.25,
               "计算结果 点名 N$");
    addControl("Label21", "QLabel", " Hp", QRect(480, 560, 25, 17), "Microsoft Sans Serif", 8.25);
    addControl("Text7", "QLineEdit", "", QRect(504, 560, 73, 19), "Microsoft Sans Serif", 8.25,
               "计算结果 高程 Hp");
    addControl("Command1", "QPushButton", "进行计算", QRect(352, 624, 65, 33),
               "Microsoft Sans Serif", 8.25, "进行计算");
    addControl("Command2", "QPushButton", "退出计算", QRect(440, 624, 65, 33),
               "Microsoft Sans Serif", 8.25, "退出计算");
    addControl("Command3", "QPushButton", "打 印", QRect(528, 624, 65, 33), "MS Sans Serif", 8.25,
               "打印");
}

void TestControlTable::controlStandsWhereTheLayoutPutsIt() {
    QFETCH(QString, className);
    QFETCH(QString, caption);
    QFETCH(QRect, geometry);
    QFETCH(QString, family);
    QFETCH(double, pointSize);
    QFETCH(QString, accessibleName);

    velmora::Velmora window;
    const QString name = QString::fromLatin1(QTest::currentDataTag());
    const QList<QWidget*> matches = window.findChildren<QWidget*>(name);
    QCOMPARE(matches.size(), 1);
    QWidget* control = matches.front();
    QCOMPARE(QString::fromLatin1(control->metaObject()->className()), className);
    QCOMPARE(control->geometry(), geometry);

    QString shown;
    if (auto* label = qobject_cast<QLabel*>(control)) {
        shown = label->text();
        QCOMPARE(label->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
        QCOMPARE(label->frameShape(), QFrame::NoFrame);
        QVERIFY(!label->autoFillBackground());
        QCOMPARE(label->focusPolicy(), Qt::NoFocus);
    } else if (auto* button = qobject_cast<QPushButton*>(control)) {
        shown = button->text();
    } else if (auto* field = qobject_cast<QLineEdit*>(control)) {
        shown = field->text();
        QVERIFY(field->hasFrame());
        QVERIFY(!field->isReadOnly());
        QVERIFY(field->isEnabled());
    }
    QCOMPARE(shown, caption);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
    QVERIFY(accessible);
    QCOMPARE(accessible->text(QAccessible::Name), accessibleName);

    const QFont font = control->font();
    QCOMPARE(font.family(), family);
    QCOMPARE(QString::number(font.pointSizeF()), QString::number(pointSize));
    QCOMPARE(font.weight(), QFont::Bold);
    QVERIFY(!font.italic() && !font.underline() && !font.strikeOut());
}

void TestControlTable::lineIsRedSolidAndThreePixelsWide_data() {
    QTest::addColumn<QRect>("geometry");
    const auto addLine = [](const char* name, QRect geometry) {
        QTest::newRow(name) << geometry;
    };
    addLine("Line1", QRect(QPoint(263, 255), QPoint(697, 257)));
    addLine("Line2", QRect(QPoint(263, 255), QPoint(265, 609)));
    addLine("Line3", QRect(QPoint(263, 607), QPoint(697, 609)));
    addLine("Line4", QRect(QPoint(695, 255), QPoint(697, 609)));
    addLine("Line6", QRect(QPoint(263, 335), QPoint(697, 337)));
    addLine("Line5", QRect(QPoint(263, 479), QPoint(697, 481)));
}

void TestControlTable::lineIsRedSolidAndThreePixelsWide() {
    QFETCH(QRect, geometry);
    velmora::Velmora window;
    auto* line = window.findChild<QFrame*>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(line);
    QCOMPARE(line->geometry(), geometry);
    QCOMPARE(line->frameShape(),
             geometry.width() > geometry.height() ? QFrame::HLine : QFrame::VLine);
    QCOMPARE(line->frameShadow(), QFrame::Plain);
    QCOMPARE(line->lineWidth(), 3);
    QCOMPARE(roleColour(line, line->foregroundRole()), QColor(255, 0, 0));
}

void TestControlTable::noControlCrossesALine() {
    velmora::Velmora window;
    QList<QFrame*> lines;
    QList<QWidget*> controls;
    for (QWidget* child : canvasOf(window).findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->objectName().startsWith(QLatin1String("Line")))
            lines.append(qobject_cast<QFrame*>(child));
        else
            controls.append(child);
    }
    QCOMPARE(lines.size(), 6);
    QCOMPARE(controls.size(), 19 + 9 + 3);
    for (const QFrame* line : lines)
        for (const QWidget* control : controls)
            QVERIFY2(!line->geometry().intersects(control->geometry()),
                     qPrintable(control->objectName() + " crosses " + line->objectName()));
}

void TestControlTable::buttonColours_data() {
    QTest::addColumn<QColor>("colour");
    QTest::newRow("Command1") << QColor(255, 192, 192);
    QTest::newRow("Command2") << QColor(255, 192, 192);
    QTest::newRow("Command3") << QApplication::palette().color(QPalette::Button);
}

void TestControlTable::buttonColours() {
    QFETCH(QColor, colour);
    velmora::Velmora window;
    auto* button = window.findChild<QPushButton*>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(button);
    QCOMPARE(roleColour(button, QPalette::Button), colour);
    QVERIFY(!button->isFlat());
}

void TestControlTable::windowOpensEmptyWithEverythingVisible() {
    velmora::Velmora window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.objectName(), QStringLiteral("Velmora"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Velmora"));
    QCOMPARE(roleColour(&window, QPalette::Window), QColor(192, 255, 255));
    QVERIFY(window.isWindow());
    QCOMPARE(window.minimumSize(), QSize(0, 0));
    QCOMPARE(window.maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));

    const QWidget& canvas = canvasOf(window);
    const QRect layout(canvas.mapTo(&window, canvas.childrenRect().topLeft()),
                       canvas.childrenRect().size());
    QCOMPARE(layout.topLeft(), QPoint(263, 255));
    QVERIFY(window.rect().contains(layout));
    QVERIFY(window.width() - 1 - layout.right() >= 8);
    QVERIFY(window.height() - 1 - layout.bottom() >= 8);
    QVERIFY(!scrollAreaOf(window).horizontalScrollBar()->isVisible());
    QVERIFY(!scrollAreaOf(window).verticalScrollBar()->isVisible());

    const QList<QLineEdit*> fields = window.findChildren<QLineEdit*>();
    QCOMPARE(fields.size(), 9);
    for (const QLineEdit* field : fields)
        QVERIFY2(field->text().isEmpty(), qPrintable(field->objectName()));
}

void TestControlTable::tabVisitsTheFocusableControlsInOrder() {
    velmora::Velmora window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    const QStringList expected = {"Text1", "Text2",    "Command1", "Command2", "Text3",
                                  "Text4", "Text6",    "Text7",    "Text8",    "Text5",
                                  "Text9", "Command3", "Text1"};
    QStringList visited;
    for (qsizetype step = 0; step < expected.size(); ++step) {
        QWidget* focus = QApplication::focusWidget();
        QVERIFY(focus);
        visited.append(focus->objectName());
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    QCOMPARE(visited, expected);
}

void TestControlTable::smallWindowScrollsToEveryControl_data() {
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("horizontal");
    QTest::addColumn<bool>("vertical");
    QTest::newRow("small") << QSize(450, 400) << true << true;
    QTest::newRow("low laptop screen") << QSize(720, 500) << false << true;
    QTest::newRow("narrow") << QSize(500, 681) << true << false;
    QTest::newRow("larger than opened") << QSize(1000, 900) << false << false;
}

void TestControlTable::smallWindowScrollsToEveryControl() {
    QFETCH(QSize, size);
    QFETCH(bool, horizontal);
    QFETCH(bool, vertical);
    velmora::Velmora window;
    window.resize(size);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QCOMPARE(window.size(), size);
    const QScrollArea& scrollArea = scrollAreaOf(window);
    QCOMPARE(scrollArea.horizontalScrollBar()->isVisible(), horizontal);
    QCOMPARE(scrollArea.verticalScrollBar()->isVisible(), vertical);

    // Going once round the tab chain brings every button wholly into view, and the place where
    // typing goes in every field.
    const QWidget* viewport = scrollArea.viewport();
    for (int step = 0; step < 12; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        const QWidget* focus = QApplication::focusWidget();
        QVERIFY(focus);
        const QRect part = qobject_cast<const QLineEdit*>(focus)
                               ? focus->inputMethodQuery(Qt::ImCursorRectangle).toRect()
                               : focus->rect();
        const QRect shown(focus->mapTo(viewport, part.topLeft()), part.size());
        QVERIFY2(viewport->rect().contains(shown), qPrintable(focus->objectName()));
    }
}

QTEST_MAIN(TestControlTable)
#include "tst_control_table.moc"
