#include "printing/print_job.h"

#include "printing/cups_library.h"
#include "printing/print_server.h"

#include <array>
#include <fstream>
#include <vector>

namespace velmora {

namespace {

enum class CancelOutcome {
    cancelled,
    refused,    // the server answered, but would not (the job may have printed already)
    unanswered, // the job may still be on the queue, and print once the server answers again
};

// Cancels `job` on a connection of its own: the one the job was begun on may be the one that
// went silent. The user's cancel does not cut this short, but the server's silence does.
CancelOutcome cancelJob(const std::string& queue, int job) {
    try {
        ServerLink link{std::stop_token{}};
        const ipp_status_t status = cups().cupsCancelJob2(link.exchange(), queue.c_str(), job, 0);
        if (link.gaveUp() || status == IPP_STATUS_ERROR_INTERNAL ||
            status == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE)
            return CancelOutcome::unanswered;
        return status <= IPP_STATUS_OK_EVENTS_COMPLETE ? CancelOutcome::cancelled
                                                       : CancelOutcome::refused;
    } catch (const Error&) {
        return CancelOutcome::unanswered;
    }
}

// Cancels `job` after the print failed for `reason`, and raises what the user is told of both.
// `whenRefused` follows the reason where the server would not cancel the job.
[[noreturn]] void giveUpJob(const PrintQueue& queue, int job, const std::string& reason,
                            std::string_view whenRefused) {
    switch (cancelJob(queue.queue, job)) {
    case CancelOutcome::cancelled:
        throw Error(refusal(queue.name, reason + "，打印任务已取消"));
    case CancelOutcome::refused:
        throw Error(refusal(queue.name, reason + std::string(whenRefused)));
    case CancelOutcome::unanswered:
        break;
    }
    throw Error(refusal(queue.name, reason) + mayStillPrint(queue.name, job));
}

// Cancels `job` after the user's 取消, which needs no more words unless the cancel went
// unconfirmed.
[[noreturn]] void cancelAfterUsersStop(const PrintQueue& queue, int job) {
    if (cancelJob(queue.queue, job) == CancelOutcome::unanswered)
        throw Error(unconfirmedCancel(queue.name, job));
    throw PrintCancelled();
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
    cups().ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", job);
    const Response response = answer(link, request);
    if (response == nullptr)
        throw Error(failure(link, "查不到打印任务"));
    JobState state;
    if (auto* a = cups().ippFindAttribute(response.get(), "job-state", IPP_TAG_ENUM); a != nullptr)
        state.state = static_cast<ipp_jstate_t>(cups().ippGetInteger(a, 0));
    if (auto* a = cups().ippFindAttribute(response.get(), "job-k-octets", IPP_TAG_INTEGER);
        a != nullptr)
        state.kOctets = cups().ippGetInteger(a, 0);
    state.reasons =
        keywords(cups().ippFindAttribute(response.get(), "job-state-reasons", IPP_TAG_KEYWORD));
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

} // namespace

int submitPdf(const PrintQueue& queue, const std::string& fileName, const std::string& title,
              std::stop_token stop) {
    ServerLink link(std::move(stop));
    cups_option_t* options = nullptr;
    int optionCount = 0;
    for (const auto& [name, value] : queue.options)
        optionCount = cups().cupsAddOption(name.c_str(), value.c_str(), optionCount, &options);
    const int job = cups().cupsCreateJob(link.exchange(), queue.queue.c_str(), title.c_str(),
                                         optionCount, options);
    cups().cupsFreeOptions(optionCount, options);
    if (job <= 0)
        throw Error(refusal(queue.name, failure(link, "没有接受打印任务")));

    // A job that stays without its document would hold the queue. The reason is worded before the
    // cancellation, whose own exchange overwrites it.
    const auto abandon = [&](std::string_view what) {
        std::string reason;
        try {
            reason = failure(link, what);
        } catch (const Abandoned&) {
            cancelAfterUsersStop(queue, job);
        }
        giveUpJob(queue, job, reason, "");
    };
    std::ifstream file(fileName, std::ios::binary);
    if (!file)
        abandon("收不到打印页面：临时文件打不开");
    if (cups().cupsStartDocument(link.exchange(), queue.queue.c_str(), job, "report.pdf",
                                 CUPS_FORMAT_PDF, 1) != HTTP_STATUS_CONTINUE ||
        link.gaveUp())
        abandon("没有接受打印页面");
    std::vector<char> chunk(1 << 16);
    while (file.read(chunk.data(), static_cast<std::streamsize>(chunk.size())) ||
           file.gcount() > 0) {
        if (cups().cupsWriteRequestData(link.exchange(), chunk.data(),
                                        static_cast<std::size_t>(file.gcount())) !=
                HTTP_STATUS_CONTINUE ||
            link.gaveUp())
            abandon("收不全打印页面");
    }
    if (!file.eof())
        abandon("收不全打印页面：临时文件读不完");
    if (cups().cupsFinishDocument(link.exchange(), queue.queue.c_str()) >
            IPP_STATUS_OK_EVENTS_COMPLETE ||
        link.gaveUp())
        abandon("没有接受打印页面");

    // Only the server's own account of the job says it will print: a document can be lost after
    // the last byte left here.
    JobState held;
    try {
        held = jobState(link, queue.queue, job);
    } catch (const Abandoned&) {
        cancelAfterUsersStop(queue, job);
    } catch (const Error& error) {
        giveUpJob(queue, job, error.what(), "，不能确认是否已打印");
    }
    if (const std::string why = notHeld(held); !why.empty())
        giveUpJob(queue, job, why, "");
    return job;
}

} // namespace velmora
