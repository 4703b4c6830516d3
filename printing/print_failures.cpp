#include "printing/print_failures.h"

namespace velmora {

std::string silenceWords() {
    return "没有应答（等了 " + std::to_string(printServerPatience.count()) + " 秒）";
}

std::string refusal(std::string_view destination, std::string_view what) {
    return "无法打印：默认打印机“" + std::string(destination) + "”" + std::string(what) + "。";
}

std::string cannotPrintOn(std::string_view destination, std::string_view what) {
    return "无法在默认打印机“" + std::string(destination) + "”上打印：" + std::string(what);
}

std::string mayStillPrint(std::string_view destination, long job) {
    const std::string number = job > 0 ? " " + std::to_string(job) + " " : std::string();
    return "打印机“" + std::string(destination) + "”上的打印任务" + number +
           "没能取消，可能还在打印队列里，打印服务恢复应答后可能照样打印出来：请先查看打印队列，再"
           "决定是否重新打印。";
}

std::string unconfirmedCancel(std::string_view destination, long job) {
    return "打印服务没有确认取消打印。" + mayStillPrint(destination, job);
}

std::string inParentheses(std::string_view reason) {
    return reason.empty() ? std::string() : "（" + std::string(reason) + "）";
}

} // namespace velmora
