#include "Extensions/FinderSync/ToastQueue.h"

#include "core/SharedConfig/OndravellIPC.h"
#include "platform/TaskQueue.h"
#include "platform/memory/MemoryNotificationCenter.h"
#include "tests/core/SharedConfig/TempContainer.h"

#include <condition_variable>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <thread>
#include <vector>

using namespace ondravell;

namespace {

// Background work on threads of its own, as in the file manager; joined when the queue goes.
class ThreadTaskQueue final : public platform::TaskQueue {
public:
    ~ThreadTaskQueue() override {
        for (std::thread& thread : threads_)
            thread.join();
    }
    void runInBackground(Task task) override { threads_.emplace_back(std::move(task)); }
    void runInSequence(Task task) override { threads_.emplace_back(std::move(task)); }
    void runOnMain(Task task) override { task(); }

private:
    std::vector<std::thread> threads_;
};

} // namespace

TEST(ToastQueue, EachToastIsReadBeforeTheNextReplacesIt) {
    test::TempContainer container;
    std::filesystem::create_directories(container.path);
    platform::MemoryNotificationCenter center;
    std::mutex mutex;
    std::condition_variable arrived;
    int notifications = 0;
    center.addObserver(std::string(OndravellIPC::showToast), [&] {
        std::lock_guard lock(mutex);
        ++notifications;
        arrived.notify_all();
    });
    ThreadTaskQueue threads;
    auto toasts = std::make_shared<ToastQueue>(center, threads);

    // Two workers finishing at once; the receiver reads each file only after its notification came.
    toasts->post("已复制路径", "checkmark.circle.fill");
    toasts->post("已新建 未命名文件夹", "checkmark.circle.fill");
    std::vector<std::string> read;
    for (int expected = 1; expected <= 2; ++expected) {
        std::unique_lock lock(mutex);
        arrived.wait(lock, [&] { return notifications >= expected; });
        lock.unlock();
        auto bytes = OndravellIPC::readPendingFile(OndravellIPC::pendingToastName);
        ASSERT_TRUE(bytes);
        read.push_back(nlohmann::json::parse(*bytes).at("message").get<std::string>());
    }
    EXPECT_EQ(read, (std::vector<std::string>{"已复制路径", "已新建 未命名文件夹"}));
}
