#include "core/errors.h"
#include "dialogue/report.h"
#include "printing/font_substitutions.h"
#include "printing/report_sender.h"
#include "tests/report/print_queue.h"
#include "tests/report/printed_lines.h"

#include <QTest>
#include <array>

using namespace velmora;

namespace {

LevelingRoute workedRoute() {
    LevelingRoute route;
    startRoute(route, 2);
    route.startHeight = 10.0f;
    route.endHeight = 12.0f;
    route.misclosure = (1.01f + 1.0f + 10.0f) - 12.0f;
    route.totalLength = 200.0f;
    const std::array<const char*, 3> names{"BM1", "P1", "BM2"};
    const std::array heights{10.0f, 11.005f, 12.0f};
    for (long i = 0; i <= 2; ++i) {
        route.pointNames.at(i) = names.at(static_cast<std::size_t>(i));
        route.adjustedHeights.at(i) = heights.at(static_cast<std::size_t>(i));
    }
    route.resultsReached = true;
    return route;
}

// What pressing the print button says: nothing when the job went to the queue.
QString press(const LevelingRoute& route) {
    try {
        sendReport(route);
    } catch (const Error& error) {
        return QString::fromUtf8(error.what());
    }
    return {};
}

} // namespace

class TestPrintServer : public QObject {
    Q_OBJECT

    TestPrintQueue queue_;

    // Nothing was handed to the server, and nothing reached the device.
    void verifyNothingSent() {
        QCOMPARE(TestPrintQueue::jobsOnServer(), 0);
        QTest::qWait(200);
        QCOMPARE(queue_.deliveredJobs(), QStringList());
    }

private slots:
    void initTestCase() {
        if (!queue_.available())
            QSKIP("needs the private print server: run under print_server.sh");
        installFontSubstitutions();
    }

    void init() { queue_.reset(); }

    void deliversTheReportAsOneJob() {
        QCOMPARE(press(workedRoute()), QString());
        QTRY_COMPARE_WITH_TIMEOUT(queue_.deliveredJobs().size(), 1, 10000);
        QCOMPARE(recordOfPdf(queue_.deliveredJobs().front()), recordedOnPaper(workedRoute()));
    }

    void pressingTwiceDeliversTwoIdenticalJobs() {
        QCOMPARE(press(workedRoute()), QString());
        QCOMPARE(press(workedRoute()), QString());
        QTRY_COMPARE_WITH_TIMEOUT(queue_.deliveredJobs().size(), 2, 10000);
        const QStringList jobs = queue_.deliveredJobs();
        QCOMPARE(recordOfPdf(jobs[1]), recordOfPdf(jobs[0]));
        QCOMPARE(recordOfPdf(jobs[0]), recordedOnPaper(workedRoute()));
    }

    void beforeAnyRunNothingIsSent() {
        const QString message = press(LevelingRoute{});
        QCOMPARE(message, QString::fromUtf8(NothingToPrint().what()));
        verifyNothingSent();
    }

    void aQueueThatCannotPrintIsNamedWithItsReason_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("options"); // before the queue's name
        QTest::addColumn<QString>("reason");      // what the message says besides the name
        QTest::newRow("stopped") << QStringLiteral("cupsdisable")
                                 << QStringList{QStringLiteral("-r"),
                                                QStringLiteral("paper jam in tray 2")}
                                 << QStringLiteral("已停止（paper jam in tray 2）");
        QTest::newRow("rejecting jobs")
            << QStringLiteral("cupsreject")
            << QStringList{QStringLiteral("-r"), QStringLiteral("closed for maintenance")}
            << QStringLiteral("不接受打印任务（closed for maintenance）");
    }

    void aQueueThatCannotPrintIsNamedWithItsReason() {
        QFETCH(QString, program);
        QFETCH(QStringList, options);
        QFETCH(QString, reason);
        QVERIFY(TestPrintQueue::command(program, options << queue_.name()));
        const QString message = press(workedRoute());
        QVERIFY2(message.contains(queue_.name()), qPrintable(message));
        QVERIFY2(message.contains(reason), qPrintable(message));
        QTRY_COMPARE(TestPrintQueue::activeJobs(), 0);
        QTest::qWait(200);
        QCOMPARE(queue_.deliveredJobs(), QStringList());
    }

    void noDefaultPrinterIsSaid() {
        QVERIFY(TestPrintQueue::command(QStringLiteral("lpadmin"),
                                        {QStringLiteral("-x"), queue_.name()}));
        const QString message = press(workedRoute());
        QVERIFY(!message.isEmpty());
        verifyNothingSent();
    }

    // Last: the server does not come back.
    void noServerAtAllIsSaid() {
        queue_.stopServer();
        const QString message = press(workedRoute());
        QVERIFY(!message.isEmpty());
        QCOMPARE(TestPrintQueue::jobsOnServer(), -1);
        QTest::qWait(200);
        QCOMPARE(queue_.deliveredJobs(), QStringList());
        qInfo("%s", qPrintable(message));
    }
};

QTEST_MAIN(TestPrintServer)
#include "tst_print_server.moc"
