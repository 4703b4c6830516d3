#include "printing/cups_library.h"

#include "printing/print_server.h"

#include <QLibrary>
#include <optional>

namespace velmora {

namespace {

// Points `slot` at the library's function `name`; 1 where the library has none, else 0.
template <typename Function> int resolveInto(Function& slot, QLibrary& library, const char* name) {
    slot = reinterpret_cast<Function>(library.resolve(name));
    return slot == nullptr ? 1 : 0;
}

std::optional<CupsLibrary> loaded() {
    // The library stays loaded for the rest of the program's life.
    static QLibrary library(QStringLiteral("cups"), 2);
    if (!library.load())
        return std::nullopt;
    CupsLibrary functions;
    int missing = 0;
#define VELMORA_CUPS_RESOLVE(name) missing += resolveInto(functions.name, library, #name);
    VELMORA_CUPS_FUNCTIONS(VELMORA_CUPS_RESOLVE)
#undef VELMORA_CUPS_RESOLVE
    if (missing != 0)
        return std::nullopt;
    return functions;
}

} // namespace

const CupsLibrary& cups() {
    static const std::optional<CupsLibrary> library = loaded();
    if (!library)
        throw NoPrinter("无法打印：本机没有安装打印支持（libcups.so.2）。");
    return *library;
}

} // namespace velmora
