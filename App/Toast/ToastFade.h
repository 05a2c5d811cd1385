#pragma once

#include <chrono>
#include <vector>

namespace ondravell {

// The opacities of a fade, one per display frame. The window takes the next one at each frame, so a
// busy moment (the first paint of a new panel) delays the fade instead of skipping to its end value.
struct ToastFade {
    static constexpr std::chrono::milliseconds frameInterval{16};

    // From `from` (exclusive) to `to` (inclusive), evenly spaced over `duration`; at least one value.
    static std::vector<double> steps(double from, double to, std::chrono::milliseconds duration);
};

} // namespace ondravell
