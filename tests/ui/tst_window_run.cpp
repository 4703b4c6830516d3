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
#include <QTemporaryDir>
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

QByteArray goldenBytes(const QString& name) {
    QFile file(QStringLiteral(GOLDEN_DIR "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(file.fileName()));
    return file.readAll();
}

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
    void fieldFileRunsAsItsRouteTyped_data();
    void fieldFileRunsAsItsRouteTyped();
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

void TestWindowRun::fieldFileRunsAsItsRouteTyped_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("script"); // at the 测段表 and the heights' prompts
    QTest::addColumn<QString>("first");      // the first box, without the fields
    QTest::addColumn<QStringList>("typed");  // the same route typed; none when nothing changes
    const QByteArray gsi8 = goldenBytes(QStringLiteral("gsi8_bf.gsi"));
    QTest::newRow("two lines ticked")
        << "gsi8_bf.gsi" << gsi8 << QStringList{"1,2", "45.123", "", "45.18", ""}
        << "pick 路线从 BM1 到 BM3，共 2 段，1 个待定点。"
        << QStringList{"1", "45.123",  "", "45.18", "", "BM1",   "", "200.4",
                       "",  "1.69263", "", "BM2",   "", "151.5", "", "-1.64211",
                       "",  "BM3",     "", "",      "", ""};
    QTest::newRow("a section both ways, ticked the other way round, Ha typed again")
        << "gsi16_bffb.gsi" << goldenBytes(QStringLiteral("gsi16_bffb.gsi"))
        << QStringList{"2,1", "101.5", "0", "101.502", "", "101.502", ""}
        << "pick 路线从 B 到 B，共 2 段，1 个待定点。"
        << QStringList{"1", "101.5",    "0", "101.502",   "", "101.502", "", "B",
                       "",  "102.001",  "",  "-1.503485", "", "A",       "", "101.5045",
                       "",  "1.502455", "",  "B",         "", "",        "", ""};
    QTest::newRow("one line of two")
        << "m5_bf.dat" << goldenBytes(QStringLiteral("m5_bf.dat"))
        << QStringList{"2", "11.3999", "", "11.1", ""}
        << "pick 路线从 BM2 到 BM1，共 1 段，0 个待定点。"
        << QStringList{"0", "11.3999", "", "11.1", "", "BM2", "", "128.5",
                       "",  "-0.3",    "", "BM1",  "", "",    ""};
    QTest::newRow("取消 at the 测段表")
        << "gsi8_bf.gsi" << gsi8 << QStringList{"<Cancel>"} << "pick <Cancel>" << QStringList();
    QTest::newRow("取消 at Ha, then 放弃计算")
        << "gsi8_bf.gsi" << gsi8 << QStringList{"1,2", "<Cancel>", "<Cancel>"}
        << "pick 路线从 BM1 到 BM3，共 2 段，1 个待定点。" << QStringList();
    QTest::newRow("a file the reader refuses")
        << "broken.gsi" << QByteArray(gsi8).replace("332.08+00087650", "332.08+0008x650")
        << QStringList() << "error 无法读入观测文件“broken.gsi”：第 4 行：WI 332 的数据不是数字。"
        << QStringList();
}

// A field file opened as Ctrl+O and a drop open it: the lines ticked and the heights answered
// leave the window as the same route typed would, and the results table has the lines' station
// counts. 取消 anywhere, or a file refused, leaves the window and the route of the run before.
void TestWindowRun::fieldFileRunsAsItsRouteTyped() {
    QFETCH(QString, file);
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, script);
    QFETCH(QString, first);
    QFETCH(QStringList, typed);
    QTemporaryDir folder;
    QFile written(folder.filePath(file));
    QVERIFY(written.open(QIODevice::WriteOnly) && written.write(bytes) == bytes.size());
    written.close();

    ShownWindow shown;
    QString failure;
    shown.calculate(goldenLines(QStringLiteral("worked_example"), ".answers"), failure);
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    const QString before = shown.fieldTexts();
    shown.window.copyResults();
    const QString tableBefore = QGuiApplication::clipboard()->text();

    {
        ModalUser user(script, [&shown] { return shown.fieldTexts(); });
        shown.window.openRouteFile(written.fileName());
        QVERIFY2(user.failure().isEmpty(), qPrintable(user.failure()));
        QVERIFY(!user.record().isEmpty());
        QCOMPARE(user.record().front(), first + QStringLiteral(" | ") + before);
    }
    shown.window.copyResults();
    const QString table = QGuiApplication::clipboard()->text();
    if (typed.isEmpty()) {
        QCOMPARE(shown.fieldTexts(), before);
        QCOMPARE(table, tableBefore);
        return;
    }
    ShownWindow typing;
    typing.calculate(typed, failure);
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    QCOMPARE(shown.fieldTexts(), typing.fieldTexts());
    QVERIFY2(table.contains(QStringLiteral("测站数")), qPrintable(table));
}

QTEST_MAIN(TestWindowRun)
#include "tst_window_run.moc"
