#include "printing/print_destination.h"
#include "printing/print_failures.h"
#include "printing/printer_handle_windows.h"
#include "printing/spooler_thread.h"

#include <QPageSize>
#include <QSizeF>
#include <algorithm>
#include <array>
#include <memory>
#include <optional>

namespace velmora {

namespace {

// A report kept as a file can do without the printer's sheet, so a silent spooler is not waited for
// long.
constexpr std::chrono::seconds paperPatience{3};

// What `ask` answers, asked on a spooler thread of its own so that a silent spooler holds only
// that thread; empty after `patience` of silence. Raises what `ask` raised, and PrintCancelled once
// `stop` is requested.
template <typename Answer, typename Ask>
std::optional<Answer> askSpooler(Ask ask, const std::stop_token& stop,
                                 std::chrono::milliseconds patience) {
    const auto answer = std::make_shared<Answer>();
    SpoolerThread asking([answer, ask](SpoolerProgress& /*progress*/) { *answer = ask(); });
    switch (asking.await(stop, patience)) {
    case SpoolerThread::Outcome::finished:
        return *answer;
    case SpoolerThread::Outcome::stopped:
        throw PrintCancelled();
    case SpoolerThread::Outcome::silent:
        break;
    }
    return std::nullopt;
}

// The user's default printer as the spooler names it; empty where there is none.
std::string defaultPrinterName() {
    DWORD size = 0;
    if (GetDefaultPrinterW(nullptr, &size) != 0 || GetLastError() != ERROR_INSUFFICIENT_BUFFER)
        return {};
    std::wstring name(size, L'\0');
    if (GetDefaultPrinterW(name.data(), &size) == 0)
        return {};
    return narrowText(name.c_str());
}

// The sheet the printer's settings name: a size of their own where they give one, else the
// standard sheet they name by number; zero where they name none.
PaperSize paperOf(const DEVMODEW* settings) {
    if (settings == nullptr)
        return {};
    // A DEVMODE measures its sheet in tenths of a millimetre.
    if ((settings->dmFields & DM_PAPERWIDTH) != 0 && (settings->dmFields & DM_PAPERLENGTH) != 0 &&
        settings->dmPaperWidth > 0 && settings->dmPaperLength > 0)
        return {settings->dmPaperWidth * 10, settings->dmPaperLength * 10};
    const QPageSize::PageSizeId sheet = QPageSize::id(settings->dmPaperSize);
    if ((settings->dmFields & DM_PAPERSIZE) == 0 || sheet == QPageSize::Custom)
        return {};
    const QSizeF size = QPageSize::size(sheet, QPageSize::Millimeter);
    return {qRound(size.width() * 100), qRound(size.height() * 100)};
}

// A printer as the spooler describes it at the moment of the call.
struct PrinterState {
    DWORD status = 0;
    DWORD attributes = 0;
    PaperSize paper; // its default sheet; zero where it names none
};

PrinterState printerState(const std::string& printer) {
    const PrinterHandle handle(printer);
    const auto bytes = spoolerBytes([&handle](BYTE* buffer, DWORD size, DWORD* needed) {
        return GetPrinterW(handle.get(), 2, buffer, size, needed);
    });
    if (!bytes || bytes->empty())
        throw Error(refusal(printer, "查不到状态" + inParentheses(systemWords(GetLastError()))));
    const auto& info = *reinterpret_cast<const PRINTER_INFO_2W*>(bytes->data());
    return {info.Status, info.Attributes, paperOf(info.pDevMode)};
}

struct StatusWords {
    DWORD status;
    const char* words;
};

// Why a printer of `status` and `attributes` will not print a job now, its reasons in
// parentheses; empty where it will. The spooler would queue the job all the same, to print
// whenever the printer is set going again: the user is told now instead.
//   notReady(PRINTER_STATUS_PAUSED | PRINTER_STATUS_PAPER_JAM, 0) -> "已暂停（卡纸）"
std::string notReady(DWORD status, DWORD attributes) {
    static constexpr std::array<StatusWords, 5> halts{{
        {PRINTER_STATUS_PENDING_DELETION, "正在被删除"},
        {PRINTER_STATUS_PAUSED, "已暂停"},
        {PRINTER_STATUS_OFFLINE, "处于脱机状态"},
        {PRINTER_STATUS_NOT_AVAILABLE, "不可用"},
        {PRINTER_STATUS_ERROR, "出错了"},
    }};
    static constexpr std::array<StatusWords, 9> reasons{{
        {PRINTER_STATUS_PAPER_JAM, "卡纸"},
        {PRINTER_STATUS_PAPER_OUT, "缺纸"},
        {PRINTER_STATUS_PAPER_PROBLEM, "纸张有问题"},
        {PRINTER_STATUS_MANUAL_FEED, "等待手动送纸"},
        {PRINTER_STATUS_DOOR_OPEN, "机盖打开"},
        {PRINTER_STATUS_NO_TONER, "墨粉用完"},
        {PRINTER_STATUS_OUTPUT_BIN_FULL, "出纸盒已满"},
        {PRINTER_STATUS_OUT_OF_MEMORY, "内存不足"},
        {PRINTER_STATUS_USER_INTERVENTION, "需要人工处理"},
    }};
    // "Use printer offline" holds every job until the user turns it off.
    if ((attributes & PRINTER_ATTRIBUTE_WORK_OFFLINE) != 0)
        status |= PRINTER_STATUS_OFFLINE;
    const auto* halt = std::find_if(halts.begin(), halts.end(), [status](const StatusWords& s) {
        return (status & s.status) != 0;
    });
    if (halt == halts.end())
        return {};
    std::string why;
    for (const StatusWords& reason : reasons) {
        if ((status & reason.status) == 0)
            continue;
        if (!why.empty())
            why += "、";
        why += reason.words;
    }
    return halt->words + inParentheses(why);
}

} // namespace

PrintQueue readyDefaultQueue(std::stop_token stop) {
    const auto name = askSpooler<std::string>(defaultPrinterName, stop, printServerPatience);
    if (!name)
        throw Error("无法打印：打印服务" + silenceWords() + "。");
    if (name->empty())
        throw NoPrinter("无法打印：系统没有设置默认打印机。");
    const auto state = askSpooler<PrinterState>([printer = *name] { return printerState(printer); },
                                                stop, printServerPatience);
    if (!state)
        throw Error(refusal(*name, silenceWords()));
    if (const std::string why = notReady(state->status, state->attributes); !why.empty())
        throw Error(refusal(*name, why));
    return {*name, *name, {}, state->paper};
}

PaperSize defaultPaper(std::stop_token stop) {
    try {
        const auto name = askSpooler<std::string>(defaultPrinterName, stop, paperPatience);
        if (!name || name->empty())
            return {};
        const auto state = askSpooler<PrinterState>(
            [printer = *name] { return printerState(printer); }, stop, paperPatience);
        return state ? state->paper : PaperSize{};
    } catch (const Error&) {
        return {};
    }
}

} // namespace velmora
