#pragma once

#include "platform/TaskQueue.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

typedef struct _GMainContext GMainContext;

namespace ondravell::platform {

// One worker thread for background work, started on first use; main-thread work goes to the GLib main
// context that was the thread's default when the queue was made. Destruction lets queued background
// work finish, then joins the worker.
class GlibTaskQueue final : public TaskQueue {
public:
    GlibTaskQueue();
    ~GlibTaskQueue() override;
    GlibTaskQueue(const GlibTaskQueue&) = delete;
    GlibTaskQueue& operator=(const GlibTaskQueue&) = delete;

    void runInBackground(Task task) override;
    void runOnMain(Task task) override;

private:
    void work();

    GMainContext* mainContext_ = nullptr;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Task> pending_;
    bool stopping_ = false;
    std::thread worker_;
};

} // namespace ondravell::platform
