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

GlibTaskQueue::GlibTaskQueue() : mainContext_(g_main_context_ref_thread_default()) {}

GlibTaskQueue::~GlibTaskQueue() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    if (worker_.joinable())
        worker_.join();
    g_main_context_unref(mainContext_);
}

void GlibTaskQueue::runInBackground(Task task) {
    {
        std::lock_guard lock(mutex_);
        if (stopping_)
            return;
        pending_.push_back(std::move(task));
        if (!worker_.joinable())
            worker_ = std::thread([this] { work(); });
    }
    wake_.notify_one();
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
    for (;;) {
        Task task;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !pending_.empty(); });
            if (pending_.empty())
                return;
            task = std::move(pending_.front());
            pending_.pop_front();
        }
        runGuarded(task);
    }
}

} // namespace ondravell::platform
