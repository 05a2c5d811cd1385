#pragma once

#include "platform/OneShotTimers.h"
#include "platform/atspi/HelperRestartSchedule.h"

#include <chrono>
#include <functional>
#include <optional>
#include <string>

namespace ondravell::platform {

// A helper program kept running beside this process for as long as this object lives, spoken to over a
// socket that is its standard input and output. When the helper ends (it crashed, was killed, or was
// ended by `restart`) it is reaped at once, so that no zombie stays, one line is logged, and a new one is
// started as HelperRestartSchedule says: the delay goes through `timers`, measured on the clock `now`.
// A helper that cannot be started counts as one that ended at once.
//
// Ends are seen through a child watch on GLib's default main context, which the program's event loop
// runs: the events below come from there. This object touches no process but the helpers it started,
// and those only by their own process id while they are not reaped.
class HelperProcess {
public:
    struct Events {
        // A new helper runs: `socket` is this process's end of it (non-blocking, closed on exec), which
        // the listener owns from now on. Also heard inside the constructor, for the first helper.
        std::function<void(int socket)> started;
        // The helper started last has ended and was reaped; its socket still holds what it said before.
        // Heard before a new helper's `started`.
        std::function<void()> ended;
    };
    using Clock = std::function<std::chrono::milliseconds()>;

    HelperProcess(std::string program, Events events, OneShotTimers& timers, Clock now);
    // A helper still running is left to end by itself when its socket closes; it is still reaped then.
    ~HelperProcess();
    HelperProcess(const HelperProcess&) = delete;
    HelperProcess& operator=(const HelperProcess&) = delete;

    // The running helper's process id; nullopt while none runs (ended, and the next not started yet).
    std::optional<int> pid() const { return pid_; }
    // Ends the running helper (SIGKILL) so that another is started: for one whose socket closed while
    // it lives on. Nothing when none runs.
    void restart();

private:
    struct ChildWatch;

    void start();
    void ended(int waitStatus);
    // Starts the next helper when the schedule allows; `why` opens the one log line of this restart.
    void scheduleStart(const std::string& why);

    std::string program_;
    Events events_;
    OneShotTimers& timers_;
    Clock now_;
    HelperRestartSchedule schedule_;
    std::optional<int> pid_;
    ChildWatch* watch_ = nullptr;
    std::optional<OneShotTimers::Token> pendingStart_;
};

} // namespace ondravell::platform
