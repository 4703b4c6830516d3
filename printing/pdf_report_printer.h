#pragma once

#include "core/errors.h"
#include "printing/paged_report_printer.h"

#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QString>

namespace velmora {

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

// The file of a PDF document and the writer that fills it at 1200 dots per inch on the report's
// pages of `pageSize`; both exist before the painter that is handed the writer.
class PdfDocument {
protected:
    PdfDocument(const QString& fileName, const QPageSize& pageSize);

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

    DocumentFile file_;
    QPdfWriter writer_{&file_};
};

// Paints the report (as PagedReportPrinter does) into a PDF file, ready to be handed to a print
// queue as it stands.
//   PdfReportPrinter(name, QPageSize(QPageSize::A4)): pages of 595 x 842 points, printable area
//   575 x 822 points from (10, 10); with QPageSize::Letter 612 x 792 and 592 x 772
//
// The file `fileName` appears only when endDocument() has returned, and then it is complete: every
// byte of the document reached the disk. Until then the document is written beside it under
// another name. A write that fails raises Error at the operation that finds it (a new page, or
// endDocument) and takes the unfinished document away, so a half file can never be sent:
//   the folder's disk fills up on page 7 -> Error "临时文件夹“/tmp/x”所在的磁盘已满……"
//   any other failed write              -> Error "打印页面没能写进临时文件“…”……"
// A printer destroyed before endDocument() leaves no file behind either, so a report that stopped
// leaves nothing.
class PdfReportPrinter : private PdfDocument, public PagedReportPrinter {
public:
    PdfReportPrinter(const QString& fileName, const QPageSize& pageSize);
    ~PdfReportPrinter() override;

    void endDocument() override;

private:
    void beginningDocument() override;
    void checkDevice(Exchange exchange, bool succeeded) override;
    void throwIfUnwritten();
    [[noreturn]] void throwUnwritten(int failure);
};

} // namespace velmora
