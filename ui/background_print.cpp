#include "ui/background_print.h"

#include "core/errors.h"
#include "ui/report_sender.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <exception>
#include <thread>

namespace velmora {

namespace {

// A print that settles quickly shows no box at all; a slower one shows it soon enough that the
// user knows the press was taken.
constexpr auto quietSpell = std::chrono::milliseconds(500);

// The progress box stays up until the work has stopped: 取消, Escape and the window system's close
// only ask for the stop, since the window must not take a click while the job is still unsettled.
class PrintProgress : public QProgressDialog {
public:
    explicit PrintProgress(QWidget& window)
        : QProgressDialog(QStringLiteral("正在打印……"), QStringLiteral("取消"), 0, 0, &window) {
        setWindowTitle(window.windowTitle());
        setWindowModality(Qt::WindowModal);
        setAutoReset(false);
        setAutoClose(false);
        disconnect(this, &QProgressDialog::canceled, this, &QProgressDialog::cancel);
        connect(this, &QProgressDialog::canceled, this, [this] {
            setLabelText(QStringLiteral("正在取消……"));
            if (auto* button = findChild<QPushButton*>())
                button->setEnabled(false);
        });
    }

    void reject() override { emit canceled(); }

protected:
    void closeEvent(QCloseEvent* event) override {
        event->ignore();
        emit canceled();
    }
};

} // namespace

void printInBackground(const LevelingRoute& route, QWidget& window) {
    PrintProgress progress(window);
    QEventLoop quiet;
    bool settled = false;
    std::exception_ptr failure;
    std::jthread worker([&, copy = route](std::stop_token stop) {
        try {
            sendReport(copy, stop);
        } catch (...) {
            failure = std::current_exception();
        }
        // Handed to the window's thread, which owns the box and the loop.
        QMetaObject::invokeMethod(&progress, [&] {
            settled = true;
            quiet.quit();
            progress.done(0);
        });
    });
    QObject::connect(&progress, &QProgressDialog::canceled, &progress,
                     [&worker] { worker.request_stop(); });

    // Until the box is up nothing else shields the window, so its clicks wait until then.
    QTimer::singleShot(quietSpell, &quiet, &QEventLoop::quit);
    quiet.exec(QEventLoop::ExcludeUserInputEvents);
    if (!settled)
        progress.exec();
    worker.join();
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace velmora
