#pragma once

#include "core/errors.h"

#include <chrono>
#include <string>
#include <string_view>

namespace velmora {

// The longest silence of the print server that any one exchange waits through before the print is
// given up. A server that is merely busy answers well within it; one that has stopped never does.
inline constexpr std::chrono::seconds printServerPatience{15};

// The user pressed 取消 while the report was being made or sent; the press itself was the message.
class PrintCancelled : public Abandoned {
public:
    PrintCancelled()
        : Abandoned("打印已取消。") {}
};

// There is no print server to reach, or it names no default printer: the report can only be kept
// as a file.
class NoPrinter : public Error {
public:
    using Error::Error;
};

// "没有应答（等了 15 秒）": the words for a server that stayed silent through its patience.
std::string silenceWords();

// The sentence that tells the user `destination` could not print, and why.
//   refusal("office", "已停止") -> "无法打印：默认打印机“office”已停止。"
std::string refusal(std::string_view destination, std::string_view what);

// The sentence for a report that could not be made for `destination`, `what` saying why.
//   cannotPrintOn("office", "不能建立临时文件夹（No space left on device）。") ->
//   "无法在默认打印机“office”上打印：不能建立临时文件夹（No space left on device）。"
std::string cannotPrintOn(std::string_view destination, std::string_view what);

// What the user must know of a job on `destination` whose cancel was never confirmed: printing
// again at once could give two copies. `job` is the job's number, 0 where it is not known.
//   mayStillPrint("office", 17) -> "打印机“office”上的打印任务 17
//   没能取消，可能还在打印队列里，打印服务恢复应答后可能照样打印出来：请先查看打印队列，再决定是否重新打印。"
//   mayStillPrint("office", 0) -> "打印机“office”上的打印任务没能取消，……"
std::string mayStillPrint(std::string_view destination, long job);

// The sentence for a job on `destination` that the user cancelled but whose cancel was never
// confirmed; `job` as for mayStillPrint.
//   unconfirmedCancel("office", 17) -> "打印服务没有确认取消打印。打印机“office”上的打印任务 17
//   没能取消，……"
std::string unconfirmedCancel(std::string_view destination, long job);

//   inParentheses("paper jam") -> "（paper jam）"; inParentheses("") -> ""
std::string inParentheses(std::string_view reason);

} // namespace velmora
