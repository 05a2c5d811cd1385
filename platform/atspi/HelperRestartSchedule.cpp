#include "platform/atspi/HelperRestartSchedule.h"

#include <algorithm>

namespace ondravell::platform {

std::chrono::milliseconds HelperRestartSchedule::delayAfterEnd(Instant now) {
    while (!restarts_.empty() && now - restarts_.front() >= window)
        restarts_.pop_front();
    if (!lastStart_ || restarts_.size() < std::size_t(quickRestarts))
        return std::chrono::milliseconds(0);
    return std::max(*lastStart_ + slowInterval - now, std::chrono::milliseconds(0));
}

void HelperRestartSchedule::started(Instant at) {
    if (lastStart_)
        restarts_.push_back(at);
    lastStart_ = at;
}

} // namespace ondravell::platform
