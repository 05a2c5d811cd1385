#pragma once

#include <functional>

namespace ondravell::platform {

// Where work runs inside a host program whose own thread must never wait on files: slow work goes to
// the background, and results that touch the toolkit come back to the event loop's thread.
class TaskQueue {
public:
    using Task = std::function<void()>;

    virtual ~TaskQueue() = default;
    // Runs `task` on a worker thread. Tasks start in the order queued but may run side by side, so a
    // long one (hashing a large file) never holds up the short ones queued after it.
    virtual void runInBackground(Task task) = 0;
    // Runs `task` on a worker thread once every task queued earlier this way has finished: for short
    // steps whose order matters, such as writing a state file that a later action reads.
    virtual void runInSequence(Task task) = 0;
    // Runs `task` on the thread of the event loop that owned the queue when it was made.
    virtual void runOnMain(Task task) = 0;
};

} // namespace ondravell::platform
