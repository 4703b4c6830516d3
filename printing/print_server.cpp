#include "printing/print_server.h"

#include "printing/cups_library.h"

#include <algorithm>
#include <array>

namespace velmora {

namespace {

// How often a silent exchange looks at the user's cancel: often enough that 取消 feels immediate.
constexpr std::chrono::milliseconds tick{200};

} // namespace

ServerLink::ServerLink(std::stop_token stop, std::chrono::milliseconds patience)
    : stop_(std::move(stop))
    , patienceTicks_(std::max<std::int64_t>(patience / tick, 1)) {
    // libcups looks at this flag while it connects, so that 取消 ends a connection to a distant
    // server that is still being made.
    int connectingCancelled = 0;
    const std::stop_callback cancelConnecting(stop_,
                                              [&connectingCancelled] { connectingCancelled = 1; });
    http_ = cups().httpConnect2(cups().cupsServer(), cups().ippPort(), nullptr, AF_UNSPEC,
                                cups().cupsEncryption(), 1, static_cast<int>(patience.count()),
                                &connectingCancelled);
    if (http_ == nullptr && cancelled())
        throw PrintCancelled();
    if (http_ == nullptr)
        throw NoPrinter("无法打印：连接不上打印服务“" + printServerName() + "”。");
    cups().httpSetTimeout(http_, std::chrono::duration<double>(tick).count(),
                          &ServerLink::keepWaiting, this);
}

ServerLink::~ServerLink() {
    cups().httpClose(http_);
}

int ServerLink::keepWaiting(http_t* /*connection*/, void* data) {
    auto& link = *static_cast<ServerLink*>(data);
    if (link.cancelled() || ++link.silentTicks_ >= link.patienceTicks_) {
        link.gaveUp_ = true;
        return 0;
    }
    return 1;
}

std::string printServerName() {
    return cups().cupsServer();
}

ipp_t* attributesRequest(ipp_op_t operation, std::string_view queue,
                         std::span<const char* const> wanted) {
    std::array<char, HTTP_MAX_URI> uri{};
    const std::string resource = "/printers/" + std::string(queue);
    cups().httpAssembleURI(HTTP_URI_CODING_ALL, uri.data(), static_cast<int>(uri.size()), "ipp",
                           nullptr, "localhost", 0, resource.c_str());
    ipp_t* request = cups().ippNewRequest(operation);
    cups().ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                        uri.data());
    cups().ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                         static_cast<int>(wanted.size()), nullptr, wanted.data());
    return request;
}

Response answer(ServerLink& link, ipp_t* request) {
    Response response(cups().cupsDoRequest(link.exchange(), request, "/"), cups().ippDelete);
    if (cups().cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE || link.gaveUp())
        response.reset();
    return response;
}

std::string failure(const ServerLink& link, std::string_view refused) {
    if (link.cancelled())
        throw PrintCancelled();
    if (link.timedOut())
        return silenceWords();
    switch (cups().cupsLastError()) {
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
        return std::string(refused) + inParentheses(cups().cupsLastErrorString());
    }
}

std::string_view text(ipp_attribute_t* attribute, int index) {
    const char* value = cups().ippGetString(attribute, index, nullptr);
    return value != nullptr ? value : "";
}

std::string keywords(ipp_attribute_t* attribute) {
    std::string joined;
    for (int i = 0; attribute != nullptr && i < cups().ippGetCount(attribute); ++i) {
        const std::string_view keyword = text(attribute, i);
        if (keyword.empty() || keyword == "none")
            continue;
        if (!joined.empty())
            joined += ", ";
        joined += keyword;
    }
    return joined;
}

} // namespace velmora
