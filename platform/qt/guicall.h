// Calls posted from any thread to run on the thread of a target object (the GUI thread).
// The calls pass through a std::mutex and the poster wakes the target through a file
// descriptor that the target's event loop watches: no Qt object is created, touched or
// freed on two threads, so a thread checker sees every hand-over. A call runs and is
// destroyed on the target's thread.
#pragma once

#include <QObject>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

class QSocketNotifier;

namespace tarvenix {

class CallTarget : public QObject {
    Q_OBJECT

  public:
    // Create it on the thread that is to run the calls.
    explicit CallTarget(QObject* parent = nullptr);
    ~CallTarget() override;

    // Queues `call` for this object's thread, in order; calls still queued when the object
    // is destroyed are dropped. Safe from any thread.
    void post(std::function<void()> call);

  private:
    Q_INVOKABLE void runPosted();

    std::mutex mutex_;
    std::deque<std::function<void()>> calls_;
    int wakeFd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace tarvenix
