#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>
#include <windows.h>
#include <winspool.h>

namespace velmora {

// One of the spooler's printers, open for the calls that take its handle, and closed again when it
// goes out of scope. Raises Error in refusal()'s words where the spooler will not open it:
//   PrinterHandle("office") -> open
//   PrinterHandle("gone") -> Error "无法打印：默认打印机“gone”不存在。"
class PrinterHandle {
public:
    explicit PrinterHandle(const std::string& printer);
    ~PrinterHandle();
    PrinterHandle(const PrinterHandle&) = delete;
    PrinterHandle& operator=(const PrinterHandle&) = delete;

    HANDLE get() const noexcept { return handle_; }

private:
    HANDLE handle_ = nullptr;
};

// What a spooler call that fills a buffer of its caller's gives: `call` is made with no buffer to
// learn the size it needs, then with a buffer of that size. Empty where the call fails;
// GetLastError() then says why.
//   spoolerBytes([&](BYTE* b, DWORD size, DWORD* needed) {
//       return GetPrinterW(handle, 2, b, size, needed); }) -> a PRINTER_INFO_2W and its texts
std::optional<std::vector<BYTE>>
spoolerBytes(const std::function<BOOL(BYTE* buffer, DWORD size, DWORD* needed)>& call);

// The system's own words for `error`, a GetLastError() value, without the full stop they end in.
//   systemWords(ERROR_ACCESS_DENIED) -> "拒绝访问" on a Chinese system
std::string systemWords(DWORD error);

// A name as the spooler takes it, and back.
//   wideText("办公室") -> L"办公室"; narrowText(L"办公室") -> "办公室"
std::wstring wideText(const std::string& text);
std::string narrowText(const wchar_t* text);

} // namespace velmora
