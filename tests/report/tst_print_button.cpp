// The print button of the real window, pressed as a user would, against the private print
// server: what reaches the queue's device, and what the user is told when nothing can.
#include "core/errors.h"
#include "dialogue/report.h"
#include "tests/report/print_queue.h"
#include "tests/report/printed_lines.h"
#include "tests/ui/modal_user.h"
#include "ui/application_setup.h"
#include "ui/velmora_window.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTest>

using namespace velmora;

namespace {

QString golden(const QString& name) {
    QFile file(QStringLiteral(GOLDEN_DIR "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(file.fileName()));
    return QString::fromUtf8(file.readAll());
}

QStringList workedExampleAnswers() {
    QStringList lines = golden(QStringLiteral("worked_example.answers")).split(QLatin1Char('\n'));
    lines.removeLast(); // after the last line's end
    return lines;
}

} // namespace

class TestPrintButton : public QObject {
    Q_OBJECT

    TestPrintQueue queue_;

    // Presses a button of `window` and answers its boxes from `script`; returns what the user
    // saw, one line per box.
    QStringList press(Velmora& window, const char* button, const QStringList& script = {}) {
        ModalUser user(script, {}, std::chrono::seconds(30));
        QTest::mouseClick(window.findChild<QPushButton*>(QLatin1String(button)), Qt::LeftButton);
        if (!user.failure().isEmpty())
            qWarning("%s", qPrintable(user.failure()));
        return user.record();
    }

private slots:
    void initTestCase() {
        if (!queue_.available())
            QSKIP("needs the private print server: run under print_server.sh");
        prepareApplication(*qApp);
    }

    void init() { queue_.reset(); }

    void beforeAnyRunTheMessageIsShownAndNothingSent() {
        Velmora window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QStringList seen = press(window, "Command3");
        QCOMPARE(seen, QStringList{QStringLiteral("error ") +
                                   QString::fromUtf8(NothingToPrint().what())});
        QCOMPARE(TestPrintQueue::jobsOnServer(), 0);
    }

    void afterARunThePageReachesTheQueue() {
        Velmora window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        press(window, "Command1", workedExampleAnswers());
        QCOMPARE(press(window, "Command3"), QStringList());
        QTRY_COMPARE_WITH_TIMEOUT(queue_.deliveredJobs().size(), 1, 10000);
        // the transcript tool's record of the same run, checked by hand against the worked example
        QCOMPARE(recordOfPdf(queue_.deliveredJobs().front()),
                 onPaper(golden(QStringLiteral("worked_example.transcript"))));
    }

    void aStoppedQueueIsShownAndGetsNothing() {
        QVERIFY(TestPrintQueue::command(QStringLiteral("cupsdisable"), {queue_.name()}));
        Velmora window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        press(window, "Command1", workedExampleAnswers());
        const QStringList seen = press(window, "Command3");
        QCOMPARE(seen.size(), 1);
        QVERIFY2(seen.front().startsWith(QLatin1String("error ")), qPrintable(seen.front()));
        QVERIFY2(seen.front().contains(queue_.name()), qPrintable(seen.front()));
        QCOMPARE(TestPrintQueue::jobsOnServer(), 0);
        QVERIFY(window.isVisible());
    }
};

QTEST_MAIN(TestPrintButton)
#include "tst_print_button.moc"
