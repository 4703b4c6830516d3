#include "ui/cups_queue.h"

#include "core/errors.h"

#include <array>
#include <cups/cups.h>
#include <fstream>
#include <memory>
#include <string_view>
#include <vector>

namespace velmora {

namespace {

// The destinations the server lists, released again when they go out of scope.
class Destinations {
public:
    Destinations()
        : count_(cupsGetDests2(CUPS_HTTP_DEFAULT, &dests_)) {}
    ~Destinations() { cupsFreeDests(count_, dests_); }
    Destinations(const Destinations&) = delete;
    Destinations& operator=(const Destinations&) = delete;

    int count() const noexcept { return count_; }
    cups_dest_t* defaultDestination() const noexcept {
        return cupsGetDest(nullptr, nullptr, count_, dests_);
    }

private:
    cups_dest_t* dests_ = nullptr;
    int count_;
};

// What the server says about a queue at this moment; its destination list leaves out the message
// a stopped or refusing queue gives as its reason.
struct QueueState {
    bool stopped = false;
    bool accepting = true;
    std::string reason; // the queue's message, else its state reasons; empty when none
};

std::string_view text(ipp_attribute_t* attribute, int index) {
    const char* value = ippGetString(attribute, index, nullptr);
    return value != nullptr ? value : "";
}

QueueState queueState(const char* queue) {
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    std::array<char, HTTP_MAX_URI> uri{};
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri.data(), static_cast<int>(uri.size()), "ipp", nullptr,
                     "localhost", 0, "/printers/%s", queue);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.data());
    static constexpr std::array<const char*, 4> wanted{"printer-state", "printer-is-accepting-jobs",
                                                       "printer-state-message",
                                                       "printer-state-reasons"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  static_cast<int>(wanted.size()), nullptr, wanted.data());
    const std::unique_ptr<ipp_t, void (*)(ipp_t*)> response(
        cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/"), ippDelete);
    QueueState state;
    if (response == nullptr)
        return state; // the submission will meet the same problem and give its reason
    ipp_t* attributes = response.get();
    if (auto* a = ippFindAttribute(attributes, "printer-state", IPP_TAG_ENUM); a != nullptr)
        state.stopped = ippGetInteger(a, 0) == IPP_PSTATE_STOPPED;
    if (auto* a = ippFindAttribute(attributes, "printer-is-accepting-jobs", IPP_TAG_BOOLEAN);
        a != nullptr)
        state.accepting = ippGetBoolean(a, 0) != 0;
    if (auto* a = ippFindAttribute(attributes, "printer-state-message", IPP_TAG_TEXT); a != nullptr)
        state.reason = text(a, 0);
    if (auto* a = ippFindAttribute(attributes, "printer-state-reasons", IPP_TAG_KEYWORD);
        a != nullptr && state.reason.empty()) {
        for (int i = 0; i < ippGetCount(a); ++i) {
            const std::string_view keyword = text(a, i);
            if (keyword.empty() || keyword == "none")
                continue;
            if (!state.reason.empty())
                state.reason += ", ";
            state.reason += keyword;
        }
    }
    return state;
}

std::string inParentheses(const std::string& reason) {
    return reason.empty() ? reason : "（" + reason + "）";
}

std::string serverReason() {
    const char* reason = cupsLastErrorString();
    return inParentheses(reason != nullptr ? reason : "");
}

bool serverFailed() {
    return cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE;
}

std::string queueName(const cups_dest_t& dest) {
    std::string name = dest.name;
    if (dest.instance != nullptr)
        name.append("/").append(dest.instance);
    return name;
}

std::string refusal(const std::string& queue, std::string_view what) {
    return "无法打印：默认打印机“" + queue + "”" + std::string(what);
}

} // namespace

PrintQueue readyDefaultQueue() {
    const Destinations dests;
    const cups_dest_t* dest = dests.defaultDestination();
    if (dest == nullptr) {
        if (dests.count() == 0 && serverFailed())
            throw Error("无法打印：连接不上打印服务“" + std::string(cupsServer()) + "”" +
                        serverReason() + "，找不到默认打印机。");
        throw Error("无法打印：系统没有设置默认打印机。");
    }
    PrintQueue queue{queueName(*dest)};
    const QueueState state = queueState(dest->name);
    if (state.stopped)
        throw Error(refusal(queue.name, "已停止" + inParentheses(state.reason) + "。"));
    if (!state.accepting)
        throw Error(refusal(queue.name, "不接受打印任务" + inParentheses(state.reason) + "。"));
    return queue;
}

int submitPdf(const PrintQueue& queue, const std::string& fileName, const std::string& title) {
    // An instance is a set of options on its queue; the job itself goes to the queue.
    const std::string printer = queue.name.substr(0, queue.name.find('/'));
    const int job = cupsCreateJob(CUPS_HTTP_DEFAULT, printer.c_str(), title.c_str(), 0, nullptr);
    if (job <= 0)
        throw Error(refusal(queue.name, "没有接受打印任务" + serverReason() + "。"));

    // A job that stays without its document would hold the queue; the reason is kept before the
    // cancellation overwrites it.
    const auto abandon = [&](std::string_view what) {
        const std::string reason = serverReason();
        cupsCancelJob2(CUPS_HTTP_DEFAULT, printer.c_str(), job, 0);
        throw Error(refusal(queue.name, std::string(what) + reason + "。"));
    };
    std::ifstream file(fileName, std::ios::binary);
    if (!file)
        abandon("收不到打印页面：临时文件打不开");
    if (cupsStartDocument(CUPS_HTTP_DEFAULT, printer.c_str(), job, "report.pdf", CUPS_FORMAT_PDF,
                          1) != HTTP_STATUS_CONTINUE)
        abandon("没有接受打印页面");
    std::vector<char> chunk(1 << 16);
    while (file.read(chunk.data(), static_cast<std::streamsize>(chunk.size())) ||
           file.gcount() > 0) {
        if (cupsWriteRequestData(CUPS_HTTP_DEFAULT, chunk.data(),
                                 static_cast<std::size_t>(file.gcount())) != HTTP_STATUS_CONTINUE)
            abandon("收不全打印页面");
    }
    if (!file.eof())
        abandon("收不全打印页面：临时文件读不完");
    if (cupsFinishDocument(CUPS_HTTP_DEFAULT, printer.c_str()) > IPP_STATUS_OK_EVENTS_COMPLETE)
        abandon("没有接受打印页面");
    return job;
}

} // namespace velmora
