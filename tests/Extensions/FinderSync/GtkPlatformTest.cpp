#include "platform/glib/GlibOneShotTimers.h"
#include "platform/gtk/GlibTaskQueue.h"
#include "platform/gtk/GtkDesktopAppearance.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <future>
#include <glib.h>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

namespace ondravell::platform {
namespace {

TEST(GlibTaskQueue, RunsBackgroundWorkOffTheMainThreadAndResultsBackOnIt) {
    GlibTaskQueue queue;
    std::thread::id mainThread = std::this_thread::get_id();
    std::thread::id backgroundThread;
    std::thread::id resultThread;
    std::atomic<bool> done = false;
    queue.runInBackground([&] {
        backgroundThread = std::this_thread::get_id();
        queue.runOnMain([&] {
            resultThread = std::this_thread::get_id();
            done = true;
        });
    });
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!done && std::chrono::steady_clock::now() < deadline)
        g_main_context_iteration(nullptr, FALSE);
    ASSERT_TRUE(done);
    EXPECT_NE(backgroundThread, mainThread);
    EXPECT_EQ(resultThread, mainThread);
}

TEST(GlibTaskQueue, MainWorkWaitsForTheMainLoopEvenWhenNobodyIsIteratingIt) {
    GlibTaskQueue queue;
    std::thread::id mainThread = std::this_thread::get_id();
    std::thread::id resultThread;
    std::atomic<bool> done = false;
    std::promise<void> queued;
    queue.runInBackground([&] {
        queue.runOnMain([&] {
            resultThread = std::this_thread::get_id();
            done = true;
        });
        queued.set_value();
    });
    // The main context is idle and not acquired while the worker hands its result over.
    queued.get_future().wait();
    while (!done)
        g_main_context_iteration(nullptr, TRUE);
    EXPECT_EQ(resultThread, mainThread);
}

TEST(GlibTaskQueue, FinishesQueuedWorkBeforeItGoes) {
    std::atomic<int> ran = 0;
    {
        GlibTaskQueue queue;
        for (int i = 0; i < 50; ++i)
            queue.runInBackground([&] { ++ran; });
    }
    EXPECT_EQ(ran, 50);
}

TEST(GlibTaskQueue, ShortWorkRunsWhileALongTaskIsStillBusy) {
    GlibTaskQueue queue;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::promise<void> shortDone;
    queue.runInBackground([released] { released.wait(); });
    queue.runInBackground([&] { shortDone.set_value(); });
    // The guard only keeps a regression from hanging the suite.
    std::future_status status = shortDone.get_future().wait_for(std::chrono::seconds(30));
    release.set_value();
    EXPECT_EQ(status, std::future_status::ready);
}

TEST(GlibTaskQueue, StepsInSequenceRunOneAtATimeInOrderBesideOtherWork) {
    std::vector<int> order;
    std::atomic<int> running = 0;
    std::atomic<bool> overlapped = false;
    {
        GlibTaskQueue queue;
        for (int i = 0; i < 40; ++i) {
            queue.runInBackground([] { std::this_thread::yield(); });
            queue.runInSequence([&, i] {
                overlapped = overlapped || ++running > 1;
                order.push_back(i);
                --running;
            });
        }
    }
    ASSERT_EQ(order.size(), 40u);
    EXPECT_TRUE(std::is_sorted(order.begin(), order.end()));
    EXPECT_FALSE(overlapped);
}

TEST(GlibOneShotTimers, ScheduledFromAWorkerFireOnTheMainLoopAndNoneAfterTheirEnd) {
    std::thread::id mainThread = std::this_thread::get_id();
    std::thread::id firedOn;
    std::atomic<int> fired = 0;
    auto timers = std::make_unique<GlibOneShotTimers>();
    std::thread([&] {
        timers->schedule(std::chrono::milliseconds(1), [&] {
            firedOn = std::this_thread::get_id();
            ++fired;
        });
        OneShotTimers::Token cancelled = timers->schedule(std::chrono::milliseconds(1), [&] { fired += 10; });
        timers->cancel(cancelled);
    }).join();
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (fired == 0 && std::chrono::steady_clock::now() < deadline)
        g_main_context_iteration(nullptr, FALSE);
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(firedOn, mainThread);

    // Pending when they end: dropped, never fired.
    timers->schedule(std::chrono::milliseconds(0), [&] { fired += 100; });
    timers.reset();
    while (g_main_context_iteration(nullptr, FALSE)) {
    }
    EXPECT_EQ(fired, 1);
}

TEST(GtkDesktopAppearance, OnlyThePreferDarkSchemeIsDark) {
    EXPECT_TRUE(GtkDesktopAppearance::isDarkColorScheme("prefer-dark"));
    EXPECT_FALSE(GtkDesktopAppearance::isDarkColorScheme("default"));
    EXPECT_FALSE(GtkDesktopAppearance::isDarkColorScheme("prefer-light"));
    EXPECT_FALSE(GtkDesktopAppearance::isDarkColorScheme(""));
}

TEST(GtkDesktopAppearance, DarkThemeVariantsAreRecognisedByName) {
    EXPECT_TRUE(GtkDesktopAppearance::isDarkThemeName("Adwaita-dark"));
    EXPECT_TRUE(GtkDesktopAppearance::isDarkThemeName("Adwaita:dark"));
    EXPECT_TRUE(GtkDesktopAppearance::isDarkThemeName("Yaru-Dark"));
    EXPECT_FALSE(GtkDesktopAppearance::isDarkThemeName("Adwaita"));
    EXPECT_FALSE(GtkDesktopAppearance::isDarkThemeName("Darkness"));
}

} // namespace
} // namespace ondravell::platform
