#pragma once

#include "App/Toast/ToastSurface.h"
#include "platform/OneShotTimers.h"

#include <cstdint>
#include <optional>
#include <string>

namespace ondravell {

// When the toast panel appears, changes, fades and goes away. One panel serves toasts and progress:
// the latest presentation wins. Every presentation stops a fade-out that is still running, so content
// shown during the last 0.3 s of an earlier hide stays on screen for its own full time.
class ToastTimeline {
public:
    enum class Phase {
        absent,     // nothing was ever presented
        visible,    // shown (possibly still fading in)
        fadingOut,  // fading out; ordered out when the fade ends
        orderedOut, // kept for the next presentation
    };

    ToastTimeline(ToastSurface& surface, platform::OneShotTimers& timers);
    ~ToastTimeline();
    ToastTimeline(const ToastTimeline&) = delete;
    ToastTimeline& operator=(const ToastTimeline&) = delete;

    // Shows the toast at once, replacing what the panel shows; it fades out 1.7 s later unless something
    // else is presented first.
    void show(const std::string& message, const std::string& symbol);
    // A running step (not done, and completed < total or total < 1) shows or updates the progress
    // display and restarts its 8 s timeout; a finished step fades the panel out.
    void showProgress(const std::string& title, std::int64_t completed, std::int64_t total, bool done);
    // Fades the panel out over 0.3 s, then orders it out. Nothing when it is absent, ordered out or
    // already fading.
    void hide();

    Phase phase() const { return phase_; }
    std::optional<ToastContent> currentContent() const { return content_; }

    static bool isRunning(std::int64_t completed, std::int64_t total, bool done);

private:
    void present(const ToastContent& content, std::chrono::milliseconds dismissAfter);
    void cancelDismiss();
    void cancelFadeOut();

    ToastSurface& surface_;
    platform::OneShotTimers& timers_;
    Phase phase_ = Phase::absent;
    std::optional<ToastContent> content_;
    platform::OneShotTimers::Token dismissTimer_ = 0;
    platform::OneShotTimers::Token fadeOutTimer_ = 0;
};

} // namespace ondravell
