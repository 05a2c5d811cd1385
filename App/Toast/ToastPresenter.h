#pragma once

#include "core/SharedConfig/ProgressPayload.h"

#include <memory>
#include <string>

namespace ondravell {

class ToastTimeline;
class ToastWindow;
namespace platform {
class OneShotTimers;
}

// The application's one toast and progress panel, for every part of the application and for the
// extension's messages. Main thread only.
class ToastPresenter {
public:
    static ToastPresenter& shared();

    // Shows the toast at once; it fades out after 1.7 s unless something else is presented first.
    void show(const std::string& message, const std::string& symbol);
    // Shows or updates the progress display (the payload's id is not looked at: there is one display),
    // or fades the panel out when the payload says the work is finished.
    void showProgress(const ProgressPayload& payload);
    void hide();

    ~ToastPresenter();
    ToastPresenter(const ToastPresenter&) = delete;
    ToastPresenter& operator=(const ToastPresenter&) = delete;

private:
    ToastPresenter();
    // The panel is made at the first presentation.
    ToastTimeline& timeline();

    std::unique_ptr<platform::OneShotTimers> timers_;
    std::unique_ptr<ToastWindow> window_;
    std::unique_ptr<ToastTimeline> timeline_;
};

} // namespace ondravell
