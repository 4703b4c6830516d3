#include "printing/printer_handle_windows.h"

#include "core/errors.h"
#include "printing/print_failures.h"

#include <QString>

namespace velmora {

PrinterHandle::PrinterHandle(const std::string& printer) {
    std::wstring name = wideText(printer);
    if (OpenPrinterW(name.data(), &handle_, nullptr) != 0)
        return;
    const DWORD error = GetLastError();
    if (error == ERROR_INVALID_PRINTER_NAME)
        throw Error(refusal(printer, "不存在"));
    throw Error(refusal(printer, "打不开" + inParentheses(systemWords(error))));
}

PrinterHandle::~PrinterHandle() {
    ClosePrinter(handle_);
}

std::optional<std::vector<BYTE>>
spoolerBytes(const std::function<BOOL(BYTE* buffer, DWORD size, DWORD* needed)>& call) {
    DWORD needed = 0;
    if (call(nullptr, 0, &needed) != 0)
        return std::vector<BYTE>();
    // What is needed can grow between the calls, as when another job arrives meanwhile.
    for (int attempt = 0; attempt < 3 && GetLastError() == ERROR_INSUFFICIENT_BUFFER; ++attempt) {
        std::vector<BYTE> bytes(needed);
        if (call(bytes.data(), needed, &needed) != 0)
            return bytes;
    }
    return std::nullopt;
}

std::string systemWords(DWORD error) {
    QString words = qt_error_string(static_cast<int>(error)).trimmed();
    while (words.endsWith(QLatin1Char('.')) || words.endsWith(QChar(u'。')))
        words.chop(1);
    return words.toStdString();
}

std::wstring wideText(const std::string& text) {
    return QString::fromStdString(text).toStdWString();
}

std::string narrowText(const wchar_t* text) {
    return text != nullptr ? QString::fromWCharArray(text).toStdString() : std::string();
}

} // namespace velmora
