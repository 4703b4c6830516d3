#pragma once

#include "printing/paged_report_printer.h"
#include "printing/print_failures.h"
#include "printing/printer_handle_windows.h"
#include "printing/spooler_thread.h"

#include <QPrinter>
#include <atomic>
#include <string>
#include <string_view>

namespace velmora {

// What the thread waiting for a report's painting knows of the report's job on the spooler.
struct SpooledJob {
    std::atomic<bool> begun{false}; // the spooler may hold a job of the report
    std::atomic<long> id{0};        // the job's number; 0 while it is not known
};

// A failure of the spooler's that SpoolerReportPrinter has put in the user's words, the fate of
// the job among them.
class SpoolerFailure : public Error {
public:
    using Error::Error;
};

// Paints the report (as PagedReportPrinter does) on `device`, Qt's printer for the spooler's
// printer named `printer`, as one job. Each exchange with the spooler is told to `progress`, and
// the report stops at the first exchange after progress.stopRequested(). A job the report does not
// finish is deleted from the spooler again, and `job` tells the waiting thread whether one may be
// there. Raises SpoolerFailure naming the printer where the spooler fails the job, saying that the
// job may still print where its deletion fails; PrintCancelled after a stop whose job was deleted:
//   a page the spooler will not begin -> SpoolerFailure
//   "无法打印：默认打印机“office”收不全打印页面，打印任务已取消。"
//   the same, the deletion refused -> SpoolerFailure
//   "无法打印：默认打印机“office”收不全打印页面。打印机“office”上的打印任务 7 没能取消，……"
class SpoolerReportPrinter : public PagedReportPrinter {
public:
    SpoolerReportPrinter(QPrinter& device, std::string printer, SpooledJob& job,
                         SpoolerProgress& progress);
    ~SpoolerReportPrinter() override;

    void endDocument() override;

    // Deletes the job of a report that stopped for `reason` before it was finished, and raises
    // SpoolerFailure with cannotPrintOn()'s words for both:
    //   abandon("下标 5 超出范围") -> "无法在默认打印机“office”上打印：下标 5 超出范围"
    [[noreturn]] void abandon(std::string_view reason);

private:
    enum class Deletion { nothingBegun, deleted, unconfirmed };

    void beginningDocument() override;
    void checkDevice(Exchange exchange, bool succeeded) override;
    void stopIfAsked();
    Deletion deleteJob();
    [[noreturn]] void giveUp(std::string_view reason);

    QPrinter& device_;
    std::string printer_;
    SpooledJob& job_;
    SpoolerProgress& progress_;
    PrinterHandle handle_;
};

} // namespace velmora
