// Posting calls to a target object's thread through an eventfd, and running them there.
#include "platform/qt/guicall.h"

#include <sys/eventfd.h>
#include <unistd.h>
#include <QSocketNotifier>
#include <cstdint>

namespace tarvenix {

CallTarget::CallTarget(QObject* parent)
    : QObject(parent), wakeFd_(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {
    if (wakeFd_ >= 0) {
        notifier_ = std::make_unique<QSocketNotifier>(wakeFd_, QSocketNotifier::Read);
        QObject::connect(notifier_.get(), &QSocketNotifier::activated, this,
                         &CallTarget::runPosted);
    }
}

CallTarget::~CallTarget() {
    notifier_.reset();
    if (wakeFd_ >= 0)
        close(wakeFd_);
}

void CallTarget::post(std::function<void()> call) {
    bool wake = false;
    {
        std::lock_guard lock(mutex_);
        // One wake-up serves every call queued before the target takes them.
        wake = calls_.empty();
        calls_.push_back(std::move(call));
    }
    if (!wake)
        return;
    if (wakeFd_ >= 0) {
        const std::uint64_t one = 1;
        // Cannot fail short of a counter at its maximum, which a pending wake-up never reaches.
        [[maybe_unused]] const ssize_t written = write(wakeFd_, &one, sizeof one);
    } else {
        // Without a descriptor Qt's own queue carries the wake-up.
        QMetaObject::invokeMethod(this, "runPosted", Qt::QueuedConnection);
    }
}

void CallTarget::runPosted() {
    if (wakeFd_ >= 0) {
        std::uint64_t count = 0;
        [[maybe_unused]] const ssize_t read = ::read(wakeFd_, &count, sizeof count);
    }
    std::deque<std::function<void()>> calls;
    {
        std::lock_guard lock(mutex_);
        calls.swap(calls_);
    }
    for (auto& call : calls) {
        if (call)
            call();
    }
}

}  // namespace tarvenix
