#pragma once

#include <cups/cups.h>

namespace velmora {

// The functions of libcups that Velmora calls, each by its own name and type.
// clang-format off
#define VELMORA_CUPS_FUNCTIONS(entry) \
    entry(cupsAddOption) \
    entry(cupsCancelJob2) \
    entry(cupsCreateJob) \
    entry(cupsDoRequest) \
    entry(cupsEncryption) \
    entry(cupsFinishDocument) \
    entry(cupsFreeDests) \
    entry(cupsFreeOptions) \
    entry(cupsGetDest) \
    entry(cupsGetDests2) \
    entry(cupsGetOption) \
    entry(cupsLastError) \
    entry(cupsLastErrorString) \
    entry(cupsServer) \
    entry(cupsStartDocument) \
    entry(cupsWriteRequestData) \
    entry(httpAssembleURI) \
    entry(httpClose) \
    entry(httpConnect2) \
    entry(httpSetTimeout) \
    entry(ippAddInteger) \
    entry(ippAddString) \
    entry(ippAddStrings) \
    entry(ippDelete) \
    entry(ippFindAttribute) \
    entry(ippGetBoolean) \
    entry(ippGetCount) \
    entry(ippGetInteger) \
    entry(ippGetString) \
    entry(ippNewRequest) \
    entry(ippPort) \
    entry(pwgMediaForLegacy) \
    entry(pwgMediaForPPD) \
    entry(pwgMediaForPWG)
// clang-format on

// libcups, loaded when the print server is first asked for something rather than when the program
// starts: the library and the twenty it brings would cost every start a few milliseconds and
// megabytes, for a button most starts never press.
struct CupsLibrary {
// The argument is a name, declared here as a member of the same name.
// NOLINTNEXTLINE(bugprone-macro-parentheses)
#define VELMORA_CUPS_MEMBER(name) decltype(&::name) name = nullptr;
    VELMORA_CUPS_FUNCTIONS(VELMORA_CUPS_MEMBER)
#undef VELMORA_CUPS_MEMBER
};

// libcups, loaded on the first call from whichever thread makes it. Raises NoPrinter when the
// library or one of its functions cannot be found, as on a machine without printing support:
//   cups().cupsServer() -> "/run/cups/cups.sock"
//   cups() without libcups.so.2 -> NoPrinter "无法打印：本机没有安装打印支持（libcups.so.2）。"
const CupsLibrary& cups();

} // namespace velmora
