#include "printing/pdf_report_printer.h"

#include "core/errors.h"
#include "platform/file_system.h"

#include <QFileInfo>
#include <cerrno>

namespace velmora {

namespace {
constexpr int dotsPerInch = 1200;
} // namespace

qint64 PdfDocument::DocumentFile::writeData(const char* data, qint64 size) {
    const qint64 written = QSaveFile::writeData(data, size);
    // Qt's file writes until the system refuses, so the system's last failure still says why.
    if (written != size)
        noteFailure();
    return written;
}

bool PdfDocument::DocumentFile::flushed() {
    if (flush())
        return true;
    noteFailure();
    return false;
}

void PdfDocument::DocumentFile::noteFailure() {
    if (firstFailure_ == 0)
        firstFailure_ = lastFileFailure() != 0 ? lastFileFailure() : -1;
}

PdfDocument::PdfDocument(const QString& fileName, const QPageSize& pageSize)
    : file_(fileName) {
    writer_.setResolution(dotsPerInch);
    writer_.setPageLayout(reportPageLayout(pageSize));
}

PdfReportPrinter::PdfReportPrinter(const QString& fileName, const QPageSize& pageSize)
    : PdfDocument(fileName, pageSize)
    , PagedReportPrinter(writer_) {}

PdfReportPrinter::~PdfReportPrinter() {
    // A document that was never ended is not a report: the writer's last words are not even
    // written, and what it had written goes with the file.
    if (painting()) {
        file_.cancelWriting();
        stopPainting();
    }
}

void PdfReportPrinter::beginningDocument() {
    if (!file_.open(QIODevice::WriteOnly))
        throwUnwritten(lastFileFailure());
}

void PdfReportPrinter::checkDevice(Exchange /*exchange*/, bool succeeded) {
    throwIfUnwritten();
    if (!succeeded)
        throwUnwritten(-1);
}

void PdfReportPrinter::endDocument() {
    PagedReportPrinter::endDocument();
    // Some file systems take the space only when the data goes to the disk.
    if (!file_.flushed() || !flushToDisk(file_.handle()))
        throwUnwritten(file_.firstFailure() != 0 ? file_.firstFailure() : lastFileFailure());
    if (!file_.commit())
        throwUnwritten(lastFileFailure());
}

void PdfReportPrinter::throwIfUnwritten() {
    if (file_.firstFailure() != 0)
        throwUnwritten(file_.firstFailure());
}

void PdfReportPrinter::throwUnwritten(int failure) {
    // Before the error leaves, the half document goes, so nobody can send it.
    file_.cancelWriting();
    stopPainting();
    if (file_.isOpen())
        file_.commit(); // with the writing cancelled, this throws the unfinished document away
    const QFileInfo file(file_.fileName());
    if (failure == ENOSPC)
        throw UnwrittenDocument(
            "临时文件夹“" + file.absolutePath().toStdString() +
                "”所在的磁盘已满，打印页面没能写完，没有送去打印。请腾出一些磁盘空间后再打印。",
            failure);
    throw UnwrittenDocument("打印页面没能写进临时文件“" + file.absoluteFilePath().toStdString() +
                                "”，页面不完整，没有送去打印。",
                            failure);
}

} // namespace velmora
