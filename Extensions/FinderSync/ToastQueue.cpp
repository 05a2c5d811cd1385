#include "Extensions/FinderSync/ToastQueue.h"

#include "core/SharedConfig/JsonRecord.h"
#include "core/SharedConfig/OndravellIPC.h"
#include "platform/TaskQueue.h"

#include <array>
#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

namespace ondravell {

namespace {

// Waits until the watched file has been opened, replaced or removed, or `readWait` has passed.
void waitUntilRead(const FileDescriptor& watch) {
    if (!watch)
        return;
    pollfd ready{watch.get(), POLLIN, 0};
    while (::poll(&ready, 1, static_cast<int>(ToastQueue::readWait.count())) < 0 && errno == EINTR) {
    }
}

} // namespace

void ToastQueue::post(std::string message, std::string symbol) {
    {
        std::lock_guard lock(mutex_);
        waiting_.push_back(ToastPayload{std::move(message), std::move(symbol)});
        if (waiting_.size() > maxWaiting)
            waiting_.pop_front();
        if (sending_)
            return;
        sending_ = true;
    }
    // Outside the lock: a queue may run the work at once, on this thread.
    queue_.runInBackground([self = shared_from_this()] { self->sendAll(); });
}

void ToastQueue::sendAll() {
    for (;;) {
        ToastPayload next;
        {
            std::lock_guard lock(mutex_);
            if (waiting_.empty()) {
                sending_ = false;
                return;
            }
            next = std::move(waiting_.front());
            waiting_.pop_front();
        }
        waitUntilRead(unread_);
        unread_ = send(next);
    }
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
