#include "Extensions/FinderSync/ToastQueue.h"

#include "core/SharedConfig/JsonRecord.h"
#include "core/SharedConfig/OndravellIPC.h"
#include "platform/OneShotTimers.h"
#include "platform/TaskQueue.h"

#include <poll.h>
#include <sys/inotify.h>

namespace ondravell {

namespace {

// Whether the watched file has been opened, replaced or removed since it was written; never waits.
bool wasRead(const FileDescriptor& watch) {
    if (!watch)
        return true;
    pollfd ready{watch.get(), POLLIN, 0};
    return ::poll(&ready, 1, 0) != 0;
}

} // namespace

void ToastQueue::post(std::string message, std::string symbol) {
    {
        std::lock_guard lock(mutex_);
        waiting_.push_back(ToastPayload{std::move(message), std::move(symbol)});
        if (waiting_.size() > maxWaiting)
            waiting_.pop_front();
        if (busy_)
            return;
        busy_ = true;
    }
    // Outside the lock: a queue may run the work at once, on this thread.
    advance();
}

void ToastQueue::advance() {
    std::unique_lock lock(mutex_);
    if (waiting_.empty()) {
        busy_ = false;
        return;
    }
    if (looksLeft_ > 0 && !wasRead(unread_)) {
        --looksLeft_;
        lock.unlock();
        timers_.schedule(readCheckInterval, [weak = weak_from_this()] {
            if (std::shared_ptr<ToastQueue> self = weak.lock())
                self->advance();
        });
        return;
    }
    ToastPayload next = std::move(waiting_.front());
    waiting_.pop_front();
    unread_.reset();
    lock.unlock();
    queue_.runInBackground([self = shared_from_this(), next = std::move(next)] {
        FileDescriptor watch = self->send(next);
        {
            std::lock_guard lock(self->mutex_);
            self->unread_ = std::move(watch);
            self->looksLeft_ = readWait / readCheckInterval;
        }
        self->advance();
    });
}

FileDescriptor ToastQueue::send(const ToastPayload& toast) {
    std::optional<std::string> bytes = encodeRecord(toast);
    if (!bytes)
        return FileDescriptor();
    FileDescriptor watch;
    // Watched once in place and before the notification, so not even a reader as quick as the post
    // itself can open it unseen.
    OndravellIPC::writePendingAndPost(
        center_, OndravellIPC::pendingToastName, *bytes, OndravellIPC::showToast,
        [&](const std::filesystem::path& written) {
            watch.reset(::inotify_init1(IN_CLOEXEC | IN_NONBLOCK));
            if (watch &&
                ::inotify_add_watch(watch.get(), written.c_str(), IN_OPEN | IN_ATTRIB | IN_DELETE_SELF) < 0)
                watch.reset();
        });
    return watch;
}

} // namespace ondravell
