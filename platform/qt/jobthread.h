// One worker job on a thread of its own, and the pause that the program's closing cuts short.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/qt/guicall.h"

namespace tarvenix {

// Set when the program closes while a job runs; wakes the job's pause at once.
class StopSignal {
  public:
    void reset();
    void request();
    bool requested() const { return stop_.load(std::memory_order_acquire); }
    // Waits the given time; false when a stop was requested before or during the wait.
    bool sleepFor(int milliseconds);

  private:
    std::mutex mutex_;
    std::condition_variable wake_;
    std::atomic<bool> stop_{false};
};

// Owned by the GUI thread; at most one job at a time.
class JobThread {
  public:
    // `gui` runs the finish call; the job's own calls must go to the same target, which
    // keeps them in order with it.
    explicit JobThread(CallTarget& gui);
    ~JobThread();
    JobThread(const JobThread&) = delete;
    JobThread& operator=(const JobThread&) = delete;

    // Runs `body` on a new thread. When it has returned (or thrown), `onFinished` runs on
    // the GUI thread, after every queued call the job made. False, and nothing runs, when
    // a job still runs or the thread cannot be started.
    bool start(std::function<void(StopSignal&)> body, std::function<void()> onFinished);
    bool running() const { return running_; }

    // Asks the job to stop at its next pause or integration and waits for its thread.
    // `onFinished` is not called then.
    void stop();

  private:
    void finished(std::uint64_t generation);

    CallTarget& gui_;
    std::shared_ptr<int> alive_ =
        std::make_shared<int>(0);  // a finish call outliving us sees it gone
    StopSignal stop_;
    std::thread thread_;
    std::function<void()> onFinished_;
    std::uint64_t generation_ = 0;
    bool running_ = false;
};

}  // namespace tarvenix
