#include "platform/gtk/GlibTaskQueue.h"

#include <glib.h>

namespace ondravell::platform {

namespace {

void runGuarded(const TaskQueue::Task& task) {
    try {
        task();
    } catch (...) {
        // Work handed to a queue reports its own outcome; nothing may unwind into the host.
    }
}

gboolean runMainTask(gpointer userData) {
    runGuarded(*static_cast<TaskQueue::Task*>(userData));
    return G_SOURCE_REMOVE;
}

void freeMainTask(gpointer userData) {
    delete static_cast<TaskQueue::Task*>(userData);
}

} // namespace

GlibTaskQueue::GlibTaskQueue(std::size_t maxWorkers)
    : mainContext_(g_main_context_ref_thread_default()), maxWorkers_(maxWorkers > 0 ? maxWorkers : 1) {}

GlibTaskQueue::~GlibTaskQueue() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    for (std::thread& worker : workers_)
        worker.join();
    g_main_context_unref(mainContext_);
}

void GlibTaskQueue::runInBackground(Task task) {
    enqueue(pending_, std::move(task));
}

void GlibTaskQueue::runInSequence(Task task) {
    enqueue(sequence_, std::move(task));
}

void GlibTaskQueue::enqueue(std::deque<Task>& tasks, Task task) {
    {
        std::lock_guard lock(mutex_);
        if (stopping_)
            return;
        tasks.push_back(std::move(task));
        // A new worker only when the idle ones cannot take everything that could start now.
        if (idleWorkers_ < runnableCount() && workers_.size() < maxWorkers_)
            workers_.emplace_back([this] { work(); });
    }
    wake_.notify_one();
}

std::size_t GlibTaskQueue::runnableCount() const {
    return pending_.size() + (!sequenceRunning_ && !sequence_.empty() ? 1 : 0);
}

void GlibTaskQueue::runOnMain(Task task) {
    // Always a source of its own: g_main_context_invoke would run the task right here, on the calling
    // worker, whenever that thread manages to acquire a context nobody is iterating at the moment.
    GSource* source = g_idle_source_new();
    g_source_set_priority(source, G_PRIORITY_DEFAULT);
    g_source_set_callback(source, runMainTask, new Task(std::move(task)), freeMainTask);
    g_source_attach(source, mainContext_);
    g_source_unref(source);
}

void GlibTaskQueue::work() {
    std::unique_lock lock(mutex_);
    for (;;) {
        Task task;
        bool inSequence = false;
        // Steps in sequence are short and others may wait on their outcome: they go first.
        if (!sequenceRunning_ && !sequence_.empty()) {
            task = std::move(sequence_.front());
            sequence_.pop_front();
            sequenceRunning_ = inSequence = true;
        } else if (!pending_.empty()) {
            task = std::move(pending_.front());
            pending_.pop_front();
        } else if (stopping_) {
            // A step still queued behind a running one is taken by the worker running that one.
            return;
        } else {
            ++idleWorkers_;
            wake_.wait(lock);
            --idleWorkers_;
            continue;
        }
        lock.unlock();
        runGuarded(task);
        lock.lock();
        // The next step in sequence, if any, is this worker's own next task.
        if (inSequence)
            sequenceRunning_ = false;
    }
}

} // namespace ondravell::platform
