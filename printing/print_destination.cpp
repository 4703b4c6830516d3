#include "printing/print_destination.h"

#include "printing/cups_library.h"
#include "printing/print_server.h"

#include <array>

namespace velmora {

namespace {

// A report kept as a file can do without the printer's sheet, so a silent server is not waited for
// long.
constexpr std::chrono::seconds paperPatience{3};

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
    if (auto* a = cups().ippFindAttribute(attributes, "printer-state", IPP_TAG_ENUM); a != nullptr)
        state.stopped = cups().ippGetInteger(a, 0) == IPP_PSTATE_STOPPED;
    if (auto* a = cups().ippFindAttribute(attributes, "printer-is-accepting-jobs", IPP_TAG_BOOLEAN);
        a != nullptr)
        state.accepting = cups().ippGetBoolean(a, 0) != 0;
    if (auto* a = cups().ippFindAttribute(attributes, "printer-state-message", IPP_TAG_TEXT);
        a != nullptr)
        state.reason = text(a, 0);
    if (state.reason.empty())
        state.reason =
            keywords(cups().ippFindAttribute(attributes, "printer-state-reasons", IPP_TAG_KEYWORD));
    if (auto* a = cups().ippFindAttribute(attributes, "media-default", IPP_TAG_ZERO); a != nullptr)
        state.media = text(a, 0);
    return state;
}

// A sheet named the way users and queues name them: "iso_a4_210x297mm", "Letter", "A4".
PaperSize paperNamed(std::string_view media) {
    const std::string first(media.substr(0, media.find(',')));
    const pwg_media_t* size = cups().pwgMediaForPWG(first.c_str());
    if (size == nullptr)
        size = cups().pwgMediaForLegacy(first.c_str());
    if (size == nullptr)
        size = cups().pwgMediaForPPD(first.c_str());
    return size != nullptr ? PaperSize{size->width, size->length} : PaperSize{};
}

// The destination also carries what the server says about its queue (state, location, device);
// only the user's own settings go with a job.
bool describesTheQueue(std::string_view option) {
    return option.starts_with("printer-") || option.starts_with("marker-") ||
           option == "device-uri" || option == "auth-info-required";
}

// The destinations the server lists with the user's own settings for them (lpoptions and its
// instances, LPDEST, PRINTER), released again when they go out of scope.
class Destinations {
public:
    explicit Destinations(ServerLink& link)
        : count_(cups().cupsGetDests2(link.exchange(), &dests_)) {}
    ~Destinations() { cups().cupsFreeDests(count_, dests_); }
    Destinations(const Destinations&) = delete;
    Destinations& operator=(const Destinations&) = delete;

    int count() const noexcept { return count_; }
    const cups_dest_t* userDefault() const noexcept {
        return cups().cupsGetDest(nullptr, nullptr, count_, dests_);
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
            throw Error("无法打印：打印服务“" + printServerName() + "”" + silenceWords() + "。");
        if (dests.count() == 0 && cups().cupsLastError() == IPP_STATUS_ERROR_INTERNAL)
            throw Error("无法打印：打印服务“" + printServerName() + "”断开了连接。");
        throw NoPrinter("无法打印：系统没有设置默认打印机。");
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
    const char* media = cups().cupsGetOption("media", dest->num_options, dest->options);
    queue.paper = paperNamed(media != nullptr ? media : state.media);
    return queue;
}

PaperSize defaultPaper(std::stop_token stop) {
    try {
        ServerLink link(std::move(stop), paperPatience);
        const Destinations dests(link);
        const cups_dest_t* dest = dests.userDefault();
        if (dest == nullptr || link.gaveUp())
            return {};
        if (const char* media = cups().cupsGetOption("media", dest->num_options, dest->options))
            return paperNamed(media);
        return paperNamed(queueState(link, dest->name, dest->name).media);
    } catch (const Error&) {
        return {};
    }
}

} // namespace velmora
