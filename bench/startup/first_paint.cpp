#include "bench/startup/first_paint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>

namespace {

class FirstPaint : public QObject {
public:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // Posted events run after the whole window has been painted and flushed.
            QTimer::singleShot(0, [] {
                const auto now = std::chrono::system_clock::now().time_since_epoch();
                const double launched = qEnvironmentVariable("STARTUP_T0_NS").toDouble();
                const double elapsed =
                    static_cast<double>(std::chrono::nanoseconds(now).count()) - launched;
                std::printf("%.1f\n", elapsed / 1e6);
                QCoreApplication::quit();
            });
        }
        return false;
    }

private:
    bool seen_ = false;
};

} // namespace

void quitAfterFirstPaint(QWidget& window) {
    window.installEventFilter(new FirstPaint);
}
