#pragma once

#include "platform/TaskQueue.h"

#include <QObject>
#include <QThreadPool>

namespace ondravell::platform {

// Background work on a small pool of threads, work in sequence on a pool of one, and main-thread work
// queued to the event loop of the thread that made the queue. Destruction waits for work under way.
class QtTaskQueue final : public TaskQueue {
public:
    static constexpr int maxWorkers = 4;

    QtTaskQueue();
    ~QtTaskQueue() override;

    void runInBackground(Task task) override;
    void runInSequence(Task task) override;
    void runOnMain(Task task) override;

private:
    QObject main_;
    QThreadPool pool_;
    QThreadPool sequence_;
};

} // namespace ondravell::platform
