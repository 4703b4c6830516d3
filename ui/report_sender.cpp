#include "ui/report_sender.h"

#include "core/errors.h"
#include "dialogue/report.h"
#include "ui/cups_queue.h"
#include "ui/report_pdf_printer.h"

#include <QPageSize>
#include <QTemporaryDir>

namespace velmora {

namespace {

QPageSize pageSize(const PaperSize& paper) {
    if (paper.width <= 0 || paper.length <= 0)
        return QPageSize(QPageSize::A4);
    return QPageSize(QSizeF(paper.width / 100.0, paper.length / 100.0), QPageSize::Millimeter,
                     QString(), QPageSize::FuzzyMatch);
}

} // namespace

void sendReport(const LevelingRoute& route, std::stop_token stop) {
    // The server is not kept waiting, nor the user, for a report that will not be made.
    if (!route.resultsReached)
        throw NothingToPrint();
    const PrintQueue queue = readyDefaultQueue(stop);
    const QTemporaryDir folder;
    if (!folder.isValid())
        throw Error("无法打印：不能建立临时文件夹（" + folder.errorString().toStdString() + "）。");
    const QString fileName = folder.filePath(QStringLiteral("report.pdf"));
    // The whole job is made before the queue sees any of it: a report that stops half-way, or a
    // page that cannot be made, leaves nothing to print.
    {
        PdfReportPrinter printer(fileName, pageSize(queue.paper));
        printReport(route, printer);
    }
    if (stop.stop_requested())
        throw Abandoned("打印已取消。");
    submitPdf(queue, fileName.toStdString(), "Velmora", stop);
}

} // namespace velmora
