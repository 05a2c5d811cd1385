#include "App/Toast/ToastTimeline.h"

#include "App/Toast/ToastMetrics.h"

namespace ondravell {

ToastTimeline::ToastTimeline(ToastSurface& surface, platform::OneShotTimers& timers)
    : surface_(surface), timers_(timers) {}

ToastTimeline::~ToastTimeline() {
    cancelDismiss();
    cancelFadeOut();
}

bool ToastTimeline::isRunning(std::int64_t completed, std::int64_t total, bool done) {
    return !done && (total < 1 || completed < total);
}

void ToastTimeline::show(const std::string& message, const std::string& symbol) {
    present(ToastContent::toast(message, symbol), ToastMetrics::toastDuration);
}

void ToastTimeline::showProgress(const std::string& title, std::int64_t completed, std::int64_t total,
                                 bool done) {
    if (isRunning(completed, total, done)) {
        present(ToastContent::progress(title, completed, total), ToastMetrics::progressTimeout);
        return;
    }
    // A pending timeout stays: when it fires the panel is already gone and hiding changes nothing.
    hide();
}

void ToastTimeline::hide() {
    if (phase_ != Phase::visible)
        return;
    phase_ = Phase::fadingOut;
    surface_.fadeOut(ToastMetrics::fadeOutDuration);
    fadeOutTimer_ = timers_.schedule(ToastMetrics::fadeOutDuration, [this] {
        fadeOutTimer_ = 0;
        phase_ = Phase::orderedOut;
        surface_.orderOut();
    });
}

void ToastTimeline::present(const ToastContent& content, std::chrono::milliseconds dismissAfter) {
    cancelDismiss();
    content_ = content;
    surface_.setContent(content);
    if (phase_ == Phase::visible || phase_ == Phase::fadingOut) {
        // Still on screen: swap the content in place, at full opacity, and keep it there.
        cancelFadeOut();
        surface_.showOpaque();
    } else {
        surface_.fadeIn(ToastMetrics::fadeInDuration);
    }
    phase_ = Phase::visible;
    dismissTimer_ = timers_.schedule(dismissAfter, [this] {
        dismissTimer_ = 0;
        hide();
    });
}

void ToastTimeline::cancelDismiss() {
    if (dismissTimer_ != 0)
        timers_.cancel(dismissTimer_);
    dismissTimer_ = 0;
}

void ToastTimeline::cancelFadeOut() {
    if (fadeOutTimer_ != 0)
        timers_.cancel(fadeOutTimer_);
    fadeOutTimer_ = 0;
}

} // namespace ondravell
