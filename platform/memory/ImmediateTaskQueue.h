#pragma once

#include "platform/TaskQueue.h"

namespace ondravell::platform {

// Runs every task at once on the calling thread, so tests see the outcome of an action when it
// returns.
class ImmediateTaskQueue final : public TaskQueue {
public:
    void runInBackground(Task task) override { task(); }
    void runInSequence(Task task) override { task(); }
    void runOnMain(Task task) override { task(); }
};

} // namespace ondravell::platform
