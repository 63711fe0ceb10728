// Job thread start, stop and finish; the interruptible pause.
#include "platform/qt/jobthread.h"

#include <chrono>
#include <system_error>

#ifdef __linux__
#include <sys/prctl.h>
#endif

#include "solvers/jobhost.h"

namespace tarvenix {

void StopSignal::reset() {
    std::lock_guard lock(mutex_);
    stop_.store(false, std::memory_order_release);
}

void StopSignal::request() {
    {
        std::lock_guard lock(mutex_);
        stop_.store(true, std::memory_order_release);
    }
    wake_.notify_all();
}

bool StopSignal::sleepFor(int milliseconds) {
    std::unique_lock lock(mutex_);
    const auto wait = std::chrono::milliseconds(milliseconds > 0 ? milliseconds : 0);
    return !wake_.wait_for(lock, wait, [this] { return stop_.load(std::memory_order_acquire); });
}

JobThread::JobThread(CallTarget& gui) : gui_(gui) {}

JobThread::~JobThread() {
    stop();
}

bool JobThread::start(std::function<void(StopSignal&)> body, std::function<void()> onFinished) {
    if (running_)
        return false;
    if (thread_.joinable())
        thread_.join();
    stop_.reset();
    const std::uint64_t generation = ++generation_;
    CallTarget* gui = &gui_;
    try {
        thread_ = std::thread(
            [this, gui, generation, alive = std::weak_ptr<int>(alive_), body = std::move(body)] {
#ifdef __linux__
                // The searches pause 10 ms per step; the default 50 us of timer slack per
                // wake-up adds up over a sight table's 1,483 steps.
                prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
#endif
                try {
                    body(stop_);
                } catch (const JobStopped&) {
                    // The program is closing; the job's unfinished results are dropped.
                } catch (...) {
                    // A job that fails (out of memory) ends like one that returns.
                }
                gui->post([this, generation, alive] {
                    if (!alive.expired())
                        finished(generation);
                });
            });
    } catch (const std::system_error&) {
        return false;
    }
    onFinished_ = std::move(onFinished);
    running_ = true;
    return true;
}

void JobThread::stop() {
    stop_.request();
    if (thread_.joinable())
        thread_.join();
    running_ = false;
    onFinished_ = nullptr;
}

void JobThread::finished(std::uint64_t generation) {
    if (generation != generation_ || !running_)
        return;
    if (thread_.joinable())
        thread_.join();
    running_ = false;
    auto onFinished = std::move(onFinished_);
    onFinished_ = nullptr;
    if (onFinished)
        onFinished();
}

}  // namespace tarvenix
