#include "core/errors.h"
#include "dialogue/report.h"
#include "dialogue/report_texts.h"
#include "tests/report/printed_lines.h"
#include "ui/font_substitutions.h"
#include "ui/report_pdf_printer.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

using namespace velmora;

Q_DECLARE_METATYPE(velmora::LevelingRoute)

namespace {

// A completed route of `points` points to be determined named P1, P2, ... between A and B.
LevelingRoute routeOf(int points, const std::string& startName = "A") {
    LevelingRoute route;
    startRoute(route, static_cast<std::int16_t>(points + 1));
    route.startHeight = 10.0f;
    route.endHeight = 12.0f;
    route.misclosure = -0.0123f;
    route.totalLength = 1234.5f;
    route.pointNames.at(0) = startName;
    // Appended, not "P" + std::to_string(...), and a std::string, not a bare literal: GCC 12 at
    // -O3 warns falsely (-Wrestrict) on both.
    for (long i = 1; i <= points; ++i)
        route.pointNames.at(i) = std::string("P").append(std::to_string(i));
    route.pointNames.at(points + 1) = std::string("B");
    for (long i = 0; i <= points + 1; ++i)
        route.adjustedHeights.at(i) = 10.0f + 0.001f * static_cast<float>(i);
    route.resultsReached = true;
    return route;
}

// Qt's printable area on its default PDF page, in points.
QRectF printableArea() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    return printer.pageLayout().paintRect(QPageLayout::Point);
}

constexpr double topTwips = 1000.0;

} // namespace

class TestReportPage : public QObject {
    Q_OBJECT

    QTemporaryDir folder_;
    int renders_ = 0;

    // Paints the report of `route` into a new PDF file and returns its name.
    QString render(const LevelingRoute& route, int* pages = nullptr) {
        QString file = folder_.filePath(QStringLiteral("report%1.pdf").arg(++renders_));
        PdfReportPrinter printer(file);
        printReport(route, printer);
        if (pages)
            *pages = printer.pageCount();
        return file;
    }

private slots:
    void initTestCase() {
        QVERIFY(folder_.isValid());
        installFontSubstitutions();
    }

    void readsBackAsRecorded_data() {
        QTest::addColumn<LevelingRoute>("route");
        QTest::newRow("one point") << routeOf(1);
        QTest::newRow("empty start name") << routeOf(0, "");
        QTest::newRow("two-digit point numbers") << routeOf(12);
        QTest::newRow("500 points over several pages") << routeOf(500);
    }

    void readsBackAsRecorded() {
        QFETCH(LevelingRoute, route);
        int pages = 0;
        const QString file = render(route, &pages);
        QCOMPARE(recordOfPdf(file), recordedOnPaper(route));
        QCOMPARE(pageCount(file), pages);
        QCOMPARE(printedLines(file).back().page, pages);
    }

    void aNameWiderThanThePageIsPrintedWhole() {
        const std::string name = std::string(150, 'N') + "E";
        const QString text = textBeyondEdges(render(routeOf(1, name)));
        QVERIFY(text.contains(QString::fromStdString(name)));
    }

    void aColumnLeftOfThePositionIsTakenOnTheNextLine() {
        const QString file = folder_.filePath(QStringLiteral("position.pdf"));
        {
            PdfReportPrinter printer(file);
            printer.setVerticalPosition(1000);
            printer.setFontName(report_texts::fontName);
            printer.setFontSize(10);
            printer.setHorizontalPosition(2000); // 100 points: right of column 20 at 10 points
            printer.printLine(29, {"right"});
            printer.setHorizontalPosition(2000);
            printer.printLine(10, {"below"});
            printer.printLine(10, {"next"});
            printer.endDocument();
        }
        const QList<PrintedLine> lines = printedLines(file);
        QCOMPARE(lines.size(), 3);
        const double left = printableArea().left();
        QCOMPARE(lines[0].record(left), QStringLiteral("line 29 10 right"));
        QCOMPARE(lines[1].record(left), QStringLiteral("line 10 10 below"));
        const double lineHeight = lines[2].top - lines[1].top;
        QVERIFY(std::abs((lines[1].top - lines[0].top) - 2 * lineHeight) < 0.05);
    }

    void aReportThatStopsLeavesNoDocument() {
        const QString file = folder_.filePath(QStringLiteral("stopped.pdf"));
        {
            PdfReportPrinter printer(file);
            LevelingRoute inconsistent = routeOf(1);
            inconsistent.closingIndex = 5;
            QVERIFY_THROWS_EXCEPTION(SubscriptOutOfRange, printReport(inconsistent, printer));
        }
        QVERIFY(!QFileInfo::exists(file));
    }

    void linesGoDownAndPagesBeginAtTheSameTop() {
        int pages = 0;
        const QList<PrintedLine> lines = printedLines(render(routeOf(500), &pages));
        QVERIFY(pages >= 5);
        const QRectF area = printableArea();
        const double top = area.top() + topTwips / 20.0;
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const PrintedLine& line = lines[i];
            QVERIFY2(line.bottom <= area.bottom(), qPrintable(line.text));
            if (i == 0 || lines[i - 1].page != line.page)
                QVERIFY2(std::abs(line.top - top) < 1.0, qPrintable(QString::number(line.top)));
            else
                QVERIFY2(line.top > lines[i - 1].top, qPrintable(line.text));
        }
    }

    void misclosureAndLengthStandOneBelowTheOther() {
        const QList<PrintedLine> lines = printedLines(render(routeOf(1)));
        const PrintedLine& misclosure = lines[lines.size() - 2];
        const PrintedLine& length = lines.back();
        const auto equalsAt = [](const PrintedLine& line) {
            const QString before = line.text.left(line.text.indexOf(QLatin1Char('=')));
            double columns = 0;
            for (QChar c : before)
                columns += c.unicode() >= 0x2e80 ? 2 : 1;
            return line.left + columns * line.columnWidth;
        };
        QVERIFY(std::abs(equalsAt(misclosure) - equalsAt(length)) < 0.05);
        const double column = (equalsAt(length) - printableArea().left()) / length.columnWidth + 1;
        QCOMPARE(std::lround(column), 44L);
    }

    void anEmptyLineIsOneLineHigh() {
        const QList<PrintedLine> lines = printedLines(render(routeOf(1)));
        // title, start, closing, heading: an empty line between title and start, and between
        // closing and heading
        const double lineHeight = lines[2].top - lines[1].top;
        QVERIFY(lineHeight > 10.0);
        QVERIFY(std::abs((lines[3].top - lines[2].top) - 2 * lineHeight) < 0.05);
    }
};

QTEST_MAIN(TestReportPage)
#include "tst_report_page.moc"
