#include "core/errors.h"
#include "dialogue/report.h"
#include "dialogue/report_texts.h"
#include "printing/font_substitutions.h"
#include "printing/pdf_report_printer.h"
#include "printing/report_file.h"
#include "printing/user_file.h"
#include "tests/report/printed_lines.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <future>

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

const QPageSize a4(QPageSize::A4);
const QPageSize letter(QPageSize::Letter);

// Qt's printable area on its default PDF page of `size`, in points.
QRectF printableArea(const QPageSize& size = a4) {
    QPdfWriter writer{QString()};
    writer.setPageSize(size);
    return writer.pageLayout().paintRect(QPageLayout::Point);
}

constexpr double topTwips = 1000.0;

// The report's painter on Qt's printer, the device Windows prints the report on, here writing its
// pages into a PDF file.
class PrinterPages : public PagedReportPrinter {
public:
    explicit PrinterPages(QPrinter& printer)
        : PagedReportPrinter(printer) {}

private:
    void checkDevice(Exchange /*exchange*/, bool succeeded) override {
        if (!succeeded)
            throw Error("the printer failed");
    }
};

} // namespace

class TestReportPage : public QObject {
    Q_OBJECT

    QTemporaryDir folder_;
    int renders_ = 0;

    // Makes a document in `file` of what `paint` does on its printer: the PDF writer, or where
    // `printerDpi` is given Qt's printer of that resolution. Returns the pages it has. The painting
    // runs on a thread of its own, as the window has it done.
    static int paintInto(const QString& file, const QPageSize& size, int printerDpi,
                         const std::function<void(ReportPrinter&)>& paint) {
        return std::async(std::launch::async,
                          [&] {
                              if (printerDpi == 0) {
                                  PdfReportPrinter printer(file, size);
                                  paint(printer);
                                  return printer.pageCount();
                              }
                              QPrinter device(QPrinter::HighResolution);
                              device.setOutputFormat(QPrinter::PdfFormat);
                              device.setOutputFileName(file);
                              device.setResolution(printerDpi);
                              device.setPageLayout(reportPageLayout(size));
                              PrinterPages printer(device);
                              paint(printer);
                              return printer.pageCount();
                          })
            .get();
    }

    // Paints the report of `route` into `file`, a new one where none is given, as paintInto()
    // does, and returns its name.
    QString render(const LevelingRoute& route, int* pages = nullptr, const QPageSize& size = a4,
                   QString file = {}, int printerDpi = 0) {
        if (file.isEmpty())
            file = folder_.filePath(QStringLiteral("report%1.pdf").arg(++renders_));
        const int painted = paintInto(file, size, printerDpi, [&route](ReportPrinter& printer) {
            printReport(route, printer);
        });
        if (pages)
            *pages = painted;
        return file;
    }

private slots:
    void initTestCase() {
        QVERIFY(folder_.isValid());
        installFontSubstitutions();
    }

    void readsBackAsRecorded_data() {
        QTest::addColumn<LevelingRoute>("route");
        QTest::addColumn<QPageSize>("size");
        QTest::addColumn<int>("printerDpi"); // 0: the PDF writer
        const std::string longName = std::string(150, 'N') + "E";
        const std::string longChineseName = QStringLiteral("水准点甲乙").repeated(30).toStdString();
        QTest::newRow("one point") << routeOf(1) << a4 << 0;
        QTest::newRow("empty start name") << routeOf(0, "") << a4 << 0;
        QTest::newRow("two-digit point numbers") << routeOf(12) << a4 << 0;
        QTest::newRow("500 points over several pages") << routeOf(500) << a4 << 0;
        QTest::newRow("500 points on Letter") << routeOf(500) << letter << 0;
        QTest::newRow("a long name") << routeOf(1, longName) << a4 << 0;
        QTest::newRow("a long name on Letter") << routeOf(1, longName) << letter << 0;
        QTest::newRow("a long Chinese name") << routeOf(1, longChineseName) << a4 << 0;
        // Forty characters end a benchmark's line inside its label, and a point's before it.
        QTest::newRow("a 40-character name")
            << routeOf(1, QStringLiteral("水准点甲乙").repeated(8).toStdString()) << a4 << 0;
        // Somewhere the paper's edge falls inside each part of a results line, its numbers too.
        LevelingRoute growing = routeOf(40);
        for (std::size_t i = 1; i <= 40; ++i)
            growing.pointNames.at(static_cast<long>(i)) = std::string(i + 50, 'N');
        QTest::newRow("names of growing length") << growing << a4 << 0;
        // Windows paints the same pages on the printer, at the printer's own resolution.
        QTest::newRow("one point on a 600 dpi printer") << routeOf(1) << a4 << 600;
        QTest::newRow("500 points on a 300 dpi printer") << routeOf(500) << a4 << 300;
        QTest::newRow("a long Chinese name on a 600 dpi printer")
            << routeOf(1, longChineseName) << letter << 600;
        QTest::newRow("names of growing length on a 300 dpi printer") << growing << a4 << 300;
    }

    // Every line is on paper: within the printable area, a line too wide for it going on in the
    // rows below at its own column.
    void readsBackAsRecorded() {
        QFETCH(LevelingRoute, route);
        QFETCH(QPageSize, size);
        QFETCH(int, printerDpi);
        int pages = 0;
        const QString file = render(route, &pages, size, {}, printerDpi);
        const QList<PrintedLine> lines = printedLines(file);
        const QRectF area = printableArea(size);
        const QStringList expected = recordedOnPaper(route);
        QCOMPARE(gatheredRecord(lines, expected, area.left()), expected);
        for (const PrintedLine& line : lines)
            QVERIFY2(line.right <= area.right() && line.bottom <= area.bottom(),
                     qPrintable(line.text));
        QCOMPARE(pageCount(file), pages);
        QCOMPARE(lines.back().page, pages);
    }

    void aNameWiderThanThePageIsPrintedWhole() {
        const std::string name = std::string(150, 'N') + "E";
        QString text = textBeyondEdges(render(routeOf(1, name)));
        QVERIFY(text.remove(QRegularExpression(QStringLiteral("\\s")))
                    .contains(QString::fromStdString(name)));
    }

    // Positions are the same distance from the printable area's corner on every device.
    void aColumnLeftOfThePositionIsTakenOnTheNextLine_data() {
        QTest::addColumn<int>("printerDpi"); // 0: the PDF writer
        QTest::newRow("the PDF writer") << 0;
        QTest::newRow("a 300 dpi printer") << 300;
    }

    void aColumnLeftOfThePositionIsTakenOnTheNextLine() {
        QFETCH(int, printerDpi);
        const QString file = folder_.filePath(QStringLiteral("position%1.pdf").arg(printerDpi));
        paintInto(file, a4, printerDpi, [](ReportPrinter& printer) {
            printer.setVerticalPosition(1000);
            printer.setFontName(report_texts::fontName);
            printer.setFontSize(10);
            printer.setHorizontalPosition(2000); // 100 points: right of column 20 at 10 points
            printer.printLine(29, {"right"});
            printer.setHorizontalPosition(2000);
            printer.printLine(10, {"below"});
            printer.printLine(10, {"next"});
            printer.endDocument();
        });
        const QList<PrintedLine> lines = printedLines(file);
        QCOMPARE(lines.size(), 3);
        QVERIFY(std::abs(lines[0].top - (printableArea().top() + topTwips / 20.0)) < 1.0);
        const double left = printableArea().left();
        QCOMPARE(lines[0].record(left), QStringLiteral("line 29 10 right"));
        QCOMPARE(lines[1].record(left), QStringLiteral("line 10 10 below"));
        const double lineHeight = lines[2].top - lines[1].top;
        QVERIFY(std::abs((lines[1].top - lines[0].top) - 2 * lineHeight) < 0.05);
    }

    // A report painted for the printer, or kept as a PDF or a CSV file, that cannot be written
    // whole: the user is told why, and the folder is left as it was.
    void aDocumentThatStopsLeavesNothing_data() {
        QTest::addColumn<QString>("kept"); // "page" for the printer, "pdf" or "csv" for a file
        QTest::addColumn<LevelingRoute>("route");
        // The folder's own disk: its size (0: none) and whether it is read-only; then what the
        // message must say (empty: it tells of a read out of range).
        QTest::addColumn<int>("diskKiB");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QString>("told");
        LevelingRoute inconsistent = routeOf(1);
        inconsistent.closingIndex = 5;
        const QString full = QStringLiteral("磁盘已满");
        QTest::newRow("a read outside the tables") << "page" << inconsistent << 0 << false << "";
        QTest::newRow("the disk fills up at a new page")
            << "page" << routeOf(3000) << 64 << false << full;
        QTest::newRow("the disk fills up at the end") << "page" << routeOf(1) << 8 << false << full;
        QTest::newRow("a PDF kept on a full disk") << "pdf" << routeOf(3000) << 64 << false << full;
        QTest::newRow("a CSV kept on a full disk") << "csv" << routeOf(1) << 8 << false << full;
        QTest::newRow("a PDF kept in a read-only folder")
            << "pdf" << routeOf(1) << 64 << true << QStringLiteral("只读");
        QTest::newRow("a CSV kept in a read-only folder")
            << "csv" << routeOf(1) << 64 << true << QStringLiteral("只读");
        QTest::newRow("a PDF kept under a folder's name")
            << "pdf" << routeOf(1) << 0 << false << QStringLiteral("这是一个文件夹");
    }

    void aDocumentThatStopsLeavesNothing() {
        QFETCH(QString, kept);
        QFETCH(LevelingRoute, route);
        QFETCH(int, diskKiB);
        QFETCH(bool, readOnly);
        QFETCH(QString, told);
        const QTemporaryDir folder(folder_.filePath(QStringLiteral("stopped")));
        QVERIFY(folder.isValid());
        const QString options = QStringLiteral("size=%1k").arg(diskKiB) +
                                (readOnly ? QStringLiteral(",ro") : QString());
        const bool mounted =
            diskKiB != 0 &&
            QProcess::execute(QStringLiteral("mount"),
                              {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                               options, QStringLiteral("velmora-test"), folder.path()}) == 0;
        const auto unmount = qScopeGuard([&] {
            if (mounted)
                QProcess::execute(QStringLiteral("umount"), {folder.path()});
        });
        if (diskKiB != 0 && !mounted)
            QSKIP("a disk of the folder's own needs the right to mount one");
        const QString file = told.contains(QStringLiteral("文件夹"))
                                 ? folder.path()
                                 : folder.filePath(QStringLiteral("stopped.") + kept);
        try {
            if (kept == QLatin1String("page"))
                render(route, nullptr, a4, file);
            else if (kept == QLatin1String("pdf"))
                saveReportPdf(route, file);
            else
                saveWhole(file, std::string(std::size_t{64} * 1024, 'x'));
            QFAIL("the document was made");
        } catch (const SubscriptOutOfRange&) {
            QVERIFY(told.isEmpty());
        } catch (const Error& error) {
            QVERIFY2(!told.isEmpty() && QString::fromUtf8(error.what()).contains(told),
                     error.what());
            if (kept != QLatin1String("page"))
                QVERIFY2(QString::fromUtf8(error.what()).contains(QFileInfo(file).fileName()),
                         error.what());
        }
        QVERIFY(
            QDir(folder.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
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
