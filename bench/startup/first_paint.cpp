#include "bench/startup/first_paint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QTimer>
#include <cstdio>
#include <ctime>

namespace {

constexpr int noPaintStatus = 3;

// measure.sh --instructions counts up to the call of this function, by its name.
void reportElapsed() {
    // The frame was flushed when the paint's update request ended; the round trip makes sure the
    // window system has taken it before the clock is read.
    QGuiApplication::sync();
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    const double launched = qEnvironmentVariable("STARTUP_T0_NS").toDouble();
    const double elapsed = static_cast<double>(std::chrono::nanoseconds(now).count()) - launched;
    // The process's own processor time, finer than the hundredths that rusage reports.
    const double processor = static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
    std::printf("%.1f %.1f\n", elapsed / 1e6, processor * 1e3);
    QCoreApplication::quit();
}

class FirstPaint : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->isWidgetType() && !seen_) {
            seen_ = true;
            // A posted call runs once the update request that painted the whole window and
            // flushed its backing store has returned.
            QTimer::singleShot(0, &reportElapsed);
        }
        return false;
    }

private:
    bool seen_ = false;
};

} // namespace

void quitAfterFirstPaint(std::chrono::milliseconds patience) {
    QCoreApplication* application = QCoreApplication::instance();
    application->installEventFilter(new FirstPaint(application));
    QTimer::singleShot(patience, [patience] {
        std::fprintf(stderr, "no paint within %lld ms\n", static_cast<long long>(patience.count()));
        QCoreApplication::exit(noPaintStatus);
    });
}
