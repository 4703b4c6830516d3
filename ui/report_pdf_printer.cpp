#include "ui/report_pdf_printer.h"

#include "core/errors.h"
#include "ui/qt_text.h"

#include <QFile>
#include <QFontMetricsF>

namespace velmora {

namespace {
constexpr double twipsPerInch = 1440.0;
constexpr int dotsPerInch = 1200;
// What a printer in PDF mode gives by default; every page position of the report counts from it.
constexpr double marginPoints = 10.0;
} // namespace

PdfReportPrinter::PdfReportPrinter(const QString& fileName, const QPageSize& pageSize)
    : fileName_(fileName)
    , writer_(fileName) {
    writer_.setResolution(dotsPerInch);
    writer_.setPageLayout(QPageLayout(
        pageSize, QPageLayout::Portrait,
        QMarginsF(marginPoints, marginPoints, marginPoints, marginPoints), QPageLayout::Point));
    fontChanged();
}

PdfReportPrinter::~PdfReportPrinter() {
    // A document that was never ended is not a report: whatever Qt wrote of it goes.
    if (painter_.isActive()) {
        painter_.end();
        QFile::remove(fileName_);
    }
}

double PdfReportPrinter::fromTwips(int twips) const {
    return twips * writer_.resolution() / twipsPerInch;
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
    const QFontMetricsF metrics(font_, &writer_);
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
    if (!painter_.begin(&writer_))
        throw Error("无法生成打印页面：不能写入临时文件“" + fileName_.toStdString() + "”。");
    painter_.setFont(font_);
    pages_ = 1;
}

void PdfReportPrinter::printLine(int column, std::initializer_list<std::string_view> items) {
    beginIfNeeded();
    const double columnX = (column - 1) * columnWidth_;
    if (x_ > columnX)
        y_ += lineHeight_;
    if (y_ + lineHeight_ > writer_.height() && y_ > top_) {
        if (!writer_.newPage())
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
    if (!painter_.end())
        throw Error("无法生成打印页面：临时文件“" + fileName_.toStdString() + "”没有写完。");
}

} // namespace velmora
