#pragma once

#include "platform/TaskQueue.h"

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

typedef struct _GMainContext GMainContext;

namespace ondravell::platform {

// A small pool of worker threads for background work, started as work arrives, up to `maxWorkers`;
// main-thread work goes to the GLib main context that was the thread's default when the queue was made.
// Destruction lets queued background work finish, then joins the workers.
class GlibTaskQueue final : public TaskQueue {
public:
    // Enough for a few long runs (hashes, pastes) to overlap with the quick actions the user starts
    // meanwhile, few enough to stay a guest in the host's process.
    static constexpr std::size_t defaultMaxWorkers = 6;

    explicit GlibTaskQueue(std::size_t maxWorkers = defaultMaxWorkers);
    ~GlibTaskQueue() override;
    GlibTaskQueue(const GlibTaskQueue&) = delete;
    GlibTaskQueue& operator=(const GlibTaskQueue&) = delete;

    void runInBackground(Task task) override;
    void runInSequence(Task task) override;
    void runOnMain(Task task) override;

private:
    void enqueue(std::deque<Task>& tasks, Task task);
    std::size_t runnableCount() const;
    void work();

    GMainContext* mainContext_ = nullptr;
    const std::size_t maxWorkers_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Task> pending_;
    std::deque<Task> sequence_;
    bool sequenceRunning_ = false;
    std::size_t idleWorkers_ = 0;
    bool stopping_ = false;
    std::vector<std::thread> workers_;
};

} // namespace ondravell::platform
