#include "Extensions/FinderSync/ToastQueue.h"

#include "core/SharedConfig/OndravellIPC.h"
#include "platform/TaskQueue.h"
#include "platform/memory/ManualOneShotTimers.h"
#include "platform/memory/MemoryNotificationCenter.h"
#include "tests/core/SharedConfig/TempContainer.h"

#include <deque>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace ondravell;

namespace {

// Background work held until the test lets the module's workers take it.
class HeldTaskQueue final : public platform::TaskQueue {
public:
    void runInBackground(Task task) override { held.push_back(std::move(task)); }
    void runInSequence(Task task) override { held.push_back(std::move(task)); }
    void runOnMain(Task task) override { task(); }
    void runAll() {
        while (!held.empty()) {
            Task next = std::move(held.front());
            held.pop_front();
            next();
        }
    }
    std::deque<Task> held;
};

// What the application sees when it opens the toast file, which also marks it read.
std::string readToast() {
    auto bytes = OndravellIPC::readPendingFile(OndravellIPC::pendingToastName);
    return bytes ? nlohmann::json::parse(*bytes).at("message").get<std::string>() : "";
}

} // namespace

TEST(ToastQueue, AToastWaitsForTheOneBeforeOnATimerNotOnAWorker) {
    test::TempContainer container;
    std::filesystem::create_directories(container.path);
    platform::MemoryNotificationCenter center;
    int posted = 0;
    center.addObserver(std::string(OndravellIPC::showToast), [&] { ++posted; });
    HeldTaskQueue queue;
    platform::ManualOneShotTimers timers;
    auto toasts = std::make_shared<ToastQueue>(center, queue, timers);

    // Nobody reads the first: the second waits without a worker, and goes once the wait is over.
    toasts->post("已复制路径", "checkmark.circle.fill");
    toasts->post("已新建 未命名文件夹", "checkmark.circle.fill");
    queue.runAll();
    EXPECT_EQ(posted, 1);
    EXPECT_TRUE(queue.held.empty());
    timers.advance(ToastQueue::readWait - ToastQueue::readCheckInterval);
    queue.runAll();
    EXPECT_EQ(posted, 1);
    timers.advance(ToastQueue::readCheckInterval);
    queue.runAll();
    EXPECT_EQ(posted, 2);
    EXPECT_EQ(readToast(), "已新建 未命名文件夹");

    // Read: the next one goes at once.
    toasts->post("已创建链接", "checkmark.circle.fill");
    queue.runAll();
    EXPECT_EQ(posted, 3);
    EXPECT_EQ(timers.pendingCount(), 0u);

    // A toast still waiting when the module ends is dropped, and nothing waits for it.
    toasts->post("已复制", "checkmark.circle.fill");
    queue.runAll();
    EXPECT_TRUE(queue.held.empty());
    toasts.reset();
    timers.advance(ToastQueue::readWait);
    queue.runAll();
    EXPECT_EQ(posted, 3);
    EXPECT_EQ(readToast(), "已创建链接");
}
