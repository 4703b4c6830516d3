// The largest field file opened as the window opens one, up to the 测段表 filled and laid out but
// not yet shown: how long it takes, and the longest the window's thread goes without turning its
// event loop meanwhile, seen by a 1 ms timer on that thread.
#include "bench/field_file/largest_field_file.h"
#include "ui/application_setup.h"
#include "ui/field_lines_dialog.h"
#include "ui/route_import.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <exception>
#include <vector>

namespace {

// The longest gap between two turns of the event loop while it lives.
class StallWatch {
public:
    StallWatch() {
        ticker_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&ticker_, &QTimer::timeout,
                         [this] { longest_ = std::max(longest_, clock_.restart()); });
        clock_.start();
        ticker_.start(1);
    }

    // The gap up to now counts too.
    qint64 longest() {
        QCoreApplication::processEvents();
        return std::max(longest_, clock_.elapsed());
    }

private:
    QTimer ticker_;
    QElapsedTimer clock_;
    qint64 longest_ = 0;
};

// Five rounds: the median time and the longest stall of all.
void measure(QWidget& window, const QString& fileName, std::size_t bytes) {
    std::vector<qint64> times;
    qint64 longestStall = 0;
    std::size_t lines = 0;
    std::size_t ticked = 0;
    for (int round = 0; round < 5; ++round) {
        StallWatch watch;
        QElapsedTimer clock;
        clock.start();
        auto read = velmora::readRouteFile(window, fileName);
        auto& field = std::get<velmora::FieldFileLines>(read);
        lines = field.lines.size();
        const velmora::FieldLinesDialog dialog(field.lines, std::move(field.listed),
                                               QStringLiteral("largest.gsi"), &window);
        times.push_back(clock.elapsed());
        ticked = dialog.route().size();
        longestStall = std::max(longestStall, watch.longest());
    }
    std::ranges::sort(times);
    std::printf(
        "field file of %zu bytes, %zu lines (%zu ticked): read and 测段表 filled in %lld ms "
        "(median of 5), longest stall of the window's thread %lld ms\n",
        bytes, lines, ticked, static_cast<long long>(times[times.size() / 2]),
        static_cast<long long>(longestStall));
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    velmora::prepareApplication(application);
    QWidget window;
    window.show();

    QTemporaryDir folder;
    QFile file(folder.filePath(QStringLiteral("largest.gsi")));
    const std::string& bytes = velmora::bench::largestFieldFile();
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size()))
        return 1;
    file.close();
    try {
        measure(window, file.fileName(), bytes.size());
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "%s\n", failure.what());
        return 1;
    }
    return 0;
}
