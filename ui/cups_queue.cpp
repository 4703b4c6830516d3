#include "ui/cups_queue.h"

#include "core/errors.h"

#include <array>
#include <cstdint>
#include <cups/cups.h>
#include <fstream>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

namespace velmora {

namespace {

// How often a silent exchange looks at the user's cancel: often enough that 取消 feels immediate.
constexpr std::chrono::milliseconds tick{200};
constexpr auto patienceTicks = printServerPatience / tick;

std::string server() {
    return cupsServer();
}

std::string patienceText() {
    return std::to_string(printServerPatience.count());
}

// One connection to the print server whose every wait ends after printServerPatience of silence,
// or at once when the user cancels. The silence is counted in ticks of libcups' waits; the count
// starts again with each exchange, and so with each part of the document the server takes.
class ServerLink {
public:
    explicit ServerLink(std::stop_token stop)
        : stop_(std::move(stop)) {
        // libcups looks at this flag while it connects, so that 取消 ends a connection to a distant
        // server that is still being made.
        int connectingCancelled = 0;
        const std::stop_callback cancelConnecting(
            stop_, [&connectingCancelled] { connectingCancelled = 1; });
        http_ =
            httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                         static_cast<int>(std::chrono::milliseconds(printServerPatience).count()),
                         &connectingCancelled);
        if (http_ == nullptr && cancelled())
            throw PrintCancelled();
        if (http_ == nullptr)
            throw Error("无法打印：连接不上打印服务“" + server() + "”。");
        httpSetTimeout(http_, std::chrono::duration<double>(tick).count(), &ServerLink::keepWaiting,
                       this);
    }
    ~ServerLink() { httpClose(http_); }
    ServerLink(const ServerLink&) = delete;
    ServerLink& operator=(const ServerLink&) = delete;

    // The connection for the next exchange.
    http_t* exchange() {
        silentTicks_ = 0;
        return http_;
    }

    bool cancelled() const { return stop_.stop_requested(); }
    bool timedOut() const { return gaveUp_ && !cancelled(); }
    // libcups does not always report a wait it was told to give up as a failure of the exchange.
    bool gaveUp() const { return gaveUp_; }

private:
    static int keepWaiting(http_t* /*connection*/, void* data) {
        auto& link = *static_cast<ServerLink*>(data);
        if (link.cancelled() || ++link.silentTicks_ >= patienceTicks) {
            link.gaveUp_ = true;
            return 0;
        }
        return 1;
    }

    std::stop_token stop_;
    http_t* http_ = nullptr;
    std::int64_t silentTicks_ = 0;
    bool gaveUp_ = false;
};

std::string_view text(ipp_attribute_t* attribute, int index) {
    const char* value = ippGetString(attribute, index, nullptr);
    return value != nullptr ? value : "";
}

std::string inParentheses(std::string_view reason) {
    return reason.empty() ? std::string() : "（" + std::string(reason) + "）";
}

// The keywords of an attribute such as printer-state-reasons, "none" left out.
std::string keywords(ipp_attribute_t* attribute) {
    std::string joined;
    for (int i = 0; attribute != nullptr && i < ippGetCount(attribute); ++i) {
        const std::string_view keyword = text(attribute, i);
        if (keyword.empty() || keyword == "none")
            continue;
        if (!joined.empty())
            joined += ", ";
        joined += keyword;
    }
    return joined;
}

using Response = std::unique_ptr<ipp_t, void (*)(ipp_t*)>;

// A request for the attributes `wanted` of `queue`, or of one of its jobs once the caller adds it.
ipp_t* attributesRequest(ipp_op_t operation, std::string_view queue,
                         std::span<const char* const> wanted) {
    std::array<char, HTTP_MAX_URI> uri{};
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri.data(), static_cast<int>(uri.size()), "ipp", nullptr,
                     "localhost", 0, "/printers/%s", std::string(queue).c_str());
    ipp_t* request = ippNewRequest(operation);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.data());
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  static_cast<int>(wanted.size()), nullptr, wanted.data());
    return request;
}

// The server's answer to `request`; empty when the exchange failed or was given up, which
// failure() then words.
Response answer(ServerLink& link, ipp_t* request) {
    Response response(cupsDoRequest(link.exchange(), request, "/"), ippDelete);
    if (cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE || link.gaveUp())
        response.reset();
    return response;
}

// Why the last exchange on `link` failed, in the user's words, after the destination's name. The
// server's own text follows only where no plain words cover its status; the library's texts for
// a broken connection are errno strings ("Success" among them) and are never shown.
std::string failure(const ServerLink& link, std::string_view refused) {
    if (link.cancelled())
        throw PrintCancelled();
    if (link.timedOut())
        return "没有应答（等了 " + patienceText() + " 秒）";
    switch (cupsLastError()) {
    case IPP_STATUS_ERROR_INTERNAL:
    case IPP_STATUS_ERROR_SERVICE_UNAVAILABLE:
        return "的打印服务断开了连接";
    case IPP_STATUS_ERROR_NOT_AUTHENTICATED:
    case IPP_STATUS_ERROR_NOT_AUTHORIZED:
    case IPP_STATUS_ERROR_FORBIDDEN:
    case IPP_STATUS_ERROR_CUPS_AUTHENTICATION_CANCELED:
        return "不允许本用户打印";
    case IPP_STATUS_ERROR_REQUEST_ENTITY:
        return "拒收：打印页面太大";
    case IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS:
        return "不接受打印任务";
    case IPP_STATUS_ERROR_NOT_FOUND:
        return "不存在";
    default:
        return std::string(refused) + inParentheses(cupsLastErrorString());
    }
}

std::string refusal(const std::string& destination, std::string_view what) {
    return "无法打印：默认打印机“" + destination + "”" + std::string(what) + "。";
}

struct QueueState {
    bool stopped = false;
    bool accepting = true;
    std::string reason; // the queue's message, else its state reasons; empty when none
    std::string media;  // its default sheet's name; empty when it names none
};

// The destination list leaves out the message a stopped or refusing queue gives as its reason,
// so the queue is asked itself.
QueueState queueState(ServerLink& link, const std::string& destination, const std::string& queue) {
    static constexpr std::array<const char*, 5> wanted{"printer-state", "printer-is-accepting-jobs",
                                                       "printer-state-message",
                                                       "printer-state-reasons", "media-default"};
    const Response response =
        answer(link, attributesRequest(IPP_OP_GET_PRINTER_ATTRIBUTES, queue, wanted));
    if (response == nullptr)
        throw Error(refusal(destination, failure(link, "查不到状态")));
    ipp_t* attributes = response.get();
    QueueState state;
    if (auto* a = ippFindAttribute(attributes, "printer-state", IPP_TAG_ENUM); a != nullptr)
        state.stopped = ippGetInteger(a, 0) == IPP_PSTATE_STOPPED;
    if (auto* a = ippFindAttribute(attributes, "printer-is-accepting-jobs", IPP_TAG_BOOLEAN);
        a != nullptr)
        state.accepting = ippGetBoolean(a, 0) != 0;
    if (auto* a = ippFindAttribute(attributes, "printer-state-message", IPP_TAG_TEXT); a != nullptr)
        state.reason = text(a, 0);
    if (state.reason.empty())
        state.reason =
            keywords(ippFindAttribute(attributes, "printer-state-reasons", IPP_TAG_KEYWORD));
    if (auto* a = ippFindAttribute(attributes, "media-default", IPP_TAG_ZERO); a != nullptr)
        state.media = text(a, 0);
    return state;
}

// A sheet named the way users and queues name them: "iso_a4_210x297mm", "Letter", "A4".
PaperSize paperNamed(std::string_view media) {
    const std::string first(media.substr(0, media.find(',')));
    const pwg_media_t* size = pwgMediaForPWG(first.c_str());
    if (size == nullptr)
        size = pwgMediaForLegacy(first.c_str());
    if (size == nullptr)
        size = pwgMediaForPPD(first.c_str());
    return size != nullptr ? PaperSize{size->width, size->length} : PaperSize{};
}

// The destination also carries what the server says about its queue (state, location, device);
// only the user's own settings go with a job.
bool describesTheQueue(std::string_view option) {
    return option.starts_with("printer-") || option.starts_with("marker-") ||
           option == "device-uri" || option == "auth-info-required";
}

// Cancels `job` on a connection of its own: the one the job was begun on may be the one that
// went silent. The user's cancel does not cut this short, but the server's silence does.
bool cancelJob(const std::string& queue, int job) {
    try {
        ServerLink link{std::stop_token{}};
        return cupsCancelJob2(link.exchange(), queue.c_str(), job, 0) <=
               IPP_STATUS_OK_EVENTS_COMPLETE;
    } catch (const Error&) {
        return false;
    }
}

// What the server holds of a job, asked back after its document was sent.
struct JobState {
    ipp_jstate_t state = IPP_JSTATE_PENDING;
    int kOctets = -1; // the document's size in kilobytes as the server holds it; -1 when untold
    std::string reasons;
};

JobState jobState(ServerLink& link, const std::string& queue, int job) {
    static constexpr std::array<const char*, 3> wanted{"job-state", "job-state-reasons",
                                                       "job-k-octets"};
    ipp_t* request = attributesRequest(IPP_OP_GET_JOB_ATTRIBUTES, queue, wanted);
    ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", job);
    const Response response = answer(link, request);
    if (response == nullptr)
        throw Error(failure(link, "查不到打印任务"));
    JobState state;
    if (auto* a = ippFindAttribute(response.get(), "job-state", IPP_TAG_ENUM); a != nullptr)
        state.state = static_cast<ipp_jstate_t>(ippGetInteger(a, 0));
    if (auto* a = ippFindAttribute(response.get(), "job-k-octets", IPP_TAG_INTEGER); a != nullptr)
        state.kOctets = ippGetInteger(a, 0);
    state.reasons =
        keywords(ippFindAttribute(response.get(), "job-state-reasons", IPP_TAG_KEYWORD));
    return state;
}

// Why a job the server answered for does not count as printed; empty when it does.
std::string notHeld(const JobState& job) {
    switch (job.state) {
    case IPP_JSTATE_PENDING:
    case IPP_JSTATE_PROCESSING:
    case IPP_JSTATE_COMPLETED:
        return job.kOctets == 0 ? "收到的打印页面是空的" : "";
    case IPP_JSTATE_HELD:
        return "把打印任务挂起了" + inParentheses(job.reasons);
    case IPP_JSTATE_STOPPED:
        return "停止了打印任务" + inParentheses(job.reasons);
    case IPP_JSTATE_CANCELED:
        return "取消了打印任务" + inParentheses(job.reasons);
    case IPP_JSTATE_ABORTED:
        return "中止了打印任务" + inParentheses(job.reasons);
    }
    return "没有收下打印任务";
}

// The destinations the server lists with the user's own settings for them (lpoptions and its
// instances, LPDEST, PRINTER), released again when they go out of scope.
class Destinations {
public:
    explicit Destinations(ServerLink& link)
        : count_(cupsGetDests2(link.exchange(), &dests_)) {}
    ~Destinations() { cupsFreeDests(count_, dests_); }
    Destinations(const Destinations&) = delete;
    Destinations& operator=(const Destinations&) = delete;

    int count() const noexcept { return count_; }
    const cups_dest_t* userDefault() const noexcept {
        return cupsGetDest(nullptr, nullptr, count_, dests_);
    }

private:
    cups_dest_t* dests_ = nullptr;
    int count_;
};

} // namespace

PrintQueue readyDefaultQueue(std::stop_token stop) {
    ServerLink link(std::move(stop));
    const Destinations dests(link);
    const cups_dest_t* dest = dests.userDefault();
    if (dest == nullptr || link.gaveUp()) {
        if (link.cancelled())
            throw PrintCancelled();
        if (link.timedOut())
            throw Error("无法打印：打印服务“" + server() + "”没有应答（等了 " + patienceText() +
                        " 秒）。");
        if (dests.count() == 0 && cupsLastError() == IPP_STATUS_ERROR_INTERNAL)
            throw Error("无法打印：打印服务“" + server() + "”断开了连接。");
        throw Error("无法打印：系统没有设置默认打印机。");
    }
    PrintQueue queue{dest->name, dest->name, {}, {}};
    if (dest->instance != nullptr)
        queue.name.append("/").append(dest->instance);
    for (int i = 0; i < dest->num_options; ++i) {
        const cups_option_t& option = dest->options[i];
        if (!describesTheQueue(option.name))
            queue.options.emplace_back(option.name, option.value);
    }
    const QueueState state = queueState(link, queue.name, queue.queue);
    if (state.stopped)
        throw Error(refusal(queue.name, "已停止" + inParentheses(state.reason)));
    if (!state.accepting)
        throw Error(refusal(queue.name, "不接受打印任务" + inParentheses(state.reason)));
    const char* media = cupsGetOption("media", dest->num_options, dest->options);
    queue.paper = paperNamed(media != nullptr ? media : state.media);
    return queue;
}

int submitPdf(const PrintQueue& queue, const std::string& fileName, const std::string& title,
              std::stop_token stop) {
    ServerLink link(std::move(stop));
    cups_option_t* options = nullptr;
    int optionCount = 0;
    for (const auto& [name, value] : queue.options)
        optionCount = cupsAddOption(name.c_str(), value.c_str(), optionCount, &options);
    const int job =
        cupsCreateJob(link.exchange(), queue.queue.c_str(), title.c_str(), optionCount, options);
    cupsFreeOptions(optionCount, options);
    if (job <= 0)
        throw Error(refusal(queue.name, failure(link, "没有接受打印任务")));

    // A job that stays without its document would hold the queue. The reason is worded before the
    // cancellation, whose own exchange overwrites it.
    const auto abandon = [&](std::string_view what) {
        std::string reason;
        try {
            reason = failure(link, what);
        } catch (const Abandoned&) {
            cancelJob(queue.queue, job);
            throw;
        }
        const bool cancelled = cancelJob(queue.queue, job);
        throw Error(refusal(queue.name, reason + (cancelled ? "，打印任务已取消" : "")));
    };
    std::ifstream file(fileName, std::ios::binary);
    if (!file)
        abandon("收不到打印页面：临时文件打不开");
    if (cupsStartDocument(link.exchange(), queue.queue.c_str(), job, "report.pdf", CUPS_FORMAT_PDF,
                          1) != HTTP_STATUS_CONTINUE ||
        link.gaveUp())
        abandon("没有接受打印页面");
    std::vector<char> chunk(1 << 16);
    while (file.read(chunk.data(), static_cast<std::streamsize>(chunk.size())) ||
           file.gcount() > 0) {
        if (cupsWriteRequestData(link.exchange(), chunk.data(),
                                 static_cast<std::size_t>(file.gcount())) != HTTP_STATUS_CONTINUE ||
            link.gaveUp())
            abandon("收不全打印页面");
    }
    if (!file.eof())
        abandon("收不全打印页面：临时文件读不完");
    if (cupsFinishDocument(link.exchange(), queue.queue.c_str()) > IPP_STATUS_OK_EVENTS_COMPLETE ||
        link.gaveUp())
        abandon("没有接受打印页面");

    // Only the server's own account of the job says it will print: a document can be lost after
    // the last byte left here.
    JobState held;
    try {
        held = jobState(link, queue.queue, job);
    } catch (const Abandoned&) {
        cancelJob(queue.queue, job);
        throw;
    } catch (const Error& error) {
        const bool cancelled = cancelJob(queue.queue, job);
        throw Error(refusal(
            queue.name,
            error.what() + std::string(cancelled ? "，打印任务已取消" : "，不能确认是否已打印")));
    }
    if (const std::string why = notHeld(held); !why.empty()) {
        cancelJob(queue.queue, job);
        throw Error(refusal(queue.name, why));
    }
    return job;
}

} // namespace velmora
