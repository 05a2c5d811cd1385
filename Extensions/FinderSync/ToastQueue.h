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
class TaskQueue;
} // namespace platform

// The module's toasts, sent one after another through the one pending toast file. A toast is written
// only once the application has opened the one before (or, when it does not, after `readWait`), so two
// workers that finish within moments of each other no longer overwrite a toast nobody has read. The
// file's form and name stay as they are; only the order of writing changes.
class ToastQueue : public std::enable_shared_from_this<ToastQueue> {
public:
    // How long a toast waits for the one before to be read; past it the receiver is taken to be busy or
    // not running.
    static constexpr std::chrono::milliseconds readWait{3000};
    // A receiver that reads nothing would let toasts pile up: past this many, the oldest go.
    static constexpr std::size_t maxWaiting = 16;

    ToastQueue(platform::DistributedNotificationCenter& center, platform::TaskQueue& queue)
        : center_(center), queue_(queue) {}

    // Queues the toast and returns at once; the writing runs on a worker of the task queue.
    void post(std::string message, std::string symbol);

private:
    void sendAll();
    FileDescriptor send(const ToastPayload& toast);

    platform::DistributedNotificationCenter& center_;
    platform::TaskQueue& queue_;
    std::mutex mutex_;
    std::deque<ToastPayload> waiting_;
    bool sending_ = false;
    // Watches the file of the toast sent last for the receiver's opening of it; used by the one worker
    // that sends.
    FileDescriptor unread_;
};

} // namespace ondravell
