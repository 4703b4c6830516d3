#pragma once

#include "core/errors.h"
#include "dialogue/report_printer.h"
#include "printing/print_destination.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QString>

namespace velmora {

// Paints the report into a PDF file at 1200 dots per inch, ready to be handed to a print queue as
// it stands. The pages are `pageSize`, upright, with a margin of 10 points on every side; the
// printable area inside it is where positions count from. Columns are the average character width
// of the current font on this device, lines that font's height. A line that would reach below the
// printable area begins a new page at the vertical position the document started at, in the same
// font, so nothing is lost at the bottom edge.
//   PdfReportPrinter(name, QPageSize(QPageSize::A4)): pages of 595 x 842 points, printable area
//   575 x 822 points from (10, 10); with QPageSize::Letter 612 x 792 and 592 x 772
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
// The file `fileName` appears only when endDocument() has returned, and then it is complete: every
// byte of the document reached the disk. Until then the document is written beside it under
// another name. A write that fails raises Error at the operation that finds it (a new page, or
// endDocument) and takes the unfinished document away, so a half file can never be sent:
//   the folder's disk fills up on page 7 -> Error "临时文件夹“/tmp/x”所在的磁盘已满……"
//   any other failed write              -> Error "打印页面没能写进临时文件“…”……"
// A printer destroyed before endDocument() leaves no file behind either, so a report that stopped
// leaves nothing.
// A document that could not be written whole. Its message words it for a report on its way to the
// printer; failure() is the errno of the failed operation (-1 where none was given), for a caller
// that words it otherwise.
class UnwrittenDocument : public Error {
public:
    UnwrittenDocument(const std::string& message, int failure)
        : Error(message)
        , failure_(failure) {}
    int failure() const noexcept { return failure_; }

private:
    int failure_;
};

// A sheet of the print server's, as a page size; A4 where it names none.
//   pageSizeFor({21590, 27940}) -> Letter; pageSizeFor({}) -> A4
QPageSize pageSizeFor(const PaperSize& paper);

// The blank edge of the report's pages on every side, in points; every page position of the report
// counts from the printable area inside it.
inline constexpr double reportMarginPoints = 10.0;

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
    // The document's file, which keeps the reason its first write fell short: the PDF writer
    // goes on after a failed write as if nothing happened, and Qt's own error leaves out why.
    class DocumentFile : public QSaveFile {
    public:
        using QSaveFile::QSaveFile;
        int firstFailure() const noexcept { return firstFailure_; }
        bool flushed();

    protected:
        qint64 writeData(const char* data, qint64 size) override;

    private:
        void noteFailure();
        int firstFailure_ = 0; // errno of the first short write; -1 where none was given
    };

    void fontChanged();
    void beginIfNeeded();
    void paintRow(double columnX, const QString& row);
    void throwIfUnwritten();
    [[noreturn]] void throwUnwritten(int failure);
    double fromTwips(int twips) const;

    DocumentFile file_;
    QPdfWriter writer_{&file_};
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
