#include "platform/memory/ManualOneShotTimers.h"

namespace ondravell::platform {

OneShotTimers::Token ManualOneShotTimers::schedule(std::chrono::milliseconds delay, Callback callback) {
    Token token = nextToken_++;
    timers_.emplace(std::make_pair(now_ + std::max(delay, std::chrono::milliseconds(0)), token),
                    std::move(callback));
    return token;
}

void ManualOneShotTimers::cancel(Token token) {
    for (auto it = timers_.begin(); it != timers_.end(); ++it) {
        if (it->first.second == token) {
            timers_.erase(it);
            return;
        }
    }
}

void ManualOneShotTimers::advance(std::chrono::milliseconds duration) {
    advanceTo(now_ + duration);
}

void ManualOneShotTimers::advanceTo(std::chrono::milliseconds instant) {
    while (!timers_.empty() && timers_.begin()->first.first <= instant) {
        auto first = timers_.begin();
        now_ = std::max(now_, first->first.first);
        Callback callback = std::move(first->second);
        timers_.erase(first);
        if (callback)
            callback();
    }
    now_ = std::max(now_, instant);
}

} // namespace ondravell::platform
