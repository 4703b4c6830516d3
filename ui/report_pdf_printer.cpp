#include "ui/report_pdf_printer.h"

#include "core/errors.h"
#include "ui/qt_text.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <cerrno>
#include <unistd.h>

namespace velmora {

namespace {
constexpr double twipsPerInch = 1440.0;
constexpr int dotsPerInch = 1200;
// What a printer in PDF mode gives by default; every page position of the report counts from it.
constexpr double marginPoints = 10.0;
} // namespace

qint64 PdfReportPrinter::DocumentFile::writeData(const char* data, qint64 size) {
    const qint64 written = QSaveFile::writeData(data, size);
    // Qt's file writes until the system refuses, so errno still says why.
    if (written != size)
        noteFailure();
    return written;
}

bool PdfReportPrinter::DocumentFile::flushed() {
    if (flush())
        return true;
    noteFailure();
    return false;
}

void PdfReportPrinter::DocumentFile::noteFailure() {
    if (firstFailure_ == 0)
        firstFailure_ = errno != 0 ? errno : -1;
}

PdfReportPrinter::PdfReportPrinter(const QString& fileName, const QPageSize& pageSize)
    : file_(fileName) {
    writer_.setResolution(dotsPerInch);
    writer_.setPageLayout(QPageLayout(
        pageSize, QPageLayout::Portrait,
        QMarginsF(marginPoints, marginPoints, marginPoints, marginPoints), QPageLayout::Point));
    fontChanged();
}

PdfReportPrinter::~PdfReportPrinter() {
    // A document that was never ended is not a report: the writer's last words are not even
    // written, and what it had written goes with the file.
    if (painter_.isActive()) {
        file_.cancelWriting();
        painter_.end();
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
    if (!file_.open(QIODevice::WriteOnly))
        throwUnwritten(errno);
    if (!painter_.begin(&writer_))
        throwUnwritten(-1);
    painter_.setFont(font_);
    pages_ = 1;
}

void PdfReportPrinter::printLine(int column, std::initializer_list<std::string_view> items) {
    beginIfNeeded();
    const double columnX = (column - 1) * columnWidth_;
    if (x_ > columnX)
        y_ += lineHeight_;
    if (y_ + lineHeight_ > writer_.height() && y_ > top_) {
        // The page just left is what the writer puts into the file.
        const bool begun = writer_.newPage();
        throwIfUnwritten();
        if (!begun)
            throwUnwritten(-1);
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
    const bool ended = painter_.end();
    throwIfUnwritten();
    if (!ended)
        throwUnwritten(-1);
    // Some file systems take the space only when the data goes to the disk.
    if (!file_.flushed() || ::fsync(file_.handle()) != 0)
        throwUnwritten(file_.firstFailure() != 0 ? file_.firstFailure() : errno);
    if (!file_.commit())
        throwUnwritten(errno);
}

void PdfReportPrinter::throwIfUnwritten() {
    if (file_.firstFailure() != 0)
        throwUnwritten(file_.firstFailure());
}

void PdfReportPrinter::throwUnwritten(int failure) {
    // Before the error leaves, the half document goes, so nobody can send it.
    file_.cancelWriting();
    if (painter_.isActive())
        painter_.end();
    if (file_.isOpen())
        file_.commit(); // with the writing cancelled, this throws the unfinished document away
    const QFileInfo file(file_.fileName());
    if (failure == ENOSPC)
        throw Error(
            "无法打印：临时文件夹“" + file.absolutePath().toStdString() +
            "”所在的磁盘已满，打印页面没能写完，没有送去打印。请腾出一些磁盘空间后再打印。");
    throw Error("无法打印：打印页面没能写进临时文件“" + file.absoluteFilePath().toStdString() +
                "”，页面不完整，没有送去打印。");
}

} // namespace velmora
