#include "printing/spooler_report_printer.h"

#include <array>
#include <cwchar>
#include <lmcons.h>

namespace velmora {

namespace {

// The report's jobs are told apart on the spooler by this name.
constexpr const wchar_t* documentName = L"Velmora";

// The job the report has just begun. The spooler gives a job's number only to the one that begins
// it, and Qt's printer keeps it to itself; of the jobs on the printer, ours is the newest of this
// user's still being spooled under the report's name. 0 where the spooler lists none such.
long newestSpoolingJob(HANDLE printer) {
    std::array<wchar_t, UNLEN + 1> user{};
    DWORD userSize = static_cast<DWORD>(user.size());
    if (GetUserNameW(user.data(), &userSize) == 0)
        return 0;
    DWORD count = 0;
    const auto bytes = spoolerBytes([printer, &count](BYTE* buffer, DWORD size, DWORD* needed) {
        return EnumJobsW(printer, 0, MAXDWORD, 1, buffer, size, needed, &count);
    });
    if (!bytes || bytes->empty())
        return 0;
    const auto* jobs = reinterpret_cast<const JOB_INFO_1W*>(bytes->data());
    long newest = 0;
    for (DWORD i = 0; i < count; ++i) {
        const JOB_INFO_1W& job = jobs[i];
        if ((job.Status & JOB_STATUS_SPOOLING) != 0 && job.pDocument != nullptr &&
            job.pUserName != nullptr && std::wcscmp(job.pDocument, documentName) == 0 &&
            _wcsicmp(job.pUserName, user.data()) == 0 && static_cast<long>(job.JobId) > newest)
            newest = static_cast<long>(job.JobId);
    }
    return newest;
}

// What the spooler failed to do, by the exchange it failed in.
std::string_view refusedAt(PagedReportPrinter::Exchange exchange) {
    switch (exchange) {
    case PagedReportPrinter::Exchange::documentBegun:
        return "没有接受打印任务";
    case PagedReportPrinter::Exchange::pageBegun:
        return "收不全打印页面";
    case PagedReportPrinter::Exchange::documentEnded:
        break;
    }
    return "没有接受打印页面";
}

} // namespace

SpoolerReportPrinter::SpoolerReportPrinter(QPrinter& device, std::string printer, SpooledJob& job,
                                           SpoolerProgress& progress)
    : PagedReportPrinter(device)
    , device_(device)
    , printer_(std::move(printer))
    , job_(job)
    , progress_(progress)
    , handle_(printer_) {
    device_.setDocName(QString::fromWCharArray(documentName));
    progress_.heard();
}

SpoolerReportPrinter::~SpoolerReportPrinter() {
    if (painting())
        deleteJob();
}

void SpoolerReportPrinter::beginningDocument() {
    stopIfAsked();
    // From here on the spooler may hold a job of the report, even where Qt's printer then says it
    // could not begin one.
    job_.begun = true;
}

void SpoolerReportPrinter::checkDevice(Exchange exchange, bool succeeded) {
    progress_.heard();
    if (exchange == Exchange::documentBegun) {
        job_.id = newestSpoolingJob(handle_.get());
        progress_.heard();
        if (!succeeded)
            job_.begun = job_.id != 0;
    }
    // Qt's printer tells little of the spooler's failures; what it does tell is in its state.
    const QPrinter::PrinterState state = device_.printerState();
    if (!succeeded || state == QPrinter::Error || state == QPrinter::Aborted)
        giveUp(refusedAt(exchange));
    stopIfAsked();
}

void SpoolerReportPrinter::endDocument() {
    stopIfAsked();
    PagedReportPrinter::endDocument();
}

void SpoolerReportPrinter::stopIfAsked() {
    if (!progress_.stopRequested())
        return;
    if (deleteJob() == Deletion::unconfirmed)
        throw SpoolerFailure(unconfirmedCancel(printer_, job_.id));
    throw PrintCancelled();
}

SpoolerReportPrinter::Deletion SpoolerReportPrinter::deleteJob() {
    if (!job_.begun) {
        stopPainting();
        return Deletion::nothingBegun;
    }
    // Deleted while it is still being spooled, the job never reaches the printer; ending the
    // painting then only ends Qt's side of it. A job that could not be deleted is ended as well,
    // so that it does not hold the printer, and may print.
    const bool deleted = job_.id != 0 && SetJobW(handle_.get(), static_cast<DWORD>(job_.id.load()),
                                                 0, nullptr, JOB_CONTROL_DELETE) != 0;
    stopPainting();
    progress_.heard();
    job_.begun = !deleted;
    return deleted ? Deletion::deleted : Deletion::unconfirmed;
}

void SpoolerReportPrinter::giveUp(std::string_view reason) {
    switch (deleteJob()) {
    case Deletion::nothingBegun:
        throw SpoolerFailure(refusal(printer_, reason));
    case Deletion::deleted:
        throw SpoolerFailure(refusal(printer_, std::string(reason) + "，打印任务已取消"));
    case Deletion::unconfirmed:
        break;
    }
    throw SpoolerFailure(refusal(printer_, reason) + mayStillPrint(printer_, job_.id));
}

void SpoolerReportPrinter::abandon(std::string_view reason) {
    const std::string why = cannotPrintOn(printer_, reason);
    if (deleteJob() == Deletion::unconfirmed)
        throw SpoolerFailure(why + mayStillPrint(printer_, job_.id));
    throw SpoolerFailure(why);
}

} // namespace velmora
