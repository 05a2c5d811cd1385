#pragma once

#include "core/FileOps/FileDescriptor.h"
#include "core/SharedConfig/ToastPayload.h"

#include <chrono>
#include <cstddef>
#include <deque>
#include <memory>
#include <mutex>
#include <string>

namespace ondravell {

namespace platform {
class DistributedNotificationCenter;
class OneShotTimers;
class TaskQueue;
} // namespace platform

// The module's toasts, sent one after another through the one pending toast file. A toast is written
// only once the application has opened the one before (or, when it does not, after `readWait`), so two
// workers that finish within moments of each other no longer overwrite a toast nobody has read. The
// file's form and name stay as they are; only the order of writing changes.
//
// A toast that waits holds no thread: it looks again on a timer, so an application that is not running
// costs the host neither a worker nor a slower exit (toasts still waiting when the host ends are
// dropped, as an unread toast file would be replaced anyway).
class ToastQueue : public std::enable_shared_from_this<ToastQueue> {
public:
    // How long a toast waits for the one before to be read; past it the receiver is taken to be busy or
    // not running.
    static constexpr std::chrono::milliseconds readWait{3000};
    // How often a waiting toast looks whether the one before has been opened.
    static constexpr std::chrono::milliseconds readCheckInterval{100};
    // A receiver that reads nothing would let toasts pile up: past this many, the oldest go.
    static constexpr std::size_t maxWaiting = 16;

    // `timers` is scheduled from whichever thread posts or finishes a send.
    ToastQueue(platform::DistributedNotificationCenter& center, platform::TaskQueue& queue,
               platform::OneShotTimers& timers)
        : center_(center), queue_(queue), timers_(timers) {}

    // Queues the toast and returns at once; the writing runs on a worker of the task queue.
    void post(std::string message, std::string symbol);

private:
    // Sends the next toast when the one before was opened or its wait is over, or looks again later.
    void advance();
    FileDescriptor send(const ToastPayload& toast);

    platform::DistributedNotificationCenter& center_;
    platform::TaskQueue& queue_;
    platform::OneShotTimers& timers_;
    std::mutex mutex_;
    std::deque<ToastPayload> waiting_;
    // A send is running or a look is scheduled: someone will advance the queue.
    bool busy_ = false;
    // Watches the file of the toast sent last for the receiver's opening of it.
    FileDescriptor unread_;
    long looksLeft_ = 0;
};

} // namespace ondravell
