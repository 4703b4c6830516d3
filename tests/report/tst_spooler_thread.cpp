// The waits on Windows' print spooler: a work that is silent, stuck or stopped by the user must
// neither hold the waiting thread past its patience nor be left running with nothing to stop it.
#include "core/errors.h"
#include "printing/spooler_thread.h"

#include <QElapsedTimer>
#include <QTest>
#include <atomic>
#include <thread>

using namespace velmora;
using namespace std::chrono_literals;

namespace {

// What the work on the spooler thread does.
enum class Work {
    returns,
    raises,
    staysSilent,  // two seconds without a word, as a spooler that stopped answering
    keepsTalking, // a word every 100 ms for 800 ms, as a spooler busy with many pages
};

std::function<void(SpoolerProgress&)> workDoing(Work work) {
    return [work](SpoolerProgress& progress) {
        switch (work) {
        case Work::returns:
            return;
        case Work::raises:
            throw Error("打印机不存在");
        case Work::staysSilent:
            std::this_thread::sleep_for(2s);
            return;
        case Work::keepsTalking:
            for (int i = 0; i < 8; ++i) {
                std::this_thread::sleep_for(100ms);
                progress.heard();
            }
            return;
        }
    };
}

// Waits for its stop to be requested, records in `told` that it was, and raises as a cancelled
// job does.
std::function<void(SpoolerProgress&)> workUntilStopped(std::shared_ptr<std::atomic<bool>> told) {
    return [told = std::move(told)](SpoolerProgress& progress) {
        while (!progress.stopRequested())
            std::this_thread::sleep_for(10ms);
        *told = true;
        throw Abandoned("打印已取消。");
    };
}

} // namespace

Q_DECLARE_METATYPE(Work)

class TestSpoolerThread : public QObject {
    Q_OBJECT

private slots:
    void theWaitEnds_data() {
        QTest::addColumn<Work>("work");
        QTest::addColumn<int>("patienceMs");
        QTest::addColumn<int>("cancelAfterMs"); // -1: 取消 is never pressed
        QTest::addColumn<QString>("ends");      // the outcome, or "raised"
        QTest::addColumn<int>("leastMs");
        QTest::addColumn<int>("mostMs");
        QTest::newRow("a work that returns")
            << Work::returns << 5000 << -1 << "finished" << 0 << 2000;
        QTest::newRow("a work that raises") << Work::raises << 5000 << -1 << "raised" << 0 << 2000;
        QTest::newRow("a silence as long as the patience")
            << Work::staysSilent << 300 << -1 << "silent" << 300 << 1500;
        QTest::newRow("a work heard from within its patience, past it")
            << Work::keepsTalking << 400 << -1 << "finished" << 700 << 3000;
        QTest::newRow("取消 in a long patience")
            << Work::staysSilent << 30000 << 100 << "stopped" << 100 << 1500;
        QTest::newRow("取消 before the wait")
            << Work::staysSilent << 30000 << 0 << "stopped" << 0 << 500;
    }

    void theWaitEnds() {
        QFETCH(Work, work);
        QFETCH(int, patienceMs);
        QFETCH(int, cancelAfterMs);
        QFETCH(QString, ends);
        QFETCH(int, leastMs);
        QFETCH(int, mostMs);
        std::stop_source cancel;
        std::jthread user;
        if (cancelAfterMs == 0)
            cancel.request_stop();
        else if (cancelAfterMs > 0)
            user = std::jthread([&cancel, cancelAfterMs] {
                std::this_thread::sleep_for(std::chrono::milliseconds(cancelAfterMs));
                cancel.request_stop();
            });
        QElapsedTimer clock;
        clock.start();
        SpoolerThread thread(workDoing(work));
        QString ended;
        try {
            switch (thread.await(cancel.get_token(), std::chrono::milliseconds(patienceMs))) {
            case SpoolerThread::Outcome::finished:
                ended = QStringLiteral("finished");
                break;
            case SpoolerThread::Outcome::silent:
                ended = QStringLiteral("silent");
                break;
            case SpoolerThread::Outcome::stopped:
                ended = QStringLiteral("stopped");
                break;
            }
        } catch (const Error& error) {
            QCOMPARE(QString::fromUtf8(error.what()), QStringLiteral("打印机不存在"));
            ended = QStringLiteral("raised");
        }
        const qint64 tookMs = clock.elapsed();
        QCOMPARE(ended, ends);
        QVERIFY2(tookMs >= leastMs && tookMs <= mostMs, qPrintable(QString::number(tookMs)));
    }

    // A work the waiting thread gave up on is told to stop, so that it takes its job back once
    // the spooler lets it; a work waited for after 取消 is given a patience of its own to say how
    // that went.
    void aWorkGivenUpIsToldToStop() {
        const auto toldAfterSilence = std::make_shared<std::atomic<bool>>(false);
        {
            SpoolerThread thread(workUntilStopped(toldAfterSilence));
            QCOMPARE(thread.await({}, 100ms), SpoolerThread::Outcome::silent);
        }
        QTRY_VERIFY(*toldAfterSilence);

        const auto toldAfterCancel = std::make_shared<std::atomic<bool>>(false);
        SpoolerThread thread(workUntilStopped(toldAfterCancel));
        std::stop_source cancel;
        cancel.request_stop();
        QCOMPARE(thread.await(cancel.get_token(), 30s), SpoolerThread::Outcome::stopped);
        QVERIFY(!*toldAfterCancel);
        thread.requestStop();
        QVERIFY_THROWS_EXCEPTION(Abandoned, thread.await({}, 5s));
        QVERIFY(*toldAfterCancel);
    }
};

QTEST_GUILESS_MAIN(TestSpoolerThread)
#include "tst_spooler_thread.moc"
