#include "core/errors.h"
#include "dialogue/report.h"
#include "printing/print_destination.h"
#include "printing/print_failures.h"
#include "printing/qt_text.h"
#include "printing/report_sender.h"
#include "printing/spooler_report_printer.h"
#include "printing/spooler_thread.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPrinter>
#include <algorithm>
#include <memory>

namespace velmora {

namespace {

// Sets `device` to the report's pages on the sheet `paper`. A printer that cannot print as near its
// edges as the report's margins keeps its own wider ones: Qt's printer takes no layout whose
// margins it cannot print, and the rows break within the narrower area all the same.
void layOutPages(QPrinter& device, const PaperSize& paper) {
    device.setPageSize(pageSizeFor(paper));
    QPageLayout sheet = device.pageLayout();
    sheet.setUnits(QPageLayout::Point);
    const QMarginsF least = sheet.minimumMargins();
    const QMarginsF wanted = reportPageLayout(sheet.pageSize()).margins();
    const QMarginsF margins(
        std::max(wanted.left(), least.left()), std::max(wanted.top(), least.top()),
        std::max(wanted.right(), least.right()), std::max(wanted.bottom(), least.bottom()));
    device.setPageLayout(
        QPageLayout(sheet.pageSize(), QPageLayout::Portrait, margins, QPageLayout::Point, least));
}

// Paints the report of `route` for `queue` on the spooler thread that runs it, the pages on the
// queue's own sheet.
void printOn(const PrintQueue& queue, const LevelingRoute& route, SpooledJob& job,
             SpoolerProgress& progress) {
    QPrinter device(QPrinter::HighResolution);
    device.setPrinterName(toQString(queue.queue));
    progress.heard();
    if (!device.isValid())
        throw Error(refusal(queue.name, "不存在"));
    layOutPages(device, queue.paper);
    progress.heard();
    SpoolerReportPrinter printer(device, queue.name, job, progress);
    try {
        printReport(route, printer);
    } catch (const Abandoned&) {
        throw;
    } catch (const SpoolerFailure&) {
        throw;
    } catch (const Error& error) {
        printer.abandon(error.what());
    }
}

} // namespace

void sendReport(const LevelingRoute& route, const std::stop_token& stop) {
    // The spooler is not kept waiting, nor the user, for a report that will not be made.
    if (!route.resultsReached)
        throw NothingToPrint();
    const PrintQueue queue = readyDefaultQueue(stop);
    const auto job = std::make_shared<SpooledJob>();
    SpoolerThread painting(
        [queue, route, job](SpoolerProgress& progress) { printOn(queue, route, *job, progress); });
    switch (painting.await(stop, printServerPatience)) {
    case SpoolerThread::Outcome::finished:
        return;
    case SpoolerThread::Outcome::silent:
        throw Error(refusal(queue.name, silenceWords()) +
                    (job->begun ? mayStillPrint(queue.name, job->id) : std::string()));
    case SpoolerThread::Outcome::stopped:
        break;
    }
    // The painting deletes its job at its next exchange with the spooler, and says how that went.
    painting.requestStop();
    if (painting.await({}, printServerPatience) == SpoolerThread::Outcome::finished)
        return;
    if (job->begun)
        throw Error(unconfirmedCancel(queue.name, job->id));
    throw PrintCancelled();
}

} // namespace velmora
