#include "dialogue/report.h"

#include "core/number_text.h"
#include "dialogue/report_texts.h"

#include <string>

namespace velmora {

namespace {

constexpr int startX = 2000; // about 35 mm from the left edge; only the title could meet it
constexpr int startY = 1000; // about 18 mm from the top: where the title's line begins
constexpr int titleSize = 12;
constexpr int bodySize = 10;

constexpr int titleColumn = 30;
constexpr int benchmarkColumn = 23;
constexpr int headingColumn = 24;
constexpr int resultColumn = 26;

std::string concat(std::string_view first, std::string_view second) {
    std::string text;
    text.reserve(first.size() + second.size());
    text.append(first).append(second);
    return text;
}

} // namespace

NothingToPrint::NothingToPrint()
    : Error("还没有可以打印的计算结果：请先单击“进行计算”，完成一次计算后再打印。") {}

void printReport(const LevelingRoute& route, ReportPrinter& printer) {
    namespace texts = report_texts;
    if (!route.resultsReached)
        throw NothingToPrint();
    const long closing = route.closingIndex;

    printer.setHorizontalPosition(startX);
    printer.setVerticalPosition(startY);
    printer.setFontName(texts::fontName);
    printer.setFontSize(titleSize);
    printer.printLine(titleColumn, {texts::title});
    printer.printEmptyLine();
    printer.setFontSize(bodySize);

    printer.printLine(benchmarkColumn, {concat(texts::startBenchmark, route.pointNames.at(0)),
                                        texts::startHeightLabel, fixedText(route.startHeight, 3)});
    printer.printLine(benchmarkColumn,
                      {concat(texts::closingBenchmark, route.pointNames.at(closing)),
                       texts::endHeightLabel, fixedText(route.endHeight, 3)});
    printer.printEmptyLine();

    printer.printLine(headingColumn, {texts::resultsHeading});
    std::string pointNumber;
    for (long i = 0; i <= closing; ++i) {
        pointNumber.assign(texts::pointNumberOpen)
            .append(integerText(i))
            .append(texts::pointNumberClose);
        printer.printLine(resultColumn, {route.pointNames.at(i), pointNumber,
                                         roundedFixedText(route.adjustedHeights.at(i), 3)});
    }
    printer.printEmptyLine();

    printer.printLine(headingColumn,
                      {texts::misclosureLabel, fixedText(route.misclosure, 3), texts::metres});
    printer.printLine(headingColumn,
                      {texts::totalLengthLabel, fixedText(route.totalLength, 3), texts::metres});
    printer.endDocument();
}

} // namespace velmora
