#include "printing/report_file.h"

#include "dialogue/report.h"
#include "printing/pdf_report_printer.h"
#include "printing/print_destination.h"
#include "printing/user_file.h"

#include <QFileInfo>
#include <cerrno>

namespace velmora {

void saveReportPdf(const LevelingRoute& route, const QString& fileName,
                   const std::stop_token& stop) {
    if (!route.resultsReached)
        throw NothingToPrint();
    if (QFileInfo(fileName).isDir())
        throw Error(unsavedMessage(fileName, EISDIR));
    const PaperSize paper = defaultPaper(stop);
    if (stop.stop_requested())
        throw Abandoned("保存已取消。");
    try {
        PdfReportPrinter printer(fileName, pageSizeFor(paper));
        printReport(route, printer);
    } catch (const UnwrittenDocument& unwritten) {
        throw Error(unsavedMessage(fileName, unwritten.failure()));
    }
}

} // namespace velmora
