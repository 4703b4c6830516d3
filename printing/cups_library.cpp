#include "printing/cups_library.h"

#include "printing/print_server.h"

#include <QLibrary>
#include <optional>

namespace velmora {

namespace {

std::optional<CupsLibrary> loaded() {
    // The library stays loaded for the rest of the program's life.
    static QLibrary library(QStringLiteral("cups"), 2);
    if (!library.load())
        return std::nullopt;
    CupsLibrary functions;
    bool complete = true;
#define VELMORA_CUPS_RESOLVE(name)                                                                 \
    functions.name = reinterpret_cast<decltype(&::name)>(library.resolve(#name));                  \
    complete = complete && functions.name != nullptr;
    VELMORA_CUPS_FUNCTIONS(VELMORA_CUPS_RESOLVE)
#undef VELMORA_CUPS_RESOLVE
    return complete ? std::optional(functions) : std::nullopt;
}

} // namespace

const CupsLibrary& cups() {
    static const std::optional<CupsLibrary> library = loaded();
    if (!library)
        throw NoPrinter("无法打印：本机没有安装打印支持（libcups.so.2）。");
    return *library;
}

} // namespace velmora
