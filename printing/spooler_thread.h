#pragma once

#include <chrono>
#include <condition_variable>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <stop_token>
#include <thread>

namespace velmora {

// What work on a spooler thread tells the thread that waits for it, and hears from it.
class SpoolerProgress {
public:
    // An exchange with the spooler has just ended: the work's silence counts again from now.
    void heard();

    // The waiting thread has given the work up, because its user pressed 取消 or because it
    // stopped waiting: the work ends at its next exchange, taking back what it began.
    bool stopRequested() const noexcept { return stop_.stop_requested(); }

private:
    friend class SpoolerThread;

    std::mutex mutex_;
    std::condition_variable_any changed_;
    std::chrono::steady_clock::time_point lastHeard_ = std::chrono::steady_clock::now();
    bool finished_ = false;
    std::exception_ptr failure_;
    std::stop_source stop_;
};

// Work that waits on the print spooler, run on a thread of its own: a spooler that never answers
// holds that thread only, and the waiting thread gives it up after a silence of its choosing. The
// work owns everything it touches (its function and what the function holds), so a thread left
// behind ends whenever the spooler lets it, harming nothing.
//   SpoolerThread asking([name](SpoolerProgress& p) { open(name); p.heard(); ask(name); });
//   asking.await(stop, printServerPatience) -> Outcome::finished once ask() has returned
class SpoolerThread {
public:
    enum class Outcome {
        finished, // the work has returned
        silent,   // the work was not heard from for the whole patience
        stopped,  // the waiting thread's stop was requested
    };

    // Starts `work` at once on its thread.
    explicit SpoolerThread(std::function<void(SpoolerProgress&)> work);
    // Asks the work to stop, as requestStop() does, and leaves a thread whose work has not ended
    // to end on its own.
    ~SpoolerThread();
    SpoolerThread(const SpoolerThread&) = delete;
    SpoolerThread& operator=(const SpoolerThread&) = delete;

    // Waits until the work returns, raising on this thread what it raised; or until `patience`
    // passes with no word from the work, counted from the later of this call and its last
    // heard(); or until `stop` is requested, which ends the wait at once. A finished work wins
    // over a silence or a stop found at the same moment.
    //   await(stop, 15 s) with the work stuck in the spooler -> Outcome::silent after 15 s
    //   await(stop, 15 s) with 取消 pressed after 2 s -> Outcome::stopped after 2 s
    //   await({}, 15 s) after requestStop(), the work raising PrintCancelled -> PrintCancelled
    Outcome await(const std::stop_token& stop, std::chrono::milliseconds patience);

    // Tells the work, through SpoolerProgress::stopRequested(), to end and take back what it
    // began; it is heard from as before.
    void requestStop() noexcept { progress_->stop_.request_stop(); }

private:
    // Keeps `thread`, whose work has not ended, until it has.
    static void strand(std::thread thread, std::shared_ptr<SpoolerProgress> progress);

    std::shared_ptr<SpoolerProgress> progress_ = std::make_shared<SpoolerProgress>();
    std::thread thread_;
};

} // namespace velmora
