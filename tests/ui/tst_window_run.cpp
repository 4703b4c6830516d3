// Whole calculation runs through the real window and real modal boxes, answered as a user would:
// every prompt, refusal and message in order, with what the fields show at each of them, must be
// what the calculation run's own transcript of the same answers says.
#include "tests/ui/modal_user.h"
#include "ui/application_setup.h"
#include "ui/velmora_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QInputDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <optional>

namespace {

// The fields in the order of the run's roles, countField to resultHeightField.
const QStringList fieldsByRole = {"Text5", "Text1", "Text2", "Text9", "Text3",
                                  "Text4", "Text8", "Text6", "Text7"};
const QStringList roleNames = {"countField",      "startHeightField",   "endHeightField",
                               "pointNameField",  "sectionLengthField", "heightDiffField",
                               "misclosureField", "resultNameField",    "resultHeightField"};

QStringList goldenLines(const QString& name, const char* suffix) {
    QFile file(QStringLiteral(GOLDEN_DIR "/") + name + QLatin1String(suffix));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(file.fileName()));
    QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    return lines;
}

QString joined(const QStringList& fields) {
    return fields.join(QStringLiteral(" | "));
}

// What the window should show for a run whose transcript is `transcript`, starting from the field
// texts `fields` (which the run leaves as it ends): its prompts, refusals and error message. A run
// the user abandoned at a refusal ends with the transcript's error line, but the window shows no
// message for the user's own choice.
QStringList expectedRecord(const QStringList& transcript, QStringList& fields) {
    QStringList record;
    for (const QString& line : transcript) {
        const qsizetype blank = line.indexOf(QLatin1Char(' '));
        const QString kind = line.left(blank);
        const QString rest = line.mid(blank + 1);
        if (kind == QLatin1String("show")) {
            const qsizetype end = rest.indexOf(QLatin1Char(' '));
            fields[roleNames.indexOf(rest.left(end))] = rest.mid(end + 1);
            continue;
        }
        if (kind != QLatin1String("ask") && kind != QLatin1String("refuse") &&
            kind != QLatin1String("error"))
            break; // the report of the route as the run left it follows
        const bool abandoned = kind == QLatin1String("error") && !record.isEmpty() &&
                               record.back().startsWith(QLatin1String("refuse "));
        if (!abandoned)
            record.append(kind + QLatin1Char(' ') + rest + QStringLiteral(" | ") + joined(fields));
        if (kind == QLatin1String("error"))
            break; // the run ended here; the report's own lines follow
    }
    return record;
}

class ShownWindow {
public:
    ShownWindow() {
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            qFatal("the window was never shown");
    }

    QString fieldTexts() const {
        QStringList texts;
        for (const QString& name : fieldsByRole)
            texts.append(window.findChild<QLineEdit*>(name)->text());
        return joined(texts);
    }

    QPushButton* button(const char* name) {
        return window.findChild<QPushButton*>(QLatin1String(name));
    }

    // Presses 进行计算 and plays `script` at the boxes until the run is over.
    QStringList calculate(const QStringList& script, QString& failure) {
        ModalUser user(script, [this] { return fieldTexts(); });
        QTest::mouseClick(button("Command1"), Qt::LeftButton);
        failure = user.failure();
        return user.record();
    }

    velmora::Velmora window;
};

QStringList buttonTexts(const QWidget& box) {
    QStringList texts;
    for (const QAbstractButton* button : box.findChildren<QAbstractButton*>())
        texts.append(button->text());
    texts.sort();
    return texts;
}

} // namespace

class TestWindowRun : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { velmora::prepareApplication(*qApp); }

    void runMatchesItsTranscript_data();
    void runMatchesItsTranscript();
    void readOutShowsItsStart_data();
    void readOutShowsItsStart();
    void nextRunStartsFromTheFieldsTheLastLeft_data();
    void nextRunStartsFromTheFieldsTheLastLeft();
    void boxesAreModalChineseAndUntitled();
    void exitEndsTheProgram_data();
    void exitEndsTheProgram();
    void ctrlCCopiesTheResultsOfAFinishedRunOnly_data();
    void ctrlCCopiesTheResultsOfAFinishedRunOnly();
    void ctrlVRunsTheTableOnTheClipboard_data();
    void ctrlVRunsTheTableOnTheClipboard();
};

void TestWindowRun::runMatchesItsTranscript_data() {
    QTest::addColumn<QString>("golden");
    // Cancel and empty OK at number prompts and confirmations, refused answers, a count beyond
    // the 16-bit range, zero total lengths.
    for (const char* golden : {"worked_example", "confirmations", "refusals", "overflow_count",
                               "zero_length", "zero_over_zero", "input_method"})
        QTest::newRow(golden) << QString::fromLatin1(golden);
}

void TestWindowRun::runMatchesItsTranscript() {
    QFETCH(QString, golden);
    ShownWindow shown;
    QStringList fields(fieldsByRole.size());
    const QStringList expected = expectedRecord(goldenLines(golden, ".transcript"), fields);

    QString failure;
    const QStringList record = shown.calculate(goldenLines(golden, ".answers"), failure);
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    QCOMPARE(record, expected);
    QCOMPARE(shown.fieldTexts(), joined(fields));
}

void TestWindowRun::readOutShowsItsStart_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("tooLong");
    QTest::newRow("negative misclosure") << QStringLiteral("Text8") << true;
    QTest::newRow("long name of B, entered") << QStringLiteral("Text9") << true;
    QTest::newRow("long name of B, result") << QStringLiteral("Text6") << true;
    QTest::newRow("height") << QStringLiteral("Text7") << false;
    QTest::newRow("count line") << QStringLiteral("Text5") << false;
}

// After a run with long texts, every read-out is shown from its first character, so that the sign
// of the misclosure and the start of a name are on screen, and a text too long for its field is in
// its tooltip as well.
void TestWindowRun::readOutShowsItsStart() {
    QFETCH(QString, field);
    QFETCH(bool, tooLong);
    ShownWindow shown;
    QString failure;
    shown.calculate(goldenLines(QStringLiteral("input_method"), ".answers"), failure);
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    const QLineEdit* readOut = shown.window.findChild<QLineEdit*>(field);
    QVERIFY(!readOut->text().isEmpty());
    QCOMPARE(readOut->cursorPosition(), 0);
    const int textWidth = readOut->fontMetrics().horizontalAdvance(readOut->text());
    QCOMPARE(textWidth > readOut->width(), tooLong);
    if (tooLong)
        QVERIFY2(readOut->toolTip().contains(readOut->text().trimmed()),
                 qPrintable(readOut->toolTip()));
    else
        QCOMPARE(readOut->toolTip(), QString());
    // The misclosure's account says the limits it is judged by, for the eye and the screen reader.
    if (field == QLatin1String("Text8"))
        QVERIFY(readOut->accessibleDescription().contains(QStringLiteral("超出图根限差")));
}

void TestWindowRun::nextRunStartsFromTheFieldsTheLastLeft_data() {
    QTest::addColumn<QString>("first");
    QTest::newRow("after a whole run") << QStringLiteral("worked_example");
    QTest::newRow("after a zero total length") << QStringLiteral("zero_length");
    QTest::newRow("after an abandoned run") << QStringLiteral("refusals");
}

void TestWindowRun::nextRunStartsFromTheFieldsTheLastLeft() {
    QFETCH(QString, first);
    ShownWindow shown;
    QStringList fields(fieldsByRole.size());
    expectedRecord(goldenLines(first, ".transcript"), fields);
    QString failure;
    shown.calculate(goldenLines(first, ".answers"), failure);
    QVERIFY2(failure.isEmpty(), qPrintable(failure));

    const QStringList expected =
        expectedRecord(goldenLines(QStringLiteral("worked_example"), ".transcript"), fields);
    const QStringList record =
        shown.calculate(goldenLines(QStringLiteral("worked_example"), ".answers"), failure);
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    QCOMPARE(record, expected);
}

void TestWindowRun::boxesAreModalChineseAndUntitled() {
    ShownWindow shown;
    QSignalSpy exitPresses(shown.button("Command2"), &QPushButton::clicked);
    QStringList inspected;
    ModalUser user({QStringLiteral("abc"), QStringLiteral("<Cancel>")}, {});
    user.inspectEachBox([&](QWidget& box) {
        inspected.append(QString::fromLatin1(box.metaObject()->className()) + QLatin1Char(' ') +
                         buttonTexts(box).join(QLatin1Char('/')));
        QVERIFY(box.windowTitle().isEmpty());
        QCOMPARE(box.windowModality(), Qt::ApplicationModal);
        if (auto* prompt = qobject_cast<QInputDialog*>(&box)) {
            QVERIFY(prompt->textValue().isEmpty());
            QCOMPARE(prompt->inputMode(), QInputDialog::TextInput);
        }
        // A click on the exit button through the window system must not reach it.
        QPushButton* exit = shown.button("Command2");
        QTest::mouseClick(shown.window.windowHandle(), Qt::LeftButton, {},
                          exit->mapTo(&shown.window, exit->rect().center()));
    });
    QTest::mouseClick(shown.button("Command1"), Qt::LeftButton);
    QVERIFY2(user.failure().isEmpty(), qPrintable(user.failure()));
    QCOMPARE(inspected, QStringList({QStringLiteral("QInputDialog 取消/确定"),
                                     QStringLiteral("QMessageBox 放弃计算/重新输入")}));
    QCOMPARE(exitPresses.count(), 0);
    QVERIFY(shown.window.isVisible());
    // The platform shows the application's name where a box has no title.
    QCOMPARE(QGuiApplication::applicationDisplayName(), QStringLiteral("Velmora"));
}

void TestWindowRun::exitEndsTheProgram_data() {
    QTest::addColumn<bool>("afterRun");
    QTest::addColumn<bool>("byButton");
    QTest::newRow("exit button before any run") << false << true;
    QTest::newRow("exit button after a run") << true << true;
    QTest::newRow("window closed before any run") << false << false;
    QTest::newRow("window closed after a run") << true << false;
}

void TestWindowRun::exitEndsTheProgram() {
    QFETCH(bool, afterRun);
    QFETCH(bool, byButton);
    ShownWindow shown;
    if (afterRun) {
        QString failure;
        shown.calculate(goldenLines(QStringLiteral("worked_example"), ".answers"), failure);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
    }
    QTimer::singleShot(0, &shown.window, [&] {
        if (byButton)
            QTest::mouseClick(shown.button("Command2"), Qt::LeftButton);
        else
            shown.window.close();
    });
    // Should the program not end, the status tells.
    QTimer::singleShot(std::chrono::seconds(10), [] { QCoreApplication::exit(1); });
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!shown.window.isVisible());
}

void TestWindowRun::ctrlCCopiesTheResultsOfAFinishedRunOnly_data() {
    QTest::addColumn<QString>("golden"); // the run before Ctrl+C; none when empty
    QTest::addColumn<QString>("copied"); // a line of the table on the clipboard; none when empty
    QTest::newRow("before any run") << QString() << QString();
    QTest::newRow("after a whole run") << "worked_example"
                                       << "P1\t100\t1.01\t-5.0\t1.005\t11.005";
    QTest::newRow("after an abandoned run") << "refusals" << QString();
}

void TestWindowRun::ctrlCCopiesTheResultsOfAFinishedRunOnly() {
    QFETCH(QString, golden);
    QFETCH(QString, copied);
    ShownWindow shown;
    QString failure;
    if (!golden.isEmpty())
        shown.calculate(goldenLines(golden, ".answers"), failure);
    QGuiApplication::clipboard()->setText(QStringLiteral("untouched"));
    // The field that has the focus leaves Ctrl+C to the window while nothing in it is selected.
    shown.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&shown.window));
    auto* field = shown.window.findChild<QLineEdit*>(QStringLiteral("Text8"));
    field->setFocus();
    QTest::keySequence(field, QKeySequence::Copy);
    const QString clipboard = QGuiApplication::clipboard()->text();
    if (copied.isEmpty())
        QCOMPARE(clipboard, QStringLiteral("untouched"));
    else
        QVERIFY2(clipboard.split(QLatin1Char('\n')).contains(copied), qPrintable(clipboard));
    // Copying and saving wait for results; reading a route in never does.
    for (QAction* action : shown.window.actions()) {
        const bool keepsResults = action->shortcut() == QKeySequence(QKeySequence::Copy) ||
                                  action->shortcut() == QKeySequence(QKeySequence::Save);
        QCOMPARE(action->isEnabled(), !keepsResults || !copied.isEmpty());
    }
}

void TestWindowRun::ctrlVRunsTheTableOnTheClipboard_data() {
    QTest::addColumn<QString>("pasted"); // the clipboard's text; the copied results when empty
    QTest::addColumn<QString>("told");   // the one message shown; none when empty
    QTest::newRow("the results table copied from a run") << QString() << QString();
    QTest::newRow("a table with a cell that is no number")
        << "点名\t距离\t实测高差\t高程\nBM1\t\t\t10\nP1\tabc\t1.01\t\nBM2\t100\t1\t12\n"
        << "error 第 3 行“距离”不是数字：abc";
}

// A route comes back from the spreadsheet it was copied to: the window ends as after typing it.
// A refused table changes nothing: the fields and the results stay those of the last run.
void TestWindowRun::ctrlVRunsTheTableOnTheClipboard() {
    QFETCH(QString, pasted);
    QFETCH(QString, told);
    ShownWindow typed;
    QString failure;
    typed.calculate(goldenLines(QStringLiteral("worked_example"), ".answers"), failure);
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    const auto press = [](ShownWindow& shown, QKeySequence::StandardKey key) {
        shown.window.activateWindow();
        if (!QTest::qWaitForWindowActive(&shown.window))
            qFatal("the window never became active");
        ModalUser user({}, [&shown] { return shown.fieldTexts(); });
        QTest::keySequence(&shown.window, key);
        return user.record();
    };
    press(typed, QKeySequence::Copy);
    const QString copied = QGuiApplication::clipboard()->text();
    if (!pasted.isEmpty())
        QGuiApplication::clipboard()->setText(pasted);

    std::optional<ShownWindow> fresh;
    ShownWindow& pasting = pasted.isEmpty() ? fresh.emplace() : typed;
    const QString before = typed.fieldTexts();
    const QStringList seen = press(pasting, QKeySequence::Paste);
    QCOMPARE(seen, told.isEmpty() ? QStringList() : QStringList{told + " | " + before});
    QCOMPARE(pasting.fieldTexts(), before);
    press(pasting, QKeySequence::Copy);
    QCOMPARE(QGuiApplication::clipboard()->text(), copied);
}

QTEST_MAIN(TestWindowRun)
#include "tst_window_run.moc"
