#include "ui/report_sender.h"

#include "core/errors.h"
#include "dialogue/report.h"
#include "ui/cups_queue.h"
#include "ui/report_pdf_printer.h"

#include <QTemporaryDir>

namespace velmora {

void sendReport(const LevelingRoute& route) {
    const PrintQueue queue = readyDefaultQueue();
    const QTemporaryDir folder;
    if (!folder.isValid())
        throw Error("无法打印：不能建立临时文件夹（" + folder.errorString().toStdString() + "）。");
    const QString fileName = folder.filePath(QStringLiteral("report.pdf"));
    // The whole job is made before the queue sees any of it: a report that stops half-way, or a
    // page that cannot be made, leaves nothing to print.
    {
        PdfReportPrinter printer(fileName, QPageSize(QPageSize::A4));
        printReport(route, printer);
    }
    submitPdf(queue, fileName.toStdString(), "Velmora");
}

} // namespace velmora
