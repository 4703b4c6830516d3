#include "ui/background_work.h"

#include "printing/report_sender.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <exception>
#include <thread>

namespace velmora {

namespace {

// Work that settles quickly shows no box at all; slower work shows it soon enough that the user
// knows the press was taken.
constexpr auto quietSpell = std::chrono::milliseconds(500);

// 取消, Escape and the window system's close only ask the work to stop: the window must not take a
// click while the work is still unsettled, so the box is shown again until it is.
class Progress : public QProgressDialog {
public:
    Progress(QWidget& window, const QString& doing)
        : QProgressDialog(doing, QStringLiteral("取消"), 0, 0, &window) {
        setWindowTitle(window.windowTitle());
        setWindowModality(Qt::WindowModal);
        setAutoReset(false);
        setAutoClose(false);
        connect(this, &QProgressDialog::canceled, this, [this] {
            setLabelText(QStringLiteral("正在取消……"));
            if (auto* button = findChild<QPushButton*>())
                button->setEnabled(false);
        });
    }

    // Escape asks for the stop too, as the window system's close already does.
    void reject() override { emit canceled(); }
};

} // namespace

void runInBackground(QWidget& window, const QString& doing,
                     const std::function<void(std::stop_token)>& work) {
    Progress progress(window, doing);
    QEventLoop quiet;
    bool settled = false;
    std::exception_ptr failure;
    std::jthread worker([&](const std::stop_token& stop) {
        try {
            work(stop);
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
    while (!settled)
        progress.exec();
    worker.join();
    if (failure)
        std::rethrow_exception(failure);
}

void printInBackground(const LevelingRoute& route, QWidget& window) {
    runInBackground(window, QStringLiteral("正在打印……"),
                    [copy = route](const std::stop_token& stop) { sendReport(copy, stop); });
}

} // namespace velmora
