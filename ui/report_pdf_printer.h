#pragma once

#include "dialogue/report_printer.h"

#include <QFont>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QString>

namespace velmora {

// Paints the report into a PDF file at 1200 dots per inch, ready to be handed to a print queue as
// it stands. The pages are `pageSize`, upright, with a margin of 10 points on every side; the
// printable area inside it is where positions count from. Columns are the average character width
// of the current font on this device, lines that font's height. A line that would reach below the
// printable area begins a new page at the vertical position the document started at, in the same
// font, so nothing is lost at the bottom edge; a line wider than the page is painted whole and
// runs off the right.
//   PdfReportPrinter(name, QPageSize(QPageSize::A4)): pages of 595 x 842 points, printable area
//   575 x 822 points from (10, 10); with QPageSize::Letter 612 x 792 and 592 x 772
//
// Nothing in it belongs to the window's thread: a report may be painted on any one thread.
// The file is complete only after endDocument(); a printer destroyed before that removes what it
// had written, so a report that stopped leaves no file behind.
class PdfReportPrinter : public ReportPrinter {
public:
    PdfReportPrinter(const QString& fileName, const QPageSize& pageSize);
    ~PdfReportPrinter() override;
    PdfReportPrinter(const PdfReportPrinter&) = delete;
    PdfReportPrinter& operator=(const PdfReportPrinter&) = delete;

    void setHorizontalPosition(int twips) override;
    void setVerticalPosition(int twips) override;
    void setFontName(std::string_view name) override;
    void setFontSize(int points) override;
    void printLine(int column, std::initializer_list<std::string_view> items) override;
    void printEmptyLine() override;
    void endDocument() override;

    // Pages begun so far.
    int pageCount() const noexcept { return pages_; }

private:
    void fontChanged();
    void beginIfNeeded();
    double fromTwips(int twips) const;

    QString fileName_;
    QPdfWriter writer_;
    QPainter painter_;
    QFont font_;
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
