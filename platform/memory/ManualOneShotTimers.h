#pragma once

#include "platform/OneShotTimers.h"

#include <map>
#include <utility>

namespace ondravell::platform {

// Timers on a clock that only moves when a test advances it. Timers due at the same instant fire in the
// order they were scheduled; a callback may schedule or cancel timers, and those due within the same
// advance fire too.
class ManualOneShotTimers final : public OneShotTimers {
public:
    Token schedule(std::chrono::milliseconds delay, Callback callback) override;
    void cancel(Token token) override;

    std::chrono::milliseconds now() const { return now_; }
    // Moves the clock forward by `duration`, firing every timer that falls due on the way at its time.
    void advance(std::chrono::milliseconds duration);
    // Moves the clock to `instant` (never backwards).
    void advanceTo(std::chrono::milliseconds instant);
    std::size_t pendingCount() const { return timers_.size(); }

private:
    std::chrono::milliseconds now_{0};
    Token nextToken_ = 1;
    // Ordered by due time, then by token, which grows with every schedule.
    std::map<std::pair<std::chrono::milliseconds, Token>, Callback> timers_;
};

} // namespace ondravell::platform
