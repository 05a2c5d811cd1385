#include "App/Toast/ToastPresenter.h"

#include "App/Toast/ToastTimeline.h"
#include "App/Toast/ToastWindow.h"
#include "platform/qt/QtOneShotTimers.h"
#include "platform/x11/X11Compositing.h"

#include <QGuiApplication>

namespace ondravell {

ToastPresenter& ToastPresenter::shared() {
    // Kept for the life of the process and never destroyed: its window must not outlive the
    // application object in a static destructor.
    static ToastPresenter* presenter = new ToastPresenter;
    return *presenter;
}

ToastPresenter::ToastPresenter() : timers_(std::make_unique<platform::QtOneShotTimers>()) {}

ToastPresenter::~ToastPresenter() = default;

ToastTimeline& ToastPresenter::timeline() {
    if (!timeline_) {
        bool composited =
            QGuiApplication::platformName() == QLatin1String("xcb") && platform::X11Compositing::isActive();
        window_ = std::make_unique<ToastWindow>(composited);
        timeline_ = std::make_unique<ToastTimeline>(*window_, *timers_);
    }
    return *timeline_;
}

void ToastPresenter::show(const std::string& message, const std::string& symbol) {
    timeline().show(message, symbol);
}

void ToastPresenter::showProgress(const ProgressPayload& payload) {
    if (!timeline_ && !ToastTimeline::isRunning(payload.completed, payload.total, payload.done))
        return; // a finished operation with no panel: nothing to fade
    timeline().showProgress(payload.title, payload.completed, payload.total, payload.done);
}

void ToastPresenter::hide() {
    if (timeline_)
        timeline_->hide();
}

} // namespace ondravell
