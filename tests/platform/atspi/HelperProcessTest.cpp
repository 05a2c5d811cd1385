#include "platform/atspi/HelperProcess.h"

#include "platform/atspi/HelperRestartSchedule.h"
#include "platform/memory/ManualOneShotTimers.h"
#include "tests/platform/glib/SessionBusTesting.h"

#include <cerrno>
#include <csignal>
#include <glib.h>
#include <gtest/gtest.h>
#include <unistd.h>
#include <vector>

using namespace std::chrono_literals;
using ondravell::platform::HelperProcess;
using ondravell::platform::HelperRestartSchedule;
using ondravell::platform::ManualOneShotTimers;
using ondravell::test::runMainContextUntil;

namespace {

// Whether the process `pid` is gone for good: reaped, not a zombie waiting for its parent.
bool reaped(int pid) {
    return ::kill(pid, 0) != 0 && errno == ESRCH;
}

// Counts the lines logged as warnings while it lives.
struct LoggedWarnings {
    int count = 0;
    guint handler = g_log_set_handler(
        nullptr, GLogLevelFlags(G_LOG_LEVEL_WARNING),
        [](const gchar*, GLogLevelFlags, const gchar*, gpointer data) {
            ++static_cast<LoggedWarnings*>(data)->count;
        },
        this);
    ~LoggedWarnings() { g_log_remove_handler(nullptr, handler); }
};

} // namespace

// Each line: a helper ended at `at`, and the next is started `delay` later.
TEST(HelperRestartSchedule, FiveRestartsAMinuteAtOnceThenOneEveryThirtySeconds) {
    struct End {
        const char* name;
        std::chrono::milliseconds at;
        std::chrono::milliseconds delay;
    };
    const End ends[] = {
        {"1st end, at once", 0ms, 0ms},
        {"2nd", 0ms, 0ms},
        {"3rd", 1s, 0ms},
        {"4th", 2s, 0ms},
        {"5th", 2s, 0ms},
        {"6th: five restarts within the minute, so thirty seconds after the last start", 3s, 29s},
        {"7th, ended as it started", 32s, 30s},
        {"8th: the first five restarts left the minute", 72s, 0ms},
        {"9th", 72s, 0ms},
        {"10th", 73s, 0ms},
        {"11th: five within the minute again", 74s, 29s},
    };
    HelperRestartSchedule schedule;
    schedule.started(0ms);
    for (const End& end : ends) {
        SCOPED_TRACE(end.name);
        const std::chrono::milliseconds delay = schedule.delayAfterEnd(end.at);
        EXPECT_EQ(delay, end.delay);
        schedule.started(end.at + delay);
    }

    // Ending every thirteen seconds is never more than five restarts a minute.
    HelperRestartSchedule steady;
    steady.started(0ms);
    for (int i = 1; i <= 20; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(steady.delayAfterEnd(i * 13s), 0ms);
        steady.started(i * 13s);
    }
}

// A helper that ends at once, again and again: started six times in a row (the first start and five
// restarts), then once when thirty seconds passed; each reaped, each restart logged once.
TEST(HelperProcess, AHelperThatKeepsEndingIsReapedAndRestartedAsScheduled) {
    ManualOneShotTimers timers;
    LoggedWarnings logged;
    std::vector<int> pids;
    int ends = 0;
    HelperProcess* running = nullptr;
    HelperProcess process("/bin/true",
                          {[&](int socket) {
                               ::close(socket);
                               if (running)
                                   pids.push_back(*running->pid());
                           },
                           [&] { ++ends; }},
                          timers, [&timers] { return timers.now(); });
    running = &process;
    pids.push_back(*process.pid());

    ASSERT_TRUE(runMainContextUntil([&] { return ends == 6; }));
    EXPECT_EQ(pids.size(), 6u) << "started again before thirty seconds passed";
    EXPECT_FALSE(process.pid().has_value());
    EXPECT_EQ(logged.count, 6);
    timers.advance(29s);
    EXPECT_EQ(pids.size(), 6u);
    timers.advance(1s);
    ASSERT_EQ(pids.size(), 7u);
    ASSERT_TRUE(runMainContextUntil([&] { return ends == 7; }));
    for (int pid : pids)
        EXPECT_TRUE(reaped(pid)) << "pid " << pid << " left a zombie";
    EXPECT_EQ(logged.count, 7);
}

// A helper ended from outside (or by `restart`) gives way to a new one at once; the old one is reaped.
TEST(HelperProcess, AKilledHelperIsReapedAndANewOneStartsAtOnce) {
    ManualOneShotTimers timers;
    LoggedWarnings logged;
    std::vector<int> sockets;
    int ends = 0;
    HelperProcess process("/bin/cat", {[&](int socket) { sockets.push_back(socket); }, [&] { ++ends; }},
                          timers, [&timers] { return timers.now(); });
    for (int round = 1; round <= 3; ++round) {
        SCOPED_TRACE(round);
        const int pid = *process.pid();
        if (round == 3)
            process.restart();
        else
            ::kill(pid, SIGKILL);
        ASSERT_TRUE(runMainContextUntil([&] { return ends == round; }));
        ASSERT_TRUE(process.pid().has_value());
        EXPECT_NE(*process.pid(), pid);
        EXPECT_TRUE(reaped(pid));
        EXPECT_EQ(int(sockets.size()), round + 1);
        EXPECT_EQ(logged.count, round);
    }
    EXPECT_EQ(timers.pendingCount(), 0u);
    for (int socket : sockets)
        ::close(socket);
}
