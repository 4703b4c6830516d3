// The report of the largest route: building it and painting it into a PDF through the report's
// printer, beside a bare loop that paints the same texts with QPainter::drawText at the same
// positions on the same device. Then the peak memory of one report for routes of growing size,
// each measured in a fresh process of this program.
#include "dialogue/report.h"
#include "printing/font_substitutions.h"
#include "printing/pdf_report_printer.h"
#include "tests/tools/report_recorder.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace velmora::bench {
namespace {

constexpr std::int16_t largestClosingIndex = 32767; // 32768 lines in the results list

LevelingRoute routeOf(std::int16_t closingIndex) {
    LevelingRoute route;
    startRoute(route, closingIndex);
    route.startHeight = 100.0f;
    route.endHeight = 100.5f;
    route.misclosure = -0.0123f;
    route.totalLength = 1966020.0f;
    // Appended, not "P" + std::to_string(...): GCC 12 at -O3 warns falsely (-Wrestrict) on that.
    for (long i = 0; i <= closingIndex; ++i) {
        route.pointNames.at(i) = std::string("P").append(std::to_string(i));
        route.adjustedHeights.at(i) = 100.0f + static_cast<float>(i % 1000) * 0.001f;
    }
    route.resultsReached = true;
    return route;
}

const LevelingRoute& largestRoute() {
    static const LevelingRoute route = routeOf(largestClosingIndex);
    return route;
}

struct Line {
    int size; // points; 0 for an empty line
    int column;
    QString text;
};

// The report's lines as the recorder gives them, turned into what a bare loop paints.
std::vector<Line> bareLines(const LevelingRoute& route) {
    std::ostringstream record;
    ReportRecorder recorder(record);
    printReport(route, recorder);
    std::vector<Line> lines;
    std::istringstream in(record.str());
    int size = 12;
    for (std::string op; in >> op;) {
        if (op == "line") {
            int column = 0;
            in >> column >> size;
            std::string text;
            std::getline(in, text);
            lines.push_back({size, column, QString::fromStdString(text.substr(1))});
        } else if (op == "empty") {
            lines.push_back({0, 0, {}});
        }
    }
    return lines;
}

QTemporaryDir& benchFolder() {
    static QTemporaryDir folder;
    return folder;
}
int filesMade = 0;

// Each painting gets a file of its own, removed with the folder at the end.
QString nextFile() {
    return benchFolder().filePath(QStringLiteral("bench%1.pdf").arg(++filesMade));
}
QString lastFile() {
    return benchFolder().filePath(QStringLiteral("bench%1.pdf").arg(filesMade));
}

void reportToPdf(benchmark::State& state) {
    const LevelingRoute& route = largestRoute();
    int pages = 0;
    for (auto _ : state) {
        PdfReportPrinter printer(nextFile(), QPageSize(QPageSize::A4));
        printReport(route, printer);
        pages = printer.pageCount();
    }
    state.counters["pages"] = pages;
    state.counters["lines"] = static_cast<double>(route.closingIndex) + 10;
    state.counters["pdf_KiB"] = static_cast<double>(QFileInfo(lastFile()).size()) / 1024.0;
}

// Paints the prepared texts: fonts set once per size, a new page when the next line would not
// fit, nothing else.
void bareDrawText(benchmark::State& state) {
    const std::vector<Line> lines = bareLines(largestRoute());
    int pages = 0;
    for (auto _ : state) {
        QPdfWriter printer(nextFile());
        printer.setResolution(1200);
        QPainter painter(&printer);
        QFont font(QStringLiteral("宋体"));
        const double top = 1000.0 * printer.resolution() / 1440.0;
        double y = top;
        int size = 0;
        double width = 0;
        double height = 0;
        double ascent = 0;
        pages = 1;
        for (const Line& line : lines) {
            if (line.size != 0 && line.size != size) {
                size = line.size;
                font.setPointSize(size);
                painter.setFont(font);
                const QFontMetricsF metrics(font, &printer);
                width = metrics.averageCharWidth();
                height = metrics.height();
                ascent = metrics.ascent();
            }
            if (line.size != 0) {
                if (y + height > printer.height()) {
                    printer.newPage();
                    ++pages;
                    y = top;
                }
                painter.drawText(QPointF((line.column - 1) * width, y + ascent), line.text);
            }
            y += height;
        }
        painter.end();
    }
    state.counters["pages"] = pages;
}

BENCHMARK(reportToPdf)
    ->Name("report/largest_route_to_pdf")
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0)
    ->Repetitions(5);
BENCHMARK(bareDrawText)
    ->Name("report/bare_drawText")
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0)
    ->Repetitions(5);

// A line of /proc/self/status, in KiB: "VmRSS" now, "VmHWM" the peak since the last reset.
long statusKilobytes(const char* key) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind(key, 0) == 0)
            return std::atol(line.c_str() + std::strlen(key) + 1);
    }
    return -1;
}

// One report of a route of `closingIndex`, then the memory in use before it and the peak while it
// was made, on standard output. The peak starts from the memory in use after Qt's own start-up.
int measureOnce(std::int16_t closingIndex) {
    std::ofstream("/proc/self/clear_refs") << "5";
    const long before = statusKilobytes("VmRSS:");
    {
        const LevelingRoute route = routeOf(closingIndex);
        PdfReportPrinter printer(nextFile(), QPageSize(QPageSize::A4));
        printReport(route, printer);
    }
    std::printf("%ld %ld\n", before, statusKilobytes("VmHWM:"));
    return 0;
}

void measureMemory(const char* self) {
    std::printf("\npeak memory of one report (fresh process each)\n");
    std::printf("%10s %12s %12s %12s %22s\n", "results", "before KiB", "peak KiB", "growth KiB",
                "B per line since last");
    long lastGrowth = 0;
    int lastLines = 0;
    for (const int closingIndex : {2047, 4095, 8191, 16383, 32767}) {
        QProcess child;
        child.start(QString::fromLocal8Bit(self),
                    {QStringLiteral("--peak-memory"), QString::number(closingIndex)});
        child.waitForFinished(-1);
        long before = 0;
        long peak = 0;
        std::sscanf(child.readAllStandardOutput().constData(), "%ld %ld", &before, &peak);
        const long growth = peak - before;
        const int lines = closingIndex + 1;
        if (lastLines == 0)
            std::printf("%10d %12ld %12ld %12ld %22s\n", lines, before, peak, growth, "");
        else
            std::printf("%10d %12ld %12ld %12ld %22.0f\n", lines, before, peak, growth,
                        1024.0 * static_cast<double>(growth - lastGrowth) / (lines - lastLines));
        lastGrowth = growth;
        lastLines = lines;
    }
}

} // namespace
} // namespace velmora::bench

// NOLINTNEXTLINE(bugprone-exception-escape): a benchmark that fails ends with the exception.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    velmora::installFontSubstitutions();
    if (argc == 3 && std::strcmp(argv[1], "--peak-memory") == 0)
        return velmora::bench::measureOnce(static_cast<std::int16_t>(std::atoi(argv[2])));
    // The two loops take turns, so that a busy machine slows both alike.
    std::vector<char*> arguments(argv, argv + argc);
    std::string interleave = "--benchmark_enable_random_interleaving=true";
    arguments.insert(arguments.begin() + 1, interleave.data());
    int count = static_cast<int>(arguments.size());
    benchmark::Initialize(&count, arguments.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    velmora::bench::measureMemory(argv[0]);
    return 0;
}
