#pragma once

#include <chrono>
#include <deque>
#include <optional>

namespace ondravell::platform {

// When a helper process that ended is started again. A restart follows at once while fewer than
// `quickRestarts` restarts fell within the last `window`, so that what the helper answers is missed as
// briefly as possible; a helper that keeps ending faster than that is not started in a tight loop but
// once every `slowInterval`, counted from its last start, until its restarts thin out again. Times are
// instants of one steady clock.
class HelperRestartSchedule {
public:
    using Instant = std::chrono::milliseconds;

    static constexpr int quickRestarts = 5;
    static constexpr std::chrono::milliseconds window = std::chrono::minutes(1);
    static constexpr std::chrono::milliseconds slowInterval = std::chrono::seconds(30);

    // How long after `now` the helper that ended then is to be started again.
    std::chrono::milliseconds delayAfterEnd(Instant now);
    // A helper was started (or tried to be) at `at`; the first start is no restart.
    void started(Instant at);

private:
    std::optional<Instant> lastStart_;
    // The restarts of the last `window`, oldest first.
    std::deque<Instant> restarts_;
};

} // namespace ondravell::platform
