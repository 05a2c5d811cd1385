#pragma once

#include <functional>

namespace ondravell::platform {

// Where work runs inside a host program whose own thread must never wait on files: slow work goes to
// the background, and results that touch the toolkit come back to the event loop's thread.
class TaskQueue {
public:
    using Task = std::function<void()>;

    virtual ~TaskQueue() = default;
    // Runs `task` on a worker thread, in the order queued.
    virtual void runInBackground(Task task) = 0;
    // Runs `task` on the thread of the event loop that owned the queue when it was made.
    virtual void runOnMain(Task task) = 0;
};

} // namespace ondravell::platform
