#include "printing/spooler_thread.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace velmora {

void SpoolerProgress::heard() {
    {
        const std::lock_guard lock(mutex_);
        lastHeard_ = std::chrono::steady_clock::now();
    }
    changed_.notify_all();
}

namespace {

// The threads whose work outlived the wait for it. Each is joined once its work has ended rather
// than let go at once: MinGW's thread library can hand a let-go thread's records to a new thread
// while the old one is still on its way out, and the new thread then starts on another's state.
struct StrandedThreads {
    std::mutex mutex;
    std::vector<std::pair<std::thread, std::shared_ptr<SpoolerProgress>>> threads;

    // The program's end does not wait for a spooler that never answers.
    ~StrandedThreads() {
        for (auto& stranded : threads)
            stranded.first.detach();
    }
};

StrandedThreads& strandedThreads() {
    static StrandedThreads stranded;
    return stranded;
}

} // namespace

SpoolerThread::SpoolerThread(std::function<void(SpoolerProgress&)> work)
    : thread_([progress = progress_, work = std::move(work)] {
        std::exception_ptr failure;
        try {
            work(*progress);
        } catch (...) {
            failure = std::current_exception();
        }
        {
            const std::lock_guard lock(progress->mutex_);
            progress->failure_ = failure;
            progress->finished_ = true;
        }
        progress->changed_.notify_all();
    }) {}

SpoolerThread::~SpoolerThread() {
    requestStop();
    bool finished = false;
    {
        const std::lock_guard lock(progress_->mutex_);
        finished = progress_->finished_;
    }
    if (finished)
        thread_.join();
    else
        strand(std::move(thread_), progress_);
}

void SpoolerThread::strand(std::thread thread, std::shared_ptr<SpoolerProgress> progress) {
    StrandedThreads& stranded = strandedThreads();
    const std::lock_guard lock(stranded.mutex);
    std::erase_if(stranded.threads, [](auto& earlier) {
        {
            const std::lock_guard ended(earlier.second->mutex_);
            if (!earlier.second->finished_)
                return false;
        }
        earlier.first.join();
        return true;
    });
    stranded.threads.emplace_back(std::move(thread), std::move(progress));
}

SpoolerThread::Outcome SpoolerThread::await(const std::stop_token& stop,
                                            std::chrono::milliseconds patience) {
    const auto start = std::chrono::steady_clock::now();
    SpoolerProgress& progress = *progress_;
    std::unique_lock lock(progress.mutex_);
    for (;;) {
        if (progress.finished_) {
            if (progress.failure_)
                std::rethrow_exception(progress.failure_);
            return Outcome::finished;
        }
        if (stop.stop_requested())
            return Outcome::stopped;
        const auto heard = progress.lastHeard_;
        const bool news =
            progress.changed_.wait_until(lock, stop, std::max(start, heard) + patience, [&] {
                return progress.finished_ || progress.lastHeard_ != heard;
            });
        if (!news && !stop.stop_requested())
            return Outcome::silent;
    }
}

} // namespace velmora
