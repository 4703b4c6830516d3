#pragma once

#include "printing/print_failures.h"

#include <chrono>
#include <cstdint>
#include <cups/cups.h>
#include <memory>
#include <span>
#include <stop_token>
#include <string>
#include <string_view>

namespace velmora {

// One connection to the print server whose every wait ends after `patience` of silence, or at
// once when `stop` is requested. The silence is counted in ticks of libcups' waits; the
// count starts again with each exchange, and so with each part of a document the server takes.
// Raises NoPrinter naming the server when no connection can be made, PrintCancelled when `stop`
// ends the attempt.
class ServerLink {
public:
    explicit ServerLink(std::stop_token stop,
                        std::chrono::milliseconds patience = printServerPatience);
    ~ServerLink();
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
    static int keepWaiting(http_t* connection, void* data);

    std::stop_token stop_;
    http_t* http_ = nullptr;
    std::int64_t patienceTicks_;
    std::int64_t silentTicks_ = 0;
    bool gaveUp_ = false;
};

// The print server as the user's settings name it: "localhost", "/run/cups/cups.sock".
std::string printServerName();

using Response = std::unique_ptr<ipp_t, void (*)(ipp_t*)>;

// A request for the attributes `wanted` of `queue`, or of one of its jobs once the caller adds it.
ipp_t* attributesRequest(ipp_op_t operation, std::string_view queue,
                         std::span<const char* const> wanted);

// The server's answer to `request`; empty when the exchange failed or was given up, which
// failure() then words.
Response answer(ServerLink& link, ipp_t* request);

// Why the last exchange on `link` failed, in the user's words, to follow the destination's name.
// The server's own text follows `refused` only where no plain words cover its status; the
// library's texts for a broken connection are errno strings ("Success" among them) and are never
// shown. Raises PrintCancelled when the user's stop ended the exchange.
//   failure(link, "查不到状态") -> "没有应答（等了 15 秒）", "不接受打印任务",
//   "查不到状态（server-error-busy）"
std::string failure(const ServerLink& link, std::string_view refused);

// Text value `index` of `attribute`; empty when it has none.
std::string_view text(ipp_attribute_t* attribute, int index);

// The keywords of an attribute such as printer-state-reasons joined by ", ", "none" left out.
std::string keywords(ipp_attribute_t* attribute);

} // namespace velmora
