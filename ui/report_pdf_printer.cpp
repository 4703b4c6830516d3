#include "ui/report_pdf_printer.h"

#include "core/errors.h"
#include "ui/qt_text.h"

#include <QFile>
#include <QFontMetricsF>

namespace velmora {

namespace {
constexpr double twipsPerInch = 1440.0;
}

PdfReportPrinter::PdfReportPrinter(const QString& fileName) {
    printer_.setOutputFormat(QPrinter::PdfFormat);
    printer_.setOutputFileName(fileName);
    fontChanged();
}

PdfReportPrinter::~PdfReportPrinter() {
    // A document that was never ended is not a report: whatever Qt wrote of it goes.
    if (painter_.isActive()) {
        printer_.abort();
        painter_.end();
        QFile::remove(printer_.outputFileName());
    }
}

double PdfReportPrinter::fromTwips(int twips) const {
    return twips * printer_.resolution() / twipsPerInch;
}

void PdfReportPrinter::setHorizontalPosition(int twips) {
    x_ = fromTwips(twips);
}

void PdfReportPrinter::setVerticalPosition(int twips) {
    y_ = fromTwips(twips);
    top_ = y_;
}

void PdfReportPrinter::setFontName(std::string_view name) {
    font_.setFamily(toQString(name));
    fontChanged();
}

void PdfReportPrinter::setFontSize(int points) {
    font_.setPointSize(points);
    fontChanged();
}

void PdfReportPrinter::fontChanged() {
    const QFontMetricsF metrics(font_, &printer_);
    columnWidth_ = metrics.averageCharWidth();
    // A font that gives no average width is measured by its digits, which every report line has.
    if (columnWidth_ <= 0.0)
        columnWidth_ = metrics.horizontalAdvance(QLatin1Char('0'));
    lineHeight_ = metrics.height();
    ascent_ = metrics.ascent();
    if (painter_.isActive())
        painter_.setFont(font_);
}

void PdfReportPrinter::beginIfNeeded() {
    if (painter_.isActive())
        return;
    if (!painter_.begin(&printer_))
        throw Error("无法生成打印页面：不能写入临时文件“" +
                    printer_.outputFileName().toStdString() + "”。");
    painter_.setFont(font_);
    pages_ = 1;
}

void PdfReportPrinter::printLine(int column, std::initializer_list<std::string_view> items) {
    beginIfNeeded();
    const double columnX = (column - 1) * columnWidth_;
    if (x_ > columnX)
        y_ += lineHeight_;
    if (y_ + lineHeight_ > printer_.height() && y_ > top_) {
        if (!printer_.newPage())
            throw Error("无法生成打印页面：不能开始第 " + std::to_string(pages_ + 1) + " 页。");
        ++pages_;
        y_ = top_;
    }
    text_.clear();
    for (std::string_view item : items)
        text_.append(toQString(item));
    painter_.drawText(QPointF(columnX, y_ + ascent_), text_);
    x_ = 0.0;
    y_ += lineHeight_;
}

void PdfReportPrinter::printEmptyLine() {
    beginIfNeeded();
    x_ = 0.0;
    y_ += lineHeight_;
}

void PdfReportPrinter::endDocument() {
    beginIfNeeded();
    if (!painter_.end() || printer_.printerState() == QPrinter::Error)
        throw Error("无法生成打印页面：临时文件“" + printer_.outputFileName().toStdString() +
                    "”没有写完。");
}

} // namespace velmora
