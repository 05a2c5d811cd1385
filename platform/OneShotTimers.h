#pragma once

#include <chrono>
#include <cstdint>
#include <functional>

namespace ondravell::platform {

// Single-shot timers on the caller's event loop. The program uses Qt's timers; tests drive a manual
// clock, so timing logic can be checked without waiting or a display.
class OneShotTimers {
public:
    using Token = std::uint64_t;
    using Callback = std::function<void()>;

    virtual ~OneShotTimers() = default;

    // Calls `callback` once, `delay` from now, on the thread that owns the event loop. Never 0.
    virtual Token schedule(std::chrono::milliseconds delay, Callback callback) = 0;
    // A cancelled timer never fires; cancelling one that fired or is unknown does nothing.
    virtual void cancel(Token token) = 0;
};

} // namespace ondravell::platform
