#pragma once

#include "dialogue/report_printer.h"
#include "printing/print_destination.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QString>

namespace velmora {

// A sheet of the print server's, as a page size; A4 where it names none.
//   pageSizeFor({21590, 27940}) -> Letter; pageSizeFor({}) -> A4
QPageSize pageSizeFor(const PaperSize& paper);

// The blank edge of the report's pages on every side, in points; every page position of the report
// counts from the printable area inside it.
inline constexpr double reportMarginPoints = 10.0;

// The report's pages of `size`: upright, with reportMarginPoints on every side.
//   reportPageLayout(QPageSize(QPageSize::A4)).paintRect(QPageLayout::Point) ->
//   575 x 822 points from (10, 10)
QPageLayout reportPageLayout(const QPageSize& size);

// Paints the report on the pages of a paged device, at the device's own resolution, so that a PDF
// file and a printer get the very same rows. The device's page layout is set before it is handed
// over; the printable area inside its margins is where positions count from. Columns are the
// average character width of the current font on this device, lines that font's height. A line
// that would reach below the printable area begins a new page at the vertical position the
// document started at, in the same font, so nothing is lost at the bottom edge.
//   on reportPageLayout(QPageSize(QPageSize::A4)): a printable area of 575 x 822 points from
//   (10, 10); with QPageSize::Letter 592 x 772
//
// Nothing runs off the right edge either: a line wider than the printable area goes on in the rows
// below it, each beginning at the line's column, each as full as it can be. A value is never
// parted from its label: the label before the line's first number stays whole with it and all
// that follows ("高程  :   Ha=10.000", " :  h(0)=10.000"), and begins the next row where it does
// not fit. The text before it, a long point name, is broken between two characters; the blanks at
// a break are left out. On A4 at 10 points, with a start benchmark named by 40 Chinese characters:
//   printLine(23, {"起始点" + name, " 高程  :   Ha=", "10.000"}) ->
//     column 23 "起始点" and the name
//     column 23 "高程  :   Ha=10.000"
// A tail wider than a whole row is broken too, its numbers still whole. Only a single piece wider
// than the whole row (a column near the right edge on a narrow page) still runs off, alone on its
// row.
//
// Nothing in it belongs to the window's thread: a report may be painted on any one thread.
//
// What a device does besides painting (a file to write, a job on a spooler) is the subclass's: it
// hears of the document's beginning and of every exchange with the device, and raises Error there
// to stop the report.
class PagedReportPrinter : public ReportPrinter {
public:
    PagedReportPrinter(const PagedReportPrinter&) = delete;
    PagedReportPrinter& operator=(const PagedReportPrinter&) = delete;

    void setHorizontalPosition(int twips) override;
    void setVerticalPosition(int twips) override;
    void setFontName(std::string_view name) override;
    void setFontSize(int points) override;
    void printLine(int column, std::initializer_list<std::string_view> items) override;
    void printEmptyLine() override;
    // Ends the painting; a subclass that has more to finish does it after this returns.
    void endDocument() override;

    // Pages begun so far.
    int pageCount() const noexcept { return pages_; }

    // The exchanges with the device whose outcome a subclass is told of.
    enum class Exchange { documentBegun, pageBegun, documentEnded };

protected:
    // `device` outlives the printer and keeps its page layout while the report is painted.
    explicit PagedReportPrinter(QPagedPaintDevice& device);

    // Just before the first page is begun, with nothing painted yet.
    virtual void beginningDocument() {}
    // After `exchange` with the device, `succeeded` being the device's own word on it.
    virtual void checkDevice(Exchange exchange, bool succeeded) = 0;

    bool painting() const { return painter_.isActive(); }
    // Ends the painting without anything more of the report, as the device ends it.
    void stopPainting();

private:
    void fontChanged();
    void beginIfNeeded();
    void paintRow(double columnX, const QString& row);

    QPagedPaintDevice& device_;
    QPainter painter_;
    QFont font_;
    QFontMetricsF metrics_{font_};
    QString text_;
    double x_ = 0.0; // device pixels from the printable area's top-left corner
    double y_ = 0.0; // top of the next line
    double top_ = 0.0;
    double columnWidth_ = 0.0;
    double lineHeight_ = 0.0;
    double ascent_ = 0.0;
    int pages_ = 0;
};

} // namespace velmora
