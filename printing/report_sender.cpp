#include "printing/report_sender.h"

#include "core/errors.h"
#include "dialogue/report.h"
#include "printing/pdf_report_printer.h"
#include "printing/print_job.h"
#include "printing/print_server.h"

#include <QTemporaryDir>
#include <string>

namespace velmora {

void sendReport(const LevelingRoute& route, const std::stop_token& stop) {
    // The server is not kept waiting, nor the user, for a report that will not be made.
    if (!route.resultsReached)
        throw NothingToPrint();
    const PrintQueue queue = readyDefaultQueue(stop);
    const auto onThePrinter = [&queue](const std::string& what) {
        return Error(cannotPrintOn(queue.name, what));
    };
    const QTemporaryDir folder;
    if (!folder.isValid())
        throw onThePrinter("不能建立临时文件夹（" + folder.errorString().toStdString() + "）。");
    const QString fileName = folder.filePath(QStringLiteral("report.pdf"));
    // The whole job is made before the queue sees any of it: a report that stops half-way, or a
    // page that cannot be made, leaves nothing to print.
    try {
        PdfReportPrinter printer(fileName, pageSizeFor(queue.paper));
        printReport(route, printer);
    } catch (const Error& error) {
        throw onThePrinter(error.what());
    }
    if (stop.stop_requested())
        throw PrintCancelled();
    submitPdf(queue, fileName.toStdString(), "Velmora", stop);
}

} // namespace velmora
